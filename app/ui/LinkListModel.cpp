#include "app/ui/LinkListModel.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/ListFolder.h"
#include "richtext/base/RVClasses.h"

namespace quillon {

namespace {

// How many steps Ctrl+Z can take back in a list.
constexpr std::size_t kUndoLimit = 1000;

} // namespace

bool TLinkListModel::LoadsInBackground(const std::string& path) {
  // About a hundred thousand links, which take a noticeable part of a second to load.
  constexpr off_t kBigFile = 8 << 20;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= kBigFile;
}

void TLinkListModel::StartAnew() {
  WaitForLoad();
  beginResetModel();
  FUndo.clear();
  FModified = false;
  FMatcher.Invalidate();
}

void TLinkListModel::StartLoad(const std::string& path) {
  StartAnew();
  FLoadError = nullptr;
  // Empty rows meanwhile, sorted as the list sorts.
  FList = FList.EmptyLike();
  const unsigned number = ++FLoadNumber;
  FLoading = FList.LoadInBackground(path, [this, number] {
    QMetaObject::invokeMethod(this, [this, number] { LoadDone(number); }, Qt::QueuedConnection);
  });
  Refilter();
  endResetModel();
}

void TLinkListModel::WaitForLoad() {
  if (!FLoading.valid())
    return;
  TLinkList::TLoaded loaded = FLoading.get();
  beginResetModel();
  FList = std::move(loaded.List);
  FLoadError = loaded.Error;
  FMatcher.Invalidate();
  Refilter();
  endResetModel();
}

void TLinkListModel::LoadDone(unsigned number) {
  // An edit or a save may have waited for the list already; the notice still comes once.
  if (number != FLoadNumber)
    return;
  WaitForLoad();
  emit LoadFinished();
}

void TLinkListModel::Load(const std::string& path) {
  StartAnew();
  try {
    FList.Load(path);
  } catch (...) {
    Refilter();
    endResetModel();
    throw;
  }
  Refilter();
  endResetModel();
}

void TLinkListModel::Refilter() {
  FFiltered = !FFilter.empty();
  if (FFiltered)
    FShown = FMatcher.Match(FList.Entries(), FFilter);
  else
    FShown.clear();
}

void TLinkListModel::SetFilter(const std::u16string& text) {
  if (text == FFilter)
    return;
  beginResetModel();
  FFilter = text;
  Refilter();
  endResetModel();
}

int TLinkListModel::EntryIndex(int row) const {
  if (row < 0 || row >= rowCount())
    return -1;
  return FFiltered ? FShown[static_cast<std::size_t>(row)] : row;
}

int TLinkListModel::RowOf(int entryIndex) const {
  if (entryIndex < 0 || entryIndex >= FList.Count())
    return -1;
  if (!FFiltered)
    return entryIndex;
  auto at = std::lower_bound(FShown.begin(), FShown.end(), entryIndex);
  return at != FShown.end() && *at == entryIndex ? static_cast<int>(at - FShown.begin()) : -1;
}

const std::u16string& TLinkListModel::Entry(int row) const {
  if (row < 0 || row >= rowCount())
    throw richtext::EListError(row);
  return FList.Entry(EntryIndex(row));
}

void TLinkListModel::Changed(TStep step) {
  FModified = true;
  FUndo.push_back(std::move(step));
  if (FUndo.size() > kUndoLimit)
    FUndo.erase(FUndo.begin());
}

int TLinkListModel::Add(std::u16string entry) {
  WaitForLoad();
  if (FFiltered) {
    const int index = Apply({}, {entry});
    Changed({{}, {std::move(entry)}});
    return RowOf(index);
  }
  // Without a filter a row is simply inserted: the views keep their selection and place.
  const int row = FList.InsertPosition(entry);
  beginInsertRows(QModelIndex(), row, row);
  int placed = -1;
  try {
    placed = FList.Add(entry);
  } catch (...) {
    // Nothing was inserted after all: close the announced insert and make the views
    // forget it by a reset, rather than leaving them one row ahead of the list.
    endInsertRows();
    beginResetModel();
    endResetModel();
    throw;
  }
  endInsertRows();
  if (placed != row) {
    beginResetModel();
    endResetModel();
  }
  FMatcher.Invalidate();
  Changed({{}, {std::move(entry)}});
  return placed;
}

void TLinkListModel::Delete(int row) {
  WaitForLoad();
  if (row < 0 || row >= rowCount()) {
    if (row != -1)
      throw richtext::EListError(row);
    return; // nothing selected
  }
  const int index = EntryIndex(row);
  std::u16string entry = FList.Entry(index);
  beginRemoveRows(QModelIndex(), row, row);
  FList.Delete(index);
  FMatcher.Invalidate();
  if (FFiltered) {
    FShown.erase(FShown.begin() + row);
    for (std::size_t i = static_cast<std::size_t>(row); i < FShown.size(); ++i)
      --FShown[i];
  }
  endRemoveRows();
  Changed({{std::move(entry)}, {}});
}

void TLinkListModel::DeleteRows(std::vector<int> rows) {
  WaitForLoad();
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [this](int row) { return row < 0 || row >= rowCount(); }),
             rows.end());
  if (rows.empty())
    return;
  if (rows.size() == 1) {
    Delete(rows.front());
    return;
  }
  std::vector<std::u16string> removed;
  for (int row : rows)
    removed.push_back(Entry(row));
  beginResetModel();
  // From the end, so that the indices still to go stay where they were.
  for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    FList.Delete(EntryIndex(*row));
  FMatcher.Invalidate();
  Refilter();
  endResetModel();
  Changed({std::move(removed), {}});
}

int TLinkListModel::Edit(int row, std::u16string text) {
  WaitForLoad();
  const std::u16string& old = Entry(row);
  if (old == text)
    return row;
  std::u16string before = old;
  const int index = Apply({before}, {text});
  Changed({{std::move(before)}, {std::move(text)}});
  return RowOf(index);
}

int TLinkListModel::FindExact(const std::u16string& entry) const { return FList.Find(entry); }

int TLinkListModel::Apply(const std::vector<std::u16string>& remove,
                          const std::vector<std::u16string>& add) {
  beginResetModel();
  int last = -1;
  try {
    for (const std::u16string& entry : remove)
      if (int index = FindExact(entry); index >= 0)
        FList.Delete(index);
    for (const std::u16string& entry : add)
      last = FList.Add(entry);
  } catch (...) {
    FMatcher.Invalidate();
    Refilter();
    endResetModel();
    throw;
  }
  FMatcher.Invalidate();
  Refilter();
  endResetModel();
  return last;
}

bool TLinkListModel::Undo() {
  WaitForLoad();
  if (FUndo.empty())
    return false;
  TStep step = std::move(FUndo.back());
  FUndo.pop_back();
  Apply(step.Added, step.Removed);
  FModified = true;
  return true;
}

int TLinkListModel::RemoveDuplicates(int keepRow) {
  WaitForLoad();
  const int keepIndex = EntryIndex(keepRow);
  const std::vector<bool> kept = FList.FirstOfEach();
  std::vector<std::u16string> removed;
  int newIndex = -1;
  int count = 0;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (static_cast<int>(i) == keepIndex)
      newIndex = kept[i] ? count : -1;
    if (kept[i])
      ++count;
    else
      removed.push_back(FList.Entry(static_cast<int>(i)));
  }
  if (removed.empty())
    return keepRow;
  beginResetModel();
  FList.RemoveDuplicates();
  FMatcher.Invalidate();
  Refilter();
  endResetModel();
  // The repeats a save drops come back with Ctrl+Z like any other change.
  Changed({std::move(removed), {}});
  return RowOf(newIndex);
}

TListSaveResult TLinkListModel::Save(const std::string& path) {
  WaitForLoad();
  PrepareListFolder(path);
  // A save that merges changes the entries: the views learn it as a reset.
  const bool merging = FList.FileChanged();
  if (merging)
    beginResetModel();
  TListSaveResult result;
  try {
    result = FList.Save(path);
  } catch (...) {
    if (merging) {
      FMatcher.Invalidate();
      Refilter();
      endResetModel();
    }
    throw;
  }
  if (merging) {
    FMatcher.Invalidate();
    Refilter();
    endResetModel();
  }
  // A copy in another file leaves the list's own file without the changes.
  if (FList.LoadedPath().empty() || path == FList.LoadedPath())
    FModified = false;
  return result;
}

TListMergeResult TLinkListModel::MergeFromFile(const std::string& path) {
  WaitForLoad();
  beginResetModel();
  TListMergeResult result;
  try {
    result = FList.MergeFromFile(path);
  } catch (...) {
    endResetModel();
    throw;
  }
  FMatcher.Invalidate();
  Refilter();
  endResetModel();
  // Entries whose file is gone are to be written anew; an empty list loses nothing.
  if (result.FileGone && FList.Count() > 0)
    FModified = true;
  return result;
}

int TLinkListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid())
    return 0;
  return FFiltered ? static_cast<int>(FShown.size()) : FList.Count();
}

QVariant TLinkListModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() ||
      index.row() >= rowCount())
    return QVariant();
  const std::u16string& entry = Entry(index.row());
  if (role == Qt::EditRole)
    return QString::fromStdU16String(entry);
  // A NUL shows as its visible symbol; a very long entry only as its beginning, so that
  // drawing and measuring the row stay quick.
  QString shown = QString::fromUtf16(entry.data(), std::min<qsizetype>(
                                                       static_cast<qsizetype>(entry.size()),
                                                       kShownCharacters));
  shown.replace(QChar(u'\0'), QChar(0x2400));
  if (static_cast<qsizetype>(entry.size()) > kShownCharacters)
    shown += QChar(0x2026);
  return shown;
}

Qt::ItemFlags TLinkListModel::flags(const QModelIndex& index) const {
  return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool TLinkListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
    return false;
  int row = -1;
  try {
    row = Edit(index.row(), value.toString().toStdU16String());
  } catch (const std::exception&) {
    return false; // the entry stays as it was
  }
  emit EntryEdited(row);
  return true;
}

} // namespace quillon
