// A link dropped on the window from a browser: its title and address, read from the formats
// the drag offers (docs/drag-and-drop.md lists what the browsers put there). Plain C++: the
// window hands over every format of the drag as name and bytes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon {

struct TDropFormat {
  std::string Name;  // the drag's target name, a MIME type or an X11 atom name
  std::string Bytes; // as offered, unconverted
};

struct TDroppedLink {
  std::u16string Title; // empty when no format of the drag named one
  std::u16string Address;
  bool operator==(const TDroppedLink&) const = default;
};

// The best link the formats hold, in this order: text/x-moz-url (address and title),
// _NETSCAPE_URL (address and title), text/html (the first anchor with an href; its text as
// the title), text/uri-list (the first address), plain text that is one address. None when
// no format holds an address.
std::optional<TDroppedLink> ReadDroppedLink(const std::vector<TDropFormat>& formats);

// Whether the drag could hold a link at all, before its data is fetched (on entering).
bool MayHoldLink(const std::vector<std::string>& formatNames);

} // namespace quillon
