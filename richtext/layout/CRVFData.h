// The formatted-data layer of a document: its layout (drawing items, document size) and its
// selection.
//
// Stages: a document is built (TCustomRVData), then Format_ lays it out into DrawItems; the
// selection and everything geometric read DrawItems, which only formatting writes. ClearTemporal
// and Clear drop the layout. The selection is kept in item positions, so that it survives
// formatting; painting asks for it in drawing item positions of the layout of the moment
// (GetSelBounds), writers in item positions (GetSelectionBounds, StoreSelBounds, RVFGetLimits).
#pragma once

#include <cstdint>

#include "richtext/document/CRVData.h"
#include "richtext/layout/RVCaretPos.h"
#include "richtext/layout/DLines.h"
#include "richtext/layout/RVFormatParams.h"

namespace richtext {

class TRVStream;
class TParaInfo;

// Where Item2DrawItem puts a position of a hidden item.
enum class TRVDrawItemPosition : std::uint8_t { rvdpStrict, rvdpBetterAbove, rvdpBetterBelow };
using enum TRVDrawItemPosition;


enum class TRVSelectingState : std::uint8_t {
  rvsesInWord,
  rvsesOutsideWord,
  rvsesFreeMode,
  rvsesParaMode
};
using enum TRVSelectingState;

// The state of a mouse selection (interactive editing fills it).
class TRVSelectingInfo {
public:
  std::int32_t DrawItemSOffs = 0;
  std::int32_t DrawItemEOffs = 0;
  std::int32_t DrawItemSWordOffs1 = 0;
  std::int32_t DrawItemSWordOffs2 = 0;
  std::int32_t DrawItemEWordOffs1 = 0;
  std::int32_t DrawItemEWordOffs2 = 0;
  std::int32_t DrawItemSNo = 0;
  std::int32_t DrawItemENo = 0;
  TRVSelectingState SWordState = rvsesInWord;
  TRVSelectingState EWordState = rvsesInWord;
  void InitE(TRVSelectingState ASWordState);
};

// What a PaintTo call draws besides its clip rectangle.
struct TRVPaintOptions {
  // Leave out the items that reach below the clip rectangle.
  bool StrictBottom = false;
  // Printing: no selection, no special characters, no hover.
  bool PrintMode = false;
  std::int32_t ExtraXOffs = 0;
  std::int32_t ExtraYOffs = 0;
  // The drawing items to draw, MinDItemNo .. MaxDItemNo (-1: to the last).
  std::int32_t MinDItemNo = 0;
  std::int32_t MaxDItemNo = -1;
};

class TCustomRVFormattedData : public TCustomRVData {
public:
  TCustomRVFormattedData();
  ~TCustomRVFormattedData() override;

  // -- layout, written by formatting only --
  TRVDrawLines DrawItems;
  std::int32_t DocumentWidth = 0;
  std::int32_t DocumentHeight = 0;
  std::int32_t TextWidth = -1;
  std::int32_t LastItemFormatted = -1;
  bool AlreadyFormatted = false;
  std::int32_t nJmps = 0;
  // Item with keyboard focus, -1 none.
  std::int32_t FocusedItemNo = -1;

  bool IsFormattedData() const override { return true; }
  void Clear() override;
  // Drops the drawing items and what items keep of the layout.
  virtual void ClearTemporal();

  // -- what the owner supplies (a control's document answers from its control) --
  virtual std::int32_t GetLeftMargin() { return 0; }
  virtual std::int32_t GetRightMargin() { return 0; }
  virtual std::int32_t GetTopMargin() { return 0; }
  virtual std::int32_t GetBottomMargin() { return 0; }
  virtual std::int32_t GetMinTextWidth() { return 0; }
  virtual std::int32_t GetMaxTextWidth() { return 0; }
  // The width available to the document (a control's client width).
  virtual std::int32_t GetWidthRot() { return GetWidth(); }
  virtual std::int32_t GetWidth() { return 0; }
  virtual std::int32_t GetHeight() { return 0; }
  // The whole document's size, margins included; a control updates its scroll bars.
  virtual void SetDocumentAreaSize(std::int32_t /*Width*/, std::int32_t /*Height*/,
                                   bool /*UpdateH*/) {}
  virtual void AdjustVScrollUnits() {}
  virtual void ScrollTo(std::int32_t /*Y*/, bool /*Redraw*/) {}
  virtual std::int32_t GetVOffs() { return 0; }
  virtual std::int32_t GetMaxLength() { return 0; }
  virtual TRVCanvas* GetCanvas() { return nullptr; }
  // A high-resolution canvas to measure on, or none to measure on the canvas itself.
  virtual TRVCanvas* GetFormatCanvasEx(TRVCanvas* /*DefCanvas*/) { return nullptr; }
  TRVCanvas* GetFormatCanvas() { return GetCanvas(); }
  virtual void GetSADForFormatting(TRVCanvas* Canvas, TRVScreenAndDevice& sad);
  // True when showing the vertical scroll bar narrows the document area.
  virtual bool DoesVScrollBarChangeWidth() { return false; }
  virtual bool IsDestroying() { return false; }
  virtual void BeginFormatting() {}
  virtual void Formatted(std::int32_t /*FirstItemNo*/, std::int32_t /*LastItemNo*/,
                         bool /*Partial*/) {}
  virtual void DoAfterFormat() {}
  // The selection changed: the control updates caret and views.
  virtual void DoOnSelection(bool /*AllowScrolling*/) {}
  // Raises the control's OnSelect.
  virtual void DoSelect() {}

  // -- formatting --
  void Format(bool NoCaching, bool AbsRotation = false);
  // Lays the document out on Canvas (none: the format canvas, else a screen canvas); true when
  // the layout was rebuilt. Depth counts the passes a change of the area's size starts.
  bool Format_(const TRVFormatOptions& Options, TRVCanvas* Canvas = nullptr,
               std::int32_t Depth = 0);
  // After an edit: formats again only the paragraphs of the items from First to the item with
  // FromEnd items after it (numbering after the edit), which replaced the items from First to
  // OldItemCount - 1 - FromEnd of the formatted layout; the lines below move by the change in
  // height. False (nothing done) when the layout cannot be patched and needs a full Format.
  bool FormatRange(std::int32_t First, std::int32_t FromEnd, std::int32_t OldItemCount);
  // The layout as a binary stream.
  void SaveFormattingToStream(TRVStream& Stream);
  void LoadFormattingFromStream(TRVStream& Stream);
  // Largest width that nothing from FirstItemNo on can be wrapped below.
  std::int32_t CalculateMinDocWidthPlus(std::int32_t FirstItemNo, const TRVScreenAndDevice* sad,
                                        TRVCanvas* Canvas);

  // -- item questions the layout needs --
  bool IsHidden(std::int32_t ItemNo);
  // IsParaStart / IsFromNewLine, looking through hidden items before ItemNo.
  bool IsParaStartEx(std::int32_t ItemNo);
  bool IsFromNewLineEx(std::int32_t ItemNo);

  // -- positions --
  std::int32_t GetOffsBeforeDrawItem(std::int32_t DrawItemNo);
  std::int32_t GetOffsAfterDrawItem(std::int32_t DrawItemNo);
  void DrawItem2Item(std::int32_t DrawItemNo, std::int32_t DrawItemOffs, std::int32_t& ItemNo,
                     std::int32_t& ItemOffs);
  void Item2DrawItem(std::int32_t ItemNo, std::int32_t ItemOffs, std::int32_t& DrawItemNo,
                     std::int32_t& DrawItemOffs, TRVDrawItemPosition PosIfHidden = rvdpStrict);
  std::int32_t Item2FirstDrawItem(std::int32_t ItemNo);
  std::int32_t Item2LastDrawItem(std::int32_t ItemNo);
  void ShiftPosToTheNewLine(std::int32_t& DItemNo, std::int32_t& DOffs);
  // An item position in the drawing items of this layout: on the line it names, clamped into its
  // drawing item; where one item's text changes direction on a line, the place between the runs
  // goes with the character after it, to the start of the later run. None when the item is not
  // laid out.
  TRVDrawPos ToDrawPos(const TRVCaretPos& Pos);
  TRVCaretPos FromDrawPos(const TRVDrawPos& Pos);

  // -- selection --
  void SelectAll();
  // NewPartiallySelected: the item that keeps its inner selection (none here).
  void Deselect(TCustomRVItemInfo* NewPartiallySelected, bool MakeEvent);
  bool SelectionExists(bool AllowReset, bool UsePartialSelected);
  void GetSelBounds(std::int32_t& StartNo, std::int32_t& EndNo, std::int32_t& StartOffs,
                    std::int32_t& EndOffs, bool Normalize);
  void StoreSelBounds(std::int32_t& StartNo, std::int32_t& EndNo, std::int32_t& StartOffs,
                      std::int32_t& EndOffs, bool Normalize);
  void RestoreSelBounds(std::int32_t StartNo, std::int32_t EndNo, std::int32_t StartOffs,
                        std::int32_t EndOffs, bool PreferLineBeginning = false);
  // Item positions; both item numbers -1 without a selection.
  void GetSelectionBounds(std::int32_t& StartItemNo, std::int32_t& StartItemOffs,
                          std::int32_t& EndItemNo, std::int32_t& EndItemOffs, bool Normalize);
  void GetSelectionBoundsEx(std::int32_t& StartItemNo, std::int32_t& StartItemOffs,
                            std::int32_t& EndItemNo, std::int32_t& EndItemOffs, bool Normalize);
  void SetSelectionBounds(std::int32_t StartItemNo, std::int32_t StartItemOffs,
                          std::int32_t EndItemNo, std::int32_t EndItemOffs);
  void SetSelectionBoundsDown(std::int32_t StartItemNo, std::int32_t StartItemOffs,
                              std::int32_t EndItemNo, std::int32_t EndItemOffs);
  void GetSelStart(std::int32_t& DINo, std::int32_t& DIOffs);
  void GetSingleSelectedItem(TCustomRVFormattedData*& RVData, std::int32_t& ItemNo);
  bool Item_InsideSelection(std::int32_t ItemNo, std::int32_t ItemOffs, bool IncludeBorders);
  bool DItem_InsideSelection(std::int32_t DItemNo, std::int32_t DItemOffs, bool IncludeBorders);
  bool IsMultiParagraphSelection();
  bool IsWholeParagraphSelection();
  // With rvfss_Selection: the normalised selection in item positions (or the partially
  // selected item alone); other scopes as the base.
  void RVFGetLimits(TRVFSaveScope SaveScope, std::int32_t& StartItem, std::int32_t& EndItem,
                    std::int32_t& StartOffs, std::int32_t& EndOffs,
                    TRVMultiDrawItemPart*& StartPart, TRVMultiDrawItemPart*& EndPart,
                    TCustomRVItemInfo*& SelectedItem) override;
  void SetPartialSelectedItem(TCustomRVItemInfo* Item);
  void DeselectPartiallySelectedItem(TCustomRVItemInfo* NewPartiallySelected);
  TCustomRVItemInfo* GetPartialSelectedItem() const { return FPartialSelectedItem; }

  // The ends of the selection as kept: where it started (the anchor) and where it ends (a
  // control's caret); the start may lie after the end. Without a selection the start is no
  // position while the end stays where it was, so that a caret outlives a Deselect.
  const TRVCaretPos& GetSelStartPos() const { return FSelStart; }
  const TRVCaretPos& GetSelEndPos() const { return FSelEnd; }
  bool HasSelectionEnds() const { return FSelStart.IsValid() && FSelEnd.IsValid(); }

  // -- the positions of a run as drawn (RVMeasuredRun.cpp) --
  // The table of text drawing item DItemNo, made with the run's font on Canvas the first time
  // and kept on the drawing item while what decided it stays; applies the run's text style to
  // Canvas when it has to measure.
  const TRVMeasuredRun& MeasuredRun(std::int32_t DItemNo, TRVCanvas& Canvas, bool ShowSpecial);
  // Whether special characters (spaces, soft hyphens, tabs, paragraph ends) are shown on screen.
  bool ShowsSpecialCharacters();

  // -- painting (CRVFDataPaint*.cpp) --
  // Draws the drawing items that meet AClipRect, a rectangle of the control's client area
  // (empty: everything), with the selection unless Options.PrintMode. Document coordinates
  // less the scroll position and the clip's top left are canvas coordinates, offset by
  // Options.ExtraXOffs / ExtraYOffs.
  void PaintTo(TRVCanvas& Canvas, TRect AClipRect, const TRVPaintOptions& Options = {});
  // Fills R with the document colour.
  void DrawBackground(TRVCanvas& Canvas, const TRect& R, TColor Color);
  // Called at the end of PaintTo; nothing in the base class.
  virtual void PostPaintTo(TRVCanvas& /*Canvas*/, std::int32_t /*XShift*/,
                           std::int32_t /*YShift*/, std::int32_t /*FirstDrawItemNo*/,
                           std::int32_t /*LastDrawItemNo*/, bool /*PrintMode*/) {}
  // The first drawing item that can be seen at document y Y (0 without items to look at).
  std::int32_t GetFirstVisible(std::int32_t Y);
  // Whether the control is focused (selection colours) or disabled; the host keeps these.
  bool PaintControlFocused = false;
  bool PaintControlDisabled = false;
  // The hyperlink item under the mouse pointer, drawn in the hover colours while the state
  // has rvstDrawHover; -1 none.
  std::int32_t HoverItemNo = -1;

protected:
  // Sets both ends from drawing item positions of this layout (each clamped into its drawing
  // item); an end that names no drawing item leaves no selection.
  void SetSelEnds(const TRVDrawPos& Start, const TRVDrawPos& End);
  // No selection any more; the end stays as the caret's place.
  void DropSelection() { FSelStart = {}; }

  TRVCaretPos FSelStart;
  TRVCaretPos FSelEnd;
  TCustomRVItemInfo* FPartialSelectedItem = nullptr;
  TRVSelectingInfo* FSelectingInfo = nullptr;

private:
  friend class TRVFormatter;
  bool IsEmptyVisibleTextItem(std::int32_t ItemNo);
  // The stages of Format_.
  struct TFormatCarry;
  void FormatKeep(const TRVFormatOptions& Options, TFormatCarry& Carry);
  void FormatWidths(const TRVScreenAndDevice& sad, TRVCanvas* Canvas, std::int32_t FirstToFormat);
  void FormatLines(TRVStyle& Style, TRVCanvas& Canvas, TRVScreenAndDevice& sad,
                   const TRVFormatOptions& Options, bool OnlyTail, std::int32_t TopMargin,
                   std::int32_t BottomMargin);
  void FormatRestore(const TRVFormatOptions& Options, bool OnlyTail, const TFormatCarry& Carry,
                     bool Rebuilt);
};

} // namespace richtext
