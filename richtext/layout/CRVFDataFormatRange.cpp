#include "richtext/layout/CRVFData.h"

namespace richtext {

bool TCustomRVFormattedData::FormatRange(std::int32_t, std::int32_t, std::int32_t) {
  return false;
}

} // namespace richtext
