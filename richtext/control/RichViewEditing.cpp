// The editor's editing operations: each turns the caret and selection into item positions,
// edits the document through the steps of RVEditOps.h into one undo entry, reformats what the
// steps touched and puts the caret back.
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include <unicode/uchar.h>

#include "richtext/base/RVCharNav.h"
#include "richtext/base/RVLinkScheme.h"
#include "richtext/base/RVWordNav.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/export/RVClipboard.h"
#include "richtext/export/RVFReader.h"
#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/RVRTFReader.h"
#include "richtext/export/RVStr.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

bool IsSpaceChar(char16_t c) {
  return u_isUWhiteSpace(c) != 0;
}

bool IsJumpStyle(TRVStyle& Style, std::int32_t StyleNo) {
  return StyleNo >= 0 && Style.TextStyles[StyleNo].Jump;
}

// Characters that plain text turns into breaks or tab items rather than text.
bool IsBreakChar(char16_t c) {
  return c == u'\r' || c == u'\n' || c == u'\t' || c == u'\v' || c == u'\u2028' || c == u'\u2029';
}

} // namespace

TRVItemPos TCustomRichViewEdit::GetEditCaretPos() {
  TRVEditRVData& d = *GetEditData();
  if (d.ItemCount() == 0)
    return {};
  std::int32_t s = -1, so = 0, e = -1, eo = 0;
  d.GetSelectionBounds(s, so, e, eo, false);
  if (e < 0 || e >= d.ItemCount()) {
    const std::int32_t last = d.ItemCount() - 1;
    return {last, RVEditOffsAfter(d, last)};
  }
  return {e, std::clamp(eo, RVEditOffsBefore(d, e), RVEditOffsAfter(d, e))};
}

std::int32_t TCustomRichViewEdit::GetTypingStyle(TRVItemPos Pos, TRVTag& Tag) {
  TRVEditRVData& d = *GetEditData();
  TRVStyle& style = *GetStyle();
  Tag.clear();
  if (Pos.ItemNo < 0 || Pos.ItemNo >= d.ItemCount())
    return d.CurTextStyleNo;
  const TCustomRVItemInfo* it = d.GetItem(Pos.ItemNo);
  const bool atStart = Pos.Offs <= RVEditOffsBefore(d, Pos.ItemNo);
  const bool atEnd = Pos.Offs >= RVEditOffsAfter(d, Pos.ItemNo);
  auto use = [&](const TCustomRVItemInfo* source) {
    Tag = source->Tag;
    return source->StyleNo;
  };
  if (it->StyleNo >= 0 && (!IsJumpStyle(style, it->StyleNo) || (!atStart && !atEnd)))
    return use(it);
  // Text right before the caret on the same line wins at an item's start.
  if (atStart && it->GetSameAsPrev()) {
    const TCustomRVItemInfo* prev = d.GetItem(Pos.ItemNo - 1);
    if (prev->StyleNo >= 0 && !IsJumpStyle(style, prev->StyleNo))
      return use(prev);
  }
  // At a hyperlink's end or start, or beside a non-text item: the nearest plain text of the
  // paragraph, else the non-text item's own text style, else the first text style.
  std::int32_t first = Pos.ItemNo, last = Pos.ItemNo;
  while (first > 0 && !d.GetItem(first)->ParaStart(false))
    --first;
  while (last + 1 < d.ItemCount() && !d.GetItem(last + 1)->ParaStart(false))
    ++last;
  for (std::int32_t distance = 1; distance <= last - first; ++distance) {
    for (const std::int32_t k : {Pos.ItemNo - distance, Pos.ItemNo + distance}) {
      if (k < first || k > last)
        continue;
      const TCustomRVItemInfo* near = d.GetItem(k);
      if (near->StyleNo >= 0 && !IsJumpStyle(style, near->StyleNo))
        return use(near);
    }
  }
  if (const std::int32_t assoc = it->GetAssociatedTextStyleNo(); assoc >= 0 && !IsJumpStyle(style, assoc))
    return assoc;
  return IsJumpStyle(style, d.CurTextStyleNo) ? rvsNormal : d.CurTextStyleNo;
}

bool TCustomRichViewEdit::GetEditCaretRect(TRect& R) {
  return GetItemPosRect(GetEditCaretPos(), R);
}

bool TCustomRichViewEdit::GetItemPosRect(TRVItemPos c, TRect& R) {
  TRVEditRVData& d = *GetEditData();
  if (d.ItemCount() == 0 || d.DrawItems.Count() == 0 || d.LastItemFormatted != d.ItemCount() - 1 ||
      GetStyle() == nullptr || c.ItemNo < 0 || c.ItemNo >= d.ItemCount())
    return false;
  // Where the caret layout puts a caret there: measured as painting draws the run.
  R = CaretLayout().CaretRect({c.ItemNo, c.Offs});
  if (R.Width() <= 0)
    return false;
  R.Top -= d.GetVOffs();
  R.Bottom -= d.GetVOffs();
  return true;
}

TRVUndoEntry TCustomRichViewEdit::BeginAction(TRVUndoKind Kind) {
  TRVEditRVData& d = *GetEditData();
  RemoveComposition();
  TRVUndoEntry entry;
  entry.Kind = Kind;
  if (d.ItemCount() > 0 && d.LastItemFormatted != d.ItemCount() - 1)
    Format();
  d.GetSelectionBounds(entry.SelStartBefore.ItemNo, entry.SelStartBefore.Offs,
                       entry.SelEndBefore.ItemNo, entry.SelEndBefore.Offs, false);
  if (d.ItemCount() == 0) {
    auto item = CreateRichViewItem(d.CurTextStyleNo, &d);
    item->StyleNo = d.CurTextStyleNo;
    item->ParaNo = std::max(d.CurParaStyleNo, 0);
    entry.Steps.Do(d, RVInsertItemStep(0, std::move(item)));
  }
  return entry;
}

TRVItemPos TCustomRichViewEdit::DeleteSelectionInto(TRVUndoEntry& Entry) {
  TRVEditRVData& d = *GetEditData();
  std::int32_t s = -1, so = 0, e = -1, eo = 0;
  if (Entry.Steps.Empty())
    d.GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || e < 0 || (s == e && so == eo))
    return GetEditCaretPos();
  return RVEditDeleteRange(d, Entry.Steps, {s, so}, {e, eo});
}

bool TCustomRichViewEdit::EndAction(TRVUndoEntry Entry, TRVItemPos Caret) {
  TRVEditRVData& d = *GetEditData();
  // An emptied hyperlink left alone on its line is no hyperlink any more: what is typed there
  // next is plain text.
  if (!Entry.Steps.Empty() && Caret.ItemNo >= 0 && Caret.ItemNo < d.ItemCount()) {
    const TCustomRVItemInfo* it = d.GetItem(Caret.ItemNo);
    if (it->StyleNo >= 0 && it->ItemText.empty() && IsJumpStyle(*GetStyle(), it->StyleNo)) {
      TRVItemProps props = TRVItemProps::Of(*it);
      props.StyleNo = GetTypingStyle(Caret, props.Tag);
      props.Tag.clear();
      Entry.Steps.Do(d, RVSetItemPropsStep(Caret.ItemNo, props));
    }
  }
  const bool changed = !Entry.Steps.Empty();
  const std::int32_t oldCount = d.LastItemFormatted + 1;
  ReformatAfterEdit(Entry.Steps, oldCount);
  Caret.ItemNo = std::clamp(Caret.ItemNo, 0, d.ItemCount() - 1);
  Caret.Offs = std::clamp(Caret.Offs, RVEditOffsBefore(d, Caret.ItemNo),
                          RVEditOffsAfter(d, Caret.ItemNo));
  d.SetSelectionBounds(Caret.ItemNo, Caret.Offs, Caret.ItemNo, Caret.Offs);
  if (const std::int32_t style = d.GetItem(Caret.ItemNo)->StyleNo; style >= 0)
    d.CurTextStyleNo = style;
  d.CurParaStyleNo = d.GetItem(Caret.ItemNo)->ParaNo;
  Entry.CaretAfter = Caret;
  if (!changed || UndoLimit == 0)
    return changed;
  if (Entry.Kind == TRVUndoKind::rvukTyping) {
    TRVUndoEntry* top = d.UndoList.Top();
    const bool grows = top != nullptr && top->Kind == TRVUndoKind::rvukTyping &&
                       !d.UndoList.CanRedo() && top->CaretAfter == Entry.SelEndBefore &&
                       Entry.SelStartBefore == Entry.SelEndBefore &&
                       !(top->EndsInWord && Entry.BeginsWithSpace);
    if (grows) {
      top->Steps.Append(std::move(Entry.Steps));
      top->CaretAfter = Caret;
      top->EndsInWord = Entry.EndsInWord;
      return true;
    }
  }
  d.UndoList.Add(std::move(Entry), UndoLimit);
  return true;
}

void TCustomRichViewEdit::ReformatAfterEdit(const TRVEditGroup& Steps, std::int32_t OldItemCount) {
  TRVEditRVData& d = *GetEditData();
  if (!Steps.HasTouched() || !d.FormatRange(Steps.Touched().First, Steps.Touched().FromEnd, OldItemCount))
    Format();
}

bool TCustomRichViewEdit::InsertText(const std::u16string& Text, bool AsTyping) {
  if (!CanEdit() || Text.empty())
    return false;
  TRVEditRVData& d = *GetEditData();
  const bool special = std::any_of(Text.begin(), Text.end(), IsBreakChar);
  TRVUndoEntry entry = BeginAction(AsTyping && !special ? TRVUndoKind::rvukTyping
                                                        : TRVUndoKind::rvukEdit);
  entry.BeginsWithSpace = IsSpaceChar(Text.front());
  entry.EndsInWord = !IsSpaceChar(Text.back());
  TRVItemPos caret = DeleteSelectionInto(entry);
  TRVTag tag;
  const std::int32_t style = GetTypingStyle(caret, tag);
  if (special)
    caret = RVEditInsertPlainText(d, entry.Steps, caret, Text, style);
  else
    caret = RVEditInsertText(d, entry.Steps, caret, Text, style, tag);
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::InsertBreak(bool LineBreak) {
  if (!CanEdit())
    return false;
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  TRVItemPos caret = DeleteSelectionInto(entry);
  TRVTag tag;
  const std::int32_t style = GetTypingStyle(caret, tag);
  caret = RVEditBreak(*GetEditData(), entry.Steps, caret, LineBreak, style);
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::InsertParagraphBreak() {
  return InsertBreak(false);
}

bool TCustomRichViewEdit::InsertLineBreak() {
  return InsertBreak(true);
}

bool TCustomRichViewEdit::DeleteSelection() {
  if (!CanEdit() || GetEditData()->ItemCount() == 0)
    return false;
  std::int32_t s = -1, so = 0, e = -1, eo = 0;
  GetEditData()->GetSelectionBounds(s, so, e, eo, true);
  if (s < 0 || (s == e && so == eo))
    return false;
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  const TRVItemPos caret = DeleteSelectionInto(entry);
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::DeleteStep(bool Forward, bool ByWord) {
  if (!CanEdit() || GetEditData()->ItemCount() == 0)
    return false;
  TRVEditRVData& d = *GetEditData();
  std::int32_t s = -1, so = 0, e = -1, eo = 0;
  d.GetSelectionBounds(s, so, e, eo, true);
  if (s >= 0 && !(s == e && so == eo))
    return DeleteSelection();
  TRVItemPos c = GetEditCaretPos();
  TRVItemPos from = c, to = c;
  // A character step is the caret's own step, so that Backspace and Delete take what the arrow
  // keys step over (a cluster, with a soft hyphen that is not drawn); without a layout, a
  // cluster of the item's text.
  const bool laidOut = d.DrawItems.Count() > 0 && d.LastItemFormatted == d.ItemCount() - 1;
  auto charStep = [&](std::int32_t ItemNo, std::int32_t Offs, bool Ahead) {
    if (laidOut) {
      TRVCaretLayout layout = CaretLayout();
      const TRVCaretPos pos{ItemNo, Offs, false};
      const TRVCaretPos next = Ahead ? layout.NextChar(pos) : layout.PrevChar(pos);
      if (next.ItemNo == ItemNo && (Ahead ? next.Offs > Offs : next.Offs < Offs))
        return next.Offs;
    }
    const std::u16string& text = d.GetItem(ItemNo)->ItemText;
    return 1 + (Ahead ? RVU_NextCharIndex(text, Offs - 1) : RVU_PrevCharIndex(text, Offs - 1));
  };
  for (int pass = 0; pass < 2 && from == to; ++pass) {
    const std::int32_t i = c.ItemNo;
    const TCustomRVItemInfo* it = d.GetItem(i);
    const bool text = it->StyleNo >= 0;
    if (!Forward) {
      if (c.Offs > RVEditOffsBefore(d, i)) {
        if (text) {
          const std::int32_t index = c.Offs - 1;
          from = {i, ByWord ? 1 + RVU_PrevWordStart(it->ItemText, index)
                            : charStep(i, c.Offs, false)};
        } else {
          from = {i, 0};
        }
      } else if (i > 0 && it->GetSameAsPrev()) {
        c = to = {i - 1, RVEditOffsAfter(d, i - 1)};
        from = to;
      } else if (i > 0) {
        if (d.GetItem(i - 1)->GetBoolValue(rvbpFullWidth)) {
          from = {i - 1, 0};
          to = {i - 1, 1};
        } else {
          from = {i - 1, RVEditOffsAfter(d, i - 1)};
        }
      }
    } else {
      if (c.Offs < RVEditOffsAfter(d, i)) {
        if (text) {
          const std::int32_t index = c.Offs - 1;
          to = {i, ByWord ? 1 + RVU_NextWordStart(it->ItemText, index)
                          : charStep(i, c.Offs, true)};
        } else {
          to = {i, 1};
        }
      } else if (i + 1 < d.ItemCount() && d.GetItem(i + 1)->GetSameAsPrev()) {
        c = from = {i + 1, RVEditOffsBefore(d, i + 1)};
        to = from;
      } else if (i + 1 < d.ItemCount()) {
        if (d.GetItem(i + 1)->GetBoolValue(rvbpFullWidth)) {
          from = {i + 1, 0};
          to = {i + 1, 1};
        } else {
          to = {i + 1, RVEditOffsBefore(d, i + 1)};
        }
      }
    }
  }
  if (from == to)
    return false;
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  const TRVItemPos caret = RVEditDeleteRange(d, entry.Steps, from, to);
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::DeleteBackward(bool ByWord) {
  return DeleteStep(false, ByWord);
}

bool TCustomRichViewEdit::DeleteForward(bool ByWord) {
  return DeleteStep(true, ByWord);
}

bool TCustomRichViewEdit::Undo() {
  TRVEditRVData& d = *GetEditData();
  if (!CanEdit())
    return false;
  RemoveComposition();
  if (!d.UndoList.CanUndo())
    return false;
  const std::int32_t oldCount = d.LastItemFormatted + 1;
  TRVUndoEntry entry = d.UndoList.PopUndo();
  entry.Steps = entry.Steps.Revert(d);
  ReformatAfterEdit(entry.Steps, oldCount);
  if (d.ItemCount() > 0) {
    TRVItemPos s = entry.SelStartBefore, e = entry.SelEndBefore;
    if (s.ItemNo < 0 || e.ItemNo < 0 || s.ItemNo >= d.ItemCount() || e.ItemNo >= d.ItemCount())
      s = e = {d.ItemCount() - 1, RVEditOffsAfter(d, d.ItemCount() - 1)};
    d.SetSelectionBounds(s.ItemNo, s.Offs, e.ItemNo, e.Offs);
  }
  entry.Kind = TRVUndoKind::rvukEdit;
  d.UndoList.PushRedo(std::move(entry));
  return true;
}

bool TCustomRichViewEdit::Redo() {
  TRVEditRVData& d = *GetEditData();
  if (!CanEdit())
    return false;
  RemoveComposition();
  if (!d.UndoList.CanRedo())
    return false;
  const std::int32_t oldCount = d.LastItemFormatted + 1;
  TRVUndoEntry entry = d.UndoList.PopRedo();
  entry.Steps = entry.Steps.Revert(d);
  ReformatAfterEdit(entry.Steps, oldCount);
  const TRVItemPos c = entry.CaretAfter;
  if (c.ItemNo >= 0 && c.ItemNo < d.ItemCount())
    d.SetSelectionBounds(c.ItemNo, c.Offs, c.ItemNo, c.Offs);
  d.UndoList.PushUndo(std::move(entry), UndoLimit);
  return true;
}

bool TCustomRichViewEdit::CutDef() {
  if (!CanEdit())
    return false;
  RemoveComposition();
  if (!SelectionExists())
    return false;
  CopyDef();
  return DeleteSelection();
}

bool TCustomRichViewEdit::PasteItems(std::vector<std::unique_ptr<TCustomRVItemInfo>> Items) {
  if (Items.empty())
    return false;
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  TRVItemPos caret = DeleteSelectionInto(entry);
  caret = RVEditInsertItems(*GetEditData(), entry.Steps, caret, std::move(Items));
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::PasteRVF(std::string_view Bytes) {
  if (!CanEdit())
    return false;
  std::vector<std::unique_ptr<TCustomRVItemInfo>> items = RVFReadItemsForInsertion(*GetEditData(), Bytes);
  // Any program can put this format on the clipboard: a link that would run code where it
  // is followed keeps its text and look, as no link, as the RTF and HTML readers keep it.
  TRVStyle& style = *GetStyle();
  for (const auto& item : items) {
    if (item->StyleNo < 0 || !IsJumpStyle(style, item->StyleNo) || !RV_ScriptingScheme(item->Tag))
      continue;
    TFontInfo plain;
    plain.Assign(*style.TextStyles.Items(item->StyleNo));
    plain.Jump = false;
    item->StyleNo = style.FindTextStyle(plain);
    item->Tag.clear();
  }
  return PasteItems(std::move(items));
}

bool TCustomRichViewEdit::PasteText(const std::u16string& Text) {
  if (!CanEdit() || Text.empty())
    return false;
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  TRVItemPos caret = DeleteSelectionInto(entry);
  TRVTag tag;
  const std::int32_t style = GetTypingStyle(caret, tag);
  caret = RVEditInsertPlainText(*GetEditData(), entry.Steps, caret, Text, style);
  return EndAction(std::move(entry), caret);
}

bool TCustomRichViewEdit::PasteRTF(std::string_view Bytes) {
  if (!CanEdit())
    return false;
  return PasteItems(RVRTFReadItemsForInsertion(*GetEditData(), Bytes));
}

bool TCustomRichViewEdit::PasteHTML(std::string_view Bytes) {
  if (!CanEdit())
    return false;
  return PasteItems(RVHTMLReadItemsForInsertion(*GetEditData(), Bytes));
}

bool TCustomRichViewEdit::PasteDef() {
  if (!CanEdit())
    return false;
  RVRegisterClipboardFormats();
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  // The richest format first; a damaged block from another program falls through to the next
  // one, down to the plain text that is always worth pasting.
  if (clipboard.HasFormat(CFRV_RVF)) {
    const std::string block = clipboard.GetData(CFRV_RVF);
    if (block.size() >= 4) {
      std::uint32_t length = 0;
      for (int i = 3; i >= 0; --i)
        length = (length << 8) | static_cast<unsigned char>(block[static_cast<std::size_t>(i)]);
      if (length <= block.size() - 4) {
        try {
          return PasteRVF(std::string_view(block).substr(4, length));
        } catch (const ERichViewError&) {
        }
      }
    }
  }
  const auto tryFormat = [&](TRVClipboardFormat Format, auto Paste) -> std::optional<bool> {
    if (!clipboard.HasFormat(Format))
      return std::nullopt;
    std::string block = clipboard.GetData(Format);
    // Windows programs end their blocks with a zero.
    while (!block.empty() && block.back() == '\0')
      block.pop_back();
    try {
      return (this->*Paste)(block);
    } catch (const ERichViewError&) {
      return std::nullopt;
    }
  };
  if (const std::optional<bool> done = tryFormat(CFRV_RTF, &TCustomRichViewEdit::PasteRTF))
    return *done;
  if (const std::optional<bool> done = tryFormat(CFRV_HTML, &TCustomRichViewEdit::PasteHTML))
    return *done;
  std::u16string text;
  if (!RVGetTextFromClipboardW(text, CF_UNICODETEXT))
    return false;
  return PasteText(text);
}

} // namespace richtext

namespace richtext {

void TCustomRichViewEdit::RemoveComposition() {
  TRVEditRVData& d = *GetEditData();
  if (d.Composition.Empty())
    return;
  const std::int32_t oldCount = d.LastItemFormatted + 1;
  const TRVEditGroup removal = d.Composition.Revert(d);
  d.Composition = TRVEditGroup{};
  ReformatAfterEdit(removal, oldCount);
  const TRVItemPos c = d.CompositionCaret;
  if (c.ItemNo >= 0 && c.ItemNo < d.ItemCount())
    d.SetSelectionBounds(c.ItemNo, c.Offs, c.ItemNo, c.Offs);
}

bool TCustomRichViewEdit::SetComposition(const std::u16string& Text, std::int32_t CursorPos) {
  if (!CanEdit())
    return false;
  TRVEditRVData& d = *GetEditData();
  const bool had = HasComposition();
  RemoveComposition();
  // A composition is one run of text on the caret's line.
  std::u16string text = Text;
  std::erase_if(text, IsBreakChar);
  if (text.empty())
    return had;
  if (SelectionExists())
    DeleteSelection();
  TRVUndoEntry entry = BeginAction(TRVUndoKind::rvukEdit);
  const TRVItemPos caret = GetEditCaretPos();
  TRVTag tag;
  const std::int32_t style = GetTypingStyle(caret, tag);
  const std::int32_t oldCount = d.LastItemFormatted + 1;
  const TRVItemPos to = RVEditInsertText(d, entry.Steps, caret, text, style, tag);
  ReformatAfterEdit(entry.Steps, oldCount);
  d.Composition = std::move(entry.Steps);
  d.CompositionCaret = caret;
  d.CompositionTo = to;
  d.CompositionFrom = {to.ItemNo, to.Offs - static_cast<std::int32_t>(text.size())};
  const std::int32_t at =
      d.CompositionFrom.Offs + std::clamp(CursorPos, 0, static_cast<std::int32_t>(text.size()));
  d.SetSelectionBounds(to.ItemNo, at, to.ItemNo, at);
  return true;
}

bool TCustomRichViewEdit::GetCompositionRange(TRVItemPos& From, TRVItemPos& To) const {
  if (!HasComposition())
    return false;
  From = GetEditData()->CompositionFrom;
  To = GetEditData()->CompositionTo;
  return true;
}

std::u16string TCustomRichViewEdit::GetCompositionText() const {
  TRVItemPos from, to;
  if (!GetCompositionRange(from, to))
    return {};
  return GetEditData()->GetItem(from.ItemNo)->ItemText.substr(
      static_cast<std::size_t>(from.Offs - 1), static_cast<std::size_t>(to.Offs - from.Offs));
}

bool TCustomRichViewEdit::CommitComposition(const std::u16string& Text, std::int32_t Start,
                                            std::int32_t Length) {
  if (!CanEdit())
    return false;
  TRVEditRVData& d = *GetEditData();
  RemoveComposition();
  if ((Start != 0 || Length > 0) && d.ItemCount() > 0) {
    const TRVItemPos c = GetEditCaretPos();
    const std::int32_t lo = RVEditOffsBefore(d, c.ItemNo), hi = RVEditOffsAfter(d, c.ItemNo);
    const std::int32_t from = std::clamp(c.Offs + Start, lo, hi);
    const std::int32_t to = std::clamp(from + std::max(Length, 0), lo, hi);
    d.SetSelectionBounds(c.ItemNo, from, c.ItemNo, to);
  }
  if (!Text.empty())
    return InsertText(Text, false);
  return Length > 0 && DeleteSelection();
}

} // namespace richtext
