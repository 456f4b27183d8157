// Font and colour tables of an RTF save and the saving state around them.
#include <gtest/gtest.h>

#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

std::string Dump(const TRVRTFFontTable& t) {
  std::string out;
  for (int i = 0; i < t.Count(); ++i) {
    if (i)
      out += ", ";
    for (char16_t c : t.Items(i).FontName)
      out += c < 128 ? static_cast<char>(c) : '?';
    out += '/' + std::to_string(t.Items(i).Charset);
  }
  return out;
}

std::string Dump(const TRVColorList& l) {
  std::string out;
  char buf[16];
  for (int i = 0; i < l.Count(); ++i) {
    std::snprintf(buf, sizeof buf, "%s%08X", i ? " " : "", static_cast<unsigned>(l.Items(i)));
    out += buf;
  }
  return out;
}

std::string Ints(const std::vector<int>& v) {
  std::string out;
  for (int x : v)
    out += (out.empty() ? "" : " ") + std::to_string(x);
  return out;
}

TEST(RTFFontTable, AddUniqueFindsSameNameAndCharsetOnceAndKeepsOrder) {
  TRVRTFFontTable t;
  EXPECT_EQ(t.AddUnique(u"Arial", DEFAULT_CHARSET), 0);
  EXPECT_EQ(t.AddUnique(u"Times New Roman", DEFAULT_CHARSET), 1);
  EXPECT_EQ(t.AddUnique(u"ARIAL", DEFAULT_CHARSET), 0); // names compare lower-cased
  EXPECT_EQ(t.AddUnique(u"Arial", 204), 2);             // another charset is another font
  EXPECT_EQ(t.AddUnique(u"arial", 204), 2);
  EXPECT_EQ(t.AddUnique(u"Courier New", ANSI_CHARSET), 3);
  EXPECT_EQ(t.AddUnique(u"times new roman", DEFAULT_CHARSET), 1);
  // The first spelling stays in the table.
  EXPECT_EQ(Dump(t), "Arial/1, Times New Roman/1, Arial/204, Courier New/0");
  EXPECT_EQ(t.Find(u"COURIER NEW", ANSI_CHARSET), 3);
  EXPECT_EQ(t.Find(u"Courier New", DEFAULT_CHARSET), -1);
  // Case folding beyond ASCII: Cyrillic and Latin-1 capitals.
  EXPECT_EQ(t.AddUnique(u"\u0428\u0420\u0418\u0424\u0422 \u00C9", 204), 4);
  EXPECT_EQ(t.AddUnique(u"\u0448\u0440\u0438\u0444\u0442 \u00E9", 204), 4);
  EXPECT_EQ(t.Count(), 5);
}

TEST(RTFFontTable, OutOfRangeAndClear) {
  TRVRTFFontTable t;
  t.AddUnique(u"Arial", DEFAULT_CHARSET);
  try {
    t.Items(1);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(std::string(e.what()), "List index out of bounds (1)");
  }
  EXPECT_THROW(t.Items(-1), EListError);
  t.Clear();
  EXPECT_EQ(t.Count(), 0);
  EXPECT_EQ(t.AddUnique(u"Tahoma", DEFAULT_CHARSET), 0);
}

TEST(RTFColorList, WindowTextFirstThenEachColourOnce) {
  TRVColorList l;
  EXPECT_EQ(Dump(l), "FF000008");
  l.AddColor(clNone);
  l.AddColor(clBlue);
  l.AddColor(clWindowText);
  l.AddColor(clBlack); // black is a colour of its own, not the auto entry
  l.AddColor(clBlue);
  l.AddColor(clBtnFace);
  EXPECT_EQ(Dump(l), "FF000008 00FF0000 00000000 FF00000F");
  EXPECT_EQ(l.GetColorIndex(clWindowText), 0);
  EXPECT_EQ(l.GetColorIndex(clBlue), 1);
  EXPECT_EQ(l.GetColorIndex(clBtnFace), 3);
  EXPECT_EQ(l.GetColorIndex(clRed), -1);
  EXPECT_EQ(l.GetColorIndex(clNone), -1);
  EXPECT_THROW(l.Items(4), EListError);
  l.Clear();
  EXPECT_EQ(Dump(l), "FF000008");
}

TEST(RTFTables, HeaderTablesAsBytes) {
  TRVRTFTables t;
  t.AddFont(u"Arial", DEFAULT_CHARSET);
  t.AddFont(u"Times New Roman", 204);
  t.AddFont(u"{Odd}\\Name", ANSI_CHARSET);
  TRVMemoryStream fonts;
  t.SaveFontTableToStream(fonts, true);
  EXPECT_EQ(fonts.Bytes(), R"({\fonttbl{\f0\fnil Arial;}{\f1\fnil\fcharset204 Times New Roman;})"
                           R"({\f2\fnil\fcharset0 \{Odd\}\\Name;}})");

  // System colours are written as the system shows them now.
  RVSetSysColorProvider([](int index) { return RVRGB(1, 2, index); });
  t.AddColor(clBlue);
  t.AddColor(RVRGB(10, 20, 30));
  t.AddColor(clBtnFace);
  TRVMemoryStream colors;
  t.SaveColorTableToStream(colors);
  RVSetSysColorProvider({});
  EXPECT_EQ(colors.Bytes(),
            R"({\colortbl;\red0\green0\blue255;\red10\green20\blue30;\red1\green2\blue15;})");

  TRVRTFTables empty;
  TRVMemoryStream none;
  empty.SaveFontTableToStream(none, false);
  empty.SaveColorTableToStream(none);
  EXPECT_EQ(none.Bytes(), R"({\fonttbl}{\colortbl;})");
}

TEST(RTFTables, StyleSheetMapReadsMinusOneBeyondItsEnd) {
  TRVRTFTables t;
  t.AddStyleSheetMap(3);
  t.AddStyleSheetMap(-1);
  t.AddStyleSheetMap(7);
  EXPECT_EQ(t.GetStyleSheetMap(0), 3);
  EXPECT_EQ(t.GetStyleSheetMap(2), 7);
  EXPECT_EQ(t.GetStyleSheetMap(3), -1);
  EXPECT_EQ(t.GetStyleSheetMap(-1), -1);
  t.ClearStyleSheetMap();
  EXPECT_EQ(t.GetStyleSheetMap(0), -1);
}

// The application's sheet after its first hyperlink: the six default text styles plus a
// blue underlined jump copy of "Normal text".
class StyleSheetTables : public ::testing::Test {
protected:
  void SetUp() override {
    TFontInfo link;
    link.Assign(*sheet.TextStyles.Items(0));
    link.Color = clBlue;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    ASSERT_EQ(sheet.FindTextStyle(link), 6);
    data.CreateTablesAndLists();
  }
  TRVStyle sheet;
  TRVRTFSavingData data;
};

TEST_F(StyleSheetTables, DefaultSheetWithHyperlinkStyle) {
  RVAddStyleFontsToRTFTables(data, sheet);
  RVAddStyleColorsToRTFTables(*data.RTFTables, sheet);
  auto& t = static_cast<TRVRTFTables&>(*data.RTFTables);
  EXPECT_EQ(Dump(t.FontTable), "Arial/1");
  EXPECT_EQ(Ints(data.StyleToFont), "0 0 0 0 0 0 0");
  // Window text, then blue (Heading, also the link), navy, maroon, green (both jumps).
  EXPECT_EQ(Dump(t.ColorList), "FF000008 00FF0000 00800000 00000080 00008000");
  TRVMemoryStream header;
  t.SaveFontTableToStream(header, true);
  t.SaveColorTableToStream(header);
  EXPECT_EQ(header.Bytes(), R"({\fonttbl{\f0\fnil Arial;}})"
                            R"({\colortbl;\red0\green0\blue255;\red0\green0\blue128;)"
                            R"(\red128\green0\blue0;\red0\green128\blue0;})");
}

TEST_F(StyleSheetTables, EveryStyleColourInOrderAndBordersOnlyWithAStyle) {
  sheet.TextStyles.Clear();
  TFontInfo* a = sheet.TextStyles.Add();
  a->FontName = u"Tahoma";
  a->Color = RVRGB(1, 0, 0);
  a->BackColor = RVRGB(2, 0, 0);
  a->HoverColor = RVRGB(3, 0, 0);
  a->HoverBackColor = RVRGB(4, 0, 0);
  a->UnderlineColor = RVRGB(5, 0, 0);
  a->HoverUnderlineColor = RVRGB(6, 0, 0);
  TFontInfo* b = sheet.TextStyles.Add();
  b->FontName = u"Arial";
  b->Charset = 204;
  TFontInfo* c = sheet.TextStyles.Add();
  c->FontName = u"TAHOMA";
  c->Color = RVRGB(3, 0, 0);                                // already listed as a hover colour
  sheet.ParaStyles.Items(0)->Border.Color = RVRGB(7, 0, 0); // no border style: not listed
  sheet.ParaStyles.Items(0)->Background.Color = RVRGB(8, 0, 0);
  sheet.ParaStyles.Items(1)->Border.Style = rvbDouble;
  sheet.ParaStyles.Items(1)->Border.Color = RVRGB(9, 0, 0);
  sheet.ParaStyles.Items(1)->Background.Color = RVRGB(1, 0, 0);

  RVAddStyleFontsToRTFTables(data, sheet);
  RVAddStyleColorsToRTFTables(*data.RTFTables, sheet);
  auto& t = static_cast<TRVRTFTables&>(*data.RTFTables);
  EXPECT_EQ(Dump(t.FontTable), "Tahoma/1, Arial/204");
  EXPECT_EQ(Ints(data.StyleToFont), "0 1 0");
  EXPECT_EQ(Dump(t.ColorList),
            "FF000008 00000001 00000002 00000003 00000004 00000005 00000006 00000008 00000009");
}

TEST(RTFSavingData, TablesAndListsLiveForOneSave) {
  TRVRTFSavingData data;
  EXPECT_EQ(data.RTFTables, nullptr);
  EXPECT_FALSE(data.SavePageBreakBeforePara);
  TRVStyle sheet;
  // Filling without tables makes them, with the default colour table.
  RVAddStyleFontsToRTFTables(data, sheet);
  ASSERT_NE(data.RTFTables, nullptr);
  EXPECT_EQ(data.RTFTables->GetColorIndex(clWindowText), 0);
  EXPECT_EQ(Ints(data.StyleToFont), "0 0 0 0 0 0");
  data.ListOverrideOffsetsList1 = {1, 2};
  data.FreeTablesAndLists();
  EXPECT_EQ(data.RTFTables, nullptr);
  EXPECT_EQ(Ints(data.StyleToFont), "");
  EXPECT_EQ(Ints(data.ListOverrideOffsetsList1), "");
  data.CreateTablesAndLists();
  ASSERT_NE(data.RTFTables, nullptr);
  EXPECT_EQ(data.RTFTables->GetColorIndex(clBlue), -1);
}

} // namespace
} // namespace richtext
