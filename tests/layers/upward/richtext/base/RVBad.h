// A base header that reaches up into the style sheet: the layer check must refuse it.
#include "richtext/style/RVFine.h"
