// Formatting after an edit: only the paragraphs the edit touched are laid out again. Their old
// drawing items are freed into the deletion window of the drawing item list and the new ones
// fill it from the front, so the tail of the list is not shifted for every new item; the
// lines below only move by the change in height.
#include <algorithm>

#include "richtext/layout/CRVFDataFormatter.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// The top of the line that drawing item First starts: the highest box on it.
std::int32_t LineTop(const TRVDrawLines& DrawItems, std::int32_t First) {
  std::int32_t top = DrawItems[First]->Top;
  for (std::int32_t i = First + 1; i < DrawItems.Count() && !DrawItems[i]->FromNewLine; ++i)
    top = std::min(top, DrawItems[i]->Top);
  return top;
}

} // namespace

bool TCustomRVFormattedData::FormatRange(std::int32_t First, std::int32_t FromEnd,
                                         std::int32_t OldItemCount) {
  TRVStyle* style = GetRVStyle();
  const std::int32_t count = ItemCount();
  if (style == nullptr || style->GetGraphicInterface() == nullptr || count == 0 ||
      DrawItems.Count() == 0 || LastItemFormatted != OldItemCount - 1 ||
      State.Contains(rvstSkipFormatting) || AlreadyFormatted)
    return false;
  const std::int32_t lastNew = count - 1 - FromEnd;
  const std::int32_t itemDelta = count - OldItemCount;
  First = std::clamp(First, 0, count - 1);

  // Whole paragraphs: from the one before the edit (its last line may end differently now) to
  // the end of the last one the edit reached.
  std::int32_t p = First > 0 ? First - 1 : 0;
  while (p > 0 && !IsParaStartEx(p))
    --p;
  std::int32_t q = std::max(lastNew, First);
  while (q + 1 < count && !IsParaStartEx(q + 1))
    ++q;
  const bool tail = q + 1 < count;

  TRVCanvas* canvas = GetFormatCanvas();
  if (canvas == nullptr)
    return false;
  TRVScreenAndDevice sad;
  GetSADForFormatting(canvas, sad);
  sad.LeftMargin = RV_XToDevice(GetLeftMargin(), sad);
  sad.RightMargin = RV_XToDevice(GetRightMargin(), sad);
  const std::int32_t clientTextWidth = GetWidthRot() - sad.LeftMargin - sad.RightMargin;
  // A document wider than its area depends on its widest word, which only a full pass finds.
  if (DocumentWidth != clientTextWidth || TextWidth != DocumentWidth)
    return false;
  for (std::int32_t i = p; i <= q; ++i) {
    const TRVLineSpacingType ls = style->ParaStyles[GetItem(i)->ParaNo].LineSpacingType;
    if (IsHidden(i) || ls == rvlsLineHeightExact || ls == rvlsLineHeightAtLeast)
      return false;
  }

  // The old drawing items of the range, and where the lines around it were.
  const std::int32_t dFirst = p == 0 ? 0 : GetItem(p)->DrawItemNo;
  if (dFirst < 0 || dFirst >= DrawItems.Count() || DrawItems[dFirst]->ItemNo != p ||
      !DrawItems[dFirst]->FromNewLine)
    return false;
  std::int32_t dLast = DrawItems.Count() - 1;
  std::int32_t oldNextTop = 0;
  if (tail) {
    const std::int32_t next = GetItem(q + 1)->DrawItemNo;
    if (next <= dFirst || next >= DrawItems.Count() || DrawItems[next]->ItemNo != q + 1 - itemDelta ||
        !DrawItems[next]->FromNewLine)
      return false;
    dLast = next - 1;
    oldNextTop = LineTop(DrawItems, next);
  }
  auto spaceBefore = [&](std::int32_t ItemNo) {
    const TCustomRVItemInfo* item = GetItem(ItemNo);
    const bool ignore = item->GetBoolValue(rvbpFullWidth) && item->GetBoolValue(rvbpIgnorePara);
    return style->GetAsDevicePixelsY(style->ParaStyles[ignore ? 0 : item->ParaNo].GetSpaceBefore(), &sad);
  };
  auto spaceAfter = [&](std::int32_t ItemNo) {
    return ItemNo < 0 ? 0
                      : style->GetAsDevicePixelsY(style->ParaStyles[GetItem(ItemNo)->ParaNo].GetSpaceAfter(), &sad);
  };
  const std::int32_t oldLineTop = LineTop(DrawItems, dFirst);

  // Hyperlinks are numbered in document order; the range continues the numbering before it.
  const std::int32_t oldJumps = nJmps;
  std::int32_t jumpBase = 0, oldRangeJumps = 0;
  if (oldJumps > 0) {
    for (std::int32_t i = p - 1; i >= 0; --i)
      if (GetItem(i)->JumpID >= 0) {
        jumpBase = GetItem(i)->JumpID + 1;
        break;
      }
    std::int32_t after = oldJumps;
    for (std::int32_t i = q + 1; i < count; ++i)
      if (GetItem(i)->JumpID >= 0) {
        after = GetItem(i)->JumpID;
        break;
      }
    oldRangeJumps = after - jumpBase;
  }

  TRVFormatParams params;
  params.NoCaching = true;
  params.MaxLength = GetMaxLength();
  params.AllowWordWrap = IsWordWrapAllowed();
  params.baseline = oldLineTop - spaceAfter(p - 1) - spaceBefore(p);
  params.prevdesc = 0;
  params.LastDrawItem = dFirst;
  params.DontFSL = true;

  State.Include(rvstFormatting);
  DrawItems.MarkForDelete(dFirst, dLast);
  for (std::int32_t i = p; i <= q; ++i)
    GetItem(i)->DrawItemNo = -1;
  nJmps = jumpBase;
  std::int32_t extra = 0;
  {
    TRVCanvas* formatCanvas = GetFormatCanvasEx(canvas);
    TRVFontInfoCache cache(this, *style, *canvas, formatCanvas,
                           GetFlags().Contains(rvflCanUseCustomPPI));
    cache.PSaD = &sad;
    params.FontInfoCache = &cache;
    params.UseFormatCanvas = formatCanvas != nullptr;
    params.FormatCanvas = canvas;
    TRVFormatter formatter(*this, *style, params, sad);
    for (std::int32_t i = p; i <= q; ++i) {
      if (IsParaStartEx(i))
        params.FirstParaItemNo = i;
      formatter.FormatItem(i);
    }
    formatter.UpdateLastTab();
    extra = formatter.FinishScreenLine(true);
  }
  DrawItems.DeleteMarked();
  State.Exclude(rvstFormatting);
  const std::int32_t jumpDelta = (nJmps - jumpBase) - oldRangeJumps;
  nJmps = oldJumps + jumpDelta;

  // Lines wider than the document need the widest-word pass after all.
  const std::int32_t rightEdge = sad.LeftMargin + TextWidth;
  for (std::int32_t i = dFirst; i < params.LastDrawItem; ++i)
    if (DrawItems[i]->Left + DrawItems[i]->Width > rightEdge)
      return false;

  const std::int32_t newBottom = params.baseline + params.prevdesc + extra;
  const std::int32_t drawDelta = params.LastDrawItem - (dLast + 1);
  const std::int32_t bottomMargin = RV_YToDevice(GetBottomMargin(), sad);
  if (tail) {
    const std::int32_t dy = newBottom + spaceAfter(q) + spaceBefore(q + 1) - oldNextTop;
    if (dy != 0 || itemDelta != 0)
      for (std::int32_t i = params.LastDrawItem; i < DrawItems.Count(); ++i) {
        TRVDrawLineInfo* d = DrawItems[i];
        d->Top += dy;
        d->BaseLine += dy;
        d->ItemNo += itemDelta;
      }
    if (drawDelta != 0 || jumpDelta != 0)
      for (std::int32_t i = q + 1; i < count; ++i) {
        TCustomRVItemInfo* item = GetItem(i);
        if (item->DrawItemNo >= 0)
          item->DrawItemNo += drawDelta;
        if (item->JumpID >= 0)
          item->JumpID += jumpDelta;
      }
    DocumentHeight += dy;
  } else {
    DocumentHeight = bottomMargin + newBottom + spaceAfter(q);
  }
  LastItemFormatted = count - 1;
  // The selection's item positions name the items before the edit: the editor sets it anew.
  DropSelection();

  const std::int32_t oldAreaWidth = GetWidth();
  AlreadyFormatted = true;
  SetDocumentAreaSize(sad.LeftMargin + DocumentWidth + sad.RightMargin, DocumentHeight, true);
  AlreadyFormatted = false;
  AdjustVScrollUnits();
  Formatted(p, q, true);
  DoAfterFormat();
  // A scroll bar that came or went changed the width: everything moves.
  return GetWidth() == oldAreaWidth;
}

} // namespace richtext
