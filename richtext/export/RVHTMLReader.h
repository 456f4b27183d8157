// HTML reading: what browsers put on the clipboard as text/html (a fragment with a <meta
// charset>, Firefox's <!--StartFragment--> markers, the header of the Windows "HTML Format"),
// and whole pages, into paragraphs and text items.
//
// Kept: hyperlinks (<a href>, a jump style with the address as the item's tag), bold, italic,
// underline, strike-out and code, also as inline CSS (font-weight, font-style,
// text-decoration), headings (<h1>..<h6>) and list items as paragraphs of their own kind,
// line breaks, tabs between table cells, character references, and white space collapsed as
// browsers collapse it (kept inside <pre>). Scripts, styles, the head's title and comments are
// dropped; other elements keep their text. Pictures and fonts are not carried.
//
// Reading is all or nothing, as RVF reading is: the whole stream is parsed into a fragment
// first. A stream that ends inside a tag or comment, names a character set ICU does not know,
// nests elements deeper than RVImportMaxDepth or passes the size limits of RVImport.h raises
// ERichViewError with a message that starts "HTML reading error:", and the document and its
// style sheet stay as they were.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "richtext/export/RVFReader.h"

namespace richtext {

// Parses Bytes for RVData (whose style sheet gives the base styles). Changes nothing.
std::unique_ptr<TRVFFragment> RVHTMLParse(std::string_view Bytes, TCustomRVData& RVData);

// Replaces RVData's items by the stream's; the styles are merged into the sheet (added only
// where it lacks them). The document needs formatting afterwards.
void RVHTMLLoadDocument(TCustomRVData& RVData, std::string_view Bytes);

// The stream's items, ready to be inserted into RVData, with their styles merged into its sheet.
std::vector<std::unique_ptr<TCustomRVItemInfo>> RVHTMLReadItemsForInsertion(TCustomRVData& RVData,
                                                                           std::string_view Bytes);

} // namespace richtext
