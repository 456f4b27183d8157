#include "app/ui/Unit1.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QLocale>
#include <QMouseEvent>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

#include "app/LinkCompose.h"
#include "app/LinkList.h"
#include "app/LinkSafety.h"
#include "app/ListFolder.h"
#include "app/Utf.h"
#include "app/ui/EditorWindow.h"
#include "app/ui/FormAccess.h"
#include "app/ui/GrowingLayout.h"
#include "app/ui/LinkTools.h"
#include "app/ui/Session.h"
#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphicInterface.h"
#include "richtext/base/RVClasses.h"

namespace quillon {

namespace {

QString ToQt(const std::u16string& text) {
  return QString::fromStdU16String(text);
}
std::u16string FromQt(const QString& text) {
  return text.toStdU16String();
}

QString FileNameOf(const std::string& path) {
  return QString::fromStdString(path.substr(path.rfind('/') + 1));
}

// Layout values are pixels at 96 dots per inch.
constexpr double kDesignDpi = 96.0;

// As the window grows: the fields and result fields share the extra width, the editor and the
// lists take all of it, the buttons keep their column at the right edge, and the two lists
// share the extra height as they share the first height.
constexpr double kListBox1Share = 145.0 / (145.0 + 180.0);
constexpr TGrowRule kFixed = TGrowRule::Fixed();
const TGrowRule kLeftField = kFixed.Across(0, 0.5);
const TGrowRule kMiddle = kFixed.Across(0.5, 0.5);
const TGrowRule kRightField = kFixed.Across(0.5, 1);
const TGrowRule kWide = kFixed.Across(0, 1);
const TGrowRule kUpperButton = kFixed.Across(1, 1);
const TGrowRule kLowerButton = kUpperButton.Down(kListBox1Share, kListBox1Share);
const TGrowRule kUpperList = kWide.Down(0, kListBox1Share);
const TGrowRule kLowerList = kWide.Down(kListBox1Share, 1);
const TGrowRule kLowerLabel = kFixed.Down(kListBox1Share, kListBox1Share);

} // namespace

TForm1::TForm1(TNotifier& notifier, TTextClipboard& clipboard, std::string listFolder,
               QWidget* parent)
    : QWidget(parent), FNotifier(&notifier), FClipboard(&clipboard),
      FListFolder(listFolder.empty() ? DefaultListFolder() : std::move(listFolder)) {
  setObjectName(QStringLiteral("Form1"));
  // The editor's document comes before the window's controls: the editor widget shows it.
  FEditorCanvas = std::make_unique<TRVQtCanvas>(logicalDpiX(), logicalDpiY());
  FHyperlink = std::make_unique<THyperlinkDocument>(FEditorCanvas.get());
  // A window made before the program registered the Qt graphics still measures with Qt.
  if (!FHyperlink->RVStyle1.GetGraphicInterface())
    FHyperlink->RVStyle1.SetGraphicInterface(std::make_unique<TRVQtGraphicInterface>());
  LayOut();
}

TForm1::~TForm1() {
  // The larger window gives the document back to the editor, which then goes before it.
  delete FEditorWindow;
  FEditorWindow = nullptr;
  delete RichViewEdit1;
  RichViewEdit1 = nullptr;
}

std::string TForm1::BBCodeListPath() const {
  return FListFolder + ToUtf8(kBBCodeListFileName);
}

std::string TForm1::MarkdownListPath() const {
  return FListFolder + ToUtf8(kMarkdownListFileName);
}

QRect TForm1::Scaled(int left, int top, int width, int height) const {
  const double x = logicalDpiX() / kDesignDpi;
  const double y = logicalDpiY() / kDesignDpi;
  return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
}

void TForm1::Place(QWidget* widget, int left, int top, int width, int height,
                   const TGrowRule& rule) {
  FLayout->Add(widget, Scaled(left, top, width, height), rule);
}

QLabel* TForm1::NewLabel(const char* name, const QString& caption, int left, int top, int width,
                         int height, const TGrowRule& rule) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  // Labels size themselves to their caption: the font that stands in for the window font
  // may be wider than the one the layout was drawn with.
  QRect place = Scaled(left, top, width, height);
  place.setWidth(std::max(place.width(), label->sizeHint().width()));
  FLayout->Add(label, place, rule);
  return label;
}

QLineEdit* TForm1::NewEdit(const char* name, int left, int top, int width, int height,
                           const TGrowRule& rule) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  Place(edit, left, top, width, height, rule);
  // Links of any length: the default limit of 32767 characters would cut them silently.
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QPushButton* TForm1::NewButton(const char* name, const QString& caption, int left, int top,
                               int width, int height, const TGrowRule& rule) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  Place(button, left, top, width, height, rule);
  button->setAutoDefault(false);
  return button;
}

void TForm1::LayOut() {
  setWindowTitle(QStringLiteral("Quillon"));
  QFont windowFont(QStringLiteral("Tahoma"));
  windowFont.setStyleHint(QFont::SansSerif);
  windowFont.setPixelSize(qRound(11 * logicalDpiY() / kDesignDpi));
  windowFont.setWeight(QFont::Normal);
  setFont(windowFont);
  QPalette windowPalette = palette();
  windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
  setPalette(windowPalette);
  setAutoFillBackground(true);
  const QRect client = Scaled(0, 0, 683, 427);
  FLayout = new TGrowingLayout(this, client.size());
  resize(client.size());
  move(0, 0);

  Label5 = NewLabel("Label5", tr("文字:"), 8, 8, 28, 13);
  Label6 = NewLabel("Label6", tr("链接:"), 8, 35, 28, 13);
  Label2 = NewLabel("Label2", tr("富文本型:"), 8, 54, 52, 13);
  Label3 = NewLabel("Label3", tr("MarkDown型:"), 8, 223, 66, 13, kLowerLabel);
  Label1 = NewLabel("Label1", tr("转为所见所得模式下数据到剪贴板==>"), 80, 53, 204, 13);
  QPalette linkPalette = Label1->palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
  Label1->setPalette(linkPalette);
  QFont linkFont = windowFont;
  linkFont.setUnderline(true);
  Label1->setFont(linkFont);
  Label1->installEventFilter(this);

  // Created in tab order, so the focus chain starts right even before setTabOrder.
  ListBox1 = new TLinkListBox(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  Place(ListBox1, 8, 72, 586, 145, kUpperList);
  ListBox2 = new TLinkListBox(this);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  Place(ListBox2, 8, 242, 586, 180, kLowerList);
  Edit1 = NewEdit("Edit1", 42, 2, 231, 21, kLeftField);
  Edit2 = NewEdit("Edit2", 42, 29, 231, 21, kLeftField);
  Edit2->installEventFilter(this);
  Button1 = NewButton("Button1", tr("==>转为MarkDown型"), 279, 29, 130, 22, kMiddle);
  Button2 = NewButton("Button2", tr("===>转为富文本型"), 279, 0, 130, 25, kMiddle);
  Edit3 = NewEdit("Edit3", 413, 2, 262, 21, kRightField);
  Edit4 = NewEdit("Edit4", 415, 29, 260, 21, kRightField);
  Button3 = NewButton("Button3", tr("添加新项"), 600, 72, 75, 25, kUpperButton);
  Button4 = NewButton("Button4", tr("删除项目"), 600, 103, 75, 25, kUpperButton);
  Button5 = NewButton("Button5", tr("添加新项"), 600, 242, 75, 25, kLowerButton);
  Button6 = NewButton("Button6", tr("删除新项"), 600, 273, 75, 25, kLowerButton);
  Button7 = NewButton("Button7", tr("去重保存"), 600, 134, 75, 25, kUpperButton);
  Button8 = NewButton("Button8", tr("去重保存"), 600, 304, 75, 25, kLowerButton);

  RichViewEdit1 = new TRVQtRichViewWidget(FHyperlink->RichViewEdit1, *FEditorCanvas, this);
  RichViewEdit1->setObjectName(QStringLiteral("RichViewEdit1"));
  Place(RichViewEdit1, 288, 51, 306, 21, kWide);
  RichViewEdit1->UpdateClientSize();
  // Errors of the editor's own input handling (a clipboard that cannot be opened on Ctrl+C)
  // go to the error box like those of the window's handlers.
  RichViewEdit1->SetGuard([this](const std::function<void()>& call) { Guarded(call); });
  // Room for several paragraphs in a window of its own, over the same document.
  RichViewEdit1->SetAwayText(tr("Edited in the larger window"));
  connect(RichViewEdit1, &TRVQtRichViewWidget::ContextMenuAboutToShow, this, [this](QMenu* menu) {
    menu->addSeparator();
    menu->addAction(tr("&Edit in a Larger Window"), this, &TForm1::OpenEditorWindow)
        ->setObjectName(QStringLiteral("OpenEditorWindowAction"));
  });
  connect(RichViewEdit1, &TRVQtRichViewWidget::AwayClicked, this, &TForm1::OpenEditorWindow);

  // Below the buttons of the Markdown list, where the fixed layout leaves room; it grows
  // down with that list.
  StatusLine = new QLabel(this);
  StatusLine->setObjectName(QStringLiteral("StatusLine"));
  StatusLine->setTextFormat(Qt::PlainText);
  StatusLine->setWordWrap(true);
  StatusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  StatusLine->setAccessibleName(tr("Status"));
  StatusLine->setAccessibleDescription(tr("What the last action did"));
  Place(StatusLine, 600, 335, 75, 87, kLowerButton.Down(kListBox1Share, 1));
  for (TLinkListBox* list : {ListBox1, ListBox2})
    connect(list, &TLinkListBox::Status, this, &TForm1::ShowStatus);

  Button9 = NewButton("Button9", tr("Button9"), 519, 165, 75, 25, kUpperButton);
  Button9->setVisible(false);

  QWidget* tabOrder[] = {ListBox1, ListBox2, Edit1,         Edit2,   Button1, Button2,
                         Edit3,    Edit4,    Button3,       Button4, Button5, Button6,
                         Button7,  Button8,  RichViewEdit1, Button9};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i)
    setTabOrder(tabOrder[i - 1], tabOrder[i]);

  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
  connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
  connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
  connect(ListBox1, &TLinkListBox::UserSelect, this, &TForm1::ListBox1Click);
  connect(ListBox2, &TLinkListBox::UserSelect, this, &TForm1::ListBox2Click);

  LinkTools = new TFormLinkTools(*this);
  Access = new TFormAccess(*this);
}

void TForm1::ShowStatus(const QString& text) {
  StatusLine->setText(text);
}

void TForm1::ReportError(const std::exception& e) {
  ShowException(*FNotifier, ApplicationTitle(ExecutablePath()), e);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit2 && event->type() == QEvent::KeyPress) {
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    char16_t key = 0;
    const Qt::KeyboardModifiers held =
        keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) {
      // Enter types a carriage return, also with Shift; with Ctrl it types a line feed, and
      // with Alt or Meta it types nothing (it is a shortcut's).
      if (held == Qt::NoModifier)
        key = 13;
      else if (held == Qt::ControlModifier)
        key = 10;
    } else if (!keyEvent->text().isEmpty())
      key = keyEvent->text().at(0).unicode();
    if (key == 0)
      return false; // no character typed: arrows, shifts and the like
    Edit2KeyPress(key);
    return key == 0; // a handler that clears the character keeps it from the edit
  }
  if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouseEvent = static_cast<QMouseEvent*>(event);
    if (mouseEvent->button() == Qt::LeftButton &&
        Label1->rect().contains(mouseEvent->position().toPoint()))
      Label1Click();
    return false;
  }
  return QWidget::eventFilter(watched, event);
}

template <class Handler> void TForm1::Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(*FNotifier, ApplicationTitle(ExecutablePath()), e);
  } catch (...) {
    ShowException(*FNotifier, ApplicationTitle(ExecutablePath()),
                  std::runtime_error(QT_TRANSLATE_NOOP("quillon::Errors", "Unknown error")));
  }
}

void TForm1::FormCreate() {
  // On top unless the user turned that off in an earlier run.
  Guarded([this] { Access->ApplyStayOnTop(Access->StayOnTop()); });
  // Each list loads on its own: a missing BBCode file leaves that list empty and still
  // lets the Markdown list load.
  LoadList(ListBox1);
  LoadList(ListBox2);
  WatchListFiles();
}

std::string TForm1::ListPath(const TLinkListBox* list) const {
  return list == ListBox1 ? BBCodeListPath() : MarkdownListPath();
}

QString TForm1::MergedText(std::size_t added, std::size_t deleted) {
  if (deleted == 0)
    return added == 1 ? tr("Merged 1 entry added by another program")
                      : tr("Merged %1 entries added by another program").arg(added);
  return tr("Merged %1 added and %2 deleted entries of another program").arg(added).arg(deleted);
}

void TForm1::ShowReadState(TLinkListBox* list) {
  const TLinkList& items = list->Items().List();
  list->SetNotice(items.Unreadable()
                      ? tr("%1 could not be read: nothing will be written to it")
                            .arg(FileNameOf(ListPath(list)))
                      : QString());
}

void TForm1::LoadList(TLinkListBox* list) {
  const std::string path = ListPath(list);
  TLinkListModel& items = list->Items();
  if (TLinkListModel::LoadsInBackground(path)) {
    // A big list: the window shows at once, the rows once they are read.
    connect(&items, &TLinkListModel::LoadFinished, this, [this, list] { ListLoaded(list); });
    items.StartLoad(path);
    list->SetNotice(tr("Loading…"));
    return;
  }
  Guarded([&] { items.Load(path); });
  ListLoaded(list);
}

void TForm1::ListLoaded(TLinkListBox* list) {
  if (std::exception_ptr error = list->Items().TakeLoadError())
    Guarded([&] { std::rethrow_exception(error); });
  ShowReadState(list);
  // Said once, when the list is read: entries whose bytes are no exact text are kept.
  if (const std::size_t damaged = list->Items().List().DamagedCount())
    ShowStatus(damaged == 1 ? tr("%1: 1 entry is not valid text in its encoding; it shows "
                                 "\uFFFD and is saved back as it was")
                                  .arg(FileNameOf(ListPath(list)))
                            : tr("%1: %2 entries are not valid text in its encoding; they show "
                                 "\uFFFD and are saved back as they were")
                                  .arg(FileNameOf(ListPath(list)))
                                  .arg(damaged));
}

void TForm1::WatchListFiles() {
  if (FWatcher)
    return;
  FWatcher = new QFileSystemWatcher(this);
  // Several changes in a row (a write, then a rename) are taken as one.
  FOutsideChange = new QTimer(this);
  FOutsideChange->setSingleShot(true);
  FOutsideChange->setInterval(150);
  connect(FOutsideChange, &QTimer::timeout, this, &TForm1::TakeOutsideChanges);
  auto changed = [this] { FOutsideChange->start(); };
  connect(FWatcher, &QFileSystemWatcher::fileChanged, this, changed);
  connect(FWatcher, &QFileSystemWatcher::directoryChanged, this, changed);
  // The folder too: a file replaced by a rename drops out of a watch on the file alone.
  FWatcher->addPath(QString::fromStdString(FListFolder));
  for (TLinkListBox* list : {ListBox1, ListBox2})
    if (QFile::exists(QString::fromStdString(ListPath(list))))
      FWatcher->addPath(QString::fromStdString(ListPath(list)));
}

void TForm1::TakeOutsideChanges() {
  for (TLinkListBox* list : {ListBox1, ListBox2}) {
    const std::string path = ListPath(list);
    const QString qtPath = QString::fromStdString(path);
    if (FWatcher && QFile::exists(qtPath) && !FWatcher->files().contains(qtPath))
      FWatcher->addPath(qtPath);
    TLinkListModel& items = list->Items();
    if (!items.List().FileChanged())
      continue;
    // Where the user was stays where the entries still are.
    std::vector<std::u16string> picked;
    for (int row : list->SelectedRows())
      picked.push_back(items.Entry(row));
    const int current = list->selectionModel()->currentIndex().row();
    const std::u16string currentEntry =
        current >= 0 && current < items.rowCount() ? items.Entry(current) : std::u16string();
    const int scroll = list->verticalScrollBar()->value();
    TListMergeResult merged;
    bool read = false;
    Guarded([&] {
      merged = items.MergeFromFile(path);
      read = true;
    });
    if (!read)
      continue;
    ShowReadState(list);
    for (const std::u16string& entry : picked)
      if (int row = items.RowOf(items.List().Find(entry)); row >= 0)
        list->selectionModel()->select(items.index(row), QItemSelectionModel::Select);
    if (int row = items.RowOf(items.List().Find(currentEntry)); row >= 0 && !currentEntry.empty())
      list->selectionModel()->setCurrentIndex(items.index(row), QItemSelectionModel::NoUpdate);
    list->verticalScrollBar()->setValue(scroll);
    if (merged.FileGone)
      ShowStatus(tr("%1 was removed: the list is kept as shown, not saved").arg(FileNameOf(path)));
    else
      ShowStatus(MergedText(merged.Added, merged.Deleted));
  }
}

void TForm1::ReloadList(TLinkListBox* list) {
  bool read = false;
  Guarded([&] {
    list->Items().MergeFromFile(ListPath(list));
    read = true;
  });
  ShowReadState(list);
  if (read)
    ShowStatus(tr("Reloaded %1").arg(FileNameOf(ListPath(list))));
}

void TForm1::ComposeMarkdownLink() {
  const QString oldAddress = Edit2->text();
  RefuseScriptingAddress(FromQt(oldAddress));
  const TMarkdownLink link = ComposeMarkdown(FromQt(Edit1->text()), FromQt(oldAddress));
  const QString address = ToQt(link.address);
  if (address != oldAddress)
    Edit2->setText(address);
  Edit4->setText(ToQt(link.markdown));
}

void TForm1::Button1Click() {
  Guarded([this] { ComposeMarkdownLink(); });
}

void TForm1::Edit2KeyPress(char16_t& key) {
  Guarded([this, key] {
    if (key == 13)
      ComposeMarkdownLink();
  });
}

void TForm1::Button2Click() {
  Guarded([this] {
    RefuseScriptingAddress(FromQt(Edit2->text()));
    Edit3->setText(ToQt(ComposeBBCode(FromQt(Edit1->text()), FromQt(Edit2->text()))));
  });
}

void TForm1::ListBox1Click() {
  Guarded([this] {
    // Tens of megabytes in the fields would hold the window up for a long time. Only the
    // size is looked at before the question: copying the entry would take a while itself.
    const std::size_t size = ListBox1->Items().Entry(ListBox1->ItemIndex()).size();
    constexpr std::size_t kAskAbove = 64 * 1024;
    if (size > kAskAbove &&
        !FNotifier->AskYesNo(ApplicationTitle(ExecutablePath()),
                             FromQt(tr("This entry is %1 characters long. Put it into the "
                                       "fields all the same?")
                                        .arg(QLocale().toString(static_cast<qulonglong>(size))))))
      return;
    // Taken after the question, which lets the list change while it is open.
    const std::u16string entry = ListBox1->Items().Entry(ListBox1->ItemIndex());
    RecallBBCodeEntry(
        entry, [this](const std::u16string& address) { Edit2->setText(ToQt(address)); },
        [this](const std::u16string& title) { Edit1->setText(ToQt(title)); });
  });
}

void TForm1::ListBox2Click() {
  Guarded([this] {
    FClipboard->SetUnicodeText(ListBox2->Items().Entry(ListBox2->ItemIndex()));
    ShowStatus(tr("Copied the Markdown link"));
  });
}

void TForm1::Button3Click() {
  Guarded([this] {
    ListBox1->Items().Add(FromQt(Edit3->text()));
    ShowStatus(tr("Added 1 entry"));
  });
}

void TForm1::Button4Click() {
  Guarded([this] {
    const int row = ListBox1->ItemIndex();
    ListBox1->Items().Delete(row);
    if (row >= 0)
      ShowStatus(tr("Deleted 1 entry"));
  });
}

void TForm1::Button5Click() {
  Guarded([this] {
    ListBox2->Items().Add(FromQt(Edit4->text()));
    ShowStatus(tr("Added 1 entry"));
  });
}

void TForm1::Button6Click() {
  Guarded([this] {
    const int row = ListBox2->ItemIndex();
    ListBox2->Items().Delete(row);
    if (row >= 0)
      ShowStatus(tr("Deleted 1 entry"));
  });
}

bool TForm1::SaveList(TLinkListBox* list, const std::string& path) {
  bool saved = false;
  Guarded([&] {
    list->SetItemIndex(list->Items().RemoveDuplicates(list->ItemIndex()));
    const TListSaveResult result = list->Items().Save(path);
    const QString count = QLocale().toString(static_cast<qulonglong>(result.Entries));
    QString text = result.Entries == 1 ? tr("Saved 1 entry") : tr("Saved %1 entries").arg(count);
    if (result.Merged)
      text += QLatin1Char('\n') + MergedText(result.MergedAdded, result.MergedDeleted);
    // Said once: from now on the list is UTF-8.
    if (result.ChangedToUtf8)
      text += QLatin1Char('\n') +
              tr("Now saved as UTF-8: the code page %1 cannot hold every entry")
                  .arg(list->Items().List().AnsiCodePage());
    ShowStatus(text);
    saved = true;
  });
  return saved;
}

void TForm1::Button7Click() { SaveList(ListBox1, BBCodeListPath()); }

void TForm1::Button8Click() { SaveList(ListBox2, MarkdownListPath()); }

bool TForm1::ConfirmClose() {
  if (QuitRequested() || qApp->isSavingSession())
    return true;
  std::vector<std::pair<TLinkListBox*, std::string>> unsaved;
  if (ListBox1->Items().Modified())
    unsaved.emplace_back(ListBox1, BBCodeListPath());
  if (ListBox2->Items().Modified())
    unsaved.emplace_back(ListBox2, MarkdownListPath());
  if (unsaved.empty())
    return true;
  QStringList names;
  for (const auto& [list, path] : unsaved)
    names << QString::fromStdString(path);
  const QString text = tr("These lists have changes that are not saved:\n%1\n\n"
                          "Save them before closing?")
                           .arg(names.join(QLatin1Char('\n')));
  switch (FNotifier->AskSaveChanges(ApplicationTitle(ExecutablePath()), FromQt(text))) {
  case TSaveChoice::Cancel:
    return false;
  case TSaveChoice::Discard:
    return true;
  case TSaveChoice::Save:
    break;
  }
  // A list that cannot be saved keeps the window open: nothing the user asked to keep is
  // lost. A list whose file could not be read goes to another file of the user's choice.
  bool all = true;
  for (const auto& [list, path] : unsaved) {
    std::string target = path;
    if (list->Items().List().Unreadable()) {
      target = FNotifier->AskSaveFileName(
          FromQt(tr("%1 could not be read: save the list to another file")
                     .arg(FileNameOf(path))),
          path + ".saved.txt");
      if (target.empty()) {
        all = false;
        continue;
      }
    }
    all = SaveList(list, target) && all;
  }
  return all;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!ConfirmClose()) {
    event->ignore();
    return;
  }
  event->accept();
  // The larger window belongs to this one and goes with it.
  if (FEditorWindow)
    FEditorWindow->close();
}

void TForm1::Button9Click() {
  Guarded([this] {
    const std::u16string sample = StripBBCodeTags(HiddenSampleLink());
    FNotifier->ShowMessage(ApplicationTitle(ExecutablePath()), sample);
    const std::vector<std::u16string> fields = SplitFields(sample, u']', u'"');
    auto field = [&fields](int index) -> const std::u16string& {
      if (index >= static_cast<int>(fields.size()))
        throw richtext::EListError(index);
      return fields[index];
    };
    Edit2->setText(ToQt(field(0)));
    Edit1->setText(ToQt(field(1)));
  });
}

void TForm1::OpenEditorWindow() {
  if (!FEditorWindow) {
    FEditorWindow = new TEditorWindow(
        *FHyperlink, *FEditorCanvas, *RichViewEdit1,
        [this](const std::function<void()>& call) { Guarded(call); }, this);
    connect(FEditorWindow, &TEditorWindow::CopiedAll, this,
            [this] { ShowStatus(tr("Copied as rich text")); });
  }
  FEditorWindow->Open();
}

void TForm1::Label1Click() {
  Guarded([this] {
    const std::u16string title = FromQt(Edit1->text());
    RefuseScriptingAddress(FromQt(Edit2->text()));
    FHyperlink->BuildAndCopy(title, FromQt(Edit2->text()));
    if (!title.empty())
      ShowStatus(tr("Copied as rich text"));
  });
  RichViewEdit1->update(); // the document changed even when the copy failed
}

} // namespace quillon
