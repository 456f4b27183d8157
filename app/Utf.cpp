#include "app/Utf.h"

#include <unicode/ustring.h>

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "richtext/base/RVUni.h"

namespace quillon {

std::string ToUtf8(std::u16string_view text) {
  return richtext::RVU_UnicodeToUtf8(text);
}

std::u16string FromUtf8(std::string_view bytes) {
  if (bytes.empty())
    return {};
  if (bytes.size() > INT32_MAX)
    throw std::length_error("Text too long to convert");
  // One byte never yields more than one UTF-16 unit.
  std::u16string text(bytes.size(), u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(text.data()), static_cast<int32_t>(text.size()),
                       &length, bytes.data(), static_cast<int32_t>(bytes.size()), 0xFFFD,
                       nullptr, &error);
  if (U_FAILURE(error) && error != U_STRING_NOT_TERMINATED_WARNING)
    return {};
  text.resize(static_cast<size_t>(length));
  return text;
}

} // namespace quillon
