// What the engine measures is what Qt lays out and draws: widths summed from the font's
// advance table against Qt's own layout of the same string in the same font (kerning off, as
// the canvas sets it), and complex scripts left to Qt's shaping of the whole run.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "richtext/control/RichView.h"
#include "richtext/layout/RVTextWidths.h"
#include "richtext/style/RVStyle.h"

namespace quillon {
namespace {

using namespace richtext;

QString ToQ(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The width Qt gives the string in the font: its laid-out line, rounded to pixels as the
// engine's extents are.
int QtWidth(const QFont& Font, std::u16string_view s) {
  QTextLayout layout(ToQ(s), Font);
  layout.setCacheEnabled(false);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  return static_cast<int>(std::lround(line.horizontalAdvance()));
}

// Random text of the scripts measured from advance tables (Hebrew among them, whose letters do
// not join): words of one script, or of
// several, with spaces, digits and punctuation (Latin and CJK) between and inside them.
class RandomText {
public:
  explicit RandomText(unsigned Seed) : FRandom(Seed) {}

  std::u16string String() {
    std::u16string s;
    const int words = Pick(1, 6);
    const int script = Pick(0, Scripts); // Scripts: each word picks its own
    for (int w = 0; w < words; ++w) {
      if (w > 0)
        s += Separator();
      const int letters = Pick(1, 9);
      const int sc = script == Scripts ? Pick(0, Scripts - 1) : script;
      for (int i = 0; i < letters; ++i)
        s += Letter(sc);
      if (Pick(0, 5) == 0)
        s += Punctuation();
    }
    return s;
  }

  int Pick(int From, int To) { return std::uniform_int_distribution<int>(From, To)(FRandom); }

private:
  static constexpr int Scripts = 7;

  char16_t Letter(int Script) {
    switch (Script) {
    case 0: // Basic Latin letters and digits
      return static_cast<char16_t>(Pick(0, 9) == 0 ? Pick(u'0', u'9')
                                                   : Pick(0, 1) ? Pick(u'a', u'z') : Pick(u'A', u'Z'));
    case 1: // Latin-1 and Latin Extended-A letters
      return static_cast<char16_t>(Pick(0, 1) ? Pick(0xC0, 0xFF) : Pick(0x100, 0x17F));
    case 2: // Cyrillic
      return static_cast<char16_t>(Pick(0x410, 0x44F));
    case 3: // Greek
      return static_cast<char16_t>(Pick(0x391, 0x3C9));
    case 4: // CJK ideographs
      return static_cast<char16_t>(Pick(0x4E00, 0x9FA5));
    case 5: // kana and Hangul syllables
      return static_cast<char16_t>(Pick(0, 2) == 0   ? Pick(0x3041, 0x3093)
                                   : Pick(0, 1) == 0 ? Pick(0x30A1, 0x30F3)
                                                     : Pick(0xAC00, 0xD7A3));
    default: // Hebrew letters, final forms included
      return static_cast<char16_t>(Pick(0x05D0, 0x05EA));
    }
  }
  char16_t Punctuation() {
    static const std::u16string marks = u".,;:!?\"'()[]-/&%$\u00AB\u00BB\u2014\u2026\u3001\u3002"
                                        u"\uFF0C\uFF01\u300C\u300D";
    return marks[static_cast<std::size_t>(Pick(0, static_cast<int>(marks.size()) - 1))];
  }
  std::u16string Separator() {
    switch (Pick(0, 7)) {
    case 0:
      return u"  ";
    case 1:
      return u"\u00A0";
    case 2:
      return u", ";
    case 3:
      return u"\u3000";
    default:
      return u" ";
    }
  }

  std::mt19937 FRandom;
};

class QtMeasureTest : public ::testing::Test {
protected:
  void SetFont(int Height, TFontStyles Style = {}) {
    TRVFont f;
    f.Height = Height;
    f.Style = Style;
    Canvas.SetFont(f);
    Font = RVQtMakeFont(f);
  }
  // Checks Count random strings, whole and one random part of each; returns how many were
  // summed from advances (the rest Qt shaped).
  int CheckRandomStrings(int Count, unsigned Seed) {
    RandomText random(Seed);
    int summed = 0;
    for (int n = 0; n < Count; ++n) {
      const std::u16string s = random.String();
      TRVTextWidths widths;
      const bool sums = widths.Assign(GI, Canvas, s, false);
      summed += sums ? 1 : 0;
      const int qt = QtWidth(Font, s);
      EXPECT_EQ(qt, GI.TextSizeBasic(Canvas, s).cx) << ToQ(s).toStdString();
      if (!sums)
        continue;
      EXPECT_EQ(qt, widths.Width(0, s.size())) << ToQ(s).toStdString();
      const std::size_t from = static_cast<std::size_t>(random.Pick(0, static_cast<int>(s.size())));
      const std::size_t to =
          from + static_cast<std::size_t>(random.Pick(0, static_cast<int>(s.size() - from)));
      const std::u16string_view part = std::u16string_view(s).substr(from, to - from);
      EXPECT_EQ(QtWidth(Font, part), widths.Width(from, to))
          << ToQ(s).toStdString() << " [" << from << ", " << to << ")";
      if (HasFailure())
        break;
    }
    return summed;
  }

  TRVQtGraphicInterface GI;
  TRVQtCanvas Canvas{96, 96};
  QFont Font;
};

TEST_F(QtMeasureTest, SummedWidthsEqualQtsLayoutOfRandomLatinCyrillicGreekAndCJK) {
  SetFont(-13);
  ASSERT_FALSE(Font.kerning());
  constexpr int Count = 20000;
  const int summed = CheckRandomStrings(Count, 20261209);
  // Nearly all of them are summed (a few mix scripts around a character whose font changes
  // with the script, and Qt shapes those), so the comparison above is of the tables.
  EXPECT_GT(summed, Count * 9 / 10);
}

TEST_F(QtMeasureTest, SummedWidthsHoldInOtherSizesAndStyles) {
  SetFont(-16, TFontStyles{fsBold});
  EXPECT_GT(CheckRandomStrings(2000, 7), 1800);
  SetFont(-1333, TFontStyles{fsItalic}); // the size of the high-resolution format canvas
  EXPECT_GT(CheckRandomStrings(2000, 8), 1800);
}

TEST_F(QtMeasureTest, SoftHyphensAndSpacingSumAsTheyMeasure) {
  SetFont(-13);
  Canvas.SetTextCharacterExtra(2);
  const std::u16string s = u"hyphen\u00ADated para\u00ADgraph";
  TRVTextWidths widths;
  ASSERT_TRUE(widths.Assign(GI, Canvas, s, false));
  for (std::size_t from = 0; from < s.size(); from += 3)
    for (std::size_t to = from; to <= s.size(); ++to)
      EXPECT_EQ(GI.TextWidth(Canvas, std::u16string_view(s).substr(from, to - from), false,
                             rvbdUnspecified),
                widths.Width(from, to))
          << from << " " << to;
}

TEST_F(QtMeasureTest, ComplexScriptsAreShapedWhole) {
  SetFont(-13);
  const std::u16string texts[] = {
      u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645", // Arabic
      u"\u0928\u092E\u0938\u094D\u0924\u0947 \u0926\u0941\u0928\u093F\u092F\u093E", // Devanagari
      u"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35\u0E0A\u0E32\u0E27\u0E42\u0E25\u0E01",  // Thai
      u"family \U0001F469\u200D\U0001F469\u200D\U0001F467 and \U0001F44D\U0001F3FD", // emoji
      u"Latin with e\u0301 a combining mark",
  };
  for (const std::u16string& t : texts) {
    TRVTextWidths widths;
    EXPECT_FALSE(widths.Assign(GI, Canvas, t, false)) << ToQ(t).toStdString();
    EXPECT_EQ(QtWidth(Font, t), GI.TextSizeBasic(Canvas, t).cx) << ToQ(t).toStdString();
  }
  // Arabic letters join: the word shaped whole is not the sum of its letters alone.
  const std::u16string word = u"\u0628\u0628\u0628\u0628";
  int letters = 0;
  for (char16_t c : word)
    letters += QtWidth(Font, std::u16string(1, c));
  EXPECT_NE(letters, GI.TextSizeBasic(Canvas, word).cx);
}

// Text that needs shaping is measured word by word, each word shaped once: the sum stays what
// Qt lays out for the whole text, with digits, brackets and Latin after Hebrew or Arabic, a word
// met again in another context, and words cut short as a line's fit cuts them.
TEST_F(QtMeasureTest, ShapedWordsSumToTheWholeTextInEveryContext) {
  SetFont(-13);
  const std::u16string texts[] = {
      u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD (2024) \u05E9\u05DC\u05D5\u05DD", // Hebrew
      u"\u0645\u0631\u062D\u0628\u0627 123 \u0645\u0631\u062D\u0628\u0627 [Qt] \u0645\u0631\u062D\u0628\u0627", // Arabic
      u"2024 \u0645\u0631\u062D\u0628\u0627  \u05E9\u05DC\u05D5\u05DD , word \u0628\u0628",
      u"  \u0628\u0627\u0644\u0639\u0627\u0644\u0645\u00AD\u0628\u0627 ",
  };
  // A soft hyphen is measured as the hyphen it shows as.
  auto shown = [](std::u16string s) {
    for (char16_t& c : s)
      if (c == 0x00AD)
        c = u'-';
    return s;
  };
  for (const std::u16string& t : texts) {
    EXPECT_EQ(QtWidth(Font, shown(t)), GI.TextSizeBasic(Canvas, t).cx) << ToQ(t).toStdString();
    // Every prefix (what a line's fit probes): the remembered words do not leak into it.
    for (std::size_t n = 1; n <= t.size(); ++n) {
      const std::u16string head = t.substr(0, n);
      EXPECT_EQ(QtWidth(Font, shown(head)), GI.TextSizeBasic(Canvas, head).cx)
          << ToQ(head).toStdString();
    }
  }
}

// Formatted lines of simple and complex text: every run is as wide as Qt lays its text out.
TEST(QtFormatMeasure, RunsAreAsWideAsQtLaysThemOut) {
  TRVStyle style;
  style.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
  TRVQtCanvas canvas(96, 96);
  TRichView rv;
  rv.SetStyle(&style);
  rv.SetCanvas(&canvas);
  rv.SetClientSize(160, 400);
  RandomText random(99);
  std::u16string simple;
  for (int i = 0; i < 40; ++i)
    simple += random.String() + u' ';
  const std::u16string complex =
      u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
      u"\u0928\u092E\u0938\u094D\u0924\u0947 \u0926\u0941\u0928\u093F\u092F\u093E "
      u"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35 \U0001F469\u200D\U0001F469\u200D\U0001F467 words";
  rv.AddNL(simple, 0, 0);
  rv.AddNL(complex + u' ' + complex, 0, 0);
  rv.Format();
  TRVStateCanvas styled(96, 96);
  style.ApplyStyle(styled, 0, rvbdUnspecified, false);
  const QFont font = RVQtMakeFont(styled.GetFont());
  const TCustomRVFormattedData& data = *rv.RVData;
  ASSERT_GT(data.DrawItems.Count(), 10);
  for (int i = 0; i < data.DrawItems.Count(); ++i) {
    const std::u16string run = data.DrawItems.GetString(i, data.Items());
    EXPECT_EQ(QtWidth(font, run), data.DrawItems[i]->Width) << i << " " << ToQ(run).toStdString();
  }
}

} // namespace
} // namespace quillon
