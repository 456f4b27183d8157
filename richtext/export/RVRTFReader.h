// RTF reading: what the engine's RTF writer writes, what word processors write and what
// browsers put on the clipboard as text/rtf, into paragraphs and text items.
//
// Read: groups, the font table (names, \fcharset and \cpg), the colour table, the style sheet
// (paragraph styles named "heading N" make headings), destinations to skip (\* and the known
// ones: pictures, headers, footnotes, the document information...), \ansicpg and \'hh through
// the code pages (double-byte ones included), \uN with the \ucN fallbacks skipped (surrogate
// pairs join), \b \i \ul \strike \cf \fs \f \plain, \par \line \tab, \outlinelevel, list
// paragraphs (\ls, \listtext, \pntext), table cells as tabs and rows as paragraphs, and
// HYPERLINK fields into jump items with their target as the tag. Of the percent-escapes the
// engine's writer puts into a target (space, quote, percent, plus, CR and LF) the reader undoes
// exactly those.
//
// Reading is all or nothing: a stream that does not start with "{\rtf", closes a group it did
// not open, ends inside a group, has a bad \'hh, a control word or number beyond RTF's limits,
// groups nested deeper than RVImportMaxDepth or passes the size limits raises ERichViewError
// with a message that starts "RTF reading error:"; the document and its sheet stay untouched.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "richtext/export/RVFReader.h"

namespace richtext {

std::unique_ptr<TRVFFragment> RVRTFParse(std::string_view Bytes, TCustomRVData& RVData);

// As the HTML reader's: the document replaced, or items for insertion; styles merged.
void RVRTFLoadDocument(TCustomRVData& RVData, std::string_view Bytes);
std::vector<std::unique_ptr<TCustomRVItemInfo>> RVRTFReadItemsForInsertion(TCustomRVData& RVData,
                                                                          std::string_view Bytes);

} // namespace richtext
