// Text in the symbol fonts, mapped to real Unicode characters for export.
#pragma once

#include <string>
#include <string_view>

namespace richtext {

// The symbol fonts the export knows by name.
enum class TRVKnownSymbolFont {
  rvksfNone,
  rvksfSymbol,
  rvksfWingdings,
  rvksfWingdings_2,
  rvksfWingdings_3,
  rvksfWebdings,
};

// Which known symbol font a font name is ("Wingdings 2" and "wingdings 2" alike).
TRVKnownSymbolFont RV_GetKnownSymbolFont(std::u16string_view FontName);

// The Unicode character a byte 0x20..0xFF stands for in the font; U+F000 + byte where the
// picture has no Unicode character, and the byte itself for rvksfNone or a byte below 0x20.
char32_t RV_SymbolFontCharToUnicode(TRVKnownSymbolFont Font, unsigned Byte);

// Text of a run in the font FontName as it should leave the engine: characters of the known
// symbol fonts (given as bytes 0x20..0xFF or as U+F020..U+F0FF) become their Unicode
// characters; with ForANSI, Symbol and Wingdings text becomes plain look-alikes instead.
// Text in any other font is returned unchanged.
std::u16string RV_MakeUniStringForExport(std::u16string_view Text, bool ForANSI,
                                         std::u16string_view FontName);

} // namespace richtext
