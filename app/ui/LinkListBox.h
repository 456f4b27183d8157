// A sorted single-selection list box over a TLinkListModel. It reports a selection the user
// makes, by mouse or keyboard, with UserSelect; a selection the program changes (an entry
// added or deleted, a list loaded) is never reported. Like a native list box, every left
// click on an entry is reported, also on the entry already selected.
#pragma once

#include <QListView>

#include "app/ui/LinkListModel.h"

namespace quillon {

class TLinkListBox : public QListView {
  Q_OBJECT
public:
  explicit TLinkListBox(QWidget* parent = nullptr);

  TLinkListModel& Items() { return *FModel; }
  const TLinkListModel& Items() const { return *FModel; }

  // The selected row, -1 with none.
  int ItemIndex() const;
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
  void ReportClickOn(const QPoint& pos);

  TLinkListModel* FModel; // owned as a child object
  bool FSelectedRowGoes = false;
};

} // namespace quillon
