// Plain text export of a document range. Every piece of text passes one place (TRVTextWriter::
// Put), which gives the owner's custom saver its chance and maps symbol-font text to Unicode.
#include "richtext/export/RVItemWriters.h"
#include "richtext/export/RVTextExport.h"

#include <bit>
#include <vector>

#include "richtext/document/CRVData.h"
#include "richtext/base/RVSymbolFont.h"
#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVFMisc.h"
#include "richtext/base/RVStream.h"
#include "richtext/export/RVWriteProgress.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

bool RichViewSavePageBreaksInText = false;

namespace {

void WriteUnits(TRVStream& Stream, std::u16string_view Text) {
  if constexpr (std::endian::native == std::endian::little)
    Stream.WriteBuffer(Text.data(), Text.size() * sizeof(char16_t));
  else
    RVFWriteW(Stream, Text);
}

class TRVTextWriter {
public:
  TRVTextWriter(TCustomRVData& RVData, TRVStream& Stream, const TRVTextSavingData& SaveData)
      : D(RVData), S(Stream), SD(SaveData), Style(RVData.GetRVStyle()),
        Events(RVData.GetRootEvents()) {}

  // Writes item ItemNo from offset From to To (item offsets).
  void WriteItem(std::int32_t ItemNo, std::int32_t From, std::int32_t To) {
    if (Item(ItemNo)->StyleNo >= 0)
      WriteTextItem(ItemNo, From, To);
    else
      WriteNonTextItem(ItemNo, From, To);
  }
  void WriteNonTextItem(std::int32_t ItemNo, std::int32_t From, std::int32_t To);
  // What goes between the previous item and this one.
  void WriteSeparator(std::int32_t ItemNo);

private:
  TCustomRVItemInfo* Item(std::int32_t ItemNo) const { return D.Items().GetObject(ItemNo); }
  void WriteTextItem(std::int32_t ItemNo, std::int32_t From, std::int32_t To);
  // The custom saver's text, or Text made ready for export.
  void Put(std::int32_t ItemNo, std::int32_t TextStyleNo, std::u16string_view Text);
  bool IsHiddenTextStyle(std::int32_t StyleNo) const {
    return Style != nullptr && StyleNo >= 0 &&
           Style->TextStyles[StyleNo].Options.Contains(rvteoHidden);
  }
  bool IsHiddenItem(std::int32_t ItemNo);
  bool IsSymbolFontStyle(std::int32_t StyleNo);

  TCustomRVData& D;
  TRVStream& S;
  const TRVTextSavingData& SD;
  TRVStyle* Style;
  TRVRootEvents* Events;
  // Per text style: 0 not asked yet, 1 a known symbol font, 2 any other font.
  std::vector<std::uint8_t> SymbolFontOfStyle;
};

bool TRVTextWriter::IsSymbolFontStyle(std::int32_t StyleNo) {
  if (Style == nullptr || !Style->TextStyles.IsValidIndex(StyleNo))
    return false;
  if (SymbolFontOfStyle.size() <= static_cast<std::size_t>(StyleNo))
    SymbolFontOfStyle.resize(static_cast<std::size_t>(StyleNo) + 1, 0);
  std::uint8_t& known = SymbolFontOfStyle[static_cast<std::size_t>(StyleNo)];
  if (known == 0)
    known = RV_GetKnownSymbolFont(Style->TextStyles[StyleNo].FontName) != TRVKnownSymbolFont::rvksfNone
                ? 1
                : 2;
  return known == 1;
}

void TRVTextWriter::Put(std::int32_t ItemNo, std::int32_t TextStyleNo, std::u16string_view Text) {
  std::u16string custom(Text);
  if (Events->SaveItemToFile(SD.Path, &D, ItemNo, rvsfText, custom)) {
    WriteUnits(S, custom);
    return;
  }
  if (IsSymbolFontStyle(TextStyleNo))
    WriteUnits(S, RV_MakeUniStringForExport(Text, SD.ForANSI,
                                            Style->TextStyles[TextStyleNo].FontName));
  else
    WriteUnits(S, Text);
}

void TRVTextWriter::WriteTextItem(std::int32_t ItemNo, std::int32_t From, std::int32_t To) {
  const std::int32_t styleNo = D.GetActualStyle(Item(ItemNo));
  if (SD.TextOnly && IsHiddenTextStyle(styleNo))
    return;
  std::u16string_view text = D.Items().GetItem(ItemNo);
  if (From >= 1) {
    const auto from = std::min(static_cast<std::size_t>(From - 1), text.size());
    text = text.substr(from, static_cast<std::size_t>(std::max(To - From, 0)));
  }
  Put(ItemNo, styleNo, text);
}

void TRVTextWriter::WriteNonTextItem(std::int32_t ItemNo, std::int32_t From, std::int32_t To) {
  if (From >= To)
    return;
  TCustomRVItemInfo* it = Item(ItemNo);
  if (SD.TextOnly) {
    const auto* nonText = dynamic_cast<const TRVNonTextItemInfo*>(it);
    if ((nonText != nullptr && nonText->Hidden) || !it->GetBoolValue(rvbpAlwaysInText))
      return;
  }
  std::u16string custom;
  if (Events->SaveItemToFile(SD.Path, &D, ItemNo, rvsfText, custom)) {
    WriteUnits(S, custom);
    return;
  }
  const std::u16string text = RVItemAsText(*it, &D, ItemNo, SD, D.Items().GetItem(ItemNo));
  const std::int32_t styleNo = it->GetActualTextStyleNo(&D);
  if (IsSymbolFontStyle(styleNo))
    WriteUnits(S, RV_MakeUniStringForExport(text, SD.ForANSI, Style->TextStyles[styleNo].FontName));
  else
    WriteUnits(S, text);
}

bool TRVTextWriter::IsHiddenItem(std::int32_t ItemNo) {
  TCustomRVItemInfo* it = Item(ItemNo);
  if (it->StyleNo >= 0)
    return IsHiddenTextStyle(D.GetActualStyle(it));
  if (it->StyleNo == rvsListMarker) {
    // A marker shows only with something visible after it in its paragraph.
    for (std::int32_t i = ItemNo + 1; i < D.ItemCount() && !Item(i)->CanBeBorderStart(); ++i)
      if (!IsHiddenItem(i))
        return false;
    return true;
  }
  const auto* nonText = dynamic_cast<const TRVNonTextItemInfo*>(it);
  return nonText != nullptr && nonText->Hidden;
}

void TRVTextWriter::WriteSeparator(std::int32_t ItemNo) {
  if (SD.TextOnly && IsHiddenItem(ItemNo))
    return;
  const TCustomRVItemInfo* it = Item(ItemNo);
  if (it->GetPageBreakBefore() && RichViewSavePageBreaksInText)
    WriteUnits(S, std::u16string_view(&RVTextPageBreak, 1));
  else if (!it->GetSameAsPrev())
    WriteUnits(S, RVTextLineBreak);
}

} // namespace

bool SaveTextToStreamW(TCustomRVData& RVData, const std::u16string& Path, TRVStream& Stream,
                                      std::int32_t LineWidth, bool SelectionOnly, bool TextOnly,
                                      bool ForANSI, bool UnicodeWriteSignature, bool Root) {
  TRVTextSavingData data;
  data.LineWidth = LineWidth;
  data.TextOnly = TextOnly;
  data.ForANSI = ForANSI;
  data.WriteSignature = UnicodeWriteSignature;
  data.Path = Path;
  return DoSaveTextToStreamW(RVData, Stream, SelectionOnly, data, Root);
}

bool SaveTextToStreamA(TCustomRVData& RVData, const std::u16string& Path, TRVStream& Stream,
                                      std::int32_t LineWidth, bool SelectionOnly, bool TextOnly,
                                      TRVCodePage CodePage, bool Root) {
  try {
    TRVMemoryStream unicode;
    const bool ok = SaveTextToStreamW(RVData, Path, unicode, LineWidth, SelectionOnly, TextOnly, true,
                                      false, Root);
    unicode.SetPosition(0);
    RVFWrite(Stream, RVU_UnicodeToAnsi(CodePage, RVU_UnicodeStreamToUnicodeString(unicode)));
    return ok;
  } catch (...) {
    return false;
  }
}

bool DoSaveTextToStreamW(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly,
                                        const TRVTextSavingData& SaveData, bool Root) {
  try {
    if (!SelectionOnly)
      RVData.DoBeforeSaving();
    std::int32_t start = -1, end = -1, startOffs = 0, endOffs = 0;
    TRVMultiDrawItemPart* startPart = nullptr;
    TRVMultiDrawItemPart* endPart = nullptr;
    TCustomRVItemInfo* selected = nullptr;
    RVData.RVFGetLimits(SelectionOnly ? rvfss_Selection : rvfss_Full, start, end, startOffs, endOffs,
                 startPart, endPart, selected);
    if (selected != nullptr) {
      RVItemSaveTextSelectionW(*selected, Stream, &RVData, SaveData);
      return true;
    }
    if (start < 0 || end < start)
      return true;
    TRVWriteProgress progress(rvloTextWrite, RVData.GetRootEvents(), Root, end - start + 1);
    const TRVRangeSize size = RVRangeSize(RVData, start, end);
    Stream.ExpectMore(2 * (size.Chars + 2 * size.Items));
    if (SaveData.WriteSignature)
      WriteUnits(Stream, u"\xFEFF");
    TRVTextWriter w(RVData, Stream, SaveData);
    if (SelectionOnly) {
      // A list marker in front of the selection's line still belongs to its text. (When the
      // range starts at the marker itself, the marker is written as the range's first item.)
      std::int32_t first = start;
      while (first > 0 && RVData.GetItem(first)->GetSameAsPrev())
        --first;
      if (first < start && RVData.GetItem(first)->StyleNo == rvsListMarker)
        w.WriteNonTextItem(first, 0, 1);
    }
    if (start == end) {
      w.WriteItem(start, startOffs, endOffs);
      return true;
    }
    w.WriteItem(start, startOffs, RVData.GetOffsAfterItem(start));
    for (std::int32_t i = start + 1; i < end; ++i) {
      w.WriteSeparator(i);
      w.WriteItem(i, RVData.GetOffsBeforeItem(i), RVData.GetOffsAfterItem(i));
      progress.Step(i - start + 1);
    }
    w.WriteSeparator(end);
    w.WriteItem(end, RVData.GetOffsBeforeItem(end), endOffs);
    // Documents of this engine hold no endnotes, so a whole-document export ends here.
    return true;
  } catch (...) {
    return false;
  }
}

std::u16string GetSelTextW(TCustomRVFormattedData& RVData, bool ForANSI) {
  if (!RVData.SelectionExists(false, true))
    return {};
  TRVMemoryStream stream;
  if (!SaveTextToStreamW(RVData, {}, stream, 80, true, true, ForANSI, false, true))
    return {};
  stream.SetPosition(0);
  return RVU_UnicodeStreamToUnicodeString(stream);
}

std::string GetSelTextA(TCustomRVFormattedData& RVData) {
  return RVU_UnicodeToAnsi(RVData.GetDefaultCodePage(), GetSelTextW(RVData, true));
}

} // namespace richtext
