#include "richtext/base/RVStream.h"
#include "richtext/base/RVHugePages.h"

#include <algorithm>
#include <cstring>

namespace richtext {

void TRVMemoryStream::WriteBuffer(const void* data, std::size_t count) {
  if (count == 0)
    return;
  if (FPosition == FData.size()) {
    FData.append(static_cast<const char*>(data), count);
  } else {
    // Writing after a seek back overwrites in place and may extend the end.
    const std::size_t overlap = std::min(count, FData.size() - FPosition);
    std::memcpy(FData.data() + FPosition, data, overlap);
    FData.append(static_cast<const char*>(data) + overlap, count - overlap);
  }
  FPosition += count;
}

void TRVMemoryStream::ExpectMore(std::uint64_t Bytes) {
  const std::uint64_t wanted = FPosition + Bytes;
  if (wanted > FData.capacity() && wanted <= FData.max_size()) {
    FData.reserve(static_cast<std::size_t>(wanted));
    // A big document is written into fresh memory: huge pages spare a fault every 4 KiB.
    RV_AdviseHugePages(FData.data(), FData.capacity());
  }
}

std::size_t TRVMemoryStream::Read(void* data, std::size_t count) {
  const std::size_t n = std::min(count, FData.size() - FPosition);
  if (n > 0)
    std::memcpy(data, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

void TRVMemoryStream::SetPosition(std::uint64_t position) {
  FPosition = static_cast<std::size_t>(std::min<std::uint64_t>(position, FData.size()));
}

std::string TRVMemoryStream::TakeBytes() {
  std::string bytes = std::move(FData);
  Clear();
  return bytes;
}

void TRVMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

} // namespace richtext
