// Loading and saving big link list files: decode, one collation-key sort, encode, atomic
// replace. Targets: 100,000 entries load under 0.15 s, 1,000,000 under 2 s; 1,000,000
// entries save under 0.5 s. Times are wall-clock: the keys are made on every processor.
// BM_EncodeList is the save without the file system; BM_SaveMerging a save that merges
// another program's changes, against BM_SaveInPlace.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/LinkList.h"
#include "app/Utf.h"

namespace {

using quillon::TLinkList;
using quillon::TListEncoding;

// The same entries every run: BBCode links with mixed-case English titles and, for about
// one entry in eight, a Chinese title, as in a blogger's real list.
class TEntryMaker {
public:
  std::u16string Next() {
    static const char16_t* const kWords[] = {
        u"the",      u"Blogger", u"hyperlink", u"Paragraph", u"formatting", u"clipboard",
        u"SELECTION", u"underline", u"document", u"keyboard", u"Water",      u"people",
        u"time",     u"Write",   u"word",      u"little",    u"around",     u"another"};
    static const char16_t* const kChinese[] = {u"博客", u"链接", u"文本", u"格式", u"剪贴板",
                                               u"段落", u"教程", u"笔记", u"数据", u"编辑器"};
    std::u16string slug, title;
    const bool chinese = Random() % 8 == 0;
    const unsigned words = 2 + Random() % 4;
    for (unsigned i = 0; i < words; ++i) {
      std::u16string word = kWords[Random() % std::size(kWords)];
      slug += (i ? u"-" : u"") + word;
      if (chinese)
        title += kChinese[Random() % std::size(kChinese)];
      else
        title += (i ? u" " : u"") + word;
    }
    std::u16string number = quillon::FromUtf8(std::to_string(Random() % 100000));
    return u"[url=https://blog.example.net/20" + number.substr(0, 2) + u"/" + slug + u"-" +
           number + u"]" + title + u"[/url]";
  }

private:
  std::uint32_t Random() {
    FState = FState * 1664525u + 1013904223u;
    return FState >> 8;
  }
  std::uint32_t FState = 7301;
};

class TBenchFolder {
public:
  TBenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillon-bench-XXXXXX");
    FPath = mkdtemp(pattern.data());
  }
  ~TBenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
  std::filesystem::path FPath;
};

TBenchFolder& Folder() {
  static TBenchFolder folder;
  return folder;
}

// A UTF-8 list file with a mark and CR LF breaks, made once per size.
const std::string& ListFile(int entries) {
  static std::string paths[2];
  std::string& path = paths[entries > 100000 ? 1 : 0];
  if (path.empty()) {
    TEntryMaker maker;
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i)
      lines.push_back(maker.Next());
    path = Folder().File("list-" + std::to_string(entries) + ".txt");
    std::string bytes = quillon::EncodeListFile(lines, TListEncoding::Utf8, 1252);
    std::ofstream(path, std::ios::binary).write(bytes.data(),
                                                static_cast<std::streamsize>(bytes.size()));
  }
  return path;
}

void BM_LoadList(benchmark::State& state) {
  const std::string& path = ListFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TLinkList list("zh_CN", 936);
    list.Load(path);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveList(benchmark::State& state) {
  TLinkList list("zh_CN", 936);
  list.Load(ListFile(static_cast<int>(state.range(0))));
  const std::string target = Folder().File("saved.txt");
  for (auto _ : state)
    list.Save(target);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The save's encoding alone, without the file system.
void BM_EncodeList(benchmark::State& state) {
  TLinkList list("zh_CN", 936);
  list.Load(ListFile(static_cast<int>(state.range(0))));
  std::vector<std::u16string> entries;
  for (int i = 0; i < list.Count(); ++i)
    entries.push_back(list.Entry(i));
  for (auto _ : state) {
    std::size_t bytes = 0;
    quillon::WriteListFile(entries, TListEncoding::Utf8, 1252, [&](std::string_view piece) {
      bytes += piece.size();
      return 0;
    });
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::vector<std::u16string> MakeEntries(int count) {
  TEntryMaker maker;
  std::vector<std::u16string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    lines.push_back(maker.Next());
  return lines;
}

// The window's own 100 new entries.
void AddMine(TLinkList& list) {
  for (int i = 0; i < 100; ++i)
    list.Add(u"[url=https://mine.example/" + quillon::FromUtf8(std::to_string(i)) + u"]Mine[/url]");
}

// A save whose file another program changed since it was read: the file is read again and
// the three-way merge written. Target: no more than twice BM_SaveInPlace of the same list.
// Each round: the list is read from a 100,000-entry file as Quillon writes it (in order) and
// adds 100 entries; then another program replaces the file with a version that lacks 100 of
// the entries and has 100 others appended at its end, as an editor or a script adds them.
void BM_SaveMerging(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string target = Folder().File("merged.txt");
  TLinkList sorter("zh_CN", 936);
  sorter.Assign(MakeEntries(count));
  const std::vector<std::u16string>& lines = sorter.Entries();
  const std::string ours = quillon::EncodeListFile(lines, TListEncoding::Utf8, 1252);
  std::vector<std::u16string> theirLines(lines.begin() + 100, lines.end());
  for (int i = 0; i < 100; ++i)
    theirLines.push_back(u"[url=https://other.example/" + quillon::FromUtf8(std::to_string(i)) +
                         u"]Theirs[/url]");
  const std::string theirs = quillon::EncodeListFile(theirLines, TListEncoding::Utf8, 1252);
  auto write = [](const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  // The list of each round is made, and the last one destroyed, while the clock is
  // stopped: a plain save keeps its list, so neither pays for freeing one.
  std::unique_ptr<TLinkList> list;
  for (auto _ : state) {
    state.PauseTiming();
    list.reset();
    write(target, ours);
    list = std::make_unique<TLinkList>("zh_CN", 936);
    list->Load(target);
    AddMine(*list);
    write(target + ".new", theirs);
    std::filesystem::rename(target + ".new", target);
    state.ResumeTiming();
    const quillon::TListSaveResult saved = list->Save(target);
    if (!saved.Merged || saved.MergedAdded != 100 || saved.MergedDeleted != 100)
      state.SkipWithError("the save did not merge the other program's changes");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The plain save BM_SaveMerging compares with: the same list, its own file unchanged.
void BM_SaveInPlace(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string target = Folder().File("in-place.txt");
  const std::string ours = quillon::EncodeListFile(MakeEntries(count), TListEncoding::Utf8, 1252);
  std::ofstream(target, std::ios::binary).write(ours.data(), static_cast<std::streamsize>(ours.size()));
  TLinkList list("zh_CN", 936);
  list.Load(target);
  AddMine(list);
  for (auto _ : state)
    list.Save(target);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// As the program does, before any thread of the benchmarks starts.
const bool kOneHeap = (quillon::UseOneHeapForAllThreads(), true);

// How many bytes malloc holds for the program now.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// A list file of about the given size, in the same entries: as Quillon saves it (sorted),
// or in the order they were made, as if another program had written them.
std::string BigListFile(std::size_t bytes, bool sorted) {
  const std::string path =
      Folder().File("big-" + std::to_string(bytes) + (sorted ? "-sorted" : "") + ".txt");
  TEntryMaker maker;
  std::vector<std::u16string> lines;
  for (std::size_t made = 3; made < bytes;) {
    lines.push_back(maker.Next());
    made += lines.back().size() + 2 + std::count_if(lines.back().begin(), lines.back().end(),
                                                    [](char16_t c) { return c >= 0x80; }) * 2;
  }
  if (sorted) {
    TLinkList sorter("zh_CN", 936);
    sorter.Assign(std::move(lines));
    sorter.Save(path);
  } else {
    const std::string all = quillon::EncodeListFile(lines, TListEncoding::Utf8, 1252);
    std::ofstream(path, std::ios::binary).write(all.data(), static_cast<std::streamsize>(all.size()));
  }
  return path;
}

// A big list as the window loads it, on a thread of its own: the time until it is ready,
// and what the list then holds against the file's size. Target: 300 MB ready within 5 s,
// holding under three times the file's size. The second argument: 1 for a file as Quillon
// saves it, in order; 0 for one in no order.
void BM_LoadInBackground(benchmark::State& state) {
  const std::string path = BigListFile(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
  const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
  const TLinkList like("zh_CN", 936);
  double held = 0;
  int entries = 0;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    TLinkList::TLoaded loaded = like.LoadInBackground(path).get();
    state.PauseTiming();
    if (loaded.Error)
      state.SkipWithError("the list did not load");
    held = static_cast<double>(HeapInUse() - before) / fileBytes;
    entries = loaded.List.Count();
    {
      // Freed while the clock stands: closing the window is not part of the load.
      TLinkList gone = std::move(loaded.List);
    }
    state.ResumeTiming();
  }
  state.counters["held_per_file_byte"] = held;
  state.counters["entries"] = entries;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
}

} // namespace

BENCHMARK(BM_SaveMerging)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveInPlace)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeList)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadList)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveList)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadList)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SaveList)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LoadInBackground)->Args({300000000, 1})->Args({300000000, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
