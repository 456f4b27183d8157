#include "app/ui/LinkListBox.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quillon {

TLinkListBox::TLinkListBox(QWidget* parent) : QListView(parent), FModel(new TLinkListModel(this)) {
  setModel(FModel);
  setSelectionMode(QAbstractItemView::SingleSelection);
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
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
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

void TLinkListBox::ReportClickOn(const QPoint& pos) {
  const QModelIndex hit = indexAt(pos);
  if (hit.isValid() && ItemIndex() == hit.row())
    emit UserSelect();
}

void TLinkListBox::mousePressEvent(QMouseEvent* event) {
  // Only the left button selects, as in a native list box.
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
  ReportClickOn(event->position().toPoint());
}

void TLinkListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  // The second press of a double click is a click like the first.
  QListView::mousePressEvent(event);
  QListView::mouseDoubleClickEvent(event);
  ReportClickOn(event->position().toPoint());
}

void TLinkListBox::mouseMoveEvent(QMouseEvent* event) {
  const int before = ItemIndex();
  QListView::mouseMoveEvent(event);
  if ((event->buttons() & Qt::LeftButton) && ItemIndex() != before && ItemIndex() >= 0)
    emit UserSelect();
}

void TLinkListBox::keyPressEvent(QKeyEvent* event) {
  const int before = ItemIndex();
  QListView::keyPressEvent(event);
  if (ItemIndex() != before && ItemIndex() >= 0)
    emit UserSelect();
}

} // namespace quillon
