// Marks texts for the translation tools in code that does not use Qt: the marker leaves the
// text as it is, and the Qt window looks the text up in its language. Texts that files or
// callers rely on (the list files' errors) are marked so that they are listed with the
// others, and every language keeps them as they are.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
