#include "StyleDump.h"

#include <sstream>

#include "RecordingCanvas.h"
#include "richtext/style/RVPropStream.h"

namespace richtext::test {

std::string Utf8(const std::u16string& s) {
  std::string r;
  for (char16_t c : s)
    r += c < 0x80 ? static_cast<char>(c) : '?';
  return r;
}

namespace {
std::string H(TColor c) {
  return TRecordingCanvas::Hex(c);
}

template <typename T> void Diff(std::ostringstream& o, const char* k, T a, T def) {
  if (!(a == def))
    o << ' ' << k << '=' << +a;
}
void DiffC(std::ostringstream& o, const char* k, TColor a, TColor def) {
  if (a != def)
    o << ' ' << k << '=' << H(a);
}
} // namespace

std::string DumpFont(const TFontInfo& f) {
  const TFontInfo d;
  std::ostringstream o;
  o << Utf8(f.StyleName) << '|' << Utf8(f.FontName) << '|' << f.SizeDouble;
  DiffC(o, "color", f.Color, d.Color);
  DiffC(o, "back", f.BackColor, d.BackColor);
  DiffC(o, "hover", f.HoverColor, d.HoverColor);
  DiffC(o, "hoverback", f.HoverBackColor, d.HoverBackColor);
  DiffC(o, "ucolor", f.UnderlineColor, d.UnderlineColor);
  DiffC(o, "hucolor", f.HoverUnderlineColor, d.HoverUnderlineColor);
  Diff(o, "style", f.Style.Value(), d.Style.Value());
  Diff(o, "styleex", f.StyleEx.Value(), d.StyleEx.Value());
  Diff(o, "heffects", f.HoverEffects.Value(), d.HoverEffects.Value());
  Diff(o, "utype", static_cast<int>(f.UnderlineType), static_cast<int>(d.UnderlineType));
  Diff(o, "vshift", f.VShift, d.VShift);
  Diff(o, "charset", static_cast<int>(f.Charset), static_cast<int>(d.Charset));
  Diff(o, "prot", f.Protection.Value(), d.Protection.Value());
  Diff(o, "opts", f.Options.Value(), d.Options.Value());
  Diff(o, "scale", f.CharScale, d.CharScale);
  Diff(o, "spacing", f.CharSpacing, d.CharSpacing);
  Diff(o, "empty", f.EmptyWidth, d.EmptyWidth);
  Diff(o, "sss", static_cast<int>(f.SubSuperScriptType), static_cast<int>(d.SubSuperScriptType));
  Diff(o, "bidi", static_cast<int>(f.BiDiMode), static_cast<int>(d.BiDiMode));
  Diff(o, "cursor", static_cast<int>(f.JumpCursor), static_cast<int>(d.JumpCursor));
  Diff(o, "base", f.BaseStyleNo, d.BaseStyleNo);
  Diff(o, "tmpl", f.StyleTemplateId, d.StyleTemplateId);
  Diff(o, "ptmpl", f.ParaStyleTemplateId, d.ParaStyleTemplateId);
  Diff(o, "next", f.NextStyleNo, d.NextStyleNo);
  Diff(o, "jump", f.Jump, d.Jump);
  Diff(o, "standard", f.Standard, d.Standard);
  Diff(o, "modified", f.ModifiedProperties.Value(), d.ModifiedProperties.Value());
  return o.str();
}

std::string DumpPara(const TParaInfo& p) {
  const TParaInfo d;
  std::ostringstream o;
  o << Utf8(p.StyleName);
  Diff(o, "first", p.FirstIndent, d.FirstIndent);
  Diff(o, "left", p.LeftIndent, d.LeftIndent);
  Diff(o, "right", p.RightIndent, d.RightIndent);
  Diff(o, "before", p.GetSpaceBefore(), d.GetSpaceBefore());
  Diff(o, "after", p.GetSpaceAfter(), d.GetSpaceAfter());
  Diff(o, "ls", p.LineSpacing, d.LineSpacing);
  Diff(o, "lstype", static_cast<int>(p.LineSpacingType), static_cast<int>(d.LineSpacingType));
  Diff(o, "align", static_cast<int>(p.Alignment), static_cast<int>(d.Alignment));
  Diff(o, "lla", static_cast<int>(p.LastLineAlignment), static_cast<int>(d.LastLineAlignment));
  Diff(o, "opts", p.Options.Value(), d.Options.Value());
  Diff(o, "bidi", static_cast<int>(p.BiDiMode), static_cast<int>(d.BiDiMode));
  Diff(o, "outline", p.OutlineLevel, d.OutlineLevel);
  Diff(o, "next", p.NextParaNo, d.NextParaNo);
  Diff(o, "def", p.DefStyleNo, d.DefStyleNo);
  Diff(o, "base", p.BaseStyleNo, d.BaseStyleNo);
  Diff(o, "standard", p.Standard, d.Standard);
  Diff(o, "modified", p.ModifiedProperties.Value(), d.ModifiedProperties.Value());
  const TRVBorder& b = p.Border;
  if (!b.IsEqual(d.Border))
    o << " border(" << int(b.Style) << ' ' << H(b.Color) << " w" << b.Width << " iw"
      << b.InternalWidth << " off" << b.BorderOffsets.Left << ',' << b.BorderOffsets.Top << ','
      << b.BorderOffsets.Right << ',' << b.BorderOffsets.Bottom << " vis" << b.VisibleBorders.Left
      << b.VisibleBorders.Top << b.VisibleBorders.Right << b.VisibleBorders.Bottom << ')';
  const TRVBackgroundRect& g = p.Background;
  if (!g.IsEqual(d.Background))
    o << " back(" << H(g.Color) << " op" << g.Opacity << " off" << g.BorderOffsets.Left << ','
      << g.BorderOffsets.Top << ',' << g.BorderOffsets.Right << ',' << g.BorderOffsets.Bottom
      << ')';
  if (p.Tabs.Count() > 0) {
    o << " tabs(";
    for (int i = 0; i < p.Tabs.Count(); ++i) {
      const TRVTabInfo& t = *p.Tabs.Items(i);
      o << (i ? " " : "") << t.GetPosition() << ':' << int(t.Align) << ':' << Utf8(t.Leader);
    }
    o << ')';
  }
  return o.str();
}

std::string DumpFonts(const TFontInfos& c) {
  std::string r;
  for (int i = 0; i < c.Count(); ++i)
    r += std::to_string(i) + ' ' + DumpFont(*c.Items(i)) + '\n';
  return r;
}

std::string DumpParas(const TParaInfos& c) {
  std::string r;
  for (int i = 0; i < c.Count(); ++i)
    r += std::to_string(i) + ' ' + DumpPara(*c.Items(i)) + '\n';
  return r;
}

namespace {
void DumpProps(TRVPropertyReader& r, std::ostringstream& o, const std::string& indent) {
  std::string n;
  while (r.NextProperty(n)) {
    o << indent << n << '=';
    switch (r.PeekValueType()) {
    case TRVValueType::Int32:
      o << r.ReadInteger();
      break;
    case TRVValueType::Int64:
      o << r.ReadInt64() << 'L';
      break;
    case TRVValueType::True:
    case TRVValueType::False:
      o << (r.ReadBoolean() ? "true" : "false");
      break;
    case TRVValueType::String:
      o << '\'' << Utf8(r.ReadString()) << '\'';
      break;
    case TRVValueType::Ident:
      o << r.ReadIdent();
      break;
    case TRVValueType::Set: {
      o << '[';
      bool first = true;
      for (const std::string& m : r.ReadSet()) {
        o << (first ? "" : ",") << m;
        first = false;
      }
      o << ']';
      break;
    }
    case TRVValueType::Collection:
      r.BeginCollection();
      o << "<\n";
      while (r.NextItem()) {
        o << indent << " item\n";
        DumpProps(r, o, indent + "  ");
      }
      o << indent << '>';
      break;
    }
    o << '\n';
  }
}
} // namespace

std::string DumpStream(std::string_view bytes) {
  TRVPropertyReader r(bytes);
  r.ReadSignature();
  std::ostringstream o;
  o << "object " << r.BeginObject() << '\n';
  DumpProps(r, o, "");
  if (!r.AtEnd())
    o << "trailing bytes\n";
  return o.str();
}

} // namespace richtext::test
