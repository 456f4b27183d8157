// Caret tests on the fixed-metrics layout: a viewer 200 pixels wide with 5-pixel margins, Arial
// 10 pt, every character 7 pixels wide (a supplementary character 14, combining marks 0), lines
// 13 pixels tall from y 5.
#pragma once

#include <string>

#include "richtext/layout/RVCaretLayout.h"
#include "tests/richtext/layout/format/FormatFixture.h"

namespace richtext::test {

class CaretFixture : public FormatFixture {
protected:
  TRVCaretLayout Layout() { return TRVCaretLayout(*RV.RVData, Canvas); }
  // "item:offs", with "^" when the position shows at the start of a line.
  static std::string Str(const TRVCaretPos& p) {
    return std::to_string(p.ItemNo) + ":" + std::to_string(p.Offs) + (p.AtLineStart ? "^" : "");
  }
  static TRVCaretPos P(std::int32_t ItemNo, std::int32_t Offs, bool AtLineStart = false) {
    return TRVCaretPos{ItemNo, Offs, AtLineStart};
  }
  // Every stop from the document's start by NextChar (Forward), or from its end by PrevChar.
  std::string Walk(bool Forward) {
    TRVCaretLayout l = Layout();
    std::string out;
    TRVCaretPos p = Forward ? l.DocStart() : l.DocEnd();
    for (int guard = 0; guard < 200; ++guard) {
      out += (out.empty() ? "" : " ") + Str(p);
      const TRVCaretPos next = Forward ? l.NextChar(p) : l.PrevChar(p);
      if (next == p)
        break;
      p = next;
    }
    return out;
  }
  std::string Forward() { return Walk(true); }
  std::string Backward() { return Walk(false); }
  // x of each item position given, as drawn.
  std::string Xs(std::initializer_list<TRVCaretPos> Positions) {
    TRVCaretLayout l = Layout();
    std::string out;
    for (const TRVCaretPos& p : Positions)
      out += (out.empty() ? "" : " ") + std::to_string(l.XOf(l.ToDraw(p)));
    return out;
  }
};

} // namespace richtext::test
