// The link tool's text clipboard on the Qt clipboard.
#pragma once

#include "app/TextClipboard.h"

namespace quillon {

class QtTextClipboard : public TTextClipboard {
public:
  // Empties the clipboard, then offers the text as plain text only; reads it back to be
  // sure the clipboard took it.
  void SetUnicodeText(const std::u16string& text) override;
};

} // namespace quillon
