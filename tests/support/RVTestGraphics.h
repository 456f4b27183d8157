// A graphic interface with fixed, documented metrics, so that layout tests assert exact pixels.
//
// Let em be the canvas font's height in pixels (|Height|; a positive cell height is taken as
// the em height too). Then, in pixels:
//   character width w = max(1, (em + 1) / 2) for every character, except
//     - ideographs and Hangul syllables (U+1100..U+11FF, U+2E80..U+A4CF, U+AC00..U+D7A3,
//       U+F900..U+FAFF, U+FF00..U+FF60) and supplementary characters: 2 w (a surrogate pair
//       is one character: the high unit carries 2 w, the low unit 0);
//     - zero-width characters (U+200B..U+200F, U+2060, U+FEFF, combining marks U+0300..U+036F):
//       0;
//     - a soft hyphen U+00AD is drawn as a hyphen: w (TextSize then takes it out again);
//     - any character given in Widths: that width.
//   the canvas's character extra spacing is added once per UTF-16 unit;
//   tmHeight = em, tmAscent = (4 em + 2) / 5, tmDescent = em - tmAscent, no leading;
//   tmAveCharWidth = w, tmMaxCharWidth = 2 w, tmWeight = Weight, else 700 bold, 400 plain;
//   the cell height of every extent (cy) is tmHeight.
// Outline metrics (only when HasOutline): subscript and superscript size (em * 3 + 2) / 5
// both ways, subscript offset y (em + 3) / 7 (down positive), superscript offset y
// (em + 1) / 2, underscore size max(1, (em + 10) / 20), position -(em + 5) / 10,
// otmAscent = tmAscent, otmDescent = -tmDescent.
// GetTextAdvances gives every unit's width above (denominator 1), except for texts holding a
// character of NeedsShaping, which it leaves to be measured part by part, as a shaping
// interface does with complex scripts.
// Calls to TextSizeBasic, MaxFit and GetTextAdvances are counted, so tests can tell which
// search ran and how often text was measured.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/graphics/RVGrIn.h"

namespace richtext::test {

class TRVTestGraphicInterface : public TRVGraphicInterface {
public:
  bool HasMetrics = true;
  bool HasOutline = true;
  // Per-character widths that replace the rule above.
  std::map<char16_t, int> Widths;
  // When false, MaxFit is left to the base class's bisection.
  bool OwnMaxFit = true;

  // Characters whose texts GetTextAdvances refuses; when false, it refuses every text.
  std::u16string NeedsShaping;
  bool GiveAdvances = true;

  int TextSizeBasicCalls = 0;
  int MaxFitCalls = 0;
  int AdvancesCalls = 0;
  int MeasuringCalls() const { return TextSizeBasicCalls + MaxFitCalls + AdvancesCalls; }
  int CompatibleCanvases = 0;

  static int Em(const TRVCanvas& Canvas) { return std::abs(Canvas.GetFont().Height); }
  static int BaseWidth(int Em) { return std::max(1, (Em + 1) / 2); }
  static int Ascent(int Em) { return (4 * Em + 2) / 5; }

  // Width of one UTF-16 unit, without character extra spacing.
  int UnitWidth(char16_t Ch, int EmHeight) const {
    if (auto it = Widths.find(Ch); it != Widths.end())
      return it->second;
    const int w = BaseWidth(EmHeight);
    if (Ch >= 0xDC00 && Ch <= 0xDFFF)
      return 0;
    if (Ch >= 0xD800 && Ch <= 0xDBFF)
      return 2 * w;
    if ((Ch >= 0x200B && Ch <= 0x200F) || Ch == 0x2060 || Ch == 0xFEFF ||
        (Ch >= 0x0300 && Ch <= 0x036F))
      return 0;
    if ((Ch >= 0x1100 && Ch <= 0x11FF) || (Ch >= 0x2E80 && Ch <= 0xA4CF) ||
        (Ch >= 0xAC00 && Ch <= 0xD7A3) || (Ch >= 0xF900 && Ch <= 0xFAFF) ||
        (Ch >= 0xFF00 && Ch <= 0xFF60))
      return 2 * w;
    return w;
  }

  bool GetTextMetrics(TRVCanvas& Canvas, TRVTextMetric& M) override {
    if (!HasMetrics)
      return false;
    const int em = Em(Canvas);
    M = {};
    M.tmHeight = em;
    M.tmAscent = Ascent(em);
    M.tmDescent = em - M.tmAscent;
    M.tmAveCharWidth = BaseWidth(em);
    M.tmMaxCharWidth = 2 * BaseWidth(em);
    const TRVFont& f = Canvas.GetFont();
    M.tmWeight = f.Weight ? f.Weight : (f.Style.Contains(fsBold) ? 700 : 400);
    return true;
  }

  bool GetOutlineTextMetrics(TRVCanvas& Canvas, TRVOutlineTextMetric& M) override {
    if (!HasOutline)
      return false;
    const int em = Em(Canvas);
    const int script = (em * 3 + 2) / 5;
    M = {};
    M.otmAscent = Ascent(em);
    M.otmDescent = -(em - Ascent(em));
    M.otmptSubscriptSize = {script, script};
    M.otmptSubscriptOffset = {0, (em + 3) / 7};
    M.otmptSuperscriptSize = {script, script};
    M.otmptSuperscriptOffset = {0, (em + 1) / 2};
    M.otmsUnderscoreSize = std::max(1, (em + 10) / 20);
    M.otmsUnderscorePosition = -(em + 5) / 10;
    return true;
  }

  TRVSize TextSizeBasic(TRVCanvas& Canvas, std::u16string_view Text) override {
    ++TextSizeBasicCalls;
    const int em = Em(Canvas);
    const int extra = Canvas.GetTextCharacterExtra();
    int cx = 0;
    for (char16_t ch : Text)
      cx += UnitWidth(ch, em) + extra;
    return {cx, em};
  }

  bool GetTextAdvances(TRVCanvas& Canvas, std::u16string_view Text, std::int32_t* Advances,
                       int& Denominator) override {
    ++AdvancesCalls;
    if (!GiveAdvances)
      return false;
    for (char16_t ch : Text)
      if (NeedsShaping.find(ch) != std::u16string::npos)
        return false;
    const int em = Em(Canvas);
    for (std::size_t i = 0; i < Text.size(); ++i)
      Advances[i] = UnitWidth(Text[i], em);
    Denominator = 1;
    return true;
  }

  void MaxFit(TRVCanvas& Canvas, std::u16string_view Text, TRVSize& Size, int& Fit,
              bool IsSymbolFont, TRVBiDiMode BiDiMode, int MaxExtent) override {
    ++MaxFitCalls;
    if (!OwnMaxFit) {
      TRVGraphicInterface::MaxFit(Canvas, Text, Size, Fit, IsSymbolFont, BiDiMode, MaxExtent);
      return;
    }
    const int em = Em(Canvas);
    const int extra = Canvas.GetTextCharacterExtra();
    int cx = 0;
    Fit = 0;
    bool fitting = MaxExtent >= 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
      const char16_t ch = Text[i];
      const int w = (ch == 0x00AD && !IsSymbolFont) ? 0 : UnitWidth(ch, em) + extra;
      cx += w;
      if (fitting && cx <= MaxExtent)
        Fit = static_cast<int>(i) + 1;
      else
        fitting = false;
    }
    Size = {cx, em};
  }

  std::unique_ptr<TRVCanvas> CreateCompatibleCanvas(TRVCanvas& Canvas) override {
    ++CompatibleCanvases;
    return TRVGraphicInterface::CreateCompatibleCanvas(Canvas);
  }
};

} // namespace richtext::test
