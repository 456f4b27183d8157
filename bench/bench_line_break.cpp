// Line breaking over English-like prose: every break opportunity, greedy wrapping at a fixed
// number of characters, and stepping through the text by characters.
//
// The text comes from the corpus generator (about 1 MB in 10,000 paragraphs), made once at
// start.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/BenchCorpus.h"
#include "richtext/base/RVCharNav.h"
#include "richtext/layout/RVLineBreak.h"

using namespace richtext;

namespace {

// The 1 MB corpus, read once; empty when the tool cannot be run.
const std::vector<std::u16string>& Paragraphs() {
  static const std::vector<std::u16string> paragraphs =
      quillon::bench::ReadCorpus(1000000, 10000);
  return paragraphs;
}

bool HaveCorpus(benchmark::State& state) {
  if (Paragraphs().empty()) {
    state.SkipWithError(quillon::bench::kNoCorpus);
    return false;
  }
  return true;
}

std::int64_t CorpusChars() {
  std::int64_t n = 0;
  for (const std::u16string& p : Paragraphs())
    n += std::int64_t(p.size());
  return n;
}

// Every opportunity, searching forward from one to the next.
void BM_AllBreakOpportunities(benchmark::State& state) {
  if (!HaveCorpus(state))
    return;
  std::int64_t breaks = 0;
  for (auto _ : state) {
    breaks = 0;
    for (const std::u16string& text : Paragraphs()) {
      std::u16string_view rest = text;
      TRVLineBreakContext context;
      for (;;) {
        int found = RVFindFirstLineBreak(rest, context);
        if (found < 0)
          break;
        ++breaks;
        std::size_t next = std::size_t(RVU_NextCharIndex(rest, found));
        context = RVGetLineBreakContext(rest.substr(std::size_t(found), next - found), context);
        rest.remove_prefix(next);
      }
    }
    benchmark::DoNotOptimize(breaks);
  }
  state.counters["breaks"] = double(breaks);
  state.SetItemsProcessed(state.iterations() * CorpusChars());
}
BENCHMARK(BM_AllBreakOpportunities)->Unit(benchmark::kMillisecond);

// Lines of at most N characters, the way the formatter asks: the first character that does not
// fit, then the last one that may stay.
void BM_GreedyWrap(benchmark::State& state) {
  if (!HaveCorpus(state))
    return;
  const int width = int(state.range(0));
  std::int64_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (const std::u16string& text : Paragraphs()) {
      std::u16string_view rest = text;
      while (!rest.empty()) {
        ++lines;
        if (int(rest.size()) <= width)
          break;
        int last = RVFindLineBreak(rest, width, width + 1 == int(rest.size()), false);
        rest.remove_prefix(last < 0 ? std::size_t(width) : std::size_t(last) + 1);
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = double(lines);
  state.SetItemsProcessed(state.iterations() * CorpusChars());
}
BENCHMARK(BM_GreedyWrap)->Arg(20)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_StepByCharacters(benchmark::State& state) {
  if (!HaveCorpus(state))
    return;
  for (auto _ : state) {
    std::int64_t steps = 0;
    for (const std::u16string& text : Paragraphs()) {
      const char16_t* end = text.data() + text.size();
      for (const char16_t* p = text.data(); p < end; p = RVU_NextChar(p, end))
        ++steps;
    }
    benchmark::DoNotOptimize(steps);
  }
  state.SetItemsProcessed(state.iterations() * CorpusChars());
}
BENCHMARK(BM_StepByCharacters)->Unit(benchmark::kMillisecond);

// Text with marks and pairs, where every step asks the cluster iterator.
void BM_StepByClustersMixedScripts(benchmark::State& state) {
  std::u16string text;
  for (int i = 0; i < 20000; ++i)
    text += u"e\u0301 中文 😀👍🏽 नमस्ते ";
  for (auto _ : state) {
    std::int64_t steps = 0;
    const char16_t* end = text.data() + text.size();
    for (const char16_t* p = text.data(); p < end; p = RVU_NextChar(p, end))
      ++steps;
    for (const char16_t* p = end; p > text.data(); p = RVU_PrevChar(text.data(), p))
      ++steps;
    benchmark::DoNotOptimize(steps);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(text.size()) * 2);
}
BENCHMARK(BM_StepByClustersMixedScripts)->Unit(benchmark::kMillisecond);

} // namespace
