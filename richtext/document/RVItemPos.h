// A place in a document's items, the one form every layer counts positions in: a text item's
// offsets run from 1 (before its first character) to length + 1, a non-text item has 0 before
// it and 1 after it.
#pragma once

#include <cstdint>

namespace richtext {

struct TRVItemPos {
  std::int32_t ItemNo = -1;
  std::int32_t Offs = 0;
  bool IsValid() const { return ItemNo >= 0; }
  bool operator==(const TRVItemPos&) const = default;
  auto operator<=>(const TRVItemPos&) const = default;
};

} // namespace richtext
