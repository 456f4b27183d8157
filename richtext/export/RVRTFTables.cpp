#include "richtext/export/RVRTFTables.h"

#include <unicode/ustring.h>

#include <algorithm>

#include "richtext/base/RVClasses.h"
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

constexpr std::string_view RTF_FontTableStart = "{\\fonttbl";
constexpr std::string_view RTF_FontStart = "{\\f";
constexpr std::string_view RTF_FontFamilyNil = "\\fnil";
constexpr std::string_view RTF_FontCharset = "\\fcharset";
constexpr std::string_view RTF_ColorTableStart = "{\\colortbl;"; // with the auto entry
constexpr std::string_view RTF_Red = "\\red";
constexpr std::string_view RTF_Green = "\\green";
constexpr std::string_view RTF_Blue = "\\blue";

// Root-locale lower case, so the comparison does not depend on the user's locale (a Turkish
// locale would otherwise treat "I" differently from every other one).
std::u16string LowerCase(const std::u16string& s) {
  std::u16string out(s.size(), u'\0');
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = u_strToLower(out.data(), static_cast<int32_t>(out.size()), s.data(),
                           static_cast<int32_t>(s.size()), "", &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) { // lower case can be longer (U+0130)
    out.assign(static_cast<std::size_t>(n), u'\0');
    err = U_ZERO_ERROR;
    n = u_strToLower(out.data(), n, s.data(), static_cast<int32_t>(s.size()), "", &err);
  }
  if (U_FAILURE(err))
    return s;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

} // namespace

// ---- Fonts -----------------------------------------------------------------------------------

const TRVRTFFont& TRVRTFFontTable::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

int TRVRTFFontTable::Find(const std::u16string& FontName, TFontCharset Charset) const {
  const std::u16string key = LowerCase(FontName);
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Charset == Charset && FKeys[i] == key)
      return static_cast<int>(i);
  return -1;
}

int TRVRTFFontTable::AddUnique(const std::u16string& FontName, TFontCharset Charset) {
  int index = Find(FontName, Charset);
  if (index >= 0)
    return index;
  FItems.push_back({FontName, Charset});
  FKeys.push_back(LowerCase(FontName));
  return Count() - 1;
}

void TRVRTFFontTable::Clear() {
  FItems.clear();
  FKeys.clear();
}

// ---- Colours ---------------------------------------------------------------------------------

TRVColorList::TRVColorList() {
  Clear();
}

TColor TRVColorList::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

void TRVColorList::AddColor(TColor Color) {
  if (Color != clNone && GetColorIndex(Color) < 0)
    FItems.push_back(Color);
}

int TRVColorList::GetColorIndex(TColor Color) const {
  auto it = std::find(FItems.begin(), FItems.end(), Color);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TRVColorList::Clear() {
  FItems.assign(std::begin(ArrDefColorTable), std::end(ArrDefColorTable));
}

// ---- Tables ----------------------------------------------------------------------------------

int TRVRTFTables::AddFontFromStyle(const TCustomRVFontInfo& TextStyle) {
  return FontTable.AddUnique(TextStyle.FontName, TextStyle.Charset);
}

int TRVRTFTables::GetStyleSheetMap(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(StyleSheetMap.size()))
    return -1;
  return StyleSheetMap[static_cast<std::size_t>(Index)];
}

void TRVRTFTables::SaveFontTableToStream(TRVStream& Stream, bool SaveAnsi) const {
  std::string out(RTF_FontTableStart);
  for (int i = 0; i < FontTable.Count(); ++i) {
    const TRVRTFFont& font = FontTable.Items(i);
    out += RTF_FontStart;
    out += std::to_string(i);
    out += RTF_FontFamilyNil;
    // The default character set means "whatever the reader's system uses": saying nothing
    // gives a reader the same freedom.
    if (font.Charset != DEFAULT_CHARSET) {
      out += RTF_FontCharset;
      out += std::to_string(font.Charset);
    }
    out += ' ';
    out += MakeRTFIdentifierStr(font.FontName, CP_ACP, SaveAnsi);
    out += ";}";
  }
  out += '}';
  Stream.Write(out);
}

void TRVRTFTables::SaveColorTableToStream(TRVStream& Stream) const {
  std::string out(RTF_ColorTableStart);
  for (int i = 1; i < ColorList.Count(); ++i) {
    TColor rgb = ColorToRGB(ColorList.Items(i));
    out += RTF_Red;
    out += std::to_string(RVGetRValue(rgb));
    out += RTF_Green;
    out += std::to_string(RVGetGValue(rgb));
    out += RTF_Blue;
    out += std::to_string(RVGetBValue(rgb));
    out += ';';
  }
  out += '}';
  Stream.Write(out);
}

// ---- Saving state ----------------------------------------------------------------------------

void TRVRTFSavingData::CreateTablesAndLists() {
  RTFTables = std::make_unique<TRVRTFTables>();
  StyleToFont.clear();
  ListOverrideOffsetsList1.clear();
  ListOverrideOffsetsList2.clear();
}

void TRVRTFSavingData::FreeTablesAndLists() {
  RTFTables.reset();
  StyleToFont.clear();
  ListOverrideOffsetsList1.clear();
  ListOverrideOffsetsList2.clear();
}

// ---- The style sheet's share -----------------------------------------------------------------

void RVAddStyleFontsToRTFTables(TRVRTFSavingData& SavingData, const TRVStyle& RVStyle) {
  if (!SavingData.RTFTables)
    SavingData.CreateTablesAndLists();
  const TFontInfos& styles = RVStyle.TextStyles;
  SavingData.StyleToFont.resize(static_cast<std::size_t>(styles.Count()));
  for (int i = 0; i < styles.Count(); ++i)
    SavingData.StyleToFont[static_cast<std::size_t>(i)] =
        SavingData.RTFTables->AddFontFromStyle(*styles.Items(i));
}

void RVAddStyleColorsToRTFTables(TCustomRVRTFTables& RTFTables, const TRVStyle& RVStyle) {
  const TFontInfos& textStyles = RVStyle.TextStyles;
  for (int i = 0; i < textStyles.Count(); ++i) {
    const TFontInfo& fi = *textStyles.Items(i);
    for (TColor c : {fi.Color, fi.BackColor, fi.HoverColor, fi.HoverBackColor, fi.UnderlineColor,
                     fi.HoverUnderlineColor})
      RTFTables.AddColor(c);
  }
  const TParaInfos& paraStyles = RVStyle.ParaStyles;
  for (int i = 0; i < paraStyles.Count(); ++i) {
    const TParaInfo& pi = *paraStyles.Items(i);
    if (pi.Border.Style != rvbNone)
      RTFTables.AddColor(pi.Border.Color);
    RTFTables.AddColor(pi.Background.Color);
  }
}

} // namespace richtext
