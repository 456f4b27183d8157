#include "RTFControlWords.h"

#include <cctype>

namespace richtext::test {

std::string RTFWords(std::string_view rtf) {
  std::string out;
  std::size_t i = 0;
  auto isAlpha = [&](std::size_t k) {
    return k < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[k]));
  };
  auto isDigit = [&](std::size_t k) {
    return k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]));
  };
  while (i < rtf.size()) {
    if (!out.empty())
      out += ' ';
    if (rtf[i] != '\\' || !isAlpha(i + 1)) {
      out += '<';
      out += rtf.substr(i);
      out += '>';
      break;
    }
    std::size_t j = i + 1;
    while (isAlpha(j))
      ++j;
    if (j < rtf.size() && rtf[j] == '-' && isDigit(j + 1))
      ++j;
    while (isDigit(j))
      ++j;
    out += rtf.substr(i + 1, j - i - 1);
    i = j;
  }
  return out;
}

} // namespace richtext::test
