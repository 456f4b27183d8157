// Copy, CopyDef and the single-format copies: sessions, block order, framing and bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/richtext/export/clipboard/ClipboardFixture.h"

namespace richtext::test {
namespace {

using namespace std::string_literals;

std::string LengthPrefixed(const std::string& bytes) {
  std::string block(4, '\0');
  for (int i = 0; i < 4; ++i)
    block[i] = static_cast<char>((bytes.size() >> (8 * i)) & 0xFF);
  return block + bytes;
}

std::int32_t LittleEndian32(const std::string& block) {
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i)
    n = (n << 8) | static_cast<unsigned char>(block[i]);
  return static_cast<std::int32_t>(n);
}

using ClipboardCopyTest = ClipboardFixture;

// A hyperlink for title t and address a: the clipboard is cleared in a
// session of its own, then one session holds RVF, the Unicode text, RTF and the HTML
// fragment, each block as the writers produce it.
TEST_F(ClipboardCopyTest, HyperlinkTitleTAddressAGoesOnTheClipboardInOrder) {
  Doc.Build(u"t", u"a");
  const std::string rvf = Doc.SelectionRVF();
  const std::string rtf = Doc.SelectionRTF();
  const std::string html =
      "<meta charset=\"utf-8\"><a href=\"a\" style=\"color:#0000ff;text-decoration:underline\">"
      "t</a>";

  Editor().Copy();
  EXPECT_EQ("open\nempty\nclose\n"
            "open\n"
            "set RichView Format " + std::to_string(rvf.size() + 4) + "\n"
            "set CF_UNICODETEXT 4\n"
            "set Rich Text Format " + std::to_string(rtf.size()) + "\n"
            "set HTML Format " + std::to_string(html.size()) + "\n"
            "close\n",
            Clipboard.Joined());
  EXPECT_EQ(LengthPrefixed(rvf), Clipboard.Block(CFRV_RVF));
  EXPECT_EQ(static_cast<std::int32_t>(Clipboard.Block(CFRV_RVF).size() - 4),
            LittleEndian32(Clipboard.Block(CFRV_RVF)));
  EXPECT_EQ("t\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
  EXPECT_EQ(rtf, Clipboard.Block(CFRV_RTF));
  EXPECT_EQ('}', Clipboard.Block(CFRV_RTF).back()); // no terminating zero
  EXPECT_EQ(html, Clipboard.Block(CFRV_HTML));
  EXPECT_FALSE(Clipboard.IsOpen());
}

TEST_F(ClipboardCopyTest, OnCopyAddsItsOwnFormatInsideTheSameSession) {
  const TRVClipboardFormat own = RVRegisterClipboardFormat(u"text/x-on-copy");
  Editor().OnCopy = [&](TCustomRichView* Sender) {
    EXPECT_EQ(&Editor(), Sender);
    RVSetBytesToClipboard("mine", own);
  };
  Doc.Build(u"t", u"a");
  Editor().Copy();
  ASSERT_EQ(10u, Clipboard.Log.size());
  EXPECT_EQ((std::vector<std::string>{"open", "empty", "close", "open", "set text/x-on-copy 4"}),
            std::vector<std::string>(Clipboard.Log.begin(), Clipboard.Log.begin() + 5));
  EXPECT_EQ("set RichView Format", Clipboard.Log[5].substr(0, 19));
  EXPECT_EQ("close", Clipboard.Log[9]);
  EXPECT_EQ("mine", Clipboard.Block(own));
}

TEST_F(ClipboardCopyTest, EmptySelectionLeavesTheClipboardUntouched) {
  Clipboard.Contents[CF_UNICODETEXT] = "x\0\0\0"s;
  Doc.Build(u"", u"a");
  Editor().Copy();
  EXPECT_TRUE(Editor().CopyDef()); // an option applies, though nothing is copied
  Editor().CopyText();
  Editor().CopyRTF();
  EXPECT_EQ("", Clipboard.Joined());
  EXPECT_EQ("x\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
}

TEST_F(ClipboardCopyTest, RefusedOpenRaisesAfterFiveAttemptsWithTheClipboardCleared) {
  Doc.Build(u"t", u"a");
  Clipboard.Contents[CF_TEXT] = "old\0"s;
  Clipboard.RefuseFrom = 2; // the clear gets through, then another program takes it
  try {
    Editor().Copy();
    ADD_FAILURE() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_EQ("Cannot open clipboard: held by another program"s, e.what());
  }
  EXPECT_EQ("open\nempty\nclose\nrefused\nrefused\nrefused\nrefused\nrefused\n",
            Clipboard.Joined());
  EXPECT_EQ((std::vector<int>{250, 500, 750, 1000}), Clipboard.Sleeps);
  EXPECT_TRUE(Clipboard.Contents.empty());
}

TEST_F(ClipboardCopyTest, ClipboardHeldFromTheStartFailsAtTheClearWithoutWaiting) {
  Doc.Build(u"t", u"a");
  Clipboard.RefuseFrom = 1;
  EXPECT_THROW(Editor().Copy(), ERVClipboardOpenError);
  EXPECT_EQ("refused\n", Clipboard.Joined());
  EXPECT_TRUE(Clipboard.Sleeps.empty());
}

TEST_F(ClipboardCopyTest, NoMemoryClosesTheClipboardAndKeepsTheBlocksAlreadySet) {
  Doc.Build(u"t", u"a");
  Clipboard.FailAllocation = 3; // RVF and the text get their memory, RTF does not
  try {
    Editor().Copy();
    ADD_FAILURE() << "no error";
  } catch (const ERichViewError& e) {
    EXPECT_EQ("No memory"s, e.what());
  }
  EXPECT_FALSE(Clipboard.IsOpen());
  EXPECT_EQ("close", Clipboard.Log.back());
  EXPECT_EQ(2u, Clipboard.Contents.size());
  EXPECT_EQ("t\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
}

// Which blocks CopyDef writes for a set of options, as one line of format names; "false"
// when it answers that nothing was to be copied.
class CopyDefTest : public ClipboardFixture {
protected:
  std::string Formats(TRVOptions Options, bool WithOnCopy = false) {
    Clipboard.Log.clear();
    Clipboard.Blocks.clear();
    Editor().SetOptions(Options);
    Editor().OnCopy = nullptr;
    if (WithOnCopy)
      Editor().OnCopy = [](TCustomRichView*) {};
    const bool result = Editor().CopyDef();
    std::string out = result ? "" : "false";
    for (const auto& [format, block] : Clipboard.Blocks)
      out += (out.empty() ? "" : " ") + FormatName(format);
    return out;
  }
};

TEST_F(CopyDefTest, OptionsDecideTheBlocks) {
  Doc.Build(u"t", u"a");
  EXPECT_EQ("RichView Format CF_UNICODETEXT Rich Text Format HTML Format",
            Formats(RVDefaultOptions));
  EXPECT_EQ("false", Formats(TRVOptions{}));
  EXPECT_EQ("", Clipboard.Joined()); // not even cleared
  // On an NT-class system the 8-bit text is left to the system when Unicode text is there.
  EXPECT_EQ("CF_UNICODETEXT", Formats(TRVOptions{rvoAutoCopyText, rvoAutoCopyUnicodeText}));
  EXPECT_EQ("CF_TEXT", Formats(TRVOptions{rvoAutoCopyText}));
  EXPECT_EQ("t\0"s, Clipboard.Blocks[0].second);
  EXPECT_EQ("RichView Format", Formats(TRVOptions{rvoAutoCopyRVF}));
  EXPECT_EQ("Rich Text Format HTML Format", Formats(TRVOptions{rvoAutoCopyRTF}));
  // No picture is selected, so the image option writes nothing but still counts.
  EXPECT_EQ("", Formats(TRVOptions{rvoAutoCopyImage}));
  EXPECT_EQ("open\nempty\nclose\nopen\nclose\n", Clipboard.Joined());
  EXPECT_EQ("", Formats(TRVOptions{}, true));
}

TEST_F(ClipboardCopyTest, SingleFormatCopiesClearThenWriteOneBlockWithoutOnCopy) {
  int onCopy = 0;
  Editor().OnCopy = [&](TCustomRichView*) { ++onCopy; };
  BuildPlain(u"abc");
  Editor().CopyText();
  EXPECT_EQ("open\nempty\nclose\nopen\nset CF_UNICODETEXT 8\nclose\n", Clipboard.Joined());
  EXPECT_EQ("a\0b\0c\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
  Clipboard.Log.clear();
  Editor().CopyTextA();
  EXPECT_EQ("abc\0"s, Clipboard.Block(CF_TEXT));
  Editor().CopyRVF();
  EXPECT_EQ(static_cast<std::int32_t>(Clipboard.Block(CFRV_RVF).size() - 4),
            LittleEndian32(Clipboard.Block(CFRV_RVF)));
  Editor().CopyRTF();
  EXPECT_EQ(1u, Clipboard.Contents.size());
  EXPECT_EQ("{\\rtf1", Clipboard.Block(CFRV_RTF).substr(0, 6));
  EXPECT_EQ(0, onCopy);
}

TEST_F(ClipboardCopyTest, CopyTextOfSeveralParagraphsAndAPartialSelection) {
  BuildPlain(u"ab\ncd");
  Editor().Copy();
  EXPECT_EQ("a\0b\0\r\0\n\0c\0d\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
  Editor().SetSelectionBounds(0, 2, 0, 3);
  Editor().Copy();
  EXPECT_EQ("b\0\0\0"s, Clipboard.Block(CF_UNICODETEXT));
}

} // namespace
} // namespace richtext::test
