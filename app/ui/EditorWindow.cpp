#include "app/ui/EditorWindow.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QHideEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/ui/FormAccess.h"

namespace quillon {

namespace {

// The first size, in pixels at 96 dots per inch: a dozen lines of the editor's text at the
// width of the main window's fields and editor together.
constexpr int kFirstWidth = 600;
constexpr int kFirstHeight = 320;
constexpr double kDesignDpi = 96.0;

} // namespace

TEditorWindow::TEditorWindow(THyperlinkDocument& Document, TRVQtCanvas& Canvas,
                             TRVQtRichViewWidget& OneLine, TRVQtRichViewWidget::TGuard Guard,
                             QWidget* parent)
    : QDialog(parent), FDocument(&Document), FOneLine(&OneLine), FGuard(std::move(Guard)) {
  setObjectName(QStringLiteral("EditorWindow"));
  setWindowTitle(tr("Hyperlink Editor"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setSizeGripEnabled(true);

  Editor = new TRVQtRichViewWidget(Document.RichViewEdit1, Canvas, this);
  Editor->setObjectName(QStringLiteral("EditorWindowEdit"));
  Editor->SetGuard(FGuard);
  Editor->setAccessibleName(tr("Hyperlink"));
  Editor->setAccessibleDescription(
      tr("The document of the editor beside the blue label; Enter starts a new paragraph"));
  // The new widget took the document over; it shows it only while the window is shown.
  FOneLine->ShowView();

  auto* buttons = new QDialogButtonBox(this);
  CopyAllButton = buttons->addButton(tr("&Copy All"), QDialogButtonBox::ActionRole);
  CopyAllButton->setObjectName(QStringLiteral("CopyAllButton"));
  const QString copyText = tr("Copies the whole text as the blue label copies a link: rich "
                              "text, HTML and plain text");
  CopyAllButton->setToolTip(
      TFormAccess::WithShortcut(copyText, QKeySequence::mnemonic(CopyAllButton->text())));
  CopyAllButton->setAccessibleDescription(copyText);
  CloseButton = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  const QString closeText = tr("Closes the window: the editor beside the blue label shows the "
                               "text again");
  CloseButton->setToolTip(TFormAccess::WithShortcut(closeText, QKeySequence(Qt::Key_Escape)));
  CloseButton->setAccessibleDescription(closeText);
  // Enter belongs to the editor, where it starts a paragraph.
  for (QPushButton* button : {CopyAllButton, CloseButton}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  connect(CopyAllButton, &QPushButton::clicked, this, &TEditorWindow::CopyAll);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Editor, 1);
  layout->addWidget(buttons);
  setFocusProxy(Editor);

  const double x = logicalDpiX() / kDesignDpi, y = logicalDpiY() / kDesignDpi;
  resize(qRound(kFirstWidth * x), qRound(kFirstHeight * y));
}

TEditorWindow::~TEditorWindow() {
  // The editor widget goes with the window: the document goes back first.
  FOneLine->ShowView();
}

void TEditorWindow::Open() {
  if (!FPlaced) {
    // Below the one-line editor, where the eye already is, and whole on its screen.
    QPoint at = FOneLine->mapToGlobal(QPoint(0, FOneLine->height()));
    if (const QScreen* screen = FOneLine->screen()) {
      const QRect room = screen->availableGeometry();
      at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
      at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(at);
    FPlaced = true;
  }
  show();
  raise();
  activateWindow();
  Editor->setFocus(Qt::OtherFocusReason);
}

void TEditorWindow::CopyAll() {
  bool copied = false;
  FGuard([&] { copied = FDocument->SelectAllAndCopy(); });
  Editor->update(); // the whole text is selected, as the label leaves it
  if (copied)
    emit CopiedAll();
}

void TEditorWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Editor->ShowView();
}

void TEditorWindow::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  FOneLine->ShowView();
}

} // namespace quillon
