// Positions in a formatted document: an item position with the line it shows on (what the
// selection keeps, so that it survives formatting), and a position in drawing items (what
// painting and hit-testing work in, valid for one layout only).
#pragma once

#include <cstdint>

#include "richtext/document/RVItemPos.h"

namespace richtext {

// At a soft wrap without a removed space the end of one line and the start of the next are
// the same item position; AtLineStart names the later.
struct TRVCaretPos : TRVItemPos {
  bool AtLineStart = false;
  bool operator==(const TRVCaretPos&) const = default;
};

struct TRVDrawPos {
  std::int32_t DItemNo = -1;
  std::int32_t DOffs = 0;
  bool operator==(const TRVDrawPos&) const = default;
};

// Item positions in document order (the line choice does not take part).
inline bool RVCaretPosBefore(const TRVCaretPos& A, const TRVCaretPos& B) {
  return static_cast<const TRVItemPos&>(A) < static_cast<const TRVItemPos&>(B);
}

} // namespace richtext
