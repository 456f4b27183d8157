// RichView Format reading: everything the RVF writer writes (version, units, resolution, the
// style sheet's collections, document properties, checkpoints, text records of either read
// type, horizontal lines and tabs with their extra properties).
//
// Reading is all or nothing: the whole stream is parsed into a fragment first, and only a
// fragment that parsed completely touches a document or a style sheet. A malformed or
// truncated stream raises ERichViewError with a message that starts "RVF reading error:".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/document/CRVData.h"
#include "richtext/document/RVItem.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

// What a stream holds, before it meets a document. Style numbers of the items refer to the
// stream's own collections when it carries them (HasTextStyles / HasParaStyles), else to the
// style sheet of the document it is read for.
class TRVFFragment {
public:
  TRVFFragment() = default;
  TRVFFragment(const TRVFFragment&) = delete;
  TRVFFragment& operator=(const TRVFFragment&) = delete;

  // Items with their text in ItemText. ParaNo is -1 where the stream continues a paragraph
  // it did not start (a selection that began inside one).
  std::vector<std::unique_ptr<TCustomRVItemInfo>> Items;
  // A checkpoint after the last item.
  std::unique_ptr<TRVCPInfo> EndCheckpoint;
  bool HasTextStyles = false;
  bool HasParaStyles = false;
  TFontInfos TextStyles{nullptr};
  TParaInfos ParaStyles{nullptr};
  bool HasUnits = false;
  TRVStyleUnits Units = rvstuPixels;
  bool HasDocProperties = false;
  std::vector<std::u16string> DocProperties;
};

// Parses Bytes for a document of RVData's kind (style references by name and style numbers are
// checked against the stream's collections or RVData's style sheet). Changes nothing.
std::unique_ptr<TRVFFragment> RVFParse(std::string_view Bytes, TCustomRVData& RVData);

// How the stream's style collections meet the document's style sheet.
enum class TRVFStyleLoading : std::uint8_t {
  // The sheet's text and paragraph styles become the stream's (a document read back whole).
  rvfslReplace,
  // Each style of the stream is found in the sheet, or appended when missing, and the items'
  // style numbers are mapped to the sheet's.
  rvfslAddIfNeeded
};

// Replaces RVData's items by the stream's. On any error RVData and its style sheet are left
// as they were. The document needs formatting afterwards.
void RVFLoadDocument(TCustomRVData& RVData, std::string_view Bytes,
                     TRVFStyleLoading Styles = TRVFStyleLoading::rvfslReplace);

// The stream's items, ready to be inserted into RVData: the stream's styles are merged into the
// sheet as rvfslAddIfNeeded does and the style numbers mapped. The sheet changes only when the
// whole stream parsed.
std::vector<std::unique_ptr<TCustomRVItemInfo>> RVFReadItemsForInsertion(TCustomRVData& RVData,
                                                                        std::string_view Bytes);

// The same two steps for a fragment any reader parsed (the HTML and RTF readers make one too).
// Neither can fail once the fragment exists, so a reader that parses completely before calling
// them is all or nothing as well. The fragment's items are moved out.
void RVLoadFragment(TCustomRVData& RVData, TRVFFragment& Fragment,
                    TRVFStyleLoading Styles = TRVFStyleLoading::rvfslReplace);
std::vector<std::unique_ptr<TCustomRVItemInfo>>
RVFragmentItemsForInsertion(TCustomRVData& RVData, TRVFFragment& Fragment);

} // namespace richtext
