#include "richtext/control/RichView.h"

#include <algorithm>

#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

std::unique_ptr<TRichViewRVData> CreateViewerData(TCustomRichView* RichView) {
  return std::make_unique<TRichViewRVData>(RichView);
}

} // namespace

TCustomRichView::TCustomRichView() : TCustomRichView(&CreateViewerData) {}

TCustomRichView::TCustomRichView(TRichViewRVDataClass DataClass) {
  RVData = DataClass(this);
  Background = std::make_unique<TRVBackground>();
  Width = 100;
  Height = 40;
  BorderStyle = bsSingle;
}

TCustomRichView::~TCustomRichView() {
  FDestroying = true;
  Background.reset();
  RVData->Clear();
  RVData.reset();
}

TRichViewRVDataClass TCustomRichView::GetDataClass() const {
  return &CreateViewerData;
}

// ---------------------------------------------------------------------------------------------
// Properties

TRVRootProperties& TCustomRichView::RootProperties() const {
  return *RVData->GetRootProperties();
}

TRVFOptions TCustomRichView::GetRVFOptions() const {
  return RootProperties().RVFOptions;
}
void TCustomRichView::SetRVFOptions(TRVFOptions Value) {
  RootProperties().RVFOptions = Value;
}
TRVRTFOptions TCustomRichView::GetRTFOptions() const {
  return RootProperties().RTFOptions;
}
void TCustomRichView::SetRTFOptions(TRVRTFOptions Value) {
  RootProperties().RTFOptions = Value;
}

TRVFReaderStyleMode TCustomRichView::GetRVFTextStylesReadMode() const {
  return RootProperties().RVFTextStylesReadMode;
}
void TCustomRichView::SetRVFTextStylesReadMode(TRVFReaderStyleMode Value) {
  RootProperties().RVFTextStylesReadMode = Value;
}
TRVFReaderStyleMode TCustomRichView::GetRVFParaStylesReadMode() const {
  return RootProperties().RVFParaStylesReadMode;
}
void TCustomRichView::SetRVFParaStylesReadMode(TRVFReaderStyleMode Value) {
  RootProperties().RVFParaStylesReadMode = Value;
}

const std::u16string& TCustomRichView::GetNoteText() const {
  return RootProperties().NoteText;
}
void TCustomRichView::SetNoteText(const std::u16string& Value) {
  RootProperties().NoteText = Value;
}
const std::u16string& TCustomRichView::GetDelimiters() const {
  return RootProperties().Delimiters;
}
void TCustomRichView::SetDelimiters(const std::u16string& Value) {
  RootProperties().Delimiters = Value;
}

TColor TCustomRichView::GetColor() const {
  if (Color != clNone)
    return Color;
  if (FStyle != nullptr)
    return FStyle->Color;
  return clWindow;
}

void TCustomRichView::SetStyle(TRVStyle* Value) {
  FStyle = Value;
  // No external page layout is ever attached, so the control repaints itself.
  if (IsDesigning() || FOptions.Contains(rvoFormatInvalidate))
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Building

void TCustomRichView::AddNL(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                            const TRVTag& Tag) {
  RVData->AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRichView::AddNLTag(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                               const TRVTag& Tag) {
  RVData->AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRichView::AddNLW(const TRVUnicodeString& s, std::int32_t StyleNo, std::int32_t ParaNo,
                             const TRVTag& Tag) {
  RVData->AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRichView::AddNLWTag(const TRVUnicodeString& s, std::int32_t StyleNo,
                                std::int32_t ParaNo, const TRVTag& Tag) {
  RVData->AddNLW(s, StyleNo, ParaNo, Tag, true);
}

void TCustomRichView::AddNLA(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
                             const TRVTag& Tag) {
  RVData->AddNLA(s, StyleNo, ParaNo, Tag);
}

void TCustomRichView::AddNLATag(std::string_view s, std::int32_t StyleNo, std::int32_t ParaNo,
                                const TRVTag& Tag) {
  RVData->AddNLA(s, StyleNo, ParaNo, Tag);
}

void TCustomRichView::AddTextNL(const TRVUnicodeString& s, std::int32_t StyleNo,
                                std::int32_t FirstParaNo, std::int32_t OtherParaNo,
                                bool AsSingleParagraph, const TRVTag& Tag) {
  RVData->AddTextNL(s, StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph, Tag);
}

void TCustomRichView::AddTextNLW(const TRVUnicodeString& s, std::int32_t StyleNo,
                                 std::int32_t FirstParaNo, std::int32_t OtherParaNo,
                                 bool AsSingleParagraph, const TRVTag& Tag) {
  RVData->AddTextNLW(s, StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph, Tag);
}

void TCustomRichView::AddTextNLA(std::string_view s, std::int32_t StyleNo, std::int32_t FirstParaNo,
                                 std::int32_t OtherParaNo, bool AsSingleParagraph,
                                 const TRVTag& Tag, TRVCodePage CodePage) {
  RVData->AddTextNLA(s, StyleNo, FirstParaNo, OtherParaNo, AsSingleParagraph, Tag, CodePage);
}

void TCustomRichView::AddItem(const TRVUnicodeString& Text,
                              std::unique_ptr<TCustomRVItemInfo> Item) {
  RVData->AddItem(Text, std::move(Item));
}

void TCustomRichView::AddBreak(std::int32_t Width, TRVBreakStyle Style, TColor Color,
                               const TRVTag& Tag) {
  RVData->AddBreak(Width, Style, Color, Tag);
}

std::int32_t TCustomRichView::AddCheckpoint(const TRVUnicodeString& CpName, bool RaiseEvent,
                                            const TRVTag& Tag) {
  return RVData->AddCheckpoint(CpName, RaiseEvent, Tag);
}

void TCustomRichView::SetAddParagraphMode(bool AllowNewPara) {
  RVData->SetAddParagraphMode(AllowNewPara);
}

void TCustomRichView::Clear() {
  RVData->Clear();
}

void TCustomRichView::ClearAll() {
  if (Flags.Contains(rvflRoot))
    for (TCustomRVData* extra : RootProperties().ExtraDocuments)
      extra->Clear();
  Clear();
}

// ---------------------------------------------------------------------------------------------
// Questions

const TRVUnicodeString& TCustomRichView::GetItemText(std::int32_t ItemNo) const {
  return RVData->GetItemText(ItemNo);
}
void TCustomRichView::SetItemText(std::int32_t ItemNo, const TRVUnicodeString& s) {
  RVData->SetItemText(ItemNo, s);
}
const TRVTag& TCustomRichView::GetItemTag(std::int32_t ItemNo) const {
  return RVData->GetItemTag(ItemNo);
}
void TCustomRichView::SetItemTag(std::int32_t ItemNo, const TRVTag& Tag) {
  RVData->SetItemTag(ItemNo, Tag);
}
std::int32_t TCustomRichView::GetItemStyle(std::int32_t ItemNo) const {
  return RVData->GetItemStyle(ItemNo);
}
std::int32_t TCustomRichView::GetItemPara(std::int32_t ItemNo) const {
  return RVData->GetItemPara(ItemNo);
}
bool TCustomRichView::IsParaStart(std::int32_t ItemNo) const {
  return RVData->IsParaStart(ItemNo);
}
bool TCustomRichView::IsFromNewLine(std::int32_t ItemNo) const {
  return RVData->IsFromNewLine(ItemNo);
}

// ---------------------------------------------------------------------------------------------
// Clear handlers and root events

int TCustomRichView::RegisterClearHandler(TRVClearHandler Handler) {
  const int id = FNextClearHandlerId++;
  FClearHandlers.emplace_back(id, std::move(Handler));
  return id;
}

void TCustomRichView::UnregisterClearHandler(int HandlerId) {
  std::erase_if(FClearHandlers, [&](const auto& h) { return h.first == HandlerId; });
}

void TCustomRichView::DoClearHandlers() {
  // A handler may unregister itself (or another) while the handlers run.
  const auto handlers = FClearHandlers;
  for (const auto& h : handlers)
    if (h.second)
      h.second(this);
}

void TCustomRichView::DoProgress(TRVLongOperation Operation, TRVProgressStage Stage,
                                 std::uint8_t PercentDone) {
  if (OnProgress)
    OnProgress(this, Operation, Stage, PercentDone);
}

void TCustomRichView::DoCopy() {
  if (OnCopy)
    OnCopy(this);
}

// ---------------------------------------------------------------------------------------------
// Formatting and selection

void TCustomRichView::Format_(const TRVFormatOptions& Options, TRVCanvas* ACanvas) {
  if (VSmallStep == 0 || IsDesigning())
    return;
  RVData->Format_(Options, ACanvas);
  // An editor's document cleared since its last formatting is formatted now.
  RVData->State.Exclude(rvstEditorUnformatted);
  if (FOptions.Contains(rvoFormatInvalidate))
    Invalidate();
}

namespace {

// A control's formatting: every line again, with the font cache fresh.
TRVFormatOptions ControlFormat() {
  TRVFormatOptions options;
  options.ForceFormat = true;
  options.NoCaching = true;
  options.CallOnFormat = true;
  return options;
}

} // namespace

void TCustomRichView::Format() {
  if (IsDestroying())
    return;
  Format_(ControlFormat(), RVData->GetFormatCanvas());
  // Animation is not part of this engine: rvaniOnFormat starts nothing.
}

void TCustomRichView::Reformat() {
  if (RVData->State.Contains(rvstEditorUnformatted)) {
    Format();
    return;
  }
  TRVFormatOptions options = ControlFormat();
  options.OnlyResized = true;
  options.Reformatting = true;
  Format_(options, RVData->GetFormatCanvas());
}

void TCustomRichView::FormatTail() {
  TRVFormatOptions options = ControlFormat();
  options.OnlyTail = true;
  Format_(options, RVData->GetFormatCanvas());
}

void TCustomRichView::FormatAll() {
  FormatExtraDocuments(false);
  Format();
}

void TCustomRichView::ReformatAll() {
  FormatExtraDocuments(true);
  Reformat();
}

void TCustomRichView::FormatExtraDocuments(bool OnlyResized) {
  if (!Flags.Contains(rvflRoot))
    return;
  TRVFormatOptions options;
  options.OnlyResized = OnlyResized;
  options.ForceFormat = true;
  options.NoCaching = true;
  options.Reformatting = OnlyResized;
  for (TCustomRVData* extra : RootProperties().ExtraDocuments)
    if (auto* formatted = dynamic_cast<TCustomRVFormattedData*>(extra))
      formatted->Format_(options, formatted->GetFormatCanvas());
}

void TCustomRichView::SelectAll() {
  RVData->SelectAll();
}

void TCustomRichView::Deselect() {
  RVData->Deselect(nullptr, true);
}

} // namespace richtext
