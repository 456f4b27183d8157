// Process-wide switches of the style subsystem and the cursor registry.
#include <algorithm>

#include "richtext/style/RVStyle.h"

namespace richtext {

TRVSpecialCharacters RVVisibleSpecialCharacters = TRVSpecialCharacters::FromValue(0xFF);
bool RichViewCompareStyleNames = false;

namespace {
std::vector<TRVCursorRegistration>& Cursors() {
  static std::vector<TRVCursorRegistration> cursors;
  return cursors;
}
} // namespace

void RVRegisterCursor(const TRVCursorRegistration& Cursor) {
  auto& list = Cursors();
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const TRVCursorRegistration& c) { return c.Id == Cursor.Id; });
  if (it != list.end())
    *it = Cursor;
  else
    list.push_back(Cursor);
}

std::vector<TRVCursorRegistration> RVGetRegisteredCursors() {
  return Cursors();
}

bool RVIsCursorRegistered(TCursor Id) {
  const auto& list = Cursors();
  return std::any_of(list.begin(), list.end(),
                     [&](const TRVCursorRegistration& c) { return c.Id == Id; });
}

} // namespace richtext
