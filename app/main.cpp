// Quillon: composes Markdown and BBCode links and keeps two link lists.
#include <QApplication>
#include <QLocale>

#include <string_view>

#include "app/LinkList.h"
#include "app/ListFolder.h"
#include "app/browser/HostManifest.h"
#include "app/ui/BrowserRequests.h"
#include "app/ui/QtNotifier.h"
#include "app/ui/QtTextClipboard.h"
#include "app/ui/Session.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/Translations.h"
#include "app/ui/Unit1.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"

int main(int argc, char** argv) {
  quillon::UseOneHeapForAllThreads();
  if (argc == 2 && std::string_view(argv[1]) == "--install-browser-host")
    return quillon::InstallBrowserHost();
  quillon::PreferNativePlatform();
  QApplication application(argc, argv);
  // Wayland compositors match the window to its desktop entry (icon, name) by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillon.Quillon"));
  // The window speaks the user's language when Quillon has it, else its own Chinese.
  quillon::InstallTranslations(QLocale::system().uiLanguages());
  // One window per pair of lists: a second start brings the first one forward instead.
  const std::string listFolder = quillon::DefaultListFolder();
  quillon::TSingleInstance instance(listFolder, quillon::DefaultRuntimeFolder());
  if (instance.Start() == quillon::TSingleInstance::TStart::Forwarded)
    return 0;
  quillon::QuitOnTerminationSignals();
  // The engine's start-up, before any style sheet exists: its clipboard formats, its text
  // measuring on Qt and its clipboard on Qt's.
  richtext::RVRegisterClipboardFormats();
  quillon::RegisterQtGraphics();
  quillon::RegisterQtClipboard();
  quillon::QtNotifier notifier;
  quillon::QtTextClipboard clipboard;
  quillon::TForm1 form(notifier, clipboard, listFolder);
  notifier.SetOwner(&form);
  QObject::connect(&instance, &quillon::TSingleInstance::Raise, &form,
                   [&form] { quillon::BringForward(form); });
  // The browser extension's tabs, links and selections, relayed by its host.
  auto* browser = new quillon::TFormBrowserRequests(form);
  instance.SetRequestHandler(
      [browser](const std::string& request) { return browser->Answer(request); });
  // As with a form's create handler, the lists are loaded (and any failure reported) once
  // the window is complete and before it first appears.
  form.FormCreate();
  if (quillon::QuitRequested())
    return 0;
  form.show();
  quillon::ReportPlatformWhenShown(form);
  const int status = application.exec();
  // Leaving hands the clipboard to a clipboard manager, and a manager may keep the program
  // waiting for seconds. The window goes first and the lists are free for a new start, so
  // that none of this wait shows.
  form.hide();
  instance.Release();
  QCoreApplication::processEvents();
  return status;
}
