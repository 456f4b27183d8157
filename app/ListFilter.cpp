#include "app/ListFilter.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <numeric>

namespace quillon {

std::u16string FoldForFilter(std::u16string_view text) {
  // Most entries are ASCII, where decomposing and folding come down to lower case.
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) {
    std::u16string lower(text);
    for (char16_t& c : lower)
      if (c >= u'A' && c <= u'Z')
        c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
  }
  UErrorCode error = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&error);
  std::u16string decomposed;
  if (U_SUCCESS(error)) {
    decomposed.resize(text.size() * 3 + 1);
    error = U_ZERO_ERROR;
    int32_t length = unorm2_normalize(nfd, reinterpret_cast<const UChar*>(text.data()),
                                      static_cast<int32_t>(text.size()),
                                      reinterpret_cast<UChar*>(decomposed.data()),
                                      static_cast<int32_t>(decomposed.size()), &error);
    decomposed.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
    if (U_FAILURE(error))
      decomposed.assign(text);
  } else {
    decomposed.assign(text);
  }
  // Combining marks carry the accents; what stays is the base letter.
  std::u16string bare;
  bare.reserve(decomposed.size());
  for (std::size_t i = 0; i < decomposed.size();) {
    UChar32 c;
    std::size_t start = i;
    U16_NEXT(decomposed.data(), i, decomposed.size(), c);
    if (u_charType(c) != U_NON_SPACING_MARK)
      bare.append(decomposed, start, i - start);
  }
  std::u16string folded(bare.size() * 3 + 1, u'\0');
  error = U_ZERO_ERROR;
  int32_t length = u_strFoldCase(reinterpret_cast<UChar*>(folded.data()),
                                 static_cast<int32_t>(folded.size()),
                                 reinterpret_cast<const UChar*>(bare.data()),
                                 static_cast<int32_t>(bare.size()), U_FOLD_CASE_DEFAULT, &error);
  if (U_FAILURE(error))
    return bare;
  folded.resize(static_cast<std::size_t>(length));
  return folded;
}

void TListFilter::Invalidate() {
  FFolded.clear();
  FFolded.shrink_to_fit();
  FValid = false;
  FHaveLast = false;
}

const std::vector<int>& TListFilter::Match(const std::vector<std::u16string>& entries,
                                           std::u16string_view query) {
  const std::u16string folded = FoldForFilter(query);
  if (folded.empty()) {
    FLastMatches.resize(entries.size());
    std::iota(FLastMatches.begin(), FLastMatches.end(), 0);
    FLastQuery.clear();
    FHaveLast = false;
    return FLastMatches;
  }
  if (!FValid) {
    FFolded.clear();
    FFolded.reserve(entries.size());
    for (const std::u16string& entry : entries)
      FFolded.push_back(FoldForFilter(entry));
    FValid = true;
    FHaveLast = false;
  }
  // Typing on narrows what was shown: only those entries can still match.
  const bool narrowing = FHaveLast && folded.find(FLastQuery) != std::u16string::npos;
  std::vector<int> matches;
  auto test = [&](int index) {
    if (FFolded[static_cast<std::size_t>(index)].find(folded) != std::u16string::npos)
      matches.push_back(index);
  };
  if (narrowing) {
    for (int index : FLastMatches)
      test(index);
  } else {
    for (int index = 0; index < static_cast<int>(FFolded.size()); ++index)
      test(index);
  }
  FLastMatches = std::move(matches);
  FLastQuery = folded;
  FHaveLast = true;
  return FLastMatches;
}

} // namespace quillon
