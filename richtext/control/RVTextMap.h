// A document's text as one string, as assistive technology reads it, with item positions
// mapped to offsets in that string and back: items in order, a line feed before every item that
// starts a paragraph or a line (but the first), a tab item as a tab, any other non-text item as
// the object replacement character U+FFFC.
#pragma once

#include <string>
#include <vector>

#include "richtext/layout/RVCaretLayout.h"

namespace richtext {

class TCustomRVData;

class TRVTextMap {
public:
  explicit TRVTextMap(TCustomRVData& Data);

  const std::u16string& Text() const { return FText; }
  // The offset of an item position; -1 for none.
  int OffsetOf(const TRVCaretPos& Pos) const;
  // The item position at an offset (clamped into the text); none for an empty document. The
  // line feed before an item is the end of the item before it.
  TRVCaretPos PosOf(int Offset) const;

private:
  TCustomRVData& D;
  std::u16string FText;
  // The offset of each item's first character.
  std::vector<int> FItemStart;
};

} // namespace richtext
