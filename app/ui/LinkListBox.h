// A sorted list box over a TLinkListModel with extended selection (Ctrl and Shift with the
// mouse and the keys select many entries). It reports a selection of one entry that the
// user makes, by mouse or keyboard, with UserSelect; a selection the program changes (an
// entry added or deleted, a list loaded) and a selection of many are never reported. Like
// a native list box, every plain left click on an entry is reported, also on the entry
// already selected.
//
// A filter field inside the box's frame, above the rows, narrows the list as one types; the
// Delete key deletes the selected entries, F2 or a double click edits an entry in place, and
// Ctrl+Z takes back the list's last add, delete or edit.
#pragma once

#include <QListView>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;

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

  // Whether an entry is being edited in place.
  bool IsEditing() const { return state() == EditingState; }
  // The field above the rows that filters them.
  QLineEdit* FilterField() const { return FFilter; }
  // A line over the top of the rows that says something about the whole list ("Loading…",
  // "could not be read"); empty: none.
  void SetNotice(const QString& text);
  QString Notice() const;
  // What the keys do, also for callers: delete the selected entries, take back the last
  // change. Each reports what it did with Status.
  void DeleteSelected();
  void UndoLast();

signals:
  void UserSelect();
  // A short account of what an action of the box did, for the window's status line.
  void Status(const QString& text);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void ReportClickOn(const QPoint& pos, Qt::KeyboardModifiers modifiers);
  bool OneRowSelected() const;

  void PlaceFilter();

  TLinkListModel* FModel; // owned as a child object
  QLineEdit* FFilter;     // a child widget
  QLabel* FNotice;        // a child widget
  bool FSelectedRowGoes = false;
};

} // namespace quillon
