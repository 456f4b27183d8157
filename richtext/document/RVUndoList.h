// The undo and redo history of an editor's document: user actions as groups of inverse steps,
// with where the selection was before and where the caret went after.
#pragma once

#include <cstdint>
#include <deque>

#include "richtext/document/RVEditOps.h"

namespace richtext {

enum class TRVUndoKind : std::uint8_t {
  rvukTyping, // grows while the user types one word
  rvukEdit    // everything else: one action, one entry
};

struct TRVUndoEntry {
  TRVEditGroup Steps;
  TRVUndoKind Kind = TRVUndoKind::rvukEdit;
  // Typing only: a space typed after a word starts a new entry, so that each entry is one
  // word with the spaces before it and undoing it leaves the text as it was before the word.
  bool BeginsWithSpace = false;
  bool EndsInWord = false;
  TRVItemPos SelStartBefore, SelEndBefore;
  TRVItemPos CaretAfter;
};

class TRVUndoList {
public:
  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  std::size_t UndoCount() const { return FUndo.size(); }
  std::size_t RedoCount() const { return FRedo.size(); }
  void Clear() {
    FUndo.clear();
    FRedo.clear();
  }
  // A new action: redo is gone; with Limit 0 nothing is kept, with Limit > 0 the oldest
  // entries go beyond it (-1: no limit).
  void Add(TRVUndoEntry Entry, int Limit);
  // The newest entry, when there is one, for typing to grow it.
  TRVUndoEntry* Top() { return FUndo.empty() ? nullptr : &FUndo.back(); }
  // Moves the newest entry out for undoing; the caller reverts it and gives the redo entry
  // back through PushRedo (and the other way round for redo).
  TRVUndoEntry PopUndo();
  TRVUndoEntry PopRedo();
  void PushRedo(TRVUndoEntry Entry) { FRedo.push_back(std::move(Entry)); }
  void PushUndo(TRVUndoEntry Entry, int Limit);

private:
  void Trim(int Limit);
  std::deque<TRVUndoEntry> FUndo;
  std::deque<TRVUndoEntry> FRedo;
};

} // namespace richtext
