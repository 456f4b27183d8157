// Font character set to RTF language identifier.
//
// Origin: the Windows language identifiers of the languages each GDI character set serves
// (SHIFTJIS 128 Japanese 1041, HANGEUL 129 Korean 1042, JOHAB 130 2066, GB2312 134
// Simplified Chinese 2052, CHINESEBIG5 136 Traditional Chinese 1028, GREEK 161 1032,
// TURKISH 162 1055, VIETNAMESE 163 1066, HEBREW 177 1037, RUSSIAN 204 1049, THAI 222 1054).
// Western, default, Arabic, Baltic and Central European sets (0, 1, 178, 186, 238) give 0:
// no language is written for them. Any set not listed gives 1024, "no language".
#pragma once

namespace richtext {

struct TRVCharsetLanguage {
  int charset;
  int language;
};

inline constexpr TRVCharsetLanguage RVCharsetLanguages[] = {
    {0, 0},       {1, 0},       {178, 0},     {186, 0},     {238, 0},
    {128, 1041},  {129, 1042},  {130, 2066},  {134, 2052},  {136, 1028},
    {161, 1032},  {162, 1055},  {163, 1066},  {177, 1037},  {204, 1049},
    {222, 1054},
};

inline constexpr int RVUnlistedCharsetLanguage = 1024;

} // namespace richtext
