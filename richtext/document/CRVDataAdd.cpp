// TCustomRVData: building a document by appending items.
#include "richtext/document/CRVData.h"

#include "richtext/document/RVFuncs.h"
#include "richtext/base/RVUni.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

// ---------------------------------------------------------------------------------------------
// Text items

void TCustomRVData::AddNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                          const TRVTag& Tag) {
  AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRVData::AddNLTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                             const TRVTag& Tag) {
  AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRVData::AddNLWTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                              const TRVTag& Tag) {
  AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRVData::AddNLW(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                           const TRVTag& Tag, bool ProcessTabs) {
  std::unique_ptr<TCustomRVItemInfo> item = RichViewTextItemClass->Create(this);
  item->StyleNo = StyleNo < 0 ? rvsDefStyle : StyleNo;
  item->ParaNo = ParaNo;
  item->Tag = Tag;
  TRVUnicodeString text = s;
  if (ProcessTabs && StyleNo >= 0)
    ReplaceTabs(text);
  AddItem(text, std::move(item));
}

void TCustomRVData::ReplaceTabs(TRVUnicodeString& s) {
  TRVStyle* style = GetRVStyle();
  RV_ReplaceTabs(s, style != nullptr ? style->SpacesInTab : 8);
}

void TCustomRVData::AddNLA(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
                           const TRVTag& Tag) {
  TRVCodePage codePage = CP_ACP;
  if (GetRVStyle() != nullptr) {
    if (StyleNo < 0)
      StyleNo = rvsDefStyle;
    codePage = GetStyleCodePage(GetActualStyleEx(StyleNo, ParaNo));
  }
  AddNLW(RVU_AnsiToUnicode(codePage, s), StyleNo, ParaNo, Tag, true);
}

void TCustomRVData::AddNLATag(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
                              const TRVTag& Tag) {
  AddNLA(s, StyleNo, ParaNo, Tag);
}

// ---------------------------------------------------------------------------------------------
// Text with breaks

void TCustomRVData::AddTextNL(const TRVUnicodeString& s, std::int32_t StyleNo,
                              std::int32_t FirstParaNo, std::int32_t OtherParaNo,
                              bool AsSingleParagraph, const TRVTag& Tag) {
  AddTextNLW(s, StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph, Tag);
}

void TCustomRVData::AddTextNLA(std::string_view s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                               std::int32_t OtherParaNo, bool AsSingleParagraph, const TRVTag& Tag,
                               TRVCodePage CodePage) {
  if (CodePage == 0)
    CodePage = GetDefaultCodePage();
  AddTextNLW(RVU_AnsiToUnicode(CodePage, s), StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph,
             Tag);
}

void TCustomRVData::AddTextNLW(const TRVUnicodeString& S, std::int32_t StyleNo,
                               std::int32_t FirstParaNo, std::int32_t OtherParaNo,
                               bool DefAsSingleParagraph, const TRVTag& Tag) {
  const bool oldAllowNewPara = FAllowNewPara;
  TRVRootEvents* events = GetRootEvents();
  const bool progress =
      events->HasProgressHandler() && S.size() > static_cast<std::size_t>(QUICKTEXTSIZE);
  if (progress)
    events->DoProgress(rvloTextRead, rvpstgStarting, 0);

  TRVUnicodeString text = S;
  std::size_t start = 0;
  if (!text.empty() && text[0] == 0xFEFF) {
    start = 1;
  } else if (!text.empty() && text[0] == 0xFFFE) {
    start = 1;
    RVU_SwapByteOrder(text);
  }
  const std::size_t length = text.size();

  if (start >= length) {
    if (FirstParaNo != -1)
      AddNLW({}, StyleNo, FirstParaNo, {}, true);
    if (progress)
      events->DoProgress(rvloTextRead, rvpstgEnding, 0);
    return;
  }

  std::int32_t paraNo = FirstParaNo;
  bool fromNewLine = FirstParaNo >= 0;
  bool pageBreak = false;
  const bool honourPageBreaks = SupportsPageBreaks();
  TRVStyle* style = GetRVStyle();
  const bool tabItems = style != nullptr && style->SpacesInTab <= 0;

  std::size_t segStart = start;
  auto addTextItem = [&](std::size_t end, bool allowAddingEmpty) {
    if (end > segStart || (fromNewLine && allowAddingEmpty)) {
      AddNLW(text.substr(segStart, end - segStart), StyleNo, fromNewLine || pageBreak ? paraNo : -1,
             Tag, true);
      fromNewLine = false;
      if (pageBreak) {
        SetPageBreaksBeforeItems(ItemCount() - 1, true);
        pageBreak = false;
      }
    }
  };

  int counter = 0;
  int lastPercent = 0;
  for (std::size_t i = start; i < length; ++i) {
    const char16_t c = text[i];
    switch (c) {
    case u'\r':
    case u'\n': {
      addTextItem(i, true);
      SetAddParagraphMode(!DefAsSingleParagraph);
      paraNo = OtherParaNo;
      fromNewLine = true;
      const char16_t pair = c == u'\r' ? u'\n' : u'\r';
      if (i + 1 < length && text[i + 1] == pair)
        ++i;
      segStart = i + 1;
      break;
    }
    case 0x0B:
    case 0x2028:
    case 0x2029:
      addTextItem(i, false);
      SetAddParagraphMode(c == 0x2029);
      paraNo = OtherParaNo;
      fromNewLine = true;
      segStart = i + 1;
      break;
    case 0x0C:
      addTextItem(i, false);
      if (honourPageBreaks)
        pageBreak = true;
      paraNo = OtherParaNo;
      fromNewLine = true;
      segStart = i + 1;
      break;
    case u'\t':
      if (tabItems) {
        addTextItem(i, false);
        auto tab = std::make_unique<TRVTabItemInfo>(this);
        tab->StyleNo = rvsTab;
        tab->SetAssociatedTextStyleNo(StyleNo);
        tab->ParaNo = fromNewLine ? paraNo : -1;
        AddItem({}, std::move(tab));
        fromNewLine = false;
        SetAddParagraphMode(!DefAsSingleParagraph);
        segStart = i + 1;
      }
      break;
    case 0:
      text[i] = u'?';
      break;
    default:
      break;
    }
    if (progress && ++counter >= PROGRESSMAXCOUNTER) {
      counter = 0;
      const int percent = static_cast<int>(static_cast<std::int64_t>(i + 1) * 100 /
                                           static_cast<std::int64_t>(length));
      if (percent != lastPercent) {
        lastPercent = percent;
        events->DoProgress(rvloTextRead, rvpstgRunning, static_cast<std::uint8_t>(percent));
      }
    }
  }
  addTextItem(length, true);
  SetAddParagraphMode(oldAllowNewPara);
  if (progress)
    events->DoProgress(rvloTextRead, rvpstgEnding, 0);
}

// ---------------------------------------------------------------------------------------------
// Ready items

void TCustomRVData::AdjustItemParaNoBeforeAdding(TCustomRVItemInfo* Item) {
  if (Item->ParaNo == -1 && ItemCount() > 0) {
    TCustomRVItemInfo* last = GetItem(ItemCount() - 1);
    if (!last->GetBoolValue(rvbpFullWidth)) {
      Item->SetSameAsPrev(true);
      Item->ParaNo = last->ParaNo;
      return;
    }
  }
  // A list marker is never left alone at the end of its paragraph.
  if (ItemCount() > 0 && GetActualStyle(GetItem(ItemCount() - 1)) == rvsListMarker)
    AddNLW({}, 0, -1, {}, true);
  const bool hadBR = Item->GetBR();
  Item->SetSameAsPrev(false);
  Item->SetBR((hadBR || !FAllowNewPara) && !Item->GetBoolValue(rvbpFullWidth) && ItemCount() > 0);
  if (Item->ParaNo == -1)
    Item->ParaNo = 0;
}

void TCustomRVData::TakeItemCheckpoint(TCustomRVItemInfo* Item) {
  if (!Item->Checkpoint)
    return;
  AddCheckpoint(Item->Checkpoint->Name, Item->Checkpoint->RaiseEvent, Item->Checkpoint->Tag);
  Item->Checkpoint.reset();
}

void TCustomRVData::InsertAtEnd(TRVUnicodeString Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  TCustomRVItemInfo* item = Item.get();
  SetCP(item, LastCP, NotAddedCP);
  item->UpdatePaletteInfo(GetDoInPaletteMode(), false);
  item->Inserting(this, Text, !State.Contains(rvstClearing));
  FItems->AddObject(std::move(Text), std::move(Item));
  item->Inserted(this, ItemCount() - 1);
}

void TCustomRVData::AddItem(const TRVUnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item) {
  AdjustItemParaNoBeforeAdding(Item.get());
  TakeItemCheckpoint(Item.get());
  InsertAtEnd(Text, std::move(Item));
  // Sequence fields and print fields would be entered into their lists here; no kind of this
  // engine is either.
}

void TCustomRVData::AddItemAsIs(const TRVUnicodeString& Text,
                                std::unique_ptr<TCustomRVItemInfo> Item) {
  TakeItemCheckpoint(Item.get());
  InsertAtEnd(Text, std::move(Item));
}

// ---------------------------------------------------------------------------------------------
// Horizontal lines

void TCustomRVData::AddBreak(std::int32_t Width, TRVBreakStyle Style, TColor Color,
                             const TRVTag& Tag) {
  if (Width == 0) {
    TRVStyle* style = GetRVStyle();
    Width = style != nullptr ? style->PixelsToUnits(1) : 1;
  }
  auto item = std::make_unique<TRVBreakItemInfo>(this, static_cast<std::uint8_t>(Width & 0xFF),
                                                 Style, Color);
  item->SetSameAsPrev(false);
  item->ParaNo = 0;
  item->Tag = Tag;
  AdjustItemParaNoBeforeAdding(item.get());
  TakeItemCheckpoint(item.get());
  InsertAtEnd({}, std::move(item));
}

void TCustomRVData::AddBreakEx(std::int32_t Width, TRVBreakStyle Style, TColor Color) {
  AddBreak(Width, Style, Color, {});
}

void TCustomRVData::AddBreakExTag(std::int32_t Width, TRVBreakStyle Style, TColor Color,
                                  const TRVTag& Tag) {
  AddBreak(Width, Style, Color, Tag);
}

void TCustomRVData::AddBreakTag(const TRVTag& Tag) {
  AddBreak(0, rvbsLine, clNone, Tag);
}

} // namespace richtext
