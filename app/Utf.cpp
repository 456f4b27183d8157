#include "app/Utf.h"

#include <unicode/ustring.h>

#include <climits>
#include <cstdint>
#include <stdexcept>

namespace quillon {

std::string ToUtf8(std::u16string_view text) {
  if (text.empty())
    return {};
  if (text.size() > INT32_MAX / 3)
    throw std::length_error("Text too long to convert");
  // Every UTF-16 unit takes at most three UTF-8 bytes (a pair takes four for two units).
  std::string bytes(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(bytes.data(), static_cast<int32_t>(bytes.size()), &length,
                     reinterpret_cast<const UChar*>(text.data()),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &error);
  if (U_FAILURE(error) && error != U_STRING_NOT_TERMINATED_WARNING)
    return {};
  bytes.resize(static_cast<size_t>(length));
  return bytes;
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
