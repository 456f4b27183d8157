#include "app/StoredLinks.h"

#include "app/LinkCompose.h"

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
  constexpr std::u16string_view open = u"[url=";
  constexpr std::u16string_view close = u"[/url]";
  if (!entry.starts_with(open) || !entry.ends_with(close))
    return std::nullopt;
  const std::u16string_view inner =
      entry.substr(open.size(), entry.size() - open.size() - close.size());
  const std::size_t end = inner.find(u']');
  if (end == std::u16string_view::npos)
    return std::nullopt;
  return TStoredLink{std::u16string(inner.substr(end + 1)), std::u16string(inner.substr(0, end))};
}

std::optional<TStoredLink> ParseMarkdown(std::u16string_view entry) {
  if (!entry.starts_with(u"[") || !entry.ends_with(u")"))
    return std::nullopt;
  // The window writes the title unescaped, so the last "](" is the one that parts title
  // and address unless the address itself holds one.
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
  for (const std::u16string& entry : entries)
    read.push_back({entry, ParseStoredLink(entry)});
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
