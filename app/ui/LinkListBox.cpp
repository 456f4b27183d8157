#include "app/ui/LinkListBox.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace quillon {

TLinkListBox::TLinkListBox(QWidget* parent) : QListView(parent), FModel(new TLinkListModel(this)) {
  setModel(FModel);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
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
  const int before = ItemIndex();
  QListView::keyPressEvent(event);
  if (ItemIndex() != before && ItemIndex() >= 0 && OneRowSelected())
    emit UserSelect();
}

} // namespace quillon
