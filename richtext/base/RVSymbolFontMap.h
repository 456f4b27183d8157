// Shape of the symbol-font tables: one Unicode code point for each byte 0x20..0xFF.
//
// Symbol fonts put their pictures on the code points of ordinary letters (or on U+F020..U+F0FF,
// where the font's own character map places them). The tables say which real Unicode
// character each picture is. A byte whose picture has no agreed Unicode character maps to
// U+F000 + byte, the private-use code the font itself answers to, so the text still shows
// correctly in that font.
#pragma once

#include <cstddef>

namespace richtext {

inline constexpr unsigned RVSymbolFontFirstByte = 0x20;
inline constexpr std::size_t RVSymbolFontMapSize = 0x100 - RVSymbolFontFirstByte;

// The private-use code a symbol font answers to for a byte.
constexpr char32_t RVSymbolFontPrivateCode(unsigned byte) { return 0xF000 + byte; }

} // namespace richtext
