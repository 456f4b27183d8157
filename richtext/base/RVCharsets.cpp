// Character set to code page, as the system's font mapping pairs them: each charset of a
// Windows font and the ANSI code page whose characters it covers. DEFAULT_CHARSET maps to 0
// (whatever the process uses); OEM and Macintosh map to the pseudo pages 1 and 2; charset 254
// (unnamed) is treated as Western.
#include "richtext/base/RVCharsets.h"

namespace richtext {

namespace {

constexpr TRVCharsetCodePage CharsetTable[] = {
    {ANSI_CHARSET, 1252},    {DEFAULT_CHARSET, 0},       {MAC_CHARSET, CP_MACCP},
    {SHIFTJIS_CHARSET, 932}, {HANGEUL_CHARSET, 949},     {JOHAB_CHARSET, 1361},
    {GB2312_CHARSET, 936},   {CHINESEBIG5_CHARSET, 950}, {GREEK_CHARSET, 1253},
    {TURKISH_CHARSET, 1254}, {VIETNAMESE_CHARSET, 1258}, {HEBREW_CHARSET, 1255},
    {ARABIC_CHARSET, 1256},  {BALTIC_CHARSET, 1257},     {RUSSIAN_CHARSET, 1251},
    {THAI_CHARSET, 874},     {EASTEUROPE_CHARSET, 1250}, {254, 1252},
    {OEM_CHARSET, CP_OEMCP},
};

} // namespace

std::span<const TRVCharsetCodePage> RVCharsetCodePages() {
  return CharsetTable;
}

} // namespace richtext
