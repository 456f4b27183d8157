// RichView Format: the document writer. It writes the records before the items, then walks
// the range (the selection or everything) and groups consecutive text items that differ only
// in their text into one record of several lines.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <fstream>
#include <string>

#include "richtext/document/CRVData.h"
#include "richtext/export/RVItemWriters.h"
#include "richtext/export/RVFMisc.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/RVFWriterRecords.h"
#include "richtext/base/RVStream.h"
#include "richtext/export/RVWriteProgress.h"

namespace richtext {

namespace {

bool IsPageScope(TRVFSaveScope Scope) {
  return Scope == rvfss_Page || Scope == rvfss_FromPage || Scope == rvfss_FullInPage;
}

class TRVFItemWriter {
public:
  TRVFItemWriter(TCustomRVData& RVData, TRVStream& Stream, TRVFOptions Options,
                 TRVFSaveScope Scope)
      : D(RVData), S(Stream), FScope(Scope),
        FReadType(Options.Contains(rvfoSaveBinary) ? RVF_READTYPE_TEXT : RVF_READTYPE_HEX) {}

  void Write(bool Root);

private:
  TCustomRVItemInfo* Item(std::int32_t ItemNo) const { return D.Items().GetObject(ItemNo); }
  // A raw text line ends at U+2029, so a record whose text holds one is written in hexadecimal.
  std::int32_t ReadTypeFor(std::int32_t FirstItemNo, std::int32_t Count) const;
  void WriteItemText(std::u16string_view Text, std::int32_t ReadType);
  void WritePartialTextLine(std::int32_t ItemNo, std::int32_t StartOffs, std::int32_t EndOffs,
                            bool ForceSavingPara);
  // Writes the pending group's first Count lines and empties it.
  void Flush(std::int32_t Count);
  void Flush() { Flush(FLineCount); }
  bool JoinsGroup(const TCustomRVItemInfo& It) const;
  void StartGroup(std::int32_t ItemNo, std::int32_t EndItemNo, std::int32_t EndOffs);
  void WriteListMarkerBefore(std::int32_t StartItemNo);

  TCustomRVData& D;
  TRVStream& S;
  TRVFSaveScope FScope;
  std::int32_t FReadType;

  // The pending group: consecutive text items from FHeadNo, and what they share.
  std::int32_t FHeadNo = -1;
  std::int32_t FLineCount = 0;
  std::int32_t FHeadParaRef = 0;
  // A list marker was just written for the paragraph the next record continues.
  bool FMarkerWritten = false;
};

std::int32_t TRVFItemWriter::ReadTypeFor(std::int32_t FirstItemNo, std::int32_t Count) const {
  if (FReadType == RVF_READTYPE_TEXT)
    for (std::int32_t i = FirstItemNo; i < FirstItemNo + Count; ++i)
      if (D.Items().GetItem(i).find(u'\u2029') != std::u16string::npos)
        return RVF_READTYPE_HEX;
  return FReadType;
}

void TRVFItemWriter::WriteItemText(std::u16string_view Text, std::int32_t ReadType) {
  if (ReadType == RVF_READTYPE_TEXT) {
    if constexpr (std::endian::native == std::endian::little)
      S.WriteBuffer(Text.data(), Text.size() * sizeof(char16_t));
    else
      RVFWriteW(S, Text);
    S.Write(RVF_UnicodeLineEnd);
    return;
  }
  std::string bytes(Text.size() * 2, '\0');
  for (std::size_t i = 0; i < Text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(Text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(Text[i] >> 8);
  }
  RVFWriteLineX(S, bytes, true, true);
}

void TRVFItemWriter::WritePartialTextLine(std::int32_t ItemNo, std::int32_t StartOffs,
                                          std::int32_t EndOffs, bool ForceSavingPara) {
  TCustomRVItemInfo* it = Item(ItemNo);
  const bool fromStart = StartOffs <= D.GetOffsBeforeItem(ItemNo);
  if (fromStart && it->Checkpoint)
    RVFWriteCheckpoint(S, *it->Checkpoint);
  std::string styleRef;
  if (it->StyleNo >= 0)
    styleRef = RVFSaveText(&D, it->StyleNo);
  else if (const std::int32_t assoc = it->GetAssociatedTextStyleNo(); assoc >= 0)
    styleRef = RVFSaveText(&D, assoc);
  else
    styleRef = "0";
  const std::int32_t para =
      (!fromStart || it->GetSameAsPrev()) && !ForceSavingPara ? -1 : it->ParaNo;
  const std::int32_t readType = ReadTypeFor(ItemNo, 1);
  RVFWriteLine(S, styleRef + " 1 " + RVFSavePara(&D, para) + ' ' +
                      std::to_string(RVFGetItemOptions(it->ItemOptions, false)) + ' ' +
                      std::to_string(readType) + ' ' + RVFSaveTag(it->Tag) +
                      RVFSaveHint(it->Hint));
  std::u16string_view text;
  if (it->StyleNo >= 0 && EndOffs > StartOffs && StartOffs >= 1) {
    const std::u16string& s = D.Items().GetItem(ItemNo);
    const auto from = static_cast<std::size_t>(StartOffs - 1);
    if (from < s.size())
      text = std::u16string_view(s).substr(from, static_cast<std::size_t>(EndOffs - StartOffs));
  }
  WriteItemText(text, readType);
}

void TRVFItemWriter::Flush(std::int32_t Count) {
  if (Count <= 0) {
    FLineCount = 0;
    return;
  }
  const TCustomRVItemInfo* head = Item(FHeadNo);
  if (head->Checkpoint)
    RVFWriteCheckpoint(S, *head->Checkpoint);
  const std::string styleRef = RVFSaveText(&D, head->StyleNo);
  const std::string tag = RVFSaveTag(head->Tag);
  std::int32_t itemNo = FHeadNo;
  if (FMarkerWritten) {
    // The marker opened the paragraph, so the first line continues it.
    const std::int32_t readType = ReadTypeFor(itemNo, 1);
    RVFWriteLine(S, styleRef + " 1 -1 " + std::to_string(RVFGetItemOptions(head->ItemOptions, true)) +
                        ' ' + std::to_string(readType) + ' ' + tag);
    WriteItemText(D.Items().GetItem(itemNo), readType);
    ++itemNo;
    --Count;
    FMarkerWritten = false;
  }
  if (Count > 0) {
    const std::int32_t readType = ReadTypeFor(itemNo, Count);
    RVFWriteLine(S, styleRef + ' ' + std::to_string(Count) + ' ' + RVFSavePara(&D, FHeadParaRef) +
                        ' ' + std::to_string(RVFGetItemOptions(head->ItemOptions, false)) + ' ' +
                        std::to_string(readType) + ' ' + tag + RVFSaveHint(head->Hint));
    for (const std::int32_t end = itemNo + Count; itemNo < end; ++itemNo)
      WriteItemText(D.Items().GetItem(itemNo), readType);
  }
  FLineCount = 0;
}

bool TRVFItemWriter::JoinsGroup(const TCustomRVItemInfo& It) const {
  if (FLineCount == 0 || It.StyleNo < 0 || It.GetSameAsPrev() || It.Checkpoint)
    return false;
  const TCustomRVItemInfo* head = Item(FHeadNo);
  return It.StyleNo == head->StyleNo && It.ParaNo == head->ParaNo &&
         RVFGetItemOptions(It.ItemOptions, false) == RVFGetItemOptions(head->ItemOptions, false) &&
         It.Tag == head->Tag && It.Hint == head->Hint;
}

void TRVFItemWriter::StartGroup(std::int32_t ItemNo, std::int32_t EndItemNo,
                                std::int32_t EndOffs) {
  Flush();
  TCustomRVItemInfo* it = Item(ItemNo);
  FHeadNo = ItemNo;
  FHeadParaRef = it->GetSameAsPrev() ? -1 : it->ParaNo;
  if (it->StyleNo >= 0) {
    FLineCount = 1;
    return;
  }
  FLineCount = 0;
  if (ItemNo == EndItemNo && EndOffs < 1)
    return; // the selection ends in front of it
  if (it->Checkpoint)
    RVFWriteCheckpoint(S, *it->Checkpoint);
  RVItemSaveRVF(*it, S, &D, ItemNo, FMarkerWritten ? -1 : FHeadParaRef, D.Items().GetItem(ItemNo),
              nullptr, FMarkerWritten);
  FMarkerWritten = false;
}

void TRVFItemWriter::WriteListMarkerBefore(std::int32_t StartItemNo) {
  std::int32_t first = StartItemNo;
  while (first > 0 && Item(first)->GetSameAsPrev())
    --first;
  if (first == StartItemNo || Item(first)->StyleNo != rvsListMarker)
    return;
  TCustomRVItemInfo* marker = Item(first);
  RVItemSaveRVF(*marker, S, &D, first, marker->ParaNo, D.Items().GetItem(first), nullptr, false);
  FMarkerWritten = true;
}

void TRVFItemWriter::Write(bool Root) {
  std::int32_t start = -1, end = -1, startOffs = 0, endOffs = 0;
  TRVMultiDrawItemPart* startPart = nullptr;
  TRVMultiDrawItemPart* endPart = nullptr;
  TCustomRVItemInfo* selected = nullptr;
  D.RVFGetLimits(FScope, start, end, startOffs, endOffs, startPart, endPart, selected);
  if (selected != nullptr) {
    if (RichViewAllowCopyTableCells)
      RVItemSaveRVFSelection(*selected, S, &D);
    return;
  }
  if (start < 0 || end < start)
    return;
  if (start == end && Item(start)->StyleNo >= 0 &&
      (startOffs > D.GetOffsBeforeItem(start) || endOffs < D.GetOffsAfterItem(start))) {
    WritePartialTextLine(start, startOffs, endOffs, false);
    return;
  }

  TRVWriteProgress progress(rvloRVFWrite, D.GetRootEvents(), Root, end - start + 1);
  // Text goes out as UTF-16, and each item adds a header line of a few dozen bytes.
  const TRVRangeSize size = RVRangeSize(D, start, end);
  S.ExpectMore(2 * size.Chars + 48 * size.Items + 4096);
  if (FScope == rvfss_Selection)
    WriteListMarkerBefore(start);
  for (std::int32_t i = start; i <= end; ++i) {
    TCustomRVItemInfo* it = Item(i);
    if (i == start) {
      if (it->StyleNo >= 0 && (startOffs > 1 || IsPageScope(FScope))) {
        WritePartialTextLine(i, startOffs, D.GetOffsAfterItem(i), false);
        FMarkerWritten = false;
        continue;
      }
      if (it->StyleNo < 0 && startOffs >= 1)
        continue; // the selection starts after it
    }
    if (JoinsGroup(*it))
      ++FLineCount;
    else
      StartGroup(i, end, endOffs);
    progress.Step(i - start + 1);
  }
  TCustomRVItemInfo* last = Item(end);
  if (last->StyleNo >= 0 && FLineCount > 0 && FHeadNo + FLineCount - 1 == end &&
      endOffs < D.GetOffsAfterItem(end)) {
    Flush(FLineCount - 1);
    WritePartialTextLine(end, 1, endOffs, false);
  } else {
    Flush();
  }
  // A checkpoint after the last item belongs to the end of the document.
  if (end == D.ItemCount() - 1 && endOffs >= D.GetOffsAfterItem(end) && D.NotAddedCP)
    RVFWriteCheckpoint(S, *D.NotAddedCP);
}

// A file for SaveRVF; errors surface as exceptions, which the caller turns into false.
class TRVFileStream final : public TRVStream {
public:
  explicit TRVFileStream(const std::string& FileName)
      : FFile(FileName, std::ios::binary | std::ios::trunc | std::ios::out) {
    if (!FFile)
      throw ERichViewError("Cannot create file \"" + FileName + "\"");
  }
  void WriteBuffer(const void* data, std::size_t count) override {
    FFile.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
    if (!FFile)
      throw ERichViewError("Stream write error");
    FPosition += count;
    FSize = std::max(FSize, FPosition);
  }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::uint64_t Position() const override { return FPosition; }
  void SetPosition(std::uint64_t position) override {
    FPosition = std::min(position, FSize);
    FFile.seekp(static_cast<std::streamoff>(FPosition));
  }
  std::uint64_t Size() const override { return FSize; }
  void Close() {
    FFile.close();
    if (!FFile)
      throw ERichViewError("Stream write error");
  }

private:
  std::ofstream FFile;
  std::uint64_t FPosition = 0;
  std::uint64_t FSize = 0;
};

std::string Utf8FileName(std::u16string_view FileName) {
  // The RVF string form is UTF-8 with line breaks encoded, which a file name never holds.
  return UnicodeStringToRVFString(FileName);
}

} // namespace

bool SaveRVFToStream(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly, TColor Color,
                                    TRVBackground* Background, TRVLayoutInfo* Layout, bool Root) {
  return SaveRVFToStreamEx(RVData, Stream, SelectionOnly ? rvfss_Selection : rvfss_Full, nullptr, Root,
                           Layout, Background, Color);
}

bool SaveRVFToStreamEx(TCustomRVData& RVData, TRVStream& Stream, TRVFSaveScope SaveScope,
                                      const TRVScreenAndDevice*, bool Root, TRVLayoutInfo*,
                                      TRVBackground*, TColor) {
  try {
    if (RVData.ItemCount() == 0)
      return true;
    const TRVRootProperties* props = RVData.GetRootProperties();
    const TRVFOptions options = props != nullptr ? props->RVFOptions : TRVRootProperties{}.RVFOptions;
    if (SaveScope != rvfss_Selection)
      RVData.DoBeforeSaving();
    RVFWriteVersion(Stream);
    if (Root)
      RVFWriteRootRecords(Stream, RVData, SaveScope, options);
    TRVFItemWriter(RVData, Stream, options, SaveScope).Write(Root);
    return true;
  } catch (...) {
    return false;
  }
}

bool SaveRVF(TCustomRVData& RVData, const std::u16string& FileName, bool SelectionOnly, TColor Color,
                            TRVBackground* Background, TRVLayoutInfo* Layout) {
  try {
    TRVFileStream file(Utf8FileName(FileName));
    const bool ok = SaveRVFToStream(RVData, file, SelectionOnly, Color, Background, Layout, true);
    file.Close();
    return ok;
  } catch (...) {
    return false;
  }
}

} // namespace richtext
