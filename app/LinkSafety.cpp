#include "app/LinkSafety.h"

#include <stdexcept>

#include "richtext/base/RVLinkScheme.h"

namespace quillon {

void RefuseScriptingAddress(std::u16string_view address) {
  if (const std::optional<std::string> scheme = richtext::RV_ScriptingScheme(address))
    throw std::runtime_error("No link is made of a \"" + *scheme +
                             ":\" address: where the link is followed it would run code");
}

} // namespace quillon
