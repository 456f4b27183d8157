// The document writer: a range of items as a complete RTF group (or, for a nested document,
// as the body that its item writes into the parent's group).
#include "richtext/export/RVItemWriters.h"
#include "richtext/export/RVRTFWriter.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "richtext/document/CRVData.h"
#include "richtext/base/RVClasses.h"
#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVRTFSaveStyle.h"
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/export/RVRTFSaveTextWords.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/base/RVStream.h"
#include "richtext/export/RVWriteProgress.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

constexpr TRVTextOptions RVCodeTextOptions{rvteoHTMLCode, rvteoRTFCode, rvteoDocXCode,
                                           rvteoDocXInRunCode};

// The tables are created (and freed) by the top level of a save; this keeps the free on
// every way out, exceptions included.
class TRVRTFTablesScope {
public:
  TRVRTFTablesScope(TRVRTFSavingData& SavingData, bool Owner)
      : FSavingData(SavingData), FOwner(Owner) {
    if (FOwner)
      FSavingData.CreateTablesAndLists();
  }
  ~TRVRTFTablesScope() {
    if (FOwner)
      FSavingData.FreeTablesAndLists();
  }
  TRVRTFTablesScope(const TRVRTFTablesScope&) = delete;
  TRVRTFTablesScope& operator=(const TRVRTFTablesScope&) = delete;

private:
  TRVRTFSavingData& FSavingData;
  bool FOwner;
};

struct TRVRTFSaveParams {
  bool SelectionOnly = false;
  std::int32_t Level = 0;
  TColor Color = clWindow;
  std::int32_t DocType = 0;
  bool CompleteDocument = true;
  bool HiddenParent = false;
  TCustomRVData* HeadersFooters[6] = {};
};

// One save of one document: the run state and the steps of the body.
class TRVRTFDocWriter {
public:
  TRVRTFDocWriter(TCustomRVData& Data, TRVStream& Stream, TRVRTFSavingData& SavingData,
                  const TRVRTFSaveParams& Params, TRVRTFOptions Options)
      : D(Data), S(Stream), SD(SavingData), P(Params), FOptions(Options), FStyle(Data.GetRVStyle()),
        FEvents(Data.GetRootEvents()), FSaveAnsi(Options.Contains(rvrtfDuplicateUnicode)),
        FSaveStyleSheet(Options.Contains(rvrtfSaveStyleSheet)) {
    if (FStyle == nullptr)
      throw ERichViewError("RTF cannot be written without a style sheet");
    FTextOptions = D.GetOptions();
  }

  // The whole save of the range StartItem..EndItem with the offsets of its ends.
  void Write(std::int32_t StartItem, std::int32_t EndItem, std::int32_t StartOffs,
             std::int32_t EndOffs, TRVWriteProgress& Progress);

private:
  bool IsTopLevel() const { return P.Level == 0 && P.CompleteDocument; }
  TCustomRVRTFTables& Tables() { return *SD.RTFTables; }

  // -- tables and header --
  void FillTables();
  void FillTablesFrom(TCustomRVData& Doc);
  void WriteHeader();
  void WriteStyleSheet();
  void WriteHeadersFooters();

  // -- body --
  void WriteParaStart(TCustomRVItemInfo& Item, bool FirstParaPending);
  void WriteParaProperties(std::int32_t ParaNo);
  void WriteTextProperties(std::int32_t StyleNo);
  bool WriteHyperlinkStart(std::int32_t ItemNo, TCustomRVItemInfo& Item);
  std::int32_t RunTextStyle(TCustomRVItemInfo& Item);
  bool ShouldSaveTextToRTF(std::int32_t StyleNo) const;
  bool WriteCustom(std::int32_t ItemNo);
  void WriteLeadingListMarker(std::int32_t StartItem);

  std::int32_t ValidTextStyle(std::int32_t StyleNo) const {
    return FStyle->TextStyles.IsValidIndex(StyleNo) ? StyleNo : 0;
  }
  std::string ExtraCode(TRVRTFSaveArea Area, const void* Obj, int Index1, int Index2) {
    return FEvents->GetExtraRTFCode(Area, Obj, Index1, Index2, false);
  }
  TRVBiDiMode ParaBiDiMode(std::int32_t ParaNo) const {
    return FStyle->ParaStyles.Items(ParaNo)->BiDiMode;
  }

  TCustomRVData& D;
  TRVStream& S;
  TRVRTFSavingData& SD;
  const TRVRTFSaveParams& P;
  TRVRTFOptions FOptions;
  TRVStyle* FStyle;
  TRVRootEvents* FEvents;
  TRVOptions FTextOptions;
  bool FSaveAnsi;
  bool FSaveStyleSheet;

  // Run state: what the reader's current "\pard" and "\plain" settings came from (-1: none).
  std::int32_t FLastParaNo = -1;
  std::int32_t FLastTextStyleNo = -1;
  TRVBiDiMode FLastTextParaBiDi = rvbdUnspecified;
  bool FPrevParaHasMarker = false;
};

// ---- Tables and header ----------------------------------------------------------------------

void TRVRTFDocWriter::FillTablesFrom(TCustomRVData& Doc) {
  for (std::int32_t i = 0; i < Doc.ItemCount(); ++i) {
    TCustomRVItemInfo* item = Doc.GetItem(i);
    if (item->StyleNo < 0)
      RVItemFillRTFTables(*item, Tables(), &Doc);
  }
}

void TRVRTFDocWriter::FillTables() {
  RVAddStyleFontsToRTFTables(SD, *FStyle);
  RVAddStyleColorsToRTFTables(Tables(), *FStyle);
  for (TCustomRVData* doc : P.HeadersFooters)
    if (doc != nullptr)
      FillTablesFrom(*doc);
  FillTablesFrom(D);
  if (P.Color != clWindow)
    Tables().AddColor(P.Color);
}

void TRVRTFDocWriter::WriteHeader() {
  std::string out(RTF_DocStart);
  out += std::to_string(RVRTFHeaderCodePage(FStyle->DefCodePage));
  out += RTF_DefaultFallbackCount;
  out += FSaveAnsi ? '1' : '0';
  out += RTF_DefaultFont;
  const std::string language =
      std::to_string(RVU_Charset2Language(FStyle->TextStyles.Items(0)->Charset));
  out += RTF_DefaultLanguage;
  out += language;
  out += RTF_DefaultLanguageFE;
  out += language;
  if (FOptions.Contains(rvrtfSaveDocParameters)) {
    out += RTF_DefaultPageSetup;
    out += RTF_CRLF;
  }
  S.Write(out);
  Tables().SaveFontTableToStream(S, FSaveAnsi);
  Tables().SaveColorTableToStream(S);
  if (FSaveStyleSheet)
    WriteStyleSheet();
  if (FStyle->ListStyles.Count() > 0)
    S.Write(RTF_ListTables);
  S.Write(RTF_CRLF);
  WriteHeadersFooters();
  if (P.Color != clWindow && P.Color != clNone) {
    out.assign(RTF_BackgroundStart);
    out += std::to_string(ColorToRGB(P.Color));
    out += RTF_BackgroundEnd;
    out += RTF_CRLF;
    S.Write(out);
  }
  S.Write(ExtraCode(rv_rtfs_Doc, nullptr, -1, -1));
  S.Write(RTF_CRLF);
}

// The style sheet lists the paragraph styles marked Standard, then the text styles marked
// Standard, numbered in that order; StyleSheetMap holds each style's number (paragraph
// styles first, then text styles; -1 for a style that is not in the sheet).
void TRVRTFDocWriter::WriteStyleSheet() {
  TCustomRVRTFTables& tables = Tables();
  tables.ClearStyleSheetMap();
  int number = 0;
  std::string out(RTF_StyleSheetStart);
  const TParaInfos& paras = FStyle->ParaStyles;
  for (int i = 0; i < paras.Count(); ++i) {
    const TParaInfo& pi = *paras.Items(i);
    if (!pi.Standard) {
      tables.AddStyleSheetMap(-1);
      continue;
    }
    tables.AddStyleSheetMap(number);
    out += '{';
    out += RTF_ParaStyleRef;
    out += std::to_string(number++);
    out += MakeParaInfoRTF(pi, tables, *FStyle, {}, 0);
    out += ' ';
    out += MakeRTFIdentifierStr(pi.StyleName, FStyle->DefCodePage, FSaveAnsi);
    out += ";}";
  }
  const TFontInfos& texts = FStyle->TextStyles;
  for (int i = 0; i < texts.Count(); ++i) {
    const TFontInfo& fi = *texts.Items(i);
    if (!fi.Standard) {
      tables.AddStyleSheetMap(-1);
      continue;
    }
    tables.AddStyleSheetMap(number);
    out += RTF_CharStyleStart;
    out += std::to_string(number++);
    out += ' ';
    out += RTF_CharStyleAdditive;
    out += RTF_FontRef;
    out += std::to_string(SD.StyleToFont[static_cast<std::size_t>(i)]);
    out += MakeFontInfoRTF(fi, tables, *FStyle, false);
    out += ' ';
    out += MakeRTFIdentifierStr(fi.StyleName, FStyle->DefCodePage, FSaveAnsi);
    out += ";}";
  }
  out += '}';
  S.Write(out);
}

void TRVRTFDocWriter::WriteHeadersFooters() {
  for (int i = 0; i < 6; ++i) {
    TCustomRVData* doc = P.HeadersFooters[i];
    if (doc == nullptr)
      continue;
    S.Write(RTF_HeaderFooterGroups[i]);
    if (!SaveRTFToStream(*doc, S, false, 0, clNone, nullptr, SD, i + 1, false, P.HiddenParent))
      throw ERichViewError("RTF writing of a header or footer failed");
    S.Write(RTF_ParEnd);
    S.Write("}");
  }
}

// ---- Paragraphs and runs ----------------------------------------------------------------------

void TRVRTFDocWriter::WriteParaProperties(std::int32_t ParaNo) {
  const TParaInfo& pi = *FStyle->ParaStyles.Items(ParaNo);
  std::string out;
  if (FSaveStyleSheet && pi.Standard && FStyle->ParaStyles.IsValidIndex(ParaNo)) {
    const int number = Tables().GetStyleSheetMap(ParaNo);
    if (number >= 0) {
      out += RTF_ParaStyleRef;
      out += std::to_string(number);
    }
  }
  out += MakeParaInfoRTF(pi, Tables(), *FStyle, {}, 0);
  if (P.Level == 1) {
    out += RTF_InTable;
  } else {
    out += RTF_NestingLevel;
    out += std::to_string(P.Level);
  }
  if (SD.SavePageBreakBeforePara) {
    out += RTF_PageBreakBefore;
    SD.SavePageBreakBeforePara = false;
  }
  out += ExtraCode(rv_rtfs_ParaStyle, &pi, ParaNo, -1);
  out += ' ';
  S.Write(out);
}

void TRVRTFDocWriter::WriteTextProperties(std::int32_t StyleNo) {
  const std::int32_t styleNo = ValidTextStyle(StyleNo);
  const TFontInfo& fi = *FStyle->TextStyles.Items(styleNo);
  std::string out;
  if (FSaveStyleSheet && fi.Standard) {
    const int number = Tables().GetStyleSheetMap(FStyle->ParaStyles.Count() + styleNo);
    if (number >= 0) {
      out += RTF_CharStyleRef;
      out += std::to_string(number);
    }
  }
  out += RTF_FontRef;
  out += std::to_string(static_cast<std::size_t>(styleNo) < SD.StyleToFont.size()
                            ? SD.StyleToFont[static_cast<std::size_t>(styleNo)]
                            : 0);
  out += MakeFontInfoRTF(fi, Tables(), *FStyle, false);
  // No space after "\v": the one that ends the properties below ends it, and a second one
  // would be a visible space in front of the run.
  if (P.HiddenParent && !fi.Options.Contains(rvteoHidden))
    out += RTF_HiddenText;
  out += ExtraCode(rv_rtfs_TextStyle, &fi, styleNo, -1);
  out += ' ';
  S.Write(out);
}

void TRVRTFDocWriter::WriteParaStart(TCustomRVItemInfo& Item, bool FirstParaPending) {
  std::string out(RTF_CRLF);
  const bool fullWidth = Item.GetBoolValue(rvbpFullWidth);
  if (fullWidth && Item.GetPageBreakBefore())
    out += RTF_PageBreak;
  // A range that begins inside a paragraph (after a line break, or in its second run) still
  // gets that paragraph's properties rather than the reader's defaults.
  if (Item.GetBR() && !FirstParaPending) {
    out += RTF_Line;
    S.Write(out);
    return;
  }
  if (!FirstParaPending) {
    out += RTF_Par;
    if (FPrevParaHasMarker) {
      out += RTF_CharDefaults;
      FLastTextStyleNo = -1;
    }
  }
  if (!fullWidth && Item.GetPageBreakBefore())
    out += RTF_PageBreak;
  FPrevParaHasMarker = Item.StyleNo == rvsListMarker;
  S.Write(out);
  if (Item.ParaNo != FLastParaNo) {
    S.Write(RTF_ParaDefaults);
    WriteParaProperties(Item.ParaNo);
    FLastParaNo = Item.ParaNo;
  }
}

bool TRVRTFDocWriter::WriteHyperlinkStart(std::int32_t ItemNo, TCustomRVItemInfo& Item) {
  const std::int32_t id = Item.JumpID + D.GetFirstJumpNo();
  std::u16string target;
  std::u16string handlerExtras;
  FEvents->WriteHyperlink(id, &D, ItemNo, rvsfRTF, target, handlerExtras);
  // The hint gives the screen tip unless the owner supplied extras of its own.
  const std::u16string extras =
      handlerExtras.empty() ? RVMakeHyperlinkExtras(Item.Hint) : handlerExtras;
  if (!FTextOptions.Contains(rvoPercentEncodedURL))
    target = RVPercentEncodeURL(target);
  std::u16string url;
  std::u16string local;
  CalcLocalURL(target, url, local);
  const std::string fieldText =
      RVMakeRTFHyperlinkFieldText(url, local, extras, FStyle->DefCodePage, FSaveAnsi);
  if (fieldText.empty())
    return false;
  std::string out(RTF_FieldStart);
  out += fieldText;
  out += RTF_FieldResultStart;
  S.Write(out);
  return true;
}

std::int32_t TRVRTFDocWriter::RunTextStyle(TCustomRVItemInfo& Item) {
  if (Item.StyleNo >= 0)
    return D.GetActualStyle(&Item);
  std::int32_t styleNo = Item.GetAssociatedTextStyleNo();
  if (styleNo == rvsDefStyle) {
    const int def = FStyle->ParaStyles.Items(Item.ParaNo)->DefStyleNo;
    styleNo = def >= 0 ? def : 0;
  }
  if (styleNo >= 0)
    styleNo = D.GetStyleFromStyleTemplate(styleNo, Item.ParaNo);
  return styleNo;
}

bool TRVRTFDocWriter::ShouldSaveTextToRTF(std::int32_t StyleNo) const {
  const TRVTextOptions code =
      FStyle->TextStyles.Items(ValidTextStyle(StyleNo))->Options & RVCodeTextOptions;
  return code.Empty() || code == TRVTextOptions{rvteoRTFCode};
}

bool TRVRTFDocWriter::WriteCustom(std::int32_t ItemNo) {
  std::u16string text;
  if (!FEvents->SaveItemToFile(SD.Path, &D, ItemNo, rvsfRTF, text))
    return false;
  S.Write(RVU_UnicodeToAnsi(CP_ACP, text));
  return true;
}

void TRVRTFDocWriter::WriteLeadingListMarker(std::int32_t StartItem) {
  std::int32_t first = StartItem;
  while (first > 0 && !D.GetItem(first)->ParaStart(false))
    --first;
  if (first == StartItem)
    return;
  TCustomRVItemInfo* marker = D.GetItem(first);
  if (marker->StyleNo != rvsListMarker)
    return;
  WriteParaStart(*marker, true);
  RVItemSaveRTF(*marker, S, &D, P.HiddenParent, P.DocType, SD, P.Level, first);
  FLastTextStyleNo = -1;
}

void TRVRTFDocWriter::Write(std::int32_t StartItem, std::int32_t EndItem, std::int32_t StartOffs,
                            std::int32_t EndOffs, TRVWriteProgress& Progress) {
  bool firstParaPending = true;
  if (IsTopLevel()) {
    FillTables();
    WriteHeader();
    if (P.SelectionOnly) {
      WriteLeadingListMarker(StartItem);
      if (FLastParaNo >= 0)
        firstParaPending = false;
    }
  }

  const bool manyItems = StartItem != EndItem;
  for (std::int32_t i = StartItem; i <= EndItem; ++i) {
    TCustomRVItemInfo& item = *D.GetItem(i);
    const bool isText = item.StyleNo >= 0;
    const TRVUnicodeString& itemText = item.ItemText;
    const auto length = static_cast<std::int32_t>(itemText.size());

    if (i == StartItem && (isText ? manyItems && length > 0 && StartOffs > length : StartOffs >= 1))
      continue;
    if (i == EndItem && (isText ? manyItems && length > 0 && EndOffs <= 1 : EndOffs <= 0)) {
      if (P.SelectionOnly && item.ParaStart(false))
        S.Write(RTF_ParEnd);
      continue;
    }

    if (!item.GetSameAsPrev() || firstParaPending)
      WriteParaStart(item, firstParaPending);
    firstParaPending = false;

    if (item.Checkpoint && !item.Checkpoint->Name.empty())
      S.Write(RVMakeRTFBookmark(item.Checkpoint->Name, FStyle->DefCodePage, FSaveAnsi));

    bool fieldOpen = false;
    if (item.GetBoolValueEx(rvbpJump, FStyle)) {
      fieldOpen = WriteHyperlinkStart(i, item);
      FLastTextStyleNo = -1;
    }

    const std::int32_t textStyle = RunTextStyle(item);
    if (textStyle >= 0 && ShouldSaveTextToRTF(textStyle)) {
      const TRVBiDiMode paraBiDi = ParaBiDiMode(item.ParaNo);
      if (textStyle == FLastTextStyleNo) {
        if (paraBiDi != FLastTextParaBiDi &&
            FStyle->TextStyles.Items(ValidTextStyle(textStyle))->BiDiMode == rvbdUnspecified)
          S.Write(paraBiDi == rvbdRightToLeft ? RTF_RightToLeftRun : RTF_LeftToRightRun);
      } else {
        S.Write(RTF_CharDefaults);
        S.Write(" ");
        WriteTextProperties(textStyle);
        FLastTextStyleNo = textStyle;
      }
      FLastTextParaBiDi = paraBiDi;
      if (!WriteCustom(i)) {
        if (!isText) {
          RVItemSaveRTF(item, S, &D, P.HiddenParent, P.DocType, SD, P.Level, i);
        } else {
          std::u16string_view text(itemText);
          // The same cut as the plain text of the range: offsets are 1-based positions.
          if (i == EndItem && EndOffs >= 1 && EndOffs - 1 < length)
            text = text.substr(0, static_cast<std::size_t>(EndOffs - 1));
          if (i == StartItem && StartOffs > 1)
            text = StartOffs - 1 < static_cast<std::int32_t>(text.size())
                       ? text.substr(static_cast<std::size_t>(StartOffs - 1))
                       : std::u16string_view{};
          const TFontInfo& fi = *FStyle->TextStyles.Items(ValidTextStyle(textStyle));
          RVWriteUnicodeRTFStr(S, text, D.GetStyleCodePage(ValidTextStyle(textStyle)), FSaveAnsi,
                               false, fi.Options.Contains(rvteoRTFCode), false, false, false);
        }
      }
    } else if (!isText) {
      const bool rtlPara = FLastParaNo >= 0 && ParaBiDiMode(FLastParaNo) == rvbdRightToLeft;
      if (rtlPara)
        S.Write(RTF_LeftToRightPara);
      if (!WriteCustom(i))
        RVItemSaveRTF(item, S, &D, P.HiddenParent, P.DocType, SD, P.Level, i);
      if (rtlPara)
        S.Write(RTF_RightToLeftPara);
      FLastTextStyleNo = -1;
      // A full-line item ends with "\pard" of its own: what follows needs its paragraph's
      // properties written again.
      if (item.GetBoolValue(rvbpFullWidth))
        FLastParaNo = -1;
    }

    if (fieldOpen) {
      S.Write(RTF_FieldEnd);
      FLastTextStyleNo = -1;
    }
    Progress.Step(i - StartItem + 1);
  }

  if (D.NotAddedCP && !D.NotAddedCP->Name.empty())
    S.Write(RVMakeRTFBookmark(D.NotAddedCP->Name, FStyle->DefCodePage, FSaveAnsi));

  if (IsTopLevel()) {
    const std::int32_t last = D.ItemCount() - 1;
    if (!P.SelectionOnly || (EndItem == last && EndOffs >= D.GetOffsAfterItem(last)))
      S.Write(RTF_ParEnd);
    S.Write(RTF_DocEnd);
  }
}

} // namespace

bool SaveRTFToStream(TCustomRVData& RVData, TRVStream& Stream, bool SelectionOnly, std::int32_t Level,
                                    TColor Color, TRVBackground* /*Background*/,
                                    TRVRTFSavingData& SavingData, std::int32_t DocType,
                                    bool CompleteDocument, bool HiddenParent, TCustomRVData* Header,
                                    TCustomRVData* Footer, TCustomRVData* FirstPageHeader,
                                    TCustomRVData* FirstPageFooter, TCustomRVData* EvenPagesHeader,
                                    TCustomRVData* EvenPagesFooter) {
  try {
    TRVRootProperties* root = RVData.GetRootProperties();
    const TRVRTFOptions options =
        root != nullptr ? root->RTFOptions : TRVRootProperties{}.RTFOptions;
    if (!SelectionOnly)
      RVData.DoBeforeSaving();

    std::int32_t startItem = -1, endItem = -1, startOffs = 0, endOffs = 0;
    TRVMultiDrawItemPart* startPart = nullptr;
    TRVMultiDrawItemPart* endPart = nullptr;
    TCustomRVItemInfo* selectedItem = nullptr;
    RVData.RVFGetLimits(SelectionOnly ? rvfss_Selection : rvfss_Full, startItem, endItem, startOffs,
                 endOffs, startPart, endPart, selectedItem);
    if (selectedItem != nullptr || startItem < 0 || endItem < startItem)
      return true;

    TRVRTFSaveParams params;
    params.SelectionOnly = SelectionOnly;
    params.Level = Level;
    params.Color = Color;
    params.DocType = DocType;
    params.CompleteDocument = CompleteDocument;
    params.HiddenParent = HiddenParent;
    TCustomRVData* headersFooters[6] = {Header,          Footer,          FirstPageHeader,
                                        FirstPageFooter, EvenPagesHeader, EvenPagesFooter};
    std::copy(std::begin(headersFooters), std::end(headersFooters), params.HeadersFooters);

    const bool topLevel = Level == 0 && CompleteDocument;
    TRVRTFTablesScope tables(SavingData, topLevel);
    if (!SavingData.RTFTables)
      throw ERichViewError("RTF writing of a nested document needs the tables of its save");
    TRVWriteProgress progress(rvloRTFWrite, RVData.GetRootEvents(), topLevel, endItem - startItem + 1);
    // Plain text is written as it stands, with paragraph and style marks between the items.
    const TRVRangeSize size = RVRangeSize(RVData, startItem, endItem);
    Stream.ExpectMore(size.Chars + size.Chars / 16 + 32 * size.Items + 4096);
    TRVRTFDocWriter(RVData, Stream, SavingData, params, options)
        .Write(startItem, endItem, startOffs, endOffs, progress);
    return true;
  } catch (...) {
    return false;
  }
}

} // namespace richtext
