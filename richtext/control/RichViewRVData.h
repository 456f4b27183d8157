// The document a rich view control owns: it answers the owner-level questions of every
// document of the control (style sheet, options, flags, root properties, events) from the
// control, and raises the control's events for the root document's notifications.
#pragma once

#include <memory>

#include "richtext/document/RVRootProps.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/layout/RVCaretLayout.h"

namespace richtext {

class TCustomRichView;

// The formatted-data clearing runs inside Clear below before the control's own steps.
class TRichViewRVData : public TCustomRVFormattedData {
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

  // -- what formatting and selection ask of the control --
  std::int32_t GetLeftMargin() override;
  std::int32_t GetRightMargin() override;
  std::int32_t GetTopMargin() override;
  std::int32_t GetBottomMargin() override;
  std::int32_t GetMinTextWidth() override;
  std::int32_t GetMaxTextWidth() override;
  std::int32_t GetWidth() override;
  std::int32_t GetHeight() override;
  void SetDocumentAreaSize(std::int32_t Width, std::int32_t Height, bool UpdateH) override;
  void ScrollTo(std::int32_t Y, bool Redraw) override;
  std::int32_t GetVOffs() override;
  std::int32_t GetMaxLength() override;
  TRVCanvas* GetCanvas() override;
  bool IsDestroying() override;
  void DoSelect() override;
  void DoOnSelection(bool AllowScrolling) override;
  // Draws the control's caret over the painted document.
  void PostPaintTo(TRVCanvas& Canvas, std::int32_t XShift, std::int32_t YShift,
                   std::int32_t FirstDrawItemNo, std::int32_t LastDrawItemNo,
                   bool PrintMode) override;
  // The control's own caret move: sets the selection's ends (valid positions of this layout)
  // and raises OnSelect, without telling the control what it did itself.
  void SetCaretSelection(const TRVCaretPos& Anchor, const TRVCaretPos& Caret);

protected:
  bool IsRoot() { return GetAbsoluteRootData() == this; }

private:
  void RaiseOnSelect();
  TCustomRichView* FRichView;
  TRVRootProperties FRootProperties;
};

// The class of a control's document, made with the control as owner.
using TRichViewRVDataClass = std::unique_ptr<TRichViewRVData> (*)(TCustomRichView* RichView);

} // namespace richtext
