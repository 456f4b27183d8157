#include "app/ui/QtTextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "richtext/base/RVClasses.h"

namespace quillon {

// The clipboard's errors are the system's own texts and stay as they are in every language.

void QtTextClipboard::SetUnicodeText(const std::u16string& text) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    throw richtext::ERichViewError(
        QT_TRANSLATE_NOOP("quillon::Errors", "Cannot open clipboard: no graphical session is running"));
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard)
    throw richtext::ERichViewError(
        QT_TRANSLATE_NOOP("quillon::Errors", "Cannot open clipboard: the platform offers no clipboard"));

  const QString wanted = QString::fromStdU16String(text);
  clipboard->clear();
  auto* data = new QMimeData; // the clipboard takes ownership
  data->setText(wanted);
  clipboard->setMimeData(data);

  const QMimeData* placed = clipboard->mimeData();
  if (!placed || placed->text() != wanted)
    throw richtext::ERichViewError(
        QT_TRANSLATE_NOOP("quillon::Errors", "Out of system resources"));
}

} // namespace quillon
