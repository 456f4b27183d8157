// Deterministic canvas and graphic interface doubles: the canvas keeps its state and logs every
// change as one line; the graphic interface gives every character the same width.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "richtext/graphics/RVGrIn.h"

namespace richtext::test {

class TRecordingCanvas : public TRVCanvas {
public:
  explicit TRecordingCanvas(int ppi = 96) : FPPI(ppi) { FFont.PixelsPerInch = ppi; }

  const TRVFont& GetFont() const override { return FFont; }
  void SetFont(const TRVFont& f) override {
    FFont = f;
    FontChanged();
    Log("font " + Describe(f));
  }
  const TRVBrush& GetBrush() const override { return FBrush; }
  void SetBrush(const TRVBrush& b) override {
    FBrush = b;
    Log(b.Style == bsClear ? std::string("brush clear") : "brush " + Hex(b.Color));
  }
  const TRVPen& GetPen() const override { return FPen; }
  void SetPen(const TRVPen& p) override {
    FPen = p;
    Log("pen " + Hex(p.Color));
  }
  int GetTextCharacterExtra() const override { return FExtra; }
  void SetTextCharacterExtra(int e) override {
    FExtra = e;
    Log("extra " + std::to_string(e));
  }
  unsigned GetTextAlign() const override { return FAlign; }
  void SetTextAlign(unsigned a) override {
    FAlign = a;
    Log("align " + std::to_string(a));
  }
  int GetPixelsPerInchX() const override { return FPPI; }
  int GetPixelsPerInchY() const override { return FPPI; }

  static std::string Hex(TColor c) {
    std::ostringstream s;
    s << std::hex << std::uppercase << static_cast<std::uint32_t>(c);
    return s.str();
  }
  static std::string Describe(const TRVFont& f) {
    std::string name(f.Name.begin(), f.Name.end());
    std::string st;
    const char* letters = "BIUS";
    for (int i = 0; i < 4; ++i)
      if (f.Style.Contains(static_cast<TFontStyle>(i)))
        st += letters[i];
    return name + " h" + std::to_string(f.Height) + " ppi" + std::to_string(f.PixelsPerInch) +
           " [" + st + "] cs" + std::to_string(f.Charset) + " c" + Hex(f.Color) + " w" +
           std::to_string(f.Width) + " wt" + std::to_string(f.Weight);
  }

  std::vector<std::string> Calls;

private:
  void Log(std::string s) { Calls.push_back(std::move(s)); }
  TRVFont FFont;
  TRVBrush FBrush;
  TRVPen FPen;
  int FExtra = 0;
  unsigned FAlign = 0;
  int FPPI;
};

// Every character is CharWidth wide; metrics derive from the font height.
class TFixedGraphicInterface : public TRVGraphicInterface {
public:
  int CharWidth = 7;
  bool HasMetrics = true;
  bool HasOutline = true;

  bool GetTextMetrics(TRVCanvas& c, TRVTextMetric& m) override {
    if (!HasMetrics)
      return false;
    int h = c.GetFont().Height < 0 ? -c.GetFont().Height : c.GetFont().Height;
    m.tmHeight = h;
    m.tmAscent = h * 4 / 5;
    m.tmDescent = h - m.tmAscent;
    m.tmAveCharWidth = CharWidth;
    return true;
  }
  bool GetOutlineTextMetrics(TRVCanvas& c, TRVOutlineTextMetric& m) override {
    if (!HasOutline)
      return false;
    int h = c.GetFont().Height < 0 ? -c.GetFont().Height : c.GetFont().Height;
    m.otmptSubscriptSize = {h / 2, h / 2};
    m.otmptSuperscriptSize = {h / 4, h / 4};
    return true;
  }
  TRVSize TextSizeBasic(TRVCanvas& c, std::u16string_view t) override {
    int n = static_cast<int>(t.size());
    return {n * (CharWidth + c.GetTextCharacterExtra()), 10};
  }
};

} // namespace richtext::test
