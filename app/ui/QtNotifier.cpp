#include "app/ui/QtNotifier.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

#include "app/ui/Session.h"

namespace quillon {

namespace {

// A box that places itself in the middle of its screen instead of over its owner.
class TScreenCentredBox : public QMessageBox {
public:
  using QMessageBox::QMessageBox;

protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
      return;
    QRect box = frameGeometry();
    box.moveCenter(where->availableGeometry().center());
    move(box.topLeft());
  }
};

QString ToQt(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

} // namespace

void QtNotifier::ShowError(const std::u16string& title, const std::u16string& text) {
  if (QuitRequested())
    return; // a box would hold up an ending the session asked for
  QMessageBox box(QMessageBox::Critical, ToQt(title), ToQt(text), QMessageBox::Ok, FOwner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtNotifier::ShowMessage(const std::u16string& title, const std::u16string& text) {
  if (QuitRequested())
    return;
  TScreenCentredBox box(QMessageBox::NoIcon, ToQt(title), ToQt(text), QMessageBox::Ok, FOwner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

} // namespace quillon
