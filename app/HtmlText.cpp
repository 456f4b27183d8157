#include "app/HtmlText.h"

#include <algorithm>

#include "richtext/base/RVHTMLEntities.h"

namespace quillon {

namespace {

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
    const std::size_t length = text[i] == u'&' ? richtext::RVReadHTMLReference(text, i, code) : 0;
    if (length == 0) {
      out += text[i++];
      continue;
    }
    richtext::RVAppendCodePoint(out, code);
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
