#include "richtext/layout/RVFontCache.h"

#include <cstdlib>

#include "richtext/base/RVClasses.h"
#include "richtext/layout/RVTextMeasure.h"
#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// Starts the canvas from a plain font at its own resolution: applying a style scales the
// font's resolution for the format canvas, which must not happen twice.
void ResetFont(TRVCanvas& Canvas) {
  TRVFont f;
  f.PixelsPerInch = Canvas.GetPixelsPerInchY();
  Canvas.SetFont(f);
}

void ConvertFromFormatCanvas(TRVTextMetric& tm) {
  tm.tmHeight = RVConvertFromFormatCanvas(tm.tmHeight);
  tm.tmAscent = RVConvertFromFormatCanvas(tm.tmAscent);
  tm.tmInternalLeading = RVConvertFromFormatCanvas(tm.tmInternalLeading);
  tm.tmExternalLeading = RVConvertFromFormatCanvas(tm.tmExternalLeading);
  tm.tmAveCharWidth = RVConvertFromFormatCanvas(tm.tmAveCharWidth);
  tm.tmMaxCharWidth = RVConvertFromFormatCanvas(tm.tmMaxCharWidth);
}

} // namespace

TRVFontInfoCache::TRVFontInfoCache(const TCustomRVData* Owner, TRVStyle& RVStyle, TRVCanvas& Canvas,
                                   TRVCanvas* FormatCanvas, bool CanUseCustomPPI)
    : FCanvas(FormatCanvas ? FormatCanvas : &Canvas), FDrawCanvas(&Canvas), FRVStyle(&RVStyle),
      FGraphicInterface(RVStyle.GetGraphicInterface()), FCanUseCustomPPI(CanUseCustomPPI),
      FOwner(Owner) {
  if (!FGraphicInterface)
    throw ERichViewError("Text cannot be measured: the style sheet has no graphic interface");
}

TRVFontInfoCache::~TRVFontInfoCache() = default;

TRVFontInfoCacheItem& TRVFontInfoCache::Items(int StyleNo) {
  std::unique_ptr<TRVFontInfoCacheItem>* slot;
  if (FRVStyle->TextStyles.IsValidIndex(StyleNo)) {
    if (static_cast<std::size_t>(StyleNo) >= FItems.size())
      FItems.resize(static_cast<std::size_t>(FRVStyle->TextStyles.Count()));
    slot = &FItems[static_cast<std::size_t>(StyleNo)];
  } else {
    slot = &FInvalidItem;
  }
  if (!*slot) {
    *slot = MakeItem(StyleNo);
  } else {
    TRVFontInfoCacheItem& item = **slot;
    if ((!IgnoreParaBiDiMode && item.LastBiDiMode != CurParaBiDiMode) ||
        item.Rotation != Rotation || item.UseVerticalFont != UseVerticalFonts)
      ApplyItem(item, StyleNo);
  }
  return **slot;
}

std::unique_ptr<TRVFontInfoCacheItem> TRVFontInfoCache::MakeItem(int StyleNo) {
  auto item = std::make_unique<TRVFontInfoCacheItem>();
  item->FontInfo = FRVStyle->TextStyles.Items(StyleNo);
  item->Canvas = FGraphicInterface->CreateCompatibleCanvas(*FCanvas);
  if (!item->Canvas)
    item->Canvas = std::make_unique<TRVStateCanvas>(FCanvas->GetPixelsPerInchX(),
                                                    FCanvas->GetPixelsPerInchY());
  TRVCanvas& c = *item->Canvas;
  // A scaled cache canvas (printing previews, zoom) must measure the same way in the copy.
  if (FCanvas->GetMapMode() == MM_ANISOTROPIC) {
    c.SetMapMode(MM_ANISOTROPIC);
    c.SetWindowExt(FCanvas->GetWindowExt());
    c.SetViewportExt(FCanvas->GetViewportExt());
  }
  if (FCanvas->GetGraphicsMode() == GM_ADVANCED) {
    c.SetGraphicsMode(GM_ADVANCED);
    c.SetWorldTransform(FCanvas->GetWorldTransform());
  }
  ApplyItem(*item, StyleNo);
  return item;
}

void TRVFontInfoCache::ApplyItem(TRVFontInfoCacheItem& Item, int StyleNo) {
  TRVGraphicInterface& gi = *FGraphicInterface;
  TRVCanvas& c = *Item.Canvas;
  const TFontInfo& style = *Item.FontInfo;
  const bool fc = GetUseFormatCanvas();
  const TRVBiDiMode bidi = IgnoreParaBiDiMode ? rvbdUnspecified : CurParaBiDiMode;
  Item.LastBiDiMode = CurParaBiDiMode;
  Item.Rotation = Rotation;
  Item.UseVerticalFont = UseVerticalFonts;

  // The script offset comes from the full-size font.
  int scriptOffset = 0;
  if (style.SubSuperScriptType != rvsssNormal) {
    ResetFont(c);
    FRVStyle->ApplyStyle(c, StyleNo, bidi, FCanUseCustomPPI, true, fc);
    const int h = std::abs(c.GetFont().Height);
    TRVOutlineTextMetric otm;
    if (gi.GetOutlineTextMetrics(c, otm)) {
      if (style.SubSuperScriptType == rvsssSubscript) {
        scriptOffset = -otm.otmptSubscriptOffset.cy;
      } else {
        TRVTextMetric btm;
        const int ascent = gi.GetTextMetrics(c, btm) ? btm.tmAscent : otm.otmAscent;
        scriptOffset = otm.otmptSuperscriptOffset.cy;
        if (scriptOffset + otm.otmptSuperscriptSize.cy > ascent)
          scriptOffset = ascent - otm.otmptSuperscriptSize.cy;
      }
    } else if (style.SubSuperScriptType == rvsssSubscript) {
      scriptOffset = -static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(h) * 25, 100));
    } else {
      scriptOffset = static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(h) * 45, 100));
    }
  }

  ResetFont(c);
  FRVStyle->ApplyStyle(c, StyleNo, bidi, FCanUseCustomPPI, false, fc);
  Item.IsSymbolFont = c.GetFont().Charset == SYMBOL_CHARSET;
  Item.ExtraFontInfo.reset();

  TRVTextMetric tm;
  const TRVSize dash = gi.TextSizeBasic(c, u"-");
  Item.CellHeight = dash.cy;
  if (!gi.GetTextMetrics(c, tm)) {
    // A font without metrics: its cell is all we know.
    tm = {};
    tm.tmHeight = dash.cy;
    tm.tmAscent = static_cast<int>(RVRoundDiv(static_cast<std::int64_t>(dash.cy) * 4, 5));
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmAveCharWidth = dash.cx;
    tm.tmMaxCharWidth = dash.cx;
  }
  Item.HyphenWidthFC = gi.TextWidth(c, u"-", Item.IsSymbolFont, bidi);
  Item.AverageCharWidth = gi.TextWidth(c, u"X", Item.IsSymbolFont, bidi);
  if (Item.AverageCharWidth < 1)
    Item.AverageCharWidth = 1;
  if (fc) {
    ConvertFromFormatCanvas(tm);
    Item.EmptyLineHeight = RVConvertFromFormatCanvas(dash.cy);
    Item.HyphenWidth = RVConvertFromFormatCanvas(Item.HyphenWidthFC);
    tm.tmDescent = Item.EmptyLineHeight - tm.tmAscent;
    scriptOffset = RVConvertFromFormatCanvas(scriptOffset);
  } else {
    Item.EmptyLineHeight = dash.cy;
    Item.HyphenWidth = Item.HyphenWidthFC;
  }
  Item.TextMetric = tm;
  Item.VerticalOffset = scriptOffset + RV_MulDiv(tm.tmHeight, style.VShift, 100);
}

} // namespace richtext
