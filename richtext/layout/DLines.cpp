#include "richtext/layout/DLines.h"

#include <sstream>

#include "richtext/base/RVUni.h"
#include "richtext/base/RVClasses.h"
#include "richtext/document/RVItem.h"
#include "richtext/base/RVStream.h"

namespace richtext {

void RVDLinesAssertionFailure() {
  throw ERichViewError("Assertion failure");
}

namespace {

void WriteInt(TRVStream& Stream, std::int32_t Value) {
  const auto u = static_cast<std::uint32_t>(Value);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16),
                              static_cast<unsigned char>(u >> 24)};
  Stream.WriteBuffer(b, 4);
}

void WriteByte(TRVStream& Stream, std::uint8_t Value) {
  Stream.WriteBuffer(&Value, 1);
}

std::int32_t ReadInt(TRVStream& Stream) {
  unsigned char b[4];
  if (Stream.Read(b, 4) != 4)
    RVDLinesAssertionFailure();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) |
                                   (static_cast<std::uint32_t>(b[1]) << 8) |
                                   (static_cast<std::uint32_t>(b[2]) << 16) |
                                   (static_cast<std::uint32_t>(b[3]) << 24));
}

std::uint8_t ReadByte(TRVStream& Stream) {
  std::uint8_t b = 0;
  if (Stream.Read(&b, 1) != 1)
    RVDLinesAssertionFailure();
  return b;
}

} // namespace

TRVDrawLineInfo::TRVDrawLineInfo(std::int32_t ALeft, std::int32_t ATop, std::int32_t AWidth,
                                 std::int32_t AHeight, std::int32_t AItemNo, bool AFromNewLine) {
  SetData(ALeft, ATop, AItemNo, AFromNewLine);
  SetSize(AWidth, AHeight);
}

void TRVDrawLineInfo::SetData(std::int32_t ALeft, std::int32_t ATop, std::int32_t AItemNo,
                              bool AFromNewLine) {
  Left = ALeft;
  Top = ATop;
  ItemNo = AItemNo;
  FromNewLine = AFromNewLine;
}

void TRVDrawLineInfo::SetSize(std::int32_t AWidth, std::int32_t AHeight) {
  Width = AWidth;
  Height = AHeight;
}

void TRVDrawLineInfo::WriteFields(TRVStream& Stream) const {
  for (std::int32_t v : {Left, Top, Width, Height, ItemNo, Offs, TextLength, BaseLine})
    WriteInt(Stream, v);
  WriteByte(Stream, FromNewLine ? 1 : 0);
  WriteByte(Stream, FromNewPara ? 1 : 0);
  WriteByte(Stream, FloatingAboveUsed ? 1 : 0);
  WriteByte(Stream, 0); // padding to the record's alignment
}

void TRVDrawLineInfo::ReadFields(TRVStream& Stream) {
  for (std::int32_t* v : {&Left, &Top, &Width, &Height, &ItemNo, &Offs, &TextLength, &BaseLine})
    *v = ReadInt(Stream);
  FromNewLine = ReadByte(Stream) != 0;
  FromNewPara = ReadByte(Stream) != 0;
  FloatingAboveUsed = ReadByte(Stream) != 0;
  ReadByte(Stream);
}

void TRVJustifyDrawLineInfo::WriteFields(TRVStream& Stream) const {
  TRVDrawLineInfo::WriteFields(Stream);
  for (std::int32_t v : {FTextWidth, FSpaceCount, FLeftNoExpandIndex, FRightNoExpandIndex})
    WriteInt(Stream, v);
}

void TRVJustifyDrawLineInfo::ReadFields(TRVStream& Stream) {
  TRVDrawLineInfo::ReadFields(Stream);
  for (std::int32_t* v : {&FTextWidth, &FSpaceCount, &FLeftNoExpandIndex, &FRightNoExpandIndex})
    *v = ReadInt(Stream);
}

void TRVSimpleLineHeightDrawLineInfo::WriteFields(TRVStream& Stream) const {
  TRVJustifyDrawLineInfo::WriteFields(Stream);
  WriteInt(Stream, FExtraSpaceBelow);
}

void TRVSimpleLineHeightDrawLineInfo::ReadFields(TRVStream& Stream) {
  TRVJustifyDrawLineInfo::ReadFields(Stream);
  FExtraSpaceBelow = ReadInt(Stream);
}

void TRVComplexLineHeightDrawLineInfo::WriteFields(TRVStream& Stream) const {
  TRVSimpleLineHeightDrawLineInfo::WriteFields(Stream);
  WriteInt(Stream, FExtraSpaceAbove);
}

void TRVComplexLineHeightDrawLineInfo::ReadFields(TRVStream& Stream) {
  TRVSimpleLineHeightDrawLineInfo::ReadFields(Stream);
  FExtraSpaceAbove = ReadInt(Stream);
}

void TRVFloatingDrawLineInfo::WriteFields(TRVStream& Stream) const {
  TRVComplexLineHeightDrawLineInfo::WriteFields(Stream);
  for (std::int32_t v : {FloatLeft, FloatTop, FloatWidth, FloatHeight})
    WriteInt(Stream, v);
  WriteByte(Stream, static_cast<std::uint8_t>(FloatType));
  for (int i = 0; i < 3; ++i)
    WriteByte(Stream, 0);
}

void TRVFloatingDrawLineInfo::ReadFields(TRVStream& Stream) {
  TRVComplexLineHeightDrawLineInfo::ReadFields(Stream);
  for (std::int32_t* v : {&FloatLeft, &FloatTop, &FloatWidth, &FloatHeight})
    *v = ReadInt(Stream);
  const std::uint8_t t = ReadByte(Stream);
  if (t > static_cast<std::uint8_t>(rvdifRight))
    RVDLinesAssertionFailure();
  FloatType = static_cast<TRVFloatingDrawItemType>(t);
  for (int i = 0; i < 3; ++i)
    ReadByte(Stream);
}

std::unique_ptr<TRVDrawLineInfo> RVCreateDrawLineInfo(std::int32_t StreamingId) {
  switch (StreamingId) {
  case 0:
    return std::make_unique<TRVDrawLineInfo>();
  case 1:
    return std::make_unique<TRVJustifyDrawLineInfo>();
  case 2:
    return std::make_unique<TRVSimpleLineHeightDrawLineInfo>();
  case 3:
    return std::make_unique<TRVComplexLineHeightDrawLineInfo>();
  case 4:
    return std::make_unique<TRVFloatingDrawLineInfo>();
  default:
    return nullptr;
  }
}

// -- list --

void TRVDrawLines::CheckIndex(std::int32_t Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
}

TRVDrawLineInfo* TRVDrawLines::Items(std::int32_t Index) const {
  CheckIndex(Index);
  return FItems[static_cast<std::size_t>(Index)].get();
}

TRVDrawLineInfo* TRVDrawLines::Add(std::unique_ptr<TRVDrawLineInfo> Item) {
  if (FStartDeletedIndex >= 0)
    return Insert(Count(), std::move(Item));
  FItems.push_back(std::move(Item));
  return FItems.back().get();
}

TRVDrawLineInfo* TRVDrawLines::Insert(std::int32_t Index, std::unique_ptr<TRVDrawLineInfo> Item) {
  TRVDrawLineInfo* result = Item.get();
  if (FStartDeletedIndex >= 0) {
    if (Index != FStartDeletedIndex)
      RVDLinesAssertionFailure();
    if (FDeletedCount > 0) {
      FItems[static_cast<std::size_t>(Index)] = std::move(Item);
      --FDeletedCount;
    } else {
      FItems.insert(FItems.begin() + Index, std::move(Item));
    }
    ++FStartDeletedIndex;
    return result;
  }
  if (Index < 0 || Index > Count())
    throw EListError(Index);
  FItems.insert(FItems.begin() + Index, std::move(Item));
  return result;
}

void TRVDrawLines::Delete(std::int32_t Index) {
  if (FStartDeletedIndex >= 0) {
    if (Index != FStartDeletedIndex - 1)
      RVDLinesAssertionFailure();
    FItems[static_cast<std::size_t>(Index)].reset();
    --FStartDeletedIndex;
    ++FDeletedCount;
    return;
  }
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

void TRVDrawLines::MarkForDelete(std::int32_t First, std::int32_t Last) {
  if (FStartDeletedIndex >= 0 || First < 0 || Last >= Count() || First > Last + 1)
    RVDLinesAssertionFailure();
  for (std::int32_t i = First; i <= Last; ++i)
    FItems[static_cast<std::size_t>(i)].reset();
  FStartDeletedIndex = First;
  FDeletedCount = Last - First + 1;
}

void TRVDrawLines::DeleteMarked() {
  if (FStartDeletedIndex < 0)
    return;
  FItems.erase(FItems.begin() + FStartDeletedIndex,
               FItems.begin() + FStartDeletedIndex + FDeletedCount);
  FStartDeletedIndex = -1;
  FDeletedCount = 0;
}

void TRVDrawLines::Clear() {
  FItems.clear();
  FStartDeletedIndex = -1;
  FDeletedCount = 0;
}

std::u16string TRVDrawLines::GetString(std::int32_t Index, const TRVItemList& Items) const {
  const TRVDrawLineInfo* d = this->Items(Index);
  if (d == nullptr)
    return {};
  const std::u16string& s = Items.GetItem(d->ItemNo);
  if (d->Offs < 1 || d->TextLength <= 0 || static_cast<std::size_t>(d->Offs - 1) >= s.size())
    return {};
  return s.substr(static_cast<std::size_t>(d->Offs - 1), static_cast<std::size_t>(d->TextLength));
}

namespace {
// UTF-8 with control characters, quotes and backslashes escaped as \\xNN.
void AppendUtf8(std::string& out, const std::u16string& s) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0x20 && c != u'"' && c != u'\\')
      continue;
    out += RVU_UnicodeToUtf8(std::u16string_view(s).substr(plain, i - plain));
    static const char* hex = "0123456789ABCDEF";
    out += "\\x";
    out += hex[(c >> 4) & 15];
    out += hex[c & 15];
    plain = i + 1;
  }
  out += RVU_UnicodeToUtf8(std::u16string_view(s).substr(plain));
}
} // namespace

std::string TRVDrawLines::Dump(const TRVItemList* Items) const {
  std::ostringstream out;
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TRVDrawLineInfo* d = FItems[static_cast<std::size_t>(i)].get();
    out << i << ": ";
    if (d == nullptr) {
      out << "(deleted)\n";
      continue;
    }
    out << "item " << d->ItemNo << " offs " << d->Offs << " len " << d->TextLength << " at "
        << d->Left << ',' << d->Top << " size " << d->Width << 'x' << d->Height << " base "
        << d->BaseLine;
    if (d->FromNewLine || d->FromNewPara) {
      out << ' ';
      if (d->FromNewLine)
        out << 'L';
      if (d->FromNewPara)
        out << 'P';
    }
    if (Items != nullptr && d->ItemNo >= 0 && d->ItemNo < Items->Count() && d->TextLength > 0) {
      std::string text;
      AppendUtf8(text, GetString(i, *Items));
      out << " \"" << text << '"';
    }
    out << '\n';
  }
  return out.str();
}

} // namespace richtext
