#include "app/ui/LinkListModel.h"

#include "app/ListFolder.h"

namespace quillon {

void TLinkListModel::Load(const std::string& path) {
  beginResetModel();
  try {
    FList.Load(path);
  } catch (...) {
    endResetModel();
    throw;
  }
  endResetModel();
}

int TLinkListModel::Add(std::u16string entry) {
  const int row = FList.InsertPosition(entry);
  beginInsertRows(QModelIndex(), row, row);
  int placed = -1;
  try {
    placed = FList.Add(std::move(entry));
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
  return placed;
}

void TLinkListModel::Delete(int row) {
  if (row < 0 || row >= FList.Count()) {
    FList.Delete(row); // nothing for -1, the index error otherwise
    return;
  }
  beginRemoveRows(QModelIndex(), row, row);
  FList.Delete(row);
  endRemoveRows();
}

int TLinkListModel::RemoveAdjacentDuplicates(int keepRow) {
  const auto& entries = FList.Entries();
  int newRow = -1;
  bool anyDuplicate = false;
  if (keepRow >= 0 && keepRow < FList.Count()) {
    int kept = 0;
    for (int i = 0; i <= keepRow; ++i) {
      const bool duplicate = i > 0 && entries[i] == entries[i - 1];
      if (i == keepRow)
        newRow = duplicate ? -1 : kept;
      if (!duplicate)
        ++kept;
    }
  }
  for (std::size_t i = 1; i < entries.size() && !anyDuplicate; ++i)
    anyDuplicate = entries[i] == entries[i - 1];
  if (anyDuplicate) {
    beginResetModel();
    FList.RemoveAdjacentDuplicates();
    endResetModel();
  }
  return newRow;
}

void TLinkListModel::Save(const std::string& path) {
  PrepareListFolder(path);
  FList.Save(path);
}

int TLinkListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FList.Count();
}

QVariant TLinkListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= FList.Count())
    return QVariant();
  return QString::fromStdU16String(FList.Entry(index.row()));
}

} // namespace quillon
