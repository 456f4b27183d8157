// Windows code pages on top of ICU's converters.
//
// 8-bit text meets the engine and the app at a few edges only (ANSI list files, 8-bit adds,
// the 8-bit clipboard text, RTF). These functions convert at those edges. Code pages are
// named by their Windows numbers; the table from locale to ANSI code page is in
// docs/code-pages.md.
#pragma once

#include <string>
#include <string_view>

namespace richtext {

using TRVCodePage = unsigned;

// CP_ACP: "the process's ANSI code page", resolved by RVU_GetProcessAnsiCodePage.
inline constexpr TRVCodePage CP_ACP = 0;

// The Windows ANSI code page of a locale given by its ICU or POSIX name ("zh_CN", "ru_RU.UTF-8",
// "ja", "C"); 1252 for locales the table does not list.
TRVCodePage RVU_LocaleAnsiCodePage(std::string_view localeName);

// The ANSI code page of the process locale (ICU's default locale).
TRVCodePage RVU_GetProcessAnsiCodePage();

// Bytes in a code page to UTF-16. Bytes the code page does not define become U+FFFD, except
// where the Windows tables give them a private-use or control character of their own
// (0x81 in 1252 is U+0081); half a double-byte character is U+FFFD as well.
std::u16string RVU_AnsiToUnicode(TRVCodePage codePage, std::string_view bytes);

// UTF-16 to bytes in a code page; characters it cannot represent become the code page's
// default character ("?" for the single-byte pages). usedDefault, when given, tells whether
// that happened.
std::string RVU_UnicodeToAnsiBytes(TRVCodePage codePage, std::u16string_view text,
                                   bool* usedDefault = nullptr);

// Whether ICU has a converter for the code page.
bool RVU_IsCodePageSupported(TRVCodePage codePage);

} // namespace richtext
