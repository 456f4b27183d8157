// The clipboard module: registered formats, nested sessions, the retrying open, text blocks
// and the read side.
#include <gtest/gtest.h>

#include <string>

#include "richtext/export/RVClipboard.h"
#include "richtext/export/RVStr.h"
#include "tests/richtext/export/clipboard/RecordingClipboard.h"

namespace richtext::test {
namespace {

using namespace std::string_literals;

TEST(ClipboardFormatsTest, FiveNamesRegisteredInOrderOnceForTheRun) {
  RVRegisterClipboardFormats();
  const TRVClipboardFormat first = CFRV_RVF;
  EXPECT_GE(first, RVFirstRegisteredFormat);
  EXPECT_EQ((std::vector<TRVClipboardFormat>{first, first + 1, first + 2, first + 3, first + 4}),
            (std::vector<TRVClipboardFormat>{CFRV_RVF, CFRV_RTF, CFRV_URL, CFRV_URLW, CFRV_HTML}));
  EXPECT_EQ("RichView Format|Rich Text Format|UniformResourceLocator|UniformResourceLocatorW|"
            "HTML Format",
            FormatName(CFRV_RVF) + "|" + FormatName(CFRV_RTF) + "|" + FormatName(CFRV_URL) +
                "|" + FormatName(CFRV_URLW) + "|" + FormatName(CFRV_HTML));
  // A second start-up and any spelling of a name find the same numbers.
  RVRegisterClipboardFormats();
  EXPECT_EQ(first, CFRV_RVF);
  EXPECT_EQ(CFRV_RTF, RVRegisterClipboardFormat(u"rich TEXT format"));
  const TRVClipboardFormat own = RVRegisterClipboardFormat(u"text/x-quillon-test");
  EXPECT_GT(own, CFRV_HTML);
  EXPECT_EQ(u"text/x-quillon-test", RVGetClipboardFormatName(own));
  // Standard, unknown and empty formats have no name.
  EXPECT_EQ(u"", RVGetClipboardFormatName(CF_UNICODETEXT));
  EXPECT_EQ(u"", RVGetClipboardFormatName(own + 1000));
  EXPECT_EQ(0u, RVRegisterClipboardFormat(u""));
}

TEST(ClipboardSessionTest, OpensNestAndOnlyTheOutermostReachesThePlatform) {
  TRecordingClipboard clipboard;
  clipboard.Open();
  clipboard.Open();
  clipboard.SetData(CF_TEXT, "a\0"s);
  clipboard.Close();
  EXPECT_TRUE(clipboard.IsOpen());
  clipboard.Close();
  EXPECT_FALSE(clipboard.IsOpen());
  clipboard.Close(); // one close too many changes nothing
  clipboard.Clear();
  clipboard.SetData(CF_UNICODETEXT, "b\0\0\0"s);
  EXPECT_EQ("open\nset CF_TEXT 2\nclose\n"
            "open\nempty\nclose\n"
            "open\nset CF_UNICODETEXT 4\nclose\n",
            clipboard.Joined());
  EXPECT_EQ(1u, clipboard.Contents.size());
}

TEST(ClipboardSessionTest, RetryingOpenWaitsLongerEachTimeAndGivesUpAfterFiveAttempts) {
  TRecordingClipboard clipboard;
  TInstalledClipboard installed(clipboard);
  clipboard.RefuseOpens = {1, 2};
  EXPECT_TRUE(RVTryOpenClipboard());
  EXPECT_EQ((std::vector<int>{250, 500}), clipboard.Sleeps);
  EXPECT_TRUE(clipboard.IsOpen());
  clipboard.Close();

  TRecordingClipboard held;
  TInstalledClipboard installedHeld(held);
  held.RefuseFrom = 1;
  try {
    RVTryOpenClipboard();
    ADD_FAILURE() << "opened a held clipboard";
  } catch (const ERVClipboardOpenError& e) {
    EXPECT_EQ("Cannot open clipboard: held by another program"s, e.what());
  }
  EXPECT_EQ((std::vector<int>{250, 500, 750, 1000}), held.Sleeps);
  EXPECT_EQ("refused\nrefused\nrefused\nrefused\nrefused\n", held.Joined());
  EXPECT_FALSE(held.IsOpen());
}

TEST(ClipboardSessionTest, WithoutAnInstalledClipboardOpeningFails) {
  TRVSystemClipboard* previous = RVSetSystemClipboard(nullptr);
  try {
    RVSystemClipboard().Clear();
    ADD_FAILURE() << "cleared a clipboard that is not there";
  } catch (const ERVClipboardOpenError& e) {
    EXPECT_EQ("Cannot open clipboard: no system clipboard is available"s, e.what());
  }
  RVSetSystemClipboard(previous);
}

TEST(ClipboardSessionTest, TextBlocksCarryTheirTerminatingZero) {
  TRecordingClipboard clipboard;
  TInstalledClipboard installed(clipboard);
  RVSetTextToClipboardW(u"abc", CF_UNICODETEXT);
  RVSetTextToClipboardA("abc", CF_TEXT);
  RVSetTextToClipboardW(u"\U0001F600", CF_UNICODETEXT);
  RVSetBytesToClipboard("{\\rtf1}", CFRV_RTF);
  EXPECT_EQ("a\0b\0c\0\0\0"s, clipboard.Blocks[0].second);
  EXPECT_EQ("abc\0"s, clipboard.Blocks[1].second);
  EXPECT_EQ("\x3D\xD8\x00\xDE\0\0"s, clipboard.Blocks[2].second);
  EXPECT_EQ("{\\rtf1}"s, clipboard.Blocks[3].second);

  clipboard.FailAllocation = 5;
  try {
    RVSetTextToClipboardW(u"abc", CF_UNICODETEXT);
    ADD_FAILURE() << "no error for a failed allocation";
  } catch (const ERichViewError& e) {
    EXPECT_EQ("No memory"s, e.what());
  }
  EXPECT_EQ(4u, clipboard.Blocks.size());
}

TEST(ClipboardSessionTest, ReadSideCutsAtTheFirstZeroAndPrefersTheUnicodeAddress) {
  RVRegisterClipboardFormats();
  TRecordingClipboard clipboard;
  TInstalledClipboard installed(clipboard);
  std::u16string text = u"old";
  std::string bytes;
  EXPECT_FALSE(RVGetTextFromClipboardW(text, CF_UNICODETEXT));
  EXPECT_EQ(u"old", text);

  clipboard.Contents[CF_UNICODETEXT] = "h\0i\0\0\0x\0"s;
  clipboard.Contents[CF_TEXT] = "hi\0x"s;
  EXPECT_TRUE(RVGetTextFromClipboardW(text, CF_UNICODETEXT));
  EXPECT_EQ(u"hi", text);
  EXPECT_TRUE(RVGetTextFromClipboardA(bytes, CF_TEXT));
  EXPECT_EQ("hi", bytes);
  clipboard.Contents[CF_UNICODETEXT] = "h\0i"s; // an odd size keeps its last byte
  EXPECT_TRUE(RVGetTextFromClipboardW(text, CF_UNICODETEXT));
  EXPECT_EQ(u"hi", text);

  std::u16string url = u"old";
  EXPECT_FALSE(RVGetURLFromClipboard(url));
  EXPECT_EQ(u"", url);
  clipboard.Contents[CFRV_URL] = "http://a.example/\0"s;
  EXPECT_TRUE(RVGetURLFromClipboard(url));
  EXPECT_EQ(u"http://a.example/", url);
  clipboard.Contents[CFRV_URLW] = "w\0\0\0"s;
  EXPECT_TRUE(RVGetURLFromClipboard(url));
  EXPECT_EQ(u"w", url);
}

} // namespace
} // namespace richtext::test
