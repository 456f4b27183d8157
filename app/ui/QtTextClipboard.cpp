#include "app/ui/QtTextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "richtext/base/RVClasses.h"

namespace quillon {

void QtTextClipboard::SetUnicodeText(const std::u16string& text) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    throw richtext::ERichViewError("Cannot open clipboard: no graphical session is running");
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard)
    throw richtext::ERichViewError("Cannot open clipboard: the platform offers no clipboard");

  const QString wanted = QString::fromStdU16String(text);
  clipboard->clear();
  auto* data = new QMimeData; // the clipboard takes ownership
  data->setText(wanted);
  clipboard->setMimeData(data);

  const QMimeData* placed = clipboard->mimeData();
  if (!placed || placed->text() != wanted)
    throw richtext::ERichViewError("Out of system resources");
}

} // namespace quillon
