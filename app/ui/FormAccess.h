// The window within reach of the keyboard and of assistive technology: a shortcut for every
// button (shown in its tooltip), accessible names and descriptions for every control, the
// context menus of the lists and fields on Shift+F10 as on the menu key, and the choice to keep the window on top, which
// the window's context menu offers and which is remembered between runs.
#pragma once

#include <QKeySequence>
#include <QObject>

class QAbstractButton;
class QAction;
class QSettings;
class QWidget;

namespace quillon {

class TForm1;

class TFormAccess : public QObject {
  Q_OBJECT
public:
  explicit TFormAccess(TForm1& form);
  ~TFormAccess() override;

  // Checked while the window stays on top; in the window's context menu.
  QAction* StayOnTopAction;
  // The user's last choice (on when never made).
  bool StayOnTop() const;
  // Applies the choice to the window and remembers it.
  void SetStayOnTop(bool on);
  // Applies it without remembering: the window at start.
  void ApplyStayOnTop(bool on);

  // A tooltip with the shortcut that does the same: "text (Alt+A)".
  static QString WithShortcut(const QString& text, const QKeySequence& shortcut);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Describe(QWidget* widget, const QString& name, const QString& description);
  void GiveShortcut(QAbstractButton* button, const QKeySequence& shortcut,
                    const QString& description);

  TForm1* FForm;
  QSettings* FSettings;
};

} // namespace quillon
