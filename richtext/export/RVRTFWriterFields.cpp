// Hyperlink field arguments, bookmark names and the header's code page.
#include "richtext/export/RVRTFWriter.h"

#include <unicode/uchar.h>

#include "richtext/export/RVRTFSaveText.h"

namespace richtext {

namespace {

bool NeedsPercentEncoding(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u' ' || c == u'"' || c == u'%' || c == u'+';
}

constexpr char16_t UpperHexDigits[] = u"0123456789ABCDEF";

} // namespace

std::u16string RVPercentEncodeURL(std::u16string_view URL) {
  std::u16string out;
  out.reserve(URL.size());
  for (char16_t c : URL) {
    if (!NeedsPercentEncoding(c)) {
      out += c;
      continue;
    }
    out += u'%';
    out += UpperHexDigits[(c >> 4) & 0xF];
    out += UpperHexDigits[c & 0xF];
  }
  return out;
}

void CalcLocalURL(std::u16string_view URL, std::u16string& Target, std::u16string& LocalTarget) {
  // "#" alone (the page itself) has no anchor to name: it stays the target, or the link
  // would be lost.
  if (URL.size() > 1 && URL.front() == u'#') {
    Target.clear();
    LocalTarget.assign(URL.substr(1));
    return;
  }
  const std::size_t dot = URL.find(u'.');
  const std::size_t hash = dot == std::u16string_view::npos ? dot : URL.find(u'#', dot + 1);
  // A '#' that ends the address names no anchor: it stays in the target, or it would be lost.
  if (hash == std::u16string_view::npos || hash + 1 == URL.size()) {
    Target.assign(URL);
    LocalTarget.clear();
    return;
  }
  Target.assign(URL.substr(0, hash));
  LocalTarget.assign(URL.substr(hash + 1));
}

std::u16string RVMakeHyperlinkExtras(std::u16string_view Hint) {
  if (Hint.empty())
    return {};
  std::u16string out = u"\\o \"";
  for (char16_t c : Hint)
    out += c == u'"' ? u'\'' : c;
  out += u'"';
  return out;
}

std::string RVMakeRTFHyperlinkFieldText(std::u16string_view Target, std::u16string_view LocalTarget,
                                        std::u16string_view Extras, TRVCodePage CodePage,
                                        bool SaveAnsi) {
  std::string out;
  if (!Target.empty()) {
    out += '"';
    out += RVMakeRTFFileNameStr(Target, CodePage, SaveAnsi);
    out += '"';
  }
  if (!LocalTarget.empty()) {
    if (!out.empty())
      out += ' ';
    out += " \\\\l \"";
    out += RVMakeRTFFileNameStr(LocalTarget, CodePage, SaveAnsi);
    out += '"';
  }
  if (!Extras.empty() && !out.empty()) {
    out += ' ';
    out += RVMakeRTFStrW(Extras, CodePage, SaveAnsi, false, false, false);
  }
  return out;
}

std::string RVMakeRTFBookmarkName(std::u16string_view Name, TRVCodePage CodePage, bool SaveAnsi) {
  std::u16string name(Name.substr(0, RVRTFMaxBookmarkLength));
  for (char16_t& c : name)
    if (!(u_isalpha(c) || u_isdigit(c)))
      c = u'_';
  return MakeRTFIdentifierStr(name, CodePage, SaveAnsi);
}

std::string RVMakeRTFBookmark(std::u16string_view Name, TRVCodePage CodePage, bool SaveAnsi) {
  const std::string name = RVMakeRTFBookmarkName(Name, CodePage, SaveAnsi);
  std::string out(RTF_BookmarkStart);
  out += name;
  out += RTF_BookmarkEnd;
  out += name;
  out += '}';
  return out;
}

TRVCodePage RVRTFHeaderCodePage(TRVCodePage DefCodePage) {
  // "\ansicpg0" names no code page at all; readers then guess, and the "\'hh" fallbacks
  // written after each Unicode escape are in the process's ANSI code page.
  return DefCodePage != CP_ACP ? DefCodePage : RVU_GetProcessAnsiCodePage();
}

} // namespace richtext
