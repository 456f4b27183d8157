// The editor answering mouse and keys, driven through the control's own calls on the
// fixed-metrics layout (Arial 10 pt: characters 7 wide from x 5, lines 13 tall from y 5).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/control/RVTextMap.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {
namespace {

// What the control asked of its window.
class TRecordingHost : public TRVControlHost {
public:
  int Invalidates = 0;
  int CaretMoves = 0;
  std::vector<TCursor> Cursors;
  std::vector<bool> ScrollTimers;
  std::vector<std::u16string> Links;
  void Invalidate() override { ++Invalidates; }
  void CaretMoved() override { ++CaretMoves; }
  void CursorChanged(TCursor Cursor) override { Cursors.push_back(Cursor); }
  void ScrollTimerChanged(bool Active) override { ScrollTimers.push_back(Active); }
  void OpenLink(const std::u16string& Target) override { Links.push_back(Target); }
};

class RichViewInputTest : public ::testing::Test {
protected:
  RichViewInputTest() {
    Style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    Edit.SetStyle(&Style);
    Edit.SetCanvas(&Canvas);
    Edit.SetClientSize(200, 60);
    Edit.SetHost(&Host);
    TFontInfo link;
    link.Assign(*Style.TextStyles.Items(0));
    link.Color = 0x00FF0000;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    LinkStyle = Style.FindTextStyle(link);
  }
  // "start-end" of the selection in item positions ("item:offs"), normalised.
  std::string Selection() {
    std::int32_t s, so, e, eo;
    Edit.GetSelectionBounds(s, so, e, eo, true);
    if (!Edit.RVData->SelectionExists(false, true))
      return "none";
    return std::to_string(s) + ":" + std::to_string(so) + "-" + std::to_string(e) + ":" +
           std::to_string(eo);
  }
  std::string Caret() {
    const TRVCaretPos p = Edit.GetCaretPos();
    return std::to_string(p.ItemNo) + ":" + std::to_string(p.Offs);
  }
  void Key(std::uint16_t Code, TShiftState Shift = {}) {
    std::uint16_t key = Code;
    Edit.KeyDown(key, Shift);
    EXPECT_EQ(0, key) << "key " << Code << " not consumed";
  }
  void Click(int X, int Y, TShiftState Shift = {}, int Clicks = 1) {
    Edit.MouseDown(mbLeft, Shift, X, Y, Clicks);
    Edit.MouseUp(mbLeft, Shift, X, Y);
  }

  TRVStyle Style;
  TRVStateCanvas Canvas{96, 96};
  TRichViewEdit Edit;
  TRecordingHost Host;
  int LinkStyle = 0;
};

TEST_F(RichViewInputTest, ClickPlacesTheCaretAndDragSelects) {
  Edit.AddNL(u"Hello world", 0, 0);
  Edit.Format();
  Click(5 + 2 * 7 + 1, 10); // just after "He"
  EXPECT_EQ("0:3", Caret());
  EXPECT_EQ("none", Selection());
  Edit.MouseDown(mbLeft, {}, 5 + 6 * 7, 10, 1);
  Edit.MouseMove({}, 5 + 11 * 7 + 3, 11);
  Edit.MouseUp(mbLeft, {}, 5 + 11 * 7 + 3, 11);
  EXPECT_EQ("0:7-0:12", Selection());
  EXPECT_EQ("0:12", Caret());
  // Shift+click moves the caret and keeps the anchor.
  Click(5, 10, {ssShift});
  EXPECT_EQ("0:1-0:7", Selection());
  EXPECT_EQ("0:1", Caret());
}

TEST_F(RichViewInputTest, DoubleClickSelectsAWordAndTripleClickAParagraph) {
  Edit.AddNL(u"one two", 0, 0);
  Edit.AddNL(u" three", 0, -1);
  Edit.AddNL(u"four", 0, 0);
  Edit.Format();
  // On the right half of the "o" that ends "two": still that word.
  Edit.MouseDown(mbLeft, {}, 5 + 6 * 7 + 5, 10, 1);
  Edit.MouseUp(mbLeft, {}, 5 + 6 * 7 + 5, 10);
  Edit.MouseDown(mbLeft, {}, 5 + 6 * 7 + 5, 10, 2);
  EXPECT_EQ("0:5-0:8", Selection());
  // Dragging on grows by whole words.
  Edit.MouseMove({}, 5 + 10 * 7 + 2, 10);
  EXPECT_EQ("0:5-1:7", Selection());
  Edit.MouseMove({}, 6, 10);
  EXPECT_EQ("0:1-0:8", Selection());
  Edit.MouseUp(mbLeft, {}, 6, 10);
  Click(20, 20, {}, 3);
  EXPECT_EQ("2:1-2:5", Selection());
  Click(20, 10, {}, 3);
  EXPECT_EQ("0:1-1:7", Selection());
}

TEST_F(RichViewInputTest, DraggingPastTheBottomEdgeScrollsOnWithATimer) {
  for (int i = 0; i < 20; ++i)
    Edit.AddNL(u"line " + std::u16string(1, char16_t(u'a' + i)), 0, 0);
  Edit.Format();
  ASSERT_TRUE(Edit.IsVScrollBarVisible());
  Edit.MouseDown(mbLeft, {}, 5, 10, 1);
  Edit.MouseMove({}, 30, 80); // below the 60-pixel area
  EXPECT_EQ(std::vector<bool>{true}, Host.ScrollTimers);
  const std::string before = Selection();
  Edit.ScrollTimerTick();
  Edit.ScrollTimerTick();
  EXPECT_GT(Edit.GetVScrollPos(), 0);
  EXPECT_NE(before, Selection());
  // The selection follows to the last visible line.
  const int lastVisibleY = Edit.GetVScrollPos() + Edit.GetAreaHeight() - 1;
  EXPECT_EQ((lastVisibleY - 5) / 13, Edit.GetCaretPos().ItemNo);
  Edit.MouseMove({}, 30, 30);
  Edit.MouseUp(mbLeft, {}, 30, 30);
  EXPECT_EQ((std::vector<bool>{true, false}), Host.ScrollTimers);
}

TEST_F(RichViewInputTest, KeysMoveAndShiftExtendsAndCtrlASelectsAll) {
  Edit.AddNL(u"ab cd", 0, 0);
  Edit.AddNL(u"efgh", 0, 0);
  Edit.Format();
  Edit.SetFocused(true);
  EXPECT_EQ("0:1", Caret()); // focus puts a caret at the start
  Key(VK_RIGHT);
  Key(VK_RIGHT, {ssShift});
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ("0:2-0:4", Selection());
  Key(VK_LEFT); // collapses to the start
  EXPECT_EQ("0:2", Caret());
  EXPECT_EQ("none", Selection());
  Key(VK_RIGHT, {ssCtrl});
  EXPECT_EQ("0:4", Caret());
  Key(VK_DOWN, {ssShift});
  EXPECT_EQ("0:4-1:4", Selection());
  Key(VK_END, {ssShift});
  EXPECT_EQ("0:4-1:5", Selection());
  Key(VK_HOME, {ssCtrl});
  EXPECT_EQ("0:1", Caret());
  Key(VK_END, {ssCtrl, ssShift});
  EXPECT_EQ("0:1-1:5", Selection());
  Key(VK_UP);
  EXPECT_EQ("0:5", Caret());
  Key(VK_NEXT);
  EXPECT_EQ("1:5", Caret());
  Key('A', {ssCtrl});
  EXPECT_EQ("0:1-1:5", Selection());
  // Keys the caret does not know are left to others.
  std::uint16_t key = 'B';
  Edit.KeyDown(key, {ssCtrl});
  EXPECT_EQ('B', key);
  key = VK_LEFT;
  Edit.KeyDown(key, {ssAlt});
  EXPECT_EQ(VK_LEFT, key);
}

TEST_F(RichViewInputTest, ArrowKeysGoTheWayTheyPointInARightToLeftParagraph) {
  // Hebrew "shalom olam": the paragraph reads right to left from its first letter.
  Edit.AddNL(u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD", 0, 0);
  Edit.Format();
  Edit.SetFocused(true);
  EXPECT_EQ("0:1", Caret());
  const int start = Edit.GetCaretRect().Left;
  Key(VK_LEFT); // on in reading order, so to the left
  EXPECT_EQ("0:2", Caret());
  EXPECT_LT(Edit.GetCaretRect().Left, start);
  Key(VK_LEFT, {ssCtrl});
  EXPECT_EQ("0:6", Caret());
  Key(VK_RIGHT);
  EXPECT_EQ("0:5", Caret());
  // A click right of the middle of the first letter (the rightmost one) is before it, and
  // typing there goes in before it.
  Click(194, 8);
  EXPECT_EQ("0:1", Caret());
  Edit.InsertText(u"Z");
  EXPECT_EQ(u"Z\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD", Edit.GetItemText(0));
}

TEST_F(RichViewInputTest, CaretIsShownOnlyWithFocusAndInTheBlinksOnPhase) {
  Edit.AddNL(u"abc", 0, 0);
  Edit.Format();
  Edit.SetCaretPos(TRVCaretPos{0, 2, false}, false);
  EXPECT_EQ((TRect{}), Edit.GetCaretRect());
  Edit.SetFocused(true);
  EXPECT_EQ((TRect{12, 5, 13, 18}), Edit.GetCaretRect());
  Edit.SetCaretBlinkOn(false);
  EXPECT_EQ((TRect{}), Edit.GetCaretRect());
  Edit.SetCaretBlinkOn(true);
  Edit.SetFocused(false);
  EXPECT_EQ((TRect{}), Edit.GetCaretRect());
  // A viewer has no caret at all.
  TRichView viewer;
  viewer.SetStyle(&Style);
  viewer.SetCanvas(&Canvas);
  viewer.AddNL(u"abc", 0, 0);
  viewer.Format();
  viewer.SetFocused(true);
  EXPECT_EQ((TRect{}), viewer.GetCaretRect());
}

TEST_F(RichViewInputTest, CaretFollowsSelectAllAndDeselectAndSurvivesClearing) {
  Edit.AddNL(u"abc", 0, 0);
  Edit.Format();
  Edit.SelectAll();
  EXPECT_EQ("0:4", Caret());
  EXPECT_EQ(0, Edit.GetAnchorPos().ItemNo);
  EXPECT_EQ(1, Edit.GetAnchorPos().Offs);
  Edit.Deselect();
  EXPECT_EQ("0:4", Caret());
  EXPECT_EQ(4, Edit.GetAnchorPos().Offs);
  Edit.ClearAll();
  Edit.AddNL(u"x", 0, 0);
  Edit.Format();
  Edit.SetFocused(true);
  Key(VK_LEFT);
  EXPECT_EQ("0:1", Caret()); // the old caret was clamped into the new document
}

// The caret is the end of the document's selection and nothing else: whoever moves one moves the
// other, the line side at a wrap included, and a resize keeps both on the same text.
TEST_F(RichViewInputTest, TheCaretIsTheDocumentsSelectionEnd) {
  Edit.AddNL(u"aaa bbb cccc", 0, 0);
  Edit.SetClientSize(5 + 7 * 5 + 5, 200); // "aaa " and "bbb " wrap, then "cccc"
  Edit.Format();
  ASSERT_EQ(3, Edit.RVData->DrawItems.Count());
  auto str = [](const TRVCaretPos& p) {
    return std::to_string(p.ItemNo) + ":" + std::to_string(p.Offs) + (p.AtLineStart ? "^" : "");
  };
  // The control's move is the document's selection.
  Edit.SetCaretPos(TRVCaretPos{0, 2, false}, false);
  Edit.SetCaretPos(TRVCaretPos{0, 6, false}, true);
  EXPECT_EQ("0:6", str(Edit.RVData->GetSelEndPos()));
  EXPECT_EQ("0:2", str(Edit.RVData->GetSelStartPos()));
  EXPECT_EQ("0:2-0:6", Selection());
  // The document's own selection call is the control's caret, on the line it asked for.
  const int movesBefore = Host.CaretMoves;
  Edit.RVData->SetSelectionBoundsDown(0, 9, 0, 9);
  EXPECT_EQ("0:9^", str(Edit.GetCaretPos()));
  EXPECT_EQ("0:9^", str(Edit.GetAnchorPos()));
  EXPECT_GT(Host.CaretMoves, movesBefore);
  Edit.SetFocused(true);
  TRect r = Edit.GetCaretRect();
  EXPECT_EQ(5, r.Left); // at the start of the third line, not at the end of the second
  // A resize keeps the caret on the same character.
  Edit.SetClientSize(200, 200);
  Edit.Reformat();
  ASSERT_EQ(1, Edit.RVData->DrawItems.Count());
  EXPECT_EQ(9, Edit.GetCaretPos().Offs);
  r = Edit.GetCaretRect();
  EXPECT_EQ(5 + 8 * 7, r.Left);
  // The editor's caret reads the same place.
  EXPECT_EQ(9, Edit.GetEditCaretPos().Offs);
  // Without a selection the anchor is the caret, and Shift extends from there.
  Edit.Deselect();
  EXPECT_EQ("none", Selection());
  Key(VK_RIGHT, TShiftState{ssShift});
  EXPECT_EQ("0:9-0:10", Selection());
}

TEST_F(RichViewInputTest, KeepingTheCaretInViewScrolls) {
  for (int i = 0; i < 20; ++i)
    Edit.AddNL(u"line", 0, 0);
  Edit.Format();
  Edit.SetFocused(true);
  Key(VK_END, {ssCtrl});
  // The document's bottom (20 lines and both margins) at the area's bottom.
  EXPECT_EQ(5 + 20 * 13 + 5 - 60, Edit.GetVScrollPos());
  Key(VK_UP);
  EXPECT_EQ(5 + 20 * 13 + 5 - 60, Edit.GetVScrollPos()); // still in view: no scrolling
  Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(0, Edit.GetVScrollPos());
  Edit.MouseWheel(-1);
  EXPECT_EQ(Edit.WheelStep * 13, Edit.GetVScrollPos());
  Key(VK_RIGHT); // the caret's line went out of view above: it comes back
  EXPECT_EQ(0, Edit.GetVScrollPos());
  Edit.MouseWheel(-2);
  Edit.MouseWheel(100);
  EXPECT_EQ(0, Edit.GetVScrollPos());
}

TEST_F(RichViewInputTest, HyperlinkUnderThePointerHoversAndCtrlClickFollowsIt) {
  Edit.AddNL(u"see ", 0, 0);
  Edit.AddNL(u"here", LinkStyle, -1, u"example.com/x");
  Edit.Format();
  std::vector<std::int32_t> jumps;
  Edit.OnJump = [&](TCustomRichView*, std::int32_t id) { jumps.push_back(id); };
  Edit.MouseMove({}, 10, 10);
  EXPECT_EQ(-1, Edit.GetHoverItemNo());
  EXPECT_EQ(crIBeam, Edit.GetCurrentCursor());
  Edit.MouseMove({}, 5 + 5 * 7, 10);
  EXPECT_EQ(1, Edit.GetHoverItemNo());
  EXPECT_EQ(crJump, Edit.GetCurrentCursor());
  EXPECT_TRUE(Edit.RVData->State.Contains(rvstDrawHover));
  EXPECT_EQ(1, Edit.RVData->HoverItemNo);
  Edit.MouseLeave();
  EXPECT_EQ(-1, Edit.GetHoverItemNo());
  EXPECT_FALSE(Edit.RVData->State.Contains(rvstDrawHover));
  EXPECT_EQ((std::vector<TCursor>{crIBeam, crJump, crIBeam}), Host.Cursors);

  // A new document under a resting pointer: hovering starts afresh.
  Edit.MouseMove({}, 5 + 5 * 7, 10);
  Edit.ClearAll();
  EXPECT_FALSE(Edit.RVData->State.Contains(rvstDrawHover));
  Edit.AddNL(u"see ", 0, 0);
  Edit.AddNL(u"here", LinkStyle, -1, u"example.com/x");
  Edit.Format();
  Edit.MouseMove({}, 5 + 5 * 7, 11);
  EXPECT_TRUE(Edit.RVData->State.Contains(rvstDrawHover));
  EXPECT_EQ(1, Edit.RVData->HoverItemNo);

  // A plain click only places the caret.
  Click(5 + 5 * 7, 10);
  EXPECT_TRUE(Host.Links.empty());
  EXPECT_EQ("1:2", Caret());
  // Ctrl+click follows the link and leaves the caret.
  Click(5 + 6 * 7, 10, {ssCtrl});
  EXPECT_EQ(std::vector<std::u16string>{u"example.com/x"}, Host.Links);
  EXPECT_EQ(1u, jumps.size());
  EXPECT_EQ("1:2", Caret());
  // Pressed on the link and released elsewhere: nothing is followed.
  Edit.MouseDown(mbLeft, {ssCtrl}, 5 + 6 * 7, 10, 1);
  Edit.MouseUp(mbLeft, {ssCtrl}, 10, 10);
  EXPECT_EQ(1u, Host.Links.size());
}

TEST_F(RichViewInputTest, AReadOnlyEditorStillSelectsHoversAndFollowsLinks) {
  Edit.SetReadOnly(true);
  Edit.AddNL(u"see ", 0, 0);
  Edit.AddNL(u"here", LinkStyle, -1, u"example.com/x");
  Edit.Format();
  Edit.MouseMove({}, 5 + 5 * 7, 10);
  EXPECT_EQ(crJump, Edit.GetCurrentCursor());
  Click(5 + 6 * 7, 10, {ssCtrl});
  EXPECT_EQ(std::vector<std::u16string>{u"example.com/x"}, Host.Links);
  Key(VK_HOME);
  Key(VK_RIGHT, {ssShift});
  Key(VK_RIGHT, {ssShift});
  EXPECT_EQ("0:1-0:3", Selection());
  Edit.MouseDown(mbLeft, {}, 5 + 1 * 7, 10, 1);
  Edit.MouseMove({}, 5 + 6 * 7, 10);
  Edit.MouseUp(mbLeft, {}, 5 + 6 * 7, 10);
  EXPECT_EQ("0:2-1:3", Selection());
  EXPECT_EQ(u"ee he", Edit.GetSelTextW());
  Key('A', {ssCtrl});
  EXPECT_EQ("0:1-1:5", Selection());
  EXPECT_FALSE(Edit.InsertText(u"x"));
  EXPECT_FALSE(Edit.DeleteSelection());
  EXPECT_EQ(u"see here", Edit.GetSelTextW());
}

TEST_F(RichViewInputTest, TextMapLaysParagraphsOutWithLineFeedsAndMapsPositionsBothWays) {
  Edit.AddNL(u"ab", 0, 0);
  Edit.AddNL(u"cd", 0, 0);
  Edit.AddNL(u"ef", 0, -1);
  Edit.AddBreak();
  const TRVTextMap map(*Edit.RVData);
  EXPECT_EQ(u"ab\ncdef\n\uFFFC", map.Text());
  std::string out;
  for (int offset = 0; offset <= static_cast<int>(map.Text().size()); ++offset) {
    const TRVCaretPos p = map.PosOf(offset);
    out += std::to_string(p.ItemNo) + ":" + std::to_string(p.Offs) + "=" +
           std::to_string(map.OffsetOf(p)) + " ";
  }
  // Offsets 2 and 7 are the line feeds: the ends of "ab" and "ef". The end of "cd" and the
  // start of "ef" are one offset, 5, read back as the start of "ef". Every offset maps back to
  // itself.
  EXPECT_EQ("0:1=0 0:2=1 0:3=2 1:1=3 1:2=4 2:1=5 2:2=6 2:3=7 3:0=8 3:1=9 ", out);
  EXPECT_EQ(5, map.OffsetOf(TRVCaretPos{2, 1, false}));
  EXPECT_EQ(8, map.OffsetOf(TRVCaretPos{3, 0, false}));
  EXPECT_EQ(-1, map.OffsetOf(TRVCaretPos{}));
}

TEST_F(RichViewInputTest, CopyShortcutIsCtrlCOrCtrlInsertWithoutAlt) {
  EXPECT_TRUE(TCustomRichView::IsCopyShortcut('C', {ssCtrl}));
  EXPECT_TRUE(TCustomRichView::IsCopyShortcut(VK_INSERT, {ssCtrl}));
  EXPECT_TRUE(TCustomRichView::IsCopyShortcut('C', {ssCtrl, ssShift}));
  EXPECT_FALSE(TCustomRichView::IsCopyShortcut('C', {ssCtrl, ssAlt}));
  EXPECT_FALSE(TCustomRichView::IsCopyShortcut('C', {}));
  EXPECT_FALSE(TCustomRichView::IsCopyShortcut(VK_INSERT, {ssShift}));
  EXPECT_FALSE(TCustomRichView::IsCopyShortcut('V', {ssCtrl}));
}

} // namespace
} // namespace richtext::test
