// Painting a formatted document: which drawing items are drawn, in which order, where, and in
// which selection state. How a run of text looks is its text style's business (TFontInfo::Draw).
#include <algorithm>
#include <span>

#include "richtext/document/RVItem.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVColor.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// What one PaintTo call shares between the drawing of its items.
struct TPaintPass {
  TPaintPass(TCustomRVFormattedData& AData, TRVCanvas& ACanvas, TRVStyle& AStyle)
      : Data(AData), Canvas(ACanvas), Style(AStyle) {}
  TCustomRVFormattedData& Data;
  TRVCanvas& Canvas;
  TRVStyle& Style;
  std::int32_t XShift = 0;
  std::int32_t YShift = 0;
  bool PrintMode = false;
  bool ShowSpecial = false;
  TRVTextDrawStates DefaultState;
  std::int32_t LastDrawnStyleNo = -1;
};

// Advances: where the characters go (the run's measured table); empty draws the text in one
// piece.
TRVTextRunGeometry RunGeometry(const TPaintPass& P, const TRVDrawLineInfo& d,
                               std::span<const int> Advances = {}) {
  TRVTextRunGeometry g;
  g.Left = d.Left - P.XShift;
  g.Top = d.Top - P.YShift;
  g.Width = d.Width;
  g.Height = d.Height;
  g.BaseLine = d.BaseLine - P.YShift;
  g.SpaceAtLeft = d.GetSpaceAtLeft();
  g.TextWidth = d.GetTextWidth();
  g.SpaceCount = d.GetSpaceCount();
  g.Advances = Advances;
  return g;
}

void ApplyTextStyle(TPaintPass& P, std::int32_t StyleNo) {
  if (StyleNo == P.LastDrawnStyleNo)
    return;
  const bool customPPI = P.Data.GetFlags().Contains(rvflCanUseCustomPPI);
  P.Style.ApplyStyle(P.Canvas, StyleNo, rvbdUnspecified, customPPI);
  P.LastDrawnStyleNo = StyleNo;
}

// One text run in one selection state.
void DrawText(TPaintPass& P, std::int32_t DItemNo, const TRVMeasuredRun& Run, bool Selected) {
  const TRVDrawLineInfo& d = *P.Data.DrawItems[DItemNo];
  const std::int32_t styleNo = P.Data.GetActualStyle(P.Data.GetItem(d.ItemNo));
  TRVTextDrawStates state = P.DefaultState;
  if (Selected)
    state.Include(rvtsSelected);
  if (!P.PrintMode && P.Data.State.Contains(rvstDrawHover) && d.ItemNo == P.Data.HoverItemNo &&
      P.Style.TextStyles[styleNo].Jump)
    state.Include(rvtsHover);
  if (P.Style.OnDrawStyleText) {
    state.Include(rvtsDrawItemStart);
    if (d.Offs == 1)
      state.Include(rvtsItemStart);
    state.Include(rvtsDrawItemEnd);
    if (d.Offs + d.TextLength > static_cast<std::int32_t>(P.Data.GetItemText(d.ItemNo).size()))
      state.Include(rvtsItemEnd);
  }
  if (P.Style.TextBackgroundKind == rvtbkSimple || Selected) {
    P.Style.ApplyStyleColor(P.Canvas, styleNo, state, P.PrintMode, rvcmColor);
  } else {
    P.Style.ApplyStyleTextColor(P.Canvas, styleNo, state, P.PrintMode, rvcmColor);
    P.Canvas.SetBrushStyle(bsClear);
  }
  const std::span<const int> advances =
      Run.HasAdvances ? std::span<const int>(Run.Advances) : std::span<const int>();
  P.Style.DrawStyleText(Run.Shown, P.Canvas, styleNo, RunGeometry(P, d, advances), state,
                        P.PrintMode);
}

// The canvas x range of shown characters From .. To (1-based, inclusive) of the run, from the
// run's table, so that the edges fall between glyphs as drawn.
void CharRangeX(const TPaintPass& P, const TRVDrawLineInfo& d, const TRVMeasuredRun& Run,
                int From, int To, int& X1, int& X2) {
  const int left = d.Left - P.XShift + d.GetSpaceAtLeft();
  const auto last = static_cast<int>(Run.Shown.size());
  const int a = Run.ShownX[static_cast<std::size_t>(std::clamp(From - 1, 0, last))];
  const int b = Run.ShownX[static_cast<std::size_t>(std::clamp(To, 0, last))];
  // Right to left the characters run from the right: the range's edges come the other way.
  X1 = From <= 1 && !Run.RightToLeft ? d.Left - P.XShift : left + std::min(a, b);
  X2 = left + std::max(a, b);
}

// A tab's leader fills its box with the leader character of the tab stop, in the tab's text
// style, ending a little before the next text; with special characters shown, an arrow
// across the box marks the tab instead.
void DrawTab(TPaintPass& P, const TRVDrawLineInfo& d, const TRVTabItemInfo& Tab, const TRect& Box,
             bool Selected) {
  if (Box.Width() <= 0)
    return;
  const std::int32_t styleNo =
      Tab.TextStyleNo >= 0 && Tab.TextStyleNo < P.Style.TextStyles.Count() ? Tab.TextStyleNo : 0;
  ApplyTextStyle(P, styleNo);
  TRVTextDrawStates state = P.DefaultState;
  if (Selected)
    state.Include(rvtsSelected);
  P.Style.ApplyStyleTextColor(P.Canvas, styleNo, state, P.PrintMode, rvcmColor);
  const TColor color = P.Canvas.GetFont().Color;
  if (P.ShowSpecial && RVVisibleSpecialCharacters.Contains(rvscTab)) {
    const int y = Box.Top + Box.Height() / 2;
    const int head = std::max(2, std::min(Box.Height() / 5, Box.Width() / 3));
    const int x1 = Box.Left + 1, x2 = Box.Right - 1;
    P.Canvas.SetPen(TRVPen{color, psSolid, 1});
    P.Canvas.Line(x1, y, x2, y);
    P.Canvas.Line(x2 - head, y - head, x2, y);
    P.Canvas.Line(x2 - head, y + head, x2, y);
    return;
  }
  TRVGraphicInterface* gi = P.Style.GetGraphicInterface();
  if (Tab.Leader.empty() || gi == nullptr)
    return;
  const int width = gi->TextSizeBasic(P.Canvas, Tab.Leader).cx;
  if (width <= 0)
    return;
  const int gap = width / 2;
  const int count = (Box.Width() - gap) / width;
  if (count <= 0)
    return;
  std::u16string leader;
  for (int i = 0; i < count; ++i)
    leader += Tab.Leader;
  P.Canvas.SetBrushStyle(bsClear);
  P.Canvas.TextOut(Box.Right - gap - count * width, d.BaseLine - P.YShift, leader);
}

// A break is a horizontal line across its box; a tab shows its leader or mark.
void DrawNonText(TPaintPass& P, std::int32_t DItemNo, bool Selected) {
  const TRVDrawLineInfo& d = *P.Data.DrawItems[DItemNo];
  TCustomRVItemInfo* item = P.Data.GetItem(d.ItemNo);
  const TRect box{d.Left - P.XShift, d.Top - P.YShift, d.Left - P.XShift + d.Width,
                  d.Top - P.YShift + d.Height};
  if (Selected) {
    P.Canvas.SetBrush(TRVBrush{P.Style.GetSelectionColor(P.Data.PaintControlFocused, true),
                               bsSolid});
    P.Canvas.FillRect(box);
  }
  if (auto* tab = dynamic_cast<TRVTabItemInfo*>(item))
    DrawTab(P, d, *tab, box, Selected);
  if (auto* brk = dynamic_cast<TRVBreakItemInfo*>(item)) {
    const TColor color = brk->Color == clNone ? clWindowText : brk->Color;
    const int t = std::max(1, brk->LineWidth);
    const int top = box.Top + (box.Height() - t) / 2;
    P.Canvas.SetBrush(TRVBrush{color, bsSolid});
    P.Canvas.FillRect(TRect{box.Left, top, box.Right, top + t});
  }
}

// With special characters shown, a pilcrow after the last drawing item of each paragraph, in
// the colour and font of that item's text (or the current ones after a non-text item).
void DrawParagraphMark(TPaintPass& P, const TRVDrawLineInfo& d) {
  if (!P.ShowSpecial || !RVVisibleSpecialCharacters.Contains(rvscParagraph))
    return;
  P.Canvas.SetBrushStyle(bsClear);
  P.Canvas.TextOut(d.Left + d.Width - P.XShift, d.BaseLine - P.YShift, u"\u00B6");
}

// With TextBackgroundKind other than rvtbkSimple the backgrounds of the runs are laid down in
// one pass before any text, so that a run's text is never covered by its neighbour's back.
void DrawTextBacks(TPaintPass& P, std::int32_t First, std::int32_t Last) {
  for (std::int32_t i = First; i <= Last; ++i) {
    const TRVDrawLineInfo& d = *P.Data.DrawItems[i];
    TCustomRVItemInfo* item = P.Data.GetItem(d.ItemNo);
    if (item->StyleNo < 0 || P.Data.IsHidden(d.ItemNo))
      continue;
    const std::int32_t styleNo = P.Data.GetActualStyle(item);
    const TRVTextRunGeometry g = RunGeometry(P, d);
    bool doDefault = true;
    if (P.Style.OnDrawTextBack)
      P.Style.OnDrawTextBack(P.Style, P.Canvas, styleNo, g.Left, g.Top, g.Width, g.Height,
                             P.DefaultState, doDefault);
    if (!doDefault)
      continue;
    const TColor back = P.Style.TextStyles[styleNo].GetBackColorFor(P.Style, P.DefaultState,
                                                                    P.PrintMode, rvcmColor);
    if (back == clNone)
      continue;
    P.Canvas.SetBrush(TRVBrush{back, bsSolid});
    P.Canvas.FillRect(TRect{g.Left, g.Top, g.Left + g.Width, g.Top + g.Height});
  }
}

} // namespace

std::int32_t TCustomRVFormattedData::GetFirstVisible(std::int32_t Y) {
  const std::int32_t n = DrawItems.Count();
  if (n == 0)
    return 0;
  // The last item whose top is at or above Y, then back to the start of the line before it,
  // so that items of a taller line reaching down into view are included.
  std::int32_t lo = 0, hi = n - 1;
  while (lo < hi) {
    const std::int32_t mid = (lo + hi + 1) / 2;
    if (DrawItems[mid]->Top <= Y)
      lo = mid;
    else
      hi = mid - 1;
  }
  std::int32_t i = lo;
  while (i > 0 && !DrawItems[i]->FromNewLine)
    --i;
  if (i > 0) {
    --i;
    while (i > 0 && !DrawItems[i]->FromNewLine)
      --i;
  }
  return i;
}

void TCustomRVFormattedData::DrawBackground(TRVCanvas& Canvas, const TRect& R, TColor Color) {
  if (Color == clNone)
    return;
  Canvas.SetBrush(TRVBrush{Color, bsSolid});
  Canvas.FillRect(R);
}

void TCustomRVFormattedData::PaintTo(TRVCanvas& Canvas, TRect AClipRect,
                                     const TRVPaintOptions& Options) {
  const bool StrictBottom = Options.StrictBottom, PrintMode = Options.PrintMode;
  const std::int32_t ExtraXOffs = Options.ExtraXOffs, ExtraYOffs = Options.ExtraYOffs;
  const std::int32_t MinDItemNo = Options.MinDItemNo, MaxDItemNo = Options.MaxDItemNo;
  TRVStyle* style = GetRVStyle();
  if (style == nullptr || DrawItems.Count() == 0)
    return;
  TPaintPass P{*this, Canvas, *style};
  P.PrintMode = PrintMode;
  std::int32_t s, e, so, eo;
  GetSelBounds(s, e, so, eo, true);

  const bool culling = AClipRect.Width() > 0 && AClipRect.Height() > 0;
  const std::int32_t vOffs = GetVOffs();
  const std::int32_t clipTopDoc = AClipRect.Top + vOffs;
  const std::int32_t clipBottomDoc = AClipRect.Bottom + vOffs;
  P.YShift = vOffs + AClipRect.Top + ExtraYOffs;
  P.XShift = AClipRect.Left + ExtraXOffs;
  Canvas.SetBrushStyle(bsClear);

  if (PaintControlFocused)
    P.DefaultState.Include(rvtsControlFocused);
  if (PaintControlDisabled)
    P.DefaultState.Include(rvtstControlDisabled);
  P.ShowSpecial = !PrintMode && ShowsSpecialCharacters();
  if (P.ShowSpecial)
    P.DefaultState.Include(rvtsSpecialCharacters);

  std::int32_t first = culling ? GetFirstVisible(clipTopDoc) : 0;
  first = std::max(first, MinDItemNo);
  std::int32_t last = DrawItems.Count() - 1;
  if (MaxDItemNo >= 0)
    last = std::min(last, MaxDItemNo);
  if (culling) {
    std::int32_t l = first;
    while (l <= last && DrawItems[l]->Top < clipBottomDoc)
      ++l;
    last = l - 1;
  }
  if (first > last)
    return;

  if (style->TextBackgroundKind != rvtbkSimple || style->OnDrawTextBack)
    DrawTextBacks(P, first, last);

  const bool selectionShown = !PrintMode && s >= 0 && e >= 0;
  const bool completely = State.Contains(rvstCompletelySelected);
  std::int32_t lastPainted = first;
  for (std::int32_t i = first; i <= last; ++i) {
    const TRVDrawLineInfo& d = *DrawItems[i];
    if (culling && (d.Top + d.Height <= clipTopDoc ||
                    (StrictBottom && d.Top + d.Height > clipBottomDoc)))
      continue;
    lastPainted = i;
    TCustomRVItemInfo* item = GetItem(d.ItemNo);
    if (IsHidden(d.ItemNo))
      continue;
    const bool inRange = selectionShown && (completely || (i >= s && i <= e));
    const bool whole =
        inRange && (completely || ((i > s || so <= GetOffsBeforeDrawItem(i)) &&
                                   (i < e || eo >= GetOffsAfterDrawItem(i))));
    const bool paraEnd = i + 1 >= DrawItems.Count() ||
                         (IsParaStart(DrawItems[i + 1]->ItemNo) &&
                          DrawItems[i + 1]->ItemNo != d.ItemNo);
    if (item->StyleNo < 0) {
      DrawNonText(P, i, whole);
      P.LastDrawnStyleNo = -1;
      if (paraEnd)
        DrawParagraphMark(P, d);
      continue;
    }
    const std::int32_t styleNo = GetActualStyle(item);
    ApplyTextStyle(P, styleNo);
    const TRVMeasuredRun& measured = MeasuredRun(i, Canvas, P.ShowSpecial);
    // A right-to-left run is drawn whole in its reading direction.
    const unsigned textAlign = Canvas.GetTextAlign();
    if (measured.RightToLeft)
      Canvas.SetTextAlign(textAlign | TA_RTLREADING);
    // The selected characters, as offsets before the first and after the last of them, moved
    // into the shown text.
    const int from = (i == s && so > 1) ? so : 1;
    const int after = (i == e && eo <= d.TextLength) ? eo : d.TextLength + 1;
    const auto lastIndex = static_cast<int>(measured.ShownIndex.size()) - 1;
    const int shownFrom =
        measured.ShownIndex[static_cast<std::size_t>(std::clamp(from - 1, 0, lastIndex))] + 1;
    const int shownAfter =
        measured.ShownIndex[static_cast<std::size_t>(std::clamp(after - 1, 0, lastIndex))] + 1;
    if (!inRange || whole) {
      DrawText(P, i, measured, whole);
    } else {
      DrawText(P, i, measured, false);
      if (shownAfter - 1 >= shownFrom) {
        int x1 = 0, x2 = 0;
        CharRangeX(P, d, measured, shownFrom, shownAfter - 1, x1, x2);
        Canvas.SaveClip();
        Canvas.IntersectClipRect(TRect{x1, d.Top - P.YShift, x2, d.Top - P.YShift + d.Height});
        DrawText(P, i, measured, true);
        Canvas.RestoreClip();
      }
    }
    if (measured.RightToLeft)
      Canvas.SetTextAlign(textAlign);
    if (paraEnd)
      DrawParagraphMark(P, d);
  }

  PostPaintTo(Canvas, P.XShift, P.YShift, first, lastPainted, PrintMode);
  Canvas.SetTextAlign(0);
}

} // namespace richtext
