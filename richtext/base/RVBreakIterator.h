// ICU break iterators kept open per thread: opening one builds its rules, so each kind is
// opened once per thread and given new text for every use.
#pragma once

#include <unicode/ubrk.h>

namespace richtext {

// This thread's iterator of the kind (characters or words), or null when ICU cannot provide
// one. The caller sets its text before use.
UBreakIterator* RVU_ThreadBreakIterator(UBreakIteratorType Type);

} // namespace richtext
