// Text in both directions while lines are made: the levels of a paragraph, runs split where the
// level changes, and lines shown in visual order. Lines are broken in logical order.
#include <algorithm>

#include "richtext/base/RVBiDi.h"
#include "richtext/document/RVItem.h"
#include "richtext/layout/CRVFDataFormatter.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

// What stands for a non-text item in a paragraph's text.
constexpr char16_t ObjectReplacementCharacter = 0xFFFC;
// The embeddings a text style's own direction puts around its text.
constexpr char16_t LeftToRightEmbedding = 0x202A;
constexpr char16_t RightToLeftEmbedding = 0x202B;
constexpr char16_t PopDirectionalFormatting = 0x202C;

int BaseLevel(TRVBiDiMode Mode) {
  switch (Mode) {
  case rvbdRightToLeft:
    return 1;
  case rvbdLeftToRight:
    return 0;
  default:
    return -1;
  }
}

} // namespace

const TRVFormatter::TParaBiDi& TRVFormatter::ParaBiDi(std::int32_t ItemNo) {
  if (ItemNo >= FBiDi.FirstItemNo && ItemNo <= FBiDi.LastItemNo)
    return FBiDi;
  std::int32_t first = ItemNo;
  while (first > 0 && !D.IsParaStart(first))
    --first;
  std::int32_t last = ItemNo;
  while (last + 1 < D.ItemCount() && !D.IsParaStart(last + 1))
    ++last;
  FBiDi.FirstItemNo = first;
  FBiDi.LastItemNo = last;
  FBiDi.Levels.clear();
  FBiDi.ItemStart.clear();
  const int base = BaseLevel(Para(D.GetItem(first)->ParaNo).BiDiMode);
  FBiDi.Level = base > 0 ? 1 : 0;
  // A text style with a direction of its own embeds its text in that direction.
  auto styleMode = [this](TCustomRVItemInfo* Item) {
    const std::int32_t styleNo = D.GetActualStyle(Item);
    return styleNo >= 0 && styleNo < S.TextStyles.Count() ? S.TextStyles[styleNo].BiDiMode
                                                           : rvbdUnspecified;
  };
  // Most paragraphs are wholly left to right: they are looked over, not copied.
  bool needed = base > 0;
  for (std::int32_t i = first; i <= last && !needed; ++i) {
    TCustomRVItemInfo* item = D.GetItem(i);
    needed = item->StyleNo >= 0 &&
             (styleMode(item) == rvbdRightToLeft || RVBiDi_HasRightToLeft(item->ItemText));
  }
  if (!needed)
    return FBiDi;
  std::u16string text;
  for (std::int32_t i = first; i <= last; ++i) {
    TCustomRVItemInfo* item = D.GetItem(i);
    const TRVBiDiMode mode = item->StyleNo >= 0 ? styleMode(item) : rvbdUnspecified;
    if (mode != rvbdUnspecified)
      text += mode == rvbdRightToLeft ? RightToLeftEmbedding : LeftToRightEmbedding;
    FBiDi.ItemStart.push_back(static_cast<std::int32_t>(text.size()));
    if (item->StyleNo >= 0)
      text += item->ItemText;
    else
      text += ObjectReplacementCharacter;
    if (mode != rvbdUnspecified)
      text += PopDirectionalFormatting;
  }
  FBiDi.Level = RVBiDi_Levels(text, base, FBiDi.Levels);
  return FBiDi;
}

std::uint8_t TRVFormatter::LevelAt(std::int32_t ItemNo, std::int32_t Index) {
  const TParaBiDi& b = ParaBiDi(ItemNo);
  if (b.Levels.empty())
    return static_cast<std::uint8_t>(b.Level);
  const auto at = static_cast<std::size_t>(
      b.ItemStart[static_cast<std::size_t>(ItemNo - b.FirstItemNo)] + std::max(Index, 0));
  return at < b.Levels.size() ? b.Levels[at] : static_cast<std::uint8_t>(b.Level);
}

void TRVFormatter::AddTextRuns(std::int32_t ItemNo, std::int32_t Offs, std::int32_t Length,
                               std::int32_t StyleNo, std::u16string_view Disp, TRVSize Size,
                               bool StartsLine) {
  const TParaBiDi& b = ParaBiDi(ItemNo);
  if (b.Levels.empty()) {
    AddTextDrawItem(ItemNo, Offs, Length, Size, StartsLine, static_cast<std::uint8_t>(b.Level));
    return;
  }
  std::int32_t start = Offs - 1;
  const std::int32_t end = Offs - 1 + Length;
  while (start < end) {
    const std::uint8_t level = LevelAt(ItemNo, start);
    std::int32_t stop = start + 1;
    while (stop < end && LevelAt(ItemNo, stop) == level)
      ++stop;
    // Each piece is as wide as it is drawn (a whole run is measured as one).
    TRVSize piece = Size;
    if (start != Offs - 1 || stop != end)
      piece.cx = RunSize(StyleNo, Disp.substr(static_cast<std::size_t>(start),
                                              static_cast<std::size_t>(stop - start)))
                     .cx;
    AddTextDrawItem(ItemNo, start + 1, stop - start, piece, StartsLine, level);
    StartsLine = false;
    start = stop;
  }
}

void TRVFormatter::ReorderLine(std::int32_t FirstNo, std::int32_t LastNo) {
  std::vector<std::uint8_t> levels;
  bool mixed = false;
  for (std::int32_t i = FirstNo; i <= LastNo; ++i) {
    TRVDrawLineInfo* d = D.DrawItems[i];
    if (D.GetItem(d->ItemNo)->StyleNo < 0)
      d->BiDiLevel = LevelAt(d->ItemNo, 0);
    levels.push_back(d->BiDiLevel);
    mixed = mixed || d->BiDiLevel != 0;
  }
  if (!mixed)
    return;
  std::vector<std::int32_t> order;
  RVBiDi_VisualOrder(levels, order);
  std::int32_t x = D.DrawItems[FirstNo]->Left;
  for (std::int32_t i = FirstNo + 1; i <= LastNo; ++i)
    x = std::min(x, D.DrawItems[i]->Left);
  for (const std::int32_t k : order) {
    TRVDrawLineInfo* d = D.DrawItems[FirstNo + k];
    d->Left = x;
    x += d->Width;
  }
}

} // namespace richtext
