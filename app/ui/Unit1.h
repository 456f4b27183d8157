// The main window: two input fields, the composed links, the two link lists and their
// buttons. It only wires widgets to the link tool's logic; every handler shows what goes
// wrong in the error box and the program goes on.
#pragma once

#include <QFileSystemWatcher>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <exception>
#include <memory>
#include <string>

#include "app/ErrorBox.h"
#include "app/GrowLayout.h"
#include "app/HyperlinkDocument.h"
#include "app/TextClipboard.h"
#include "app/ui/LinkListBox.h"
#include "platform/qt/RVQtRichViewWidget.h"

namespace quillon {

class TEditorWindow;
class TFormAccess;
class TFormLinkTools;
class TGrowingLayout;

class TForm1 : public QWidget {
  Q_OBJECT
public:
  // The boxes and the clipboard are the platform's in the program and doubles in tests.
  // listFolder holds the two list files, with a trailing '/'; by default DefaultListFolder().
  TForm1(TNotifier& notifier, TTextClipboard& clipboard, std::string listFolder = {},
         QWidget* parent = nullptr);
  // The editor widget goes before the document and canvas it shows.
  ~TForm1() override;

  const std::string& ListFolder() const { return FListFolder; }
  std::string BBCodeListPath() const;
  std::string MarkdownListPath() const;

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label5;
  QLabel* Label6;
  TLinkListBox* ListBox1;
  TLinkListBox* ListBox2;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
  QPushButton* Button7;
  QPushButton* Button8;
  QPushButton* Button9;
  // Shows Hyperlink()'s editor and its document; while the larger window is shown, that
  // window shows them instead.
  TRVQtRichViewWidget* RichViewEdit1;
  // The larger window over the same document; none until it is first opened.
  TEditorWindow* EditorWindow() const { return FEditorWindow; }
  // What the last action did ("Copied as rich text", "Saved 1234 entries").
  QLabel* StatusLine;
  void ShowStatus(const QString& text);

  // The style sheet "RVStyle1" and the editor that hold the last formatted hyperlink.
  THyperlinkDocument& Hyperlink() { return *FHyperlink; }

  // Drops from browsers, the context menus of the result fields and lists, the title fetch.
  TFormLinkTools* LinkTools = nullptr;
  // Shortcuts, tooltips, accessible names and the stay-on-top choice.
  TFormAccess* Access = nullptr;
  // Places every control and grows them with the window.
  TGrowingLayout* Layout() const { return FLayout; }
  TTextClipboard& Clipboard() { return *FClipboard; }
  // Shows an error in the window's error box, as the handlers do.
  void ReportError(const std::exception& e);

public slots:
  // Runs once the window is complete: makes it topmost (unless the user chose otherwise),
  // then loads the BBCode list and the
  // Markdown list.
  void FormCreate();

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void ListBox1Click();
  void ListBox2Click();
  void Label1Click();
  // Opens the larger editing window (the editor's context menu), or brings it forward.
  void OpenEditorWindow();
  // Enter (13) composes the Markdown link; the key still goes to the edit.
  void Edit2KeyPress(char16_t& key);

  // Asks whether to save lists with unsaved changes and does what the answer says; false
  // when the window is to stay open. An ending asked for from outside saves nothing.
  bool ConfirmClose();
  // Reads a list's file again, keeping the list's unsaved changes (its context menu's
  // "Reload"); lifts the ban on writing a file that could not be read, once it can.
  void ReloadList(TLinkListBox* list);
  // Brings changes other programs made to the list files into the lists shown (the file
  // watcher calls it); a list with no changes of its own is simply reloaded.
  void TakeOutsideChanges();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  template <class Handler> void Guarded(Handler&& handler);
  void ComposeMarkdownLink();
  // Drops the repeats and saves one list; false when the save failed (the error box shows why).
  bool SaveList(TLinkListBox* list, const std::string& path);
  std::string ListPath(const TLinkListBox* list) const;
  // Loads a list at start and says what the window should know about its file.
  void LoadList(TLinkListBox* list);
  // What follows a load, at once or in the background: its error, the notice, the status.
  void ListLoaded(TLinkListBox* list);
  // Marks a list whose file could not be read (or clears the mark).
  void ShowReadState(TLinkListBox* list);
  void WatchListFiles();
  // What the status line says of what another program did to a list.
  static QString MergedText(std::size_t added, std::size_t deleted);
  void LayOut();
  QRect Scaled(int left, int top, int width, int height) const;
  // Places a control (96-dpi pixels at the first size) and grows it by rule.
  void Place(QWidget* widget, int left, int top, int width, int height, const TGrowRule& rule);
  QLineEdit* NewEdit(const char* name, int left, int top, int width, int height,
                     const TGrowRule& rule);
  QPushButton* NewButton(const char* name, const QString& caption, int left, int top, int width,
                         int height, const TGrowRule& rule);
  QLabel* NewLabel(const char* name, const QString& caption, int left, int top, int width,
                   int height, const TGrowRule& rule = TGrowRule::Fixed());

  TNotifier* FNotifier;
  TTextClipboard* FClipboard;
  std::string FListFolder;
  TGrowingLayout* FLayout = nullptr;
  // The editor measures on it; declared first so that it outlives the document.
  std::unique_ptr<TRVQtCanvas> FEditorCanvas;
  std::unique_ptr<THyperlinkDocument> FHyperlink;
  TEditorWindow* FEditorWindow = nullptr;
  QFileSystemWatcher* FWatcher = nullptr;
  QTimer* FOutsideChange = nullptr;
};

} // namespace quillon
