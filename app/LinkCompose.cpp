#include "app/LinkCompose.h"

#include "richtext/base/RVClasses.h"

namespace quillon {

namespace {

constexpr std::u16string_view kUrlOpen = u"[url=";
constexpr std::u16string_view kUrlClose = u"[/url]";

bool IsBlank(char16_t c) { return c >= 1 && c <= 32; }

std::u16string RemoveAll(std::u16string_view text, std::u16string_view what) {
  std::u16string result;
  result.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(what); at != std::u16string_view::npos;
       at = text.find(what, from)) {
    result.append(text.substr(from, at - from));
    from = at + what.size();
  }
  result.append(text.substr(from));
  return result;
}

} // namespace

bool HasScheme(std::u16string_view address) {
  const std::size_t colon = address.find(u':');
  if (colon == std::u16string_view::npos || colon == 0)
    return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char16_t c = address[i];
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    const bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    if (!letter && !(i > 0 && other))
      return false;
  }
  // "host:8080" reads like a scheme but is a port: digits up to the path, query or end.
  std::size_t end = colon + 1;
  while (end < address.size() && address[end] >= u'0' && address[end] <= u'9')
    ++end;
  const bool port = end > colon + 1 && (end == address.size() || address[end] == u'/' ||
                                        address[end] == u'?' || address[end] == u'#');
  return !port;
}

bool NeedsHttpPrefix(std::u16string_view address) {
  return !address.starts_with(u'/') && !HasScheme(address);
}

namespace {

bool IsAsciiAlnum(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// '&' that starts an entity reference a reader would decode: "&amp;", "&#38;", "&#x26;".
bool StartsEntity(std::u16string_view text, std::size_t i) {
  if (text[i] != u'&')
    return false;
  std::size_t k = i + 1;
  auto isHex = [](char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
  };
  bool hex = false;
  if (k < text.size() && text[k] == u'#') {
    ++k;
    if (k < text.size() && (text[k] == u'x' || text[k] == u'X')) {
      hex = true;
      ++k;
    }
  }
  const std::size_t start = k;
  while (k < text.size() && (hex ? isHex(text[k]) : IsAsciiAlnum(text[k])))
    ++k;
  return k > start && k < text.size() && text[k] == u';';
}

// A backslash is an escape only before ASCII punctuation; at the end it would escape the
// bracket or parenthesis that follows.
bool BackslashEscapes(std::u16string_view text, std::size_t i) {
  return text[i] == u'\\' && (i + 1 == text.size() || IsAsciiPunctuation(text[i + 1]));
}

// The '.' of a "www." that begins a word.
bool StartsWww(std::u16string_view text, std::size_t i) {
  if (i < 3)
    return false;
  for (std::size_t k = i - 3; k < i; ++k)
    if (text[k] != u'w' && text[k] != u'W')
      return false;
  return i == 3 || !IsAsciiAlnum(text[i - 4]);
}

} // namespace

std::u16string MarkdownLinkText(std::u16string_view title) {
  // Brackets and backslashes part text from address; the rest start inline markup in one
  // reader or another (emphasis, code, HTML, strike-out, sub- and superscript, maths).
  constexpr std::u16string_view markup = u"[]*_`<~^$";
  std::u16string text;
  text.reserve(title.size() + 8);
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char16_t c = title[i];
    // "@name" is a citation to one reader and an address to another, "http://" and
    // "www." start links of their own.
    const bool citation = c == u'@' && i + 1 < title.size() &&
                          (IsAsciiAlnum(title[i + 1]) || title[i + 1] == u'_');
    const bool linkStart = (c == u':' && title.substr(i + 1).starts_with(u"//")) ||
                           (c == u'.' && StartsWww(title, i));
    if (c == u'\\' || markup.find(c) != std::u16string_view::npos || StartsEntity(title, i) ||
        citation || linkStart)
      text += u'\\';
    text += c;
  }
  return text;
}

std::u16string MarkdownDestination(std::u16string_view address) {
  int depth = 0;
  bool balanced = true;
  bool pointed = false;
  for (std::size_t i = 0; i < address.size(); ++i) {
    const char16_t c = address[i];
    if (c == u' ' || c == u'<' || c == u'>')
      pointed = true;
    // Every backslash that could escape a parenthesis is itself escaped below, so each
    // parenthesis counts.
    if (c == u'(')
      ++depth;
    else if (c == u')' && --depth < 0)
      balanced = false;
  }
  if (depth != 0)
    balanced = false;
  pointed = pointed || !balanced;
  std::u16string destination;
  destination.reserve(address.size() + 4);
  if (pointed)
    destination += u'<';
  constexpr char16_t hex[] = u"0123456789ABCDEF";
  for (std::size_t i = 0; i < address.size(); ++i) {
    const char16_t c = address[i];
    if (c < u' ' || c == 0x7F) {
      // Readers turn controls into blanks or end the link at them; a browser reads %XX.
      destination += u'%';
      destination += hex[c >> 4];
      destination += hex[c & 15];
      continue;
    }
    // Some readers take no backslash before '&' in a destination, but all decode "&amp;".
    if (StartsEntity(address, i)) {
      destination += u"&amp;";
      continue;
    }
    if (BackslashEscapes(address, i) || (pointed && (c == u'<' || c == u'>')))
      destination += u'\\';
    destination += c;
  }
  if (pointed)
    destination += u'>';
  return destination;
}

TMarkdownLink ComposeMarkdown(std::u16string_view title, std::u16string_view address) {
  TMarkdownLink link;
  link.address = NeedsHttpPrefix(address) ? u"http://" + std::u16string(address)
                                          : std::u16string(address);
  link.markdown = u"[" + MarkdownLinkText(title) + u"](" + MarkdownDestination(link.address) + u")";
  return link;
}

std::u16string ComposeBBCode(std::u16string_view title, std::u16string_view address) {
  return std::u16string(kUrlOpen) + std::u16string(address) + u"]" + std::u16string(title) +
         std::u16string(kUrlClose);
}

std::u16string StripBBCodeTags(std::u16string_view entry) {
  // Both passes run over the whole text, so removing "[url=" may join the pieces of a
  // "[/url]" that the second pass then removes; that is the intended order.
  return RemoveAll(RemoveAll(entry, kUrlOpen), kUrlClose);
}

std::vector<std::u16string> SplitFields(std::u16string_view text, char16_t delimiter,
                                        char16_t quote) {
  std::vector<std::u16string> fields;
  const size_t end = text.size();
  size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < end && IsBlank(text[pos]))
      ++pos;
  };

  skipBlanks();
  while (pos < end) {
    std::u16string field;
    if (text[pos] == quote) {
      ++pos;
      while (pos < end) {
        if (text[pos] != quote) {
          field += text[pos++];
        } else if (pos + 1 < end && text[pos + 1] == quote) {
          field += quote;
          pos += 2;
        } else {
          ++pos; // the closing quote
          break;
        }
      }
    } else {
      size_t start = pos;
      while (pos < end && !IsBlank(text[pos]) && text[pos] != delimiter)
        ++pos;
      field.assign(text.substr(start, pos - start));
    }
    fields.push_back(std::move(field));

    skipBlanks();
    if (pos < end && text[pos] == delimiter) {
      if (pos + 1 == end)
        fields.emplace_back();
      ++pos;
      skipBlanks();
    }
  }
  return fields;
}

std::optional<TBBCodeLink> ParseBBCodeLink(std::u16string_view entry) {
  while (!entry.empty() && IsBlank(entry.front()))
    entry.remove_prefix(1);
  while (!entry.empty() && IsBlank(entry.back()))
    entry.remove_suffix(1);
  if (!entry.starts_with(kUrlOpen) || !entry.ends_with(kUrlClose) ||
      entry.size() < kUrlOpen.size() + kUrlClose.size())
    return std::nullopt;
  const std::u16string_view inner =
      entry.substr(kUrlOpen.size(), entry.size() - kUrlOpen.size() - kUrlClose.size());
  const std::size_t end = inner.find(u']');
  if (end == std::u16string_view::npos)
    return std::nullopt;
  return TBBCodeLink{std::u16string(inner.substr(0, end)), std::u16string(inner.substr(end + 1))};
}

void RecallBBCodeEntry(std::u16string_view entry,
                       const std::function<void(const std::u16string&)>& setAddress,
                       const std::function<void(const std::u16string&)>& setTitle) {
  if (const std::optional<TBBCodeLink> link = ParseBBCodeLink(entry)) {
    setAddress(link->Address);
    setTitle(link->Title);
    return;
  }
  std::vector<std::u16string> fields = SplitFields(StripBBCodeTags(entry), u']', u'"');
  if (fields.empty())
    throw richtext::EListError(0);
  setAddress(fields[0]);
  if (fields.size() < 2)
    throw richtext::EListError(1);
  setTitle(fields[1]);
}

std::u16string HiddenSampleLink() {
  return ComposeBBCode(u"Quillon", u"https://quillon.example/links");
}

} // namespace quillon
