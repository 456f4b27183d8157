// The display form of a run of text: special characters replaced or removed.
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "richtext/base/RVUni.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

constexpr char16_t NotSign = 0x00AC;
constexpr char16_t NonBreakingHyphen = 0x2011;
constexpr char16_t ZeroWidthSpace = 0x200B;
constexpr char16_t WordJoiner = 0x2060;

// Upper-cases in place with simple (one-to-one) case mappings, so the length never changes.
void UpperCaseInPlace(std::u16string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t start = i;
    UChar32 c;
    U16_NEXT(s.data(), i, s.size(), c);
    UChar32 u = u_toupper(c);
    if (u == c || U16_LENGTH(u) != i - start)
      continue;
    std::size_t k = start;
    U16_APPEND_UNSAFE(s.data(), k, u);
  }
}

} // namespace

std::u16string RV_ReturnProcessedStringEx(const std::u16string& s,
                                          const TCustomRVFontInfo& TextStyle, bool LastOnLine,
                                          bool ShowSpecialChars, bool ForDisplay,
                                          bool IsSymbolCharset, int& SelOffs1, int& SelOffs2) {
  std::u16string r = s;
  if (IsSymbolCharset)
    return r;
  ShowSpecialChars = ShowSpecialChars && RVVisibleSpecialCharacters.Contains(rvscSoftHyphen);
  if (TextStyle.StyleEx.Contains(rvfsAllCaps) && RVNT)
    UpperCaseInPlace(r);
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i] == RV_SOFTHYPHEN) {
      if (LastOnLine && i + 1 == r.size())
        r[i] = u'-';
      else if (ShowSpecialChars)
        r[i] = NotSign;
    } else if (r[i] == NonBreakingHyphen) {
      r[i] = u'-';
    }
  }
  if (ForDisplay) {
    for (std::size_t i = r.size(); i-- > 0;) {
      char16_t c = r[i];
      bool remove = c == RV_SOFTHYPHEN || (!RVVista && (c == ZeroWidthSpace || c == WordJoiner));
      if (!remove)
        continue;
      r.erase(i, 1);
      const int pos = static_cast<int>(i) + 1; // 1-based character position
      if (pos < SelOffs1)
        --SelOffs1;
      if (pos < SelOffs2)
        --SelOffs2;
    }
  }
  return r;
}

std::u16string RV_ReturnProcessedString(const std::u16string& s, const TCustomRVFontInfo& TextStyle,
                                        bool LastOnLine, bool ShowSpecialChars, bool ForDisplay,
                                        bool IsSymbolCharset) {
  int a = 0, b = 0;
  return RV_ReturnProcessedStringEx(s, TextStyle, LastOnLine, ShowSpecialChars, ForDisplay,
                                    IsSymbolCharset, a, b);
}

} // namespace richtext
