// The positions of one text run as it is drawn: its shown text, where each drawing offset falls
// in it, the advance of every shown unit after justification or distribution, and its caret
// stops with their x. Painting, the selection's highlight, the caret, hit-testing and every box
// asked of a position read these numbers, so none of them can stand somewhere else.
//
// A drawing item's table is made the first time anything asks for it (TCustomRVFormattedData::
// MeasuredRun) and kept on the drawing item; it goes with the drawing item, that is, with the
// layout. It remembers what decided it (the run's text and size, the font's style, the device's
// resolution, whether special characters are shown) and is made again when any of that changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

class TRVMeasuredRun {
public:
  // -- what decided the table --
  std::u16string Raw;
  std::int32_t StyleNo = -1;
  std::int32_t Width = 0;
  std::int32_t SpaceCount = 0;
  std::int32_t LeftNoExpand = 0;
  std::int32_t RightNoExpand = 0;
  int PixelsPerInch = 0;
  std::uint8_t BiDiLevel = 0;
  bool LastOnLine = false;
  bool ShowSpecial = false;

  // -- the table --
  // The run as drawn (display form: soft hyphens taken out, the one ending a wrapped line shown
  // as a hyphen, special characters as their marks).
  std::u16string Shown;
  // ShownIndex[i]: the index in Shown of the run's character i (0-based, so drawing offset
  // i + 1), and last Shown's length. Characters not drawn share the index of what follows.
  std::vector<int> ShownIndex;
  // One advance per unit of Shown, as painting places the glyphs (0 on the later units of a
  // cluster). HasAdvances: from the graphic interface; otherwise the run's width shared out evenly
  // and the text is drawn in one piece.
  std::vector<int> Advances;
  bool HasAdvances = false;
  // ShownX[k]: x of the edge before Shown[k] in reading order, from the text's start (after
  // the run's left space). Left to right, the run's right edge ends it; right to left (an odd
  // level) x falls from the first character's right edge to 0, and the run is drawn in that
  // direction.
  std::vector<int> ShownX;
  bool RightToLeft = false;
  // The caret stops inside the run, ascending drawing offsets from 1 to length + 1: cluster
  // edges, less the place before a character that is not drawn (it shares x with the place
  // after it).
  std::vector<std::int32_t> Stops;

  // x of drawing offset Offs from the text's start (clamped into the run).
  int XOfOffs(std::int32_t Offs) const;
  // The stop after / before Offs inside the run, or -1 at its end / start.
  std::int32_t NextStop(std::int32_t Offs) const;
  std::int32_t PrevStop(std::int32_t Offs) const;
  // The stop nearest to X (from the text's start).
  std::int32_t StopAtX(int X) const;
};

} // namespace richtext
