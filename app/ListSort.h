// The order of a whole list under a collator, found with one sort over collation keys
// rather than one sorted insert per entry.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct UCollator;

namespace quillon {

// Closes a collator held in a std::unique_ptr.
struct TCollatorCloser {
  void operator()(UCollator* collator) const;
};

// Indexes of lines in collation order; lines that collate equal keep their relative order,
// exactly as if each line had been inserted after its equals one at a time. Lines that are
// mostly in order already (a few runs of ordered lines) are merged; others are sorted by
// their collation keys.
std::vector<std::size_t> CollationOrder(const UCollator* collator,
                                        const std::vector<std::u16string_view>& lines);
// The same order, always found through the collation keys. Exposed for tests.
std::vector<std::size_t> CollationKeyOrder(const UCollator* collator,
                                           const std::vector<std::u16string_view>& lines);

// Makes what CollationOrder needs once for each set of collation rules, so that a caller
// can have it made on another thread while it reads the lines.
void PrepareCollationOrder(const UCollator* collator);

// How many leading code units every line shares and the collator may skip: comparing what
// follows gives the same order as comparing the whole lines. Exposed for tests.
std::size_t SkippablePrefix(const UCollator* collator, const std::vector<std::u16string_view>& lines);

} // namespace quillon
