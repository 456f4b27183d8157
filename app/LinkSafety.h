// Addresses that run code where a link is followed: "javascript:", "vbscript:" and "data:"
// links pasted into a blog editor that trusts rich HTML would run in its page. Quillon makes
// no link of them, in any format.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The scheme ("javascript", "vbscript" or "data", in lower case) when the address has one of
// them as a browser reads it: blanks and controls at either end stripped, tabs and line
// breaks inside removed, letter case ignored.
std::optional<std::string> ScriptingScheme(std::u16string_view address);

// Throws the error that says why no link is made of such an address; does nothing for any
// other address.
void RefuseScriptingAddress(std::u16string_view address);

} // namespace quillon
