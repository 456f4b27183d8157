// The display form of a run of text: special characters replaced or removed.
#include <algorithm>
#include <numeric>

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

std::u16string RV_ReturnProcessedStringMap(const std::u16string& s,
                                           const TCustomRVFontInfo& TextStyle, bool LastOnLine,
                                           bool ShowSpecialChars, bool ForDisplay,
                                           bool IsSymbolCharset, std::vector<int>* ShownIndex) {
  std::u16string r = s;
  if (ShownIndex != nullptr) {
    ShownIndex->resize(s.size() + 1);
    std::iota(ShownIndex->begin(), ShownIndex->end(), 0);
  }
  if (IsSymbolCharset)
    return r;
  ShowSpecialChars = ShowSpecialChars && RVVisibleSpecialCharacters.Contains(rvscSoftHyphen);
  if (TextStyle.StyleEx.Contains(rvfsAllCaps) && RVNT)
    UpperCaseInPlace(r);
  // Most text holds none of the characters below (all above U+007F): it is shown as it is.
  if (std::none_of(r.begin() + static_cast<std::ptrdiff_t>(RVU_FindUnitFrom(r, 0, 0x80)), r.end(),
                   [](char16_t c) {
                     return c == RV_SOFTHYPHEN || c == NonBreakingHyphen ||
                            c == ZeroWidthSpace || c == WordJoiner;
                   }))
    return r;
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
  if (!ForDisplay)
    return r;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (ShownIndex != nullptr)
      (*ShownIndex)[i] = static_cast<int>(kept);
    const char16_t c = r[i];
    const bool remove = c == RV_SOFTHYPHEN || (!RVVista && (c == ZeroWidthSpace || c == WordJoiner));
    if (!remove)
      r[kept++] = c;
  }
  r.resize(kept);
  if (ShownIndex != nullptr)
    (*ShownIndex)[s.size()] = static_cast<int>(kept);
  return r;
}

std::u16string RV_ReturnProcessedStringEx(const std::u16string& s,
                                          const TCustomRVFontInfo& TextStyle, bool LastOnLine,
                                          bool ShowSpecialChars, bool ForDisplay,
                                          bool IsSymbolCharset, int& SelOffs1, int& SelOffs2) {
  std::u16string r = RV_ReturnProcessedStringMap(s, TextStyle, LastOnLine, ShowSpecialChars,
                                                 ForDisplay, IsSymbolCharset, nullptr);
  // Nothing taken out: every position stays (the usual case, without a map to make).
  if (r.size() == s.size())
    return r;
  std::vector<int> shownIndex;
  r = RV_ReturnProcessedStringMap(s, TextStyle, LastOnLine, ShowSpecialChars, ForDisplay,
                                  IsSymbolCharset, &shownIndex);
  // A 1-based position moves back by the characters removed before it.
  const int removed = static_cast<int>(s.size() - r.size());
  for (int* offs : {&SelOffs1, &SelOffs2}) {
    if (*offs <= 1)
      continue;
    if (*offs - 1 <= static_cast<int>(s.size()))
      *offs = shownIndex[static_cast<std::size_t>(*offs - 1)] + 1;
    else
      *offs -= removed;
  }
  return r;
}

std::u16string RV_ReturnProcessedString(const std::u16string& s, const TCustomRVFontInfo& TextStyle,
                                        bool LastOnLine, bool ShowSpecialChars, bool ForDisplay,
                                        bool IsSymbolCharset) {
  return RV_ReturnProcessedStringMap(s, TextStyle, LastOnLine, ShowSpecialChars, ForDisplay,
                                     IsSymbolCharset, nullptr);
}

} // namespace richtext
