// Addresses that run code where a link is followed: "javascript:", "vbscript:" and "data:"
// links in a document pasted into a blog editor that trusts rich HTML would run in its page.
// The readers make no link of them, and the program makes none in any format.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace richtext {

// The scheme ("javascript", "vbscript" or "data", in lower case) when the address has one of
// them as a browser reads it: blanks and controls at either end stripped, tabs and line
// breaks inside removed, letter case ignored.
std::optional<std::string> RV_ScriptingScheme(std::u16string_view address);

} // namespace richtext
