// Shows a TLinkList in a list view without copying its entries, so that lists of a hundred
// thousand links stay quick; every change goes through here so the views stay in step.
#pragma once

#include <QAbstractListModel>

#include "app/LinkList.h"

namespace quillon {

class TLinkListModel : public QAbstractListModel {
  Q_OBJECT
public:
  explicit TLinkListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  const TLinkList& List() const { return FList; }

  // Replaces all entries with the file's lines; on failure the list is empty.
  void Load(const std::string& path);
  // Sorts the entry into place; returns its row.
  int Add(std::u16string entry);
  // -1 (no entry selected) changes nothing.
  void Delete(int row);
  // Drops adjacent exact duplicates. Returns where the entry at keepRow went, or -1 when
  // that entry was one of the dropped duplicates (or keepRow was -1).
  int RemoveAdjacentDuplicates(int keepRow = -1);
  // Writes the entries to the file in the remembered encoding, making its folder first when
  // it is missing.
  void Save(const std::string& path);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
  TLinkList FList;
};

} // namespace quillon
