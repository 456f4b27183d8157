#include "richtext/base/RVWordNav.h"

#include <algorithm>
#include <unicode/ubrk.h>
#include <unicode/uchar.h>

#include "richtext/base/RVBreakIterator.h"
#include "richtext/base/RVUni.h"

namespace richtext {

namespace {

// This thread's word iterator on Text; null when ICU has none.
UBreakIterator* WordIterator(std::u16string_view Text) {
  UBreakIterator* it = RVU_ThreadBreakIterator(UBRK_WORD);
  if (it == nullptr)
    return nullptr;
  UErrorCode status = U_ZERO_ERROR;
  ubrk_setText(it, reinterpret_cast<const UChar*>(Text.data()), int32_t(Text.size()), &status);
  return U_SUCCESS(status) ? it : nullptr;
}

// Whether the segment that starts at Index holds anything but white space.
bool StartsWord(std::u16string_view Text, int Index) {
  if (Index >= int(Text.size()))
    return false;
  int units = 1;
  return !u_isUWhiteSpace(RVU_CodePointAt(Text, std::size_t(Index), units));
}

// Without ICU: boundaries where white space meets anything else.
bool IsBoundaryWithoutICU(std::u16string_view Text, int Index) {
  if (Index <= 0 || Index >= int(Text.size()))
    return true;
  return (Text[Index - 1] == u' ') != (Text[Index] == u' ');
}

} // namespace

int RVU_NextWordStart(std::u16string_view Text, int Index) {
  const int size = int(Text.size());
  Index = std::clamp(Index, 0, size);
  UBreakIterator* it = WordIterator(Text);
  for (int b = Index;;) {
    if (it != nullptr) {
      b = ubrk_following(it, b);
      if (b == UBRK_DONE)
        return size;
    } else {
      do
        ++b;
      while (b < size && !IsBoundaryWithoutICU(Text, b));
    }
    if (b >= size)
      return size;
    if (StartsWord(Text, b))
      return b;
  }
}

int RVU_PrevWordStart(std::u16string_view Text, int Index) {
  const int size = int(Text.size());
  Index = std::clamp(Index, 0, size);
  UBreakIterator* it = WordIterator(Text);
  for (int b = Index;;) {
    if (it != nullptr) {
      b = ubrk_preceding(it, b);
      if (b == UBRK_DONE)
        return 0;
    } else {
      do
        --b;
      while (b > 0 && !IsBoundaryWithoutICU(Text, b));
    }
    if (b <= 0)
      return 0;
    if (StartsWord(Text, b))
      return b;
  }
}

void RVU_WordAt(std::u16string_view Text, int Index, int& From, int& To) {
  const int size = int(Text.size());
  Index = std::clamp(Index, 0, size);
  if (size == 0) {
    From = To = 0;
    return;
  }
  if (Index == size)
    --Index;
  UBreakIterator* it = WordIterator(Text);
  if (it == nullptr) {
    From = Index;
    while (From > 0 && !IsBoundaryWithoutICU(Text, From))
      --From;
    To = Index + 1;
    while (To < size && !IsBoundaryWithoutICU(Text, To))
      ++To;
    return;
  }
  To = ubrk_following(it, Index);
  if (To == UBRK_DONE)
    To = size;
  From = ubrk_preceding(it, To);
  if (From == UBRK_DONE)
    From = 0;
}

} // namespace richtext
