// Word-processor edits of a document, each made of the primitive steps of RVEditSteps.h and
// recorded into a group, so that one user action undoes as a whole.
//
// Positions are item positions: offsets 1 to length + 1 in a text item, 0 and 1 around a
// non-text item. Every operation answers where the caret goes. After each operation the
// document keeps two rules: an emptied text item that shares its line with another item goes
// away, and neighbouring text items of one line with the same style, tag and hint become one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/document/RVEditSteps.h"
#include "richtext/document/RVItemPos.h"

namespace richtext {

class TCustomRVData;

// The offsets at the ends of an item for editing: an empty text item runs from 1 to 1.
std::int32_t RVEditOffsBefore(const TCustomRVData& Data, std::int32_t ItemNo);
std::int32_t RVEditOffsAfter(const TCustomRVData& Data, std::int32_t ItemNo);

// Text at Pos in text style StyleNo with Tag. It joins the item at Pos (or its neighbour on
// the line) when that has the same style and tag; otherwise it becomes an item of its own,
// splitting a text item when Pos lies inside it. An empty text item takes the style.
TRVItemPos RVEditInsertText(TCustomRVData& Data, TRVEditGroup& Group, TRVItemPos Pos,
                            const std::u16string& Text, std::int32_t StyleNo, const TRVTag& Tag);

// Ends the paragraph at Pos (LineBreak: only the line, rvioBR) and answers the start of the
// new one. The new paragraph keeps the paragraph style; where Pos ends a line, the new line
// is an empty text item in EmptyStyleNo.
TRVItemPos RVEditBreak(TCustomRVData& Data, TRVEditGroup& Group, TRVItemPos Pos, bool LineBreak,
                       std::int32_t EmptyStyleNo);

// Deletes from From to To (From before To). Items inside go; what follows the range joins the
// line and the paragraph (and its paragraph style) of what precedes it. A document emptied
// completely keeps one empty text item.
TRVItemPos RVEditDeleteRange(TCustomRVData& Data, TRVEditGroup& Group, TRVItemPos From,
                             TRVItemPos To);

// Ready items (text in ItemText, ParaNo -1 or SameAsPrev where they continue a paragraph) at
// Pos: the first continues the line at Pos, the text after Pos continues the last.
TRVItemPos RVEditInsertItems(TCustomRVData& Data, TRVEditGroup& Group, TRVItemPos Pos,
                             std::vector<std::unique_ptr<TCustomRVItemInfo>> Items);

// Plain text at Pos: CR LF, CR, LF and U+2029 end paragraphs, U+2028 and VT end lines, tabs
// become tab items, all in StyleNo.
TRVItemPos RVEditInsertPlainText(TCustomRVData& Data, TRVEditGroup& Group, TRVItemPos Pos,
                                 const std::u16string& Text, std::int32_t StyleNo);

} // namespace richtext
