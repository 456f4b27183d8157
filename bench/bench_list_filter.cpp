// The filter field of a list: one keystroke narrows 200,000 entries. Target: within 50 ms a
// keystroke. The entries are BBCode links whose titles are the benchmarks' prose (one
// paragraph cut to a title each), with accented and capitalised words among them.
//
// BM_FilterFirstKeystroke: the first letter typed, the folded entries made beforehand (the
// field folds them once, when the filter is first used; BM_FoldEntries measures that).
// BM_FilterTyping: a whole word typed letter by letter, each keystroke narrowing the last.
// BM_FilterRetyping: a query that does not extend the last one looks at every entry again.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/ListFilter.h"
#include "app/Utf.h"
#include "bench/Corpus.h"

namespace {

constexpr std::size_t kEntries = 200'000;

const std::vector<std::u16string>& Entries() {
  static const std::vector<std::u16string> entries = [] {
    std::vector<std::u16string> made;
    made.reserve(kEntries);
    std::size_t index = 0;
    // 80 bytes a paragraph: titles of a blog post's length.
    quillon::bench::GenerateCorpus(kEntries * 80, kEntries, [&](std::string_view paragraph) {
      std::u16string title = quillon::FromUtf8(std::string(paragraph.substr(0, 60)));
      if (index % 7 == 0)
        title += u" Café Déjà";
      made.push_back(u"[url=https://blog.example.net/" + quillon::FromUtf8(std::to_string(index)) +
                     u"]" + title + u"[/url]");
      ++index;
    });
    return made;
  }();
  return entries;
}

void BM_FoldEntries(benchmark::State& state) {
  const auto& entries = Entries();
  for (auto _ : state) {
    quillon::TListFilter filter;
    benchmark::DoNotOptimize(filter.Match(entries, u"x").size());
  }
  state.counters["entries"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_FoldEntries)->Unit(benchmark::kMillisecond);

void BM_FilterFirstKeystroke(benchmark::State& state) {
  const auto& entries = Entries();
  quillon::TListFilter filter;
  filter.Match(entries, u"z"); // folds the entries
  std::size_t matches = 0;
  for (auto _ : state) {
    filter.Match(entries, u"");
    matches = filter.Match(entries, u"e").size();
  }
  state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_FilterFirstKeystroke)->Unit(benchmark::kMillisecond);

void BM_FilterTyping(benchmark::State& state) {
  const auto& entries = Entries();
  quillon::TListFilter filter;
  filter.Match(entries, u"z");
  const std::u16string word = u"CAFE DEJA";
  std::size_t matches = 0;
  for (auto _ : state) {
    filter.Match(entries, u"");
    for (std::size_t length = 1; length <= word.size(); ++length)
      matches = filter.Match(entries, word.substr(0, length)).size();
  }
  state.counters["matches"] = static_cast<double>(matches);
  // Seconds per keystroke.
  state.counters["per_keystroke"] = benchmark::Counter(
      static_cast<double>(word.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FilterTyping)->Unit(benchmark::kMillisecond);

void BM_FilterRetyping(benchmark::State& state) {
  const auto& entries = Entries();
  quillon::TListFilter filter;
  filter.Match(entries, u"z");
  std::size_t matches = 0;
  bool flip = false;
  for (auto _ : state) {
    matches = filter.Match(entries, flip ? u"the" : u"and").size();
    flip = !flip;
  }
  state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_FilterRetyping)->Unit(benchmark::kMillisecond);

} // namespace
