// Progress of one write (RVF, RTF or text), and its expected size, shared by the writers.
#pragma once

#include <algorithm>
#include <cstdint>

#include "richtext/document/CRVData.h"

#include "richtext/document/RVRootProps.h"
#include "richtext/document/RVTypes.h"

namespace richtext {

// Reported only to an owner that listens, and only by the top level of a write; once started,
// the end is reported on every way out, exceptions included.
class TRVWriteProgress {
public:
  TRVWriteProgress(TRVLongOperation Operation, TRVRootEvents* Events, bool Active,
                   std::int32_t Count)
      : FOperation(Operation),
        FEvents(Active && Events != nullptr && Events->HasProgressHandler() ? Events : nullptr),
        FCount(Count) {
    if (FEvents != nullptr)
      FEvents->DoProgress(FOperation, rvpstgStarting, 0);
  }
  ~TRVWriteProgress() {
    if (FEvents != nullptr)
      FEvents->DoProgress(FOperation, rvpstgEnding, 100);
  }
  TRVWriteProgress(const TRVWriteProgress&) = delete;
  TRVWriteProgress& operator=(const TRVWriteProgress&) = delete;

  // Done items of Count; a step is reported when the whole percentage changes.
  void Step(std::int32_t Done) {
    if (FEvents == nullptr || FCount <= 0)
      return;
    const auto percent = static_cast<int>(static_cast<std::int64_t>(Done) * 100 / FCount);
    if (percent != FLast) {
      FLast = percent;
      FEvents->DoProgress(FOperation, rvpstgRunning, static_cast<std::uint8_t>(percent));
    }
  }

private:
  TRVLongOperation FOperation;
  TRVRootEvents* FEvents;
  std::int32_t FCount;
  int FLast = 0;
};

// Characters and items of items First .. Last, for the writers' estimates of their output.
struct TRVRangeSize {
  std::uint64_t Chars = 0;
  std::uint64_t Items = 0;
};
inline TRVRangeSize RVRangeSize(const TCustomRVData& Data, std::int32_t First, std::int32_t Last) {
  TRVRangeSize size;
  for (std::int32_t i = std::max(First, 0); i <= Last && i < Data.ItemCount(); ++i) {
    size.Chars += Data.GetItemText(i).size();
    ++size.Items;
  }
  return size;
}

} // namespace richtext
