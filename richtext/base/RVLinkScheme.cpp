#include "richtext/base/RVLinkScheme.h"

namespace richtext {

std::u16string RV_BrowserAddress(std::u16string_view address) {
  while (!address.empty() && address.front() <= u' ')
    address.remove_prefix(1);
  while (!address.empty() && address.back() <= u' ')
    address.remove_suffix(1);
  std::u16string out;
  out.reserve(address.size());
  for (const char16_t c : address)
    if (c != u'\t' && c != u'\n' && c != u'\r')
      out += c == u'\0' ? u'\uFFFD' : c;
  return out;
}

std::optional<std::string> RV_ScriptingScheme(std::u16string_view address) {
  // The scheme ends at the first ':' of the address as a browser reads it.
  const std::u16string cleaned = RV_BrowserAddress(address);
  std::string scheme;
  bool colon = false;
  for (const char16_t c : cleaned) {
    if (c == u':') {
      colon = true;
      break;
    }
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    const bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    if (!letter && !(other && !scheme.empty()))
      return std::nullopt;
    scheme += static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    if (scheme.size() > 10)
      return std::nullopt;
  }
  if (!colon)
    return std::nullopt;
  if (scheme == "javascript" || scheme == "vbscript" || scheme == "data")
    return scheme;
  return std::nullopt;
}

} // namespace richtext
