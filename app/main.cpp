// Quillon: composes Markdown and BBCode links and keeps two link lists beside the program.
#include <QApplication>

#include "app/ui/Unit1.h"
#include "app/ui/QtNotifier.h"
#include "app/ui/QtTextClipboard.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The engine's start-up, before any style sheet exists: its clipboard formats, its text
  // measuring on Qt and its clipboard on Qt's.
  richtext::RVRegisterClipboardFormats();
  quillon::RegisterQtGraphics();
  quillon::RegisterQtClipboard();
  quillon::QtNotifier notifier;
  quillon::QtTextClipboard clipboard;
  quillon::TForm1 form(notifier, clipboard);
  notifier.SetOwner(&form);
  // As with a form's create handler, the lists are loaded (and any failure reported) once
  // the window is complete and before it first appears.
  form.FormCreate();
  form.show();
  return application.exec();
}
