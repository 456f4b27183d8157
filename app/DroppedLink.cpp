#include "app/DroppedLink.h"

#include <algorithm>
#include <string_view>

#include "app/HtmlText.h"
#include "app/Utf.h"

namespace quillon {

namespace {

using std::u16string;
using std::u16string_view;

constexpr std::string_view kMozUrl = "text/x-moz-url";
constexpr std::string_view kNetscapeUrl = "_NETSCAPE_URL";
constexpr std::string_view kHtml = "text/html";
constexpr std::string_view kUriList = "text/uri-list";
constexpr std::string_view kPlainTexts[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING",
                                            "STRING", "TEXT"};

u16string FromUtf16(std::string_view bytes, bool bigEndian) {
  u16string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return out;
}

// The browsers write some formats as UTF-16 in the machine's order, without a mark, and
// others as UTF-8. A mark decides; else text whose odd bytes hold zeros is little-endian
// UTF-16 (a link's ASCII address has a zero high byte in every unit).
u16string DecodeDragText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE"))
    return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF"))
    return FromUtf16(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF"))
    return FromUtf8(bytes.substr(3));
  if (bytes.size() >= 2 && bytes[1] == '\0' && bytes[0] != '\0')
    return FromUtf16(bytes, false);
  return FromUtf8(bytes);
}

// A terminating zero that some programs send along.
u16string WithoutTrailingZeros(u16string text) {
  while (!text.empty() && text.back() == u'\0')
    text.pop_back();
  return text;
}

std::vector<u16string> Lines(u16string_view text) {
  std::vector<u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == u'\n' || text[i] == u'\r') {
      lines.emplace_back(text.substr(start, i - start));
      if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
        ++i;
      start = i + 1;
    }
  }
  return lines;
}

bool IsBlank(char16_t c) {
  return c <= 0x20;
}

bool HasWebScheme(u16string_view text) {
  for (u16string_view scheme : {u"http://", u"https://", u"ftp://", u"file://", u"mailto:"})
    if (FindAsciiNoCase(text, scheme) == 0)
      return true;
  return FindAsciiNoCase(text, u"www.") == 0;
}

// "address NL title", the shape of text/x-moz-url and _NETSCAPE_URL.
std::optional<TDroppedLink> ReadAddressAndTitle(std::string_view bytes) {
  const std::vector<u16string> lines = Lines(WithoutTrailingZeros(DecodeDragText(bytes)));
  if (lines.empty())
    return std::nullopt;
  TDroppedLink link{{}, CollapseHtmlWhitespace(lines[0])};
  if (link.Address.empty())
    return std::nullopt;
  if (lines.size() > 1)
    link.Title = CollapseHtmlWhitespace(lines[1]);
  return link;
}

std::optional<TDroppedLink> ReadHtmlAnchor(std::string_view bytes) {
  const u16string html = WithoutTrailingZeros(DecodeDragText(bytes));
  for (std::size_t at = FindAsciiNoCase(html, u"<a"); at != u16string::npos;
       at = FindAsciiNoCase(html, u"<a", at + 2)) {
    if (at + 2 >= html.size() || !IsBlank(html[at + 2]))
      continue; // <abbr>, <article> and the like
    const std::size_t tagEnd = html.find(u'>', at);
    if (tagEnd == u16string::npos)
      return std::nullopt;
    const auto href = HtmlAttribute(u16string_view(html).substr(at + 2, tagEnd - at - 2), u"href");
    if (!href || CollapseHtmlWhitespace(*href).empty())
      continue;
    std::size_t close = FindAsciiNoCase(html, u"</a", tagEnd);
    if (close == u16string::npos)
      close = html.size();
    const u16string text = html.substr(tagEnd + 1, close - tagEnd - 1);
    return TDroppedLink{CollapseHtmlWhitespace(DecodeHtmlEntities(StripHtmlTags(text))),
                        CollapseHtmlWhitespace(*href)};
  }
  return std::nullopt;
}

std::optional<TDroppedLink> ReadUriList(std::string_view bytes) {
  for (const u16string& line : Lines(WithoutTrailingZeros(DecodeDragText(bytes)))) {
    const u16string address = CollapseHtmlWhitespace(line);
    if (!address.empty() && address.front() != u'#')
      return TDroppedLink{{}, address};
  }
  return std::nullopt;
}

std::optional<TDroppedLink> ReadPlainAddress(std::string_view bytes) {
  const u16string text = CollapseHtmlWhitespace(WithoutTrailingZeros(DecodeDragText(bytes)));
  if (text.empty() || std::any_of(text.begin(), text.end(), IsBlank) || !HasWebScheme(text))
    return std::nullopt;
  return TDroppedLink{{}, text};
}

const TDropFormat* Find(const std::vector<TDropFormat>& formats, std::string_view name) {
  for (const TDropFormat& format : formats)
    if (format.Name == name)
      return &format;
  return nullptr;
}

} // namespace

std::optional<TDroppedLink> ReadDroppedLink(const std::vector<TDropFormat>& formats) {
  using TReader = std::optional<TDroppedLink> (*)(std::string_view);
  const std::pair<std::string_view, TReader> readers[] = {{kMozUrl, ReadAddressAndTitle},
                                                          {kNetscapeUrl, ReadAddressAndTitle},
                                                          {kHtml, ReadHtmlAnchor},
                                                          {kUriList, ReadUriList}};
  std::optional<TDroppedLink> untitled;
  for (const auto& [name, reader] : readers) {
    const TDropFormat* format = Find(formats, name);
    if (!format)
      continue;
    auto link = reader(format->Bytes);
    if (link && !link->Title.empty())
      return link;
    if (link && !untitled)
      untitled = link; // a later format may still name the title
  }
  if (untitled)
    return untitled;
  for (std::string_view name : kPlainTexts)
    if (const TDropFormat* format = Find(formats, name))
      if (auto link = ReadPlainAddress(format->Bytes))
        return link;
  return std::nullopt;
}

bool MayHoldLink(const std::vector<std::string>& formatNames) {
  return std::any_of(formatNames.begin(), formatNames.end(), [](const std::string& name) {
    return name == kMozUrl || name == kNetscapeUrl || name == kHtml || name == kUriList ||
           std::find(std::begin(kPlainTexts), std::end(kPlainTexts), name) != std::end(kPlainTexts);
  });
}

} // namespace quillon
