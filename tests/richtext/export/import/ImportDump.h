// A document as a line a person can read, for the HTML and RTF readers' tests: "|" starts a
// paragraph (then "h2" for a heading, "li" for a list item, "p" otherwise), "/" a line break;
// each text item is its text in quotes after its formatting: b i u s (strike-out) c (code font),
// and "@target" for a hyperlink; a tab is ">".
#pragma once

#include <string>

#include "richtext/base/RVUni.h"
#include "richtext/document/CRVData.h"
#include "richtext/document/RVItem.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/export/RVImport.h"
#include "richtext/style/RVStyle.h"

namespace richtext::test {

inline std::string ImportDump(TCustomRVData& D) {
  TRVStyle& sheet = *D.GetRVStyle();
  std::string out;
  for (std::int32_t i = 0; i < D.ItemCount(); ++i) {
    const TCustomRVItemInfo* it = D.GetItem(i);
    if (!it->GetSameAsPrev() && !it->GetBR()) {
      const TParaInfo& p = *sheet.ParaStyles.Items(it->ParaNo);
      out += i == 0 ? "|" : " |";
      if (p.OutlineLevel > 0)
        out += "h" + std::to_string(p.OutlineLevel);
      else if (p.LeftIndent > sheet.ParaStyles.Items(0)->LeftIndent)
        out += "li";
      else
        out += "p";
    } else if (it->GetBR()) {
      out += " /";
    }
    if (it->StyleNo == rvsTab) {
      out += " >";
      continue;
    }
    if (it->StyleNo < 0)
      continue;
    const TFontInfo& f = *sheet.TextStyles.Items(it->StyleNo);
    out += ' ';
    if (f.Style.Contains(fsBold))
      out += 'b';
    if (f.Style.Contains(fsItalic))
      out += 'i';
    if (f.Style.Contains(fsUnderline) && !f.Jump)
      out += 'u';
    if (f.Style.Contains(fsStrikeOut))
      out += 's';
    if (RVIsCodeFontName(f.FontName))
      out += 'c';
    if (f.Jump)
      out += "@" + RVU_UnicodeToUtf8(D.GetItemTag(i));
    out += "'" + RVU_UnicodeToUtf8(D.GetItemText(i)) + "'";
  }
  return out;
}

} // namespace richtext::test
