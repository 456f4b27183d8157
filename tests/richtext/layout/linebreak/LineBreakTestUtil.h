// Readable renderings of break results for the line breaking tests.
#pragma once

#include "richtext/layout/RVLineBreak.h"

#include <cstdio>
#include <string>
#include <vector>

namespace linebreak_test {

inline const char* ClassName(richtext::TRVLineBreakClass c) {
  static const char* const names[] = {"OB", "OP", "CL", "QU", "GL", "NS", "EX",  "SY",
                                      "IS", "PR", "PO", "NU", "AL", "SP", "ID",  "IN",
                                      "HY", "BA", "BB", "B2", "ZW", "CM", "LSG", "HSG"};
  return c < richtext::RV_LINEBREAK_CLASS_COUNT ? names[c] : "?";
}

// UTF-16 to UTF-8, with unpaired surrogates and invisible characters written as <XXXX>.
inline std::string Show(std::u16string_view s) {
  std::string out;
  auto hex = [&](unsigned v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "<%04X>", v);
    out += buf;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c < 0x20 || c == 0xA0 || c == 0xAD ||
               (c >= 0x200B && c <= 0x200F) || c == 0x2028 || c == 0x2029 ||
               (c >= 0x2060 && c <= 0x206F) || (c >= 0x0300 && c <= 0x036F)) {
      hex(unsigned(c));
      continue;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// The text with "|" at the given cut positions (indices where a new part starts).
inline std::string Cut(std::u16string_view s, const std::vector<int>& cuts) {
  std::string out;
  int from = 0;
  for (int cut : cuts) {
    out += Show(s.substr(from, cut - from)) + "|";
    from = cut;
  }
  return out + Show(s.substr(from));
}

} // namespace linebreak_test
