#include "richtext/document/RVUndoList.h"

#include <utility>

namespace richtext {

void TRVUndoList::Trim(int Limit) {
  if (Limit < 0)
    return;
  while (FUndo.size() > static_cast<std::size_t>(Limit))
    FUndo.pop_front();
}

void TRVUndoList::Add(TRVUndoEntry Entry, int Limit) {
  FRedo.clear();
  PushUndo(std::move(Entry), Limit);
}

void TRVUndoList::PushUndo(TRVUndoEntry Entry, int Limit) {
  FUndo.push_back(std::move(Entry));
  Trim(Limit);
}

TRVUndoEntry TRVUndoList::PopUndo() {
  TRVUndoEntry e = std::move(FUndo.back());
  FUndo.pop_back();
  return e;
}

TRVUndoEntry TRVUndoList::PopRedo() {
  TRVUndoEntry e = std::move(FRedo.back());
  FRedo.pop_back();
  return e;
}

} // namespace richtext
