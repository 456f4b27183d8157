// Measured fonts of one formatting call, one per text style.
//
// Formatting selects a text style's font many times per line; creating and measuring the
// font once per style and call keeps that cheap. The cache and everything in it lives only
// for the format call that made it.
#pragma once

#include <memory>
#include <vector>

#include "richtext/graphics/RVCanvas.h"
#include "richtext/graphics/RVGrIn.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TRVStyle;
class TFontInfo;
class TCustomRVData;

class TRVFontInfoCacheItem {
public:
  TRVFontInfoCacheItem() = default;
  TRVFontInfoCacheItem(const TRVFontInfoCacheItem&) = delete;
  TRVFontInfoCacheItem& operator=(const TRVFontInfoCacheItem&) = delete;

  // The paragraph direction the font was applied for.
  TRVBiDiMode LastBiDiMode = rvbdUnspecified;
  // A canvas of its own with the style's font selected, for measuring.
  std::unique_ptr<TRVCanvas> Canvas;
  // Metrics of the selected font. On the format canvas the lengths are converted back to
  // device pixels, the descent being EmptyLineHeight - tmAscent.
  TRVTextMetric TextMetric;
  std::unique_ptr<TRVExtraFontInfo> ExtraFontInfo;
  // The text style (the invalid-index style for a bad index); owned by the style sheet.
  const TFontInfo* FontInfo = nullptr;
  // Raise of the baseline in device pixels, up positive: the sub- or superscript offset plus
  // VShift percent of the font height.
  int VerticalOffset = 0;
  // Height of "-" in device pixels.
  int EmptyLineHeight = 0;
  // The height every extent of the font has (its cell), in measuring units.
  int CellHeight = 0;
  // Width of "X", at least 1, in the units text is measured in (format canvas units when
  // measuring on the format canvas).
  int AverageCharWidth = 1;
  // Width of "-": in device pixels, and in measuring units.
  int HyphenWidth = 0;
  int HyphenWidthFC = 0;
  TRVDocRotation Rotation = rvrotNone;
  bool UseVerticalFont = false;
  bool IsSymbolFont = false;
};

class TRVFontInfoCache {
public:
  // Canvas is the canvas text is drawn on; FormatCanvas, when not null, the canvas text is
  // measured on with fonts made RVFORMATCANVASFACTOR times larger. The format canvas reports
  // the device's own resolution: the factor is applied to the fonts, not to the canvas. The
  // style sheet's graphic interface measures; without one the cache raises ERichViewError.
  TRVFontInfoCache(const TCustomRVData* Owner, TRVStyle& RVStyle, TRVCanvas& Canvas,
                   TRVCanvas* FormatCanvas, bool CanUseCustomPPI);
  ~TRVFontInfoCache();
  TRVFontInfoCache(const TRVFontInfoCache&) = delete;
  TRVFontInfoCache& operator=(const TRVFontInfoCache&) = delete;

  // The measured font of a text style, made on first use; any index outside the style list
  // gives one shared item for the invalid-index style. When the paragraph direction, the
  // rotation or the vertical-font flag changed since the item was made, its font is applied
  // again.
  TRVFontInfoCacheItem& Items(int StyleNo);
  TRVFontInfoCacheItem& operator[](int StyleNo) { return Items(StyleNo); }

  // Measuring happens on a format canvas.
  bool GetUseFormatCanvas() const { return FDrawCanvas != FCanvas; }
  TRVCanvas& GetCanvas() const { return *FCanvas; }
  TRVCanvas& GetDrawCanvas() const { return *FDrawCanvas; }
  TRVStyle& GetRVStyle() const { return *FRVStyle; }
  TRVGraphicInterface& GetGraphicInterface() const { return *FGraphicInterface; }
  const TCustomRVData* GetOwner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }

  TRVBiDiMode CurParaBiDiMode = rvbdUnspecified;
  bool IgnoreParaBiDiMode = false;
  int LastTextStyle = -1;
  TRVDocRotation Rotation = rvrotNone;
  bool UseVerticalFonts = false;
  // Resolutions of the formatting pass; not owned, may be null.
  const TRVScreenAndDevice* PSaD = nullptr;

private:
  std::unique_ptr<TRVFontInfoCacheItem> MakeItem(int StyleNo);
  void ApplyItem(TRVFontInfoCacheItem& Item, int StyleNo);

  // The canvas text is measured on (the format canvas when there is one).
  TRVCanvas* FCanvas;
  // The canvas text is drawn on.
  TRVCanvas* FDrawCanvas;
  TRVStyle* FRVStyle;
  TRVGraphicInterface* FGraphicInterface;
  bool FCanUseCustomPPI;
  const TCustomRVData* FOwner;
  std::vector<std::unique_ptr<TRVFontInfoCacheItem>> FItems;
  std::unique_ptr<TRVFontInfoCacheItem> FInvalidItem;
};

} // namespace richtext
