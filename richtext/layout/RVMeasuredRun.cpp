// The positions of a text run as drawn, made once per drawing item.
#include <algorithm>

#include "richtext/base/RVCharNav.h"
#include "richtext/document/RVItem.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/layout/RVMeasuredRun.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// Justification's extra width goes to the run's spaces, distribution's (the lines of a
// distributed paragraph) to the characters that start a cluster and have a width (the line's
// outermost ones excepted), each getting its share as the formatter widened the run.
void SpreadExtra(const TRVDrawLineInfo& d, bool Distributed, std::u16string_view Shown,
                 std::vector<int>& Adv) {
  if (d.GetSpaceCount() <= 0)
    return;
  std::int64_t natural = 0;
  for (int a : Adv)
    natural += a;
  const std::int64_t extra = d.Width - d.GetSpaceAtLeft() - natural;
  if (extra <= 0)
    return;
  std::vector<std::size_t> widened;
  const std::size_t leftFixed = static_cast<std::size_t>(d.GetLeftNoExpandIndex()) - 1;
  const std::size_t rightFixed = static_cast<std::size_t>(d.GetRightNoExpandIndex()) - 1;
  for (std::size_t i = 0; i < Shown.size(); ++i) {
    if (Distributed ? Adv[i] > 0 && i != leftFixed && i != rightFixed : Shown[i] == u' ')
      widened.push_back(i);
  }
  const auto m = static_cast<std::int64_t>(widened.size());
  for (std::int64_t j = 0; j < m; ++j)
    Adv[widened[static_cast<std::size_t>(j)]] +=
        static_cast<int>(extra * (j + 1) / m - extra * j / m);
}

bool LastOnLine(TCustomRVFormattedData& D, std::int32_t DItemNo) {
  return DItemNo + 1 >= D.DrawItems.Count() || D.DrawItems[DItemNo + 1]->FromNewLine;
}

std::u16string_view RunText(const std::u16string& Text, const TRVDrawLineInfo& d) {
  if (d.Offs < 1 || d.TextLength <= 0 || static_cast<std::size_t>(d.Offs - 1) >= Text.size())
    return {};
  return std::u16string_view(Text).substr(static_cast<std::size_t>(d.Offs - 1),
                                          static_cast<std::size_t>(d.TextLength));
}

} // namespace

int TRVMeasuredRun::XOfOffs(std::int32_t Offs) const {
  const auto last = static_cast<std::int32_t>(ShownIndex.size()) - 1;
  const std::int32_t i = std::clamp<std::int32_t>(Offs - 1, 0, last);
  return ShownX[static_cast<std::size_t>(ShownIndex[static_cast<std::size_t>(i)])];
}

std::int32_t TRVMeasuredRun::NextStop(std::int32_t Offs) const {
  const auto it = std::upper_bound(Stops.begin(), Stops.end(), Offs);
  return it == Stops.end() ? -1 : *it;
}

std::int32_t TRVMeasuredRun::PrevStop(std::int32_t Offs) const {
  const auto it = std::lower_bound(Stops.begin(), Stops.end(), Offs);
  return it == Stops.begin() ? -1 : *(it - 1);
}

std::int32_t TRVMeasuredRun::StopAtX(int X) const {
  // Right to left, x falls with the offset: the same search on the mirrored run.
  if (RightToLeft) {
    const int width = ShownX.front();
    const auto it = std::upper_bound(Stops.begin(), Stops.end(), width - X,
                                     [&](int x, std::int32_t o) { return x < width - XOfOffs(o); });
    if (it == Stops.begin())
      return Stops.front();
    if (it == Stops.end())
      return Stops.back();
    const std::int32_t lo = *(it - 1), hi = *it;
    return X - XOfOffs(hi) < XOfOffs(lo) - X ? hi : lo;
  }
  // x grows with the offset: the first stop right of X and the one before it are the
  // candidates; a tie goes to the earlier one.
  const auto it = std::upper_bound(Stops.begin(), Stops.end(), X, [this](int x, std::int32_t o) {
    return x < XOfOffs(o);
  });
  if (it == Stops.begin())
    return Stops.front();
  if (it == Stops.end())
    return Stops.back();
  const std::int32_t lo = *(it - 1), hi = *it;
  return XOfOffs(hi) - X < X - XOfOffs(lo) ? hi : lo;
}

bool TCustomRVFormattedData::ShowsSpecialCharacters() {
  return GetOptions().Contains(rvoShowSpecialCharacters) &&
         !State.Contains(rvstNoSpecialCharacters);
}

const TRVMeasuredRun& TCustomRVFormattedData::MeasuredRun(std::int32_t DItemNo, TRVCanvas& Canvas,
                                                          bool ShowSpecial) {
  TRVDrawLineInfo& d = *DrawItems[DItemNo];
  TCustomRVItemInfo* item = GetItem(d.ItemNo);
  const std::int32_t styleNo = GetActualStyle(item);
  const std::u16string& text = GetItemText(d.ItemNo);
  const std::u16string_view raw = RunText(text, d);
  const bool lastOnLine = LastOnLine(*this, DItemNo);
  const int ppi = Canvas.GetPixelsPerInchX();
  if (const TRVMeasuredRun* m = d.Measured.get();
      m != nullptr && m->StyleNo == styleNo && m->Width == d.Width &&
      m->SpaceCount == d.GetSpaceCount() && m->LeftNoExpand == d.GetLeftNoExpandIndex() &&
      m->RightNoExpand == d.GetRightNoExpandIndex() && m->PixelsPerInch == ppi &&
      m->BiDiLevel == d.BiDiLevel &&
      m->LastOnLine == lastOnLine && m->ShowSpecial == ShowSpecial && m->Raw == raw)
    return *m;

  auto m = std::make_unique<TRVMeasuredRun>();
  m->Raw = raw;
  m->StyleNo = styleNo;
  m->Width = d.Width;
  m->SpaceCount = d.GetSpaceCount();
  m->LeftNoExpand = d.GetLeftNoExpandIndex();
  m->RightNoExpand = d.GetRightNoExpandIndex();
  m->PixelsPerInch = ppi;
  m->BiDiLevel = d.BiDiLevel;
  m->RightToLeft = (d.BiDiLevel & 1) != 0;
  m->LastOnLine = lastOnLine;
  m->ShowSpecial = ShowSpecial;

  TRVStyle* style = GetRVStyle();
  TRVGraphicInterface* gi = style != nullptr ? style->GetGraphicInterface() : nullptr;
  if (style != nullptr && styleNo >= 0 && styleNo < style->TextStyles.Count()) {
    style->ApplyStyle(Canvas, styleNo, rvbdUnspecified, GetFlags().Contains(rvflCanUseCustomPPI));
    m->Shown = RV_ReturnProcessedStringMap(m->Raw, style->TextStyles[styleNo], lastOnLine,
                                           ShowSpecial, true, false, &m->ShownIndex);
  } else {
    m->Shown = m->Raw;
    m->ShownIndex.resize(m->Raw.size() + 1);
    for (std::size_t i = 0; i < m->ShownIndex.size(); ++i)
      m->ShownIndex[i] = static_cast<int>(i);
  }

  const std::size_t n = m->Shown.size();
  const std::int32_t textWidth = d.Width - d.GetSpaceAtLeft();
  m->HasAdvances = gi != nullptr && n > 0;
  if (m->HasAdvances) {
    // A right-to-left run is measured in its direction (shaped, mirrored where it must be);
    // its advances stay in reading order, and a justified or distributed line widens them the
    // same way in both directions.
    const unsigned align = Canvas.GetTextAlign();
    if (m->RightToLeft)
      Canvas.SetTextAlign(align | TA_RTLREADING);
    gi->GetClusterAdvances(Canvas, m->Shown, m->Advances);
    Canvas.SetTextAlign(align);
    m->Advances.resize(n, 0);
    const std::int32_t paraNo = item->ParaNo;
    const bool distributed = style != nullptr && paraNo >= 0 &&
                             paraNo < style->ParaStyles.Count() &&
                             style->ParaStyles[paraNo].Alignment == rvaDistribute;
    SpreadExtra(d, distributed, m->Shown, m->Advances);
  } else {
    // Without a font engine the width is shared out evenly.
    m->Advances.resize(n);
    for (std::size_t i = 0; i < n; ++i)
      m->Advances[i] = static_cast<int>(static_cast<std::int64_t>(textWidth) * (i + 1) / n -
                                        static_cast<std::int64_t>(textWidth) * i / n);
  }
  m->ShownX.assign(n + 1, 0);
  for (std::size_t i = 0; i < n; ++i)
    m->ShownX[i + 1] = m->ShownX[i] + m->Advances[i];
  if (m->RightToLeft) {
    const int total = m->ShownX[n];
    for (int& x : m->ShownX)
      x = total - x;
  } else if (n > 0) {
    // The run ends where the next one starts.
    m->ShownX[n] = textWidth;
  }

  // Caret stops: cluster edges of the item's text inside the run, but not the place before a
  // character that is not drawn; the run's ends always.
  const int base = d.Offs - 1;
  const int end = base + static_cast<int>(raw.size());
  m->Stops.push_back(1);
  for (int index = base; index < end;) {
    index = std::min(RVU_NextCharIndex(text, index), end);
    const auto k = static_cast<std::size_t>(index - base);
    const bool hidden =
        index < end && m->ShownIndex[k] == m->ShownIndex[k + 1];
    if (!hidden)
      m->Stops.push_back(index - base + 1);
  }
  d.Measured = std::move(m);
  return *d.Measured;
}

} // namespace richtext
