#include "richtext/document/RVFuncs.h"

namespace richtext {

void RV_ReplaceTabs(std::u16string& s, int SpacesInTab) {
  if (s.find(u'\t') == std::u16string::npos)
    return;
  const std::u16string spaces(SpacesInTab > 0 ? static_cast<std::size_t>(SpacesInTab) : 0, u' ');
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s)
    if (c == u'\t')
      out += spaces;
    else
      out += c;
  s = std::move(out);
}

} // namespace richtext
