// How each kind of non-text item is written in RVF, RTF and plain text.
//
// Items are data; the formats belong to the writers. A writer looks the item's kind (its
// StyleNo) up in this table; a kind without an entry, or an entry without a member, writes
// nothing in that format. Text items never come here: the writers write their text
// themselves.
#pragma once

#include <cstdint>
#include <string>

#include "richtext/base/RVClasses.h"
#include "richtext/document/RVTypes.h"

namespace richtext {

class TCustomRVData;
class TCustomRVItemInfo;
class TCustomRVRTFTables;
class TRVMultiDrawItemPart;
class TRVStream;
struct TRVRTFSavingData;
struct TRVTextSavingData;

struct TRVItemWriter {
  // -- RVF --
  // Writes the item's record. ParaNo is the paragraph reference to write (-1: the item
  // continues the paragraph); ForceSameAsPrev writes the options of an item that continues the
  // previous line. Name is the item's string.
  void (*SaveRVF)(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                  std::int32_t ItemNo, std::int32_t ParaNo, const TRVUnicodeString& Name,
                  TRVMultiDrawItemPart* Part, bool ForceSameAsPrev) = nullptr;
  // An item holding a selection of its own writes it as RVF; false when it has none.
  bool (*SaveRVFSelection)(TCustomRVItemInfo& Item, TRVStream& Stream,
                           TCustomRVData* RVData) = nullptr;

  // -- RTF --
  // Adds the fonts and colours the item's RTF refers to; called for every non-text item of a
  // document before the header is written.
  void (*FillRTFTables)(const TCustomRVItemInfo& Item, TCustomRVRTFTables& RTFTables,
                        TCustomRVData* RVData) = nullptr;
  // Writes the item at its place in the body. HiddenParent: the item lies inside hidden text;
  // Level: the table nesting depth (0 in the main text).
  void (*SaveRTF)(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                  bool HiddenParent, std::int32_t DocType, TRVRTFSavingData& SavingData,
                  std::int32_t Level, std::int32_t ItemNo) = nullptr;

  // -- plain text --
  // The item's form in exported text; Text is the item's string.
  TRVUnicodeString (*AsText)(const TCustomRVItemInfo& Item, TCustomRVData* RVData,
                             std::int32_t ItemNo, const TRVTextSavingData& SaveData,
                             const TRVUnicodeString& Text) = nullptr;
  // An item holding a selection of its own writes the selected text.
  void (*SaveTextSelectionW)(TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                             const TRVTextSavingData& SaveData) = nullptr;
};

// The writer of a kind: the built-in ones (horizontal line, tab) or one registered by the
// module that registers the kind; an empty writer otherwise.
const TRVItemWriter& RVGetItemWriter(std::int32_t StyleNo);
// Registers (or replaces) the writer of a non-text kind.
void RVRegisterItemWriter(std::int32_t StyleNo, const TRVItemWriter& Writer);

// The calls the writers make: each looks the item's writer up and does nothing (returns an
// empty text, false) where the kind has no such member.
void RVItemSaveRVF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                   std::int32_t ItemNo, std::int32_t ParaNo, const TRVUnicodeString& Name,
                   TRVMultiDrawItemPart* Part, bool ForceSameAsPrev);
bool RVItemSaveRVFSelection(TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData);
void RVItemFillRTFTables(const TCustomRVItemInfo& Item, TCustomRVRTFTables& RTFTables,
                         TCustomRVData* RVData);
void RVItemSaveRTF(const TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                   bool HiddenParent, std::int32_t DocType, TRVRTFSavingData& SavingData,
                   std::int32_t Level, std::int32_t ItemNo);
TRVUnicodeString RVItemAsText(const TCustomRVItemInfo& Item, TCustomRVData* RVData,
                              std::int32_t ItemNo, const TRVTextSavingData& SaveData,
                              const TRVUnicodeString& Text);
void RVItemSaveTextSelectionW(TCustomRVItemInfo& Item, TRVStream& Stream, TCustomRVData* RVData,
                              const TRVTextSavingData& SaveData);

} // namespace richtext
