// Names of the style enumerations and set members as the property stream stores them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

struct TRVNameTable {
  const char* const* Names;
  int Count;
};

extern const TRVNameTable RVBiDiModeNames;
extern const TRVNameTable RVUnderlineTypeNames;
extern const TRVNameTable RVSubSuperScriptTypeNames;
extern const TRVNameTable RVFontStyleNames;
extern const TRVNameTable RVFontStyleExNames;
extern const TRVNameTable RVHoverEffectNames;
extern const TRVNameTable RVProtectOptionNames;
extern const TRVNameTable RVTextOptionNames;
extern const TRVNameTable RVFontInfoPropertyNames;
extern const TRVNameTable RVAlignmentNames;
extern const TRVNameTable RVLastLineAlignmentNames;
extern const TRVNameTable RVBorderStyleNames;
extern const TRVNameTable RVLineSpacingTypeNames;
extern const TRVNameTable RVParaOptionNames;
extern const TRVNameTable RVTabAlignNames;
extern const TRVNameTable RVParaInfoPropertyNames;

// Position of a name in the table, or -1.
int RVNameIndex(const TRVNameTable& Table, std::string_view Name);
std::vector<std::string> RVSetToNames(const TRVNameTable& Table, std::uint64_t Bits);
// Names outside the table are skipped.
std::uint64_t RVNamesToSet(const TRVNameTable& Table, const std::vector<std::string>& Names);

} // namespace richtext
