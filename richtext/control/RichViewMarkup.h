// The control's selection as Markdown or BBCode text on the clipboard, for the editor's
// context menu.
#pragma once

#include "richtext/control/RichView.h"
#include "richtext/export/RVMarkupWriter.h"

namespace richtext {

// Clears the clipboard and puts the text there, alone; without a selection nothing changes.
void RVCopySelMarkup(TCustomRichView& View, TRVMarkupFormat Format);

} // namespace richtext
