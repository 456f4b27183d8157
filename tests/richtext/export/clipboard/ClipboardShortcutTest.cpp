// The editor's copy shortcut on a selection made by hand: only the selected part goes on the
// clipboard, in every format, and a part of a hyperlink stays a hyperlink.
#include <gtest/gtest.h>

#include <string>

#include "tests/richtext/export/clipboard/ClipboardFixture.h"

namespace richtext::test {
namespace {

using namespace std::string_literals;

std::string Utf16Bytes(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

class ClipboardShortcutTest : public ClipboardFixture {
protected:
  // Ctrl+C (or another key) as the editor's key handler gets it; true when consumed.
  bool Press(std::uint16_t Key, TShiftState Shift) {
    Editor().KeyDown(Key, Shift);
    return Key == 0;
  }
  // The selection from item 0 offset From to offset To, made with Shift+arrows.
  void SelectByKeys(int From, int To) {
    Editor().SetCaretPos(TRVCaretPos{0, From, false}, false);
    for (int i = From; i < To; ++i)
      ASSERT_TRUE(Press(VK_RIGHT, {ssShift}));
  }
};

TEST_F(ClipboardShortcutTest, PartOfAHyperlinkIsCopiedAsAHyperlinkInEveryFormat) {
  Doc.Build(u"Quillon docs", u"https://example.com/q docs");
  SelectByKeys(3, 8); // "illon"
  Clipboard.Log.clear();
  EXPECT_TRUE(Press('C', {ssCtrl}));

  EXPECT_EQ(Utf16Bytes(u"illon") + "\0\0"s, Clipboard.Block(CF_UNICODETEXT));
  const std::string& rtf = Clipboard.Block(CFRV_RTF);
  EXPECT_NE(std::string::npos,
            rtf.find("{\\field{\\*\\fldinst HYPERLINK \"https://example.com/q%20docs\"}"
                     "{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 illon}}"))
      << rtf;
  EXPECT_EQ(std::string::npos, rtf.find("Quillon")) << rtf;
  EXPECT_EQ("<meta charset=\"utf-8\"><a href=\"https://example.com/q docs\" "
            "style=\"color:#0000ff;text-decoration:underline\">illon</a>",
            Clipboard.Block(CFRV_HTML));
  // The RVF holds the part of the text and the whole address as the item's tag.
  const std::string& rvf = Clipboard.Block(CFRV_RVF);
  EXPECT_NE(std::string::npos, rvf.find(Utf16Bytes(u"illon"))) << rvf;
  EXPECT_EQ(std::string::npos, rvf.find(Utf16Bytes(u"Quillon"))) << rvf;
  EXPECT_NE(std::string::npos, rvf.find("https://example.com/q docs")) << rvf;
  // RVF, the Unicode text, RTF and HTML in one session; no 8-bit text by default.
  EXPECT_EQ(std::string::npos, Clipboard.Joined().find("CF_TEXT")) << Clipboard.Joined();
}

TEST_F(ClipboardShortcutTest, ASelectionFromPlainTextIntoAHyperlinkKeepsBothParts) {
  Doc.Build(u"x", u"y"); // adds the hyperlink style, text style 6
  Editor().ClearAll();
  Editor().AddNL(u"see ", 0, 0);
  Editor().AddNL(u"here", 6, -1, u"http://h/");
  Editor().Format();
  ASSERT_TRUE(Doc.RVStyle1.TextStyles[Editor().GetItemStyle(1)].Jump);
  // From after "se" to after "he"; then from the end of "see " (nothing of it) to after "he".
  for (int startOffs : {3, 5}) {
    Editor().SetCaretPos(TRVCaretPos{0, startOffs, false}, false);
    Editor().SetCaretPos(TRVCaretPos{1, 3, false}, true);
    Clipboard.Contents.clear();
    EXPECT_TRUE(Press('C', {ssCtrl}));
    const std::u16string plain = startOffs == 3 ? u"e he" : u"he";
    EXPECT_EQ(Utf16Bytes(plain) + "\0\0"s, Clipboard.Block(CF_UNICODETEXT));
    const std::string& rtf = Clipboard.Block(CFRV_RTF);
    const std::string body = "\\itap0 " + std::string(startOffs == 3 ? "\\plain \\f0\\fs20 e " : "") +
                             "{\\field{\\*\\fldinst HYPERLINK \"http://h/\"}"
                             "{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 he}}}";
    ASSERT_GE(rtf.size(), body.size());
    EXPECT_EQ(body, rtf.substr(rtf.size() - body.size()));
    const std::string link = "<a href=\"http://h/\" "
                             "style=\"color:#0000ff;text-decoration:underline\">he</a>";
    EXPECT_EQ("<meta charset=\"utf-8\">" + std::string(startOffs == 3 ? "e " : "") + link,
              Clipboard.Block(CFRV_HTML));
  }
}

TEST_F(ClipboardShortcutTest, CtrlInsertCopiesAndCtrlAltCDoesNot) {
  Doc.Build(u"Quillon", u"https://example.com/");
  SelectByKeys(1, 3);
  EXPECT_FALSE(Press('C', {ssCtrl, ssAlt}));
  EXPECT_TRUE(Clipboard.Contents.empty());
  EXPECT_TRUE(Press(VK_INSERT, {ssCtrl}));
  EXPECT_EQ(Utf16Bytes(u"Qu") + "\0\0"s, Clipboard.Block(CF_UNICODETEXT));
}

TEST_F(ClipboardShortcutTest, WithOnlyACaretTheShortcutIsConsumedAndTheClipboardKept) {
  Doc.Build(u"Quillon", u"https://example.com/");
  Editor().SetCaretPos(TRVCaretPos{0, 4, false}, false);
  Clipboard.Log.clear();
  EXPECT_TRUE(Press('C', {ssCtrl}));
  EXPECT_EQ("", Clipboard.Joined());
  // The caret stays where it was although the empty selection was reset.
  EXPECT_EQ(4, Editor().GetCaretPos().Offs);
}

} // namespace
} // namespace richtext::test
