// The rich view control without a toolkit: it owns one document, links a style sheet, and
// holds the option set, margins and colour with which the document is built and shown. Almost
// every operation forwards to the document. The platform binding hosts it in a real window.
//
// Stages: build (AddNL and friends) -> format -> select -> copy or paint. Formatting,
// selection and copying come with the formatted-data layer of the document.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/control/RVInput.h"
#include "richtext/control/RVScroll.h"
#include "richtext/control/RichViewRVData.h"
#include "richtext/document/RVBack.h"
#include "richtext/document/RVRootProps.h"
#include "richtext/style/RVColor.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TRVStyle;
class TCustomRVInfo;

enum class TRVLiveSpellingMode : std::uint8_t { rvlspManualStart, rvlspOnChange };
using enum TRVLiveSpellingMode;
enum class TRVAnimationMode : std::uint8_t { rvaniDisabled, rvaniManualStart, rvaniOnFormat };
using enum TRVAnimationMode;

class TCustomRichView;

using TRVItemActionEvent =
    std::function<void(TCustomRichView* Sender, TRVItemAction ItemAction, TCustomRVItemInfo* Item,
                       TRVUnicodeString& Text, TCustomRVData* RVData)>;
using TRVAddStyleEvent = std::function<void(TCustomRichView* Sender, TCustomRVInfo* StyleInfo)>;
using TRVNotifyEvent = std::function<void(TCustomRichView* Sender)>;
using TRVProgressEvent = std::function<void(TCustomRichView* Sender, TRVLongOperation Operation,
                                            TRVProgressStage Stage, std::uint8_t PercentDone)>;
using TRVJumpEvent = std::function<void(TCustomRichView* Sender, std::int32_t id)>;

// The option set of a new control (0x19FC25).
inline constexpr TRVOptions RVDefaultOptions{
    rvoAllowSelection,      rvoScrollToEnd,     rvoShowPageBreaks, rvoAutoCopyUnicodeText,
    rvoAutoCopyRVF,         rvoAutoCopyImage,   rvoAutoCopyRTF,    rvoFormatInvalidate,
    rvoDblClickSelectsWord, rvoRClickDeselects, rvoShowGridLines,  rvoFastFormatting};
// The owner flags of a new viewer (0x1A05).
inline constexpr TRVFlags RVDefaultViewerFlags{rvflUseJumps, rvflTrim, rvflRoot,
                                               rvflCanUseCustomPPI, rvflCanProcessGetText};

class TCustomRichView : public TRVScroller, public TRVRootEvents {
public:
  TCustomRichView();
  ~TCustomRichView() override;

  // The control's document; its class is GetDataClass's.
  std::unique_ptr<TRichViewRVData> RVData;
  TRVFlags Flags = RVDefaultViewerFlags;
  std::unique_ptr<TRVBackground> Background;
  // clNone: the style sheet's colour (see GetColor).
  TColor Color = clNone;

  // -- events --
  TRVItemActionEvent OnItemAction;
  TRVAddStyleEvent OnAddStyle;
  TRVNotifyEvent OnCopy;
  TRVProgressEvent OnProgress;
  TRVJumpEvent OnJump;
  // The selection changed.
  TRVNotifyEvent OnSelect;

  // -- properties --
  TRVOptions GetOptions() const { return FOptions; }
  void SetOptions(TRVOptions Value) { FOptions = Value; }
  TRVStyle* GetStyle() const { return FStyle; }
  TCursor GetCursor() const { return FRVCursor; }
  void SetCursor(TCursor Value) { FRVCursor = Value; }
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value; }
  int GetMaxTextWidth() const { return FMaxTextWidth; }
  void SetMaxTextWidth(int Value) { FMaxTextWidth = Value; }
  int GetMinTextWidth() const { return FMinTextWidth; }
  void SetMinTextWidth(int Value) { FMinTextWidth = Value; }
  int GetLeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int Value) { FLeftMargin = Value; }
  int GetRightMargin() const { return FRightMargin; }
  void SetRightMargin(int Value) { FRightMargin = Value; }
  int GetTopMargin() const { return FTopMargin; }
  void SetTopMargin(int Value) { FTopMargin = Value; }
  int GetBottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(int Value) { FBottomMargin = Value; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  TRVLiveSpellingMode GetLiveSpellingMode() const { return FLiveSpellingMode; }
  void SetLiveSpellingMode(TRVLiveSpellingMode Value) { FLiveSpellingMode = Value; }
  TRVAnimationMode GetAnimationMode() const { return FAnimationMode; }
  void SetAnimationMode(TRVAnimationMode Value) { FAnimationMode = Value; }
  bool IsScrollTimerActive() const { return ScrollTimerActive; }

  // Kept in the root properties of the document.
  TRVFOptions GetRVFOptions() const;
  void SetRVFOptions(TRVFOptions Value);
  TRVRTFOptions GetRTFOptions() const;
  void SetRTFOptions(TRVRTFOptions Value);
  TRVFReaderStyleMode GetRVFTextStylesReadMode() const;
  void SetRVFTextStylesReadMode(TRVFReaderStyleMode Value);
  TRVFReaderStyleMode GetRVFParaStylesReadMode() const;
  void SetRVFParaStylesReadMode(TRVFReaderStyleMode Value);
  const std::u16string& GetNoteText() const;
  void SetNoteText(const std::u16string& Value);
  const std::u16string& GetDelimiters() const;
  void SetDelimiters(const std::u16string& Value);

  // Color, else the style sheet's colour, else the window colour.
  TColor GetColor() const;

  // -- overridable operations, in dispatch order --
  virtual void SetStyle(TRVStyle* Value);
  virtual TRichViewRVDataClass GetDataClass() const;

  // -- building, forwarded to the document --
  void AddNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
             const TRVTag& Tag = {});
  void AddNLTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                const TRVTag& Tag);
  void AddNLW(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
              const TRVTag& Tag = {});
  void AddNLWTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                 const TRVTag& Tag);
  void AddNLA(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
              const TRVTag& Tag = {});
  void AddNLATag(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo, const TRVTag& Tag);
  void AddTextNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                 std::int32_t OtherParaNo, bool AsSingleParagraph = false, const TRVTag& Tag = {});
  void AddTextNLW(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                  std::int32_t OtherParaNo, bool AsSingleParagraph = false, const TRVTag& Tag = {});
  void AddTextNLA(std::string_view s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                  std::int32_t OtherParaNo, bool AsSingleParagraph = false, const TRVTag& Tag = {},
                  TRVCodePage CodePage = 0);
  void AddItem(const TRVUnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  void AddBreak(std::int32_t Width = 0, TRVBreakStyle Style = rvbsLine, TColor Color = clNone,
                const TRVTag& Tag = {});
  std::int32_t AddCheckpoint(const TRVUnicodeString& CpName = {}, bool RaiseEvent = false,
                             const TRVTag& Tag = {});
  void SetAddParagraphMode(bool AllowNewPara);
  void Clear();
  // Clears the extra documents of the root as well, then the document.
  void ClearAll();

  // -- formatting and selection --
  // Lays the document out from its first item at the client size.
  void Format();
  // Formats an already formatted document again, keeping the scroll position and selection.
  void Reformat();
  // Formats only the items added since the last formatting.
  void FormatTail();
  // The extra documents of the root as well, then Format / Reformat.
  void FormatAll();
  void ReformatAll();
  void SelectAll();
  void Deselect();
  bool SelectionExists() const { return RVData->SelectionExists(false, true); }
  void GetSelectionBounds(std::int32_t& StartItemNo, std::int32_t& StartItemOffs,
                          std::int32_t& EndItemNo, std::int32_t& EndItemOffs,
                          bool Normalize) const {
    RVData->GetSelectionBounds(StartItemNo, StartItemOffs, EndItemNo, EndItemOffs, Normalize);
  }
  void SetSelectionBounds(std::int32_t StartItemNo, std::int32_t StartItemOffs,
                          std::int32_t EndItemNo, std::int32_t EndItemOffs) {
    RVData->SetSelectionBounds(StartItemNo, StartItemOffs, EndItemNo, EndItemOffs);
  }
  std::int32_t GetDocumentWidth() const { return RVData->DocumentWidth; }
  std::int32_t GetDocumentHeight() const { return RVData->DocumentHeight; }

  // -- questions, forwarded to the document --
  std::int32_t ItemCount() const { return RVData->ItemCount(); }
  TCustomRVItemInfo* GetItem(std::int32_t ItemNo) const { return RVData->GetItem(ItemNo); }
  std::int32_t GetItemNo(const TCustomRVItemInfo* Item) const { return RVData->GetItemNo(Item); }
  const TRVUnicodeString& GetItemText(std::int32_t ItemNo) const;
  void SetItemText(std::int32_t ItemNo, const TRVUnicodeString& s);
  const TRVTag& GetItemTag(std::int32_t ItemNo) const;
  void SetItemTag(std::int32_t ItemNo, const TRVTag& Tag);
  std::int32_t GetItemStyle(std::int32_t ItemNo) const;
  std::int32_t GetItemPara(std::int32_t ItemNo) const;
  bool IsParaStart(std::int32_t ItemNo) const;
  bool IsFromNewLine(std::int32_t ItemNo) const;

  // -- Plain text and RVF writing, forwarded to the document --
  std::u16string GetSelTextW() const;
  std::u16string GetSelText() const { return GetSelTextW(); }
  // In the document's default code page.
  std::string GetSelTextA() const;
  bool SaveTextToStreamW(const std::u16string& Path, TRVStream& Stream, int LineWidth,
                         bool SelectionOnly, bool TextOnly) const;
  bool SaveTextToStreamA(const std::u16string& Path, TRVStream& Stream, int LineWidth,
                         bool SelectionOnly, bool TextOnly, TRVCodePage CodePage = 0) const;
  // With the control's colour and background, as the main document.
  bool SaveRVFToStream(TRVStream& Stream, bool SelectionOnly) const;
  bool SaveRVF(const std::u16string& FileName, bool SelectionOnly) const;

  // -- RTF writing, forwarded to the document --
  // The whole document or the selection as a complete RTF file, with the control's colour as
  // stored (as the single-format RTF copy passes it).
  bool SaveRTFToStream(TRVStream& Stream, bool SelectionOnly) const;
  // Into a new file (UTF-8 file name); false on any failure.
  bool SaveRTF(const std::u16string& FileName, bool SelectionOnly) const;

  // -- clipboard copy of the selection, forwarded to the document (RVClipboardControl.cpp) --
  // Copy and CopyDef pass GetColor; CopyRVF and CopyRTF the colour as stored.
  // Every format: RVF, text, RTF and HTML, whatever the options say.
  void Copy();
  // The formats the rvoAutoCopy* options ask for; true when any option or OnCopy applies.
  bool CopyDef();
  void CopyText();
  void CopyTextA();
  void CopyTextW();
  void CopyRVF();
  void CopyRTF();

  // -- the hand: caret, mouse, keys and hover (RichViewCaret.cpp, RichViewMouse.cpp,
  // RichViewKeys.cpp). X and Y are pixels of the client area; the control adds its scroll
  // position. Everything needs a formatted document and does nothing without one. --
  // Whether the control shows a caret (the editor does).
  virtual bool HasCaret() const { return false; }
  // Item positions of the caret (the moving end of the document's selection) and of the anchor
  // (its other end; the caret itself without a selection).
  TRVCaretPos GetCaretPos() const { return RVData->GetSelEndPos(); }
  TRVCaretPos GetAnchorPos() const;
  // Moves the caret; with Extend the anchor stays (a selection grows), else it follows.
  void SetCaretPos(const TRVCaretPos& Pos, bool Extend);
  // The caret's box in client pixels; empty while no caret is shown (no focus, the blink's
  // off phase, not an editor, nothing formatted).
  TRect GetCaretRect();
  bool IsFocused() const { return FInput.Focused; }
  void SetFocused(bool Value);
  // The blink's phase; the host toggles it at the desktop's rate.
  void SetCaretBlinkOn(bool Value);
  bool IsCaretBlinkOn() const { return FInput.BlinkOn; }
  // Draws the caret (painting calls it after the document).
  void PaintCaret(TRVCanvas& Canvas, std::int32_t XShift, std::int32_t YShift);
  // Scrolls so that the caret's line is inside the client area.
  void ScrollToCaret();
  // Scrolls to document y Y (clamped) and repaints.
  void ScrollToY(int Y);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ClickCount);
  void MouseMove(TShiftState Shift, int X, int Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The pointer left the control: no hyperlink is under it any more.
  void MouseLeave();
  // Wheel notches, positive away from the user.
  void MouseWheel(int Notches);
  // While a mouse selection is dragged past an edge: one step of scrolling, the selection
  // following the pointer.
  void ScrollTimerTick();
  // The word around a point; the paragraph of the selection's start and end.
  void SelectWordAt(int X, int Y);
  void ExpandSelectionToParagraph();
  // The hyperlink item under the pointer (-1 none) and the pointer's shape there.
  std::int32_t GetHoverItemNo() const { return FInput.HoverItemNo; }
  TCursor GetCurrentCursor() const { return FInput.Cursor; }

  // Handles a key press; Key becomes 0 when the control consumed it.
  void KeyDown(std::uint16_t& Key, TShiftState Shift);
  // Ctrl+C or Ctrl+Insert, with Ctrl held and Alt not.
  static bool IsCopyShortcut(std::uint16_t Key, TShiftState Shift);
  // The copy request of the window system: CopyDef.
  void WMCopy();

  // The document's selection changed under the control (SelectAll, SetSelectionBounds,
  // Deselect): the caret and the anchor follow it, and with AllowScrolling the view follows
  // the caret. The control's document calls these.
  void DocumentSelectionChanged(bool AllowScrolling);
  void DocumentSelectionDropped();

  // -- clear handlers: run after the root document is cleared --
  using TRVClearHandler = std::function<void(TCustomRichView* Sender)>;
  // Answers a number for UnregisterClearHandler.
  int RegisterClearHandler(TRVClearHandler Handler);
  void UnregisterClearHandler(int HandlerId);
  void DoClearHandlers();

  // -- root events of the control's documents --
  bool HasProgressHandler() const override { return static_cast<bool>(OnProgress); }
  void DoProgress(TRVLongOperation Operation, TRVProgressStage Stage,
                  std::uint8_t PercentDone) override;
  bool IsOnCopyAssigned() const override { return static_cast<bool>(OnCopy); }
  void DoCopy() override;

protected:
  void Format_(const TRVFormatOptions& Options, TRVCanvas* ACanvas);
  void FormatExtraDocuments(bool OnlyResized);

  // For descendants whose document is of another class (virtual dispatch does not reach a
  // descendant's GetDataClass while the base is being constructed).
  explicit TCustomRichView(TRichViewRVDataClass DataClass);

  TCursor FRVCursor = crDefault;
  TRVOptions FOptions = RVDefaultOptions;
  bool ScrollTimerActive = false;
  int FMaxLength = 0;
  int FMaxTextWidth = 0;
  int FMinTextWidth = 0;
  int FLeftMargin = 5;
  int FRightMargin = 5;
  int FTopMargin = 5;
  int FBottomMargin = 5;
  bool FWordWrap = true;
  TRVLiveSpellingMode FLiveSpellingMode = rvlspManualStart;
  TRVAnimationMode FAnimationMode = rvaniManualStart;
  TRVStyle* FStyle = nullptr;

  TRVInputState FInput;

protected:
  // Measures on the control's canvas, or on a state canvas when it has none.
  TRVCaretLayout CaretLayout();

private:
  TRVRootProperties& RootProperties() const;
  // Sets the document's selection from the anchor to the caret (validated; no anchor: none
  // selected) and repaints; with Scroll the view follows the caret.
  void MoveCaret(const TRVCaretPos& Anchor, const TRVCaretPos& Caret, bool Scroll);
  void ExtendMouseSelection(int X, int Y);
  void UpdateHover(int X, int Y);
  std::unique_ptr<TRVCanvas> FFallbackCanvas;
  std::vector<std::pair<int, TRVClearHandler>> FClearHandlers;
  int FNextClearHandlerId = 1;
};

// The viewer.
class TRichView : public TCustomRichView {
public:
  TRichView() = default;
};

} // namespace richtext
