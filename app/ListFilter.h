// Narrowing a link list to the entries that hold what the user typed in its filter field:
// letter case and accents do not count, as they do not in the list's sort.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The text as the filter compares it: decomposed, without combining marks, case-folded
// ("Café" and "CAFE" both become "cafe").
std::u16string FoldForFilter(std::u16string_view text);

class TListFilter {
public:
  // Forgets the folded entries: call whenever the list changes.
  void Invalidate();
  // The indices of the entries that hold the query, in list order; an empty query matches
  // every entry. A query that extends the last one only looks among the last matches.
  const std::vector<int>& Match(const std::vector<std::u16string>& entries,
                                std::u16string_view query);

private:
  std::vector<std::u16string> FFolded;
  bool FValid = false;
  std::u16string FLastQuery; // folded
  std::vector<int> FLastMatches;
  bool FHaveLast = false;
};

} // namespace quillon
