// Shows a TLinkList in a list view without copying its entries, so that lists of a hundred
// thousand links stay quick; every change goes through here so the views stay in step.
// Rows are the entries the filter lets through, in list order (all of them with no filter).
// Adds, deletes and edits are undone one at a time, newest first.
#pragma once

#include <QAbstractListModel>

#include <exception>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "app/LinkList.h"
#include "app/ListFilter.h"

namespace quillon {

class TLinkListModel : public QAbstractListModel {
  Q_OBJECT
public:
  explicit TLinkListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  const TLinkList& List() const { return FList; }

  // Replaces all entries with the file's lines; on failure the list is empty. Forgets the
  // undo history and marks the list saved.
  void Load(const std::string& path);
  // Whether the file is big enough to load with StartLoad, so that the window shows at once.
  static bool LoadsInBackground(const std::string& path);
  // Loads the file on another thread: the rows are empty until LoadFinished, which follows
  // once the list is ready (TakeLoadError then tells what Load would have thrown). Anything
  // that changes or saves the list waits for the load first, so nothing is lost or written
  // over a list only partly there.
  void StartLoad(const std::string& path);
  bool Loading() const { return FLoading.valid(); }
  std::exception_ptr TakeLoadError() { return std::exchange(FLoadError, nullptr); }
  // Sorts the entry into place; returns its row, or -1 when the filter hides it.
  int Add(std::u16string entry);
  // -1 (no entry selected) changes nothing.
  void Delete(int row);
  // Deletes the entries of the rows as one step to undo.
  void DeleteRows(std::vector<int> rows);
  // Replaces the entry of a row with text, sorted into its new place; returns its row.
  int Edit(int row, std::u16string text);
  // Takes back the last add, delete or edit (or the repeats a save removed); false when
  // there is nothing to take back.
  bool Undo();
  bool CanUndo() const { return !FUndo.empty(); }
  // Drops repeats of entries. Returns where the entry at keepRow went, or -1 when that
  // entry was one of the dropped repeats (or keepRow was -1).
  int RemoveDuplicates(int keepRow = -1);
  // Writes the entries to the file, making its folder first when it is missing; a file
  // another program changed is merged (the rows show the merge).
  TListSaveResult Save(const std::string& path);
  // Takes another program's changes of the file into the rows without writing (a reload
  // when the list has no changes of its own). A file that is gone leaves the rows as they
  // are, with changes to save.
  TListMergeResult MergeFromFile(const std::string& path);
  // Whether entries changed since the last load or save.
  bool Modified() const { return FModified; }

  // Shows only the entries holding text (letter case and accents aside); empty: all.
  void SetFilter(const std::u16string& text);
  const std::u16string& Filter() const { return FFilter; }
  // The entry shown in a row; EListError out of range.
  const std::u16string& Entry(int row) const;
  // The list index of a row's entry, and the row of a list index (-1 when hidden).
  int EntryIndex(int row) const;
  int RowOf(int entryIndex) const;

  // A row shows at most this many characters of its entry.
  static constexpr int kShownCharacters = 1000;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
  void LoadFinished();
  // An entry was edited in place (through setData) and now stands in row (-1: hidden).
  void EntryEdited(int row);

private:
  // One step of the history: what it took out of the list and what it put in.
  struct TStep {
    std::vector<std::u16string> Removed;
    std::vector<std::u16string> Added;
  };
  // Applies a change as one reset of the views: removes one entry equal to each of remove,
  // adds each of add. Answers the list index of the last entry added (-1 with none).
  int Apply(const std::vector<std::u16string>& remove, const std::vector<std::u16string>& add);
  int FindExact(const std::u16string& entry) const;
  void Refilter();
  void Changed(TStep step);
  // What every load begins with, inside a reset of the views it leaves open: no history,
  // nothing to save.
  void StartAnew();
  // Takes the list a background load made, waiting for it if it is not ready yet.
  void WaitForLoad();
  void LoadDone(unsigned number);

  TLinkList FList;
  TListFilter FMatcher;
  std::u16string FFilter;
  // Rows to list indices while a filter is set.
  std::vector<int> FShown;
  bool FFiltered = false;
  std::vector<TStep> FUndo;
  bool FModified = false;
  std::future<TLinkList::TLoaded> FLoading;
  std::exception_ptr FLoadError;
  // Which load a finished notice is for: a later load replaces an earlier one.
  unsigned FLoadNumber = 0;
};

} // namespace quillon
