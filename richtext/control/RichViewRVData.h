// The document a rich view control owns: it answers the owner-level questions of every
// document of the control (style sheet, options, flags, root properties, events) from the
// control, and raises the control's events for the root document's notifications.
#pragma once

#include <memory>

#include "richtext/document/CRVData.h"
#include "richtext/document/RVRootProps.h"

namespace richtext {

class TCustomRichView;

// The control's document builds directly on the document data for now; the formatted-data
// layer (TCustomRVFormattedData: layout, selection, painting, copying) goes between the two,
// and its clearing runs inside Clear below before the control's own steps.
class TRichViewRVData : public TCustomRVData {
public:
  explicit TRichViewRVData(TCustomRichView* RichView);

  TCustomRichView* GetRichView() const { return FRichView; }

  TRVRootProperties* GetRootProperties() override;
  TRVRootEvents* GetRootEvents() override;
  bool IsWordWrapAllowed() override;
  TRVOptions GetOptions() override;
  void SetOptions(TRVOptions Value) override;
  // The control's main document can hold page breaks (shown with rvoShowPageBreaks).
  bool SupportsPageBreaks() override { return true; }
  TRVFlags GetFlags() override;
  void SetFlags(TRVFlags Value) override;
  TRVStyle* GetRVStyle() override;
  TRVPaletteAction GetDoInPaletteMode() override;
  void Clear() override;
  void ItemAction(TRVItemAction ItemAction, TCustomRVItemInfo* Item, TRVUnicodeString& Text,
                  TCustomRVData* RVData) override;
  void AfterAddStyle(TCustomRVInfo* StyleInfo) override;
  void DoJump(std::int32_t id) override;

protected:
  bool IsRoot() { return GetAbsoluteRootData() == this; }

private:
  TCustomRichView* FRichView;
  TRVRootProperties FRootProperties;
};

// The class of a control's document, made with the control as owner.
using TRichViewRVDataClass = std::unique_ptr<TRichViewRVData> (*)(TCustomRichView* RichView);

} // namespace richtext
