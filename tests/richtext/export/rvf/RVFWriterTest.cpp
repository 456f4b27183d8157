// The RVF document writer: the records before the items, grouping of text lines, partial
// lines, tags and hints, checkpoints, both text read types and failure.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "richtext/export/RVFWriter.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyleStream.h"
#include "richtext/export/rvf/ExportFixture.h"
#include "richtext/export/rvf/RVFTestBytes.h"

namespace richtext::test {
namespace {

const std::string Version = Line("-8 1 3 2");
const std::string Resolution96 = Line("-9 1 0 0 0 0 13") + Line("96");

// The line with the style sheet's name, as the form names its sheet.
std::string NameLine(TRVStyle& Style) {
  Style.Name = u"RVStyle1";
  return Line("RVStyle1");
}

// An empty list style collection in the property stream: signature, version 1, object
// "TRVListInfos" with its collection "Items" holding nothing.
const std::string EmptyListStyles =
    std::string("RVPS\x01", 5) + "\x0CTRVListInfos" + "\x05Items" + std::string("\x07\x00\x00", 3);

std::string Hex(const std::string& Bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : Bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class RVFWriterTest : public ExportFixture {
protected:
  // The whole document (or the selection) as the main document of the control.
  std::string Save(bool SelectionOnly) {
    TRVMemoryStream stream;
    EXPECT_TRUE(SaveRVFToStream(Data(), stream, SelectionOnly, RV.GetColor(), RV.Background.get(),
                                       nullptr, true));
    return stream.Bytes();
  }
  // Items only: binary text lines, no style records.
  void PlainBinary() { RV.SetRVFOptions({rvfoSaveBinary}); }
};

TEST_F(RVFWriterTest, TheApplicationsHyperlinkDocument) {
  TFontInfo link;
  link.Assign(Style.TextStyles[0]);
  link.Color = 0x00FF0000;
  link.Style.Include(fsUnderline);
  link.Jump = true;
  const int linkNo = Style.FindTextStyle(link);
  ASSERT_EQ(6, linkNo);
  RV.SetRVFOptions({rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveBinary,
                    rvfoSaveTextStyles, rvfoSaveParaStyles, rvfoSaveDocProperties,
                    rvfoLoadDocProperties, rvfoSaveDocObjects, rvfoLoadDocObjects});
  RV.ClearAll();
  RV.AddNL(u"t", linkNo, -1, u"a");
  FormatAndSelectAll();
  const std::string name = NameLine(Style);
  const std::string textStyles = RVSaveFontInfosToBytes(Style.TextStyles);
  const std::string paraStyles = RVSaveParaInfosToBytes(Style.ParaStyles);

  const std::string expected =
      Version + Resolution96 +
      Line("-9 2 0 0 2 0 1") + name + Int32LE(static_cast<std::uint32_t>(textStyles.size())) +
      textStyles +
      Line("-9 2 0 0 2 0 2") + name + Int32LE(static_cast<std::uint32_t>(paraStyles.size())) +
      paraStyles +
      Line("-9 2 0 0 2 0 4") + name + Int32LE(27) + EmptyListStyles +
      Line("-9 0 0 0 0 0 7") +
      Line("6 1 0 8 0 \"a\"") + RawLine("t");
  EXPECT_EQ(expected, Save(true));

  // The text style block reads back into the sheet's seven styles, the link among them.
  TRVStyle readBack;
  RVLoadFontInfosFromBytes(textStyles, readBack.TextStyles);
  ASSERT_EQ(7, readBack.TextStyles.Count());
  EXPECT_EQ(0x00FF0000, readBack.TextStyles[6].Color);
  EXPECT_TRUE(readBack.TextStyles[6].Style.Contains(fsUnderline));
  EXPECT_TRUE(readBack.TextStyles[6].Jump);
}

TEST_F(RVFWriterTest, EqualParagraphsShareARecordAndEveryChangeStartsANewOne) {
  PlainBinary();
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 0, 0);
  RV.AddNL(u"ef", 0, -1); // continues the line of cd
  RV.AddNL(u"gh", 1, 0);
  RV.AddNL(u"ij", 1, 0, u"t");
  RV.SetAddParagraphMode(false);
  RV.AddNL(u"kl", 1, 0, u"t"); // a line break inside the paragraph
  const std::string items = Line("0 2 0 8 0 0") + RawLine("ab") + RawLine("cd") +
                            Line("0 1 -1 9 0 0") + RawLine("ef") +
                            Line("1 1 0 8 0 0") + RawLine("gh") +
                            Line("1 1 0 8 0 \"t\"") + RawLine("ij") +
                            Line("1 1 0 12 0 \"t\"") + RawLine("kl");
  EXPECT_EQ(Version + Resolution96 + items, Save(false));
  FormatAndSelectAll();
  EXPECT_EQ(Version + Resolution96 + items, Save(true));
}

TEST_F(RVFWriterTest, PartlySelectedItemsWriteTheirSelectedPart) {
  PlainBinary();
  RV.AddNL(u"abcdef", 0, 0);
  RV.AddNL(u"gh", 0, 0);
  RV.AddNL(u"ij", 0, 0);
  // Inside one item.
  Select(0, 3, 0, 5);
  EXPECT_EQ(Version + Resolution96 + Line("0 1 -1 8 0 0") + RawLine("cd"), Save(true));
  // From inside the first item into the last: the first part continues the paragraph it came
  // from, the last part starts its own.
  Select(0, 3, 2, 2);
  EXPECT_EQ(Version + Resolution96 + Line("0 1 -1 8 0 0") + RawLine("cdef") +
                Line("0 1 0 8 0 0") + RawLine("gh") + Line("0 1 0 8 0 0") + RawLine("i"),
            Save(true));
}

TEST_F(RVFWriterTest, TagsAndHintsAreQuotedWithLineBreaksEncoded) {
  PlainBinary();
  RV.AddNL(u"x", 0, 0, u"say \"hi\"");
  RV.AddNL(u"y", 0, 0, u"a\r\nb");
  RV.AddNL(u"z", 0, 0, u"a\r\nb");
  RV.AddNL(u"w", 0, 0, u"a\r\nb");
  Data().GetItem(3)->Hint = u"h\"i\n";
  EXPECT_EQ(Version + Resolution96 + Line("0 1 0 8 0 \"say \"\"hi\"\"\"") + RawLine("x") +
                Line("0 2 0 8 0 \"a\x01\x02" "b\"") + RawLine("y") + RawLine("z") +
                Line("0 1 0 8 0 \"a\x01\x02" "b\" \"h\"\"i\x02\"") + RawLine("w"),
            Save(false));
}

TEST_F(RVFWriterTest, WithoutBinaryTextIsHexadecimalAndStylesAreOneHexLine) {
  RV.SetRVFOptions({rvfoSaveTextStyles});
  RV.AddNL(u"Hi", 0, 0);
  RV.AddNL(u"a", 0, 0);
  Data().Items().SetItem(1, std::u16string(u"a\0", 2));
  const std::string name = NameLine(Style);
  EXPECT_EQ(Version + Resolution96 + Line("-9 2 0 0 0 0 1") + name +
                Line(Hex(RVSaveFontInfosToBytes(Style.TextStyles))) + Line("0 2 0 8 3 0") +
                Line("48006900") + Line("61003F00"),
            Save(false));
  // Binary lines keep the zero unit as it is.
  PlainBinary();
  EXPECT_EQ(Version + Resolution96 + Line("0 2 0 8 0 0") + RawLine("Hi") + U16("a") +
                std::string(2, '\0') + ParaSep,
            Save(false));
}

TEST_F(RVFWriterTest, StyleNamesReplaceNumbersWhenAsked) {
  RV.SetRVFOptions({rvfoSaveBinary, rvfoUseStyleNames});
  Style.TextStyles[0].StyleName = u"Body \"x\"";
  Style.ParaStyles[0].StyleName = u"P";
  RV.AddNL(u"a", 0, 0);
  RV.AddNL(u"b", 0, -1);
  EXPECT_EQ(Version + Resolution96 + Line("\"Body \"\"x\"\"\" 1 \"P\" 8 0 0") + RawLine("a") +
                Line("\"Body \"\"x\"\"\" 1 -1 9 0 0") + RawLine("b"),
            Save(false));
}

TEST_F(RVFWriterTest, RecordsBeforeTheItems) {
  PlainBinary();
  RV.AddNL(u"a", 0, 0);
  // Twips and a fixed resolution.
  Style.Units = rvstuTwips;
  RichViewPixelsPerInch = 120;
  const std::string twips = Save(false);
  RichViewPixelsPerInch = 0;
  Style.Units = rvstuPixels;
  EXPECT_EQ(Version + Line("-9 1 0 0 0 0 9") + Line("1") + Line("-9 1 0 0 0 0 13") +
                Line("120") + Line("0 1 0 8 0 0") + RawLine("a"),
            twips);
  // Document properties, then the (empty) parameters.
  RV.SetRVFOptions({rvfoSaveBinary, rvfoSaveDocProperties});
  Data().GetRootProperties()->DocProperties = {u"a=b", u"c\nd"};
  EXPECT_EQ(Version + Resolution96 + Line("-9 2 0 0 0 0 5") + Line("a=b") + Line("c\x02" "d") +
                Line("-9 0 0 0 0 0 7") + Line("0 1 0 8 0 0") + RawLine("a"),
            Save(false));
  // A nested document writes none of them.
  TRVMemoryStream nested;
  EXPECT_TRUE(SaveRVFToStream(Data(), nested, false, clNone, nullptr, nullptr, false));
  EXPECT_EQ(Version + Line("0 1 0 8 0 0") + RawLine("a"), nested.Bytes());
}

TEST_F(RVFWriterTest, CheckpointsComeBeforeTheirItemsAndKeepThemOutOfGroups) {
  PlainBinary();
  RV.AddNL(u"ab", 0, 0);
  RV.AddCheckpoint(u"cp", false, {});
  RV.AddNL(u"cd", 0, 0);
  RV.AddNL(u"ef", 0, 0);
  RV.AddCheckpoint(u"end", true, u"t");
  const std::string items = Line("0 1 0 8 0 0") + RawLine("ab") + Line("-2 1 0 0 0 0 0 0") +
                            Line("cp") + Line("0 2 0 8 0 0") + RawLine("cd") + RawLine("ef");
  const std::string trailing = Line("-2 1 0 0 0 \"t\" 1 0") + Line("end");
  EXPECT_EQ(Version + Resolution96 + items + trailing, Save(false));
  // A selection that stops before the end leaves the trailing checkpoint out.
  Select(0, 1, 2, 2);
  EXPECT_EQ(Version + Resolution96 + Line("0 1 0 8 0 0") + RawLine("ab") +
                Line("-2 1 0 0 0 0 0 0") + Line("cp") + Line("0 1 0 8 0 0") + RawLine("cd") +
                Line("0 1 0 8 0 0") + RawLine("e"),
            Save(true));
}

TEST_F(RVFWriterTest, EmptyDocumentsAndEmptySelections) {
  PlainBinary();
  EXPECT_EQ("", Save(false));
  EXPECT_EQ("", Save(true));
  RV.AddNL(u"ab", 0, 0);
  RV.Format();
  // Items but nothing selected: the records before the items only.
  EXPECT_EQ(Version + Resolution96, Save(true));
}

TEST_F(RVFWriterTest, AFailingStreamMakesTheWriterAnswerFalse) {
  PlainBinary();
  RV.AddNL(u"ab", 0, 0);
  TFailingStream stream(Version.size());
  EXPECT_FALSE(SaveRVFToStream(Data(), stream, false, clNone, nullptr, nullptr, true));
  EXPECT_EQ(Version, stream.Bytes());
  EXPECT_FALSE(RV.SaveRVF(u"/nonexistent-folder/x.rvf", false));
}

TEST_F(RVFWriterTest, AFileGetsTheSameBytesAsAStream) {
  PlainBinary();
  RV.AddNL(u"ab", 0, 0);
  RV.AddNL(u"cd", 0, -1);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "quillon-rvf-writer-test.rvf";
  ASSERT_TRUE(RV.SaveRVF(path.u16string(), false));
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  std::filesystem::remove(path);
  EXPECT_EQ(Save(false), bytes);
}

TEST_F(RVFWriterTest, ProgressIsReportedForTheMainDocumentOnly) {
  PlainBinary();
  for (int i = 0; i < 4; ++i)
    RV.AddNL(u"ab", 0, 0);
  std::vector<std::string> stages;
  RV.OnProgress = [&](TCustomRichView*, TRVLongOperation Operation, TRVProgressStage Stage,
                      std::uint8_t Percent) {
    EXPECT_EQ(rvloRVFWrite, Operation);
    stages.push_back(std::to_string(static_cast<int>(Stage)) + ":" + std::to_string(Percent));
  };
  TRVMemoryStream stream;
  EXPECT_TRUE(RV.SaveRVFToStream(stream, false));
  EXPECT_EQ((std::vector<std::string>{"0:0", "1:25", "1:50", "1:75", "1:100", "2:100"}), stages);
  stages.clear();
  EXPECT_TRUE(SaveRVFToStream(Data(), stream, false, clNone, nullptr, nullptr, false));
  EXPECT_TRUE(stages.empty());
}

} // namespace
} // namespace richtext::test
