// The Qt message boxes and text clipboard on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "app/ui/QtNotifier.h"
#include "app/ui/QtTextClipboard.h"
#include "richtext/base/RVClasses.h"

namespace quillon {
namespace {

// Runs check on the box once it is up, then presses its OK button.
void OnBox(std::function<void(QMessageBox&)> check, bool& seen) {
  QTimer::singleShot(0, [check, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      OnBox(check, seen); // not up yet
      return;
    }
    seen = true;
    check(*box);
    box->button(QMessageBox::Ok)->click();
  });
}

TEST(QtNotifierTest, ErrorBoxHasStopIconOneOkAndTheTitle) {
  QtNotifier notifier;
  bool seen = false;
  OnBox(
      [](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.windowTitle(), "quillon");
        EXPECT_EQ(box.text(), "Cannot open file \"<a>\". No such file.");
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
      },
      seen);
  notifier.ShowError(u"quillon", u"Cannot open file \"<a>\". No such file.");
  EXPECT_TRUE(seen);
}

TEST(QtNotifierTest, MessageBoxIsPlainAndCentredOnTheScreen) {
  QWidget owner;
  owner.setGeometry(0, 0, 200, 100);
  owner.show();
  QtNotifier notifier(&owner);
  bool seen = false;
  QPoint centre;
  OnBox(
      [&centre](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.windowTitle(), QStringLiteral(u"标题"));
        EXPECT_EQ(box.text(), "http://e.org]word");
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        centre = box.frameGeometry().center();
      },
      seen);
  notifier.ShowMessage(u"标题", u"http://e.org]word");
  ASSERT_TRUE(seen);
  const QPoint screenCentre = owner.screen()->availableGeometry().center();
  EXPECT_LE((centre - screenCentre).manhattanLength(), 2)
      << "box centre " << centre.x() << "," << centre.y() << " screen centre " << screenCentre.x()
      << "," << screenCentre.y();
}

TEST(QtTextClipboardTest, EmptiesTheClipboardAndPlacesOnlyText) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto* before = new QMimeData;
  before->setHtml("<b>old</b>");
  before->setText("old");
  clipboard->setMimeData(before);

  QtTextClipboard text;
  text.SetUnicodeText(u"[标题](http://例子.中国)\r\nline two");
  EXPECT_EQ(clipboard->text(), QStringLiteral(u"[标题](http://例子.中国)\r\nline two"));
  ASSERT_NE(clipboard->mimeData(), nullptr);
  EXPECT_EQ(clipboard->mimeData()->formats(), QStringList({"text/plain"}));

  text.SetUnicodeText(u"");
  EXPECT_EQ(clipboard->text(), "");
}

} // namespace
} // namespace quillon
