// A hyperlink document under the fixed-metrics test graphics, with a recording
// clipboard installed as the system clipboard.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "richtext/export/RVStr.h"
#include "tests/richtext/export/clipboard/RecordingClipboard.h"
#include "tests/support/RVTestGraphics.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace richtext::test {

class ClipboardFixture : public ::testing::Test {
protected:
  ClipboardFixture() {
    RVRegisterClipboardFormats();
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
  }
  TRichViewEdit& Editor() { return Doc.RichViewEdit1; }

  // The editor holding Text in text style 0, paragraph by paragraph ('\n' separates them),
  // selected whole.
  void BuildPlain(const std::u16string& Text) {
    Editor().ClearAll();
    std::size_t start = 0;
    while (true) {
      const std::size_t end = Text.find(u'\n', start);
      Editor().AddNL(Text.substr(start, end - start), 0, 0);
      if (end == std::u16string::npos)
        break;
      start = end + 1;
    }
    Editor().Format();
    Editor().SelectAll();
  }

  TRVStateCanvas Canvas{96, 96};
  TTestHyperlinkDocument Doc{&Canvas};
  TRecordingClipboard Clipboard;
  TInstalledClipboard Installed{Clipboard};
};

} // namespace richtext::test
