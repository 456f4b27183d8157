// The drawing surface the engine paints and measures on.
//
// The engine never touches a toolkit: a canvas is the small state a platform surface keeps
// between calls (font, brush, pen, character spacing, text alignment, resolution). The
// platform binding implements it over its painter; tests implement it with a recorder.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "richtext/base/RVCharsets.h"
#include "richtext/base/RVClasses.h"
#include "richtext/base/RVSet.h"

namespace richtext {

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool operator==(const TRect&) const = default;
};

struct TRVSize {
  int cx = 0, cy = 0;
  constexpr bool operator==(const TRVSize&) const = default;
};

// Font style bits, bit number = ordinal.
enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TRVSet<TFontStyle, std::uint8_t>;

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

// Direction of text: a paragraph's or a text style's own, or inherited (unspecified).
enum TRVBiDiMode : std::uint8_t { rvbdUnspecified, rvbdLeftToRight, rvbdRightToLeft };

// A font of the drawing layer. Height is authoritative: negative is the character (em) height
// in pixels at PixelsPerInch, positive the cell height; Size is derived from it in points.
struct TRVFont {
  std::u16string Name = u"Arial";
  int Height = -13;
  int PixelsPerInch = 96;
  TFontStyles Style;
  TFontCharset Charset = DEFAULT_CHARSET;
  TColor Color = static_cast<TColor>(0xFF000008); // window text
  TFontPitch Pitch = fpDefault;
  // 0: 700 for bold, 400 otherwise.
  int Weight = 0;
  // Average character width of a horizontally scaled font; 0 for the font's natural width.
  int Width = 0;

  // Points, rounded to nearest (ties to even): -Height * 72 / PixelsPerInch.
  int GetSize() const;
  void SetSize(int points);

  bool operator==(const TRVFont&) const = default;
};

enum TRVBrushStyle : std::uint8_t { bsSolid, bsClear };
struct TRVBrush {
  TColor Color = static_cast<TColor>(0x00FFFFFF);
  TRVBrushStyle Style = bsSolid;
  bool operator==(const TRVBrush&) const = default;
};

enum TRVPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame
};
struct TRVPen {
  TColor Color = 0;
  TRVPenStyle Style = psSolid;
  int Width = 1;
  bool operator==(const TRVPen&) const = default;
};

// Text alignment flags, combined by or.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;
inline constexpr unsigned TA_RTLREADING = 256;

// Mapping modes of a canvas; layout only ever uses the identity (MM_TEXT) and an anisotropic
// scale copied from the canvas it measures for.
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int MM_ANISOTROPIC = 8;

// Graphics modes: only GM_ADVANCED honours a world transform.
inline constexpr int GM_COMPATIBLE = 1;
inline constexpr int GM_ADVANCED = 2;

// An affine transform of page space: x' = x eM11 + y eM21 + eDx, y' = x eM12 + y eM22 + eDy.
struct TRVXForm {
  double eM11 = 1, eM12 = 0, eM21 = 0, eM22 = 1, eDx = 0, eDy = 0;
  bool operator==(const TRVXForm&) const = default;
};

// Rotation of a document's layout.
enum TRVDocRotation : std::uint8_t { rvrotNone, rvrot90, rvrot180, rvrot270 };

class TRVCanvas {
public:
  virtual ~TRVCanvas() = default;

  virtual const TRVFont& GetFont() const = 0;
  virtual void SetFont(const TRVFont& Font) = 0;
  // A number that changes whenever a font is set and is never the same for two settings, 0
  // before the first: a measuring interface knows a font it has met on this canvas again
  // without comparing it.
  std::uint64_t GetFontSerial() const { return FFontSerial; }
  virtual const TRVBrush& GetBrush() const = 0;
  virtual void SetBrush(const TRVBrush& Brush) = 0;
  virtual const TRVPen& GetPen() const = 0;
  virtual void SetPen(const TRVPen& Pen) = 0;
  // Extra space added after every character, in pixels.
  virtual int GetTextCharacterExtra() const = 0;
  virtual void SetTextCharacterExtra(int Extra) = 0;
  virtual unsigned GetTextAlign() const = 0;
  virtual void SetTextAlign(unsigned Flags) = 0;
  // Device resolution.
  virtual int GetPixelsPerInchX() const = 0;
  virtual int GetPixelsPerInchY() const = 0;

  // Coordinate mapping. The base class only keeps the state; a platform canvas that paints
  // overrides these to apply it.
  virtual int GetMapMode() const { return FMapMode; }
  virtual void SetMapMode(int Mode) { FMapMode = Mode; }
  virtual TRVSize GetWindowExt() const { return FWindowExt; }
  virtual void SetWindowExt(TRVSize Ext) { FWindowExt = Ext; }
  virtual TRVSize GetViewportExt() const { return FViewportExt; }
  virtual void SetViewportExt(TRVSize Ext) { FViewportExt = Ext; }
  virtual int GetGraphicsMode() const { return FGraphicsMode; }
  virtual void SetGraphicsMode(int Mode) { FGraphicsMode = Mode; }
  virtual TRVXForm GetWorldTransform() const { return FWorldTransform; }
  virtual void SetWorldTransform(const TRVXForm& XForm) { FWorldTransform = XForm; }

  // -- drawing --
  // A canvas that only measures keeps these empty. Coordinates are device pixels after the
  // mapping above; colours come from the current brush, pen and font.
  //
  // Fills the rectangle (right and bottom edges excluded) with the brush; nothing when the
  // brush is clear.
  virtual void FillRect(const TRect& /*R*/) {}
  // The text in the current font and font colour, placed at (X, Y) as the text alignment says
  // (TA_BASELINE: Y is the baseline; otherwise the cell's top). Character extra spacing
  // applies; the background is left as it is.
  virtual void TextOut(int /*X*/, int /*Y*/, std::u16string_view /*Text*/) {}
  // The text with each character cluster placed by the given advances (one per UTF-16 unit,
  // the cluster's width on its first unit and 0 on the others), so that what is drawn sits
  // exactly where measuring put it. With TA_RTLREADING the text reads right to left: the
  // advances stay in reading order and the first cluster ends at X plus their sum. A canvas
  // that cannot place glyphs draws it as TextOut.
  virtual void TextOutAdvances(int X, int Y, std::u16string_view Text,
                               std::span<const int> /*Advances*/) {
    TextOut(X, Y, Text);
  }
  // A straight line with the pen from (X1, Y1) to (X2, Y2), the end point excluded.
  virtual void Line(int /*X1*/, int /*Y1*/, int /*X2*/, int /*Y2*/) {}
  // Clipping: SaveClip pushes the current clip region, IntersectClipRect narrows it,
  // RestoreClip pops back to the last saved region.
  virtual void SaveClip() {}
  virtual void IntersectClipRect(const TRect& /*R*/) {}
  virtual void RestoreClip() {}

  // Conveniences over the calls above.
  void SetFontColor(TColor Color);
  void SetBrushColor(TColor Color);
  void SetBrushStyle(TRVBrushStyle Style);

protected:
  // Every SetFont calls this.
  void FontChanged();

private:
  std::uint64_t FFontSerial = 0;
  int FMapMode = MM_TEXT;
  TRVSize FWindowExt{1, 1};
  TRVSize FViewportExt{1, 1};
  int FGraphicsMode = GM_COMPATIBLE;
  TRVXForm FWorldTransform;
};

// A canvas that only keeps its state: what measuring needs, with nothing to paint on. The
// graphic interfaces hand these out as compatible and screen canvases when measuring does not
// need a device of its own.
class TRVStateCanvas : public TRVCanvas {
public:
  explicit TRVStateCanvas(int PixelsPerInchX = 96, int PixelsPerInchY = 96)
      : FPPIX(PixelsPerInchX), FPPIY(PixelsPerInchY) {
    FFont.PixelsPerInch = PixelsPerInchY;
  }
  const TRVFont& GetFont() const override { return FFont; }
  void SetFont(const TRVFont& Font) override {
    FFont = Font;
    FontChanged();
  }
  const TRVBrush& GetBrush() const override { return FBrush; }
  void SetBrush(const TRVBrush& Brush) override { FBrush = Brush; }
  const TRVPen& GetPen() const override { return FPen; }
  void SetPen(const TRVPen& Pen) override { FPen = Pen; }
  int GetTextCharacterExtra() const override { return FExtra; }
  void SetTextCharacterExtra(int Extra) override { FExtra = Extra; }
  unsigned GetTextAlign() const override { return FAlign; }
  void SetTextAlign(unsigned Flags) override { FAlign = Flags; }
  int GetPixelsPerInchX() const override { return FPPIX; }
  int GetPixelsPerInchY() const override { return FPPIY; }

private:
  TRVFont FFont;
  TRVBrush FBrush;
  TRVPen FPen;
  int FExtra = 0;
  unsigned FAlign = 0;
  int FPPIX, FPPIY;
};

// Screen and device resolutions and the page margins of one formatting or printing pass.
struct TRVScreenAndDevice {
  std::int32_t ppixScreen = 96, ppiyScreen = 96;
  std::int32_t ppixDevice = 96, ppiyDevice = 96;
  std::int32_t LeftMargin = 0, RightMargin = 0;
};

// When above 0, the resolution every conversion and layout uses instead of the canvas's.
extern int RichViewPixelsPerInch;

// The screen's logical resolution; the platform binding sets it at start-up (96 until then).
int RV_GetScreenPixelsPerInch();
void RV_SetScreenPixelsPerInch(int PixelsPerInch);

} // namespace richtext
