// Formatting a document: widths, the pass over the items, the document size, and the one
// extra pass when showing or hiding a scroll bar changes the area.
#include <algorithm>
#include <memory>

#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/CRVFDataFormatter.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

std::int32_t RV_XToDevice(std::int32_t Value, const TRVScreenAndDevice& sad) {
  return RV_MulDiv(Value, sad.ppixDevice, sad.ppixScreen);
}

std::int32_t RV_YToDevice(std::int32_t Value, const TRVScreenAndDevice& sad) {
  return RV_MulDiv(Value, sad.ppiyDevice, sad.ppiyScreen);
}

void TCustomRVFormattedData::Format(bool NoCaching, bool AbsRotation) {
  TRVFormatOptions options;
  options.ForceFormat = true;
  options.NoCaching = NoCaching;
  options.AbsRotation = AbsRotation;
  Format_(options, GetFormatCanvas());
}

namespace {

// The widest thing of one paragraph section that cannot be wrapped.
class TMinWidthCalculator {
public:
  TMinWidthCalculator(TCustomRVFormattedData& Data, TRVStyle& Style, TRVFontInfoCache* Cache,
                      const TRVScreenAndDevice& sad, TRVCanvas* Canvas)
      : D(Data), S(Style), Cache(Cache), sad(sad), Canvas(Canvas) {}

  std::int32_t Calculate(std::int32_t FirstItemNo) {
    std::int32_t result = 0;
    std::int32_t i = FirstItemNo;
    while (i < D.ItemCount()) {
      std::int32_t end = i + 1;
      while (end < D.ItemCount() && !D.IsFromNewLine(end))
        ++end;
      result = std::max(result, Section(i, end));
      i = end;
    }
    return result;
  }

private:
  std::int32_t Section(std::int32_t First, std::int32_t End) {
    std::int32_t firstVisible = -1;
    for (std::int32_t i = First; i < End; ++i)
      if (!D.IsHidden(i)) {
        firstVisible = i;
        break;
      }
    if (firstVisible < 0)
      return 0;
    const TParaInfo& para = S.ParaStyles[D.GetItem(firstVisible)->ParaNo];
    const bool wraps = !para.Options.Contains(rvpaoNoWrap) && D.IsWordWrapAllowed();
    const std::int32_t firstIndent = S.GetAsDevicePixelsX(para.FirstIndent, &sad);
    std::int32_t indent = S.GetAsDevicePixelsX(para.LeftIndent, &sad) +
                          S.GetAsDevicePixelsX(para.RightIndent, &sad);
    if (firstIndent > 0 || !wraps)
      indent += firstIndent;
    std::int32_t widest = 0;
    std::int32_t sum = 0;
    for (std::int32_t i = First; i < End; ++i) {
      if (D.IsHidden(i))
        continue;
      TCustomRVItemInfo* item = D.GetItem(i);
      if (wraps) {
        std::int32_t w = 0;
        if (item->GetBoolValue(rvbpFloating))
          w = 0;
        else if (item->StyleNo >= 0 && item->ItemText.empty())
          w = std::max(S.GetAsDevicePixelsX(S.TextStyles[D.GetActualStyle(item)].EmptyWidth, &sad), 0);
        else
          w = item->GetMinWidth(&sad, Canvas, &D);
        widest = std::max(widest, w);
      } else {
        sum += ItemWidth(i, indent + sum, para);
      }
    }
    return indent + (wraps ? widest : sum);
  }

  // CalculateMinItemsWidthNoWrap: items side by side, tabs reaching their stops.
  std::int32_t ItemWidth(std::int32_t ItemNo, std::int32_t X, const TParaInfo& para) {
    TCustomRVItemInfo* item = D.GetItem(ItemNo);
    if (item->StyleNo >= 0) {
      if (Cache == nullptr)
        return 0;
      const std::int32_t styleNo = D.GetActualStyle(item);
      TRVFontInfoCacheItem& fc = Cache->Items(styleNo);
      if (item->ItemText.empty())
        return std::max(S.GetAsDevicePixelsX(S.TextStyles[styleNo].EmptyWidth, &sad), 0);
      TRVSize size = TRVMeasureContext::FromCacheItem(Cache->GetGraphicInterface(), fc,
                                                      Cache->GetUseFormatCanvas())
                         .Measure(item->ItemText);
      return Cache->GetUseFormatCanvas() ? RVConvertFromFormatCanvas(size.cx) : size.cx;
    }
    if (item->StyleNo == rvsTab)
      return std::max(RVGetNextTab(S, para, X, sad).Position - X, 0);
    auto* nonText = static_cast<TRVNonTextItemInfo*>(item);
    return nonText->GetWidth(&S);
  }

  TCustomRVFormattedData& D;
  TRVStyle& S;
  TRVFontInfoCache* Cache;
  const TRVScreenAndDevice& sad;
  TRVCanvas* Canvas;
};

} // namespace

std::int32_t TCustomRVFormattedData::CalculateMinDocWidthPlus(std::int32_t FirstItemNo,
                                                              const TRVScreenAndDevice* sad,
                                                              TRVCanvas* Canvas) {
  TRVStyle* style = GetRVStyle();
  if (style == nullptr)
    return 0;
  TRVScreenAndDevice own;
  if (sad == nullptr || (sad->ppixScreen == sad->ppixDevice && sad->ppiyScreen == sad->ppiyDevice))
    GetSADForFormatting(Canvas, own);
  else
    own = *sad;
  std::unique_ptr<TRVFontInfoCache> cache;
  if (Canvas != nullptr && style->GetGraphicInterface() != nullptr)
    cache = std::make_unique<TRVFontInfoCache>(this, *style, *Canvas, nullptr,
                                               GetFlags().Contains(rvflCanUseCustomPPI));
  return TMinWidthCalculator(*this, *style, cache.get(), own, Canvas).Calculate(FirstItemNo);
}

// What a resize carries over: what was at the top. (The selection, in item positions, needs no
// carrying.)
struct TCustomRVFormattedData::TFormatCarry {
  std::int32_t TopItemNo = -1, TopDistance = 0, OldVOffs = 0;
};

void TCustomRVFormattedData::FormatKeep(const TRVFormatOptions& Options, TFormatCarry& Carry) {
  if (Options.OnlyResized && !Options.NoScroll) {
    const std::int32_t vOffs = GetVOffs();
    for (std::int32_t i = 0; i < DrawItems.Count(); ++i) {
      const TRVDrawLineInfo* d = DrawItems[i];
      if (d->Top + d->Height > vOffs) {
        Carry.TopItemNo = d->ItemNo;
        const std::int32_t first = GetItem(Carry.TopItemNo)->DrawItemNo;
        Carry.TopDistance =
            vOffs - (first >= 0 && first < DrawItems.Count() ? DrawItems[first]->Top : d->Top);
        break;
      }
    }
  }
  if (Options.OnlyTail)
    Carry.OldVOffs = GetVOffs();
}

void TCustomRVFormattedData::FormatWidths(const TRVScreenAndDevice& sad, TRVCanvas* Canvas,
                                          std::int32_t FirstToFormat) {
  const std::int32_t minTextWidth = RV_XToDevice(GetMinTextWidth(), sad);
  const std::int32_t maxTextWidth = RV_XToDevice(GetMaxTextWidth(), sad);
  const std::int32_t clientTextWidth = GetWidthRot() - sad.LeftMargin - sad.RightMargin;
  DocumentWidth = std::max(clientTextWidth, CalculateMinDocWidthPlus(FirstToFormat, &sad, Canvas));
  DocumentWidth = std::max(DocumentWidth, minTextWidth);
  if (GetOptions().Contains(rvoClientTextWidth)) {
    TextWidth = std::max(clientTextWidth, minTextWidth);
  } else {
    TextWidth = DocumentWidth;
    if (maxTextWidth >= 1 && TextWidth > maxTextWidth)
      TextWidth = maxTextWidth;
  }
}

void TCustomRVFormattedData::FormatLines(TRVStyle& Style, TRVCanvas& Canvas,
                                         TRVScreenAndDevice& sad, const TRVFormatOptions& Options,
                                         bool OnlyTail, std::int32_t TopMargin,
                                         std::int32_t BottomMargin) {
  TRVFormatParams params;
  params.SpaceEaten = false;
  params.LastTabDrawItemNo = -1;
  params.NoCaching = Options.NoCaching;
  params.Reformatting = Options.Reformatting;
  params.FirstParaItemNo = -1;
  params.LastTextStyle = -1;
  params.IsParaSectionStart = true;
  params.TextLength = 0;
  params.MaxLength = GetMaxLength();
  params.NeedRecalcY = false;
  params.AllowWordWrap = IsWordWrapAllowed();
  params.ThisLevelOnly = false;

  const std::int32_t firstItem = OnlyTail ? LastItemFormatted + 1 : 0;
  if (OnlyTail) {
    std::int32_t spaceAfter = 0;
    if (LastItemFormatted >= 0)
      spaceAfter = Style.GetAsDevicePixelsY(
          Style.ParaStyles[GetItem(LastItemFormatted)->ParaNo].GetSpaceAfter(), &sad);
    params.baseline = DocumentHeight - BottomMargin - spaceAfter;
  } else {
    params.baseline = TopMargin;
    ClearTemporal();
  }
  params.X = 0;
  params.prevdesc = 0;
  params.ParaNo = -1;
  params.LastDrawItem = DrawItems.Count();
  params.DontFSL = true;

  TRVCanvas* formatCanvas = GetFormatCanvasEx(&Canvas);
  TRVFontInfoCache cache(this, Style, Canvas, formatCanvas,
                         GetFlags().Contains(rvflCanUseCustomPPI));
  cache.PSaD = &sad;
  params.FontInfoCache = &cache;
  params.UseFormatCanvas = formatCanvas != nullptr;
  params.FormatCanvas = &Canvas;

  TRVFormatter formatter(*this, Style, params, sad);
  std::int32_t lastVisible = -1;
  for (std::int32_t i = firstItem; i < ItemCount(); ++i) {
    TCustomRVItemInfo* item = GetItem(i);
    if (IsHidden(i)) {
      if (!ShareItems()) {
        item->DrawItemNo = -1;
        item->JumpID = -1;
      }
      continue;
    }
    if (IsParaStartEx(i))
      params.FirstParaItemNo = i;
    formatter.FormatItem(i);
    lastVisible = i;
  }
  if (lastVisible < 0 && OnlyTail)
    lastVisible = LastItemFormatted;
  formatter.UpdateLastTab();
  const std::int32_t extra = formatter.FinishScreenLine(!State.Contains(rvstLastParaAborted));
  DocumentHeight = BottomMargin + params.baseline + params.prevdesc + extra;
  if (lastVisible >= 0)
    DocumentHeight += Style.GetAsDevicePixelsY(
        Style.ParaStyles[GetItem(lastVisible)->ParaNo].GetSpaceAfter(), &sad);
  AdjustVScrollUnits();
}

void TCustomRVFormattedData::FormatRestore(const TRVFormatOptions& Options, bool OnlyTail,
                                           const TFormatCarry& Carry, bool Rebuilt) {
  if (Options.OnlyResized && !Options.NoScroll) {
    std::int32_t y = 0;
    if (Carry.TopItemNo >= 0 && Carry.TopItemNo < ItemCount()) {
      const std::int32_t first = GetItem(Carry.TopItemNo)->DrawItemNo;
      if (first >= 0 && first < DrawItems.Count())
        y = DrawItems[first]->Top + Carry.TopDistance;
    }
    ScrollTo(y, false);
  }
  if (OnlyTail)
    ScrollTo(GetOptions().Contains(rvoScrollToEnd) ? DocumentHeight : Carry.OldVOffs, false);
  if (!Options.OnlyResized && Rebuilt && !OnlyTail && HasSelectionEnds() &&
      (FSelStart.ItemNo >= ItemCount() || FSelEnd.ItemNo >= ItemCount()))
    // Positions in a document that no longer has so many items would point nowhere.
    Deselect(nullptr, false);
}

// Stages: what a resize carries over, the widths, the lines (when the widths or the request
// say so), the area's size (a second pass when showing a scroll bar changes it), and what was
// carried put back.
bool TCustomRVFormattedData::Format_(const TRVFormatOptions& Options, TRVCanvas* Canvas,
                                     std::int32_t Depth) {
  if (AlreadyFormatted) {
    AlreadyFormatted = false;
    return false;
  }
  TRVStyle* style = GetRVStyle();
  if (Depth > 1 || style == nullptr || State.Contains(rvstSkipFormatting))
    return false;
  if (Options.OnlyTail && LastItemFormatted >= ItemCount() - 1)
    return false;
  // Measuring needs the style sheet's graphic interface: without one there is nothing to
  // measure with, as without a style sheet.
  TRVGraphicInterface* gi = style->GetGraphicInterface();
  if (gi == nullptr)
    return false;
  if (Canvas == nullptr)
    Canvas = GetFormatCanvas();
  std::unique_ptr<TRVCanvas> screenCanvas;
  if (Canvas == nullptr) {
    screenCanvas = gi->CreateScreenCanvas();
    Canvas = screenCanvas.get();
  }
  if (Depth == 0) {
    State.Include(rvstFormatting);
    BeginFormatting();
  }

  TFormatCarry carry;
  if (Depth == 0)
    FormatKeep(Options, carry);
  // Showing the vertical scroll bar before measuring (DoesVScrollBarChangeWidth) saves the
  // second pass on platforms where it narrows the area; a toolkit-free control has no bar to
  // show early, so the second pass below does the work.

  bool rebuilt = false;
  struct Cleanup {
    TCustomRVFormattedData& d;
    std::int32_t depth;
    ~Cleanup() {
      if (depth == 0) {
        d.State.Exclude(rvstFormatting);
        d.LastItemFormatted = d.ItemCount() - 1;
        d.Formatted(0, d.ItemCount() - 1, false);
        d.DoAfterFormat();
      }
    }
  } cleanup{*this, Depth};

  TRVScreenAndDevice sad;
  GetSADForFormatting(Canvas, sad);
  sad.LeftMargin = RV_XToDevice(GetLeftMargin(), sad);
  sad.RightMargin = RV_XToDevice(GetRightMargin(), sad);
  const std::int32_t topMargin = RV_YToDevice(GetTopMargin(), sad);
  const std::int32_t bottomMargin = RV_YToDevice(GetBottomMargin(), sad);
  const std::int32_t oldTextWidth = TextWidth;
  const std::int32_t oldDocumentWidth = DocumentWidth;
  FormatWidths(sad, Canvas, Options.OnlyTail ? LastItemFormatted + 1 : 0);

  const bool rebuild = (Depth == 0 && !Options.OnlyResized) || TextWidth != oldTextWidth ||
                       (DocumentWidth != oldDocumentWidth && !GetFlags().Contains(rvflRoot)) ||
                       Options.ForceFormat;
  bool onlyTail = Options.OnlyTail;
  if (rebuild) {
    // A tail cannot be appended to lines laid out at another width.
    onlyTail = onlyTail && TextWidth == oldTextWidth && LastItemFormatted >= 0;
    FormatLines(*style, *Canvas, sad, Options, onlyTail, topMargin, bottomMargin);
    rebuilt = true;
  }

  const std::int32_t oldAreaWidth = GetWidth();
  const std::int32_t oldAreaHeight = GetHeight();
  AlreadyFormatted = true;
  SetDocumentAreaSize(sad.LeftMargin + DocumentWidth + sad.RightMargin, DocumentHeight, true);
  AlreadyFormatted = false;
  if (GetWidth() != oldAreaWidth || GetHeight() != oldAreaHeight) {
    TRVFormatOptions again = Options;
    again.ForceFormat = false;
    again.OnlyTail = false;
    Format_(again, Canvas, Depth + 1);
  }

  if (Depth == 0)
    FormatRestore(Options, onlyTail, carry, rebuilt);
  return rebuilt;
}

} // namespace richtext
