// Addresses that run code where a link is followed: "javascript:", "vbscript:" and "data:"
// links pasted into a blog editor that trusts rich HTML would run in its page. Quillon makes
// no link of them, in any format.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Throws the error that says why no link is made of an address with a scheme that runs code
// (richtext::RV_ScriptingScheme); does nothing for any other address.
void RefuseScriptingAddress(std::u16string_view address);

} // namespace quillon
