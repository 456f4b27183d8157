#include "app/Utf.h"

#include "richtext/base/RVUni.h"

namespace quillon {

std::string ToUtf8(std::u16string_view text) {
  return richtext::RVU_UnicodeToUtf8(text);
}

std::u16string FromUtf8(std::string_view bytes) {
  // One byte never yields more than one UTF-16 unit.
  std::u16string text(bytes.size(), u'\0');
  text.resize(static_cast<std::size_t>(richtext::RVU_Utf8ToUnicode(bytes, text.data()) - text.data()));
  return text;
}

} // namespace quillon
