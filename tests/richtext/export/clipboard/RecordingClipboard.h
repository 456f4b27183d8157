// A system clipboard that keeps its contents in memory and logs every platform call, so that
// tests can check the sessions, the order of the blocks and their bytes. It can refuse to
// open (another program holding the clipboard) and refuse an allocation (no memory).
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "richtext/base/RVUni.h"
#include "richtext/export/RVClipboard.h"

namespace richtext::test {

inline std::string FormatName(TRVClipboardFormat Format) {
  switch (Format) {
  case CF_TEXT: return "CF_TEXT";
  case CF_UNICODETEXT: return "CF_UNICODETEXT";
  case CF_LOCALE: return "CF_LOCALE";
  default: return RVU_UnicodeToUtf8(RVGetClipboardFormatName(Format));
  }
}

class TRecordingClipboard : public TRVSystemClipboard {
public:
  // "open", "refused", "empty", "set <format> <size>", "close".
  std::vector<std::string> Log;
  // What the clipboard holds, as a reader would find it.
  std::map<TRVClipboardFormat, std::string> Contents;
  // The blocks set, in order.
  std::vector<std::pair<TRVClipboardFormat, std::string>> Blocks;
  std::vector<int> Sleeps;
  // Platform opens with these numbers (counted from 1) are refused; RefuseFrom refuses every
  // open from that one on.
  std::vector<int> RefuseOpens;
  int RefuseFrom = 0;
  // The allocation with this number (from 1) fails.
  int FailAllocation = 0;

  std::string Joined() const {
    std::string out;
    for (const std::string& line : Log)
      out += line + "\n";
    return out;
  }
  const std::string& Block(TRVClipboardFormat Format) { return Contents[Format]; }

  bool Allocate(std::string& Block, std::size_t Size) override {
    if (++FAllocations == FailAllocation)
      return false;
    return TRVSystemClipboard::Allocate(Block, Size);
  }
  void Sleep(int Milliseconds) override { Sleeps.push_back(Milliseconds); }

protected:
  void DoOpen() override {
    ++FOpens;
    const bool refused = (RefuseFrom > 0 && FOpens >= RefuseFrom) ||
                         std::find(RefuseOpens.begin(), RefuseOpens.end(), FOpens) !=
                             RefuseOpens.end();
    if (refused) {
      Log.push_back("refused");
      throw ERVClipboardOpenError("held by another program");
    }
    Log.push_back("open");
  }
  void DoClose() override { Log.push_back("close"); }
  void DoEmpty() override {
    Log.push_back("empty");
    Contents.clear();
  }
  void DoSetData(TRVClipboardFormat Format, std::string Data) override {
    Log.push_back("set " + FormatName(Format) + " " + std::to_string(Data.size()));
    Blocks.emplace_back(Format, Data);
    Contents[Format] = std::move(Data);
  }
  bool DoHasFormat(TRVClipboardFormat Format) override { return Contents.contains(Format); }
  std::string DoGetData(TRVClipboardFormat Format) override {
    auto it = Contents.find(Format);
    return it == Contents.end() ? std::string() : it->second;
  }

private:
  int FOpens = 0;
  int FAllocations = 0;
};

// Makes Clipboard the system clipboard for the lifetime of this object.
class TInstalledClipboard {
public:
  explicit TInstalledClipboard(TRVSystemClipboard& Clipboard)
      : FPrevious(RVSetSystemClipboard(&Clipboard)) {}
  ~TInstalledClipboard() { RVSetSystemClipboard(FPrevious); }
  TInstalledClipboard(const TInstalledClipboard&) = delete;
  TInstalledClipboard& operator=(const TInstalledClipboard&) = delete;

private:
  TRVSystemClipboard* FPrevious;
};

} // namespace richtext::test
