// The tables of one RTF save: fonts, colours and the style-sheet map, and the saving state
// that every nesting level of the save shares.
//
// The tables are filled before the header is written, from the whole style sheet rather
// than from the range being saved, so that "\fN", "\cfN" and the other references written
// later in the body always point into them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVColor.h"

namespace richtext {

class TCustomRVFontInfo;
class TRVStream;
class TRVStyle;

// One entry of the RTF font table.
struct TRVRTFFont {
  std::u16string FontName;
  TFontCharset Charset = DEFAULT_CHARSET;
};

// Fonts in the order of first use; the position of an entry is its number after "\f".
class TRVRTFFontTable {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError for an index out of range.
  const TRVRTFFont& Items(int Index) const;
  // The first entry with the same name (compared lower-cased) and the same character set;
  // appended when there is none. Returns the entry's position.
  int AddUnique(const std::u16string& FontName, TFontCharset Charset);
  // Position of such an entry, or -1.
  int Find(const std::u16string& FontName, TFontCharset Charset) const;
  void Clear();

private:
  std::vector<TRVRTFFont> FItems;
  // Lower-cased names, parallel to FItems, so that lookups do not lower-case every entry.
  std::vector<std::u16string> FKeys;
};

// The colour table a save starts with. Its one entry is written as the empty "auto" entry
// of the RTF colour table, so index 0 is the reader's default text colour.
inline constexpr TColor ArrDefColorTable[] = {clWindowText};

// Colours in the order of first use; the position of a colour is its number after "\cf",
// "\cbpat" and the other colour references.
class TRVColorList {
public:
  TRVColorList();
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError for an index out of range.
  TColor Items(int Index) const;
  // Appends Color unless it is clNone or already present.
  void AddColor(TColor Color);
  // Position of Color, or -1 when it was never added.
  int GetColorIndex(TColor Color) const;
  // Back to the default table.
  void Clear();

private:
  std::vector<TColor> FItems;
};

// What the RTF writer and the item writers need from the tables of a save.
class TCustomRVRTFTables {
public:
  virtual ~TCustomRVRTFTables() = default;

  virtual void ClearColors() = 0;
  virtual void AddColor(TColor Color) = 0;
  // Position of Color in the colour table, or -1 when it is not there.
  virtual int GetColorIndex(TColor Color) const = 0;

  virtual void ClearFonts() = 0;
  // Font table index of the name and character set, added when new.
  virtual int AddFont(const std::u16string& FontName, TFontCharset Charset) = 0;
  virtual int AddFontFromStyle(const TCustomRVFontInfo& TextStyle) = 0;

  virtual void ClearStyleSheetMap() = 0;
  virtual void AddStyleSheetMap(int Value) = 0;
  // The value stored at Index, or -1 beyond the map.
  virtual int GetStyleSheetMap(int Index) const = 0;

  // "{\fonttbl" ... "}" of the header. Names are escaped in the system ANSI code page, with
  // the ANSI fallback after every Unicode escape; SaveAnsi tells whether the header declares
  // a fallback count of 1 (else 0).
  virtual void SaveFontTableToStream(TRVStream& Stream, bool SaveAnsi) const = 0;
  // "{\colortbl;" ... "}" of the header; entry 0 is the empty auto entry.
  virtual void SaveColorTableToStream(TRVStream& Stream) const = 0;
};

class TRVRTFTables final : public TCustomRVRTFTables {
public:
  TRVRTFFontTable FontTable;
  TRVColorList ColorList;
  std::vector<int> StyleSheetMap;

  void ClearColors() override { ColorList.Clear(); }
  void AddColor(TColor Color) override { ColorList.AddColor(Color); }
  int GetColorIndex(TColor Color) const override { return ColorList.GetColorIndex(Color); }

  void ClearFonts() override { FontTable.Clear(); }
  int AddFont(const std::u16string& FontName, TFontCharset Charset) override {
    return FontTable.AddUnique(FontName, Charset);
  }
  int AddFontFromStyle(const TCustomRVFontInfo& TextStyle) override;

  void ClearStyleSheetMap() override { StyleSheetMap.clear(); }
  void AddStyleSheetMap(int Value) override { StyleSheetMap.push_back(Value); }
  int GetStyleSheetMap(int Index) const override;

  void SaveFontTableToStream(TRVStream& Stream, bool SaveAnsi) const override;
  void SaveColorTableToStream(TRVStream& Stream) const override;
};

// Saving state shared by all levels of one save. The top level creates the tables and lists
// when it starts and frees them when it ends; nested documents (cells, notes) reuse them.
struct TRVRTFSavingData {
  // Folder for files written by custom item savers; empty on the clipboard path.
  std::u16string Path;
  std::unique_ptr<TCustomRVRTFTables> RTFTables;
  // For each text style number, its index in the font table.
  std::vector<int> StyleToFont;
  // List-override bookkeeping of list styles.
  std::vector<int> ListOverrideOffsetsList1;
  std::vector<int> ListOverrideOffsetsList2;
  // A page break still to be written ("\pagebb") with the next paragraph's properties.
  bool SavePageBreakBeforePara = false;

  // Fresh tables (the colour table holding its default entry) and empty lists.
  void CreateTablesAndLists();
  void FreeTablesAndLists();
};

// The style sheet's share of the tables, in the order the header lists them.
// Fonts: every text style's font in text style order; StyleToFont gets one entry per style.
void RVAddStyleFontsToRTFTables(TRVRTFSavingData& SavingData, const TRVStyle& RVStyle);
// Colours: for each text style its Color, BackColor, HoverColor, HoverBackColor,
// UnderlineColor and HoverUnderlineColor; for each paragraph style its border colour (only
// when the border has a style) and its background colour.
void RVAddStyleColorsToRTFTables(TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle);

} // namespace richtext
