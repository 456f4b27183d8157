// Stream form of text and paragraph styles: which properties are written, in which order and
// under which condition, and how each one is read back.
#include "richtext/style/RVStyleStream.h"

#include "richtext/style/RVStyleNames.h"

namespace richtext {

namespace {

template <typename E> std::string EnumName(const TRVNameTable& t, E value) {
  return t.Names[static_cast<int>(value)];
}

template <typename E> E ReadEnum(TRVPropertyReader& r, const TRVNameTable& t) {
  int i = RVNameIndex(t, r.ReadIdent());
  if (i < 0)
    throw ERichViewError("Invalid property value");
  return static_cast<E>(i);
}

template <typename S>
void WriteSet(TRVPropertyWriter& w, const char* name, const TRVNameTable& t, S set) {
  w.WriteSet(name, RVSetToNames(t, set.Value()));
}

template <typename S> S ReadSet(TRVPropertyReader& r, const TRVNameTable& t) {
  return S::FromValue(static_cast<decltype(S().Value())>(RVNamesToSet(t, r.ReadSet())));
}

// ModifiedProps must hold a set; the message names the property as the stream form does.
template <typename S> S ReadModifiedProps(TRVPropertyReader& r, const TRVNameTable& t) {
  if (r.PeekValueType() != TRVValueType::Set)
    throw ERichViewError("Invalid value of property ModifiedProps (text)");
  return ReadSet<S>(r, t);
}

void WriteOffsets(TRVPropertyWriter& w, const std::string& prefix, const TRVRect& r) {
  if (r.Left != 0)
    w.WriteInteger(prefix + "Left", r.Left);
  if (r.Right != 0)
    w.WriteInteger(prefix + "Right", r.Right);
  if (r.Top != 0)
    w.WriteInteger(prefix + "Top", r.Top);
  if (r.Bottom != 0)
    w.WriteInteger(prefix + "Bottom", r.Bottom);
}

// Reads "Left", "Top", "Right" or "Bottom" after a prefix; false for other names.
bool ReadSide(TRVPropertyReader& r, std::string_view side, TRVRect& rect) {
  int* target = side == "Left"     ? &rect.Left
                : side == "Top"    ? &rect.Top
                : side == "Right"  ? &rect.Right
                : side == "Bottom" ? &rect.Bottom
                                   : nullptr;
  if (!target)
    return false;
  *target = r.ReadInteger();
  return true;
}

bool ReadSide(TRVPropertyReader& r, std::string_view side, TRVBooleanRect& rect) {
  bool* target = side == "Left"     ? &rect.Left
                 : side == "Top"    ? &rect.Top
                 : side == "Right"  ? &rect.Right
                 : side == "Bottom" ? &rect.Bottom
                                    : nullptr;
  if (!target)
    return false;
  *target = r.ReadBoolean();
  return true;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

} // namespace

// --- text styles ------------------------------------------------------------------------------

void RVWriteFontInfoProperties(TRVPropertyWriter& w, const TFontInfo& s,
                               bool IgnoreStyleTemplates) {
  if (s.BaseStyleNo != -1)
    w.WriteInteger("BaseStyleNo", s.BaseStyleNo);
  if (!s.Standard)
    w.WriteBoolean("Standard", false);
  if (s.StyleName != s.GetDefaultStyleName())
    w.WriteString("StyleName", s.StyleName);
  if (s.StyleTemplateId > 0 && !IgnoreStyleTemplates)
    w.WriteInteger("StyleTemplateId", s.StyleTemplateId);
  if (s.Charset != DEFAULT_CHARSET)
    w.WriteInteger("Charset", s.Charset);
  if (s.SizeDouble != 20)
    w.WriteInteger("SizeDouble", s.SizeDouble);
  if (!s.FontName.empty())
    w.WriteString("FontName", s.FontName);
  if (!s.Style.Empty())
    WriteSet(w, "Style", RVFontStyleNames, s.Style);
  if (s.VShift != 0)
    w.WriteInteger("VShift", s.VShift);
  if (s.Color != clWindowText)
    w.WriteInteger("Color", s.Color);
  if (s.BackColor != clNone)
    w.WriteInteger("BackColor", s.BackColor);
  if (s.HoverBackColor != clNone)
    w.WriteInteger("HoverBackColor", s.HoverBackColor);
  if (s.HoverColor != clNone)
    w.WriteInteger("HoverColor", s.HoverColor);
  if (!s.HoverEffects.Empty())
    WriteSet(w, "HoverEffects", RVHoverEffectNames, s.HoverEffects);
  if (!s.StyleEx.Empty())
    WriteSet(w, "StyleEx", RVFontStyleExNames, s.StyleEx);
  if (s.JumpCursor != crJump)
    w.WriteInteger("JumpCursor", s.JumpCursor);
  if (s.CharScale != 100)
    w.WriteInteger("CharScale", s.CharScale);
  if (s.CharSpacing != 0)
    w.WriteInteger("CharSpacing", s.CharSpacing);
  if (s.BiDiMode != rvbdUnspecified)
    w.WriteIdent("BiDiMode", EnumName(RVBiDiModeNames, s.BiDiMode));
  if (s.SubSuperScriptType != rvsssNormal)
    w.WriteIdent("SubSuperScriptType", EnumName(RVSubSuperScriptTypeNames, s.SubSuperScriptType));
  if (!s.Protection.Empty())
    WriteSet(w, "Protection", RVProtectOptionNames, s.Protection);
  if (!s.Options.Empty())
    WriteSet(w, "Options", RVTextOptionNames, s.Options);
  if (s.UnderlineType != rvutNormal)
    w.WriteIdent("UnderlineType", EnumName(RVUnderlineTypeNames, s.UnderlineType));
  if (s.UnderlineColor != clNone)
    w.WriteInteger("UnderlineColor", s.UnderlineColor);
  if (s.HoverUnderlineColor != clNone)
    w.WriteInteger("HoverUnderlineColor", s.HoverUnderlineColor);
  if (s.ParaStyleTemplateId != -1)
    w.WriteInteger("ParaStyleTemplateId", s.ParaStyleTemplateId);
  if (s.EmptyWidth != 0)
    w.WriteInteger("EmptyWidth", s.EmptyWidth);
  if (s.NextStyleNo != -1)
    w.WriteInteger("NextStyleNo", s.NextStyleNo);
  w.WriteBoolean("Unicode", s.Unicode);
  if (s.Jump)
    w.WriteBoolean("Jump", true);
  if (s.SizeDouble % 2 == 0)
    w.WriteInteger("Size", s.SizeDouble / 2);
  else
    w.WriteInteger("SizeDouble", s.SizeDouble);
  if (!s.ModifiedProperties.Empty() && !IgnoreStyleTemplates)
    WriteSet(w, "ModifiedProps", RVFontInfoPropertyNames, s.ModifiedProperties);
}

void RVReadFontInfoProperty(TRVPropertyReader& r, const std::string& n, TFontInfo& s) {
  if (n == "BaseStyleNo")
    s.BaseStyleNo = r.ReadInteger();
  else if (n == "Standard")
    s.Standard = r.ReadBoolean();
  else if (n == "StyleName")
    s.StyleName = r.ReadString();
  else if (n == "StyleTemplateId")
    s.StyleTemplateId = r.ReadInteger();
  else if (n == "Charset")
    s.Charset = static_cast<TFontCharset>(r.ReadInteger());
  else if (n == "SizeDouble")
    s.SizeDouble = r.ReadInteger();
  else if (n == "Size")
    s.SizeDouble = r.ReadInteger() * 2;
  else if (n == "FontName")
    s.FontName = r.ReadString();
  else if (n == "Style")
    s.Style = ReadSet<TFontStyles>(r, RVFontStyleNames);
  else if (n == "VShift")
    s.VShift = r.ReadInteger();
  else if (n == "Color")
    s.Color = r.ReadInteger();
  else if (n == "BackColor")
    s.BackColor = r.ReadInteger();
  else if (n == "HoverBackColor")
    s.HoverBackColor = r.ReadInteger();
  else if (n == "HoverColor")
    s.HoverColor = r.ReadInteger();
  else if (n == "HoverEffects")
    s.HoverEffects = ReadSet<TRVHoverEffects>(r, RVHoverEffectNames);
  else if (n == "StyleEx")
    s.StyleEx = ReadSet<TRVFontStylesEx>(r, RVFontStyleExNames);
  else if (n == "JumpCursor")
    s.JumpCursor = static_cast<TCursor>(r.ReadInteger());
  else if (n == "CharScale")
    s.CharScale = r.ReadInteger();
  else if (n == "CharSpacing")
    s.CharSpacing = r.ReadInteger();
  else if (n == "BiDiMode")
    s.BiDiMode = ReadEnum<TRVBiDiMode>(r, RVBiDiModeNames);
  else if (n == "SubSuperScriptType")
    s.SubSuperScriptType = ReadEnum<TRVSubSuperScriptType>(r, RVSubSuperScriptTypeNames);
  else if (n == "Protection")
    s.Protection = ReadSet<TRVProtectOptions>(r, RVProtectOptionNames);
  else if (n == "Options")
    s.Options = ReadSet<TRVTextOptions>(r, RVTextOptionNames);
  else if (n == "UnderlineType")
    s.UnderlineType = ReadEnum<TRVUnderlineType>(r, RVUnderlineTypeNames);
  else if (n == "UnderlineColor")
    s.UnderlineColor = r.ReadInteger();
  else if (n == "HoverUnderlineColor")
    s.HoverUnderlineColor = r.ReadInteger();
  else if (n == "ParaStyleTemplateId")
    s.ParaStyleTemplateId = r.ReadInteger();
  else if (n == "EmptyWidth")
    s.EmptyWidth = r.ReadInteger();
  else if (n == "NextStyleNo")
    s.NextStyleNo = r.ReadInteger();
  else if (n == "Unicode")
    r.ReadBoolean(); // text is always UTF-16
  else if (n == "Jump")
    s.Jump = r.ReadBoolean();
  else if (n == "SingleSymbols") {
    if (r.ReadBoolean()) {
      s.Protection.Include(rvprStyleProtect);
      s.Protection.Include(rvprDoNotAutoSwitch);
    }
  } else if (n == "ModifiedProps")
    s.ModifiedProperties = ReadModifiedProps<TRVFontInfoProperties>(r, RVFontInfoPropertyNames);
  else
    r.SkipValue();
}

// --- paragraph styles -------------------------------------------------------------------------

void RVWriteParaInfoProperties(TRVPropertyWriter& w, const TParaInfo& s,
                               bool IgnoreStyleTemplates) {
  if (s.BaseStyleNo != -1)
    w.WriteInteger("BaseStyleNo", s.BaseStyleNo);
  if (!s.Standard)
    w.WriteBoolean("Standard", false);
  if (s.StyleName != s.GetDefaultStyleName())
    w.WriteString("StyleName", s.StyleName);
  if (s.StyleTemplateId > 0 && !IgnoreStyleTemplates)
    w.WriteInteger("StyleTemplateId", s.StyleTemplateId);
  if (s.FirstIndent != 0)
    w.WriteInteger("FirstIndent", s.FirstIndent);
  if (s.LeftIndent != 0)
    w.WriteInteger("LeftIndent", s.LeftIndent);
  if (s.RightIndent != 0)
    w.WriteInteger("RightIndent", s.RightIndent);
  if (s.GetSpaceBefore() != 0)
    w.WriteInteger("SpaceBefore", s.GetSpaceBefore());
  if (s.GetSpaceAfter() != 0)
    w.WriteInteger("SpaceAfter", s.GetSpaceAfter());
  if (s.Alignment != rvaLeft)
    w.WriteIdent("Alignment", EnumName(RVAlignmentNames, s.Alignment));
  if (s.LastLineAlignment != rvllaDefault)
    w.WriteIdent("LastLineAlignment", EnumName(RVLastLineAlignmentNames, s.LastLineAlignment));

  const TRVBorder& b = s.Border;
  if (b.Width != 1)
    w.WriteInteger("Border.Width", b.Width);
  if (b.InternalWidth != 1)
    w.WriteInteger("Border.InternalWidth", b.InternalWidth);
  if (b.Color != clWindowText)
    w.WriteInteger("Border.Color", b.Color);
  if (b.Style != rvbNone)
    w.WriteIdent("Border.Style", EnumName(RVBorderStyleNames, b.Style));
  if (!b.VisibleBorders.Left)
    w.WriteBoolean("Border.VisibleBorders.Left", false);
  if (!b.VisibleBorders.Right)
    w.WriteBoolean("Border.VisibleBorders.Right", false);
  if (!b.VisibleBorders.Top)
    w.WriteBoolean("Border.VisibleBorders.Top", false);
  if (!b.VisibleBorders.Bottom)
    w.WriteBoolean("Border.VisibleBorders.Bottom", false);
  WriteOffsets(w, "Border.BorderOffsets.", b.BorderOffsets);

  const TRVBackgroundRect& g = s.Background;
  if (g.Color != clNone)
    w.WriteInteger("Background.Color", g.Color);
  if (g.Opacity != 100000)
    w.WriteInteger("Background.Opacity", g.Opacity);
  WriteOffsets(w, "Background.BorderOffsets.", g.BorderOffsets);

  if (s.LineSpacing != 100)
    w.WriteInteger("LineSpacing", s.LineSpacing);
  if (s.LineSpacingType != rvlsPercent)
    w.WriteIdent("LineSpacingType", EnumName(RVLineSpacingTypeNames, s.LineSpacingType));
  if (!s.Options.Empty())
    WriteSet(w, "Options", RVParaOptionNames, s.Options);
  if (s.BiDiMode != rvbdUnspecified)
    w.WriteIdent("BiDiMode", EnumName(RVBiDiModeNames, s.BiDiMode));
  if (s.OutlineLevel != 0)
    w.WriteInteger("OutlineLevel", s.OutlineLevel);

  w.BeginCollection("Tabs");
  for (int i = 0; i < s.Tabs.Count(); ++i) {
    const TRVTabInfo& t = *s.Tabs.Items(i);
    w.BeginItem();
    if (t.Align != rvtaLeft)
      w.WriteIdent("Align", EnumName(RVTabAlignNames, t.Align));
    w.WriteInteger("Position", t.GetPosition());
    if (!t.Leader.empty())
      w.WriteString("Leader", t.Leader);
    w.EndItem();
  }
  w.EndCollection();

  if (s.NextParaNo != -1)
    w.WriteInteger("NextParaNo", s.NextParaNo);
  if (s.DefStyleNo != -1)
    w.WriteInteger("DefStyleNo", s.DefStyleNo);
  if (!s.ModifiedProperties.Empty() && !IgnoreStyleTemplates)
    WriteSet(w, "ModifiedProps", RVParaInfoPropertyNames, s.ModifiedProperties);
}

namespace {

void ReadTabs(TRVPropertyReader& r, TRVTabInfos& tabs) {
  tabs.Clear();
  r.BeginCollection();
  std::string n;
  while (r.NextItem()) {
    TRVTabInfo* t = tabs.Add();
    while (r.NextProperty(n)) {
      if (n == "Align")
        t->Align = ReadEnum<TRVTabAlign>(r, RVTabAlignNames);
      else if (n == "Position")
        t->SetPosition(r.ReadInteger());
      else if (n == "Leader")
        t->Leader = r.ReadString();
      else
        r.SkipValue();
    }
  }
}

bool ReadBorderProperty(TRVPropertyReader& r, std::string_view n, TRVBorder& b) {
  if (n == "Width")
    b.Width = r.ReadInteger();
  else if (n == "InternalWidth")
    b.InternalWidth = r.ReadInteger();
  else if (n == "Color")
    b.Color = r.ReadInteger();
  else if (n == "Style")
    b.Style = ReadEnum<TRVBorderStyle>(r, RVBorderStyleNames);
  else if (StartsWith(n, "VisibleBorders."))
    return ReadSide(r, n.substr(15), b.VisibleBorders);
  else if (StartsWith(n, "BorderOffsets."))
    return ReadSide(r, n.substr(14), b.BorderOffsets);
  else
    return false;
  return true;
}

bool ReadBackgroundProperty(TRVPropertyReader& r, std::string_view n, TRVBackgroundRect& g) {
  if (n == "Color")
    g.Color = r.ReadInteger();
  else if (n == "Opacity")
    g.Opacity = r.ReadInteger();
  else if (StartsWith(n, "BorderOffsets."))
    return ReadSide(r, n.substr(14), g.BorderOffsets);
  else
    return false;
  return true;
}

} // namespace

void RVReadParaInfoProperty(TRVPropertyReader& r, const std::string& n, TParaInfo& s) {
  std::string_view nv = n;
  if (n == "BaseStyleNo")
    s.BaseStyleNo = r.ReadInteger();
  else if (n == "Standard")
    s.Standard = r.ReadBoolean();
  else if (n == "StyleName")
    s.StyleName = r.ReadString();
  else if (n == "StyleTemplateId")
    s.StyleTemplateId = r.ReadInteger();
  else if (n == "FirstIndent")
    s.FirstIndent = r.ReadInteger();
  else if (n == "LeftIndent")
    s.LeftIndent = r.ReadInteger();
  else if (n == "RightIndent")
    s.RightIndent = r.ReadInteger();
  else if (n == "SpaceBefore")
    s.SetSpaceBefore(r.ReadInteger());
  else if (n == "SpaceAfter")
    s.SetSpaceAfter(r.ReadInteger());
  else if (n == "Alignment")
    s.Alignment = ReadEnum<TRVAlignment>(r, RVAlignmentNames);
  else if (n == "LastLineAlignment")
    s.LastLineAlignment = ReadEnum<TRVLastLineAlignment>(r, RVLastLineAlignmentNames);
  else if (StartsWith(nv, "Border.")) {
    if (!ReadBorderProperty(r, nv.substr(7), s.Border))
      r.SkipValue();
  } else if (StartsWith(nv, "Background.")) {
    if (!ReadBackgroundProperty(r, nv.substr(11), s.Background))
      r.SkipValue();
  } else if (n == "LineSpacing")
    s.LineSpacing = r.ReadInteger();
  else if (n == "LineSpacingType")
    s.LineSpacingType = ReadEnum<TRVLineSpacingType>(r, RVLineSpacingTypeNames);
  else if (n == "Options")
    s.Options = ReadSet<TRVParaOptions>(r, RVParaOptionNames);
  else if (n == "BiDiMode")
    s.BiDiMode = ReadEnum<TRVBiDiMode>(r, RVBiDiModeNames);
  else if (n == "OutlineLevel")
    s.OutlineLevel = r.ReadInteger();
  else if (n == "Tabs")
    ReadTabs(r, s.Tabs);
  else if (n == "NextParaNo")
    s.NextParaNo = r.ReadInteger();
  else if (n == "DefStyleNo")
    s.DefStyleNo = r.ReadInteger();
  else if (n == "ModifiedProps")
    s.ModifiedProperties = ReadModifiedProps<TRVParaInfoProperties>(r, RVParaInfoPropertyNames);
  else
    r.SkipValue();
}

// --- collections ------------------------------------------------------------------------------

namespace {

bool SheetIgnoresTemplates(const TCustomRVInfos& c) {
  return c.GetOwner() && c.GetOwner()->IgnoreStyleTemplates;
}

template <typename Infos, typename Write>
void WriteCollection(TRVPropertyWriter& w, const char* className, const Infos& styles,
                     Write write) {
  const bool ignore = SheetIgnoresTemplates(styles);
  w.BeginObject(className);
  w.BeginCollection("Items");
  for (int i = 0; i < styles.Count(); ++i) {
    w.BeginItem();
    write(w, *styles.Items(i), ignore);
    w.EndItem();
  }
  w.EndCollection();
  w.EndObject();
}

template <typename Infos, typename Read>
void ReadCollection(TRVPropertyReader& r, const char* className, Infos& styles, Read read) {
  if (r.BeginObject() != className)
    throw ERichViewError("Invalid stream format");
  std::string n;
  while (r.NextProperty(n)) {
    if (n != "Items") {
      r.SkipValue();
      continue;
    }
    // Read into a scratch collection so that a damaged stream leaves the styles as they were.
    Infos scratch(styles.GetOwner());
    r.BeginCollection();
    while (r.NextItem()) {
      auto* style = scratch.Add();
      while (r.NextProperty(n))
        read(r, n, *style);
    }
    styles.Clear();
    for (int i = 0; i < scratch.Count(); ++i)
      styles.Add()->Assign(*scratch.Items(i));
  }
}

} // namespace

void RVWriteFontInfos(TRVPropertyWriter& w, const TFontInfos& styles) {
  WriteCollection(w, "TFontInfos", styles, RVWriteFontInfoProperties);
}

void RVWriteParaInfos(TRVPropertyWriter& w, const TParaInfos& styles) {
  WriteCollection(w, "TParaInfos", styles, RVWriteParaInfoProperties);
}

void RVReadFontInfos(TRVPropertyReader& r, TFontInfos& styles) {
  ReadCollection(r, "TFontInfos", styles, RVReadFontInfoProperty);
}

void RVReadParaInfos(TRVPropertyReader& r, TParaInfos& styles) {
  ReadCollection(r, "TParaInfos", styles, RVReadParaInfoProperty);
}

std::string RVSaveFontInfosToBytes(const TFontInfos& styles) {
  std::string out;
  TRVPropertyWriter w(out);
  w.WriteSignature();
  RVWriteFontInfos(w, styles);
  return out;
}

std::string RVSaveParaInfosToBytes(const TParaInfos& styles) {
  std::string out;
  TRVPropertyWriter w(out);
  w.WriteSignature();
  RVWriteParaInfos(w, styles);
  return out;
}

void RVLoadFontInfosFromBytes(std::string_view bytes, TFontInfos& styles) {
  TRVPropertyReader r(bytes);
  r.ReadSignature();
  RVReadFontInfos(r, styles);
}

void RVLoadParaInfosFromBytes(std::string_view bytes, TParaInfos& styles) {
  TRVPropertyReader r(bytes);
  r.ReadSignature();
  RVReadParaInfos(r, styles);
}

} // namespace richtext
