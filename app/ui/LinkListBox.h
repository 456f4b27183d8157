// A sorted list box over a TLinkListModel with extended selection (Ctrl and Shift with the
// mouse and the keys select many entries). It reports a selection of one entry that the
// user makes, by mouse or keyboard, with UserSelect; a selection the program changes (an
// entry added or deleted, a list loaded) and a selection of many are never reported. Like
// a native list box, every plain left click on an entry is reported, also on the entry
// already selected.
#pragma once

#include <QListView>

#include <vector>

#include "app/ui/LinkListModel.h"

namespace quillon {

class TLinkListBox : public QListView {
  Q_OBJECT
public:
  explicit TLinkListBox(QWidget* parent = nullptr);

  TLinkListModel& Items() { return *FModel; }
  const TLinkListModel& Items() const { return *FModel; }

  // The selected row with the focus (the one clicked last), else the first selected row;
  // -1 with none.
  int ItemIndex() const;
  // Every selected row, in list order.
  std::vector<int> SelectedRows() const;
  // Selects a row (-1: none) without reporting it.
  void SetItemIndex(int row);

signals:
  void UserSelect();

protected:
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void ReportClickOn(const QPoint& pos, Qt::KeyboardModifiers modifiers);
  bool OneRowSelected() const;

  TLinkListModel* FModel; // owned as a child object
  bool FSelectedRowGoes = false;
};

} // namespace quillon
