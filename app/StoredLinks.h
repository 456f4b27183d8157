// The entries of the two lists read back as links, for copying many at once: a BBCode entry
// "[url=ADDRESS]TITLE[/url]" or a Markdown entry "[TITLE](ADDRESS)" gives its title and
// address; anything else stays text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct TStoredLink {
  std::u16string Title;
  std::u16string Address;
  bool operator==(const TStoredLink&) const = default;
};

// Blanks (codes 1..32) around the entry are ignored. A Markdown entry's backslash escapes
// and angle brackets are read as the window writes them; entries from before the window
// escaped are read as they were written.
std::optional<TStoredLink> ParseStoredLink(std::u16string_view entry);

// One entry of a selection: a link, or the entry's text when it is none.
struct TStoredEntry {
  std::u16string Text;
  std::optional<TStoredLink> Link;
};

// A link whose address would run code ("javascript:" and the like) is read as text.
std::vector<TStoredEntry> ReadStoredEntries(const std::vector<std::u16string>& entries);

enum class TStoredLinkText { Markdown, BBCode };

// One line per entry, each ending in a line feed: the link composed as the window composes
// it (Markdown with "http://" in front of an address without "http"), the text of an entry
// that is no link unchanged.
std::u16string ComposeStoredLinks(const std::vector<TStoredEntry>& entries, TStoredLinkText format);

} // namespace quillon
