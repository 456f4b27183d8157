// Text and paragraph styles as RTF control words.
//
// The RTF writer calls these after every "\plain " (text style) and after every "\pard"
// (paragraph style). They write properties only, nothing that needs the document: the font
// reference "\fN", style-sheet references, table nesting, page breaks and the closing space
// are the writer's. Colours are written as positions in the save's colour table, lengths in
// twips converted from the style sheet's units.
#pragma once

#include <string>
#include <string_view>

#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TCustomRVFontInfo;
class TCustomRVParaInfo;
class TCustomRVRTFTables;
class TRVStream;
class TRVStyle;

// The property part of a text style. InheritedStyle is set for a style written inside a
// style sheet on top of a base: the reader's default size of 10 points is then left out.
void SaveFontInfoRTFToStream(TRVStream& Stream, const TCustomRVFontInfo& FontInfo,
                             const TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle,
                             bool InheritedStyle);
std::string MakeFontInfoRTF(const TCustomRVFontInfo& FontInfo, const TCustomRVRTFTables& RTFTables,
                            const TRVStyle& RVStyle, bool InheritedStyle);

// The property part of a paragraph style. A non-empty FILIText (the indents of a list
// level) is written instead of the style's own indents; tab stops at or before
// MinAllowedTabPos (style sheet units) are left out, as a list marker's tab takes their place.
void SaveParaInfoRTFToStream(TRVStream& Stream, const TCustomRVParaInfo& ParaInfo,
                             const TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle,
                             std::string_view FILIText, int MinAllowedTabPos);
std::string MakeParaInfoRTF(const TCustomRVParaInfo& ParaInfo, const TCustomRVRTFTables& RTFTables,
                            const TRVStyle& RVStyle, std::string_view FILIText,
                            int MinAllowedTabPos);

// Space before and after the paragraph as RTF sees it, in style sheet units. RTF readers
// put a border's lines and its distance from the text inside the paragraph spacing, while
// the formatter adds them to it; the visible top (bottom) side's offset and the border's
// width are taken off, never below 0.
int GetSpaceBeforeForRTF(const TCustomRVParaInfo& ParaInfo);
int GetSpaceAfterForRTF(const TCustomRVParaInfo& ParaInfo);

// Single pieces, one rule each.
// The underline word of an underline type ("\ul", "\uldb", ...).
std::string_view RTFUnderlineWord(TRVUnderlineType UnderlineType);
// The tab leader word for the first character of Leader; empty without a leader.
std::string_view RTFTabLeaderWord(std::u16string_view Leader);
// A colour reference: the colour's position in the table, or 0 (the reader's default)
// for a colour the table does not hold.
int RTFColorRef(const TCustomRVRTFTables& RTFTables, TColor Color);

} // namespace richtext
