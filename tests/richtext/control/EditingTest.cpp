// The editor's editing operations on documents measured with fixed metrics: typing, breaks,
// deleting by character and by word, joining, undo and redo, cut and paste, read-only.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "richtext/base/RVStream.h"
#include "richtext/base/RVUni.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/export/RVClipboard.h"
#include "richtext/export/RVStr.h"
#include "richtext/export/clipboard/RecordingClipboard.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {
namespace {

class EditingTest : public ::testing::Test {
protected:
  EditingTest() {
    RVRegisterClipboardFormats();
    Style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(400, 400);
    RV.SetRVFOptions({rvfoSaveBinary, rvfoSaveTextStyles, rvfoSaveParaStyles});
    // The application's hyperlink style: "Normal text", blue, underlined, a link.
    TFontInfo link;
    link.Assign(Style.TextStyles[0]);
    link.Color = clBlue;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    Link = Style.FindTextStyle(link);
    TParaInfo* indented = Style.ParaStyles.Add();
    indented->LeftIndent = 20;
    indented->SetSpaceBefore(7);
    indented->SetSpaceAfter(5);
  }

  // The layout as drawn, with the numbers that formatting keeps beside it.
  std::string Layout() {
    TRVEditRVData& d = *RV.GetEditData();
    std::string out = d.DrawItems.Dump(&d.Items()) + "height " + std::to_string(d.DocumentHeight) +
                      " jumps " + std::to_string(d.nJmps) + "\n";
    for (std::int32_t i = 0; i < d.ItemCount(); ++i)
      out += "item " + std::to_string(i) + " first " + std::to_string(d.GetItem(i)->DrawItemNo) +
             " jump " + std::to_string(d.GetItem(i)->JumpID) + "\n";
    return out;
  }

  // "0'ab' 6'cd'{tag}" per line; "|" starts a paragraph (with its style), "/" a line break.
  std::string Doc() {
    std::string out;
    TRVEditRVData& d = *RV.GetEditData();
    for (std::int32_t i = 0; i < d.ItemCount(); ++i) {
      const TCustomRVItemInfo* it = d.GetItem(i);
      if (!it->GetSameAsPrev())
        out += (i == 0 ? "" : " ") + std::string(it->GetBR() ? "/ " : "|p" + std::to_string(it->ParaNo) + " ");
      else
        out += " ";
      if (it->StyleNo == rvsBreak)
        out += "<hr>";
      else if (it->StyleNo == rvsTab)
        out += "<tab>";
      else
        out += std::to_string(it->StyleNo) + "'" + RVU_UnicodeToUtf8(it->ItemText) + "'";
      if (!it->Tag.empty())
        out += "{" + RVU_UnicodeToUtf8(it->Tag) + "}";
    }
    return out;
  }
  std::string Caret() {
    const TRVItemPos c = RV.GetEditCaretPos();
    return std::to_string(c.ItemNo) + ":" + std::to_string(c.Offs);
  }
  void Place(std::int32_t ItemNo, std::int32_t Offs) {
    RV.Format();
    RV.SetSelectionBounds(ItemNo, Offs, ItemNo, Offs);
  }
  // The left edge of a position as laid out.
  std::int32_t LeftOf(std::int32_t ItemNo, std::int32_t Offs) {
    TRect r{};
    EXPECT_TRUE(RV.GetItemPosRect({ItemNo, Offs}, r));
    return r.Left;
  }
  // The application's document: the title as a hyperlink.
  void Hyperlink(const std::u16string& Title) {
    RV.ClearAll();
    RV.AddNL(Title, Link, -1, u"http://x");
    RV.Format();
  }

  TRVStyle Style;
  TRVStateCanvas Canvas{96, 96};
  TRichViewEdit RV;
  int Link = 0;
};

TEST_F(EditingTest, TypingGoesInAtTheCaretAndReplacesTheSelection) {
  RV.AddNL(u"held", 1, 0);
  Place(0, 3);
  EXPECT_TRUE(RV.InsertText(u"XY"));
  EXPECT_EQ("|p0 1'heXYld'", Doc());
  EXPECT_EQ("0:5", Caret());
  RV.SetSelectionBounds(0, 2, 0, 6);
  RV.InsertText(u"-");
  EXPECT_EQ("|p0 1'h-d'", Doc());
  EXPECT_EQ("0:3", Caret());
}

TEST_F(EditingTest, TypingIntoAnEmptyDocumentMakesItsFirstItem) {
  RV.ClearAll();
  RV.Format();
  EXPECT_TRUE(RV.InsertText(u"a"));
  EXPECT_EQ("|p0 0'a'", Doc());
}

TEST_F(EditingTest, TypingInsideAHyperlinkExtendsItButNotAtItsEnds) {
  Hyperlink(u"title");
  Place(0, 3);
  RV.InsertText(u"X");
  EXPECT_EQ("|p0 6'tiXtle'{http://x}", Doc());
  Place(0, 7);
  RV.InsertText(u" after");
  EXPECT_EQ("|p0 6'tiXtle'{http://x} 0' after'", Doc());
  Place(0, 1);
  RV.InsertText(u"before ");
  EXPECT_EQ("|p0 0'before ' 6'tiXtle'{http://x} 0' after'", Doc());
  EXPECT_EQ("0:8", Caret());
}

TEST_F(EditingTest, EnterSplitsTheParagraphInItsStyleAndShiftEnterBreaksTheLine) {
  RV.AddNL(u"abcd", 0, 1);
  Place(0, 3);
  RV.InsertParagraphBreak();
  EXPECT_EQ("|p1 0'ab' |p1 0'cd'", Doc());
  EXPECT_EQ("1:1", Caret());
  RV.InsertLineBreak();
  EXPECT_EQ("|p1 0'ab' |p1 0'' / 0'cd'", Doc());
  Place(3, 3);
  RV.InsertParagraphBreak();
  RV.InsertText(u"e");
  EXPECT_EQ("|p1 0'ab' |p1 0'' / 0'cd' |p1 0'e'", Doc());
}

TEST_F(EditingTest, EnterAtALinksEndStartsAParagraphOfPlainText) {
  Hyperlink(u"title");
  Place(0, 6);
  RV.InsertParagraphBreak();
  RV.InsertText(u"x");
  EXPECT_EQ("|p0 6'title'{http://x} |p0 0'x'", Doc());
}

TEST_F(EditingTest, BackspaceAndDeleteTakeWholeCharacters) {
  RV.AddNL(u"a\U0001F600e\u0301z", 0, 0);
  Place(0, 6); // after the e with its combining accent
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'a\U0001F600z'", Doc());
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'az'", Doc());
  RV.DeleteForward();
  EXPECT_EQ("|p0 0'a'", Doc());
  EXPECT_FALSE(RV.DeleteForward());
}

TEST_F(EditingTest, BackspaceAndDeleteStepOverAHiddenSoftHyphenAsTheArrowKeysDo) {
  // "ab-cd" with the hyphen not drawn: the caret before and after it stands at one place, so
  // one key takes the hyphen together with the character beside it and the text changes.
  RV.AddNL(u"ab\u00ADcd", 0, 0);
  Place(0, 4); // after the soft hyphen
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'acd'", Doc());
  EXPECT_EQ("0:2", Caret());
  RV.ClearAll();
  RV.AddNL(u"ab\u00ADcd", 0, 0);
  Place(0, 2); // before "b"
  RV.DeleteForward();
  EXPECT_EQ("|p0 0'acd'", Doc());
  // The keys take exactly what the Right key steps over, stop by stop.
  RV.ClearAll();
  RV.AddNL(u"x\u00ADy\u00AD\u00ADz", 0, 0);
  Place(0, 1);
  RV.DeleteForward();
  EXPECT_EQ("|p0 0'y\u00AD\u00ADz'", Doc());
  RV.DeleteForward();
  EXPECT_EQ("|p0 0'z'", Doc());
  // Shown as a mark, the soft hyphen is a character of its own again.
  TRVOptions options = RV.GetOptions();
  options.Include(rvoShowSpecialCharacters);
  RV.SetOptions(options);
  RV.ClearAll();
  RV.AddNL(u"ab\u00ADcd", 0, 0);
  Place(0, 4);
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'abcd'", Doc());
}

TEST_F(EditingTest, ControlBackspaceAndDeleteTakeWords) {
  RV.AddNL(u"one two  three", 0, 0);
  Place(0, 10); // after "two  "
  RV.DeleteBackward(true);
  EXPECT_EQ("|p0 0'one three'", Doc());
  RV.DeleteForward(true);
  EXPECT_EQ("|p0 0'one '", Doc());
}

TEST_F(EditingTest, DeletingAcrossParagraphsJoinsThemInTheFirstOnesStyle) {
  RV.AddNL(u"first", 0, 0);
  RV.AddNL(u"link", Link, -1, u"http://x");
  RV.AddNL(u"second", 1, 1);
  RV.AddNL(u"third", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 3, 2, 5);
  RV.DeleteSelection();
  EXPECT_EQ("|p0 0'fi' 1'nd' |p0 0'third'", Doc());
  EXPECT_EQ("0:3", Caret());
  Place(2, 1);
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'fi' 1'nd' 0'third'", Doc());
  RV.SetSelectionBounds(1, 1, 1, 3);
  RV.DeleteSelection(); // "nd" is all gone, and so is its item; "fi" and "third" join
  EXPECT_EQ("|p0 0'fithird'", Doc());
  EXPECT_EQ("0:3", Caret());
}

TEST_F(EditingTest, BackspaceAtAParagraphStartJoinsAndAfterALineRemovesIt) {
  RV.AddNL(u"a", 0, 0);
  RV.AddBreak();
  RV.AddNL(u"b", 0, 1);
  RV.AddNL(u"c", 0, 0);
  Place(2, 1);
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'a' |p1 0'b' |p0 0'c'", Doc());
  Place(2, 1);
  RV.DeleteBackward();
  EXPECT_EQ("|p0 0'a' |p1 0'bc'", Doc());
  Place(0, 2);
  RV.DeleteForward();
  EXPECT_EQ("|p0 0'abc'", Doc());
}

TEST_F(EditingTest, AnEmptiedHyperlinkTurnsIntoPlainText) {
  Hyperlink(u"title");
  RV.SelectAll();
  RV.DeleteSelection();
  EXPECT_EQ("|p0 0''", Doc());
  RV.InsertText(u"plain");
  EXPECT_EQ("|p0 0'plain'", Doc());
  RV.Undo();
  RV.Undo();
  EXPECT_EQ("|p0 6'title'{http://x}", Doc());
}

TEST_F(EditingTest, DeletingEverythingLeavesOneEmptyLine) {
  RV.AddNL(u"a", 0, 0);
  RV.AddNL(u"b", 1, 0);
  RV.Format();
  RV.SelectAll();
  RV.DeleteSelection();
  EXPECT_EQ("|p0 0''", Doc());
  RV.InsertText(u"z");
  EXPECT_EQ("|p0 0'z'", Doc());
}

TEST_F(EditingTest, TypingUndoesWordByWordAndRedoes) {
  Hyperlink(u"T");
  Place(0, 2);
  for (char16_t c : std::u16string(u" one two"))
    RV.InsertText(std::u16string(1, c));
  EXPECT_EQ("|p0 6'T'{http://x} 0' one two'", Doc());
  EXPECT_TRUE(RV.Undo());
  EXPECT_EQ("|p0 6'T'{http://x} 0' one'", Doc()); // a word and the spaces before it are one step
  EXPECT_TRUE(RV.Undo());
  EXPECT_EQ("|p0 6'T'{http://x}", Doc());
  EXPECT_FALSE(RV.CanUndo());
  EXPECT_TRUE(RV.Redo());
  EXPECT_TRUE(RV.Redo());
  EXPECT_EQ("|p0 6'T'{http://x} 0' one two'", Doc());
  EXPECT_EQ("1:9", Caret());
  EXPECT_FALSE(RV.Redo());
}

TEST_F(EditingTest, ACompositionIsLaidOutAtTheCaretButStaysOutOfTheHistory) {
  RV.AddNL(u"abc def", 0, 0);
  Place(0, 4);
  const std::int32_t d = LeftOf(0, 5);
  ASSERT_TRUE(RV.SetComposition(u"xy", 1));
  EXPECT_EQ("|p0 0'abcxy def'", Doc());
  EXPECT_EQ(u"xy", RV.GetCompositionText());
  EXPECT_EQ("0:5", Caret()); // one character into the composition
  EXPECT_EQ(d + LeftOf(0, 6) - LeftOf(0, 4), LeftOf(0, 7)); // "def" moved aside by "xy"
  EXPECT_FALSE(RV.CanUndo());
  const std::string partial = Layout();
  RV.Format();
  EXPECT_EQ(partial, Layout());

  ASSERT_TRUE(RV.SetComposition(u"xyz\n", 9)); // a new preedit replaces the old; no breaks
  EXPECT_EQ("|p0 0'abcxyz def'", Doc());
  EXPECT_EQ("0:7", Caret());
  TRVItemPos from, to;
  ASSERT_TRUE(RV.GetCompositionRange(from, to));
  EXPECT_EQ((TRVItemPos{0, 4}), from);
  EXPECT_EQ((TRVItemPos{0, 7}), to);
  EXPECT_TRUE(RV.SetComposition(u"", 0)); // cancelled
  EXPECT_EQ("|p0 0'abc def'", Doc());
  EXPECT_EQ("0:4", Caret());
  EXPECT_EQ(d, LeftOf(0, 5));
  EXPECT_FALSE(RV.HasComposition());
  EXPECT_FALSE(RV.GetCompositionRange(from, to));
  EXPECT_FALSE(RV.CanUndo());
  EXPECT_FALSE(RV.SetComposition(u"", 0)); // nothing to end
}

TEST_F(EditingTest, ACommitIsOneStepAndEveryEditTakesTheCompositionOutFirst) {
  Hyperlink(u"T");
  Place(0, 2);
  ASSERT_TRUE(RV.SetComposition(u"zh", 2));
  EXPECT_EQ("|p0 6'T'{http://x} 0'zh'", Doc()); // at the link's end: plain text
  ASSERT_TRUE(RV.CommitComposition(u"\u4E2D\u6587"));
  EXPECT_EQ("|p0 6'T'{http://x} 0'\xE4\xB8\xAD\xE6\x96\x87'", Doc());
  EXPECT_FALSE(RV.HasComposition());
  EXPECT_EQ("1:3", Caret());

  ASSERT_TRUE(RV.SetComposition(u"ni", 2));
  ASSERT_TRUE(RV.InsertParagraphBreak());
  EXPECT_EQ("|p0 6'T'{http://x} 0'\xE4\xB8\xAD\xE6\x96\x87' |p0 0''", Doc());
  ASSERT_TRUE(RV.SetComposition(u"ni", 2));
  ASSERT_TRUE(RV.Undo()); // undoes the break, not the composition
  EXPECT_EQ("|p0 6'T'{http://x} 0'\xE4\xB8\xAD\xE6\x96\x87'", Doc());
  ASSERT_TRUE(RV.Undo());
  EXPECT_EQ("|p0 6'T'{http://x}", Doc());
  ASSERT_TRUE(RV.SetComposition(u"ni", 2));
  RV.ClearAll(); // the label's click: a fresh document, no composition in it
  EXPECT_FALSE(RV.HasComposition());
  EXPECT_FALSE(RV.CanRedo());
}

TEST_F(EditingTest, ACommitReplacesTheRangeAroundTheCaretItNames) {
  RV.AddNL(u"abc def", 0, 0);
  Place(0, 4);
  ASSERT_TRUE(RV.SetComposition(u"q", 1));
  ASSERT_TRUE(RV.CommitComposition(u"X", -3, 3));
  EXPECT_EQ("|p0 0'X def'", Doc());
  EXPECT_EQ("0:2", Caret());
  ASSERT_TRUE(RV.CommitComposition(u"", 1, 2)); // deleting after the caret
  EXPECT_EQ("|p0 0'X f'", Doc());
  ASSERT_TRUE(RV.CommitComposition(u"!", -9, 0)); // clamped to the item: inserted at its start
  EXPECT_EQ("|p0 0'!X f'", Doc());
  EXPECT_FALSE(RV.CommitComposition(u"", 0, 0));
  ASSERT_TRUE(RV.Undo());
  ASSERT_TRUE(RV.Undo());
  ASSERT_TRUE(RV.Undo());
  EXPECT_EQ("|p0 0'abc def'", Doc());
  EXPECT_FALSE(RV.CanUndo());
}

TEST_F(EditingTest, ACompositionOverASelectionDeletesItAsAStepOfItsOwn) {
  RV.AddNL(u"abc def", 0, 0);
  RV.Format();
  RV.SetSelectionBounds(0, 2, 0, 5);
  ASSERT_TRUE(RV.SetComposition(u"k", 1));
  EXPECT_EQ("|p0 0'akdef'", Doc());
  ASSERT_TRUE(RV.Undo());
  EXPECT_EQ("|p0 0'abc def'", Doc());
  RV.SetReadOnly(true);
  EXPECT_FALSE(RV.SetComposition(u"k", 1));
  EXPECT_FALSE(RV.CommitComposition(u"k"));
  EXPECT_EQ("|p0 0'abc def'", Doc());
}

TEST_F(EditingTest, TheUndoLimitKeepsTheNewestActionsAndClearAllForgetsThem) {
  RV.UndoLimit = 2;
  RV.AddNL(u"x", 0, 0);
  Place(0, 2);
  RV.InsertParagraphBreak();
  RV.InsertParagraphBreak();
  RV.InsertParagraphBreak();
  EXPECT_TRUE(RV.Undo());
  EXPECT_TRUE(RV.Undo());
  EXPECT_FALSE(RV.Undo());
  EXPECT_EQ("|p0 0'x' |p0 0''", Doc());
  RV.UndoLimit = 0;
  RV.InsertText(u"q");
  EXPECT_FALSE(RV.CanUndo());
  RV.UndoLimit = -1;
  RV.InsertText(u"r");
  EXPECT_TRUE(RV.CanUndo());
  RV.ClearAll();
  EXPECT_FALSE(RV.CanUndo());
  EXPECT_FALSE(RV.CanRedo());
}

TEST_F(EditingTest, PastedRVFBringsItsStylesAndLinksAndUndoes) {
  TRVStyle other;
  other.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  TFontInfo* red = other.TextStyles.Add();
  red->Assign(other.TextStyles[0]);
  red->Color = clRed;
  red->StyleName = u"red";
  TRichViewEdit source;
  source.SetStyle(&other);
  source.SetCanvas(&Canvas);
  source.SetClientSize(300, 300);
  source.SetRVFOptions({rvfoSaveBinary, rvfoSaveTextStyles, rvfoSaveParaStyles});
  source.AddNL(u"red", 6, 0);
  source.AddNL(u"next", 0, 0);
  TRVMemoryStream rvf;
  ASSERT_TRUE(source.SaveRVFToStream(rvf, false));

  RV.AddNL(u"abcd", 0, 0);
  Place(0, 3);
  const int stylesBefore = Style.TextStyles.Count();
  EXPECT_TRUE(RV.PasteRVF(rvf.Bytes()));
  EXPECT_EQ(stylesBefore + 1, Style.TextStyles.Count());
  EXPECT_EQ(clRed, Style.TextStyles[stylesBefore].Color);
  EXPECT_EQ("|p0 0'ab' " + std::to_string(stylesBefore) + "'red' |p0 0'nextcd'", Doc());
  EXPECT_EQ("2:5", Caret());
  RV.Undo();
  EXPECT_EQ("|p0 0'abcd'", Doc());
  EXPECT_THROW(RV.PasteRVF("-8 1 3 2\r\n0 1 0 8 0 0\r\nbroken"), ERichViewError);
  EXPECT_EQ("|p0 0'abcd'", Doc());
}

TEST_F(EditingTest, CutAndPasteGoThroughTheClipboard) {
  TRecordingClipboard clipboard;
  TRVSystemClipboard* previous = RVSetSystemClipboard(&clipboard);
  Hyperlink(u"title");
  RV.AddNL(u" tail", 0, -1);
  RV.Format();
  RV.SetSelectionBounds(0, 1, 0, 6);
  EXPECT_TRUE(RV.CutDef());
  EXPECT_EQ("|p0 0' tail'", Doc());
  Place(0, 6);
  EXPECT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p0 0' tail' 6'title'{http://x}", Doc());
  clipboard.Clear();
  clipboard.SetData(CF_UNICODETEXT, std::string("p\0\r\0\n\0q\0\0\0", 10));
  EXPECT_TRUE(RV.PasteDef());
  EXPECT_EQ("|p0 0' tail' 6'title'{http://x} 0'p' |p0 0'q'", Doc());
  RV.Undo();
  RV.Undo();
  RV.Undo();
  EXPECT_EQ("|p0 6'title'{http://x} 0' tail'", Doc());
  RVSetSystemClipboard(previous);
}

TEST_F(EditingTest, ReadOnlyRefusesEditsButKeepsSelectionAndCopy) {
  TRecordingClipboard clipboard;
  TRVSystemClipboard* previous = RVSetSystemClipboard(&clipboard);
  Hyperlink(u"title");
  RV.SetReadOnly(true);
  RV.SelectAll();
  EXPECT_FALSE(RV.InsertText(u"x"));
  EXPECT_FALSE(RV.DeleteBackward());
  EXPECT_FALSE(RV.CutDef());
  EXPECT_FALSE(RV.InsertParagraphBreak());
  EXPECT_FALSE(RV.PasteText(u"y"));
  EXPECT_EQ("|p0 6'title'{http://x}", Doc());
  EXPECT_TRUE(RV.SelectionExists());
  EXPECT_TRUE(RV.CopyDef());
  EXPECT_TRUE(clipboard.HasFormat(CF_UNICODETEXT));
  RVSetSystemClipboard(previous);
}

TEST_F(EditingTest, AnEditFormatsOnlyTheParagraphsItTouchesAndMovesTheLinesBelow) {
  for (int i = 0; i < 6; ++i)
    RV.AddNL(u"paragraph " + std::u16string(1, static_cast<char16_t>(u'0' + i)), 0, 0);
  Place(3, 3);
  TRVEditRVData& d = *RV.GetEditData();
  const TRVDrawLineInfo* first = d.DrawItems[0];
  const TRVDrawLineInfo* last = d.DrawItems[5];
  const std::int32_t lastTop = last->Top;
  RV.InsertText(u"x");
  EXPECT_EQ(first, d.DrawItems[0]);
  EXPECT_EQ(last, d.DrawItems[5]);
  EXPECT_EQ(lastTop, last->Top);
  RV.InsertParagraphBreak();
  ASSERT_EQ(7, d.DrawItems.Count());
  EXPECT_EQ(first, d.DrawItems[0]);
  EXPECT_EQ(last, d.DrawItems[6]);
  EXPECT_EQ(lastTop + d.DrawItems[4]->Top - d.DrawItems[3]->Top, last->Top);
  EXPECT_EQ(6, last->ItemNo);
  EXPECT_EQ(6, d.GetItem(6)->DrawItemNo);
}

// Random actions, then undoing them all gives back the document, and redoing them all the
// edited one; after every action the layout, formatted again only where the action reached, is
// the layout a full formatting gives.
TEST_F(EditingTest, RandomEditsUndoAndRedoExactly) {
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    RV.ClearAll();
    RV.AddNL(u"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi", 0, 0);
    RV.AddNL(u"link", Link, -1, u"http://x");
    RV.AddNL(u"omicron pi rho sigma tau upsilon phi chi psi omega", 2, -1);
    RV.AddBreak();
    RV.AddNL(u"gamma", 1, 1);
    RV.AddNL(u"second link", Link, 0, u"http://y");
    RV.AddNL(u"tail of the document in a paragraph of its own", 0, 1);
    RV.Format();
    const std::string original = Doc();
    std::vector<std::string> states{original};
    for (int step = 0; step < 25; ++step) {
      const std::int32_t n = RV.ItemCount();
      const std::int32_t i = static_cast<std::int32_t>(rng() % n);
      TRVEditRVData& d = *RV.GetEditData();
      const std::int32_t offs = RVEditOffsBefore(d, i) +
                                static_cast<std::int32_t>(rng() % (RVEditOffsAfter(d, i) - RVEditOffsBefore(d, i) + 1));
      RV.SetSelectionBounds(i, offs, i, offs);
      if (rng() % 4 == 0) {
        const std::int32_t j = static_cast<std::int32_t>(rng() % n);
        RV.SetSelectionBounds(i, offs, j, RVEditOffsAfter(d, j));
      }
      bool changed = false;
      switch (rng() % 7) {
      case 0: changed = RV.InsertText(u"x y", false); break;
      case 1: changed = RV.InsertParagraphBreak(); break;
      case 2: changed = RV.InsertLineBreak(); break;
      case 3: changed = RV.DeleteBackward(rng() % 2 == 0); break;
      case 4: changed = RV.DeleteForward(rng() % 2 == 0); break;
      case 5: changed = RV.PasteText(u"p\r\nq\tr"); break;
      default: changed = RV.DeleteSelection(); break;
      }
      ASSERT_GT(RV.ItemCount(), 0);
      ASSERT_EQ(RV.ItemCount() - 1, d.LastItemFormatted) << "seed " << seed;
      const std::string partial = Layout();
      RV.Format();
      ASSERT_EQ(Layout(), partial) << "seed " << seed << " step " << step << " " << Doc();
      ASSERT_TRUE(d.GetItem(0)->ParaStart(false)) << Doc();
      for (std::int32_t k = 0; k < RV.ItemCount(); ++k) {
        const TCustomRVItemInfo* it = d.GetItem(k);
        ASSERT_FALSE(it->GetSameAsPrev() && it->GetBR()) << Doc();
        ASSERT_TRUE(Style.ParaStyles.IsValidIndex(it->ParaNo)) << Doc();
        // One paragraph, one paragraph style.
        if (k > 0 && !it->ParaStart(false)) {
          ASSERT_EQ(d.GetItem(k - 1)->ParaNo, it->ParaNo) << Doc();
        }
      }
      if (changed)
        states.push_back(Doc());
    }
    for (std::size_t k = states.size() - 1; k > 0; --k) {
      ASSERT_TRUE(RV.Undo()) << "seed " << seed;
      ASSERT_EQ(states[k - 1], Doc()) << "seed " << seed << " undo to state " << k - 1;
    }
    EXPECT_FALSE(RV.Undo());
    for (std::size_t k = 1; k < states.size(); ++k) {
      ASSERT_TRUE(RV.Redo()) << "seed " << seed;
      ASSERT_EQ(states[k], Doc()) << "seed " << seed << " redo to state " << k;
    }
  }
}

} // namespace
} // namespace richtext::test
