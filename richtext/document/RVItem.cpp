#include "richtext/document/RVItem.h"

#include "richtext/document/CRVData.h"
#include "richtext/style/RVColor.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

template <typename T> std::unique_ptr<TCustomRVItemInfo> Construct(TCustomRVData* ARVData) {
  return std::make_unique<T>(ARVData);
}

// rvsDefStyle in a paragraph: the paragraph style's default text style, or 0 without one.
std::int32_t ParaDefStyleNo(const TRVStyle* RVStyle, std::int32_t ParaNo) {
  if (RVStyle == nullptr)
    return 0;
  const int def = RVStyle->ParaStyles.Items(ParaNo)->DefStyleNo;
  return def >= 0 ? def : 0;
}

} // namespace

const TRVItemClassInfo TCustomRVItemInfo::ClassInfo{"TCustomRVItemInfo",
                                                    &Construct<TCustomRVItemInfo>};
const TRVItemClassInfo TRVTextItemInfo::ClassInfo{"TRVTextItemInfo", &Construct<TRVTextItemInfo>};
const TRVItemClassInfo TRVNonTextItemInfo::ClassInfo{"TRVNonTextItemInfo",
                                                     &Construct<TRVNonTextItemInfo>};
const TRVItemClassInfo TRVFullLineItemInfo::ClassInfo{"TRVFullLineItemInfo",
                                                      &Construct<TRVFullLineItemInfo>};
const TRVItemClassInfo TRVBreakItemInfo::ClassInfo{"TRVBreakItemInfo",
                                                   &Construct<TRVBreakItemInfo>};
const TRVItemClassInfo TRVTabItemInfo::ClassInfo{"TRVTabItemInfo", &Construct<TRVTabItemInfo>};

// ---------------------------------------------------------------------------------------------
// TCustomRVItemInfo

TCustomRVItemInfo::TCustomRVItemInfo(TCustomRVData*) {}

TCustomRVItemInfo::~TCustomRVItemInfo() = default;

void TCustomRVItemInfo::SetSameAsPrev(bool Value) {
  if (Value) {
    ItemOptions.Exclude(rvioPageBreakBefore);
    ItemOptions.Exclude(rvioBR);
    ItemOptions.Include(rvioSameAsPrev);
  } else {
    ItemOptions.Exclude(rvioSameAsPrev);
  }
}

void TCustomRVItemInfo::SetBR(bool Value) {
  if (GetBoolValue(rvbpFullWidth))
    Value = false;
  if (Value) {
    ItemOptions.Exclude(rvioSameAsPrev);
    ItemOptions.Include(rvioBR);
  } else {
    ItemOptions.Exclude(rvioBR);
  }
}

void TCustomRVItemInfo::SetPageBreakBefore(bool Value) {
  if (Value) {
    ItemOptions.Exclude(rvioSameAsPrev);
    ItemOptions.Exclude(rvioBR);
    ItemOptions.Include(rvioPageBreakBefore);
  } else {
    ItemOptions.Exclude(rvioPageBreakBefore);
  }
}

void TCustomRVItemInfo::SetClearLeft(bool Value) {
  if (!Value)
    ItemOptions.Exclude(rvioClearLeft);
  else if (!GetSameAsPrev())
    ItemOptions.Include(rvioClearLeft);
}

void TCustomRVItemInfo::SetClearRight(bool Value) {
  if (!Value)
    ItemOptions.Exclude(rvioClearRight);
  else if (!GetSameAsPrev())
    ItemOptions.Include(rvioClearRight);
}

bool TCustomRVItemInfo::ParaStart(bool CountBR) const {
  return !GetSameAsPrev() && (CountBR || !GetBR());
}

bool TCustomRVItemInfo::CanBeBorderStart() const {
  return !GetSameAsPrev() && !GetBR();
}

void TCustomRVItemInfo::AssignParaProperties(const TCustomRVItemInfo* Source) {
  SetSameAsPrev(Source->GetSameAsPrev());
  SetBR(Source->GetBR());
  SetPageBreakBefore(Source->GetPageBreakBefore());
  SetClearLeft(Source->GetClearLeft());
  SetClearRight(Source->GetClearRight());
}

std::int32_t TCustomRVItemInfo::GetActualTextStyleNo() const {
  return StyleNo < 0 ? GetAssociatedTextStyleNo() : StyleNo;
}

std::int32_t TCustomRVItemInfo::GetActualTextStyleNo(TCustomRVData* Context) const {
  std::int32_t result = GetActualTextStyleNo();
  if (Context == nullptr)
    return result;
  if (result == rvsDefStyle)
    result = ParaDefStyleNo(Context->GetRVStyle(), ParaNo);
  if (result >= 0)
    result = Context->GetStyleFromStyleTemplate(result, ParaNo);
  return result;
}

std::int32_t TCustomRVItemInfo::GetActualTextStyleNo(const TRVStyle* Context) const {
  std::int32_t result = GetActualTextStyleNo();
  if (Context != nullptr && result == rvsDefStyle)
    result = ParaDefStyleNo(Context, ParaNo);
  return result;
}

bool TCustomRVItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  switch (Prop) {
  case rvbpValid:
  case rvbpRequiresRVFLines:
  case rvbpSwitchToAssStyleNo:
  case rvbpDocXInRun:
    return true;
  default:
    return false;
  }
}

bool TCustomRVItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
  case rvbpPrintToBMP:
  case rvbpPrintSupportsMetafiles:
    return true;
  case rvbpPrintToBMPIfNoMetafiles:
    return GetBoolValueEx(rvbpPrintToBMP, RVStyle);
  default:
    return false;
  }
}

void TCustomRVItemInfo::Inserting(TCustomRVData* ARVData, TRVUnicodeString& AText, bool) {
  if (ARVData != nullptr)
    ARVData->ItemAction(rviaInserting, this, AText, ARVData);
}

void TCustomRVItemInfo::Inserted(TCustomRVData* ARVData, std::int32_t) {
  if (ARVData == nullptr)
    return;
  UpdateAnimator(ARVData);
  TRVUnicodeString empty;
  ARVData->ItemAction(rviaInserted, this, empty, ARVData);
}

void TCustomRVItemInfo::Assign(const TCustomRVItemInfo* Source) {
  if (Source->GetClass() == GetClass())
    StyleNo = Source->StyleNo;
  ParaNo = Source->ParaNo;
  ItemOptions = Source->ItemOptions;
  Hint = Source->Hint;
}

// ---------------------------------------------------------------------------------------------
// TRVTextItemInfo

bool TRVTextItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
  case rvbpJump:
  case rvbpAllowsFocus:
  case rvbpXORFocus:
  case rvbpHotColdJump: {
    if (RVStyle == nullptr)
      return false;
    const std::int32_t styleNo = GetActualTextStyleNo(RVStyle);
    const bool jump = RVStyle->TextStyles.Items(styleNo)->Jump;
    if (Prop == rvbpHotColdJump)
      return jump && RVStyle->StyleHoverSensitive(styleNo);
    return jump;
  }
  case rvbpActualPrintSize:
    return true;
  default:
    return TCustomRVItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

void TRVTextItemInfo::Execute(TCustomRVData* ARVData) {
  if (ARVData != nullptr && ARVData->IsFormattedData() &&
      GetBoolValueEx(rvbpJump, ARVData->GetRVStyle()))
    ARVData->DoJump(JumpID + ARVData->GetFirstJumpNo());
}

void TRVTextItemInfo::MarkStylesInUse(TRVDeleteUnusedStylesData& Data) {
  if (StyleNo >= 0 && StyleNo < static_cast<std::int32_t>(Data.UsedTextStyles.size()))
    Data.UsedTextStyles[static_cast<std::size_t>(StyleNo)] = 1;
}

void TRVTextItemInfo::UpdateStyles(TRVDeleteUnusedStylesData& Data) {
  if (StyleNo >= 0 && StyleNo < static_cast<std::int32_t>(Data.UsedTextStyles.size()))
    StyleNo = StyleNo + 1 - Data.UsedTextStyles[static_cast<std::size_t>(StyleNo)];
}

// ---------------------------------------------------------------------------------------------
// Non-text items

void TRVNonTextItemInfo::Assign(const TCustomRVItemInfo* Source) {
  if (auto* src = dynamic_cast<const TRVNonTextItemInfo*>(Source)) {
    DeleteProtect = src->DeleteProtect;
    Hidden = src->Hidden;
  }
  TCustomRVItemInfo::Assign(Source);
}

bool TRVFullLineItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpFullWidth)
    return true;
  return TRVNonTextItemInfo::GetBoolValue(Prop);
}

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* ARVData) : TRVFullLineItemInfo(ARVData) {
  StyleNo = rvsBreak;
}

TRVBreakItemInfo::TRVBreakItemInfo(TCustomRVData* ARVData, std::uint8_t ALineWidth,
                                   TRVBreakStyle AStyle, TColor AColor)
    : TRVBreakItemInfo(ARVData) {
  LineWidth = ALineWidth;
  Style = AStyle;
  Color = AColor;
}

bool TRVBreakItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpIgnorePara)
    return true;
  return TRVFullLineItemInfo::GetBoolValue(Prop);
}

bool TRVBreakItemInfo::GetBoolValueEx(TRVItemBoolPropertyEx Prop, const TRVStyle* RVStyle) const {
  switch (Prop) {
  case rvbpPrintToBMP:
    return false;
  case rvbpActualPrintSize:
    return true;
  default:
    return TRVFullLineItemInfo::GetBoolValueEx(Prop, RVStyle);
  }
}

bool TRVBreakItemInfo::OnDocWidthChange(std::int32_t DocWidth, TRVDrawLineInfo*, bool,
                                        TRVCanvas*, TCustomRVData* RVData,
                                        const TRVScreenAndDevice* sad, std::int32_t& HShift,
                                        std::int32_t& Desc, bool, bool, bool) {
  HShift = 0;
  Desc = 0;
  std::int32_t thickness = LineWidth;
  std::int32_t padding = RVBreakItemPadding;
  if (TRVStyle* style = RVData != nullptr ? RVData->GetRVStyle() : nullptr)
    thickness = style->GetAsDevicePixelsY(LineWidth, sad);
  if (sad != nullptr && sad->ppiyScreen > 0)
    padding = static_cast<std::int32_t>(
        (static_cast<std::int64_t>(RVBreakItemPadding) * sad->ppiyDevice + sad->ppiyScreen / 2) /
        sad->ppiyScreen);
  if (thickness < 1)
    thickness = 1;
  const std::int32_t width = DocWidth > 0 ? DocWidth : 0;
  const std::int32_t height = thickness + 2 * padding;
  const bool changed = width != FWidth || height != FHeight;
  FWidth = width;
  FHeight = height;
  return changed;
}

void TRVBreakItemInfo::Assign(const TCustomRVItemInfo* Source) {
  if (auto* src = dynamic_cast<const TRVBreakItemInfo*>(Source)) {
    LineWidth = src->LineWidth;
    Style = src->Style;
    Color = src->Color;
  }
  TRVFullLineItemInfo::Assign(Source);
}

std::int32_t TCustomRVItemInfo::GetMinWidth(const TRVScreenAndDevice* sad, TRVCanvas*,
                                            TCustomRVData*) {
  if (sad == nullptr || sad->ppixScreen <= 0)
    return 5;
  return static_cast<std::int32_t>(
      (static_cast<std::int64_t>(5) * sad->ppixDevice + sad->ppixScreen / 2) / sad->ppixScreen);
}

TRVTabItemInfo::TRVTabItemInfo(TCustomRVData* ARVData) : TRVNonTextItemInfo(ARVData) {
  StyleNo = rvsTab;
}

bool TRVTabItemInfo::GetBoolValue(TRVItemBoolProperty Prop) const {
  if (Prop == rvbpAlwaysInText)
    return true;
  return TRVNonTextItemInfo::GetBoolValue(Prop);
}

void TRVTabItemInfo::Assign(const TCustomRVItemInfo* Source) {
  if (auto* src = dynamic_cast<const TRVTabItemInfo*>(Source))
    TextStyleNo = src->TextStyleNo;
  TRVNonTextItemInfo::Assign(Source);
}

} // namespace richtext
