#include "app/ui/LinkListBox.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace quillon {

TLinkListBox::TLinkListBox(QWidget* parent)
    : QListView(parent), FModel(new TLinkListModel(this)), FFilter(new QLineEdit(this)),
      FNotice(new QLabel(this)) {
  setModel(FModel);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  FFilter->setObjectName(QStringLiteral("Filter"));
  FFilter->setClearButtonEnabled(true);
  FFilter->setPlaceholderText(tr("Filter"));
  FFilter->setAccessibleName(tr("Filter"));
  FFilter->setAccessibleDescription(tr("Shows only the entries that hold this text (Ctrl+F)"));
  FFilter->setFrame(false);
  // Outside the window's tab order, which stays as it always was: Ctrl+F in the list, or a
  // click, reaches it.
  FFilter->setFocusPolicy(Qt::ClickFocus);
  FNotice->setObjectName(QStringLiteral("Notice"));
  FNotice->setTextFormat(Qt::PlainText);
  FNotice->setWordWrap(true);
  FNotice->setAutoFillBackground(true);
  FNotice->setBackgroundRole(QPalette::ToolTipBase);
  FNotice->setForegroundRole(QPalette::ToolTipText);
  FNotice->hide();
  connect(FFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
    const int before = ItemIndex();
    const int entry = FModel->EntryIndex(before);
    FModel->SetFilter(text.toStdU16String());
    // The entry picked before stays picked while it is shown.
    SetItemIndex(FModel->RowOf(entry));
  });
  PlaceFilter();
  // After an edit the entry sorts into its new place: follow it there once the editor is
  // gone.
  connect(FModel, &TLinkListModel::EntryEdited, this, [this](int row) {
    SetItemIndex(row);
    emit Status(tr("Edited 1 entry"));
  }, Qt::QueuedConnection);
  setUniformItemSizes(true);
  setLayoutMode(QListView::SinglePass);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setDragEnabled(false);
  // A view moves the selection to a neighbour when the selected row goes; a list box is
  // left with nothing selected, so that a second delete cannot take another entry.
  connect(FModel, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (FSelectedRowGoes)
      selectionModel()->clearSelection();
    FSelectedRowGoes = false;
  });
}

void TLinkListBox::PlaceFilter() {
  // Inside the frame and above the rows, so that the box keeps its place in the window.
  const int height = FFilter->sizeHint().height();
  setViewportMargins(0, height, 0, 0);
  const QRect inside = contentsRect();
  FFilter->setGeometry(inside.left(), inside.top(), inside.width(), height);
  if (!FNotice->isHidden()) {
    const int noticeHeight = FNotice->heightForWidth(inside.width());
    FNotice->setGeometry(inside.left(), inside.top() + height, inside.width(),
                         noticeHeight > 0 ? noticeHeight : FNotice->sizeHint().height());
    FNotice->raise();
  }
}

void TLinkListBox::SetNotice(const QString& text) {
  FNotice->setText(text);
  FNotice->setVisible(!text.isEmpty());
  PlaceFilter();
}

QString TLinkListBox::Notice() const { return FNotice->isHidden() ? QString() : FNotice->text(); }

void TLinkListBox::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  PlaceFilter();
}

void TLinkListBox::DeleteSelected() {
  const std::vector<int> rows = SelectedRows();
  if (rows.empty())
    return;
  const int count = static_cast<int>(rows.size());
  FModel->DeleteRows(rows);
  emit Status(count == 1 ? tr("Deleted 1 entry") : tr("Deleted %1 entries").arg(count));
}

void TLinkListBox::UndoLast() {
  if (!FModel->Undo()) {
    emit Status(tr("Nothing to undo"));
    return;
  }
  emit Status(tr("Undone"));
}

void TLinkListBox::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  const int selected = ItemIndex();
  FSelectedRowGoes = selected >= start && selected <= end;
  QListView::rowsAboutToBeRemoved(parent, start, end);
}

int TLinkListBox::ItemIndex() const {
  const QModelIndex current = selectionModel()->currentIndex();
  if (current.isValid() && selectionModel()->isSelected(current))
    return current.row();
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::vector<int> TLinkListBox::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

bool TLinkListBox::OneRowSelected() const {
  return selectionModel()->selectedRows().size() == 1;
}

void TLinkListBox::SetItemIndex(int row) {
  if (row < 0 || row >= FModel->rowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  const QModelIndex index = FModel->index(row);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

void TLinkListBox::ReportClickOn(const QPoint& pos, Qt::KeyboardModifiers modifiers) {
  // Ctrl and Shift clicks gather a selection; only a plain click picks an entry.
  if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
    return;
  const QModelIndex hit = indexAt(pos);
  if (hit.isValid() && ItemIndex() == hit.row() && OneRowSelected())
    emit UserSelect();
}

void TLinkListBox::mousePressEvent(QMouseEvent* event) {
  // Only the left button selects, as in a native list box.
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
  ReportClickOn(event->position().toPoint(), event->modifiers());
}

void TLinkListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  // The second press of a double click is a click like the first.
  QListView::mousePressEvent(event);
  QListView::mouseDoubleClickEvent(event);
  ReportClickOn(event->position().toPoint(), event->modifiers());
}

void TLinkListBox::mouseMoveEvent(QMouseEvent* event) {
  const int before = ItemIndex();
  QListView::mouseMoveEvent(event);
  if (!(event->buttons() & Qt::LeftButton))
    return;
  // A plain drag picks the entry under the pointer, one at a time, as before extended
  // selection; with Ctrl or Shift it gathers a range.
  if (!(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
    const QModelIndex current = selectionModel()->currentIndex();
    if (current.isValid())
      selectionModel()->select(current,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  if (ItemIndex() != before && ItemIndex() >= 0 && OneRowSelected())
    emit UserSelect();
}

void TLinkListBox::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
      DeleteSelected();
      event->accept();
      return;
    }
    if (event->matches(QKeySequence::Find)) {
      FFilter->setFocus(Qt::ShortcutFocusReason);
      FFilter->selectAll();
      event->accept();
      return;
    }
    if (event->matches(QKeySequence::Undo)) {
      UndoLast();
      event->accept();
      return;
    }
  }
  const int before = ItemIndex();
  QListView::keyPressEvent(event);
  if (ItemIndex() != before && ItemIndex() >= 0 && OneRowSelected())
    emit UserSelect();
}

} // namespace quillon
