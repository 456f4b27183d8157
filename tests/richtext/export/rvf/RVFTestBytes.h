// Building expected RVF bytes by hand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace richtext::test {

inline const std::string CRLF = "\r\n";
// The paragraph separator U+2029 that ends a raw UTF-16 text line.
inline const std::string ParaSep = std::string("\x29\x20", 2);

// ASCII text as UTF-16 little-endian bytes.
inline std::string U16(std::string_view Ascii) {
  std::string out;
  for (char c : Ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

// A raw text line of read type 0.
inline std::string RawLine(std::string_view Ascii) {
  return U16(Ascii) + ParaSep;
}

inline std::string Int32LE(std::uint32_t v) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

inline std::string Line(std::string_view s) {
  return std::string(s) + CRLF;
}

} // namespace richtext::test
