// The style sheet: creation, default styles, finding styles, colours and applying styles.
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {
std::unique_ptr<TFontInfo> MakeFontInfo(TCustomRVInfos* c) {
  return std::make_unique<TFontInfo>(c);
}
std::unique_ptr<TParaInfo> MakeParaInfo(TCustomRVInfos* c) {
  return std::make_unique<TParaInfo>(c);
}
std::unique_ptr<TRVListInfo> MakeListInfo(TCustomRVInfos* c) {
  return std::make_unique<TRVListInfo>(c);
}
} // namespace

TRVStyle::TRVStyle() {
  RegisterCursors();
  CreateGraphicInterface();
  ResetParaStyles();
  ResetTextStyles();
}

TRVStyle::~TRVStyle() = default;

void TRVStyle::RegisterCursors() {
  RVRegisterCursor({crJump, u"RV_JUMP_CURSOR", true});
  RVRegisterCursor({crRVFlipArrow, u"RV_FLIPARROW_CURSOR", false});
  RVRegisterCursor({crRVLayingIBeam, u"RV_LAYINGIBEAM_CURSOR", false});
}

void TRVStyle::CreateGraphicInterface() {
  FGraphicInterface = RVCreateGraphicInterface(FTextEngine == rvteUniscribe);
}

void TRVStyle::SetTextEngine(TRVTextEngine Value) {
  if (Value == FTextEngine)
    return;
  FTextEngine = Value;
  FGraphicInterface.reset();
  CreateGraphicInterface();
}

void TRVStyle::SetGraphicInterface(std::unique_ptr<TRVGraphicInterface> Value) {
  FGraphicInterface = std::move(Value);
}

TFontInfoClass TRVStyle::GetTextStyleClass() const {
  return &MakeFontInfo;
}
TParaInfoClass TRVStyle::GetParaStyleClass() const {
  return &MakeParaInfo;
}
TListInfoClass TRVStyle::GetListStyleClass() const {
  return &MakeListInfo;
}

int TRVStyle::FindTextStyle(const TFontInfo& TextStyle) {
  return TextStyles.FindSuchStyleEx(0, TextStyle, RVAllFontInfoProperties);
}

int TRVStyle::FindParaStyle(const TParaInfo& ParaStyle) {
  return ParaStyles.FindSuchStyleEx(0, ParaStyle, RVAllParaInfoProperties);
}

int TRVStyle::AddTextStyle() {
  TextStyles.Add();
  return TextStyles.Count() - 1;
}

void TRVStyle::DeleteTextStyle(int Index) {
  TextStyles.Delete(Index);
}

void TRVStyle::ResetTextStyles() {
  TextStyles.Clear();
  TFontInfo* fi = TextStyles.Add();
  fi->StyleName = u"Normal text";

  fi = TextStyles.Add();
  fi->StyleName = u"Heading";
  fi->Style.Include(fsBold);
  fi->Color = clBlue;

  fi = TextStyles.Add();
  fi->StyleName = u"Subheading";
  fi->Style.Include(fsBold);
  fi->Color = clNavy;

  fi = TextStyles.Add();
  fi->StyleName = u"Keywords";
  fi->Style.Include(fsItalic);
  fi->Color = clMaroon;

  for (const char16_t* name : {u"Jump 1", u"Jump 2"}) {
    fi = TextStyles.Add();
    fi->StyleName = name;
    fi->Style.Include(fsUnderline);
    fi->Color = clGreen;
    fi->Jump = true;
    fi->JumpCursor = JumpCursor;
  }
}

void TRVStyle::ResetParaStyles() {
  ParaStyles.Clear();
  ParaStyles.Add();
  TParaInfo* pi = ParaStyles.Add();
  pi->StyleName = u"Centered";
  pi->Alignment = rvaCenter;
}

TColor TRVStyle::GetHoverColor(int StyleNo) const {
  TColor c = TextStyles.Items(StyleNo)->HoverColor;
  return c != clNone ? c : HoverColor;
}

bool TRVStyle::StyleHoverSensitive(int StyleNo) const {
  const TFontInfo& fi = *TextStyles.Items(StyleNo);
  bool r = GetHoverColor(StyleNo) != clNone || fi.HoverBackColor != fi.BackColor ||
           fi.HoverUnderlineColor != clNone || !fi.HoverEffects.Empty();
  if (OnStyleHoverSensitive)
    OnStyleHoverSensitive(*this, StyleNo, r);
  return r;
}

TColor TRVStyle::GetSelectionColor(bool Focused, bool Background) const {
  if (Focused)
    return Background ? SelColor : SelTextColor;
  return Background ? InactiveSelColor : InactiveSelTextColor;
}

void TRVStyle::ApplyStyle(TRVCanvas& Canvas, int StyleNo, TRVBiDiMode DefBiDiMode,
                          bool CanUseCustomPPI, bool IgnoreSubSuperScript, bool ToFormatCanvas) {
  bool doDefault = true;
  if (OnApplyStyle)
    OnApplyStyle(*this, Canvas, StyleNo, doDefault);
  if (!doDefault)
    return;
  TextStyles.Items(StyleNo)->Apply(Canvas, DefBiDiMode, CanUseCustomPPI, IgnoreSubSuperScript,
                                   ToFormatCanvas, FGraphicInterface.get());
  if (OnAfterApplyStyle)
    OnAfterApplyStyle(*this, Canvas, StyleNo);
}

void TRVStyle::ApplyStyleColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                               bool Printing, TRVColorMode ColorMode) {
  bool doDefault = true;
  if (OnApplyStyleColor)
    OnApplyStyleColor(*this, Canvas, StyleNo, DrawState, doDefault);
  if (doDefault)
    TextStyles.Items(StyleNo)->ApplyColor(Canvas, *this, DrawState, Printing, ColorMode);
}

void TRVStyle::ApplyStyleTextColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                                   bool Printing, TRVColorMode ColorMode) {
  bool doDefault = true;
  if (OnApplyStyleColor)
    OnApplyStyleColor(*this, Canvas, StyleNo, DrawState, doDefault);
  if (doDefault)
    TextStyles.Items(StyleNo)->ApplyTextColor(Canvas, *this, DrawState, Printing, ColorMode);
}

void TRVStyle::ApplyStyleBackColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                                   bool Printing, TRVColorMode ColorMode) {
  bool doDefault = true;
  if (OnApplyStyleColor)
    OnApplyStyleColor(*this, Canvas, StyleNo, DrawState, doDefault);
  if (doDefault)
    TextStyles.Items(StyleNo)->ApplyBackColor(Canvas, *this, DrawState, Printing, ColorMode);
}

} // namespace richtext
