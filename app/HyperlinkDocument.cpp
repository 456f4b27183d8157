#include "app/HyperlinkDocument.h"

#include "richtext/document/RVItem.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"
#include "richtext/export/RVTextExport.h"
#include "richtext/base/RVStream.h"

namespace quillon {

using namespace richtext;

void ConfigureHyperlinkEditor(TRichViewEdit& Editor, TRVStyle& Style) {
  Editor.SetStyle(&Style);
  Editor.Left = HyperlinkEditorLeft;
  Editor.Top = HyperlinkEditorTop;
  Editor.Width = HyperlinkEditorWidth;
  Editor.Height = HyperlinkEditorHeight;
  Editor.TabStop = true;
  Editor.SetReadOnly(false);
  Editor.DoInPaletteMode = rvpaCreateCopies;
  Editor.SetRVFOptions(TRVFOptions{rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveBinary,
                                   rvfoSaveTextStyles, rvfoSaveParaStyles, rvfoSaveDocProperties,
                                   rvfoLoadDocProperties, rvfoSaveDocObjects, rvfoLoadDocObjects});
}

int GetHypertextStyleNo(TRVStyle& Style, int StyleNo) {
  TFontInfo link; // belongs to no collection, so the sheet is untouched until FindTextStyle
  link.Assign(*Style.TextStyles.Items(StyleNo));
  link.Color = HyperlinkColor;
  link.Style.Include(fsUnderline);
  link.Jump = true;
  return Style.FindTextStyle(link);
}

void BuildHyperlinkDocument(TRichViewEdit& Editor, TRVStyle& Style, const std::u16string& Title,
                            const std::u16string& Address) {
  Editor.ClearAll();
  const int styleNo = GetHypertextStyleNo(Style, 0);
  // Text items drop a TAB (the sheet puts no spaces in its place), so each TAB of the title
  // becomes a tab item between its pieces, in the link's style and with its address: every
  // format then writes it (the RTF as \tab).
  std::size_t start = 0;
  for (std::size_t tab = Title.find(u'\t'); tab != std::u16string::npos;
       tab = Title.find(u'\t', start)) {
    if (tab > start)
      Editor.AddNL(Title.substr(start, tab - start), styleNo, -1, Address);
    auto item = std::make_unique<TRVTabItemInfo>(Editor.RVData.get());
    item->StyleNo = rvsTab;
    item->SetAssociatedTextStyleNo(styleNo);
    item->ParaNo = -1;
    item->Tag = Address;
    Editor.AddItem({}, std::move(item));
    start = tab + 1;
  }
  if (start == 0 || start < Title.size())
    Editor.AddNL(Title.substr(start), styleNo, -1, Address);
  Editor.Format();
  Editor.SelectAll();
}

void BuildHyperlinkListDocument(TRichViewEdit& Editor, TRVStyle& Style,
                                const std::vector<TStoredEntry>& Entries) {
  Editor.ClearAll();
  const int linkStyleNo = GetHypertextStyleNo(Style, 0);
  constexpr int newParagraph = 0;
  for (const TStoredEntry& entry : Entries) {
    if (!entry.Link) {
      Editor.AddNL(entry.Text, 0, newParagraph);
      continue;
    }
    // An empty title would leave nothing to click on.
    const std::u16string& shown =
        entry.Link->Title.empty() ? entry.Link->Address : entry.Link->Title;
    Editor.AddNL(shown, linkStyleNo, newParagraph, entry.Link->Address);
  }
  Editor.Format();
  Editor.SelectAll();
}

std::string HyperlinkClipboardRTF(TRichViewEdit& Editor, bool& Ok) {
  Ok = true;
  if (!Editor.RVData->SelectionExists(true, true))
    return {};
  TRVMemoryStream stream;
  TRVRTFSavingData savingData;
  Ok = SaveRTFToStream(*Editor.RVData, stream, true, 0, Editor.GetColor(), Editor.Background.get(),
                                      savingData, 0, true, false);
  return stream.TakeBytes();
}

std::string HyperlinkClipboardRVF(TRichViewEdit& Editor, bool& Ok) {
  Ok = true;
  if (!Editor.RVData->SelectionExists(true, true))
    return {};
  TRVMemoryStream stream;
  Ok = SaveRVFToStream(*Editor.RVData, stream, true, Editor.GetColor(), Editor.Background.get(),
                                      nullptr, true);
  return stream.TakeBytes();
}

std::u16string HyperlinkClipboardText(TRichViewEdit& Editor) {
  return GetSelTextW(*Editor.RVData, false);
}

THyperlinkDocument::THyperlinkDocument(TRVCanvas* Canvas) {
  RVStyle1.Name = u"RVStyle1";
  ConfigureHyperlinkEditor(RichViewEdit1, RVStyle1);
  RichViewEdit1.SetCanvas(Canvas);
}

} // namespace quillon
