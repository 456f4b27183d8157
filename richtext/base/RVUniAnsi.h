// UTF-16 text to and from the 8-bit and byte-stream forms the export paths need.
//
// RVU_UnicodeToAnsi never fails: whatever cannot be represented becomes "?", so the 8-bit
// clipboard text and RTF fallbacks always have something to show.
#pragma once

#include "richtext/base/RVCodePage.h"

#include <string>
#include <string_view>

namespace richtext {

class TRVStream;

// The message of the error raised for a byte sequence that cannot be UTF-16.
inline constexpr const char* errRVUnicodeOddBytes = "Invalid Unicode stream: odd number of bytes";

// Raises ERichViewError for a failed Unicode conversion.
[[noreturn]] void RVRaiseUni(const char* message = errRVUnicodeOddBytes);

// s in the code page, "?" for each character it cannot represent. When the code page gives
// nothing (unknown or unusable), the process's ANSI code page is tried; when that gives
// nothing too, the result is one "?" per UTF-16 code unit.
std::string RVU_UnicodeToAnsi(TRVCodePage CodePage, std::u16string_view s);

// The ANSI code page of a locale named as ICU or POSIX does ("ru_RU.UTF-8", "ja");
// an empty name stands for the process locale.
TRVCodePage RVU_GetLocaleCodePage(std::string_view LocaleName = {});

// The ANSI code page of the keyboard's input language. The engine has no toolkit to ask
// for the active input method, so this is the process locale's code page.
TRVCodePage RVU_GetKeyboardCodePage();

// The bytes of Stream from its position to its end, read as UTF-16 little-endian code units.
// Raises ERichViewError (errRVUnicodeOddBytes) when their count is odd.
std::u16string RVU_UnicodeStreamToUnicodeString(TRVStream& Stream);

// UTF-16 code units as little-endian bytes, and back (an odd trailing byte raises).
std::string RVU_UnicodeToLEBytes(std::u16string_view s);
std::u16string RVU_LEBytesToUnicode(std::string_view bytes);

} // namespace richtext
