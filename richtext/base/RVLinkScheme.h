// Addresses that run code where a link is followed: "javascript:", "vbscript:" and "data:"
// links in a document pasted into a blog editor that trusts rich HTML would run in its page.
// The readers make no link of them, and the program makes none in any format.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace richtext {

// An address as a browser takes it (from an href or the address bar): C0 controls and
// blanks at either end stripped, tabs and line breaks inside removed, a NUL as U+FFFD.
std::u16string RV_BrowserAddress(std::u16string_view address);

// The scheme ("javascript", "vbscript" or "data", in lower case) when the address has one of
// them as a browser reads it (RV_BrowserAddress), letter case ignored.
std::optional<std::string> RV_ScriptingScheme(std::u16string_view address);

} // namespace richtext
