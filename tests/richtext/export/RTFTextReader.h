// A minimal reader of RTF run text for tests: turns what the text encoders write back into
// UTF-16 the way an RTF reader that understands Unicode escapes does (the fallback after each
// "\uN" is skipped by the "\ucN" count in force), so that a test can check the encoding
// round-trips instead of comparing with hand-written escapes.
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>

namespace richtext::test {

inline std::u16string ReadRTFText(std::string_view rtf, int fallbackCount) {
  std::u16string out;
  int uc = fallbackCount;
  int skip = 0;
  auto emit = [&](char16_t c) {
    if (skip > 0)
      --skip;
    else
      out += c;
  };
  std::size_t i = 0;
  while (i < rtf.size()) {
    const char ch = rtf[i];
    if (ch == '{' || ch == '}') { // the groups of the named spaces
      ++i;
      continue;
    }
    if (ch != '\\') {
      emit(static_cast<unsigned char>(ch));
      ++i;
      continue;
    }
    if (i + 1 >= rtf.size())
      throw std::runtime_error("backslash at the end");
    const char next = rtf[i + 1];
    if (std::isalpha(static_cast<unsigned char>(next))) {
      std::size_t j = i + 1;
      while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
        ++j;
      const std::string word(rtf.substr(i + 1, j - i - 1));
      std::size_t k = j;
      if (k < rtf.size() && rtf[k] == '-')
        ++k;
      while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
        ++k;
      const bool hasParam = k > j;
      const long param = hasParam ? std::stol(std::string(rtf.substr(j, k - j))) : 0;
      if (k < rtf.size() && rtf[k] == ' ')
        ++k;
      i = k;
      if (word == "u" && hasParam) {
        skip = 0;
        out += static_cast<char16_t>(param < 0 ? param + 65536 : param);
        skip = uc;
      } else if (word == "uc" && hasParam) {
        uc = static_cast<int>(param);
      } else if (word == "enspace") {
        emit(0x2002);
      } else if (word == "emspace") {
        emit(0x2003);
      } else if (word == "qmspace") {
        emit(0x2005);
      } else if (word == "zwnj") {
        emit(0x200C);
      } else if (word == "zwj") {
        emit(0x200D);
      } else if (word == "endash") {
        emit(0x2013);
      } else if (word == "emdash") {
        emit(0x2014);
      } else if (word == "lquote") {
        emit(0x2018);
      } else if (word == "rquote") {
        emit(0x2019);
      } else if (word == "ldblquote") {
        emit(0x201C);
      } else if (word == "rdblquote") {
        emit(0x201D);
      } else if (word == "bullet") {
        emit(0x2022);
      } else {
        throw std::runtime_error("unexpected control word \\" + word);
      }
      continue;
    }
    if (next == '\'') {
      if (i + 3 >= rtf.size())
        throw std::runtime_error("short hex escape");
      emit(static_cast<char16_t>(std::stoi(std::string(rtf.substr(i + 2, 2)), nullptr, 16)));
      i += 4;
      continue;
    }
    switch (next) {
    case '\\':
    case '{':
    case '}':
      emit(static_cast<unsigned char>(next));
      break;
    case '~':
      emit(0x00A0);
      break;
    case '-':
      emit(0x00AD);
      break;
    default:
      throw std::runtime_error(std::string("unexpected control symbol \\") + next);
    }
    i += 2;
  }
  return out;
}

} // namespace richtext::test
