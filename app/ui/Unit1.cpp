#include "app/ui/Unit1.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

#include "app/LinkCompose.h"
#include "app/LinkList.h"
#include "app/ListFolder.h"
#include "app/Utf.h"
#include "app/ui/FormAccess.h"
#include "app/ui/GrowingLayout.h"
#include "app/ui/LinkTools.h"
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
  Guarded([this] { ListBox1->Items().Load(BBCodeListPath()); });
  Guarded([this] { ListBox2->Items().Load(MarkdownListPath()); });
}

void TForm1::ComposeMarkdownLink() {
  const QString oldAddress = Edit2->text();
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
    Edit3->setText(ToQt(ComposeBBCode(FromQt(Edit1->text()), FromQt(Edit2->text()))));
  });
}

void TForm1::ListBox1Click() {
  Guarded([this] {
    const std::u16string entry = ListBox1->Items().List().Entry(ListBox1->ItemIndex());
    RecallBBCodeEntry(
        entry, [this](const std::u16string& address) { Edit2->setText(ToQt(address)); },
        [this](const std::u16string& title) { Edit1->setText(ToQt(title)); });
  });
}

void TForm1::ListBox2Click() {
  Guarded([this] {
    FClipboard->SetUnicodeText(ListBox2->Items().List().Entry(ListBox2->ItemIndex()));
  });
}

void TForm1::Button3Click() {
  Guarded([this] { ListBox1->Items().Add(FromQt(Edit3->text())); });
}

void TForm1::Button4Click() {
  Guarded([this] { ListBox1->Items().Delete(ListBox1->ItemIndex()); });
}

void TForm1::Button5Click() {
  Guarded([this] { ListBox2->Items().Add(FromQt(Edit4->text())); });
}

void TForm1::Button6Click() {
  Guarded([this] { ListBox2->Items().Delete(ListBox2->ItemIndex()); });
}

void TForm1::Button7Click() {
  Guarded([this] {
    ListBox1->SetItemIndex(ListBox1->Items().RemoveAdjacentDuplicates(ListBox1->ItemIndex()));
    ListBox1->Items().Save(BBCodeListPath());
  });
}

void TForm1::Button8Click() {
  Guarded([this] {
    ListBox2->SetItemIndex(ListBox2->Items().RemoveAdjacentDuplicates(ListBox2->ItemIndex()));
    ListBox2->Items().Save(MarkdownListPath());
  });
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

void TForm1::Label1Click() {
  Guarded([this] { FHyperlink->BuildAndCopy(FromQt(Edit1->text()), FromQt(Edit2->text())); });
  RichViewEdit1->update(); // the document changed even when the copy failed
}

} // namespace quillon
