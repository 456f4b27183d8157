// Unicode helpers of the document: charset to code page, byte order, UTF-8 for dumps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "richtext/base/RVCodePage.h"

namespace richtext {

// The code page of a font character set (the table in RVCharsets.cpp); 0 stands for the
// process's ANSI code page.
TRVCodePage RVU_Charset2CodePage(std::uint8_t Charset);

// Whether characters of the code page can take more than one byte (the East Asian ANSI
// pages). CP_ACP is resolved to the process's page first.
bool RVU_IsMultiByteCodePage(TRVCodePage CodePage);

// Swaps the two bytes of every code unit (text read with the wrong byte order).
void RVU_SwapByteOrder(std::u16string& s);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string RVU_UnicodeToUtf8(std::u16string_view s);

} // namespace richtext
