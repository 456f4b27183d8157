#include "richtext/base/RVBreakIterator.h"

#include <memory>

namespace richtext {

namespace {

struct BreakIteratorCloser {
  void operator()(UBreakIterator* it) const { ubrk_close(it); }
};
using TBreakIteratorPtr = std::unique_ptr<UBreakIterator, BreakIteratorCloser>;

TBreakIteratorPtr Open(UBreakIteratorType Type) {
  UErrorCode status = U_ZERO_ERROR;
  UBreakIterator* it = ubrk_open(Type, "", nullptr, 0, &status);
  if (U_FAILURE(status)) {
    if (it)
      ubrk_close(it);
    it = nullptr;
  }
  return TBreakIteratorPtr(it);
}

} // namespace

UBreakIterator* RVU_ThreadBreakIterator(UBreakIteratorType Type) {
  switch (Type) {
  case UBRK_CHARACTER: {
    thread_local TBreakIteratorPtr characters = Open(UBRK_CHARACTER);
    return characters.get();
  }
  case UBRK_WORD: {
    thread_local TBreakIteratorPtr words = Open(UBRK_WORD);
    return words.get();
  }
  default:
    return nullptr;
  }
}

} // namespace richtext
