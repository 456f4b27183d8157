#include "richtext/export/RVClipboardHTML.h"

#include <algorithm>
#include <cstdio>

#include "richtext/document/RVItem.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/base/RVUni.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

std::string RVHTMLEscape(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (const char16_t c : s) {
    switch (c) {
    case u'&': out += u"&amp;"; break;
    case u'<': out += u"&lt;"; break;
    case u'>': out += u"&gt;"; break;
    case u'"': out += u"&quot;"; break;
    case u'\'': out += u"&#39;"; break;
    case u'\0': break;
    default: out += c;
    }
  }
  return RVU_UnicodeToUtf8(out);
}

namespace {

// CSS for the colour and underline of a run; empty when it has neither. System colours are
// left to the reader: they name this machine's theme, not a colour.
std::string RunCSS(const TFontInfo& Font) {
  std::string css;
  if ((static_cast<std::uint32_t>(Font.Color) & 0xFF000000u) == 0) {
    char colour[16];
    const auto rgb = static_cast<std::uint32_t>(Font.Color);
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF,
                  (rgb >> 16) & 0xFF);
    css += "color:";
    css += colour;
  }
  if (Font.Style.Contains(fsUnderline)) {
    if (!css.empty())
      css += ';';
    css += "text-decoration:underline";
  }
  return css;
}

std::string Run(TCustomRVFormattedData& RVData, int ItemNo, std::u16string_view Text) {
  const int styleNo = RVData.GetActualStyle(RVData.GetItem(ItemNo));
  const TRVStyle* sheet = RVData.GetRVStyle();
  if (!sheet)
    return RVHTMLEscape(Text);
  const TFontInfo& font = *sheet->TextStyles.Items(styleNo);
  const std::string css = RunCSS(font);
  const std::string style = css.empty() ? std::string() : " style=\"" + css + "\"";
  if (font.Jump)
    return "<a href=\"" + RVHTMLEscape(RVData.GetItemTag(ItemNo)) + "\"" + style + ">" +
           RVHTMLEscape(Text) + "</a>";
  if (!css.empty())
    return "<span" + style + ">" + RVHTMLEscape(Text) + "</span>";
  return RVHTMLEscape(Text);
}

} // namespace

std::string RVGetSelHTMLFragment(TCustomRVFormattedData& RVData) {
  std::int32_t startNo = -1, startOffs = -1, endNo = -1, endOffs = -1;
  RVData.GetSelectionBounds(startNo, startOffs, endNo, endOffs, true);
  if (startNo < 0 || endNo < 0)
    return {};
  bool severalParagraphs = false;
  for (int i = startNo + 1; i <= endNo; ++i)
    severalParagraphs = severalParagraphs || RVData.IsParaStart(i);

  std::string body;
  for (int i = startNo; i <= endNo; ++i) {
    if (i > startNo && RVData.IsParaStart(i))
      body += "</p><p>";
    else if (i > startNo && RVData.IsFromNewLine(i))
      body += "<br>";
    const int styleNo = RVData.GetItemStyle(i);
    if (styleNo == rvsTab) {
      body += '\t';
      continue;
    }
    if (styleNo < 0)
      continue;
    const std::u16string& text = RVData.GetItemText(i);
    const int length = static_cast<int>(text.size());
    const int from = i == startNo ? std::clamp(startOffs, 1, length + 1) : 1;
    const int to = i == endNo ? std::clamp(endOffs, from, length + 1) : length + 1;
    if (to > from)
      body += Run(RVData, i, std::u16string_view(text).substr(from - 1, to - from));
  }
  std::string fragment = "<meta charset=\"utf-8\">";
  if (severalParagraphs)
    fragment += "<p>" + body + "</p>";
  else
    fragment += body;
  return fragment;
}

} // namespace richtext
