// Every caret stop of a run stands on a glyph edge as the run is painted, and hit-testing at a
// painted edge finds the stop there: plain, justified and distributed lines, special characters
// shown, soft hyphens, tabs, wide and supplementary characters, text measured cluster by
// cluster as a shaping interface measures complex scripts, and justified lines right to left
// and of both directions.
#include <algorithm>
#include <string>
#include <vector>

#include "richtext/base/RVCharNav.h"
#include "richtext/document/RVItem.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"
#include "tests/richtext/layout/caret/CaretFixture.h"

namespace richtext::test {
namespace {

// The edges of the glyph clusters of every run drawn glyph by glyph, and the run's right end.
class TGlyphEdgeCanvas : public TRVStateCanvas {
public:
  TGlyphEdgeCanvas() : TRVStateCanvas(96, 96) {}
  void TextOutAdvances(int X, int /*Y*/, std::u16string_view Text,
                       std::span<const int> Advances) override {
    // Right to left the first cluster ends at the run's right end and x falls.
    const bool rightToLeft = (GetTextAlign() & TA_RTLREADING) != 0;
    std::vector<int> edges;
    int x = X;
    if (rightToLeft)
      for (int a : Advances)
        x += a;
    for (int i = 0, n = static_cast<int>(Text.size()); i < n;) {
      edges.push_back(x);
      const int next = RVU_NextCharIndex(Text, i);
      for (int k = i; k < next; ++k)
        x += rightToLeft ? -Advances[static_cast<std::size_t>(k)]
                         : Advances[static_cast<std::size_t>(k)];
      i = next;
    }
    edges.push_back(x);
    Runs.push_back(edges);
  }
  std::vector<std::vector<int>> Runs;
};

std::string Join(const std::vector<int>& Values) {
  std::string out;
  for (int v : Values)
    out += (out.empty() ? "" : " ") + std::to_string(v);
  return out;
}

class GlyphEdgeTest : public CaretFixture {
protected:
  int AddPara(TRVAlignment Alignment, TRVBiDiMode BiDiMode = rvbdUnspecified) {
    TParaInfo* p = Style.ParaStyles.Add();
    p->Alignment = Alignment;
    p->BiDiMode = BiDiMode;
    return p->GetIndex();
  }
  void AddTab(int ParaNo) {
    auto tab = std::make_unique<TRVTabItemInfo>(&Data());
    tab->ParaNo = ParaNo;
    tab->SetSameAsPrev(true);
    RV.AddItem(u"", std::move(tab));
  }
  void ShowSpecialCharacters() {
    TRVOptions options = RV.GetOptions();
    options.Include(rvoShowSpecialCharacters);
    RV.SetOptions(options);
  }

  // The x of every caret stop of text drawing item DItemNo, from its start to its end.
  std::vector<int> StopXs(std::int32_t DItemNo) {
    TRVCaretLayout l = Layout();
    const std::int32_t end = Data().GetOffsAfterDrawItem(DItemNo);
    std::vector<int> xs;
    std::int32_t o = Data().GetOffsBeforeDrawItem(DItemNo);
    while (true) {
      xs.push_back(l.XOf(TRVDrawPos{DItemNo, o}));
      const TRVDrawPos next = l.ToDraw(l.NextChar(l.FromDraw(TRVDrawPos{DItemNo, o})));
      if (next.DItemNo != DItemNo || next.DOffs <= o || next.DOffs >= end)
        break;
      o = next.DOffs;
    }
    xs.push_back(l.XOf(TRVDrawPos{DItemNo, end}));
    return xs;
  }

  // Paints the document and checks each text run's stops against its painted edges, and that a
  // click on each painted edge lands on a stop drawn there.
  void ExpectStopsOnGlyphEdges(const std::string& Case) {
    SCOPED_TRACE(Case + "\n" + Lines());
    RV.Format();
    RV.Deselect();
    TGlyphEdgeCanvas painted;
    Data().PaintTo(painted, TRect{});
    std::size_t run = 0;
    int checked = 0;
    for (std::int32_t i = 0; i < Data().DrawItems.Count(); ++i) {
      const TRVDrawLineInfo& d = *Data().DrawItems[i];
      if (Data().GetItem(d.ItemNo)->StyleNo < 0 || d.TextLength == 0)
        continue;
      ASSERT_LT(run, painted.Runs.size()) << "run " << i << " was not drawn glyph by glyph";
      const std::vector<int>& edges = painted.Runs[run++];
      EXPECT_EQ(Join(edges), Join(StopXs(i))) << "drawing item " << i;
      // A widened run's glyphs fill it, whichever its direction: the extra width went inside.
      if (d.GetSpaceCount() > 0) {
        EXPECT_EQ(d.Left + d.GetSpaceAtLeft(), *std::min_element(edges.begin(), edges.end()))
            << "drawing item " << i;
        EXPECT_EQ(d.Left + d.Width, *std::max_element(edges.begin(), edges.end()))
            << "drawing item " << i;
      }
      TRVCaretLayout l = Layout();
      for (int x : edges) {
        const TRVDrawPos hit = l.PosOnLine(l.LineFirst(i), x);
        EXPECT_EQ(x, l.XOf(hit)) << "click at " << x << " on the line of item " << i;
      }
      ++checked;
    }
    EXPECT_EQ(painted.Runs.size(), run);
    EXPECT_GT(checked, 0);
  }
};

TEST_F(GlyphEdgeTest, PlainWrappedAndMixedWidthRunsPutEveryStopOnAnEdge) {
  RV.SetClientSize(120, 400);
  RV.AddNL(u"The quick brown fox jumps over the lazy dog again", 0, 0);
  RV.AddNL(u"\u4E2D\u6587 \U0001F600 e\u0301x", 0, 0);
  ExpectStopsOnGlyphEdges("plain");
}

TEST_F(GlyphEdgeTest, JustifiedAndDistributedLinesPutEveryStopOnAnEdge) {
  RV.SetClientSize(120, 400);
  const int justified = AddPara(rvaJustify);
  RV.AddNL(u"aa bb cc dd ee ff gg hh ii jj kk", 0, justified);
  ExpectStopsOnGlyphEdges("justified");
  const int distributed = AddPara(rvaDistribute);
  RV.Clear();
  RV.AddNL(u"abcdefgh ijklmnop qrstuvwx yz", 0, distributed);
  ExpectStopsOnGlyphEdges("distributed");
  // Stretching after a tab only.
  RV.Clear();
  RV.AddNL(u"a", 0, justified);
  AddTab(justified);
  RV.AddNL(u"bb cc dd ee ff gg hh", 0, -1);
  ExpectStopsOnGlyphEdges("tab");
}

TEST_F(GlyphEdgeTest, JustifiedRightToLeftMixedAndDistributedLinesPutEveryStopOnAnEdge) {
  RV.SetClientSize(120, 400);
  const int rtl = AddPara(rvaJustify, rvbdRightToLeft);
  const int ltr = AddPara(rvaJustify, rvbdLeftToRight);
  // Hebrew words: each wrapped line is one right-to-left run whose spaces take the extra width.
  RV.AddNL(u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD \u05D0\u05D1 \u05D2\u05D3"
           u" \u05D4\u05D5\u05D6 \u05D7\u05D8 \u05D9\u05DB \u05DC\u05DE\u05E0",
           0, rtl);
  ExpectStopsOnGlyphEdges("Hebrew");
  // Arabic, measured cluster by cluster as a shaping interface measures joined letters.
  GI->NeedsShaping = u"\u0645\u0631\u062D\u0628\u0627\u0644\u0639";
  RV.Clear();
  RV.AddNL(u"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645 "
           u"\u0645\u0631 \u062D\u0628 \u0627\u0644 \u0639\u0627 \u0644\u0645 "
           u"\u0645\u0631\u062D",
           0, rtl);
  ExpectStopsOnGlyphEdges("Arabic");
  GI->NeedsShaping.clear();
  // Latin words inside a right-to-left paragraph and Hebrew words inside a left-to-right one:
  // the extra width goes to the spaces of the runs of both directions.
  RV.Clear();
  RV.AddNL(u"\u05E9\u05DC\u05D5\u05DD ab cd \u05E2\u05D5\u05DC\u05DD ef \u05D0\u05D1 "
           u"gh ij \u05D2\u05D3 kl",
           0, rtl);
  RV.AddNL(u"ab cd \u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ef gh \u05D0\u05D1 "
           u"\u05D2\u05D3 ij kl mn",
           0, ltr);
  ExpectStopsOnGlyphEdges("mixed");
  // The justified lines are as wide as the column: the widening took place.
  int widened = 0;
  for (std::int32_t i = 0; i < Data().DrawItems.Count(); ++i)
    widened += Data().DrawItems[i]->GetSpaceCount() > 0 ? 1 : 0;
  EXPECT_GT(widened, 2) << Lines();
  // A distributed right-to-left paragraph widens its letters the same way.
  RV.Clear();
  RV.AddNL(u"\u05E9\u05DC\u05D5\u05DD\u05E2\u05D5\u05DC\u05DD \u05D0\u05D1\u05D2\u05D3"
           u"\u05D4\u05D5 \u05D6\u05D7\u05D8\u05D9",
           0, AddPara(rvaDistribute, rvbdRightToLeft));
  ExpectStopsOnGlyphEdges("distributed Hebrew");
}

TEST_F(GlyphEdgeTest, SoftHyphensHiddenShownAndAtAWrapPutEveryStopOnAnEdge) {
  RV.SetClientSize(60, 400);
  RV.AddNL(u"ab\u00ADcd abc\u00ADdefghij", 0, 0);
  ExpectStopsOnGlyphEdges("hidden and wrapped");
  // Shown as a mark, a soft hyphen is drawn and is a stop like any character.
  ShowSpecialCharacters();
  ExpectStopsOnGlyphEdges("special characters shown");
}

TEST_F(GlyphEdgeTest, RunsMeasuredClusterByClusterPutEveryStopOnAnEdge) {
  // Devanagari: the interface gives no advances for the whole text, so each cluster is measured
  // on its own, as a shaping interface measures complex scripts.
  GI->NeedsShaping = u"\u0915\u093F\u0937";
  GI->Widths[u'\u093F'] = 3;
  RV.AddNL(u"\u0915\u093F\u0937 ab \u0915\u093F", 0, 0);
  ExpectStopsOnGlyphEdges("clusters");
}

} // namespace
} // namespace richtext::test
