// The container of one document: its items in order, the checkpoints on them, the
// paragraph-building mode and the run-time state flags.
//
// Class hierarchy: TCustomRVData (this: building, questions, clearing) <- the formatted-data
// layer TCustomRVFormattedData (layout, selection, painting, copying) <- TRichViewRVData, the
// document a control owns. A control's document is built here, then formatted, then selected
// and written; only the formatted layer needs layout, and Clear drops it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/base/RVClasses.h"
#include "richtext/base/RVCodePage.h"
#include "richtext/document/RVItem.h"
#include "richtext/document/RVRootProps.h"
#include "richtext/document/RVTypes.h"

namespace richtext {

class TRVStyle;
class TCustomRVInfo;
class TFontInfo;

// Plain text and RVF writing
class TRVStream;
class TRVBackground;
class TRVLayoutInfo;
struct TRVScreenAndDevice;
struct TRVTextSavingData;

// RTF writing
struct TRVRTFSavingData;

// What a writer saves: everything, the selection, or (for printing) pages.
enum class TRVFSaveScope : std::uint8_t {
  rvfss_Full,
  rvfss_Selection,
  rvfss_Page,
  rvfss_FromPage,
  rvfss_FullInPage
};
using enum TRVFSaveScope;

// A part of an item drawn on several pages or cells; only printing and tables make them.
class TRVMultiDrawItemPart;

// Texts longer than this report progress while they are split into items; progress is
// recomputed every PROGRESSMAXCOUNTER characters.
inline constexpr std::int32_t QUICKTEXTSIZE = 1000000;
inline constexpr std::int32_t PROGRESSMAXCOUNTER = 500;

class TCustomRVData {
public:
  TCustomRVData();
  virtual ~TCustomRVData();
  TCustomRVData(const TCustomRVData&) = delete;
  TCustomRVData& operator=(const TCustomRVData&) = delete;

  // -- state kept for other layers --
  TRVCPInfo* FirstCP = nullptr;
  TRVCPInfo* LastCP = nullptr;
  // Created by AddCheckpoint, attached to the next added item.
  std::unique_ptr<TRVCPInfo> NotAddedCP;
  TRVStates State;
  // Checkpoints of the document, the pending one included.
  std::int32_t CPCount = 0;

  TRVItemList& Items() { return *FItems; }
  const TRVItemList& Items() const { return *FItems; }
  std::int32_t ItemCount() const { return FItems->Count(); }
  std::int32_t GetItemCount() const { return ItemCount(); }
  std::int32_t GetFirstJumpNo() const { return FFirstJumpNo; }
  void SetFirstJumpNo(std::int32_t Value) { FFirstJumpNo = Value; }
  bool GetAllowNewPara() const { return FAllowNewPara; }
  std::int32_t GetFirstParaListNo() const { return FFirstParaListNo; }
  std::int32_t GetFirstParaLevel() const { return FFirstParaLevel; }

  // -- overridable operations, in dispatch order --
  virtual TRVRootProperties* GetRootProperties();
  // Never none: a document without an owner answers an object without handlers.
  virtual TRVRootEvents* GetRootEvents();
  virtual bool IsWordWrapAllowed();
  // A document that shows another document's items neither creates, frees nor clears them.
  virtual bool ShareItems() const { return false; }
  virtual TRVOptions GetOptions();
  virtual void SetOptions(TRVOptions Value);
  virtual void InternalFreeItem(std::unique_ptr<TCustomRVItemInfo> Item, bool Clearing);
  virtual bool SupportsPageBreaks() { return false; }
  virtual TRVFlags GetFlags() = 0;
  virtual void SetFlags(TRVFlags Value) = 0;
  // Stores a style number that style templates changed.
  virtual void ModifyStyleNoByTemplate(TCustomRVItemInfo* Item, std::int32_t StyleNo);
  virtual TCustomRVData* GetRVData() { return this; }
  virtual TCustomRVData* GetSourceRVData() { return this; }
  virtual TRVStyle* GetRVStyle();
  virtual TCustomRVData* GetParentData() { return nullptr; }
  virtual TCustomRVData* GetRootData() { return this; }
  virtual TCustomRVData* GetAbsoluteParentData() { return nullptr; }
  virtual TCustomRVData* GetAbsoluteRootData() { return this; }
  virtual TRVPaletteAction GetDoInPaletteMode();
  virtual void Clear();
  virtual void DeleteItems(std::int32_t FirstItemNo, std::int32_t Count);
  // Item notifications go to the absolute root, whose owner may raise an event.
  virtual void ItemAction(TRVItemAction ItemAction, TCustomRVItemInfo* Item, TRVUnicodeString& Text,
                          TCustomRVData* RVData);
  // A text style was appended to the style sheet by GetOrAddTextStyle.
  virtual void AfterAddStyle(TCustomRVInfo* StyleInfo);
  // True for documents with a layout; only those activate hyperlinks.
  virtual bool IsFormattedData() const { return false; }
  // A hyperlink was activated; id is its JumpID plus FirstJumpNo.
  virtual void DoJump(std::int32_t) {}
  // The range a writer saves: here always the whole document (StartOffs and EndOffs are set
  // only when there are items); the formatted layer answers the selection for rvfss_Selection.
  // SelectedItem is an item holding a selection of its own inside it (then nothing else is
  // set); StartPart and EndPart belong to printing.
  virtual void RVFGetLimits(TRVFSaveScope SaveScope, std::int32_t& StartItem,
                            std::int32_t& EndItem, std::int32_t& StartOffs, std::int32_t& EndOffs,
                            TRVMultiDrawItemPart*& StartPart, TRVMultiDrawItemPart*& EndPart,
                            TCustomRVItemInfo*& SelectedItem);

  // -- building: every operation appends at the end --
  void AddNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
             const TRVTag& Tag = {});
  void AddNLTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                const TRVTag& Tag);
  void AddNLWTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                 const TRVTag& Tag);
  // One text item; ParaNo -1 continues the current paragraph, 0 or more starts one (or a line,
  // see SetAddParagraphMode). The text is stored as given apart from tabs.
  void AddNLW(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
              const TRVTag& Tag = {}, bool ProcessTabs = true);
  // 8-bit text in the code page of the style it is added in.
  void AddNLA(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
              const TRVTag& Tag = {});
  void AddNLATag(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo, const TRVTag& Tag);
  // Text with line and paragraph breaks, split into items (see the character rules there).
  void AddTextNLW(const TRVUnicodeString& S, std::int32_t StyleNo, std::int32_t FirstParaNo,
                  std::int32_t OtherParaNo, bool DefAsSingleParagraph, const TRVTag& Tag = {});
  void AddTextNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                 std::int32_t OtherParaNo, bool AsSingleParagraph, const TRVTag& Tag = {});
  // CodePage 0: the document's default code page.
  void AddTextNLA(std::string_view s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                  std::int32_t OtherParaNo, bool AsSingleParagraph, const TRVTag& Tag = {},
                  TRVCodePage CodePage = 0);
  // A ready item of any kind, placed into the paragraph structure.
  void AddItem(const TRVUnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  // A ready item whose ParaNo and options are kept as they are.
  void AddItemAsIs(const TRVUnicodeString& Text, std::unique_ptr<TCustomRVItemInfo> Item);
  // A checkpoint for the next added item; answers its number.
  std::int32_t AddCheckpoint(const TRVUnicodeString& CpName, bool RaiseEvent, const TRVTag& Tag);
  std::int32_t AddCheckpointTag(const TRVTag& Tag);
  std::int32_t AddNamedCheckpoint(const TRVUnicodeString& CpName);
  std::int32_t AddNamedCheckpointEx(const TRVUnicodeString& CpName, bool RaiseEvent);
  std::int32_t AddNamedCheckpointExTag(const TRVUnicodeString& CpName, bool RaiseEvent,
                                       const TRVTag& Tag);
  // A horizontal line; Width 0 is one pixel in the style sheet's units.
  void AddBreak(std::int32_t Width, TRVBreakStyle Style, TColor Color, const TRVTag& Tag);
  void AddBreakEx(std::int32_t Width, TRVBreakStyle Style, TColor Color);
  void AddBreakExTag(std::int32_t Width, TRVBreakStyle Style, TColor Color, const TRVTag& Tag);
  void AddBreakTag(const TRVTag& Tag);
  // False: items added with a paragraph number start a new line of the current paragraph.
  void SetAddParagraphMode(bool AllowNewPara) { FAllowNewPara = AllowNewPara; }

  // -- questions and small edits (EListError for an index outside the list) --
  TCustomRVItemInfo* GetItem(std::int32_t ItemNo) const;
  std::int32_t GetItemNo(const TCustomRVItemInfo* Item) const;
  const TRVUnicodeString& GetItemText(std::int32_t ItemNo) const;
  const TRVUnicodeString& GetItemTextW(std::int32_t ItemNo) const { return GetItemText(ItemNo); }
  void SetItemText(std::int32_t ItemNo, const TRVUnicodeString& s);
  void SetItemTextW(std::int32_t ItemNo, const TRVUnicodeString& s) { SetItemText(ItemNo, s); }
  const TRVTag& GetItemTag(std::int32_t ItemNo) const;
  void SetItemTag(std::int32_t ItemNo, const TRVTag& ATag);
  std::int32_t GetItemStyle(std::int32_t ItemNo);
  std::int32_t GetItemPara(std::int32_t ItemNo) const;
  TRVItemOptions GetItemOptions(std::int32_t ItemNo) const;
  bool IsParaStart(std::int32_t ItemNo) const;
  // Offsets before and after an item: a text item runs from 1 to its length + 1 (to 2 when it is
  // empty but visible through its style's EmptyWidth), a non-text item from 0 to 1.
  std::int32_t GetOffsBeforeItem(std::int32_t ItemNo) const;
  std::int32_t GetOffsAfterItem(std::int32_t ItemNo);
  bool IsFromNewLine(std::int32_t ItemNo) const;
  bool IsEmpty();
  void SetPageBreaksBeforeItems(std::int32_t ItemNo, bool Value);
  void GetBreakInfo(std::int32_t ItemNo, std::int32_t& AWidth, TRVBreakStyle& AStyle,
                    TColor& AColor, TRVTag& ATag) const;
  void SetBreakInfo(std::int32_t ItemNo, std::int32_t AWidth, TRVBreakStyle AStyle, TColor AColor,
                    const TRVTag& ATag);

  // -- styles and code pages --
  // The style the item is shown in: rvsDefStyle resolved through its paragraph style, text
  // styles mapped through style templates; non-text kinds unchanged.
  std::int32_t GetActualStyle(TCustomRVItemInfo* Item);
  std::int32_t GetActualStyleEx(std::int32_t StyleNo, std::int32_t ParaNo);
  std::int32_t GetStyleFromStyleTemplate(std::int32_t StyleNo, std::int32_t ParaNo);
  TRVCodePage GetStyleCodePage(std::int32_t Index);
  TRVCodePage GetCodePageByCharset(std::uint8_t Charset);
  TRVCodePage GetDefaultCodePage();
  // Index of a text style equal to TextStyle, appended (and reported) when missing; -1 for a
  // document without a style sheet.
  std::int32_t GetOrAddTextStyle(const TFontInfo& TextStyle);

  // -- checkpoints --
  void SetCP(TCustomRVItemInfo* Item, TRVCPInfo* PrevCP, std::unique_ptr<TRVCPInfo>& CP);
  void UnlinkCheckpoint(TRVCPInfo* CP, bool DecCPCount);
  void FreeCheckpoint(std::unique_ptr<TRVCPInfo>& CP, bool AdjustLinks, bool DecCPCount);

  // -- removing --
  // Frees the item but keeps its (now empty) list entry.
  void FreeItem(std::int32_t ItemNo, bool Clearing);

  // -- writing --
  // A chance to bring the document up to date before all of it is written.
  virtual void DoBeforeSaving() {}
  // (The writers are in the export layer: RVTextExport.h, RVFWriter.h, RVRTFWriter.h.)

protected:
  void AdjustItemParaNoBeforeAdding(TCustomRVItemInfo* Item);
  void ReplaceTabs(TRVUnicodeString& s);

  std::int32_t FFirstJumpNo = 0;
  std::unique_ptr<TRVItemList> FItems;
  bool FAllowNewPara = true;
  std::int32_t FFirstParaListNo = -1;
  std::int32_t FFirstParaLevel = -1;

private:
  // Clear without the owner-level steps: items, checkpoints, list state.
  void ClearContent();
  // A checkpoint the item brings becomes the pending one (unless one is pending already).
  void TakeItemCheckpoint(TCustomRVItemInfo* Item);
  // Steps of adding shared by AddItem and AddItemAsIs: attach, notify, append.
  void InsertAtEnd(TRVUnicodeString Text, std::unique_ptr<TCustomRVItemInfo> Item);
};

} // namespace richtext
