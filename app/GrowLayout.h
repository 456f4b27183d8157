// How a window laid out at a fixed size grows: each control keeps its place at the first
// size and takes a share of what the window gains. A share says which part of the extra
// width moves the control's left and right edges, and which part of the extra height moves
// its top and bottom edges; so a control that stretches, one that moves with the edge, and
// one that sits between two growing neighbours are all one rule.
#pragma once

namespace quillon {

// A control's place at the first size, in the window's pixels.
struct TPlace {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TPlace&, const TPlace&) = default;
};

// Parts of the extra width (X) and height (Y) by which each edge moves, from 0 to 1.
struct TGrowRule {
  double LeftX = 0;
  double RightX = 0;
  double TopY = 0;
  double BottomY = 0;

  // The control stays where it is.
  static constexpr TGrowRule Fixed() { return {}; }
  // Shares of the width: the left edge moves by From, the right edge by To.
  constexpr TGrowRule Across(double From, double To) const {
    TGrowRule r = *this;
    r.LeftX = From;
    r.RightX = To;
    return r;
  }
  // Shares of the height: the top edge moves by From, the bottom edge by To.
  constexpr TGrowRule Down(double From, double To) const {
    TGrowRule r = *this;
    r.TopY = From;
    r.BottomY = To;
    return r;
  }
};

// Where a control placed at Place stands when the window has ExtraWidth and ExtraHeight
// pixels more than at its first size (negative extras count as none: the window does not
// shrink below its first size). Edges are rounded on their own, so two controls whose
// edges move by the same share stay flush.
TPlace GrowPlace(const TPlace& Place, const TGrowRule& Rule, int ExtraWidth, int ExtraHeight);

} // namespace quillon
