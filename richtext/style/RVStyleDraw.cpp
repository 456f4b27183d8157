// Drawing one run of text in its text style: the characters, then the decoration lines the
// style asks for. The font's own underline is never used: the engine draws underlines itself,
// so that their kind, colour and thickness follow the style and not the font engine.
#include <algorithm>
#include <cstdlib>

#include "richtext/style/RVColor.h"
#include "richtext/base/RVRound.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

struct TUnderlineKind {
  TRVLineStyle Style;
  int Unit; // 1/96 inch; 0 for none
  int Factor;
};

// Indexed by TRVUnderlineType; rvutDouble's entry is a placeholder, it draws two lines.
constexpr TUnderlineKind UnderlineKinds[] = {
    {rvlsNormal, 0, 1},         {rvlsNormal, 0, 2},         {rvlsNormal, 0, 1},
    {rvlsDotted, 4, 1},         {rvlsDotted, 4, 2},         {rvlsDashed, 12, 1},
    {rvlsDashed, 12, 2},        {rvlsDashed, 24, 1},        {rvlsDashed, 24, 2},
    {rvlsDashDotted, 14, 1},    {rvlsDashDotted, 14, 2},    {rvlsDashDotDotted, 16, 1},
    {rvlsDashDotDotted, 16, 2},
};

// Thickness and centre of the underline of the canvas's font for the run.
void UnderlinePlace(TRVCanvas& Canvas, const TRVTextRunGeometry& Run,
                    TRVGraphicInterface* GraphicInterface, int& t, int& y) {
  TRVOutlineTextMetric otm;
  if (GraphicInterface != nullptr && GraphicInterface->GetOutlineTextMetrics(Canvas, otm)) {
    TRVTextMetric tm;
    int ascent = Run.BaseLine - Run.Top;
    if (GraphicInterface->GetTextMetrics(Canvas, tm))
      ascent = tm.tmAscent;
    t = otm.otmsUnderscoreSize;
    y = Run.Top + ascent - otm.otmsUnderscorePosition + t / 2;
    return;
  }
  const int size = std::abs(Canvas.GetFont().GetSize());
  t = size <= 22 ? 1 : (size - 23) / 15 + 2;
  y = Run.Top + Run.Height - t / 2;
}

// A dot in the middle of each visible space, a small ring over each no-break space, in the
// text colour; placed by the run's advances, in the run's direction.
void DrawSpaceMarks(const std::u16string& s, TRVCanvas& Canvas, const TRVTextRunGeometry& Run) {
  const bool spaces = RVVisibleSpecialCharacters.Contains(rvscSpace);
  const bool nbsp = RVVisibleSpecialCharacters.Contains(rvscNBSP);
  if ((!spaces && !nbsp) || Run.Advances.size() != s.size())
    return;
  const TRVBrush saved = Canvas.GetBrush();
  Canvas.SetBrush(TRVBrush{Canvas.GetFont().Color, bsSolid});
  const int size = std::max(1, (Run.BaseLine - Run.Top) / 8);
  const int middle = Run.BaseLine - (Run.BaseLine - Run.Top) / 3;
  // Right to left the first character is at the right end.
  const bool rightToLeft = (Canvas.GetTextAlign() & TA_RTLREADING) != 0;
  int x = Run.Left + Run.SpaceAtLeft;
  if (rightToLeft)
    for (int advance : Run.Advances)
      x += advance;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const int advance = rightToLeft ? -Run.Advances[i] : Run.Advances[i];
    const int centre = x + advance / 2;
    if (s[i] == u' ' && spaces) {
      Canvas.FillRect(TRect{centre - size / 2, middle - size / 2, centre - size / 2 + size,
                            middle - size / 2 + size});
    } else if (s[i] == u'\u00A0' && nbsp) {
      const int top = Run.Top + (Run.BaseLine - Run.Top) / 4;
      Canvas.FillRect(TRect{centre - size, top, centre + size, top + size});
      Canvas.FillRect(TRect{centre - size, top + 2 * size, centre + size, top + 3 * size});
      Canvas.FillRect(TRect{centre - size, top, centre - size + size, top + 3 * size});
      Canvas.FillRect(TRect{centre + size - size, top, centre + size, top + 3 * size});
    }
    x += advance;
  }
  Canvas.SetBrush(saved);
}

} // namespace

bool TCustomRVFontInfo::IsUnderlinedIn(TRVTextDrawStates DrawState) const {
  if (Options.Contains(rvteoHidden))
    return false;
  return Style.Contains(fsUnderline) ||
         (DrawState.Contains(rvtsHover) && HoverEffects.Contains(rvheUnderline));
}

void TCustomRVFontInfo::Draw(const std::u16string& s, TRVCanvas& Canvas,
                             const TRVTextRunGeometry& Run, const TRVStyle& /*RVStyle*/,
                             TRVTextDrawStates DrawState, bool Printing,
                             TRVGraphicInterface* GraphicInterface) const {
  const bool hidden = Options.Contains(rvteoHidden);
  const bool underline = IsUnderlinedIn(DrawState);
  const TRVFont savedFont = Canvas.GetFont();
  const bool fontUnderline = savedFont.Style.Contains(fsUnderline);
  if (fontUnderline) {
    TRVFont f = savedFont;
    f.Style.Exclude(fsUnderline);
    Canvas.SetFont(f);
  }

  // The whole cell takes the background, the empty space at the left included, as an opaque
  // text output would.
  if (Canvas.GetBrush().Style != bsClear && Run.Width > 0 && (!Printing || !s.empty()))
    Canvas.FillRect(TRect{Run.Left, Run.Top, Run.Left + Run.Width, Run.Top + Run.Height});
  if (!s.empty() && Run.Advances.size() == s.size())
    Canvas.TextOutAdvances(Run.Left + Run.SpaceAtLeft, Run.BaseLine, s, Run.Advances);
  else if (!s.empty())
    Canvas.TextOut(Run.Left + Run.SpaceAtLeft, Run.BaseLine, s);
  if (DrawState.Contains(rvtsSpecialCharacters))
    DrawSpaceMarks(s, Canvas, Run);

  const TColor textColor = Canvas.GetFont().Color;
  const int x1 = Run.Left;
  const int x2 = Run.Left + Run.Width;
  const int ppi = Canvas.GetFont().PixelsPerInch > 0 ? Canvas.GetFont().PixelsPerInch
                                                     : Canvas.GetPixelsPerInchY();
  if (underline || hidden) {
    int t = 1, y = 0;
    UnderlinePlace(Canvas, Run, GraphicInterface, t, y);
    if (hidden) {
      RVDrawDecorationLine(Canvas, x1, x2, y, 1, rvlsHidden, 0, ppi, textColor);
    } else {
      if (t < 1)
        t = 1;
      TColor color = textColor;
      if (!DrawState.Contains(rvtsSelected)) {
        if (DrawState.Contains(rvtsHover) && HoverUnderlineColor != clNone)
          color = HoverUnderlineColor;
        else if (UnderlineColor != clNone)
          color = UnderlineColor;
      }
      const TUnderlineKind& kind =
          UnderlineKinds[UnderlineType < std::size(UnderlineKinds) ? UnderlineType : 0];
      if (UnderlineType == rvutDouble) {
        const int half = std::max(1, static_cast<int>(RVRoundDiv(t, 2)));
        RVDrawDecorationLine(Canvas, x1, x2, y - t, half, rvlsNormal, 0, ppi, color);
        RVDrawDecorationLine(Canvas, x1, x2, y + t, half, rvlsNormal, 0, ppi, color);
      } else {
        RVDrawDecorationLine(Canvas, x1, x2, y, t * kind.Factor, kind.Style, kind.Unit, ppi,
                             color);
      }
    }
  }
  if (StyleEx.Contains(rvfsOverline)) {
    int t = 1, y = 0;
    UnderlinePlace(Canvas, Run, GraphicInterface, t, y);
    if (t < 1)
      t = 1;
    RVDrawDecorationLine(Canvas, x1, x2, Run.Top - t / 2, t, rvlsNormal, 0, ppi, textColor);
  }

  if (fontUnderline)
    Canvas.SetFont(savedFont);
}

void TRVStyle::DrawStyleText(const std::u16string& s, TRVCanvas& Canvas, int StyleNo,
                             const TRVTextRunGeometry& Run, TRVTextDrawStates DrawState,
                             bool Printing) {
  bool doDefault = true;
  if (OnDrawStyleText)
    OnDrawStyleText(*this, s, Canvas, StyleNo, Run.SpaceAtLeft, Run.Left, Run.Top, Run.Width,
                    Run.Height, DrawState, doDefault);
  if (doDefault)
    TextStyles.Items(StyleNo)->Draw(s, Canvas, Run, *this, DrawState, Printing,
                                    GetGraphicInterface());
}

} // namespace richtext
