// The selection as a small HTML fragment for the clipboard.
//
// Deliberately simple: escaped text, hyperlink runs as <a href> with their colour and
// underline, other coloured or underlined runs in a <span>, line breaks as <br>, and a <p>
// per paragraph when the selection spans more than one. A selection inside one paragraph
// stays inline, so that a pasted link joins the text around it. Non-text items other than
// tabs are left out; fonts and paragraph formatting are not carried.
#pragma once

#include <string>
#include <string_view>

namespace richtext {

class TCustomRVFormattedData;

// UTF-8, starting with a <meta charset> so that readers do not guess the encoding; empty
// without a selection.
std::string RVGetSelHTMLFragment(TCustomRVFormattedData& RVData);

// Text with &, <, >, " and ' escaped, as UTF-8; zero characters are dropped.
std::string RVHTMLEscape(std::u16string_view s);

} // namespace richtext
