// Edits of a document as small steps that each produce the step undoing them.
//
// Every change an editor makes to the items goes through one of five primitive steps: text
// into or out of a text item, an item into or out of the list, and an item's properties
// (style, paragraph style, paragraph-structure options, tag). Applying a step answers its
// inverse, computed from the document as it was, so undo is the inverses applied in reverse
// order, and applying those answers the redo steps. The word-processor operations built from
// them (typing, deleting a range, splitting and joining paragraphs) are in RVEditOps.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/document/RVItem.h"

namespace richtext {

class TCustomRVData;

// Which items a step touched, in the numbering after it: from First to the item that has
// FromEnd items after it (an empty range when an item was only removed).
struct TRVEditRange {
  std::int32_t First = 0;
  std::int32_t FromEnd = 0;
};

class TRVEditStep {
public:
  virtual ~TRVEditStep() = default;
  // Changes the document and answers the step that puts it back.
  virtual std::unique_ptr<TRVEditStep> Apply(TCustomRVData& Data, TRVEditRange& Touched) = 0;
  // One line for dumps: "insert text 2@3 \"ab\"".
  virtual std::string Describe() const = 0;
};

// Text into text item ItemNo before the 0-based character Index.
std::unique_ptr<TRVEditStep> RVInsertTextStep(std::int32_t ItemNo, std::int32_t Index,
                                              std::u16string Text);
// Count characters of text item ItemNo from the 0-based Index.
std::unique_ptr<TRVEditStep> RVDeleteTextStep(std::int32_t ItemNo, std::int32_t Index,
                                              std::int32_t Count);
// A ready item (its text in ItemText) to become item ItemNo.
std::unique_ptr<TRVEditStep> RVInsertItemStep(std::int32_t ItemNo,
                                              std::unique_ptr<TCustomRVItemInfo> Item);
// Item ItemNo out of the list (kept by the inverse step).
std::unique_ptr<TRVEditStep> RVDeleteItemStep(std::int32_t ItemNo);

// What TRVSetItemPropsStep sets; the paragraph-structure options are SameAsPrev, BR and
// PageBreakBefore, the others stay.
struct TRVItemProps {
  std::int32_t StyleNo = 0;
  std::int32_t ParaNo = 0;
  TRVItemOptions Options;
  TRVTag Tag;
  static TRVItemProps Of(const TCustomRVItemInfo& Item);
};
std::unique_ptr<TRVEditStep> RVSetItemPropsStep(std::int32_t ItemNo, const TRVItemProps& Props);

// The steps of one user action in the order they were applied, and the range they touched.
// Apply steps through Do; Revert applies the inverses backwards and answers the group that
// redoes the action.
class TRVEditGroup {
public:
  bool Empty() const { return FSteps.empty(); }
  std::size_t Size() const { return FSteps.size(); }
  // Applies the step to Data and keeps its inverse.
  void Do(TCustomRVData& Data, std::unique_ptr<TRVEditStep> Step);
  // Takes over the steps of Later (applied after this group's).
  void Append(TRVEditGroup&& Later);
  TRVEditGroup Revert(TCustomRVData& Data);
  // The union of the touched ranges of every step; First > last item when nothing was.
  bool HasTouched() const { return FTouchedAny; }
  const TRVEditRange& Touched() const { return FTouched; }
  // The inverse steps, one per line.
  std::string Dump() const;

private:
  void Touch(const TRVEditRange& Range);
  std::vector<std::unique_ptr<TRVEditStep>> FSteps; // inverses, in application order
  TRVEditRange FTouched;
  bool FTouchedAny = false;
};

} // namespace richtext
