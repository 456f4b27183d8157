// What the fuzz targets check of written RTF, and how they read their input bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::fuzz {

// The offset of the first byte outside 20..7F (and, if allowed, CR and LF); npos when there is
// none. DEL stays: the writers pass 7-bit bytes through and escape only the 8-bit ones.
inline std::size_t FirstNonAsciiByte(std::string_view rtf, bool allowLineBreaks) {
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const auto b = static_cast<unsigned char>(rtf[i]);
    if (allowLineBreaks && (b == '\r' || b == '\n'))
      continue;
    if (b < 0x20 || b > 0x7F)
      return i;
  }
  return std::string_view::npos;
}

// Counts only braces that are not escaped.
inline bool BracesBalanced(std::string_view rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\')
      ++i; // the escaped character, or the first letter of a word
    else if (rtf[i] == '{')
      ++depth;
    else if (rtf[i] == '}' && --depth < 0)
      return false;
  }
  return depth == 0;
}

// Little-endian code units; an odd last byte is dropped.
inline std::u16string Utf16FromBytes(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  return text;
}

// A readable excerpt of bytes for a failure message: printable ASCII as is, the rest as \xHH.
inline std::string Excerpt(std::string_view bytes, std::size_t around = 0) {
  const std::size_t from = around > 40 ? around - 40 : 0;
  std::string out;
  for (std::size_t i = from; i < bytes.size() && i < from + 120; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
    } else {
      static constexpr char Hex[] = "0123456789ABCDEF";
      out += "\\x";
      out += Hex[b >> 4];
      out += Hex[b & 15];
    }
  }
  return out;
}

} // namespace quillon::fuzz
