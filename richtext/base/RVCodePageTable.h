// Which Windows ANSI code page a locale uses.
//
// Origin: the ANSI code page ("LOCALE_IDEFAULTANSICODEPAGE") that Windows reports for each of
// its locales, grouped by language and, where one language is written in two scripts, by
// script. Locales that Windows treats as Unicode-only (for example hi, bn, ta, ka, hy, am)
// have no ANSI code page there; they and every language missing below fall to 1252, which
// is also what the C and POSIX locales get. docs/code-pages.md lists the same table.
#pragma once

#include "richtext/base/RVCodePage.h"

namespace richtext {

struct TRVLocaleCodePage {
  const char* language; // ISO 639 code as ICU spells it
  const char* script;   // ISO 15924 code, or "" for any script
  TRVCodePage codePage;
};

// Matched on the locale after ICU has added its likely script, so "zh_TW" is seen as
// zh-Hant and "sr" as sr-Cyrl. A row with a script beats a row without one.
inline constexpr TRVLocaleCodePage RVLocaleCodePages[] = {
    // East Asian double-byte pages
    {"zh", "Hans", 936},
    {"zh", "Hant", 950},
    {"ja", "", 932},
    {"ko", "", 949},
    // Thai and Vietnamese
    {"th", "", 874},
    {"vi", "", 1258},
    // Central European
    {"pl", "", 1250},
    {"cs", "", 1250},
    {"sk", "", 1250},
    {"hu", "", 1250},
    {"ro", "", 1250},
    {"hr", "", 1250},
    {"sl", "", 1250},
    {"sq", "", 1250},
    {"tk", "", 1250},
    {"sr", "Latn", 1250},
    {"bs", "Latn", 1250},
    // Cyrillic
    {"ru", "", 1251},
    {"uk", "", 1251},
    {"be", "", 1251},
    {"bg", "", 1251},
    {"mk", "", 1251},
    {"sr", "Cyrl", 1251},
    {"bs", "Cyrl", 1251},
    {"az", "Cyrl", 1251},
    {"uz", "Cyrl", 1251},
    {"mn", "Cyrl", 1251},
    {"kk", "", 1251},
    {"ky", "", 1251},
    {"tt", "", 1251},
    {"ba", "", 1251},
    {"tg", "", 1251},
    {"sah", "", 1251},
    // Greek
    {"el", "", 1253},
    // Turkish and the Latin-script Turkic languages
    {"tr", "", 1254},
    {"az", "Latn", 1254},
    {"uz", "Latn", 1254},
    // Hebrew ("iw" and "ji" are the old codes some systems still use)
    {"he", "", 1255},
    {"iw", "", 1255},
    {"yi", "", 1255},
    {"ji", "", 1255},
    // Arabic script
    {"ar", "", 1256},
    {"fa", "", 1256},
    {"ur", "", 1256},
    {"ug", "", 1256},
    {"prs", "", 1256},
    // Baltic
    {"et", "", 1257},
    {"lv", "", 1257},
    {"lt", "", 1257},
};

// ICU converter names. Windows' single-byte pages are "windows-NNNN"; the double-byte ones
// are looked up under the names of the ICU tables that match Windows' own mappings, so
// that no alias ambiguity picks a different table.
struct TRVCodePageConverter {
  TRVCodePage codePage;
  const char* converterName;
};

inline constexpr TRVCodePageConverter RVCodePageConverters[] = {
    {874, "windows-874-2000"},  {932, "ibm-943_P15A-2003"}, {936, "windows-936-2000"},
    {949, "windows-949-2000"},  {950, "windows-950-2000"},  {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},         {20127, "US-ASCII"},        {28591, "ISO-8859-1"},
    {65001, "UTF-8"},
};

inline constexpr TRVCodePage RVDefaultAnsiCodePage = 1252;

} // namespace richtext
