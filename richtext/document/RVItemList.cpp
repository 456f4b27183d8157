#include <cstdio>

#include "richtext/document/RVItem.h"
#include "richtext/base/RVUni.h"

namespace richtext {

void TRVItemList::CheckIndex(std::int32_t Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
}

TCustomRVItemInfo* TRVItemList::AddObject(TRVUnicodeString Text,
                                          std::unique_ptr<TCustomRVItemInfo> Item) {
  return InsertObject(Count(), std::move(Text), std::move(Item));
}

TCustomRVItemInfo* TRVItemList::InsertObject(std::int32_t Index, TRVUnicodeString Text,
                                             std::unique_ptr<TCustomRVItemInfo> Item) {
  if (Index < 0 || Index > Count())
    throw EListError(Index);
  TCustomRVItemInfo* item = Item.get();
  if (item != nullptr)
    item->ItemText = std::move(Text);
  FItems.insert(FItems.begin() + Index, std::move(Item));
  return item;
}

const TRVUnicodeString& TRVItemList::GetItem(std::int32_t Index) const {
  CheckIndex(Index);
  static const TRVUnicodeString empty;
  const auto& item = FItems[static_cast<std::size_t>(Index)];
  return item ? item->ItemText : empty;
}

void TRVItemList::SetItem(std::int32_t Index, TRVUnicodeString Text) {
  CheckIndex(Index);
  if (auto& item = FItems[static_cast<std::size_t>(Index)])
    item->ItemText = std::move(Text);
}

TCustomRVItemInfo* TRVItemList::GetObject(std::int32_t Index) const {
  CheckIndex(Index);
  return FItems[static_cast<std::size_t>(Index)].get();
}

std::unique_ptr<TCustomRVItemInfo> TRVItemList::SetObject(std::int32_t Index,
                                                          std::unique_ptr<TCustomRVItemInfo> Item) {
  CheckIndex(Index);
  std::swap(FItems[static_cast<std::size_t>(Index)], Item);
  return Item;
}

std::unique_ptr<TCustomRVItemInfo> TRVItemList::Extract(std::int32_t Index) {
  CheckIndex(Index);
  return std::move(FItems[static_cast<std::size_t>(Index)]);
}

std::int32_t TRVItemList::IndexOfObject(const TCustomRVItemInfo* Item) const {
  if (Item == nullptr)
    return -1;
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == Item)
      return static_cast<std::int32_t>(i);
  return -1;
}

void TRVItemList::DeleteRange(std::int32_t Index, std::int32_t Count) {
  if (Count <= 0)
    return;
  CheckIndex(Index);
  CheckIndex(Index + Count - 1);
  FItems.erase(FItems.begin() + Index, FItems.begin() + Index + Count);
}

namespace {

void AppendQuoted(std::string& out, const std::u16string& s) {
  out += '"';
  std::u16string plain;
  auto flush = [&] {
    out += RVU_UnicodeToUtf8(plain);
    plain.clear();
  };
  for (char16_t c : s) {
    if (c >= 0x20 && c != u'"' && c != u'\\' && c != 0x7F) {
      plain += c;
      continue;
    }
    flush();
    switch (c) {
    case u'\r':
      out += "\\r";
      break;
    case u'\n':
      out += "\\n";
      break;
    case u'\t':
      out += "\\t";
      break;
    case u'"':
      out += "\\\"";
      break;
    case u'\\':
      out += "\\\\";
      break;
    default: {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
      out += buf;
    }
    }
  }
  flush();
  out += '"';
}

} // namespace

std::string TRVItemList::Dump() const {
  static constexpr struct {
    TRVItemOption Option;
    char Letter;
  } letters[] = {{rvioSameAsPrev, 'S'},   {rvioPageBreakBefore, 'P'}, {rvioBR, 'B'},
                 {rvioUnicode, 'U'},      {rvioClearLeft, 'L'},       {rvioClearRight, 'R'},
                 {rvioGroupWithNext, 'G'}};
  std::string out;
  for (const auto& item : FItems) {
    if (!item) {
      out += "(empty)\n";
      continue;
    }
    out += std::to_string(item->StyleNo) + ' ' + std::to_string(item->ParaNo) + ' ';
    out += '{';
    for (const auto& l : letters)
      if (item->ItemOptions.Contains(l.Option))
        out += l.Letter;
    out += "} ";
    AppendQuoted(out, item->ItemText);
    if (!item->Tag.empty()) {
      out += " tag=";
      AppendQuoted(out, item->Tag);
    }
    if (item->Checkpoint) {
      out += " cp=";
      AppendQuoted(out, item->Checkpoint->Name);
    }
    out += '\n';
  }
  return out;
}

} // namespace richtext
