// Paste takes the richest format the clipboard holds: RichView Format, RTF, HTML, then text;
// a block that does not read gives way to the next; pasted styles are merged into the sheet.
#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVStream.h"
#include "richtext/export/RVStr.h"
#include "richtext/export/clipboard/RecordingClipboard.h"
#include "richtext/export/import/ImportDump.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/style/StyleDump.h"

namespace richtext::test {
namespace {

class PasteTest : public ExportFixture {
protected:
  PasteTest() {
    RVRegisterClipboardFormats();
    FPrevious = RVSetSystemClipboard(&Clipboard);
    RV.AddNL(u"x", 0, 0);
    RV.Format();
    RV.SetSelectionBounds(0, 2, 0, 2);
  }
  ~PasteTest() override { RVSetSystemClipboard(FPrevious); }

  void Offer(bool Rtf, bool Html, bool Text) {
    Clipboard.Clear();
    Clipboard.Open();
    if (Rtf)
      RVSetTextToClipboardA(RtfBlock, CFRV_RTF);
    if (Html)
      RVSetBytesToClipboard(HtmlBlock, CFRV_HTML);
    if (Text)
      RVSetTextToClipboardW(u"from text", CF_UNICODETEXT);
    Clipboard.Close();
  }

  TRecordingClipboard Clipboard;
  std::string RtfBlock = "{\\rtf1 from {\\field{\\*\\fldinst HYPERLINK \"http://r\"}{\\fldrslt rtf}}}";
  std::string HtmlBlock = "<meta charset='utf-8'>from <a href=\"http://h\">html</a>";

private:
  TRVSystemClipboard* FPrevious = nullptr;
};

TEST_F(PasteTest, TheRichestReadableFormatWins) {
  Offer(true, true, true);
  ASSERT_TRUE(RV.PasteDef());
  // RTF's own default size (12 points) is not the sheet's, so "from " is a style of its own.
  EXPECT_EQ("|p 'x' 'from ' @http://r'rtf'", ImportDump(Data()));
  RV.Undo();
  EXPECT_EQ("|p 'x'", ImportDump(Data()));

  Offer(false, true, true);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p 'xfrom ' @http://h'html'", ImportDump(Data()));
  RV.Undo();

  RtfBlock = "{\\rtf1 damaged";
  Offer(true, true, true);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p 'xfrom ' @http://h'html'", ImportDump(Data())) << "damaged RTF gives way to HTML";
  RV.Undo();

  HtmlBlock = "<a href=\"http://h\">damaged<b";
  Offer(true, true, true);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p 'xfrom text'", ImportDump(Data())) << "and damaged HTML to the text";
}

TEST_F(PasteTest, TheEnginesOwnCopyStillPastesAsRVFFirst) {
  RV.Clear();
  TFontInfo link;
  link.Assign(Style.TextStyles[0]);
  link.Color = clBlue;
  link.Style.Include(fsUnderline);
  link.Jump = true;
  RV.AddNLTag(u"t", Style.FindTextStyle(link), 0, u"http://t");
  RV.Format();
  RV.SelectAll();
  RV.CopyDef();
  ASSERT_TRUE(Clipboard.HasFormat(CFRV_RVF));
  ASSERT_TRUE(Clipboard.HasFormat(CFRV_RTF));
  ASSERT_TRUE(Clipboard.HasFormat(CFRV_HTML));
  RV.SetSelectionBounds(0, 2, 0, 2);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p @http://t'tt'", ImportDump(Data())) << "one link, its style found again";

  // Another program's block of this format with links that would run code: their text
  // comes in as no link, in the link's look; every other link stays.
  RV.Clear();
  RV.AddNLTag(u"j", Style.FindTextStyle(link), 0, u" JavaScript:alert(1)");
  RV.AddNLTag(u"d", Style.FindTextStyle(link), -1, u"data:text/html,<script>x</script>");
  RV.AddNLTag(u"m", Style.FindTextStyle(link), -1, u"mailto:a@b.example");
  RV.Format();
  RV.SelectAll();
  RV.CopyDef();
  RV.Clear();
  RV.AddNL(u"", 0, 0);
  RV.Format();
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p u'jd' @mailto:a@b.example'm'", ImportDump(Data()));
}

TEST_F(PasteTest, PastedStylesAreAddedOnlyWhereTheSheetLacksThem) {
  const int fonts = Style.TextStyles.Count(), paras = Style.ParaStyles.Count();
  HtmlBlock = "<b>b</b><h2>h</h2><ul><li>l</li></ul>";
  Offer(false, true, false);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p 'x' b'b' |h2 b'h' |li '\xE2\x80\xA2 l'", ImportDump(Data()));
  // bold; the heading's bold and larger text; the list's plain text is style 0 itself.
  EXPECT_EQ(fonts + 2, Style.TextStyles.Count()) << DumpFonts(Style.TextStyles);
  EXPECT_EQ(paras + 2, Style.ParaStyles.Count()) << DumpParas(Style.ParaStyles);
  Offer(false, true, false);
  ASSERT_TRUE(RV.PasteDef());
  EXPECT_EQ(fonts + 2, Style.TextStyles.Count());
  EXPECT_EQ(paras + 2, Style.ParaStyles.Count());
}

} // namespace
} // namespace richtext::test
