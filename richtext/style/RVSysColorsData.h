// The classic default palette of the system colours, used when the platform binding does not
// supply the current ones.
#pragma once

#include "richtext/style/RVColor.h"

namespace richtext {
extern const TColor RVDefaultSysColors[RVSysColorCount];
}
