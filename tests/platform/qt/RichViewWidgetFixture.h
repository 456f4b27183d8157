// A rich view widget, shown and focused on the offscreen platform, over the hyperlink
// document; and a recorder of the addresses the desktop would have opened.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QList>
#include <QObject>
#include <QUrl>
#include <memory>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "platform/qt/RVQtGraphics.h"
#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/export/RVStr.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace quillon::test {

class TUrlRecorder : public QObject {
  Q_OBJECT
public:
  QList<QUrl> Urls;
public slots:
  void Open(const QUrl& Url) { Urls.push_back(Url); }
};

class RichViewWidgetFixture : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterQtGraphics();
    RegisterQtClipboard();
    richtext::RVRegisterClipboardFormats();
  }
  explicit RichViewWidgetFixture(int Height) : Doc(&Canvas) {
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
    Widget = std::make_unique<TRVQtRichViewWidget>(Doc.RichViewEdit1, Canvas);
    Widget->resize(306, Height);
    Widget->show();
    Widget->activateWindow();
    Widget->setFocus();
    QApplication::processEvents();
  }
  richtext::TCustomRichViewEdit& Edit() { return Doc.RichViewEdit1; }

  TRVQtCanvas Canvas{96, 96};
  richtext::test::TTestHyperlinkDocument Doc;
  std::unique_ptr<TRVQtRichViewWidget> Widget;
};

} // namespace quillon::test
