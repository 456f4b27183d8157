// How often formatting measures text: every text item once through its advances, however many
// lines it takes, and the same lines as when every part is measured on its own.
#include "FormatFixture.h"

#include <string>

namespace richtext::test {
namespace {

class MeasuringCallsTest : public FormatFixture {
protected:
  // A paragraph of Words words of three to seven letters.
  static std::u16string Prose(int Words) {
    std::u16string s;
    for (int i = 0; i < Words; ++i) {
      if (i > 0)
        s += u' ';
      s.append(static_cast<std::size_t>(3 + (i * 7) % 5), static_cast<char16_t>(u'a' + i % 26));
    }
    return s;
  }
  int FormatCounting() {
    GI->TextSizeBasicCalls = GI->MaxFitCalls = GI->AdvancesCalls = 0;
    RV.Format();
    return GI->MeasuringCalls();
  }
  int LineCount() const {
    int lines = 0;
    for (int i = 0; i < RV.RVData->DrawItems.Count(); ++i)
      lines += RV.RVData->DrawItems[i]->FromNewLine ? 1 : 0;
    return lines;
  }
  // The layout when every part is measured alone, as interfaces without advances do.
  std::string LinesMeasuredPartByPart() {
    GI->GiveAdvances = false;
    RV.Format();
    std::string lines = Lines();
    GI->GiveAdvances = true;
    return lines;
  }
};

TEST_F(MeasuringCallsTest, ALongParagraphIsMeasuredOnceNotPerLine) {
  RV.AddNL(Prose(400), 0, 0);
  RV.AddNL(Prose(300), 0, 0);
  const int calls = FormatCounting();
  const int lines = LineCount();
  ASSERT_GT(lines, 100);
  // One measurement per item, plus the font's own ("-" and "X") when the cache makes it.
  EXPECT_LE(calls, 2 + 4) << calls << " measuring calls for " << lines << " lines";
  EXPECT_EQ(2, GI->AdvancesCalls);
  // Measuring each probe of the fit search would have cost several calls per line.
  GI->GiveAdvances = false;
  const int piecewise = FormatCounting();
  GI->GiveAdvances = true;
  EXPECT_GT(piecewise, 2 * lines);
}

TEST_F(MeasuringCallsTest, SummedWidthsLayOutAsPartByPartMeasuring) {
  // Soft hyphens, ideographs, a surrogate pair, combining marks, zero-width spaces, runs in
  // two styles (one with character spacing) and every alignment, at several widths.
  TFontInfo* spaced = Style.TextStyles.Add();
  spaced->CharSpacing = 2;
  const int spacedNo = Style.TextStyles.Count() - 1;
  for (TRVAlignment a : {rvaLeft, rvaCenter, rvaRight, rvaJustify, rvaDistribute})
    Style.ParaStyles.Add()->Alignment = a;
  const std::u16string texts[] = {
      Prose(40),
      u"hyphen\u00ADated words in a para\u00ADgraph with soft\u00ADhyphens every\u00ADwhere",
      u"中文字符和 Latin mixed 文字 with \U0001F600 pairs and e\u0301 marks",
      u"zero\u200Bwidth\u200Bspaces   and  runs   of   spaces ",
  };
  int para = 1;
  for (const std::u16string& t : texts) {
    RV.AddNL(t, 0, para);
    RV.AddNL(t.substr(0, 20), spacedNo, -1);
    para = para % 5 + 1;
  }
  for (int width : {40, 75, 123, 200, 333}) {
    RV.SetClientSize(width, 400);
    RV.Format();
    const std::string summed = Lines();
    EXPECT_EQ(LinesMeasuredPartByPart(), summed) << "width " << width;
  }
}

TEST_F(MeasuringCallsTest, TextThatNeedsShapingIsMeasuredWholeEachTime) {
  // A script the interface cannot sum: every candidate line is measured as a whole string.
  GI->NeedsShaping = u"\u0627\u0644";
  const std::u16string arabic = u"\u0627\u0644\u0627 \u0627\u0644\u0627\u0644 \u0627\u0644";
  std::u16string text;
  for (int i = 0; i < 30; ++i)
    text += arabic + u' ';
  RV.AddNL(text, 0, 0);
  RV.AddNL(Prose(200), 0, 0);
  const int calls = FormatCounting();
  EXPECT_EQ(2, GI->AdvancesCalls);
  EXPECT_GT(GI->TextSizeBasicCalls, LineCount() / 2);
  EXPECT_EQ(LinesMeasuredPartByPart(), Lines());
  // The prose after it is still summed: removing the shaped paragraph leaves only the
  // font's own measurements and one per item.
  RV.Clear();
  RV.AddNL(Prose(200), 0, 0);
  EXPECT_LE(FormatCounting(), 1 + 4);
  EXPECT_LT(FormatCounting(), calls);
}

} // namespace
} // namespace richtext::test
