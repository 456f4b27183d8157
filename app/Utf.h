// UTF-8 <-> UTF-16 for the edges of the link tool: exception messages, file paths and the
// UTF-8 list files. Malformed input never throws: each bad sequence becomes U+FFFD, so a
// message or a path is always shown, if imperfectly.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view bytes);

} // namespace quillon
