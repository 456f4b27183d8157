// The system clipboard as the link tool uses it for a Markdown entry.
#pragma once

#include <string>

namespace quillon {

// Empty the clipboard and place Unicode text only; the platform derives the other text
// formats. Failures throw richtext::ERichViewError with "Cannot open clipboard: %s" or
// "Out of system resources".
class TTextClipboard {
public:
  virtual ~TTextClipboard() = default;
  virtual void SetUnicodeText(const std::u16string& text) = 0;
};

} // namespace quillon
