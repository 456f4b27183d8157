// Caret geometry and caret steps over a formatted document.
#include <algorithm>

#include "richtext/base/RVBiDi.h"
#include "richtext/base/RVCharNav.h"
#include "richtext/base/RVUni.h"
#include "richtext/base/RVWordNav.h"
#include "richtext/document/RVItem.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/layout/RVCaretLayout.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

// -- small questions --

bool TRVCaretLayout::IsText(std::int32_t DItemNo) const {
  return D.GetItem(D.DrawItems[DItemNo]->ItemNo)->StyleNo >= 0;
}

std::int32_t TRVCaretLayout::Before(std::int32_t DItemNo) const {
  return D.GetOffsBeforeDrawItem(DItemNo);
}

std::int32_t TRVCaretLayout::After(std::int32_t DItemNo) const {
  return D.GetOffsAfterDrawItem(DItemNo);
}

const TRVMeasuredRun& TRVCaretLayout::Run(std::int32_t DItemNo) const {
  return D.MeasuredRun(DItemNo, C, D.ShowsSpecialCharacters());
}

std::int32_t TRVCaretLayout::StepInRun(std::int32_t DItemNo, std::int32_t DOffs,
                                       bool Forward) const {
  const TRVMeasuredRun& run = Run(DItemNo);
  return Forward ? run.NextStop(DOffs) : run.PrevStop(DOffs);
}

// Whether the end of First and the start of Second (the next drawing item) are one caret place
// for the user: the same line, or one item wrapped without a character between the runs.
bool TRVCaretLayout::SamePlace(std::int32_t First, std::int32_t Second) const {
  const TRVDrawLineInfo& a = *D.DrawItems[First];
  const TRVDrawLineInfo& b = *D.DrawItems[Second];
  return !b.FromNewLine || (a.ItemNo == b.ItemNo && a.Offs + a.TextLength == b.Offs);
}

// -- conversions --

TRVDrawPos TRVCaretLayout::ToDraw(const TRVCaretPos& Pos) const {
  return D.ToDrawPos(Pos);
}

TRVCaretPos TRVCaretLayout::FromDraw(const TRVDrawPos& Pos) const {
  return D.FromDrawPos(Pos);
}

TRVCaretPos TRVCaretLayout::Validate(const TRVCaretPos& Pos) const {
  if (D.DrawItems.Count() == 0)
    return {};
  if (Pos.ItemNo < 0)
    return DocStart();
  if (Pos.ItemNo >= D.ItemCount())
    return DocEnd();
  TRVCaretPos p = Pos;
  p.Offs = std::clamp(p.Offs, D.GetOffsBeforeItem(p.ItemNo), D.GetOffsAfterItem(p.ItemNo));
  // Inside a cluster (a document changed under the caret): back to the cluster's start.
  if (D.GetItem(p.ItemNo)->StyleNo >= 0 && p.Offs > 1) {
    const std::u16string& text = D.GetItemText(p.ItemNo);
    const int index = p.Offs - 1;
    if (index < static_cast<int>(text.size()) &&
        RVU_NextCharIndex(text, RVU_PrevCharIndex(text, index)) != index)
      p.Offs = RVU_PrevCharIndex(text, index) + 1;
  }
  const TRVDrawPos dp = ToDraw(p);
  return dp.DItemNo < 0 ? DocStart() : FromDraw(dp);
}

// -- lines --

std::int32_t TRVCaretLayout::LineFirst(std::int32_t DItemNo) const {
  while (DItemNo > 0 && !D.DrawItems[DItemNo]->FromNewLine)
    --DItemNo;
  return DItemNo;
}

std::int32_t TRVCaretLayout::LineLast(std::int32_t DItemNo) const {
  const std::int32_t n = D.DrawItems.Count();
  while (DItemNo + 1 < n && !D.DrawItems[DItemNo + 1]->FromNewLine)
    ++DItemNo;
  return DItemNo;
}

void TRVCaretLayout::LineExtent(std::int32_t First, std::int32_t& Top,
                                std::int32_t& Bottom) const {
  const std::int32_t last = LineLast(First);
  Top = D.DrawItems[First]->Top;
  Bottom = Top;
  for (std::int32_t i = First; i <= last; ++i) {
    const TRVDrawLineInfo& d = *D.DrawItems[i];
    Top = std::min(Top, d.Top);
    Bottom = std::max(Bottom, d.Top + d.Height + d.GetExtraSpaceBelow());
  }
}

std::int32_t TRVCaretLayout::LineAtY(std::int32_t Y) const {
  const std::int32_t n = D.DrawItems.Count();
  if (n == 0)
    return -1;
  // Tops grow from line to line (inside a line they may not, which the steps below mend).
  std::int32_t lo = 0, hi = n - 1;
  while (lo < hi) {
    const std::int32_t mid = lo + (hi - lo + 1) / 2;
    if (D.DrawItems[mid]->Top <= Y)
      lo = mid;
    else
      hi = mid - 1;
  }
  std::int32_t first = LineFirst(lo);
  std::int32_t top = 0, bottom = 0;
  LineExtent(first, top, bottom);
  while (first > 0 && Y < top) {
    const std::int32_t previous = LineFirst(first - 1);
    std::int32_t ptop = 0, pbottom = 0;
    LineExtent(previous, ptop, pbottom);
    if (Y >= pbottom)
      break;
    first = previous;
    top = ptop;
  }
  while (true) {
    const std::int32_t next = LineLast(first) + 1;
    if (next >= n)
      break;
    std::int32_t ntop = 0, nbottom = 0;
    LineExtent(next, ntop, nbottom);
    if (Y < ntop)
      break;
    first = next;
  }
  return first;
}

// -- geometry --

std::int32_t TRVCaretLayout::XOf(const TRVDrawPos& Pos) const {
  if (Pos.DItemNo < 0 || Pos.DItemNo >= D.DrawItems.Count())
    return 0;
  const TRVDrawLineInfo& d = *D.DrawItems[Pos.DItemNo];
  if (!IsText(Pos.DItemNo))
    return Pos.DOffs <= 0 ? d.Left : d.Left + d.Width;
  return d.Left + d.GetSpaceAtLeft() + Run(Pos.DItemNo).XOfOffs(Pos.DOffs);
}

TRect TRVCaretLayout::CaretRect(const TRVCaretPos& Pos) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return {};
  const TRVDrawLineInfo& d = *D.DrawItems[p.DItemNo];
  const std::int32_t x = XOf(p);
  return TRect{x, d.Top, x + 1, d.Top + d.Height};
}

std::int32_t TRVCaretLayout::OffsAtX(std::int32_t DItemNo, std::int32_t X) const {
  const TRVDrawLineInfo& d = *D.DrawItems[DItemNo];
  return Run(DItemNo).StopAtX(X - d.Left - d.GetSpaceAtLeft());
}

TRVDrawPos TRVCaretLayout::PosOnLine(std::int32_t First, std::int32_t X) const {
  // The item whose box reaches past X the least, else the rightmost one; drawing items of a
  // line with text in both directions are not in the order of their places.
  const std::int32_t last = LineLast(First);
  std::int32_t i = -1, rightmost = First;
  for (std::int32_t k = First; k <= last; ++k) {
    const TRVDrawLineInfo& d = *D.DrawItems[k];
    const std::int32_t right = d.Left + d.Width;
    if (right >= D.DrawItems[rightmost]->Left + D.DrawItems[rightmost]->Width)
      rightmost = k;
    if (X < right && (i < 0 || right < D.DrawItems[i]->Left + D.DrawItems[i]->Width))
      i = k;
  }
  if (i < 0)
    i = rightmost;
  const TRVDrawLineInfo& d = *D.DrawItems[i];
  if (!IsText(i))
    return TRVDrawPos{i, X < d.Left + d.Width / 2 ? Before(i) : After(i)};
  return TRVDrawPos{i, OffsAtX(i, X)};
}

TRVCaretPos TRVCaretLayout::PosAt(std::int32_t X, std::int32_t Y) const {
  const std::int32_t first = LineAtY(Y);
  if (first < 0)
    return {};
  return FromDraw(PosOnLine(first, X));
}

std::int32_t TRVCaretLayout::JumpItemAt(std::int32_t X, std::int32_t Y) const {
  const std::int32_t first = LineAtY(Y);
  if (first < 0)
    return -1;
  std::int32_t top = 0, bottom = 0;
  LineExtent(first, top, bottom);
  if (Y < top || Y >= bottom)
    return -1;
  const std::int32_t last = LineLast(first);
  for (std::int32_t i = first; i <= last; ++i) {
    const TRVDrawLineInfo& d = *D.DrawItems[i];
    if (X < d.Left || X >= d.Left + d.Width)
      continue;
    TCustomRVItemInfo* item = D.GetItem(d.ItemNo);
    TRVStyle* style = D.GetRVStyle();
    if (item->StyleNo >= 0 && style != nullptr && style->TextStyles[D.GetActualStyle(item)].Jump)
      return d.ItemNo;
    return -1;
  }
  return -1;
}

// -- caret steps --

TRVCaretPos TRVCaretLayout::NextChar(const TRVCaretPos& Pos) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  if (IsText(p.DItemNo)) {
    if (const std::int32_t o = StepInRun(p.DItemNo, p.DOffs, true); o > 0)
      return FromDraw({p.DItemNo, o});
  } else if (p.DOffs < After(p.DItemNo)) {
    return FromDraw({p.DItemNo, After(p.DItemNo)});
  }
  const std::int32_t next = p.DItemNo + 1;
  if (next >= D.DrawItems.Count())
    return FromDraw(p);
  if (!SamePlace(p.DItemNo, next))
    return FromDraw({next, Before(next)});
  if (!IsText(next))
    return FromDraw({next, After(next)});
  const std::int32_t o = StepInRun(next, Before(next), true);
  return FromDraw({next, o > 0 ? o : Before(next)});
}

TRVCaretPos TRVCaretLayout::PrevChar(const TRVCaretPos& Pos) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  if (IsText(p.DItemNo)) {
    if (const std::int32_t o = StepInRun(p.DItemNo, p.DOffs, false); o > 0)
      return FromDraw({p.DItemNo, o});
  } else if (p.DOffs > Before(p.DItemNo)) {
    return FromDraw({p.DItemNo, Before(p.DItemNo)});
  }
  const std::int32_t previous = p.DItemNo - 1;
  if (previous < 0)
    return FromDraw(p);
  if (!SamePlace(previous, p.DItemNo))
    return FromDraw({previous, After(previous)});
  if (!IsText(previous))
    return FromDraw({previous, Before(previous)});
  const std::int32_t o = StepInRun(previous, After(previous), false);
  return FromDraw({previous, o > 0 ? o : After(previous)});
}

TRVCaretPos TRVCaretLayout::NextWord(const TRVCaretPos& Pos) const {
  const TRVCaretPos p = Validate(Pos);
  if (!p.IsValid())
    return Pos;
  TCustomRVItemInfo* item = D.GetItem(p.ItemNo);
  if (item->StyleNo >= 0) {
    const std::u16string& text = D.GetItemText(p.ItemNo);
    if (p.Offs - 1 < static_cast<int>(text.size())) {
      const int start = RVU_NextWordStart(text, p.Offs - 1);
      return Validate(TRVCaretPos{p.ItemNo, start + 1, start < static_cast<int>(text.size())});
    }
  } else if (p.Offs < D.GetOffsAfterItem(p.ItemNo)) {
    return Validate(TRVCaretPos{p.ItemNo, D.GetOffsAfterItem(p.ItemNo), false});
  }
  std::int32_t next = p.ItemNo + 1;
  while (next < D.ItemCount() && D.IsHidden(next))
    ++next;
  if (next >= D.ItemCount())
    return p;
  TRVCaretPos result{next, D.GetOffsBeforeItem(next), true};
  if (D.GetItem(next)->StyleNo >= 0) {
    const std::u16string& text = D.GetItemText(next);
    if (!text.empty() && (text[0] == u' ' || text[0] == u'\t'))
      result.Offs = RVU_NextWordStart(text, 0) + 1;
  }
  return Validate(result);
}

TRVCaretPos TRVCaretLayout::PrevWord(const TRVCaretPos& Pos) const {
  const TRVCaretPos p = Validate(Pos);
  if (!p.IsValid())
    return Pos;
  std::int32_t itemNo = p.ItemNo;
  std::int32_t index = p.Offs - 1;
  if (D.GetItem(itemNo)->StyleNo < 0) {
    if (p.Offs > D.GetOffsBeforeItem(itemNo))
      return Validate(TRVCaretPos{itemNo, D.GetOffsBeforeItem(itemNo), true});
    index = 0;
  }
  while (index <= 0) {
    std::int32_t previous = itemNo - 1;
    while (previous >= 0 && D.IsHidden(previous))
      --previous;
    if (previous < 0)
      return Validate(TRVCaretPos{itemNo, D.GetOffsBeforeItem(itemNo), true});
    itemNo = previous;
    if (D.GetItem(itemNo)->StyleNo < 0)
      return Validate(TRVCaretPos{itemNo, D.GetOffsBeforeItem(itemNo), true});
    index = static_cast<int>(D.GetItemText(itemNo).size());
    if (index == 0)
      return Validate(TRVCaretPos{itemNo, 1, true});
  }
  const int start = RVU_PrevWordStart(D.GetItemText(itemNo), index);
  return Validate(TRVCaretPos{itemNo, start + 1, true});
}

TRVCaretPos TRVCaretLayout::LineHome(const TRVCaretPos& Pos) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  const std::int32_t first = LineFirst(p.DItemNo);
  return FromDraw({first, Before(first)});
}

TRVCaretPos TRVCaretLayout::LineEnd(const TRVCaretPos& Pos) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  const std::int32_t last = LineLast(p.DItemNo);
  return FromDraw({last, After(last)});
}

TRVCaretPos TRVCaretLayout::LineDown(const TRVCaretPos& Pos, std::int32_t Lines,
                                     std::int32_t X) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  std::int32_t first = LineFirst(p.DItemNo);
  for (; Lines > 0; --Lines) {
    const std::int32_t next = LineLast(first) + 1;
    if (next >= D.DrawItems.Count())
      break;
    first = next;
  }
  for (; Lines < 0; ++Lines) {
    if (first == 0)
      break;
    first = LineFirst(first - 1);
  }
  return FromDraw(PosOnLine(first, X));
}

TRVCaretPos TRVCaretLayout::PageDown(const TRVCaretPos& Pos, std::int32_t DY,
                                     std::int32_t X) const {
  const TRVDrawPos p = ToDraw(Pos);
  if (p.DItemNo < 0)
    return Pos;
  std::int32_t top = 0, bottom = 0;
  LineExtent(LineFirst(p.DItemNo), top, bottom);
  const std::int32_t y = DY >= 0 ? bottom - 1 + DY : top + DY;
  return FromDraw(PosOnLine(LineAtY(y), X));
}

TRVCaretPos TRVCaretLayout::DocStart() const {
  if (D.DrawItems.Count() == 0)
    return {};
  return FromDraw({0, Before(0)});
}

TRVCaretPos TRVCaretLayout::DocEnd() const {
  const std::int32_t n = D.DrawItems.Count();
  if (n == 0)
    return {};
  return FromDraw({n - 1, After(n - 1)});
}

bool TRVCaretLayout::IsRightToLeftParagraph(const TRVCaretPos& Pos) const {
  if (Pos.ItemNo < 0 || Pos.ItemNo >= D.ItemCount())
    return false;
  std::int32_t first = Pos.ItemNo;
  while (first > 0 && !D.IsParaStart(first))
    --first;
  TRVStyle* style = D.GetRVStyle();
  const std::int32_t paraNo = D.GetItem(first)->ParaNo;
  if (style != nullptr && paraNo >= 0 && paraNo < style->ParaStyles.Count()) {
    const TRVBiDiMode mode = style->ParaStyles[paraNo].BiDiMode;
    if (mode != rvbdUnspecified)
      return mode == rvbdRightToLeft;
  }
  for (std::int32_t i = first; i < D.ItemCount() && (i == first || !D.IsParaStart(i)); ++i) {
    if (D.GetItem(i)->StyleNo < 0)
      continue;
    if (const int strong = RVBiDi_FirstStrong(D.GetItemText(i)); strong >= 0)
      return strong == 1;
  }
  return false;
}

// -- units of selection --

void TRVCaretLayout::WordAt(const TRVCaretPos& Pos, TRVCaretPos& From, TRVCaretPos& To) const {
  const TRVCaretPos p = Validate(Pos);
  From = To = p;
  if (!p.IsValid())
    return;
  if (D.GetItem(p.ItemNo)->StyleNo < 0) {
    From = TRVCaretPos{p.ItemNo, D.GetOffsBeforeItem(p.ItemNo), false};
    To = TRVCaretPos{p.ItemNo, D.GetOffsAfterItem(p.ItemNo), false};
    return;
  }
  int from = 0, to = 0;
  RVU_WordAt(D.GetItemText(p.ItemNo), p.Offs - 1, from, to);
  From = TRVCaretPos{p.ItemNo, from + 1, true};
  To = TRVCaretPos{p.ItemNo, to + 1, false};
}

void TRVCaretLayout::ParagraphAt(const TRVCaretPos& Pos, TRVCaretPos& From,
                                 TRVCaretPos& To) const {
  const TRVCaretPos p = Validate(Pos);
  From = To = p;
  if (!p.IsValid())
    return;
  std::int32_t first = p.ItemNo;
  while (first > 0 && !D.IsParaStart(first))
    --first;
  std::int32_t last = p.ItemNo;
  while (last + 1 < D.ItemCount() && !D.IsParaStart(last + 1))
    ++last;
  From = TRVCaretPos{first, D.GetOffsBeforeItem(first), true};
  To = TRVCaretPos{last, D.GetOffsAfterItem(last), false};
}

} // namespace richtext
