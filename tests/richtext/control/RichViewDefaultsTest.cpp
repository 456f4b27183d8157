#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/style/RVStyle.h"

namespace richtext {
namespace {

TEST(RichViewDefaults, Viewer) {
  TRichView rv;
  EXPECT_EQ(rv.GetOptions().Value(), 0x19FC25u);
  EXPECT_EQ(rv.Flags.Value(), 0x1A05);
  EXPECT_EQ(rv.GetLeftMargin(), 5);
  EXPECT_EQ(rv.GetRightMargin(), 5);
  EXPECT_EQ(rv.GetTopMargin(), 5);
  EXPECT_EQ(rv.GetBottomMargin(), 5);
  EXPECT_EQ(rv.Color, clNone);
  EXPECT_EQ(rv.GetCursor(), 0);
  EXPECT_EQ(rv.GetMaxTextWidth(), 0);
  EXPECT_EQ(rv.GetMinTextWidth(), 0);
  EXPECT_EQ(rv.GetStyle(), nullptr);
  EXPECT_TRUE(rv.GetWordWrap());
  EXPECT_FALSE(rv.IsScrollTimerActive());
  EXPECT_EQ(rv.GetLiveSpellingMode(), rvlspManualStart);
  EXPECT_EQ(rv.GetAnimationMode(), rvaniManualStart);
  EXPECT_EQ(rv.Width, 100);
  EXPECT_EQ(rv.Height, 40);
  EXPECT_EQ(rv.BorderStyle, bsSingle);
  EXPECT_EQ(rv.VSmallStep, 1);
  EXPECT_TRUE(rv.KeyboardScroll);
  EXPECT_TRUE(rv.TabStop);
  EXPECT_EQ(rv.ScrollBars, ssBoth);
  EXPECT_EQ(rv.DoInPaletteMode, rvpaCreateCopies);
  EXPECT_EQ(rv.WheelStep, 2);
  ASSERT_NE(rv.Background, nullptr);
  EXPECT_EQ(rv.Background->Style, bsNoBitmap);
  ASSERT_NE(rv.RVData, nullptr);
  EXPECT_EQ(rv.ItemCount(), 0);
  EXPECT_EQ(rv.RVData->GetRichView(), &rv);
}

TEST(RichViewDefaults, RootProperties) {
  TRichView rv;
  EXPECT_EQ(rv.GetRVFOptions().Value(), 0x198083u);
  EXPECT_EQ(rv.GetRTFOptions().Value(), 0x1E);
  EXPECT_EQ(rv.GetRVFTextStylesReadMode(), rvf_sInsertMerge);
  EXPECT_EQ(rv.GetRVFParaStylesReadMode(), rvf_sInsertMerge);
  EXPECT_EQ(rv.GetNoteText(), u"?");
  const std::u16string delimiters = rv.GetDelimiters();
  EXPECT_EQ(delimiters.size(), 35u);
  EXPECT_EQ(delimiters.substr(0, 18), u" .;,:(){}\"/\\<>!?[]");
  EXPECT_EQ(delimiters.substr(18),
            u"\u2018\u2019\u201C\u201D-+*=\u00A0\u201E\u00AB\u00BB\u2026\u200B\u2002\u2003"
            u"\u2005");

  // The application's editor saves the style sheet with the document.
  TRVFOptions withStyles = rv.GetRVFOptions();
  withStyles.Include(rvfoSaveTextStyles);
  withStyles.Include(rvfoSaveParaStyles);
  rv.SetRVFOptions(withStyles);
  EXPECT_EQ(rv.GetRVFOptions().Value(), 0x199883u);
  EXPECT_EQ(rv.RVData->GetRootProperties()->RVFOptions.Value(), 0x199883u);
}

TEST(RichViewDefaults, Editor) {
  TRichViewEdit edit;
  EXPECT_EQ(edit.Flags.Value(), 0x1B04);
  EXPECT_EQ(edit.GetOptions().Value(), 0x19FC25u);
  EXPECT_EQ(edit.GetCursor(), -4);
  EXPECT_FALSE(edit.KeyboardScroll);
  EXPECT_EQ(edit.EditorOptions, (TRVEditorOptions{rvoCtrlJumps, rvoWantTabs}));
  EXPECT_EQ(edit.UndoLimit, -1);
  EXPECT_EQ(edit.GetLiveSpellingMode(), rvlspOnChange);
  EXPECT_FALSE(edit.GetReadOnly());
  EXPECT_NE(dynamic_cast<TRVEditRVData*>(edit.RVData.get()), nullptr);
  EXPECT_EQ(edit.GetDataClass()(&edit)->GetRichView(), &edit);
}

TEST(RichViewDefaults, DocumentsReadTheControlsSettings) {
  TRVStyle style;
  TRichView rv;
  rv.SetStyle(&style);
  EXPECT_EQ(rv.RVData->GetRVStyle(), &style);
  EXPECT_EQ(rv.RVData->GetOptions().Value(), 0x19FC25u);
  rv.RVData->SetOptions(TRVOptions{rvoAutoCopyText});
  EXPECT_EQ(rv.GetOptions(), TRVOptions{rvoAutoCopyText});
  EXPECT_EQ(rv.RVData->GetFlags().Value(), 0x1A05);
  rv.SetWordWrap(false);
  EXPECT_FALSE(rv.RVData->IsWordWrapAllowed());
  EXPECT_EQ(rv.RVData->GetDoInPaletteMode(), rvpaCreateCopies);
  EXPECT_EQ(rv.RVData->GetRootEvents(), static_cast<TRVRootEvents*>(&rv));
}

TEST(RichViewColor, FallsBackToStyleSheetThenWindow) {
  TRichView rv;
  EXPECT_EQ(rv.GetColor(), static_cast<TColor>(0xFF000005));
  TRVStyle style;
  style.Color = clRed;
  rv.SetStyle(&style);
  EXPECT_EQ(rv.GetColor(), clRed);
  rv.Color = clBlue;
  EXPECT_EQ(rv.GetColor(), clBlue);
}

class TCountingHost : public TRVControlHost {
public:
  int Invalidations = 0;
  void Invalidate() override { ++Invalidations; }
};

TEST(RichViewStyle, LinkingAStyleSheetRepaintsWhenFormattingInvalidates) {
  TCountingHost host;
  TRVStyle style;
  TRichView rv;
  rv.SetHost(&host);
  rv.SetStyle(&style);
  EXPECT_EQ(host.Invalidations, 1);
  TRVOptions options = rv.GetOptions();
  options.Exclude(rvoFormatInvalidate);
  rv.SetOptions(options);
  rv.SetStyle(nullptr);
  EXPECT_EQ(host.Invalidations, 1);
  EXPECT_EQ(rv.GetStyle(), nullptr);
}

} // namespace
} // namespace richtext
