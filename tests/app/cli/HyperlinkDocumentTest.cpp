// The hyperlink document as the main window builds it, and the clipboard's RTF of it, under
// the fixed-metrics test graphics.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/HyperlinkDocument.h"
#include "tests/support/RVTestGraphics.h"

namespace quillon {
namespace {

using namespace richtext;
using namespace std::string_literals;

class HyperlinkDocumentTest : public ::testing::Test {
protected:
  HyperlinkDocumentTest() {
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<richtext::test::TRVTestGraphicInterface>());
  }
  std::string RTF() {
    bool ok = false;
    std::string rtf = HyperlinkClipboardRTF(Doc.RichViewEdit1, ok);
    EXPECT_TRUE(ok);
    return rtf;
  }

  TRVStateCanvas Canvas{96, 96};
  THyperlinkDocument Doc{&Canvas};
};

// The application's hyperlink for title t and address a, line by line: the header with the
// fallback count 1, the one font of the default sheet (default character set: no
// \fcharset) and its colours; an empty line for the missing extra code; then the paragraph
// of style 0 holding the HYPERLINK field around the run in the link style (font 0,
// underline, 10 points, the blue at colour index 1), and the final paragraph mark.
TEST_F(HyperlinkDocumentTest, ClipboardRTFOfTitleTAndAddressA) {
  Doc.Build(u"t", u"a");
  EXPECT_EQ("{\\rtf1\\fbidis\\ansi\\ansicpg1252\\uc1\\deff0\\deflang0\\deflangfe0"
            "{\\fonttbl{\\f0\\fnil Arial;}}"
            "{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
            "\\red0\\green128\\blue0;}\r\n"
            "\r\n"
            "\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 "
            "{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 t}}"
            "\\par}"s,
            RTF());
}

TEST_F(HyperlinkDocumentTest, HyperlinkStyleIsAddedOnceAndTheDocumentReplaced) {
  EXPECT_EQ(6, Doc.RVStyle1.TextStyles.Count());
  Doc.Build(u"first", u"http://one.example/");
  EXPECT_EQ(7, Doc.RVStyle1.TextStyles.Count());
  const TFontInfo& link = *Doc.RVStyle1.TextStyles.Items(6);
  EXPECT_EQ(u"Normal text", link.StyleName);
  EXPECT_EQ(HyperlinkColor, link.Color);
  EXPECT_TRUE(link.Style.Contains(fsUnderline));
  EXPECT_TRUE(link.Jump);
  Doc.Build(u"second", u"two");
  EXPECT_EQ(7, Doc.RVStyle1.TextStyles.Count());
  EXPECT_EQ("6 0 {U} \"second\" tag=\"two\"\n", Doc.RichViewEdit1.RVData->Items().Dump());
  EXPECT_EQ(u"second", HyperlinkClipboardText(Doc.RichViewEdit1));
  EXPECT_NE(std::string::npos,
            RTF().find("HYPERLINK \"two\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 second}}"));
}

TEST_F(HyperlinkDocumentTest, AddressIsTheTargetUnchangedByTheMarkdownRule) {
  Doc.Build(u"t", u"example.com/x");
  EXPECT_NE(std::string::npos, RTF().find("HYPERLINK \"example.com/x\"}"));
}

TEST_F(HyperlinkDocumentTest, EmptyTitleLeavesNothingToCopy) {
  Doc.Build(u"", u"a");
  EXPECT_FALSE(Doc.SelectionExists());
  EXPECT_EQ("", RTF());
  bool ok = false;
  EXPECT_EQ("", HyperlinkClipboardRVF(Doc.RichViewEdit1, ok));
  EXPECT_EQ(u"", HyperlinkClipboardText(Doc.RichViewEdit1));
}

TEST_F(HyperlinkDocumentTest, EditorConfiguration) {
  const TRichViewEdit& e = Doc.RichViewEdit1;
  EXPECT_EQ(&Doc.RVStyle1, e.GetStyle());
  EXPECT_EQ(u"RVStyle1", Doc.RVStyle1.Name);
  EXPECT_EQ("288 51 306 21", std::to_string(e.Left) + " " + std::to_string(e.Top) + " " +
                                 std::to_string(e.Width) + " " + std::to_string(e.Height));
  EXPECT_FALSE(e.GetReadOnly());
  EXPECT_EQ(rvpaCreateCopies, e.DoInPaletteMode);
  EXPECT_EQ((TRVFOptions{rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveBinary,
                         rvfoSaveTextStyles, rvfoSaveParaStyles, rvfoSaveDocProperties,
                         rvfoLoadDocProperties, rvfoSaveDocObjects, rvfoLoadDocObjects}),
            e.GetRVFOptions());
  EXPECT_EQ(TRVReaderStyleMode::rvrsAddIfNeeded, Doc.RTFReadProperties.TextStyleMode);
  EXPECT_EQ(TRVReaderStyleMode::rvrsAddIfNeeded, Doc.RTFReadProperties.ParagraphStyleMode);
  // The control's default RTF options (30): duplicate Unicode and the three picture options.
  EXPECT_EQ(30, e.GetRTFOptions().Value());
}

// Many links at once: one paragraph each, one HYPERLINK field per link, entries that are no
// links as plain text, and the selection's text one line per paragraph.
TEST_F(HyperlinkDocumentTest, ListDocumentHasOneParagraphAndOneFieldPerLink) {
  const std::vector<TStoredEntry> entries =
      ReadStoredEntries({u"[url=http://one.example/]One[/url]", u"not a link",
                         u"[Two](http://two.example/)", u"[url=http://bare.example/][/url]"});
  Doc.RichViewEdit1.Format(); // an earlier document must not leak into the list
  BuildHyperlinkListDocument(Doc.RichViewEdit1, Doc.RVStyle1, entries);
  EXPECT_EQ(7, Doc.RVStyle1.TextStyles.Count());
  EXPECT_EQ(u"One\r\nnot a link\r\nTwo\r\nhttp://bare.example/",
            HyperlinkClipboardText(Doc.RichViewEdit1));
  const std::string rtf = RTF();
  std::size_t fields = 0;
  for (std::size_t at = rtf.find("HYPERLINK"); at != std::string::npos;
       at = rtf.find("HYPERLINK", at + 1))
    ++fields;
  EXPECT_EQ(3u, fields) << rtf;
  EXPECT_NE(std::string::npos,
            rtf.find("{\\field{\\*\\fldinst HYPERLINK \"http://one.example/\"}{\\fldrslt "
                     "\\plain \\f0\\ul\\fs20\\cf1 One}}\r\n\\par"))
      << rtf;
  EXPECT_NE(std::string::npos, rtf.find("HYPERLINK \"http://two.example/\""));
  // The text entry is a paragraph of its own in the plain style, outside every field.
  const std::size_t text = rtf.find("not a link");
  ASSERT_NE(std::string::npos, text);
  EXPECT_EQ(std::string::npos, rtf.substr(text, 12).find('}'));
  EXPECT_NE(std::string::npos, rtf.rfind("\\par", text));
  std::size_t paragraphs = 0;
  for (std::size_t at = rtf.find("\\par"); at != std::string::npos; at = rtf.find("\\par", at + 1))
    if (rtf.compare(at, 5, "\\pard") != 0)
      ++paragraphs;
  EXPECT_EQ(4u, paragraphs) << rtf;
  bool ok = false;
  EXPECT_FALSE(HyperlinkClipboardRVF(Doc.RichViewEdit1, ok).empty());
  EXPECT_TRUE(ok);
}

} // namespace
} // namespace quillon
