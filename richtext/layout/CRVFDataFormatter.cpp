// Laying items into lines: text runs, empty text, full-line and inline non-text items.
#include "richtext/layout/CRVFDataFormatter.h"

#include <algorithm>
#include <optional>
#include <climits>

#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/RVLineBreak.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

std::unique_ptr<TRVDrawLineInfo> GetStandardDrawLineInfoClass(TCustomRVItemInfo* Item,
                                                              const TParaInfo& ParaStyle) {
  if (Item->GetBoolValue(rvbpFloating))
    return std::make_unique<TRVFloatingDrawLineInfo>();
  switch (ParaStyle.LineSpacingType) {
  case rvlsPercent:
  case rvlsSpaceBetween: {
    const bool standard = (ParaStyle.LineSpacingType == rvlsPercent && ParaStyle.LineSpacing == 100) ||
                          (ParaStyle.LineSpacingType == rvlsSpaceBetween && ParaStyle.LineSpacing == 0);
    if (!standard)
      return std::make_unique<TRVSimpleLineHeightDrawLineInfo>();
    if (ParaStyle.Alignment == rvaJustify || ParaStyle.Alignment == rvaDistribute ||
        Item->StyleNo == rvsListMarker)
      return std::make_unique<TRVJustifyDrawLineInfo>();
    return std::make_unique<TRVDrawLineInfo>();
  }
  default:
    return std::make_unique<TRVComplexLineHeightDrawLineInfo>();
  }
}

TRVTabStop RVGetNextTab(const TRVStyle& RVStyle, const TParaInfo& Para, std::int32_t X,
                        const TRVScreenAndDevice& sad) {
  for (int i = 0; i < Para.Tabs.Count(); ++i) {
    const TRVTabInfo* tab = Para.Tabs.Items(i);
    const std::int32_t pos = RVStyle.GetAsDevicePixelsX(tab->GetPosition(), &sad);
    if (pos > X)
      return {pos, tab->Align, tab->Leader};
  }
  std::int32_t step = RVStyle.GetAsDevicePixelsX(RVStyle.DefTabWidth, &sad);
  if (step <= 0)
    step = 1;
  return {(X / step + 1) * step, rvtaLeft, {}};
}

TRVFormatter::TRVFormatter(TCustomRVFormattedData& Data, TRVStyle& RVStyle, TRVFormatParams& Params,
                           TRVScreenAndDevice& sad)
    : D(Data), S(RVStyle), P(Params), sad(sad), GI(Params.FontInfoCache->GetGraphicInterface()) {}

// ---------------------------------------------------------------------------------------------
// Small questions

const TParaInfo& TRVFormatter::Para(std::int32_t ParaNo) const {
  return S.ParaStyles[ParaNo];
}

bool TRVFormatter::ParaWraps(const TParaInfo& Para) const {
  return !Para.Options.Contains(rvpaoNoWrap) && P.AllowWordWrap;
}

bool TRVFormatter::IsLastOfSection(std::int32_t ItemNo) {
  for (std::int32_t i = ItemNo + 1; i < D.ItemCount(); ++i) {
    if (D.IsFromNewLine(i))
      return true;
    if (!D.IsHidden(i))
      return false;
  }
  return true;
}

std::u16string TRVFormatter::DisplayText(std::int32_t ItemNo, std::int32_t StyleNo,
                                         std::size_t Count) {
  const bool showSpecial = D.GetOptions().Contains(rvoShowSpecialCharacters) &&
                           !D.State.Contains(rvstNoSpecialCharacters);
  TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(StyleNo);
  const std::u16string& text = D.GetItem(ItemNo)->ItemText;
  // Processing maps character by character, so a head of the text processes alone.
  if (Count > 0 && Count < text.size())
    return RV_ReturnProcessedString(text.substr(0, Count), S.TextStyles[StyleNo], false,
                                    showSpecial, false, fc.IsSymbolFont);
  return RV_ReturnProcessedString(text, S.TextStyles[StyleNo], false, showSpecial, false,
                                  fc.IsSymbolFont);
}

TRVFormatter::TMeasuredText& TRVFormatter::MeasureItemText(std::int32_t ItemNo,
                                                           std::int32_t StyleNo) {
  std::swap(FCurText, FPrevText);
  TMeasuredText& m = *FCurText;
  m.ItemNo = ItemNo;
  m.StyleNo = StyleNo;
  m.Text = DisplayText(ItemNo, StyleNo);
  TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(StyleNo);
  if (m.Text.empty())
    m.Widths.Clear();
  else
    m.Widths.Assign(GI, *fc.Canvas, m.Text, fc.IsSymbolFont);
  return m;
}

const TRVFormatter::TMeasuredText* TRVFormatter::MeasuredText(std::int32_t ItemNo) const {
  if (FCurText->ItemNo == ItemNo)
    return FCurText.get();
  if (FPrevText->ItemNo == ItemNo)
    return FPrevText.get();
  return nullptr;
}

const TRVTextWidths* TRVFormatter::WidthsFor(std::int32_t StyleNo, std::u16string_view Run) const {
  for (const TMeasuredText* m : {FCurText.get(), FPrevText.get()})
    if (m->StyleNo == StyleNo && m->Widths.Covers(Run))
      return &m->Widths;
  return nullptr;
}

void TRVFormatter::DoApplyFontWhileFormatting(std::int32_t StyleNo) {
  TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(StyleNo);
  P.TextMetric = fc.TextMetric;
  P.IsSymbolFont = fc.IsSymbolFont;
  P.FormatCanvas = fc.Canvas.get();
  P.VerticalOffs = fc.VerticalOffset;
  P.LastTextStyle = StyleNo;
}

TRVMeasureContext TRVFormatter::Measure(std::int32_t StyleNo) {
  TRVMeasureContext c =
      TRVMeasureContext::FromCacheItem(GI, P.FontInfoCache->Items(StyleNo), P.UseFormatCanvas);
  if (FCurText->StyleNo == StyleNo && FCurText->Widths.IsValid())
    c.Widths = &FCurText->Widths;
  return c;
}

TRVSize TRVFormatter::RunSize(std::int32_t StyleNo, std::u16string_view Run) {
  TRVMeasureContext c = Measure(StyleNo);
  c.Widths = WidthsFor(StyleNo, Run);
  TRVSize size = c.Measure(Run);
  if (P.UseFormatCanvas) {
    size.cx = RVConvertFromFormatCanvas(size.cx);
    size.cy = RVConvertFromFormatCanvas(size.cy);
  }
  return size;
}

// ---------------------------------------------------------------------------------------------
// Items

void TRVFormatter::FormatItem(std::int32_t ItemNo) {
  CurItemNo = ItemNo;
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  if (D.IsFromNewLineEx(ItemNo))
    P.IsParaSectionStart = true;
  if (item->StyleNo >= 0)
    FormatText(ItemNo);
  else if (item->GetBoolValue(rvbpFullWidth))
    FormatFullLine(ItemNo);
  else
    FormatNonText(ItemNo);
}

void TRVFormatter::AddTextDrawItem(std::int32_t ItemNo, std::int32_t Offs, std::int32_t Length,
                                   TRVSize Size, bool StartsLine, std::uint8_t BiDiLevel) {
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  const TParaInfo& para = Para(item->ParaNo);
  std::unique_ptr<TRVDrawLineInfo> owned = GetStandardDrawLineInfoClass(item, para);
  TRVDrawLineInfo& d = *owned;
  d.ItemNo = ItemNo;
  d.Offs = Offs;
  d.TextLength = Length;
  d.BiDiLevel = BiDiLevel;
  const std::int32_t ascent = P.TextMetric.tmAscent;
  const std::int32_t descent = P.TextMetric.tmDescent;
  if (StartsLine) {
    d.FromNewLine = true;
    d.FromNewPara = Offs <= 1 && D.IsFromNewLineEx(ItemNo);
    d.FloatingAboveUsed = P.MovedDownBecauseOfFloating ||
                          (P.FloatingDrawItems != nullptr && P.FloatingDrawItems->Count() > 0);
    P.X = 0;
    PlaceLineTop(d, ascent);
  } else {
    AdjustLineHeight(ascent + P.VerticalOffs);
    d.Top = P.baseline - ascent - P.VerticalOffs;
    d.FromNewLine = false;
    if (P.LastDrawItem > 0)
      d.FloatingAboveUsed = D.DrawItems[P.LastDrawItem - 1]->FloatingAboveUsed;
  }
  d.Left = P.LineStartX + P.X;
  d.BaseLine = P.baseline - P.VerticalOffs;
  d.SetSize(Size.cx, Size.cy);
  P.TextLength += Length;
  const bool firstRun = item->DrawItemNo < 0 || item->DrawItemNo >= P.LastDrawItem ||
                        D.DrawItems[item->DrawItemNo] == nullptr ||
                        D.DrawItems[item->DrawItemNo]->ItemNo != ItemNo;
  D.DrawItems.Insert(P.LastDrawItem, std::move(owned));
  if (firstRun && !D.ShareItems())
    item->DrawItemNo = P.LastDrawItem;
  ++P.LastDrawItem;
  const std::int32_t desc = descent - P.VerticalOffs;
  P.prevdesc = StartsLine ? desc : std::max(P.prevdesc, desc);
  const TRVLineSpacingType ls = para.LineSpacingType;
  if (ls == rvlsLineHeightExact || (ls == rvlsLineHeightAtLeast && P.prevdesc < P.LineHeightBelow))
    P.prevdesc = P.LineHeightBelow;
  P.X += Size.cx;
}

// The first box of a line: the baseline moves down by the space left below the previous line
// and the ascent of this box (or the fixed height above the baseline).
void TRVFormatter::PlaceLineTop(TRVDrawLineInfo& d, std::int32_t Ascent) {
  P.prevabove = Ascent + P.VerticalOffs;
  const TRVLineSpacingType ls = Para(P.ParaNo).LineSpacingType;
  if (ls == rvlsLineHeightExact || (ls == rvlsLineHeightAtLeast && P.prevabove < P.LineHeightAbove))
    P.prevabove = P.LineHeightAbove;
  P.baseline += P.prevdesc + P.prevabove;
  d.Top = P.baseline - Ascent - P.VerticalOffs;
}

void TRVFormatter::AdjustLineHeight(std::int32_t H) {
  if (P.prevabove >= H)
    return;
  if (Para(P.ParaNo).LineSpacingType == rvlsLineHeightExact && P.LastDrawItem > 0)
    return;
  const std::int32_t delta = H - P.prevabove;
  for (std::int32_t i = P.LastDrawItem - 1; i >= 0; --i) {
    TRVDrawLineInfo* d = D.DrawItems[i];
    d->Top += delta;
    d->BaseLine += delta;
    if (d->FromNewLine)
      break;
  }
  P.baseline += delta;
  P.prevabove = H;
}

void TRVFormatter::FormatText(std::int32_t ItemNo) {
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  P.ParaNo = item->ParaNo;
  const TParaInfo& para = Para(P.ParaNo);
  const std::int32_t styleNo = D.GetActualStyle(item);
  if (styleNo != P.LastTextStyle)
    DoApplyFontWhileFormatting(styleNo);
  const std::u16string& src = item->ItemText;
  const std::u16string& disp = MeasureItemText(ItemNo, styleNo).Text;
  // A wrap at an eaten space ends the line even when the next item continues the paragraph.
  bool newline = D.IsFromNewLineEx(ItemNo) || P.SpaceEaten;
  if (src.empty()) {
    FormatEmptyText(ItemNo, newline);
    return;
  }
  const bool trim = D.GetFlags().Contains(rvflTrim);
  const bool wraps = ParaWraps(para);
  const std::int32_t len = static_cast<std::int32_t>(src.size());
  const bool afterMarker = ItemNo > 0 && D.GetItem(ItemNo - 1)->StyleNo == rvsListMarker &&
                           D.IsParaStartEx(ItemNo - 1);
  std::int32_t pos = 0;
  while (pos < len) {
    bool firstPass = true;
    std::int32_t Lmax = 0;
    bool eatSpace = false;
    while (true) {
      if (firstPass && newline) {
        OnStartNewLine(ItemNo, !P.IsParaSectionStart);
        if (styleNo != P.LastTextStyle)
          DoApplyFontWhileFormatting(styleNo);
        P.X = 0;
        if (trim && !P.IsParaSectionStart && !P.SpaceEaten && len - pos > 1 && src[pos] == u' ')
          ++pos;
        P.SpaceEaten = false;
      }
      const std::int32_t rem = len - pos;
      const std::u16string_view remSrc(src.data() + pos, static_cast<std::size_t>(rem));
      const std::u16string_view remDisp(disp.data() + pos, static_cast<std::size_t>(rem));
      SpaceTillTheEndOfLine = std::max(P.LineWidth - P.X, 0);
      eatSpace = false;
      bool lengthDecremented = false;
      const bool limited = P.MaxLength >= 1 && wraps;
      const std::int32_t allowed = limited ? P.MaxLength - P.TextLength : INT_MAX;
      if (limited && allowed <= 0) {
        Lmax = 0;
      } else if (firstPass) {
        Lmax = MaxFitW(Measure(styleNo), remDisp, SpaceTillTheEndOfLine, limited ? allowed : 0,
                       wraps);
      } else {
        std::int32_t d = 1;
        for (std::int32_t i = rem - 1; i >= 0 && remSrc[static_cast<std::size_t>(i)] == u' '; --i)
          ++d;
        if (d > rem)
          d = 1;
        Lmax = rem - d;
        if (Lmax > allowed)
          Lmax = allowed;
        lengthDecremented = Lmax < rem;
      }
      if (Lmax == 0) {
        if (!newline && !afterMarker) {
          P.X = 0;
          P.IsParaSectionStart = false;
          newline = true;
          firstPass = true;
          continue;
        }
        // At a line start at least one whole character goes on the line, so formatting ends.
        if (!lengthDecremented)
          Lmax = AdjustMaxFit(remDisp, 1);
      }
      if (Lmax < rem && S.LineWrapMode != rvWrapAnywhere) {
        const bool lastOfSection = IsLastOfSection(ItemNo);
        const bool ignoreEnding = !firstPass || (Lmax + 1 == rem && lastOfSection);
        const int p = RVFindLineBreak(remSrc, Lmax, Lmax == rem - 1, ignoreEnding);
        bool found = p >= 0;
        if (!found) {
          if (trim && !lengthDecremented && (Lmax + 1 < rem || !lastOfSection) &&
              remSrc[static_cast<std::size_t>(Lmax)] == u' ') {
            eatSpace = true;
            found = true;
          }
        } else if (trim && remSrc[static_cast<std::size_t>(p)] == u' ') {
          if (p == 0) {
            Lmax = 1;
          } else {
            Lmax = p;
            eatSpace = true;
          }
        } else {
          Lmax = p + 1;
        }
        if (!found) {
          if (newline || afterMarker) {
            if (lengthDecremented)
              Lmax = rem;
          } else if (pos == 0 && AllowSplitBefore(ItemNo)) {
            P.X = 0;
            P.IsParaSectionStart = false;
            newline = true;
            firstPass = true;
            continue;
          } else if (lengthDecremented) {
            Lmax = rem;
          }
        }
      }
      const bool takesAll = Lmax == rem || (eatSpace && Lmax + 1 == rem);
      if (S.LineWrapMode == rvWrapNormal && firstPass && takesAll && wraps) {
        const TRVSize size = RunSize(styleNo, remDisp.substr(0, static_cast<std::size_t>(Lmax)));
        const std::u16string_view context =
            remSrc.substr(0, static_cast<std::size_t>(eatSpace ? Lmax + 1 : Lmax));
        if (!NextItemsCanBePlacedOnThisLine(ItemNo, size.cx, context)) {
          firstPass = false;
          continue;
        }
      }
      break;
    }
    const std::int32_t offs = pos + 1;
    pos += Lmax;
    if (eatSpace) {
      ++pos;
      P.SpaceEaten = true;
    }
    if (Lmax > 0) {
      const TRVSize size =
          RunSize(styleNo, std::u16string_view(disp).substr(static_cast<std::size_t>(offs - 1),
                                                            static_cast<std::size_t>(Lmax)));
      AddTextRuns(ItemNo, offs, Lmax, styleNo, disp, size, newline);
      P.IsParaSectionStart = false;
    }
    newline = true;
  }
  if (S.TextStyles[styleNo].Jump)
    item->JumpID = D.nJmps++;
  else
    item->JumpID = -1;
}

void TRVFormatter::FormatEmptyText(std::int32_t ItemNo, bool NewLine) {
  TCustomRVItemInfo* item = D.GetItem(ItemNo);
  const std::int32_t styleNo = D.GetActualStyle(item);
  TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(styleNo);
  const std::int32_t width = std::max(S.GetAsDevicePixelsX(S.TextStyles[styleNo].EmptyWidth, &sad), 0);
  const TRVSize size{width, fc.EmptyLineHeight};
  bool startsLine = NewLine;
  if (!startsLine && width > 0) {
    SpaceTillTheEndOfLine = std::max(P.LineWidth - P.X, 0);
    if (S.LineWrapMode == rvWrapNormal)
      startsLine = !NextItemsCanBePlacedOnThisLine(ItemNo, width, {});
    else
      startsLine = width > P.LineWidth - P.X && ParaWraps(Para(P.ParaNo));
    if (startsLine)
      P.IsParaSectionStart = false;
  }
  if (startsLine) {
    OnStartNewLine(ItemNo, !P.IsParaSectionStart);
    if (styleNo != P.LastTextStyle)
      DoApplyFontWhileFormatting(styleNo);
    P.X = 0;
    P.SpaceEaten = false;
  }
  AddTextDrawItem(ItemNo, 1, 0, size, startsLine);
  P.IsParaSectionStart = false;
  item->JumpID = S.TextStyles[styleNo].Jump ? -3 : -1;
}

// Whether the rest of this line can take what must stay with the current run: everything up
// to the next break opportunity after the current item.
bool TRVFormatter::NextItemsCanBePlacedOnThisLine(std::int32_t ItemNo, std::int32_t CurDrawItemWidth,
                                                  std::u16string_view RunText) {
  if (!ParaWraps(Para(P.ParaNo)))
    return true;
  std::int32_t rest = SpaceTillTheEndOfLine - CurDrawItemWidth;
  if (rest < 0)
    return false;
  std::int32_t chars = P.TextLength + static_cast<std::int32_t>(RunText.size());
  const bool limited = P.MaxLength >= 1;
  if (limited && chars > P.MaxLength)
    return false;
  // The run's own break context only matters to a text item after it on the line; a
  // paragraph's last run needs none.
  std::optional<TRVLineBreakContext> context;
  for (std::int32_t i = ItemNo + 1; i < D.ItemCount(); ++i) {
    if (D.IsFromNewLine(i))
      break;
    if (D.IsHidden(i))
      continue;
    TCustomRVItemInfo* item = D.GetItem(i);
    if (item->StyleNo < 0)
      break; // a line may always break before an object
    if (!context)
      context = RVGetLineBreakContext(RunText);
    const std::u16string& text = item->ItemText;
    const int n = RVFindFirstLineBreak(text, *context);
    if (n == 0)
      break;
    const std::int32_t styleNo = D.GetActualStyle(item);
    const std::size_t count = n < 0 ? text.size() : static_cast<std::size_t>(n);
    std::u16string disp = DisplayText(i, styleNo, count);
    // The part that stays before a break keeps no trailing spaces on the line.
    if (n > 0)
      while (!disp.empty() && disp.back() == u' ')
        disp.pop_back();
    std::int32_t w = RunSize(styleNo, disp).cx;
    if (n > 0 && !disp.empty() && disp.back() == RV_SOFTHYPHEN)
      w += P.FontInfoCache->Items(styleNo).HyphenWidth;
    rest -= w;
    chars += static_cast<std::int32_t>(count);
    if (rest < 0 || (limited && chars > P.MaxLength))
      return false;
    if (n > 0)
      break;
  }
  return true;
}

bool TRVFormatter::AllowSplitBefore(std::int32_t ItemNo) {
  if (S.LineWrapMode != rvWrapNormal || ItemNo == 0 || D.IsFromNewLineEx(ItemNo))
    return true;
  std::int32_t prev = ItemNo - 1;
  while (prev >= 0 && D.IsHidden(prev))
    --prev;
  if (prev < 0 || D.GetItem(prev)->StyleNo < 0)
    return true;
  TRVLineBreakContext context = RVGetLineBreakContext(D.GetItem(prev)->ItemText);
  return RVFindFirstLineBreak(D.GetItem(ItemNo)->ItemText, context) == 0;
}

void TRVFormatter::FormatFullLine(std::int32_t ItemNo) {
  auto* item = static_cast<TRVNonTextItemInfo*>(D.GetItem(ItemNo));
  UpdateLastTab();
  P.baseline += FinishScreenLine(true);
  const bool ignorePara = item->GetBoolValue(rvbpIgnorePara);
  // Space after the previous visible paragraph and before this one.
  for (std::int32_t i = ItemNo - 1; i >= 0; --i)
    if (!D.IsHidden(i)) {
      P.prevdesc += S.GetAsDevicePixelsY(Para(D.GetItem(i)->ParaNo).GetSpaceAfter(), &sad);
      break;
    }
  P.ParaNo = item->ParaNo;
  const TParaInfo& para = Para(ignorePara ? 0 : item->ParaNo);
  P.prevdesc += S.GetAsDevicePixelsY(para.GetSpaceBefore(), &sad);
  std::int32_t first = 0, right = 0, left = 0;
  if (!ignorePara)
    GetIndents(ItemNo, true, first, right, left);
  const std::int32_t width =
      (para.Options.Contains(rvpaoNoWrap) || !P.AllowWordWrap) ? D.DocumentWidth : D.TextWidth;
  P.LeftIndent = left;
  P.RightIndent = right;
  P.FirstIndent = 0;
  P.LineWidth = width - left - right;
  P.LineStartX = sad.LeftMargin + left;
  P.UnadjustedLeftIndent = sad.LeftMargin + left;
  P.UnadjustedRightSide = width + sad.LeftMargin - right;
  std::int32_t hshift = 0, desc = 0;
  item->OnDocWidthChange(P.LineWidth, nullptr, D.GetFlags().Contains(rvflPrinting), P.FormatCanvas,
                         &D, &sad, hshift, desc, P.NoCaching, P.Reformatting, P.UseFormatCanvas);
  const std::int32_t w = item->GetWidth(&S);
  const std::int32_t h = item->GetHeight(&S);
  std::int32_t x = 0;
  const TRVAlignment align = Para(item->ParaNo).Alignment;
  if (ignorePara || align == rvaCenter)
    x = std::max((P.LineWidth - w) / 2, 0);
  else if (align == rvaRight)
    x = std::max(P.LineWidth - w, 0);
  std::unique_ptr<TRVDrawLineInfo> owned = GetStandardDrawLineInfoClass(item, Para(item->ParaNo));
  TRVDrawLineInfo& d = *owned;
  P.LineStartY = P.baseline + P.prevdesc;
  d.SetData(P.LineStartX + x, P.LineStartY, ItemNo, true);
  d.SetSize(w, h);
  d.FromNewPara = true;
  d.BaseLine = d.Top + h;
  D.DrawItems.Insert(P.LastDrawItem, std::move(owned));
  if (!D.ShareItems())
    item->DrawItemNo = P.LastDrawItem;
  ++P.LastDrawItem;
  item->JumpID = -1;
  P.baseline += P.prevdesc + h;
  P.prevabove = h;
  P.prevdesc = 0;
  P.X = w;
  P.TextLength = 0;
  P.IsParaSectionStart = true;
}

// Inline objects: tabs here; pictures and controls would be placed the same way.
void TRVFormatter::FormatNonText(std::int32_t ItemNo) {
  auto* item = static_cast<TRVNonTextItemInfo*>(D.GetItem(ItemNo));
  P.ParaNo = item->ParaNo;
  const TParaInfo& para = Para(P.ParaNo);
  bool newline = D.IsFromNewLineEx(ItemNo) || P.SpaceEaten;
  std::int32_t assoc = item->GetAssociatedTextStyleNo();
  if (assoc == rvsDefStyle)
    assoc = D.GetActualStyleEx(assoc, item->ParaNo);
  const bool isTab = item->StyleNo == rvsTab;
  if (isTab)
    UpdateLastTab();
  auto startLine = [&](bool wrapping) {
    OnStartNewLine(ItemNo, wrapping);
    P.X = 0;
    P.SpaceEaten = false;
  };
  if (newline)
    startLine(!P.IsParaSectionStart);
  std::int32_t vOffs = 0, height = 0, desc = 0, hshift = 0;
  if (assoc >= 0) {
    TRVFontInfoCacheItem& fc = P.FontInfoCache->Items(assoc);
    vOffs = fc.VerticalOffset;
    height = fc.TextMetric.tmAscent + fc.TextMetric.tmDescent;
    desc = fc.TextMetric.tmDescent;
  }
  TRVTabStop stop;
  auto measure = [&]() -> std::int32_t {
    if (isTab) {
      auto* tab = static_cast<TRVTabItemInfo*>(item);
      stop = RVGetNextTab(S, para, P.LineStartX - sad.LeftMargin + P.X, sad);
      const std::int32_t left = P.LineStartX + P.X;
      const std::int32_t stopX = sad.LeftMargin + stop.Position;
      std::int32_t w = 0;
      if (stop.Align == rvtaLeft)
        w = std::max(stopX - left, 0);
      else if (stop.Align == rvtaCenter)
        w = std::max(2 * stopX - left - P.LineWidth - P.LineStartX, 0);
      tab->Width = w;
      tab->Height = height;
      tab->Leader = stop.Leader;
      return w;
    }
    std::int32_t d = 0;
    item->OnDocWidthChange(D.TextWidth - P.LeftIndent - P.RightIndent - P.FirstIndent, nullptr,
                           D.GetFlags().Contains(rvflPrinting), P.FormatCanvas, &D, &sad, hshift,
                           d, P.NoCaching, P.Reformatting, P.UseFormatCanvas);
    if (item->GetBoolValue(rvbpFloating)) {
      height = 1;
      desc = 0;
      return 0;
    }
    height = item->GetHeight(&S);
    desc = d;
    return item->GetWidth(&S);
  };
  std::int32_t width = measure();
  if (!newline) {
    SpaceTillTheEndOfLine = std::max(P.LineWidth - P.X, 0);
    const bool afterMarker = ItemNo > 0 && D.GetItem(ItemNo - 1)->StyleNo == rvsListMarker;
    bool fits = afterMarker;
    if (!fits) {
      if (S.LineWrapMode == rvWrapNormal)
        fits = NextItemsCanBePlacedOnThisLine(ItemNo, width, {});
      else
        fits = (width <= P.LineWidth - P.X && !(P.MaxLength >= 1 && P.TextLength >= P.MaxLength)) ||
               !ParaWraps(para);
    }
    if (!fits) {
      P.IsParaSectionStart = false;
      startLine(true);
      newline = true;
      width = measure();
    }
  }
  const std::int32_t above = height - desc;
  std::unique_ptr<TRVDrawLineInfo> owned = GetStandardDrawLineInfoClass(item, para);
  TRVDrawLineInfo& d = *owned;
  d.ItemNo = ItemNo;
  const std::int32_t savedVOffs = P.VerticalOffs;
  P.VerticalOffs = vOffs;
  if (newline) {
    d.FromNewLine = true;
    d.FromNewPara = D.IsFromNewLineEx(ItemNo);
    PlaceLineTop(d, above);
    P.prevdesc = desc - vOffs;
  } else {
    AdjustLineHeight(above + vOffs);
    d.Top = P.baseline - above - vOffs;
    P.prevdesc = std::max(P.prevdesc, desc - vOffs);
    if (P.LastDrawItem > 0)
      d.FloatingAboveUsed = D.DrawItems[P.LastDrawItem - 1]->FloatingAboveUsed;
  }
  const TRVLineSpacingType ls = para.LineSpacingType;
  if (ls == rvlsLineHeightExact || (ls == rvlsLineHeightAtLeast && P.prevdesc < P.LineHeightBelow))
    P.prevdesc = P.LineHeightBelow;
  P.VerticalOffs = savedVOffs;
  d.Left = P.LineStartX + P.X + hshift;
  d.SetSize(width, height);
  d.BaseLine = d.Top + height - desc;
  d.Offs = 0;
  d.TextLength = 0;
  D.DrawItems.Insert(P.LastDrawItem, std::move(owned));
  if (!D.ShareItems())
    item->DrawItemNo = P.LastDrawItem;
  if (isTab && stop.Align != rvtaLeft) {
    P.LastTabDrawItemNo = P.LastDrawItem;
    P.LastTabAlign = stop.Align;
    P.LastTabPosition = sad.LeftMargin + stop.Position;
  }
  ++P.LastDrawItem;
  ++P.TextLength;
  P.X += width + hshift;
  P.IsParaSectionStart = false;
  item->JumpID = -1;
}

} // namespace richtext
