#include "app/ui/QtNotifier.h"

#include <QFileDialog>
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

TSaveChoice QtNotifier::AskSaveChanges(const std::u16string& title, const std::u16string& text) {
  if (QuitRequested())
    return TSaveChoice::Discard; // an ending asked for from outside saves nothing
  QMessageBox box(QMessageBox::Question, ToQt(title), ToQt(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, FOwner);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
  case QMessageBox::Save:
    return TSaveChoice::Save;
  case QMessageBox::Discard:
    return TSaveChoice::Discard;
  default:
    return TSaveChoice::Cancel;
  }
}

bool QtNotifier::AskYesNo(const std::u16string& title, const std::u16string& text) {
  if (QuitRequested())
    return false;
  QMessageBox box(QMessageBox::Question, ToQt(title), ToQt(text),
                  QMessageBox::Yes | QMessageBox::No, FOwner);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::string QtNotifier::AskSaveFileName(const std::u16string& title,
                                        const std::string& suggestedPath) {
  if (QuitRequested())
    return {};
  return QFileDialog::getSaveFileName(FOwner, ToQt(title), QString::fromStdString(suggestedPath))
      .toStdString();
}

} // namespace quillon
