// Starting and finishing lines: indents, paragraph spacing, line spacing, alignment and tabs.
#include <algorithm>
#include <utility>

#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/CRVFDataFormatter.h"
#include "richtext/base/RVCharNav.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

bool RichViewJustifyBeforeLineBreak = false;

void TRVFormatter::GetIndents(std::int32_t ItemNo, bool IsParaSectionStart,
                              std::int32_t& FirstIndent, std::int32_t& RightIndent,
                              std::int32_t& LeftIndent) {
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  const TParaInfo& para = Para(item->ParaNo);
  // List paragraphs would take their level's indents here; documents of this engine have none.
  // A right-to-left paragraph starts at the right: its sides swap, and the first line's indent
  // is taken at the right (OnStartNewLine).
  RightIndent = S.GetAsDevicePixelsX(para.RightIndent, &sad);
  LeftIndent = S.GetAsDevicePixelsX(para.LeftIndent, &sad);
  if (ParaBiDi(ItemNo).Level == 1)
    std::swap(LeftIndent, RightIndent);
  FirstIndent = 0;
  if (IsParaSectionStart && D.IsParaStartEx(ItemNo) && !item->GetBoolValue(rvbpFullWidth))
    FirstIndent = S.GetAsDevicePixelsX(para.FirstIndent, &sad);
}

void TRVFormatter::OnStartNewLine(std::int32_t ItemNo, bool Wrapping) {
  const bool showSpecial = D.GetOptions().Contains(rvoShowSpecialCharacters) &&
                           !D.State.Contains(rvstNoSpecialCharacters);
  if (Wrapping && P.LastDrawItem > 0) {
    TRVDrawLineInfo* last = D.DrawItems[P.LastDrawItem - 1];
    TCustomRVItemInfo* lastItem = D.GetItem(last->ItemNo);
    if (lastItem->StyleNo >= 0 && last->TextLength > 0) {
      const std::int32_t styleNo = D.GetActualStyle(lastItem);
      const std::u16string& text = lastItem->ItemText;
      const std::size_t end = static_cast<std::size_t>(last->Offs - 1 + last->TextLength);
      // A soft wrap drops the space the line ends with (it is shown on neither line).
      if (!P.SpaceEaten && end <= text.size() && text[end - 1] == u' ') {
        const bool alone = last->TextLength == 1 && !last->FromNewLine && P.LastDrawItem >= 2 &&
                           D.DrawItems[P.LastDrawItem - 2]->ItemNo == last->ItemNo;
        if (alone) {
          D.DrawItems.Delete(P.LastDrawItem - 1);
          --P.LastDrawItem;
        } else {
          --last->TextLength;
          // The run's item is almost always the one being laid out or the one before it,
          // whose text is at hand and measured.
          const TMeasuredText* measured = MeasuredText(last->ItemNo);
          std::u16string own;
          std::u16string_view shown;
          if (measured != nullptr && measured->StyleNo == styleNo) {
            shown = measured->Text;
          } else {
            own = DisplayText(last->ItemNo, styleNo);
            shown = own;
          }
          last->Width = RunSize(styleNo, shown.substr(static_cast<std::size_t>(last->Offs - 1),
                                                      static_cast<std::size_t>(last->TextLength)))
                            .cx;
        }
        P.SpaceEaten = true;
      }
    }
    // A soft hyphen at the wrap is shown.
    if (P.LastDrawItem > 0) {
      last = D.DrawItems[P.LastDrawItem - 1];
      lastItem = D.GetItem(last->ItemNo);
      if (lastItem->StyleNo >= 0 && last->TextLength > 0) {
        const std::int32_t styleNo = D.GetActualStyle(lastItem);
        const std::u16string& text = lastItem->ItemText;
        const std::size_t e = static_cast<std::size_t>(last->Offs - 1 + last->TextLength);
        TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(styleNo);
        if (e <= text.size() && text[e - 1] == RV_SOFTHYPHEN && !fc.IsSymbolFont && !showSpecial)
          last->Width += fc.HyphenWidth;
      }
    }
  }
  UpdateLastTab();
  const std::int32_t extra = FinishScreenLine(!Wrapping);

  std::int32_t first = 0, right = 0, left = 0;
  GetIndents(ItemNo, P.IsParaSectionStart, first, right, left);
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  const TParaInfo& para = Para(item->ParaNo);
  if (P.IsParaSectionStart && D.IsParaStartEx(ItemNo)) {
    for (std::int32_t i = ItemNo - 1; i >= 0; --i)
      if (!D.IsHidden(i)) {
        P.prevdesc += S.GetAsDevicePixelsY(Para(D.GetItem(i)->ParaNo).GetSpaceAfter(), &sad);
        break;
      }
    P.prevdesc += S.GetAsDevicePixelsY(para.GetSpaceBefore(), &sad);
  }
  P.baseline += extra;
  const std::int32_t top = P.baseline + P.prevdesc;
  const std::int32_t width =
      (para.Options.Contains(rvpaoNoWrap) || !P.AllowWordWrap) ? D.DocumentWidth : D.TextWidth;
  P.LeftIndent = left;
  P.RightIndent = right;
  P.FirstIndent = first;
  P.LineWidth = width - left - right;
  P.UnadjustedLeftIndent = sad.LeftMargin + left;
  P.UnadjustedRightSide = width + sad.LeftMargin - right;
  // Floating boxes would narrow the line and move it down here (none in these documents).
  if (P.IsParaSectionStart)
    P.FloatingDrawItemsInThisParaSection = nullptr;
  P.LineWidth -= first;
  P.LineStartX = sad.LeftMargin + left + (ParaBiDi(ItemNo).Level == 1 ? 0 : first);
  P.LineStartY = top;
  P.TextLength = 0;
  P.LineHasFloating = false;
  P.LineHasPlaceholders = false;
  P.NeedRecalcY = false;
  if (para.LineSpacingType == rvlsLineHeightAtLeast ||
      para.LineSpacingType == rvlsLineHeightExact) {
    const std::int32_t h = std::max(S.GetAsDevicePixelsY(para.LineSpacing, &sad), 4);
    // Round(0.8 h) with ties to even: 4 h / 5 rounded.
    const std::int32_t q = (4 * h) / 5, r = (4 * h) % 5;
    P.LineHeightAbove = (2 * r > 5 || (2 * r == 5 && (q % 2) != 0)) ? q + 1 : q;
    P.LineHeightBelow = h - P.LineHeightAbove;
  }
  P.CanBeFloatingAtTheBeginning = true;
}

void TRVFormatter::ShiftItems(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX) {
  if (DX == 0)
    return;
  for (std::int32_t i = FirstNo; i <= LastNo; ++i)
    D.DrawItems[i]->Left += DX;
}

std::int32_t TRVFormatter::ProcessLineSpacing(std::int32_t FirstNo, std::int32_t LastNo,
                                              const TParaInfo& Para) {
  std::int32_t top = D.DrawItems[FirstNo]->Top, bottom = top;
  std::int32_t textTop = 0, textBottom = 0;
  bool hasText = false;
  for (std::int32_t i = FirstNo; i <= LastNo; ++i) {
    const TRVDrawLineInfo* d = D.DrawItems[i];
    top = std::min(top, d->Top);
    bottom = std::max(bottom, d->Top + d->Height);
    if (D.GetItem(d->ItemNo)->StyleNo >= 0) {
      textTop = hasText ? std::min(textTop, d->Top) : d->Top;
      textBottom = hasText ? std::max(textBottom, d->Top + d->Height) : d->Top + d->Height;
      hasText = true;
    }
  }
  std::int32_t below = 0;
  bool fixed = false;
  switch (Para.LineSpacingType) {
  case rvlsPercent:
    if (Para.LineSpacing != 100 && Para.LineSpacing >= 50 && hasText)
      below = (textBottom - textTop) * (Para.LineSpacing - 100) / 100;
    break;
  case rvlsSpaceBetween:
    if (Para.LineSpacing >= 0)
      below = S.GetAsDevicePixelsY(Para.LineSpacing, &sad);
    break;
  case rvlsLineHeightAtLeast:
  case rvlsLineHeightExact: {
    fixed = true;
    std::int32_t above = P.LineHeightAbove + top - P.baseline;
    below = P.LineHeightBelow + P.baseline - bottom;
    if (Para.LineSpacingType == rvlsLineHeightAtLeast) {
      above = std::max(above, 0);
      below = std::max(below, 0);
    }
    for (std::int32_t i = FirstNo; i <= LastNo; ++i)
      D.DrawItems[i]->SetExtraSpaceAbove(above);
    break;
  }
  }
  if (below != 0)
    for (std::int32_t i = FirstNo; i <= LastNo; ++i)
      D.DrawItems[i]->SetExtraSpaceBelow(below);
  return fixed ? 0 : below;
}

std::int32_t TRVFormatter::FinishScreenLine(bool IsParaSectionFinished) {
  if (P.DontFSL) {
    P.DontFSL = false;
    return 0;
  }
  if (P.LastDrawItem == 0)
    return 0;
  const std::int32_t lastNo = P.LastDrawItem - 1;
  std::int32_t firstNo = lastNo;
  while (firstNo > 0 && !D.DrawItems[firstNo]->FromNewLine)
    --firstNo;
  const TRVDrawLineInfo* last = D.DrawItems[lastNo];
  if (D.GetItem(D.DrawItems[firstNo]->ItemNo)->GetBoolValue(rvbpFullWidth))
    return 0;
  const TParaInfo& para = Para(D.GetItem(last->ItemNo)->ParaNo);
  bool finished = IsParaSectionFinished;
  if (RichViewJustifyBeforeLineBreak && finished)
    finished = last->ItemNo + 1 >= D.ItemCount() || D.IsParaStart(last->ItemNo + 1);
  const std::int32_t lineEndX = P.LineStartX + P.LineWidth;
  // In a right-to-left paragraph the sides swap: it starts at the right.
  const bool rtl = ParaBiDi(last->ItemNo).Level == 1;
  TRVAlignment alignment = para.Alignment;
  if (rtl && alignment == rvaLeft)
    alignment = rvaRight;
  else if (rtl && alignment == rvaRight)
    alignment = rvaLeft;
  TRVAlignment defaultAlignment = alignment;
  if (alignment == rvaJustify || alignment == rvaDistribute) {
    switch (para.LastLineAlignment) {
    case rvllaDefault:
      defaultAlignment = rtl ? rvaRight : rvaLeft;
      break;
    case rvllaLeft:
      defaultAlignment = rvaLeft;
      break;
    case rvllaRight:
      defaultAlignment = rvaRight;
      break;
    case rvllaCenter:
      defaultAlignment = rvaCenter;
      break;
    default:
      break;
    }
  }
  if (finished)
    alignment = defaultAlignment;
  if (defaultAlignment == rvaJustify || defaultAlignment == rvaDistribute)
    defaultAlignment = rtl ? rvaRight : rvaLeft;
  auto calculateDX = [&](TRVAlignment a) {
    if (a == rvaLeft)
      return 0;
    std::int32_t dx = lineEndX - last->Left - last->Width;
    if (a == rvaCenter)
      dx /= 2;
    return dx < 0 ? 0 : dx;
  };
  const std::int32_t dx = calculateDX(alignment);
  const std::int32_t defaultDX = calculateDX(defaultAlignment);
  // Non-baseline vertical alignment of objects (ProcessVAlign) has its place here.
  const std::int32_t extra = ProcessLineSpacing(firstNo, lastNo, para);
  switch (alignment) {
  case rvaJustify:
    JustifyLine(firstNo, lastNo, dx, defaultDX);
    break;
  case rvaDistribute:
    DistributeLine(firstNo, lastNo, dx, defaultDX);
    break;
  default:
    ShiftItems(firstNo, lastNo, dx);
    break;
  }
  ReorderLine(firstNo, lastNo);
  // Floating boxes would follow; these lines have none.
  return extra;
}

// Justification and distribution stretch only what follows the line's last tab.
std::int32_t TRVFormatter::FirstItemAfterLastTab(std::int32_t FirstNo, std::int32_t LastNo) {
  for (std::int32_t i = LastNo; i >= FirstNo; --i)
    if (D.GetItem(D.DrawItems[i]->ItemNo)->StyleNo == rvsTab)
      return i + 1;
  return FirstNo;
}

// Hands DX out over the items from Start on, in proportion to Counts[i - Start] x height
// (Total is their sum), then closes the gaps that opened. SpaceCount records each widened
// item's count of stretched units; which units they are (spaces, or the characters of a
// distributed paragraph) the run's measured positions work out again when they spread it.
void TRVFormatter::SpreadExtraWidth(std::int32_t FirstNo, std::int32_t Start, std::int32_t LastNo,
                                    std::int32_t DX, std::int32_t DefaultDX,
                                    const std::vector<std::int32_t>& Counts, std::int64_t Total) {
  if (Total == 0) {
    ShiftItems(FirstNo, LastNo, DefaultDX);
    return;
  }
  std::int64_t dx = DX;
  for (std::int32_t i = Start; i <= LastNo; ++i) {
    TRVDrawLineInfo* d = D.DrawItems[i];
    const std::int32_t n = Counts[static_cast<std::size_t>(i - Start)];
    if (n > 0) {
      const std::int64_t weight = static_cast<std::int64_t>(n) * d->Height;
      const std::int64_t extra = dx * weight / Total;
      dx -= extra;
      Total -= weight;
      d->SetSpaceCount(n);
      d->SetTextWidth(d->Width);
      d->Width += static_cast<std::int32_t>(extra);
    }
    if (!d->FromNewLine && i > FirstNo) {
      const TRVDrawLineInfo* prev = D.DrawItems[i - 1];
      d->Left = prev->Left + prev->Width;
    }
  }
}

void TRVFormatter::JustifyLine(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX,
                               std::int32_t DefaultDX) {
  const std::int32_t start = FirstItemAfterLastTab(FirstNo, LastNo);
  std::vector<std::int32_t> spaces(static_cast<std::size_t>(LastNo - start + 1), 0);
  std::int64_t total = 0;
  for (std::int32_t i = start; i <= LastNo; ++i) {
    const TRVDrawLineInfo* d = D.DrawItems[i];
    if (D.GetItem(d->ItemNo)->StyleNo < 0)
      continue;
    const std::u16string run = D.DrawItems.GetString(i, D.Items());
    const auto n = static_cast<std::int32_t>(std::count(run.begin(), run.end(), u' '));
    spaces[static_cast<std::size_t>(i - start)] = n;
    total += static_cast<std::int64_t>(d->Height) * n;
  }
  SpreadExtraWidth(FirstNo, start, LastNo, DX, DefaultDX, spaces, total);
}

void TRVFormatter::DistributeLine(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX,
                                  std::int32_t DefaultDX) {
  const std::int32_t start = FirstItemAfterLastTab(FirstNo, LastNo);
  std::vector<std::int32_t> counts(static_cast<std::size_t>(LastNo - start + 1), 0);
  std::int64_t total = 0;
  for (std::int32_t i = start; i <= LastNo; ++i) {
    TRVDrawLineInfo* d = D.DrawItems[i];
    TCustomRVItemInfo* item = D.GetItem(d->ItemNo);
    if (item->StyleNo < 0 || d->TextLength == 0)
      continue;
    const std::int32_t styleNo = D.GetActualStyle(item);
    TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(styleNo);
    const std::u16string run = D.DrawItems.GetString(i, D.Items());
    bool firstExpands = false, lastExpands = false;
    std::int32_t n = RVCountExpandableChars(GI, *fc.Canvas, run, fc.IsSymbolFont, firstExpands,
                                            lastExpands);
    // The outermost characters of the line do not expand, so its edges stay where they are.
    if (i == FirstNo && n > 0 && firstExpands) {
      d->SetLeftNoExpandIndex(1);
      --n;
    }
    if (i == LastNo && n > 0 && lastExpands) {
      const std::int32_t cut = RVU_PrevCharIndex(run, static_cast<int>(run.size()));
      d->SetRightNoExpandIndex(cut + 1);
      --n;
    }
    counts[static_cast<std::size_t>(i - start)] = n;
    total += static_cast<std::int64_t>(d->Height) * n;
  }
  SpreadExtraWidth(FirstNo, start, LastNo, DX, DefaultDX, counts, total);
}

void TRVFormatter::UpdateLastTab() {
  if (P.LastTabDrawItemNo < 0)
    return;
  const std::int32_t tabNo = P.LastTabDrawItemNo;
  P.LastTabDrawItemNo = -1;
  if (tabNo >= P.LastDrawItem)
    return;
  TRVDrawLineInfo* tab = D.DrawItems[tabNo];
  const TRVDrawLineInfo* last = D.DrawItems[P.LastDrawItem - 1];
  const std::int32_t stop = std::min(P.LastTabPosition, P.LineStartX + P.LineWidth);
  const std::int32_t lastRight = last->Left + last->Width;
  std::int32_t amount = 0;
  if (P.LastTabAlign == rvtaRight)
    amount = stop - lastRight;
  else
    amount = stop - (tab->Left + tab->Width + lastRight) / 2;
  if (amount <= 0)
    return;
  tab->Width += amount;
  if (auto* item = dynamic_cast<TRVTabItemInfo*>(D.GetItem(tab->ItemNo)))
    item->Width = tab->Width;
  for (std::int32_t i = tabNo + 1; i < P.LastDrawItem; ++i)
    D.DrawItems[i]->Left += amount;
  P.X += amount;
}

} // namespace richtext
