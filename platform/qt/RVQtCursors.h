// The engine's mouse cursors as Qt cursors.
//
// The engine knows cursors by id only (a style sheet registers the ids it uses); this is the
// one place where an id becomes something the window system can show.
#pragma once

#include <QCursor>

#include "richtext/style/RVStyleTypes.h"

namespace quillon {

// The cursor for an engine cursor id. Ids that no style sheet registered, and unknown ids,
// give the arrow.
QCursor RVQtCursor(richtext::TCursor Id);

} // namespace quillon
