// Random UTF-16, lone surrogates included, through the run text encoder: the output must be
// 7-bit text with balanced groups, and a Unicode-aware reader must get the input back.
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/base/RVStream.h"

#include "richtext/export/RTFTextReader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

using namespace richtext;

namespace {

char16_t RandomCodeUnit(std::mt19937& rng) {
  static constexpr char16_t Interesting[] = {
      u'\\',  u'{',   u'}',   u'"',   u'\'',  u'\t',  u'\r',  u'\n',  0,      0x7F,   0xA0,
      0xAD,   0xE9,   0xFF,   0x2002, 0x2003, 0x2005, 0x200C, 0x200D, 0x2013, 0x2014, 0x2018,
      0x2019, 0x201C, 0x201D, 0x2022, 0x20AC, 0xFFFD, 0xFFFF, 0xFF02, 0xFF3C, 0xFEFF};
  switch (rng() % 6) {
  case 0:
    return static_cast<char16_t>(0x20 + rng() % 0x5F); // printable ASCII
  case 1:
    return Interesting[rng() % std::size(Interesting)];
  case 2:
    return static_cast<char16_t>(0xD800 + rng() % 0x800); // surrogates, mostly unpaired
  case 3:
    return static_cast<char16_t>(0x4E00 + rng() % 0x5200); // CJK
  case 4:
    return static_cast<char16_t>(0x80 + rng() % 0x580); // Latin, Greek, Cyrillic, Hebrew
  default:
    return static_cast<char16_t>(rng() % 0x10000);
  }
}

// Depth of the groups, counting only braces that are not escaped.
bool BracesBalanced(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\')
      ++i; // the escaped character, or the first letter of a word
    else if (rtf[i] == '{')
      ++depth;
    else if (rtf[i] == '}' && --depth < 0)
      return false;
  }
  return depth == 0;
}

} // namespace

TEST(RTFRunTextFuzz, SevenBitBalancedAndReadableBack) {
  constexpr TRVCodePage CodePages[] = {1252, 1251, 932, 936, 0};
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::u16string text(rng() % 40, u'\0');
    for (char16_t& c : text)
      c = RandomCodeUnit(rng);
    const TRVCodePage codePage = CodePages[rng() % std::size(CodePages)];
    const bool saveAnsi = rng() % 2;
    const bool forceSaveAnsi = rng() % 3 == 0;
    const bool rtfControlsToCodes = rng() % 4 == 0;

    TRVMemoryStream stream;
    RVWriteUnicodeRTFStr(stream, text, codePage, saveAnsi, forceSaveAnsi, false, false,
                         rtfControlsToCodes, false);
    const std::string& rtf = stream.Bytes();
    SCOPED_TRACE(testing::Message()
                 << "round " << round << " code page " << codePage << " rtf " << rtf);
    for (unsigned char b : rtf)
      ASSERT_TRUE(b >= 0x20 && b < 0x80) << "byte " << int(b);
    ASSERT_TRUE(BracesBalanced(rtf));
    EXPECT_EQ(text, test::ReadRTFText(rtf, saveAnsi ? 1 : 0));
  }
}
