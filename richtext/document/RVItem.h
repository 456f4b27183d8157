// Items of a document: one run of text in one text style, or one non-text object.
//
// Paragraphs are not a tree: the option bits of an item say whether it continues the previous
// line (rvioSameAsPrev) or breaks the line inside its paragraph (rvioBR); an item with neither
// starts a paragraph. Items are made from a class reference (TRVItemClass) so that any kind can
// be created from its kind code through the registry below.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/base/RVClasses.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/base/RVSet.h"
#include "richtext/document/RVTypes.h"
#include "richtext/style/RVColor.h"

namespace richtext {

class TCustomRVData;
class TCustomRVItemInfo;
class TRVStyle;
class TRVCanvas;
class TRVDrawLineInfo;
struct TRVScreenAndDevice;
struct TRect;

enum class TRVItemOption : unsigned {
  rvioSameAsPrev,
  rvioPageBreakBefore,
  rvioBR,
  rvioUnicode,
  rvioClearLeft,
  rvioClearRight,
  rvioGroupWithNext
};
using enum TRVItemOption;
using TRVItemOptions = TRVSet<TRVItemOption, std::uint8_t>;
// The members up to rvioClearRight.
inline constexpr std::uint8_t RVItemOptionsMask = 63;

enum class TRVItemState : unsigned { rvisSpellChecked };
using enum TRVItemState;
using TRVItemStates = TRVSet<TRVItemState, std::uint8_t>;

enum class TRVItemBoolProperty : unsigned {
  rvbpIgnorePara,
  rvbpFullWidth,
  rvbpSpecialPrintImageWidth,
  rvbpValid,
  rvbpRequiresRVFLines,
  rvbpDrawingChangesFont,
  rvbpAlwaysInText,
  rvbpImmediateControlOwner,
  rvbpResizable,
  rvbpResizeHandlesOutside,
  rvbpHasSubRVData,
  rvbpClickSelect,
  rvbpNoHTML_P,
  rvbpSwitchToAssStyleNo,
  rvbpFloating,
  rvbpKeepWithPrior,
  rvbpDocXInRun,
  rvbpDocXOnlyBeforeAfter,
  rvbpPlaceholder,
  rvbpIsNote,
  rvbpIsPrintField,
  rvbpItemPrintsBackground
};
using enum TRVItemBoolProperty;

// Properties answered with a style sheet at hand.
enum class TRVItemBoolPropertyEx : unsigned {
  rvbpDisplayActiveState,
  rvbpPrintToBMP,
  rvbpPrintToBMPIfNoMetafiles,
  rvbpPrintSupportsMetafiles,
  rvbpJump,
  rvbpAllowsFocus,
  rvbpHotColdJump,
  rvbpXORFocus,
  rvbpActualPrintSize,
  rvbpHasPrintingWidth
};
using enum TRVItemBoolPropertyEx;

enum class TRVBreakStyle : std::uint8_t { rvbsLine, rvbsRectangle, rvbs3d, rvbsDotted, rvbsDashed };
using enum TRVBreakStyle;

// A class reference: its name and its virtual constructor, which takes the owning document.
struct TRVItemClassInfo {
  const char* ClassName;
  std::unique_ptr<TCustomRVItemInfo> (*Create)(TCustomRVData* ARVData);
};
using TRVItemClass = const TRVItemClassInfo*;

// Which styles are in use while unused styles are deleted. An entry is first a mark (non-zero
// for a used style); before UpdateStyles runs it holds 1 + the number of deleted styles below
// that index, so that the new index is old + 1 - entry.
struct TRVDeleteUnusedStylesData {
  std::vector<int> UsedTextStyles;
  std::vector<int> UsedParaStyles;
};

// A named anchor in front of an item; owned by that item, or by its document while pending.
class TRVCPInfo {
public:
  TRVUnicodeString Name;
  TRVCPInfo* Next = nullptr;
  TRVCPInfo* Prev = nullptr;
  bool RaiseEvent = false;
  bool Persistent = false;
  TCustomRVItemInfo* ItemInfo = nullptr;
  std::int32_t ItemNo = -1;
  TRVTag Tag;
};

class TCustomRVItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  // The virtual constructor: options {rvioUnicode}, DrawItemNo -1, everything else zero or
  // empty. StyleNo is the caller's to set.
  explicit TCustomRVItemInfo(TCustomRVData* ARVData);
  virtual ~TCustomRVItemInfo();
  TCustomRVItemInfo(const TCustomRVItemInfo&) = delete;
  TCustomRVItemInfo& operator=(const TCustomRVItemInfo&) = delete;

  virtual TRVItemClass GetClass() const { return &ClassInfo; }

  TRVUnicodeString ItemText;
  std::int32_t StyleNo = 0;
  std::int32_t ParaNo = 0;
  TRVItemOptions ItemOptions{rvioUnicode};
  TRVItemStates ItemState;
  std::unique_ptr<TRVCPInfo> Checkpoint;
  std::int32_t JumpID = 0;
  TRVTag Tag;
  std::int32_t DrawItemNo = -1;
  TRVUnicodeString Hint;

  // Named views of the option bits; the setters keep the invariants (SameAsPrev excludes BR
  // and PageBreakBefore, a full-width item never has BR, Clear* only on a line start).
  bool GetSameAsPrev() const { return ItemOptions.Contains(rvioSameAsPrev); }
  void SetSameAsPrev(bool Value);
  bool GetBR() const { return ItemOptions.Contains(rvioBR); }
  void SetBR(bool Value);
  bool GetPageBreakBefore() const { return ItemOptions.Contains(rvioPageBreakBefore); }
  void SetPageBreakBefore(bool Value);
  bool GetClearLeft() const { return ItemOptions.Contains(rvioClearLeft); }
  void SetClearLeft(bool Value);
  bool GetClearRight() const { return ItemOptions.Contains(rvioClearRight); }
  void SetClearRight(bool Value);

  bool ParaStart(bool CountBR) const;
  bool CanBeBorderStart() const;
  void AssignParaProperties(const TCustomRVItemInfo* Source);

  // The text style the item draws with: StyleNo, or for a non-text item the associated text
  // style, with rvsDefStyle resolved through the paragraph style when a context is given.
  std::int32_t GetActualTextStyleNo() const;
  std::int32_t GetActualTextStyleNo(TCustomRVData* Context) const;
  std::int32_t GetActualTextStyleNo(const TRVStyle* Context) const;

  // -- overridable operations, in dispatch order --
  virtual std::int32_t GetAssociatedTextStyleNo() const { return -1; }
  virtual void SetAssociatedTextStyleNo(std::int32_t) {}
  // The narrowest width the item can be laid out in: 5 screen pixels on the device unless the
  // class knows better.
  virtual std::int32_t GetMinWidth(const TRVScreenAndDevice* sad, TRVCanvas* Canvas,
                                   TCustomRVData* RVData);
  virtual bool GetBoolValue(TRVItemBoolProperty Prop) const;
  virtual bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const;
  // Draws an item that spans the whole line between Left and Right, its box starting at Top.
  virtual void PaintFullWidth(std::int32_t /*Left*/, std::int32_t /*Right*/, std::int32_t /*Top*/,
                              TRVCanvas& /*Canvas*/, const TRVStyle& /*RVStyle*/,
                              const TRect& /*ClipRect*/, const TRVScreenAndDevice* /*sad*/) const {}
  // Called by the document right before the item enters its list; the rviaInserting handlers
  // may change AText, which is then stored.
  virtual void Inserting(TCustomRVData* ARVData, TRVUnicodeString& AText, bool Safe);
  virtual void Inserted(TCustomRVData* ARVData, std::int32_t ItemNo);
  // Formatting tells the item the width it is laid out in. HShift is a shift to the right and
  // Desc the part below the baseline the item wants; true when its size changed.
  virtual bool OnDocWidthChange(std::int32_t /*DocWidth*/, TRVDrawLineInfo* /*dli*/,
                                bool /*Printing*/, TRVCanvas* /*Canvas*/, TCustomRVData* /*RVData*/,
                                const TRVScreenAndDevice* /*sad*/, std::int32_t& HShift,
                                std::int32_t& Desc, bool /*NoCaching*/, bool /*Reformatting*/,
                                bool /*UseFormatCanvas*/) {
    HShift = 0;
    Desc = 0;
    return false;
  }
  virtual void UpdateAnimator(TCustomRVData*) {}

  // -- second group --
  // Copies StyleNo only from an item of exactly this class; always ParaNo, ItemOptions and
  // Hint. Text, tag and checkpoint stay.
  virtual void Assign(const TCustomRVItemInfo* Source);
  // Items keep no palette copies on true-colour displays.
  virtual void UpdatePaletteInfo(TRVPaletteAction, bool /*ForceRecreateCopy*/) {}
  virtual void Execute(TCustomRVData*) {}
  virtual void MarkStylesInUse(TRVDeleteUnusedStylesData&) {}
  virtual void UpdateStyles(TRVDeleteUnusedStylesData&) {}
};

class TRVTextItemInfo : public TCustomRVItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  using TCustomRVItemInfo::TCustomRVItemInfo;
  TRVItemClass GetClass() const override { return &ClassInfo; }

  // A text item is a hyperlink exactly when its text style is a jump style.
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  // Activates the hyperlink in a formatted document.
  void Execute(TCustomRVData* ARVData) override;
  void MarkStylesInUse(TRVDeleteUnusedStylesData& Data) override;
  void UpdateStyles(TRVDeleteUnusedStylesData& Data) override;
};

class TRVNonTextItemInfo : public TCustomRVItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  using TCustomRVItemInfo::TCustomRVItemInfo;
  TRVItemClass GetClass() const override { return &ClassInfo; }

  bool DeleteProtect = false;
  bool Hidden = false;

  // -- sizing, in device pixels of the last formatting --
  virtual std::int32_t GetLeftOverhang() const { return 0; }
  virtual void AdjustInserted(std::int32_t /*x*/, std::int32_t /*y*/, bool /*adjusty*/) {}
  virtual std::int32_t GetHeight(const TRVStyle* /*RVStyle*/) const { return 0; }
  virtual std::int32_t GetWidth(const TRVStyle* /*RVStyle*/) const { return 0; }
  virtual std::int32_t GetHeightEx(const TRVStyle* RVStyle) const { return GetHeight(RVStyle); }
  virtual std::int32_t GetWidthEx(const TRVStyle* RVStyle) const { return GetWidth(RVStyle); }
  // Whether the root's thumbnail cache holds a picture of this item.
  virtual bool HasThumbnail() const { return false; }
  void Assign(const TCustomRVItemInfo* Source) override;
};

// An item that takes the whole width of the document: it always starts its own paragraph.
class TRVFullLineItemInfo : public TRVNonTextItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  using TRVNonTextItemInfo::TRVNonTextItemInfo;
  TRVItemClass GetClass() const override { return &ClassInfo; }

  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
};

// A horizontal line across the whole width.
class TRVBreakItemInfo : public TRVFullLineItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  explicit TRVBreakItemInfo(TCustomRVData* ARVData);
  // ALineWidth is 8 bits wide: callers' widths arrive modulo 256.
  TRVBreakItemInfo(TCustomRVData* ARVData, std::uint8_t ALineWidth, TRVBreakStyle AStyle,
                   TColor AColor);
  TRVItemClass GetClass() const override { return &ClassInfo; }

  std::int32_t LineWidth = 1;
  TRVBreakStyle Style = rvbsLine;
  TColor Color = clNone;

  // The line spans the width it is given; its box is the line's thickness with
  // RVBreakItemPadding pixels above and below.
  bool OnDocWidthChange(std::int32_t DocWidth, TRVDrawLineInfo* dli, bool Printing,
                        TRVCanvas* Canvas, TCustomRVData* RVData, const TRVScreenAndDevice* sad,
                        std::int32_t& HShift, std::int32_t& Desc, bool NoCaching,
                        bool Reformatting, bool UseFormatCanvas) override;
  std::int32_t GetHeight(const TRVStyle*) const override { return FHeight; }
  std::int32_t GetWidth(const TRVStyle*) const override { return FWidth; }
  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
  bool GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const override;
  void Assign(const TCustomRVItemInfo* Source) override;

private:
  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
};

// Screen pixels of empty space above and below a horizontal line.
inline constexpr std::int32_t RVBreakItemPadding = 5;

// A tab character that text-reading turns into an item; it measures and draws in its
// associated text style.
class TRVTabItemInfo : public TRVNonTextItemInfo {
public:
  static const TRVItemClassInfo ClassInfo;
  explicit TRVTabItemInfo(TCustomRVData* ARVData);
  TRVItemClass GetClass() const override { return &ClassInfo; }

  std::int32_t TextStyleNo = 0;
  // What formatting found for the tab: its width and height in device pixels, and the leader
  // drawn across it (empty: none).
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::u16string Leader;

  std::int32_t GetHeight(const TRVStyle*) const override { return Height; }
  std::int32_t GetWidth(const TRVStyle*) const override { return Width; }
  std::int32_t GetAssociatedTextStyleNo() const override { return TextStyleNo; }
  void SetAssociatedTextStyleNo(std::int32_t Value) override { TextStyleNo = Value; }
  void Assign(const TCustomRVItemInfo* Source) override;

  // A tab is part of the text (rvbpAlwaysInText).
  bool GetBoolValue(TRVItemBoolProperty Prop) const override;
};

// The items of one document in order; it owns them. An entry can be empty for a moment while
// the document frees an item before removing its entry.
class TRVItemList {
public:
  std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }

  // The text goes into the item's ItemText, then the item is appended / inserted.
  TCustomRVItemInfo* AddObject(TRVUnicodeString Text, std::unique_ptr<TCustomRVItemInfo> Item);
  TCustomRVItemInfo* InsertObject(std::int32_t Index, TRVUnicodeString Text,
                                  std::unique_ptr<TCustomRVItemInfo> Item);
  const TRVUnicodeString& GetItem(std::int32_t Index) const;
  void SetItem(std::int32_t Index, TRVUnicodeString Text);
  TCustomRVItemInfo* GetObject(std::int32_t Index) const;
  // Puts Item in place of entry Index and hands the previous one back.
  std::unique_ptr<TCustomRVItemInfo> SetObject(std::int32_t Index,
                                               std::unique_ptr<TCustomRVItemInfo> Item);
  // Takes the item out of its entry, leaving the entry empty.
  std::unique_ptr<TCustomRVItemInfo> Extract(std::int32_t Index);
  std::int32_t IndexOfObject(const TCustomRVItemInfo* Item) const;
  // Removes Count entries from Index (freeing what they still hold).
  void DeleteRange(std::int32_t Index, std::int32_t Count);
  void Clear() { FItems.clear(); }

  // One line per item: style, paragraph, option letters (S SameAsPrev, P PageBreakBefore,
  // B BR, U Unicode, L ClearLeft, R ClearRight, G GroupWithNext), the text in quotes (UTF-8,
  // control characters escaped), then the tag and checkpoint name when present.
  std::string Dump() const;

private:
  void CheckIndex(std::int32_t Index) const;
  std::vector<std::unique_ptr<TCustomRVItemInfo>> FItems;
};

// -- registry of item kinds --

struct TRichViewItemTypeInfo {
  std::int32_t StyleNo;
  TRVItemClass ItemClass;
};
// Created on the first registration and freed at shutdown; none before.
extern std::unique_ptr<std::vector<TRichViewItemTypeInfo>> RichViewItemClassesList;
// The class of every text item; TRVTextItemInfo at start.
extern TRVItemClass RichViewTextItemClass;

void RegisterRichViewItemClass(std::int32_t StyleNo, TRVItemClass ItemClass);
void UnregisterRichViewItemClass(TRVItemClass ItemClass);
// An item of the class for the kind code, or none for an unknown negative code.
std::unique_ptr<TCustomRVItemInfo> CreateRichViewItem(std::int32_t StyleNo, TCustomRVData* ARVData);
// A new item of Source's class with its StyleNo, Assign-ed properties and tag (not its text);
// with DuplicateCheckpoint, an unlinked copy of its checkpoint.
std::unique_ptr<TCustomRVItemInfo>
RV_DuplicateItem(const TCustomRVItemInfo* Source, TCustomRVData* ARVData, bool DuplicateCheckpoint);

} // namespace richtext
