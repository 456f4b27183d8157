// The layout as a binary stream: drawing items with their class, in order.
#include "richtext/base/RVStream.h"
#include "richtext/layout/CRVFData.h"

namespace richtext {

namespace {

void WriteInt(TRVStream& Stream, std::int32_t Value) {
  const auto u = static_cast<std::uint32_t>(Value);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16),
                              static_cast<unsigned char>(u >> 24)};
  Stream.WriteBuffer(b, 4);
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

constexpr std::int32_t ItemDataMarker = -1;
constexpr std::int32_t EndMarker = -2;

} // namespace

// Items of this engine keep no formatting data of their own, so no item data block (marked
// by ItemDataMarker) is ever written after an item's first drawing item.
void TCustomRVFormattedData::SaveFormattingToStream(TRVStream& Stream) {
  WriteInt(Stream, DrawItems.Count());
  for (std::int32_t i = 0; i < DrawItems.Count(); ++i) {
    const TRVDrawLineInfo* d = DrawItems[i];
    WriteInt(Stream, d->GetStreamingId() & 0x7F);
    d->WriteFields(Stream);
  }
  WriteInt(Stream, EndMarker);
}

void TCustomRVFormattedData::LoadFormattingFromStream(TRVStream& Stream) {
  const std::int32_t count = ReadInt(Stream);
  if (count < 0)
    RVDLinesAssertionFailure();
  TRVDrawLines loaded;
  std::vector<std::int32_t> firstDrawItem(static_cast<std::size_t>(ItemCount()), -1);
  std::int32_t id = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    id = ReadInt(Stream);
    // Item data follows the previous drawing item; these items have none to read, so a block
    // here cannot be understood.
    if (id == ItemDataMarker)
      RVDLinesAssertionFailure();
    std::unique_ptr<TRVDrawLineInfo> d = RVCreateDrawLineInfo(id & 0x7F);
    if (d == nullptr)
      RVDLinesAssertionFailure();
    d->ReadFields(Stream);
    // A layout for another document would point at items that are not there.
    if (d->ItemNo < 0 || d->ItemNo >= ItemCount())
      RVDLinesAssertionFailure();
    if (firstDrawItem[static_cast<std::size_t>(d->ItemNo)] < 0)
      firstDrawItem[static_cast<std::size_t>(d->ItemNo)] = i;
    loaded.Add(std::move(d));
  }
  if (ReadInt(Stream) != EndMarker)
    RVDLinesAssertionFailure();
  DrawItems.Swap(loaded);
  for (std::int32_t i = 0; i < ItemCount(); ++i)
    GetItem(i)->DrawItemNo = firstDrawItem[static_cast<std::size_t>(i)];
}

} // namespace richtext
