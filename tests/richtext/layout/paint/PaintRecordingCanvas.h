// A recording canvas that also logs what is drawn, one line per drawing call, with the state
// the call draws in (font colour and styles for text, brush for fills, pen for lines).
#pragma once

#include <string>
#include <vector>

#include "tests/richtext/style/RecordingCanvas.h"

namespace richtext::test {

class TPaintRecordingCanvas : public TRecordingCanvas {
public:
  using TRecordingCanvas::TRecordingCanvas;

  void FillRect(const TRect& R) override {
    if (GetBrush().Style == bsClear)
      return;
    Draw("fill " + Box(R.Left, R.Top, R.Right, R.Bottom) + " " + Hex(GetBrush().Color));
  }
  void TextOut(int X, int Y, std::u16string_view Text) override {
    std::string styles;
    const char* letters = "BIUS";
    for (int i = 0; i < 4; ++i)
      if (GetFont().Style.Contains(static_cast<TFontStyle>(i)))
        styles += letters[i];
    Draw("text \"" + std::string(Text.begin(), Text.end()) + "\" at " + std::to_string(X) + "," +
         std::to_string(Y) + " " + Hex(GetFont().Color) + " [" + styles + "]" +
         (GetTextAlign() == TA_BASELINE ? " baseline" : ""));
  }
  void Line(int X1, int Y1, int X2, int Y2) override {
    Draw("line " + Box(X1, Y1, X2, Y2) + " " + Hex(GetPen().Color));
  }
  void SaveClip() override { Draw("save clip"); }
  void IntersectClipRect(const TRect& R) override {
    Draw("clip " + Box(R.Left, R.Top, R.Right, R.Bottom));
  }
  void RestoreClip() override { Draw("restore clip"); }

  std::string Drawn() const {
    std::string s;
    for (const std::string& line : Draws)
      s += line + "\n";
    return s;
  }

  std::vector<std::string> Draws;

private:
  static std::string Box(int a, int b, int c, int d) {
    return std::to_string(a) + "," + std::to_string(b) + "-" + std::to_string(c) + "," +
           std::to_string(d);
  }
  void Draw(std::string s) { Draws.push_back(std::move(s)); }
};

} // namespace richtext::test
