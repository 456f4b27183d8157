// Where the caret goes in a formatted document: lines found by binary search over the drawing
// items, x of a position and hit-testing read from the run's table of positions that painting
// draws with (TRVMeasuredRun), and the steps of the caret keys (characters, words, lines,
// paragraphs).
//
// A caret position is an item position plus the line it shows on (RVCaretPos.h).
//
// Needs a formatted document and the canvas it is painted on; changes nothing in either but the
// canvas's font.
#pragma once

#include <cstdint>

#include "richtext/graphics/RVCanvas.h"
#include "richtext/layout/RVCaretPos.h"

namespace richtext {

class TCustomRVFormattedData;
class TRVMeasuredRun;

class TRVCaretLayout {
public:
  TRVCaretLayout(TCustomRVFormattedData& Data, TRVCanvas& Canvas) : D(Data), C(Canvas) {}

  // -- conversions --
  TRVDrawPos ToDraw(const TRVCaretPos& Pos) const;
  TRVCaretPos FromDraw(const TRVDrawPos& Pos) const;
  // A valid position for what may be left over from an older document: clamped into the
  // document, none without drawing items.
  TRVCaretPos Validate(const TRVCaretPos& Pos) const;

  // -- lines (a line is the drawing items from one with FromNewLine up to the next) --
  std::int32_t LineFirst(std::int32_t DItemNo) const;
  std::int32_t LineLast(std::int32_t DItemNo) const;
  // The first drawing item of the line at document Y (the nearest line above or below when Y is
  // outside every line); -1 without drawing items. A binary search over the items' tops.
  std::int32_t LineAtY(std::int32_t Y) const;
  // Top and bottom (extra space below included) of the line that starts at First.
  void LineExtent(std::int32_t First, std::int32_t& Top, std::int32_t& Bottom) const;

  // -- geometry, document coordinates --
  // x of the position as the run is drawn (its glyphs measured in its display form).
  std::int32_t XOf(const TRVDrawPos& Pos) const;
  // The caret's box: 1 pixel wide at the position, as tall as its drawing item.
  TRect CaretRect(const TRVCaretPos& Pos) const;
  // The caret stop nearest to X on the line that starts at First.
  TRVDrawPos PosOnLine(std::int32_t First, std::int32_t X) const;
  // Hit-testing: the caret stop nearest to the point.
  TRVCaretPos PosAt(std::int32_t X, std::int32_t Y) const;
  // The item of a hyperlink (text in a Jump style) whose drawn box holds the point; -1 none.
  std::int32_t JumpItemAt(std::int32_t X, std::int32_t Y) const;

  // -- caret steps --
  // One user-perceived character on (grapheme clusters; a hidden soft hyphen is no stop).
  TRVCaretPos NextChar(const TRVCaretPos& Pos) const;
  TRVCaretPos PrevChar(const TRVCaretPos& Pos) const;
  // The start of the next / previous word (ICU word boundaries), crossing items.
  TRVCaretPos NextWord(const TRVCaretPos& Pos) const;
  TRVCaretPos PrevWord(const TRVCaretPos& Pos) const;
  TRVCaretPos LineHome(const TRVCaretPos& Pos) const;
  TRVCaretPos LineEnd(const TRVCaretPos& Pos) const;
  // Lines lines down (negative: up), keeping x; the first or last line stops the move.
  TRVCaretPos LineDown(const TRVCaretPos& Pos, std::int32_t Lines, std::int32_t X) const;
  // The line DY pixels below (negative: above) the position's line, keeping x.
  TRVCaretPos PageDown(const TRVCaretPos& Pos, std::int32_t DY, std::int32_t X) const;
  TRVCaretPos DocStart() const;
  TRVCaretPos DocEnd() const;

  // Whether the position's paragraph reads right to left: set so, or, unspecified, starting
  // with a right-to-left letter. The arrow keys step backwards there when they point right.
  bool IsRightToLeftParagraph(const TRVCaretPos& Pos) const;

  // -- units of selection --
  // The word segment around the position (a run of spaces or a mark counts as one).
  void WordAt(const TRVCaretPos& Pos, TRVCaretPos& From, TRVCaretPos& To) const;
  // The paragraph that holds the position.
  void ParagraphAt(const TRVCaretPos& Pos, TRVCaretPos& From, TRVCaretPos& To) const;

private:
  bool IsText(std::int32_t DItemNo) const;
  // The positions of a text run as painting draws it.
  const TRVMeasuredRun& Run(std::int32_t DItemNo) const;
  std::int32_t Before(std::int32_t DItemNo) const;
  std::int32_t After(std::int32_t DItemNo) const;
  // One cluster on inside the run, or -1 at its end (and the same backwards).
  std::int32_t StepInRun(std::int32_t DItemNo, std::int32_t DOffs, bool Forward) const;
  bool SamePlace(std::int32_t First, std::int32_t Second) const;
  std::int32_t OffsAtX(std::int32_t DItemNo, std::int32_t X) const;

  TCustomRVFormattedData& D;
  TRVCanvas& C;
};

} // namespace richtext
