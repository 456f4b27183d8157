// Markdown and BBCode of a whole document or of the selection, for pasting into blogs and
// forums: paragraphs, line breaks, hyperlinks, bold, italic, code (a run in a monospace font),
// headings (paragraphs with an outline level) and list items (paragraphs indented beyond
// paragraph style 0, their "• " or "N. " marker text made the format's own). Other item kinds
// than text and tabs are left out; colours, fonts and sizes are not carried.
//
// Text is escaped so that a reader of the format gets it back unchanged:
//  - Markdown (CommonMark, as pandoc reads it): a backslash before \ ` * _ [ ] < > ! | ~ ^ $,
//    before & that could start a character reference, and before what would make a line a
//    heading, list item, quote or rule; blanks at the ends of a line are dropped. A line break
//    is a backslash at the end of the line; code is a backtick span long enough for its text.
//  - BBCode: no escape exists, so a "[" that could open a tag gets a zero-width space after it.
// In link addresses blanks, control characters and the format's delimiters are written as %XX
// (Markdown: ( ) < >; BBCode: [ ]), as the link formats of the link tool do.
#pragma once

#include <cstdint>
#include <string>

namespace richtext {

class TCustomRVData;
class TCustomRVFormattedData;

enum class TRVMarkupFormat : std::uint8_t { rvmfMarkdown, rvmfBBCode };

// Items StartNo (from offset StartOffs, 1-based in text) to EndNo (to EndOffs, exclusive); with
// the defaults the whole document. Ends with one line break unless empty.
std::u16string RVGetMarkup(TCustomRVData& RVData, TRVMarkupFormat Format, std::int32_t StartNo = 0,
                           std::int32_t StartOffs = 1, std::int32_t EndNo = -1,
                           std::int32_t EndOffs = -1);

// The selection; empty without one.
std::u16string RVGetSelMarkup(TCustomRVFormattedData& RVData, TRVMarkupFormat Format);

} // namespace richtext
