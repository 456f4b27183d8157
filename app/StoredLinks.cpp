#include "app/StoredLinks.h"

#include "app/LinkCompose.h"
#include "app/LinkSafety.h"
#include "richtext/base/RVLinkScheme.h"

namespace quillon {

namespace {

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() >= 1 && text.front() <= 32)
    text.remove_prefix(1);
  while (!text.empty() && text.back() >= 1 && text.back() <= 32)
    text.remove_suffix(1);
  return text;
}

std::optional<TStoredLink> ParseBBCode(std::u16string_view entry) {
  std::optional<TBBCodeLink> link = ParseBBCodeLink(entry);
  if (!link)
    return std::nullopt;
  return TStoredLink{std::move(link->Title), std::move(link->Address)};
}

// A Markdown link as the window writes it: text with backslash escapes up to the first
// unescaped ']', then "(", the destination (in angle brackets or not), ")" at the end.
std::optional<TStoredLink> ParseEscapedMarkdown(std::u16string_view entry) {
  std::size_t i = 1;
  std::u16string title;
  auto takeEscaped = [&](std::u16string& out) {
    if (entry[i] == u'\\' && i + 1 < entry.size() && IsAsciiPunctuation(entry[i + 1]))
      ++i;
    out += entry[i++];
  };
  while (i < entry.size() && entry[i] != u']') {
    if (entry[i] == u'[')
      return std::nullopt;
    takeEscaped(title);
  }
  if (i + 1 >= entry.size() || entry[i + 1] != u'(')
    return std::nullopt;
  i += 2;
  std::u16string address;
  // The window writes a '&' that would read as an entity as "&amp;".
  auto takeDestination = [&] {
    if (entry.substr(i).starts_with(u"&amp;")) {
      address += u'&';
      i += 5;
    } else {
      takeEscaped(address);
    }
  };
  if (i < entry.size() && entry[i] == u'<') {
    ++i;
    while (i < entry.size() && entry[i] != u'>') {
      if (entry[i] == u'<')
        return std::nullopt;
      takeDestination();
    }
    if (i + 2 != entry.size() || entry[i + 1] != u')')
      return std::nullopt;
  } else {
    while (i + 1 < entry.size())
      takeDestination();
    if (i + 1 != entry.size())
      return std::nullopt;
  }
  return TStoredLink{std::move(title), std::move(address)};
}

std::optional<TStoredLink> ParseMarkdown(std::u16string_view entry) {
  if (!entry.starts_with(u"[") || !entry.ends_with(u")"))
    return std::nullopt;
  if (auto link = ParseEscapedMarkdown(entry))
    return link;
  // Entries the window wrote before it escaped titles: the last "](" parts title and
  // address unless the address itself holds one.
  const std::size_t middle = entry.rfind(u"](");
  if (middle == std::u16string_view::npos || middle == 0)
    return std::nullopt;
  return TStoredLink{std::u16string(entry.substr(1, middle - 1)),
                     std::u16string(entry.substr(middle + 2, entry.size() - middle - 3))};
}

} // namespace

std::optional<TStoredLink> ParseStoredLink(std::u16string_view entry) {
  entry = Trimmed(entry);
  if (auto link = ParseBBCode(entry))
    return link;
  return ParseMarkdown(entry);
}

std::vector<TStoredEntry> ReadStoredEntries(const std::vector<std::u16string>& entries) {
  std::vector<TStoredEntry> read;
  read.reserve(entries.size());
  for (const std::u16string& entry : entries) {
    std::optional<TStoredLink> link = ParseStoredLink(entry);
    // No live link is made of an address that would run code: such an entry stays text.
    if (link && richtext::RV_ScriptingScheme(link->Address))
      link.reset();
    read.push_back({entry, std::move(link)});
  }
  return read;
}

std::u16string ComposeStoredLinks(const std::vector<TStoredEntry>& entries,
                                  TStoredLinkText format) {
  std::u16string text;
  for (const TStoredEntry& entry : entries) {
    if (!entry.Link)
      text += entry.Text;
    else if (format == TStoredLinkText::Markdown)
      text += ComposeMarkdown(entry.Link->Title, entry.Link->Address).markdown;
    else
      text += ComposeBBCode(entry.Link->Title, entry.Link->Address);
    text += u'\n';
  }
  return text;
}

} // namespace quillon
