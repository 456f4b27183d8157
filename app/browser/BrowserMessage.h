// What the browser extension sends and what it gets back. The host checks every message
// before it relays it, and the window checks it again as it arrives over its socket: both go
// through Parse, so both take exactly the same messages.
//
//   {"type":"tab","title":T,"url":U}                 the current tab
//   {"type":"link","text":T,"url":U}                 a link of the page
//   {"type":"selection","html":H,"text":T,"url":U,"title":T}
//   {"type":"tabs","tabs":[{"title":T,"url":U},...]} the highlighted tabs
//   {"type":"ping"}                                  answered by the host itself
//   {"type":"templates"}                             the user's link templates, from the host
//
// A tab, link, selection or tabs message with "template":NAME asks for the text of the
// user's link template NAME instead. The reply is {"ok":true,"message":M} or
// {"ok":false,"error":E}; to "templates" {"ok":true,"templates":[NAME,...],"errors":[E,...]}.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A message that is not one of the above; its text says what is wrong, for the extension
// to show.
class EBrowserMessage : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TBrowserMessageType { Ping, Templates, Tab, Link, Selection, Tabs };

struct TBrowserLink {
  std::u16string Title; // a tab's title or a link's text; its address when the page gave none
  std::u16string Url;
  bool operator==(const TBrowserLink&) const = default;
};

struct TBrowserMessage {
  TBrowserMessageType Type = TBrowserMessageType::Ping;
  // One for a tab, a link or a selection (the page's title and address), one per tab of Tabs.
  std::vector<TBrowserLink> Links;
  std::u16string Html; // a selection's
  std::u16string Text; // a selection's
  std::u16string Template; // the name of the link template to write with, if any
};

// Most tabs one message carries, and the longest title or address taken.
inline constexpr std::size_t MaxBrowserTabs = 1000;
inline constexpr std::size_t MaxBrowserField = 64 * 1024;
// A selection's HTML and text, in characters.
inline constexpr std::size_t MaxBrowserSelection = 4u << 20;

// Parses and checks one message. Throws EBrowserMessage.
TBrowserMessage ParseBrowserMessage(std::string_view json);
// The message as compact JSON on one line (no line break inside), as it is relayed.
std::string SerializeBrowserMessage(const TBrowserMessage& message);

std::string BrowserReplyOk(const std::u16string& message);
std::string BrowserReplyError(std::string_view error);
std::string BrowserReplyTemplates(const std::vector<std::u16string>& names,
                                  const std::vector<std::string>& errors);

struct TBrowserReply {
  bool Ok = false;
  std::string Text; // the message or the error, UTF-8
};
// Reads a reply as the window gave it. A reply that is no reply gives an error.
TBrowserReply ParseBrowserReply(std::string_view json);

} // namespace quillon
