#include "richtext/document/RVEditOps.h"

#include <utility>

#include "richtext/document/CRVData.h"

namespace richtext {

namespace {

bool IsText(const TCustomRVData& D, std::int32_t i) {
  return D.GetItem(i)->StyleNo >= 0;
}

std::int32_t TextLength(const TCustomRVData& D, std::int32_t i) {
  return static_cast<std::int32_t>(D.GetItem(i)->ItemText.size());
}

bool ContinuesLine(const TCustomRVData& D, std::int32_t i) {
  return i < D.ItemCount() && D.GetItem(i)->GetSameAsPrev();
}

// Continues the paragraph of the item before it (SameAsPrev or BR).
bool InParagraphOfPrevious(const TCustomRVData& D, std::int32_t i) {
  const TCustomRVItemInfo* it = D.GetItem(i);
  return it->GetSameAsPrev() || it->GetBR();
}

TRVItemOptions LineOptions(bool SameAsPrev, bool BR) {
  TRVItemOptions o;
  if (SameAsPrev)
    o.Include(rvioSameAsPrev);
  else if (BR)
    o.Include(rvioBR);
  return o;
}

void SetOptions(TCustomRVData& D, TRVEditGroup& G, std::int32_t i, TRVItemOptions Options,
                std::int32_t ParaNo) {
  TRVItemProps p = TRVItemProps::Of(*D.GetItem(i));
  if (p.Options == Options && p.ParaNo == ParaNo)
    return;
  p.Options = Options;
  p.ParaNo = ParaNo;
  G.Do(D, RVSetItemPropsStep(i, p));
}

// Gives item i and the rest of its paragraph the paragraph style ParaNo.
void SetParagraphStyleFrom(TCustomRVData& D, TRVEditGroup& G, std::int32_t i, std::int32_t ParaNo) {
  for (std::int32_t k = i; k < D.ItemCount() && (k == i || InParagraphOfPrevious(D, k)); ++k)
    SetOptions(D, G, k, TRVItemProps::Of(*D.GetItem(k)).Options, ParaNo);
}

std::unique_ptr<TCustomRVItemInfo> NewTextItem(TCustomRVData& D, std::int32_t StyleNo,
                                               std::int32_t ParaNo, TRVItemOptions Options,
                                               const TRVTag& Tag, std::u16string Text) {
  auto item = CreateRichViewItem(StyleNo, &D);
  item->StyleNo = StyleNo;
  item->ParaNo = ParaNo;
  item->ItemOptions = (item->ItemOptions - TRVItemOptions{rvioSameAsPrev, rvioBR, rvioPageBreakBefore}) | Options;
  item->Tag = Tag;
  item->ItemText = std::move(Text);
  return item;
}

// Makes an item boundary at Pos; answers the number of the first item after it.
std::int32_t SplitAt(TCustomRVData& D, TRVEditGroup& G, TRVItemPos Pos) {
  const std::int32_t i = Pos.ItemNo;
  if (Pos.Offs <= RVEditOffsBefore(D, i))
    return i;
  if (Pos.Offs >= RVEditOffsAfter(D, i))
    return i + 1;
  const TCustomRVItemInfo* it = D.GetItem(i);
  const std::int32_t at = Pos.Offs - 1;
  std::u16string tail = it->ItemText.substr(static_cast<std::size_t>(at));
  auto copy = RV_DuplicateItem(it, &D, false);
  copy->ItemText = std::move(tail);
  copy->ItemOptions = (copy->ItemOptions - TRVItemOptions{rvioBR, rvioPageBreakBefore}) |
                      TRVItemOptions{rvioSameAsPrev};
  G.Do(D, RVDeleteTextStep(i, at, TextLength(D, i) - at));
  G.Do(D, RVInsertItemStep(i + 1, std::move(copy)));
  return i + 1;
}

void DeleteItemKeepingCaret(TCustomRVData& D, TRVEditGroup& G, std::int32_t k, TRVItemPos& Caret) {
  const bool hadPrevOnLine = D.GetItem(k)->GetSameAsPrev();
  G.Do(D, RVDeleteItemStep(k));
  if (Caret.ItemNo > k) {
    --Caret.ItemNo;
  } else if (Caret.ItemNo == k) {
    if (hadPrevOnLine || k >= D.ItemCount())
      Caret = {k - 1, RVEditOffsAfter(D, k - 1)};
    else
      Caret = {k, RVEditOffsBefore(D, k)};
  }
}

bool Mergeable(const TCustomRVData& D, std::int32_t a) {
  if (a < 0 || a + 1 >= D.ItemCount() || !IsText(D, a) || !IsText(D, a + 1))
    return false;
  const TCustomRVItemInfo *x = D.GetItem(a), *y = D.GetItem(a + 1);
  return y->GetSameAsPrev() && x->StyleNo == y->StyleNo && x->Tag == y->Tag && x->Hint == y->Hint &&
         !y->Checkpoint;
}

// The two rules of the header around item Around, keeping Caret on the same character.
void Tidy(TCustomRVData& D, TRVEditGroup& G, std::int32_t Around, TRVItemPos& Caret) {
  for (std::int32_t k = std::min(Around + 1, D.ItemCount() - 1); k >= std::max(Around - 1, 0); --k) {
    if (k >= D.ItemCount() || !IsText(D, k) || TextLength(D, k) != 0)
      continue;
    if (ContinuesLine(D, k + 1)) {
      // The next item takes over the start of the line.
      const TRVItemProps p = TRVItemProps::Of(*D.GetItem(k));
      SetOptions(D, G, k + 1, p.Options, p.ParaNo);
      DeleteItemKeepingCaret(D, G, k, Caret);
    } else if (D.GetItem(k)->GetSameAsPrev()) {
      DeleteItemKeepingCaret(D, G, k, Caret);
    }
  }
  for (std::int32_t a = std::min(Around, D.ItemCount() - 2); a >= std::max(Around - 2, 0); --a) {
    if (!Mergeable(D, a))
      continue;
    const std::int32_t len = TextLength(D, a);
    G.Do(D, RVInsertTextStep(a, len, D.GetItem(a + 1)->ItemText));
    G.Do(D, RVDeleteItemStep(a + 1));
    if (Caret.ItemNo == a + 1)
      Caret = {a, len + Caret.Offs};
    else if (Caret.ItemNo > a + 1)
      --Caret.ItemNo;
  }
}

} // namespace

std::int32_t RVEditOffsBefore(const TCustomRVData& Data, std::int32_t ItemNo) {
  return IsText(Data, ItemNo) ? 1 : 0;
}

std::int32_t RVEditOffsAfter(const TCustomRVData& Data, std::int32_t ItemNo) {
  return IsText(Data, ItemNo) ? TextLength(Data, ItemNo) + 1 : 1;
}

TRVItemPos RVEditInsertText(TCustomRVData& D, TRVEditGroup& G, TRVItemPos Pos,
                            const std::u16string& Text, std::int32_t StyleNo, const TRVTag& Tag) {
  if (Text.empty())
    return Pos;
  const auto len = static_cast<std::int32_t>(Text.size());
  const std::int32_t i = Pos.ItemNo;
  auto matches = [&](std::int32_t k) {
    return IsText(D, k) && D.GetItem(k)->StyleNo == StyleNo && D.GetItem(k)->Tag == Tag;
  };
  if (matches(i)) {
    G.Do(D, RVInsertTextStep(i, Pos.Offs - 1, Text));
    return {i, Pos.Offs + len};
  }
  if (IsText(D, i) && TextLength(D, i) == 0) {
    TRVItemProps p = TRVItemProps::Of(*D.GetItem(i));
    p.StyleNo = StyleNo;
    p.Tag = Tag;
    G.Do(D, RVSetItemPropsStep(i, p));
    G.Do(D, RVInsertTextStep(i, 0, Text));
    return {i, 1 + len};
  }
  if (Pos.Offs >= RVEditOffsAfter(D, i) && ContinuesLine(D, i + 1) && matches(i + 1)) {
    G.Do(D, RVInsertTextStep(i + 1, 0, Text));
    return {i + 1, 1 + len};
  }
  if (Pos.Offs <= RVEditOffsBefore(D, i) && D.GetItem(i)->GetSameAsPrev() && matches(i - 1)) {
    const std::int32_t end = TextLength(D, i - 1);
    G.Do(D, RVInsertTextStep(i - 1, end, Text));
    return {i - 1, end + 1 + len};
  }
  const std::int32_t b = SplitAt(D, G, Pos);
  const std::int32_t para = D.GetItem(i)->ParaNo;
  if (b == i) {
    // The new item takes over the start of the line from item i.
    const TRVItemProps first = TRVItemProps::Of(*D.GetItem(i));
    G.Do(D, RVInsertItemStep(b, NewTextItem(D, StyleNo, para, first.Options, Tag, Text)));
    SetOptions(D, G, b + 1, LineOptions(true, false), para);
  } else {
    G.Do(D, RVInsertItemStep(b, NewTextItem(D, StyleNo, para, LineOptions(true, false), Tag, Text)));
  }
  return {b, 1 + len};
}

TRVItemPos RVEditBreak(TCustomRVData& D, TRVEditGroup& G, TRVItemPos Pos, bool LineBreak,
                       std::int32_t EmptyStyleNo) {
  const std::int32_t i = Pos.ItemNo;
  const TRVItemOptions newLine = LineOptions(false, LineBreak);
  if (Pos.Offs <= RVEditOffsBefore(D, i) && !D.GetItem(i)->GetSameAsPrev()) {
    // At the start of a line: an empty line goes in front of it.
    const TRVItemProps first = TRVItemProps::Of(*D.GetItem(i));
    const std::int32_t style = IsText(D, i) ? D.GetItem(i)->StyleNo : EmptyStyleNo;
    G.Do(D, RVInsertItemStep(i, NewTextItem(D, style, first.ParaNo, first.Options, {}, {})));
    SetOptions(D, G, i + 1, D.GetItem(i + 1)->GetBoolValue(rvbpFullWidth) ? LineOptions(false, false) : newLine,
               first.ParaNo);
    return {i + 1, RVEditOffsBefore(D, i + 1)};
  }
  const std::int32_t b = SplitAt(D, G, Pos);
  const std::int32_t para = D.GetItem(b - 1)->ParaNo;
  if (ContinuesLine(D, b)) {
    SetOptions(D, G, b, D.GetItem(b)->GetBoolValue(rvbpFullWidth) ? LineOptions(false, false) : newLine,
               para);
    return {b, RVEditOffsBefore(D, b)};
  }
  G.Do(D, RVInsertItemStep(b, NewTextItem(D, EmptyStyleNo, para, newLine, {}, {})));
  return {b, 1};
}

TRVItemPos RVEditDeleteRange(TCustomRVData& D, TRVEditGroup& G, TRVItemPos From, TRVItemPos To) {
  if (!(From < To))
    return From;
  if (From.ItemNo == To.ItemNo && IsText(D, From.ItemNo)) {
    G.Do(D, RVDeleteTextStep(From.ItemNo, From.Offs - 1, To.Offs - From.Offs));
    TRVItemPos caret = From;
    Tidy(D, G, From.ItemNo, caret);
    return caret;
  }
  const std::int32_t countBefore = D.ItemCount();
  const std::int32_t b1 = SplitAt(D, G, From);
  To.ItemNo += D.ItemCount() - countBefore;
  const std::int32_t b2 = SplitAt(D, G, To);
  if (b2 <= b1) {
    // Nothing between but the end of a line: the lines join, in the first one's paragraph.
    if (b1 <= 0 || b1 >= D.ItemCount() || ContinuesLine(D, b1) ||
        D.GetItem(b1)->GetBoolValue(rvbpFullWidth) || D.GetItem(b1 - 1)->GetBoolValue(rvbpFullWidth))
      return From;
    const std::int32_t para = D.GetItem(b1 - 1)->ParaNo;
    SetOptions(D, G, b1, LineOptions(true, false), para);
    SetParagraphStyleFrom(D, G, b1, para);
    TRVItemPos caret{b1 - 1, RVEditOffsAfter(D, b1 - 1)};
    Tidy(D, G, b1, caret);
    return caret;
  }
  const TRVItemProps firstGone = TRVItemProps::Of(*D.GetItem(b1));
  if (b1 == 0 && b2 == D.ItemCount()) {
    // Everything goes: one empty line in the first paragraph's style stays for the caret.
    const std::int32_t style = IsText(D, 0) ? D.GetItem(0)->StyleNo : 0;
    G.Do(D, RVInsertItemStep(0, NewTextItem(D, style, firstGone.ParaNo, {}, {}, {})));
    for (std::int32_t k = b2; k >= 1; --k)
      G.Do(D, RVDeleteItemStep(k));
    return {0, 1};
  }
  const bool wholeParagraphs = !firstGone.Options.Contains(rvioSameAsPrev) &&
                               !firstGone.Options.Contains(rvioBR) && b2 < D.ItemCount() &&
                               D.GetItem(b2)->ParaStart(false);
  if (b2 < D.ItemCount() && !wholeParagraphs) {
    // What follows the range joins the line (and the paragraph) where the range began.
    TRVItemOptions options = firstGone.Options;
    if (D.GetItem(b2)->GetBoolValue(rvbpFullWidth))
      options = LineOptions(false, false);
    else if (b1 == 0)
      options = options - TRVItemOptions{rvioSameAsPrev};
    SetOptions(D, G, b2, options, TRVItemProps::Of(*D.GetItem(b2)).ParaNo);
    SetParagraphStyleFrom(D, G, b2, b1 > 0 && InParagraphOfPrevious(D, b2) ? D.GetItem(b1 - 1)->ParaNo
                                                                           : firstGone.ParaNo);
  }
  for (std::int32_t k = b2 - 1; k >= b1; --k)
    G.Do(D, RVDeleteItemStep(k));
  TRVItemPos caret;
  if (b1 < D.ItemCount() && (b1 == 0 || !ContinuesLine(D, b1)))
    caret = {b1, RVEditOffsBefore(D, b1)};
  else
    caret = {b1 - 1, RVEditOffsAfter(D, b1 - 1)};
  Tidy(D, G, b1, caret);
  return caret;
}

TRVItemPos RVEditInsertItems(TCustomRVData& D, TRVEditGroup& G, TRVItemPos Pos,
                             std::vector<std::unique_ptr<TCustomRVItemInfo>> Items) {
  if (Items.empty())
    return Pos;
  const std::int32_t b = SplitAt(D, G, Pos);
  const bool atLineStart = b < D.ItemCount() && !D.GetItem(b)->GetSameAsPrev();
  const TRVItemProps lineStart =
      b < D.ItemCount() ? TRVItemProps::Of(*D.GetItem(b)) : TRVItemProps{};
  std::int32_t para = atLineStart ? lineStart.ParaNo : D.GetItem(b - 1)->ParaNo;
  std::int32_t at = b;
  for (std::size_t n = 0; n < Items.size(); ++n) {
    std::unique_ptr<TCustomRVItemInfo> item = std::move(Items[n]);
    const bool continues = n == 0 || item->ParaNo < 0 || item->GetSameAsPrev();
    if (n == 0) {
      item->ItemOptions = (item->ItemOptions - TRVItemOptions{rvioSameAsPrev, rvioBR, rvioPageBreakBefore}) |
                          (atLineStart ? lineStart.Options : LineOptions(true, false));
    } else if (item->GetSameAsPrev()) {
      item->ItemOptions.Exclude(rvioBR);
    }
    if (!continues || (n == 0 && atLineStart && item->ParaNo >= 0 && !lineStart.Options.Contains(rvioBR)))
      para = item->ParaNo;
    item->ParaNo = para;
    G.Do(D, RVInsertItemStep(at++, std::move(item)));
  }
  if (at < D.ItemCount() && atLineStart) {
    SetOptions(D, G, at, D.GetItem(at)->GetBoolValue(rvbpFullWidth) ? LineOptions(false, false)
                                                                      : LineOptions(true, false),
               para);
    SetParagraphStyleFrom(D, G, at, para);
  } else if (at < D.ItemCount() && ContinuesLine(D, at)) {
    SetParagraphStyleFrom(D, G, at, para);
  }
  TRVItemPos caret{at - 1, RVEditOffsAfter(D, at - 1)};
  Tidy(D, G, at - 1, caret);
  Tidy(D, G, b, caret);
  return caret;
}

TRVItemPos RVEditInsertPlainText(TCustomRVData& D, TRVEditGroup& G, TRVItemPos Pos,
                                 const std::u16string& Text, std::int32_t StyleNo) {
  std::u16string run;
  auto flush = [&] {
    Pos = RVEditInsertText(D, G, Pos, run, StyleNo, {});
    run.clear();
  };
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char16_t c = Text[i];
    if (c == u'\r' || c == u'\n' || c == u'\u2029' || c == u'\u2028' || c == u'\v') {
      flush();
      if (c == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n')
        ++i;
      Pos = RVEditBreak(D, G, Pos, c == u'\u2028' || c == u'\v', StyleNo);
    } else if (c == u'\t') {
      flush();
      std::vector<std::unique_ptr<TCustomRVItemInfo>> tab;
      tab.push_back(CreateRichViewItem(rvsTab, &D));
      tab.back()->StyleNo = rvsTab;
      tab.back()->SetAssociatedTextStyleNo(StyleNo);
      tab.back()->ItemOptions.Include(rvioSameAsPrev);
      Pos = RVEditInsertItems(D, G, Pos, std::move(tab));
    } else if (c != 0) {
      run += c;
    }
  }
  flush();
  return Pos;
}

} // namespace richtext
