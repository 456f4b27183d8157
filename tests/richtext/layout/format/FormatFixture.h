// A viewer control on a style sheet measured by the fixed-metrics test interface, with a
// state canvas at 96 pixels per inch, so layouts come out in exact pixels.
//
// Text style 0 is Arial 10 pt: em 13, every character 7 wide, ascent 10, descent 3.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "richtext/control/RichView.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {

class FormatFixture : public ::testing::Test {
protected:
  FormatFixture() {
    auto gi = std::make_unique<TRVTestGraphicInterface>();
    GI = gi.get();
    Style.SetGraphicInterface(std::move(gi));
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(200, 400);
  }

  // The layout as text, with each run's characters.
  std::string Lines() const { return RV.RVData->DrawItems.Dump(&RV.RVData->Items()); }
  TCustomRVFormattedData& Data() { return *RV.RVData; }

  TRVStyle Style;
  TRVTestGraphicInterface* GI = nullptr;
  TRVStateCanvas Canvas{96, 96};
  TRichView RV;
};

} // namespace richtext::test
