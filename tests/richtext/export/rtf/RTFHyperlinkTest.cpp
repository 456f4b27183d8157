// Hyperlink fields: the target from the tag, percent-encoding, local targets, the hint switch,
// the owner's handler, and links without a target.
#include "tests/richtext/export/rtf/RTFWriterFixture.h"

#include "richtext/export/RVRTFWriter.h"

namespace richtext::test {
namespace {

using namespace std::string_literals;

TEST(RTFHyperlinkPiecesTest, PercentEncodingTouchesOnlyTheSixCharacters) {
  EXPECT_EQ(u"a%0Ab%0Dc%20d%22e%25f%2Bg#h?i=j&k/l\u00E9",
            RVPercentEncodeURL(u"a\nb\rc d\"e%f+g#h?i=j&k/l\u00E9"));
  EXPECT_EQ(u"%2520", RVPercentEncodeURL(u"%20"));
  EXPECT_EQ(u"", RVPercentEncodeURL(u""));
}

TEST(RTFHyperlinkPiecesTest, LocalTargets) {
  struct Case {
    std::u16string url, target, local;
  };
  for (const Case& c : {Case{u"page.htm#top", u"page.htm", u"top"}, Case{u"#top", u"", u"top"},
                        Case{u"a#b", u"a#b", u""}, Case{u"a#b.c#d", u"a#b.c", u"d"},
                        Case{u"http://x.org/p#s#t", u"http://x.org/p", u"s#t"},
                        Case{u"x.y", u"x.y", u""}, Case{u"#", u"#", u""}, Case{u"", u"", u""},
                        // An empty anchor, and "#" alone: the "#" was dropped from the
                        // written link (and with it a link to "#").
                        Case{u"https://x.org/p#", u"https://x.org/p#", u""}}) {
    std::u16string target = u"old", local = u"old";
    CalcLocalURL(c.url, target, local);
    EXPECT_EQ(c.target, target) << std::string(c.url.begin(), c.url.end());
    EXPECT_EQ(c.local, local) << std::string(c.url.begin(), c.url.end());
  }
}

TEST(RTFHyperlinkPiecesTest, FieldTextForms) {
  EXPECT_EQ("\"a\"", RVMakeRTFHyperlinkFieldText(u"a", u"", u"", 1252, true));
  EXPECT_EQ("\"f.htm\"  \\\\l \"top\"",
            RVMakeRTFHyperlinkFieldText(u"f.htm", u"top", u"", 1252, true));
  EXPECT_EQ(" \\\\l \"top\"", RVMakeRTFHyperlinkFieldText(u"", u"top", u"", 1252, true));
  EXPECT_EQ("\"a\" \\\\o \"it's\"",
            RVMakeRTFHyperlinkFieldText(u"a", u"", RVMakeHyperlinkExtras(u"it\"s"), 1252, true));
  // Extras alone make no field.
  EXPECT_EQ("", RVMakeRTFHyperlinkFieldText(u"", u"", u"\\o \"x\"", 1252, true));
  // Backslashes and quotes of a path are escaped for the field text.
  EXPECT_EQ("\"c:\\\\\\\\d\\\\\"q\"",
            RVMakeRTFHyperlinkFieldText(u"c:\\d\"q", u"", u"", 1252, true));
  // The fallback is always written in targets, announced when the header declares none.
  EXPECT_EQ("\"\\uc1\\u233 \\'e9\\uc0 \"",
            RVMakeRTFHyperlinkFieldText(u"\u00E9", u"", u"", 1252, false));
}

class RTFHyperlinkTest : public RTFWriterFixture {
protected:
  // The body of a one-link document.
  std::string LinkBody(const std::u16string& Title, const std::u16string& Tag) {
    RV.Clear();
    RV.AddNL(Title, LinkStyle(), -1, Tag);
    FormatAndSelectAll();
    return Body();
  }
  static std::string Expected(const std::string& FieldArgs, const std::string& Title) {
    const std::string run = "\\plain \\f0\\ul\\fs20\\cf1 " + Title;
    if (FieldArgs.empty())
      return "\r\n"s + std::string(Para0) + run + "\\par}";
    return "\r\n"s + std::string(Para0) + "{\\field{\\*\\fldinst HYPERLINK " + FieldArgs +
           "}{\\fldrslt " + run + "}}\\par}";
  }
};

TEST_F(RTFHyperlinkTest, TargetIsTheTagPercentEncodedUnlessTheControlSaysItAlreadyIs) {
  EXPECT_EQ(Expected("\"http://x.org/a%20b\"", "t"), LinkBody(u"t", u"http://x.org/a b"));
  EXPECT_EQ(Expected("\"http://x.org/a%2520b\"", "t"), LinkBody(u"t", u"http://x.org/a%20b"));
  RV.SetOptions(RV.GetOptions() | TRVOptions{rvoPercentEncodedURL});
  EXPECT_EQ(Expected("\"http://x.org/a%20b\"", "t"), LinkBody(u"t", u"http://x.org/a%20b"));
  EXPECT_EQ(Expected("\"http://x.org/a b\"", "t"), LinkBody(u"t", u"http://x.org/a b"));
}

TEST_F(RTFHyperlinkTest, EmptyTagGivesPlainTextInTheLinkStyle) {
  EXPECT_EQ(Expected("", "t"), LinkBody(u"t", u""));
}

TEST_F(RTFHyperlinkTest, LocalTargetsInTheField) {
  EXPECT_EQ(Expected("\"doc.htm\"  \\\\l \"part2\"", "t"), LinkBody(u"t", u"doc.htm#part2"));
  EXPECT_EQ(Expected(" \\\\l \"part2\"", "t"), LinkBody(u"t", u"#part2"));
  EXPECT_EQ(Expected("\"a#b\"", "t"), LinkBody(u"t", u"a#b"));
}

TEST_F(RTFHyperlinkTest, HintBecomesTheScreenTipSwitch) {
  RV.AddNL(u"t", LinkStyle(), -1, u"a");
  RV.RVData->GetItem(0)->Hint = u"say \"hi\"";
  FormatAndSelectAll();
  EXPECT_EQ(Expected("\"a\" \\\\o \"say 'hi'\"", "t"), Body());
}

TEST_F(RTFHyperlinkTest, TitleAndTargetOutsideASCII) {
  EXPECT_EQ(Expected("\"http://\\u20363 ?.cn/\"", "\\u20013 ?\\u25991 ?"),
            LinkBody(u"中文", u"http://例.cn/"));
  // A double-byte code page announces the longer fallback and restores the declared count.
  Style.DefCodePage = 936;
  RV.Clear();
  RV.AddNL(u"中", LinkStyle(), -1, u"a");
  FormatAndSelectAll();
  const std::string rtf = Save();
  EXPECT_NE(std::string::npos, rtf.find("\\ansicpg936\\uc1"));
  EXPECT_NE(std::string::npos, rtf.find("\\fs20\\cf1 \\uc2\\u20013 \\'d6\\'d0\\uc1 }}\\par}"))
      << rtf;
}

TEST_F(RTFHyperlinkTest, TextInAStyleThatIsNoJumpHasNoField) {
  RV.AddNL(u"t", 0, -1, u"http://x.org/");
  FormatAndSelectAll();
  EXPECT_EQ("\r\n"s + std::string(Para0) + "\\plain \\f0\\fs20 t\\par}", Body());
}

class TLinkRewritingView : public TRichView {
public:
  void WriteHyperlink(int id, TCustomRVData* RVData, int ItemNo, TRVSaveFormat SaveFormat,
                      std::u16string& Target, std::u16string& Extras) override {
    TRichView::WriteHyperlink(id, RVData, ItemNo, SaveFormat, Target, Extras);
    Ids.push_back(id);
    Target = u"https://example.org/?q=" + Target;
    Extras = u"\\t \"_blank\"";
  }
  std::vector<int> Ids;
};

TEST(RTFHyperlinkHandlerTest, OwnerSuppliesTargetAndExtras) {
  TRVStyle style;
  style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  TRVStateCanvas canvas{96, 96};
  TLinkRewritingView rv;
  rv.SetStyle(&style);
  rv.SetCanvas(&canvas);
  rv.SetClientSize(400, 400);
  rv.AddNL(u"a", rvsJump1, 0, u"x y");
  rv.AddNL(u"b", rvsJump2, -1, u"z");
  rv.Format();
  rv.SelectAll();
  TRVMemoryStream stream;
  ASSERT_TRUE(rv.SaveRTFToStream(stream, true));
  const std::string& rtf = stream.Bytes();
  EXPECT_NE(std::string::npos,
            rtf.find("{\\field{\\*\\fldinst HYPERLINK \"https://example.org/?q=x%20y\" "
                     "\\\\t \"_blank\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf4 a}}"))
      << rtf;
  EXPECT_NE(std::string::npos,
            rtf.find("{\\field{\\*\\fldinst HYPERLINK \"https://example.org/?q=z\" "
                     "\\\\t \"_blank\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf4 b}}"));
  EXPECT_EQ((std::vector<int>{0, 1}), rv.Ids);
}

} // namespace
} // namespace richtext::test
