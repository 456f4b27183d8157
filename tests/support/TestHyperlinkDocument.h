// A one-item hyperlink document built with engine calls alone: a style sheet and an editor set
// up as the link tool sets up its own (RVF options of the clipboard data included), holding a
// title in a blue, underlined jump copy of text style 0 with the address as the item's tag,
// formatted and selected. Engine tests use it so that they need nothing of the app.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "richtext/base/RVStream.h"

#include "richtext/control/RichViewEdit.h"
#include "richtext/style/RVStyle.h"

namespace richtext::test {

class TTestHyperlinkDocument {
public:
  explicit TTestHyperlinkDocument(TRVCanvas* Canvas) {
    RVStyle1.Name = u"RVStyle1";
    RichViewEdit1.SetStyle(&RVStyle1);
    RichViewEdit1.Width = 306;
    RichViewEdit1.Height = 21;
    RichViewEdit1.DoInPaletteMode = rvpaCreateCopies;
    RichViewEdit1.SetRVFOptions(
        TRVFOptions{rvfoSavePicturesBody, rvfoSaveControlsBody, rvfoSaveBinary,
                    rvfoSaveTextStyles, rvfoSaveParaStyles, rvfoSaveDocProperties,
                    rvfoLoadDocProperties, rvfoSaveDocObjects, rvfoLoadDocObjects});
    RichViewEdit1.SetCanvas(Canvas);
  }

  void Build(const std::u16string& Title, const std::u16string& Address) {
    RichViewEdit1.ClearAll();
    TFontInfo link;
    link.Assign(*RVStyle1.TextStyles.Items(0));
    link.Color = 0x00FF0000;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    RichViewEdit1.AddNL(Title, RVStyle1.FindTextStyle(link), -1, Address);
    RichViewEdit1.Format();
    RichViewEdit1.SelectAll();
  }

  bool SelectionExists() { return RichViewEdit1.RVData->SelectionExists(true, true); }
  // The selection as the clipboard copy writes it: RTF, and RVF without the block's length.
  std::string SelectionRTF() {
    TRVMemoryStream stream;
    EXPECT_TRUE(RichViewEdit1.SaveRTFToStream(stream, true));
    return stream.TakeBytes();
  }
  std::string SelectionRVF() {
    TRVMemoryStream stream;
    EXPECT_TRUE(RichViewEdit1.SaveRVFToStream(stream, true));
    return stream.TakeBytes();
  }

  TRVStyle RVStyle1;
  TRichViewEdit RichViewEdit1;
};

} // namespace richtext::test
