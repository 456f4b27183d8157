// Small text helpers shared by the document's building operations.
#pragma once

#include <string>

namespace richtext {

// Each tab character becomes SpacesInTab spaces; with SpacesInTab 0 or less tabs are deleted.
void RV_ReplaceTabs(std::u16string& s, int SpacesInTab);

} // namespace richtext
