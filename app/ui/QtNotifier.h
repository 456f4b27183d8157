// Error and message boxes on QMessageBox.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/ErrorBox.h"

namespace quillon {

class QtNotifier : public TNotifier {
public:
  // The owner keeps the boxes above the main window, which stays on top of other windows;
  // without one the boxes are top-level windows of their own.
  explicit QtNotifier(QWidget* owner = nullptr) : FOwner(owner) {}
  void SetOwner(QWidget* owner) { FOwner = owner; }

  void ShowError(const std::u16string& title, const std::u16string& text) override;
  void ShowMessage(const std::u16string& title, const std::u16string& text) override;
  TSaveChoice AskSaveChanges(const std::u16string& title, const std::u16string& text) override;
  bool AskYesNo(const std::u16string& title, const std::u16string& text) override;
  std::string AskSaveFileName(const std::u16string& title, const std::string& suggestedPath) override;

private:
  QPointer<QWidget> FOwner;
};

} // namespace quillon
