#include "app/HtmlText.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>

namespace quillon {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// What browsers make of numeric references to the C1 range: the windows-1252 characters.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendCodePoint(std::u16string& out, char32_t code) {
  char16_t units[2];
  std::int32_t length = 0;
  U16_APPEND_UNSAFE(units, length, static_cast<UChar32>(code));
  out.append(units, static_cast<std::size_t>(length));
}

bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsAsciiHexDigit(char16_t c) {
  return IsAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsAsciiAlnum(char16_t c) {
  return IsAsciiDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char32_t NumericReferenceValue(char32_t value) {
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return kReplacement;
  if (value >= 0x80 && value <= 0x9F)
    return kWindows1252High[value - 0x80];
  return value;
}

// Reads the reference that starts at text[at] == '&'; returns its length, 0 if none.
std::size_t ReadReference(std::u16string_view text, std::size_t at, char32_t& code) {
  std::size_t i = at + 1;
  if (i < text.size() && text[i] == u'#') {
    ++i;
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex)
      ++i;
    const std::size_t digits = i;
    char32_t value = 0;
    for (; i < text.size() && (hex ? IsAsciiHexDigit(text[i]) : IsAsciiDigit(text[i])); ++i) {
      const char16_t c = text[i];
      const unsigned digit = IsAsciiDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
      // Saturate: any value past the last code point means the same as one just past it.
      value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    if (i == digits || i >= text.size() || text[i] != u';')
      return 0;
    code = NumericReferenceValue(value);
    return i + 1 - at;
  }
  std::string name;
  for (; i < text.size() && IsAsciiAlnum(text[i]) && name.size() < 16; ++i)
    name += static_cast<char>(text[i]);
  if (name.empty() || i >= text.size() || text[i] != u';')
    return 0;
  const THtmlEntity* end = kHtmlEntities + kHtmlEntityCount;
  const THtmlEntity* found =
      std::lower_bound(kHtmlEntities, end, name, [](const THtmlEntity& e, const std::string& n) {
        return std::strcmp(e.Name, n.c_str()) < 0;
      });
  if (found == end || name != found->Name)
    return 0;
  code = found->Code;
  return i + 1 - at;
}

bool IsHtmlSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
}

} // namespace

std::u16string DecodeHtmlEntities(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = text[i] == u'&' ? ReadReference(text, i, code) : 0;
    if (length == 0) {
      out += text[i++];
      continue;
    }
    AppendCodePoint(out, code);
    i += length;
  }
  return out;
}

std::u16string CollapseHtmlWhitespace(std::u16string_view text) {
  std::u16string out;
  bool pendingSpace = false;
  for (char16_t c : text) {
    if (IsHtmlSpace(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace)
      out += u' ';
    pendingSpace = false;
    out += c;
  }
  return out;
}

std::u16string StripHtmlTags(std::u16string_view html) {
  std::u16string out;
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] != u'<') {
      out += html[i++];
      continue;
    }
    const bool comment = html.substr(i, 4) == u"<!--";
    const std::size_t end = comment ? html.find(u"-->", i + 4) : html.find(u'>', i + 1);
    if (end == std::u16string_view::npos)
      break; // an unfinished tag hides the rest, as in a browser
    i = end + (comment ? 3 : 1);
  }
  return out;
}

std::vector<std::pair<std::u16string, std::u16string>>
ParseHtmlAttributes(std::u16string_view tag) {
  std::vector<std::pair<std::u16string, std::u16string>> attributes;
  std::size_t i = 0;
  auto skipSpaces = [&] {
    while (i < tag.size() && (IsHtmlSpace(tag[i]) || tag[i] == u'/'))
      ++i;
  };
  while (true) {
    skipSpaces();
    if (i >= tag.size())
      break;
    std::u16string name;
    while (i < tag.size() && !IsHtmlSpace(tag[i]) && tag[i] != u'=' && tag[i] != u'/' &&
           (tag[i] != u'>'))
      name += AsciiLower(tag[i++]);
    while (i < tag.size() && IsHtmlSpace(tag[i]))
      ++i;
    std::u16string value;
    if (i < tag.size() && tag[i] == u'=') {
      ++i;
      while (i < tag.size() && IsHtmlSpace(tag[i]))
        ++i;
      if (i < tag.size() && (tag[i] == u'"' || tag[i] == u'\'')) {
        const char16_t quote = tag[i++];
        const std::size_t end = std::min(tag.find(quote, i), tag.size());
        value = DecodeHtmlEntities(tag.substr(i, end - i));
        i = end + 1;
      } else {
        const std::size_t start = i;
        while (i < tag.size() && !IsHtmlSpace(tag[i]))
          ++i;
        value = DecodeHtmlEntities(tag.substr(start, i - start));
      }
    }
    if (name.empty())
      ++i; // a stray character: step over it
    else
      attributes.emplace_back(std::move(name), std::move(value));
  }
  return attributes;
}

std::optional<std::u16string> HtmlAttribute(std::u16string_view tag, std::u16string_view name) {
  for (auto& [attribute, value] : ParseHtmlAttributes(tag))
    if (attribute == name)
      return std::move(value);
  return std::nullopt;
}

std::size_t FindAsciiNoCase(std::u16string_view text, std::u16string_view name, std::size_t start) {
  if (name.empty() || text.size() < name.size())
    return std::u16string_view::npos;
  for (std::size_t i = start; i + name.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < name.size() && AsciiLower(text[i + k]) == name[k])
      ++k;
    if (k == name.size())
      return i;
  }
  return std::u16string_view::npos;
}

} // namespace quillon
