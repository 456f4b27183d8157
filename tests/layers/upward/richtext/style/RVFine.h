// A style header that includes the layer below it, which is allowed.
#include "richtext/base/RVBad.h"
