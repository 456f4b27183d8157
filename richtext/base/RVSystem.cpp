#include "richtext/base/RVSystem.h"

namespace richtext {

bool RVNT = true;
bool RVVista = true;
bool RVWin10 = true;

} // namespace richtext
