// Reading RichView Format back: documents written and read give the same bytes again, every
// record the writer makes comes back with its fields, and a damaged stream changes nothing.
#include <memory>
#include <random>
#include <string>

#include "richtext/export/RVFReader.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/export/rvf/RVFTestBytes.h"
#include "richtext/style/StyleDump.h"

namespace richtext::test {
namespace {

const TRVFOptions WithStyles{rvfoSaveBinary, rvfoSaveTextStyles, rvfoSaveParaStyles,
                             rvfoSaveDocProperties};

// A second editor on a fresh default style sheet, which the stream is read into.
class RVFReaderTest : public ExportFixture {
protected:
  RVFReaderTest() {
    Style2.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    RV2.SetStyle(&Style2);
    RV2.SetCanvas(&Canvas);
    RV2.SetClientSize(400, 400);
  }

  static std::string Save(TRichViewEdit& Editor) {
    TRVMemoryStream stream;
    EXPECT_TRUE(Editor.SaveRVFToStream(stream, false));
    return stream.Bytes();
  }
  TRVEditRVData& Data2() { return *RV2.GetEditData(); }
  // Everything a failed read must leave alone.
  std::string State2() {
    return Data2().Items().Dump() + DumpFonts(Style2.TextStyles) + DumpParas(Style2.ParaStyles);
  }

  TRVStyle Style2;
  TRichViewEdit RV2;
};

// Random documents: text in several styles (some hyperlinks with tags), line breaks, tabs,
// horizontal lines, paragraphs in several paragraph styles, hints, checkpoints.
void BuildRandomDocument(std::mt19937& Rng, TRVStyle& Style, TRichViewEdit& RV) {
  for (int i = 0; i < 3; ++i) {
    TFontInfo* f = Style.TextStyles.Add();
    f->StyleName = u"Random " + std::u16string(1, static_cast<char16_t>(u'A' + i));
    f->SizeDouble = 16 + static_cast<int>(Rng() % 10);
    f->Color = static_cast<TColor>(Rng() & 0xFFFFFF);
    f->Jump = Rng() % 2 == 0;
    if (Rng() % 2 == 0)
      f->Style.Include(fsItalic);
  }
  for (int i = 0; i < 2; ++i) {
    TParaInfo* p = Style.ParaStyles.Add();
    p->LeftIndent = static_cast<int>(Rng() % 40);
    p->Alignment = static_cast<TRVAlignment>(Rng() % 3);
  }
  const std::u16string alphabet = u"ab cd,\u00E9\u4E2D\U0001F600\"=\\";
  const int textStyles = Style.TextStyles.Count(), paraStyles = Style.ParaStyles.Count();
  const int count = 1 + static_cast<int>(Rng() % 25);
  for (int i = 0; i < count; ++i) {
    const int para = Rng() % 3 == 0 ? static_cast<int>(Rng() % paraStyles) : -1;
    switch (Rng() % 8) {
    case 0:
      RV.AddBreak(static_cast<int>(Rng() % 4), static_cast<TRVBreakStyle>(Rng() % 5),
                  Rng() % 2 ? clNone : static_cast<TColor>(Rng() & 0xFFFFFF),
                  Rng() % 2 ? u"line" : u"");
      break;
    case 1: {
      auto tab = std::make_unique<TRVTabItemInfo>(RV.GetEditData());
      tab->ParaNo = para;
      tab->TextStyleNo = static_cast<int>(Rng() % textStyles);
      tab->Hidden = Rng() % 4 == 0;
      RV.AddItem(u"", std::move(tab));
      break;
    }
    default: {
      std::u16string text;
      for (int n = static_cast<int>(Rng() % 8); n > 0; --n) {
        const std::size_t at = Rng() % alphabet.size();
        text += alphabet[at];
        if (alphabet[at] >= 0xD800 && alphabet[at] < 0xDC00)
          text += alphabet[at + 1];
      }
      const int style = static_cast<int>(Rng() % textStyles);
      std::u16string tag;
      if (Style.TextStyles[style].Jump)
        tag = u"http://example.com/" + std::u16string(1, static_cast<char16_t>(u'a' + Rng() % 26));
      if (Rng() % 6 == 0)
        RV.GetEditData()->AddNamedCheckpointExTag(u"cp", Rng() % 2 == 0, u"t");
      RV.AddNL(text, style, para, tag);
      break;
    }
    }
    TCustomRVItemInfo* last = RV.GetEditData()->GetItem(RV.ItemCount() - 1);
    if (Rng() % 9 == 0)
      last->Hint = u"hint \"q\"\r\nx";
    // Some paragraph starts become line breaks inside the paragraph.
    if (RV.ItemCount() > 1 && !last->GetSameAsPrev() && last->StyleNo != rvsBreak &&
        Rng() % 3 == 0)
      last->SetBR(true);
  }
}

TEST_F(RVFReaderTest, RandomDocumentsWrittenReadAndWrittenAgainGiveTheSameBytes) {
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    std::mt19937 rng(seed);
    TRVStyle style;
    style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    TRichViewEdit source;
    source.SetStyle(&style);
    const TRVFOptions options = seed % 2 ? WithStyles : WithStyles - TRVFOptions{rvfoSaveBinary};
    source.SetRVFOptions(options);
    RV2.SetRVFOptions(options);
    BuildRandomDocument(rng, style, source);
    if (seed % 5 == 0)
      source.GetEditData()->GetRootProperties()->DocProperties = {u"Author=x", u"k\r\nv"};

    const std::string first = Save(source);
    ASSERT_NO_THROW(RVFLoadDocument(Data2(), first)) << "seed " << seed;
    EXPECT_EQ(source.GetEditData()->Items().Dump(), Data2().Items().Dump()) << "seed " << seed;
    EXPECT_EQ(first, Save(RV2)) << "seed " << seed;
  }
}

TEST_F(RVFReaderTest, EveryFieldOfTheRecordsComesBack) {
  RV.SetRVFOptions(WithStyles);
  RV.AddNL(u"one", 0, 0);
  RV.AddNL(u"two", 0, 0); // grouped with "one" into one record of two lines
  RV.AddNL(u"link", 4, -1, u"http://a \"b\"");
  RV.GetEditData()->AddNamedCheckpointExTag(u"anchor", true, u"cpTag");
  RV.AddNL(u"br", 1, 1);
  Data().GetItem(3)->SetBR(true);
  RV.AddBreak(3, rvbsDashed, clBlue, u"t");
  RV.GetEditData()->AddNamedCheckpointEx(u"end", false);
  RVFLoadDocument(Data2(), Save(RV));
  EXPECT_EQ(Data().Items().Dump(), Data2().Items().Dump());
  ASSERT_EQ(5, RV2.ItemCount());
  EXPECT_EQ(u"http://a \"b\"", Data2().GetItemTag(2));
  ASSERT_NE(nullptr, Data2().GetItem(3)->Checkpoint);
  EXPECT_EQ(u"anchor", Data2().GetItem(3)->Checkpoint->Name);
  EXPECT_TRUE(Data2().GetItem(3)->Checkpoint->RaiseEvent);
  EXPECT_EQ(u"cpTag", Data2().GetItem(3)->Checkpoint->Tag);
  TRVBreakStyle lineStyle{};
  TColor color = 0;
  std::int32_t width = 0;
  TRVTag tag;
  Data2().GetBreakInfo(4, width, lineStyle, color, tag);
  EXPECT_EQ(3, width);
  EXPECT_EQ(rvbsDashed, lineStyle);
  EXPECT_EQ(clBlue, color);
  EXPECT_EQ(u"t", tag);
  ASSERT_NE(nullptr, Data2().NotAddedCP);
  EXPECT_EQ(u"end", Data2().NotAddedCP->Name);
}

TEST_F(RVFReaderTest, HexTextAndStyleNamesAreRead) {
  RV.SetRVFOptions({rvfoUseStyleNames});
  RV.AddNL(u"x\u4E2Dy", 1, 0);
  RV.AddNL(u"z", 3, -1);
  const std::string bytes = Save(RV);
  ASSERT_NE(std::string::npos, bytes.find("\"Heading\" 1 \"Paragraph Style\" 8 3 0\r\n78002D4E7900"));
  RV2.SetRVFOptions({rvfoUseStyleNames});
  RVFLoadDocument(Data2(), bytes);
  EXPECT_EQ(Data().Items().Dump(), Data2().Items().Dump());
  EXPECT_EQ(bytes, Save(RV2));
}

TEST_F(RVFReaderTest, StylesTheSheetLacksAreAddedOnceWhenItemsAreReadForInsertion) {
  RV.SetRVFOptions(WithStyles);
  TFontInfo* link = Style.TextStyles.Add();
  link->Assign(Style.TextStyles[0]);
  link->Color = clBlue;
  link->Jump = true;
  RV.AddNL(u"plain", 0, 0);
  RV.AddNL(u"link", 6, -1, u"http://x");
  const std::string bytes = Save(RV);

  ASSERT_EQ(6, Style2.TextStyles.Count());
  auto items = RVFReadItemsForInsertion(Data2(), bytes);
  ASSERT_EQ(2u, items.size());
  EXPECT_EQ(7, Style2.TextStyles.Count());
  EXPECT_EQ(0, items[0]->StyleNo);
  EXPECT_EQ(6, items[1]->StyleNo);
  EXPECT_TRUE(Style2.TextStyles[6].Jump);
  EXPECT_EQ(u"link", items[1]->ItemText);
  // A second paste finds the style it added the first time.
  items = RVFReadItemsForInsertion(Data2(), bytes);
  EXPECT_EQ(7, Style2.TextStyles.Count());
  EXPECT_EQ(6, items[1]->StyleNo);
}

TEST_F(RVFReaderTest, ADamagedStreamRaisesAndLeavesDocumentAndStylesAlone) {
  RV.SetRVFOptions(WithStyles);
  RV.AddNL(u"head", 2, 0);
  RV.AddNL(u"tail", 4, -1, u"http://x");
  RV.AddBreak(0, rvbsLine, clNone, {});
  Style.TextStyles.Add()->StyleName = u"extra";
  const std::string good = Save(RV);

  RV2.AddNL(u"kept", 0, 0);
  const std::string before = State2();
  int failures = 0;
  for (std::size_t cut = 1; cut < good.size(); ++cut) {
    try {
      RVFLoadDocument(Data2(), good.substr(0, cut));
      // Cuts between records are complete streams; put the document back for the next cut.
      Data2().Clear();
      Style2.ResetTextStyles();
      Style2.ResetParaStyles();
      RV2.AddNL(u"kept", 0, 0);
    } catch (const ERichViewError& e) {
      ++failures;
      EXPECT_EQ(0, std::string(e.what()).rfind("RVF reading error: ", 0)) << e.what();
      ASSERT_EQ(before, State2()) << "cut at " << cut;
    }
  }
  EXPECT_GT(failures, static_cast<int>(good.size()) * 9 / 10);
}

TEST_F(RVFReaderTest, MalformedRecordsAreRefusedWithAReason) {
  const std::string version = Line("-8 1 3 2");
  const struct {
    std::string Bytes;
    std::string Reason;
  } cases[] = {
      {version + Line("99 1 0 8 0 0") + RawLine("a"), "text style 99 does not exist"},
      {version + Line("0 1 7 8 0 0") + RawLine("a"), "paragraph style 7 does not exist"},
      {version + Line("0 1 0 8 3 0") + Line("4G00"), "bad hexadecimal digit"},
      {version + Line("0 1 0 8 0 0") + U16("abc"), "truncated stream"},
      {version + Line("0 1 0 8 0 \"open") + RawLine("a"), "unterminated string"},
      {version + Line("-3 0 0 8 0 0"), "items of kind -3 cannot be read"},
      {version + Line("0 1 0 64 0 0") + RawLine("a"), "out of range"},
      {version + Line("0 2000000000 0 8 0 0") + RawLine("a"), "fewer lines than announced"},
      {version + Line("-9 2 0 0 2 0 1") + Line("s") + Int32LE(3) + "RVP", "damaged style"},
      {version + Line("0 x 0 8 0 0"), "is not a number"},
  };
  RV2.AddNL(u"kept", 0, 0);
  const std::string before = State2();
  for (const auto& c : cases) {
    try {
      RVFLoadDocument(Data2(), c.Bytes);
      ADD_FAILURE() << "accepted: " << c.Reason;
    } catch (const ERichViewError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find(c.Reason)) << e.what();
    }
    EXPECT_EQ(before, State2()) << c.Reason;
  }
}

TEST_F(RVFReaderTest, TextHoldingAParagraphSeparatorIsWrittenInHexadecimalAndReadsBack) {
  RV.SetRVFOptions({rvfoSaveBinary});
  RV.AddNL(u"a\u2029b", 0, 0);
  RV.AddNL(u"plain", 1, 0);
  const std::string bytes = Save(RV);
  EXPECT_NE(std::string::npos, bytes.find(Line("0 1 0 8 3 0") + Line("610029206200"))) << bytes;
  EXPECT_NE(std::string::npos, bytes.find(Line("1 1 0 8 0 0") + RawLine("plain")));
  RV2.SetRVFOptions({rvfoSaveBinary});
  RVFLoadDocument(Data2(), bytes);
  EXPECT_EQ(Data().Items().Dump(), Data2().Items().Dump());
}

TEST_F(RVFReaderTest, AnEmptyStreamIsAnEmptyDocument) {
  RV2.AddNL(u"gone", 0, 0);
  RVFLoadDocument(Data2(), "");
  EXPECT_EQ(0, RV2.ItemCount());
}

} // namespace
} // namespace richtext::test
