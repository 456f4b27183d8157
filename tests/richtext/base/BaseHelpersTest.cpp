// The base layer's shared helpers: every layer and the app rely on these one copies.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVBiDi.h"
#include "richtext/base/RVRound.h"
#include "richtext/base/RVUni.h"

namespace richtext {
namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroInEverySignAndRefusesZero) {
  EXPECT_EQ(2, RV_MulDiv(3, 1, 2));    // 1.5
  EXPECT_EQ(-2, RV_MulDiv(-3, 1, 2));  // -1.5
  EXPECT_EQ(-2, RV_MulDiv(3, 1, -2));
  EXPECT_EQ(2, RV_MulDiv(-3, -1, 2));
  EXPECT_EQ(1, RV_MulDiv(4, 1, 3));    // 1.33
  EXPECT_EQ(2, RV_MulDiv(5, 1, 3));    // 1.67
  EXPECT_EQ(-1, RV_MulDiv(7, 9, 0));
  // The product is taken in 64 bits.
  EXPECT_EQ(2'000'000'000, RV_MulDiv(2'000'000'000, 96, 96));
  EXPECT_EQ(1'500'000'000, RV_MulDiv(1'000'000'000, 3, 2));
}

TEST(MulDivTest, EvenVariantSendsTiesToTheEvenNeighbour) {
  EXPECT_EQ(2, RV_MulDivEven(3, 1, 2));  // 1.5
  EXPECT_EQ(2, RV_MulDivEven(5, 1, 2));  // 2.5
  EXPECT_EQ(-2, RV_MulDivEven(-5, 1, 2));
  EXPECT_EQ(3, RV_MulDivEven(11, 1, 4)); // 2.75
}

TEST(UnicodeHelpersTest, CodePointsAndSurrogates) {
  const std::u16string s = u"a\U0001F600\xD800z\xDC00";
  int units = 0;
  EXPECT_EQ(U'a', RVU_CodePointAt(s, 0, units));
  EXPECT_EQ(1, units);
  EXPECT_EQ(U'\U0001F600', RVU_CodePointAt(s, 1, units));
  EXPECT_EQ(2, units);
  // Halves without their partner stand alone.
  EXPECT_EQ(0xD800u, static_cast<unsigned>(RVU_CodePointAt(s, 3, units)));
  EXPECT_EQ(1, units);
  EXPECT_EQ(0xDC00u, static_cast<unsigned>(RVU_CodePointAt(s, 5, units)));
  EXPECT_EQ(1, units);
  EXPECT_TRUE(RVU_IsHighSurrogate(0xDBFF));
  EXPECT_FALSE(RVU_IsHighSurrogate(0xDC00));
  EXPECT_TRUE(RVU_IsLowSurrogate(0xDFFF));
  EXPECT_FALSE(RVU_IsSurrogate(0xE000));
}

TEST(UnicodeHelpersTest, Utf8EncoderWritesEveryLengthAndReplacesLoneHalves) {
  EXPECT_EQ("", RVU_UnicodeToUtf8(u""));
  EXPECT_EQ("a\xC3\xA9\xE8\xAF\xB4\xF0\x9F\x98\x80", RVU_UnicodeToUtf8(u"a\u00E9\u8BF4\U0001F600"));
  EXPECT_EQ("\xEF\xBF\xBD" "x\xEF\xBF\xBD", RVU_UnicodeToUtf8(u"\xDC00x\xD800"));
  EXPECT_EQ("\xC2\xAD", RVU_UnicodeToUtf8(std::u16string(1, RV_SOFTHYPHEN)));
}

TEST(BiDiScanTest, ARightToLeftLetterOrControlIsFoundAnywhereInLongText) {
  // Long Latin text is passed over in blocks: a letter or control is found in any of them,
  // at a block's edges too, and a character just below Hebrew or an ideograph is no match.
  const std::u16string latin(200, u'a');
  EXPECT_FALSE(RVBiDi_HasRightToLeft(latin));
  EXPECT_FALSE(RVBiDi_HasRightToLeft(latin + u"\u058F\u4E2D\u00E9"));
  for (std::size_t at : {0, 1, 63, 64, 65, 127, 128, 199}) {
    for (char16_t c : {u'\u05D0', u'\u0627', u'\u202B', u'\u2067'}) {
      std::u16string text = latin;
      text[at] = c;
      EXPECT_TRUE(RVBiDi_HasRightToLeft(text)) << "at " << at << " U+" << std::hex << +c;
    }
  }
  EXPECT_FALSE(RVBiDi_HasRightToLeft(u""));
}

} // namespace
} // namespace richtext
