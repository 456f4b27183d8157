// The text style collection: access, adding and finding styles.
#include "richtext/style/RVStyle.h"

namespace richtext {

TFontInfos::~TFontInfos() = default;

std::unique_ptr<TCustomRVInfo> TFontInfos::CreateItem() {
  if (GetOwner())
    return GetOwner()->GetTextStyleClass()(this);
  return std::make_unique<TFontInfo>(this);
}

TFontInfo* TFontInfos::Items(int Index) const {
  if (IsValidIndex(Index))
    return static_cast<TFontInfo*>(At(Index));
  return InvalidItem();
}

void TFontInfos::SetItems(int Index, const TFontInfo& Value) {
  Items(Index)->Assign(Value);
}

TFontInfo* TFontInfos::InvalidItem() const {
  if (!FInvalidItem) {
    FInvalidItem = std::make_unique<TErrFontInfo>(GetOwner());
    if (Count() > 0)
      FInvalidItem->Assign(*Items(0));
    FInvalidItem->BackColor = clRed;
    FInvalidItem->Color = clWhite;
  }
  return FInvalidItem.get();
}

void TFontInfos::SetInvalidItem(const TFontInfo& Value) {
  InvalidItem()->Assign(Value);
}

TFontInfo* TFontInfos::Add() {
  return static_cast<TFontInfo*>(AddItem());
}

TFontInfo* TFontInfos::AddFont(const std::u16string& Name, int Size, TColor Color, TColor BackColor,
                               TFontStyles Style) {
  TFontInfo* fi = Add();
  fi->FontName = Name;
  fi->SetSize(Size);
  fi->Color = Color;
  fi->BackColor = BackColor;
  fi->Style = Style;
  return fi;
}

TFontInfo* TFontInfos::AddFontEx(const std::u16string& Name, int Size, TColor Color,
                                 TColor BackColor, TFontStyles Style, TFontCharset Charset) {
  TFontInfo* fi = AddFont(Name, Size, Color, BackColor, Style);
  fi->Charset = Charset;
  return fi;
}

int TFontInfos::FindSuchStyle(int BaseStyle, const TFontInfo& Style,
                              TRVFontInfoProperties Mask) const {
  const TRVFontInfoProperties ignore = RVAllFontInfoProperties - Mask;
  // An out-of-range base names no style, so it can never be the answer.
  if (IsValidIndex(BaseStyle) && Style.IsEqual(*Items(BaseStyle), ignore))
    return BaseStyle;
  for (int i = 0; i < Count(); ++i)
    if (i != BaseStyle && Style.IsEqual(*Items(i), ignore))
      return i;
  return -1;
}

int TFontInfos::FindSuchStyleEx(int BaseStyle, const TFontInfo& Style, TRVFontInfoProperties Mask) {
  int r = FindSuchStyle(BaseStyle, Style, Mask);
  if (r >= 0)
    return r;
  TFontInfo* fi = Add();
  fi->Assign(Style);
  fi->Standard = false;
  return Count() - 1;
}

template <typename Has>
int TFontInfos::FindWith(int BaseStyle, TRVFontInfoProperties IgnoreList, Has has) const {
  if (IsValidIndex(BaseStyle) && has(*Items(BaseStyle)))
    return BaseStyle;
  const TFontInfo& base = *Items(BaseStyle);
  for (int i = 0; i < Count(); ++i)
    if (i != BaseStyle && has(*Items(i)) && Items(i)->IsEqual(base, IgnoreList))
      return i;
  return -1;
}

int TFontInfos::FindStyleWithFont(int BaseStyle, const TRVFont& Font) const {
  const int size = Font.GetSize();
  return FindWith(BaseStyle,
                  {rvfiFontName, rvfiSize, rvfiCharset, rvfiBold, rvfiItalic, rvfiUnderline,
                   rvfiStrikeout, rvfiColor},
                  [&](const TFontInfo& fi) {
                    return fi.SizeDouble % 2 == 0 && fi.SizeDouble / 2 == size &&
                           fi.Style == Font.Style && fi.FontName == Font.Name &&
                           fi.Charset == Font.Charset && fi.Color == Font.Color;
                  });
}

int TFontInfos::FindStyleWithFontSize(int BaseStyle, int Size) const {
  return FindWith(BaseStyle, {rvfiSize}, [&](const TFontInfo& fi) {
    return fi.SizeDouble % 2 == 0 && fi.SizeDouble / 2 == Size;
  });
}

int TFontInfos::FindStyleWithColor(int BaseStyle, TColor Color, TColor BackColor) const {
  return FindWith(BaseStyle, {rvfiColor, rvfiBackColor}, [&](const TFontInfo& fi) {
    return fi.Color == Color && fi.BackColor == BackColor;
  });
}

int TFontInfos::FindStyleWithFontName(int BaseStyle, const std::u16string& FontName) const {
  return FindWith(BaseStyle, {rvfiFontName},
                  [&](const TFontInfo& fi) { return fi.FontName == FontName; });
}

int TFontInfos::FindStyleWithCharset(int BaseStyle, TFontCharset Charset) const {
  return FindWith(BaseStyle, {rvfiCharset},
                  [&](const TFontInfo& fi) { return fi.Charset == Charset; });
}

int TFontInfos::FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const {
  static constexpr TRVFontInfoProperty props[4] = {rvfiBold, rvfiItalic, rvfiUnderline,
                                                   rvfiStrikeout};
  TRVFontInfoProperties ignore;
  for (int i = 0; i < 4; ++i)
    if (Mask.Contains(static_cast<TFontStyle>(i)))
      ignore.Include(props[i]);
  return FindWith(BaseStyle, ignore, [&](const TFontInfo& fi) {
    for (int i = 0; i < 4; ++i) {
      TFontStyle fs = static_cast<TFontStyle>(i);
      if (Mask.Contains(fs) && fi.Style.Contains(fs) != Value.Contains(fs))
        return false;
    }
    return true;
  });
}

} // namespace richtext
