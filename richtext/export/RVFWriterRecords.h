// The RichView Format records that come before a document's items (inside the writer).
#pragma once

#include "richtext/document/CRVData.h"

namespace richtext {

class TRVStream;

// The version line.
void RVFWriteVersion(TRVStream& Stream);
// What only the main document writes: units (for twips), the resolution, the style sheet's
// collections as the options ask, document properties and parameters.
void RVFWriteRootRecords(TRVStream& Stream, TCustomRVData& RVData, TRVFSaveScope SaveScope,
                         TRVFOptions Options);

} // namespace richtext
