// A viewer control on the default style sheet, measured by the fixed-metrics test interface,
// and the RTF its writer produces.
//
// The header of the default sheet (six text styles, all Arial in the default character set,
// two paragraph styles without borders or backgrounds) in the process's ANSI code page 1252
// (the tests run under LC_ALL=C.UTF-8): one font, and after the auto entry the colours of
// the styles in order of first use: blue (Heading), navy (Subheading), maroon (Keywords),
// green (Jump 1 and 2).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/document/RVItem.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {

inline constexpr std::string_view DefaultColorTable =
    "{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red0\\green128\\blue0;}";
inline const std::string DefaultHeader =
    std::string("{\\rtf1\\fbidis\\ansi\\ansicpg1252\\uc1\\deff0\\deflang0\\deflangfe0"
                "{\\fonttbl{\\f0\\fnil Arial;}}") +
    std::string(DefaultColorTable) + "\r\n\r\n";

// "\pard" and the properties of the default paragraph style 0 in the main text.
inline constexpr std::string_view Para0 = "\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 ";
inline constexpr std::string_view Para1 = "\\pard\\fi0\\li0\\qc\\ri0\\sb0\\sa0\\itap0 ";

class RTFWriterFixture : public ::testing::Test {
protected:
  RTFWriterFixture() {
    Style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(400, 400);
  }

  // The selection (or everything) as the clipboard copy writes it.
  std::string Save(bool SelectionOnly = true, bool HiddenParent = false) {
    TRVMemoryStream stream;
    TRVRTFSavingData savingData;
    Ok = SaveRTFToStream(*RV.RVData, stream, SelectionOnly, 0, RV.GetColor(), nullptr, savingData, 0,
                                    true, HiddenParent);
    EXPECT_EQ(nullptr, savingData.RTFTables.get()) << "the top level frees its tables";
    return stream.TakeBytes();
  }
  // What follows the header of the default sheet; the whole output when the header differs.
  std::string Body(bool SelectionOnly = true, bool HiddenParent = false) {
    const std::string rtf = Save(SelectionOnly, HiddenParent);
    if (rtf.compare(0, DefaultHeader.size(), DefaultHeader) != 0)
      return "<header differs> " + rtf;
    return rtf.substr(DefaultHeader.size());
  }
  void FormatAndSelectAll() {
    RV.Format();
    RV.SelectAll();
  }
  // The hyperlink style the application makes: a blue, underlined copy of style 0.
  int LinkStyle() {
    TFontInfo link;
    link.Assign(*Style.TextStyles.Items(0));
    link.Color = 0x00FF0000;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    return Style.FindTextStyle(link);
  }

  TRVStyle Style;
  TRVStateCanvas Canvas{96, 96};
  TRichView RV;
  bool Ok = false;
};

} // namespace richtext::test
