// Line breaking over English-like prose: every break opportunity, greedy wrapping at a fixed
// number of characters, and stepping through the text by characters.
//
// The text comes from the shared corpus tool (about 1 MB in 10,000 paragraphs), run once at
// start. QUILLON_CORPUS_TOOL names the tool when it is not in the usual places.

#include "richtext/layout/RVCharNav.h"
#include "richtext/layout/RVLineBreak.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace richtext;

namespace {

std::string FindCorpusTool() {
  if (const char* env = std::getenv("QUILLON_CORPUS_TOOL"))
    return env;
  namespace fs = std::filesystem;
  // shared/ lies beside the repository checkout.
  fs::path repo = fs::path(__FILE__).parent_path().parent_path();
  for (const fs::path& candidate : {repo.parent_path() / "shared" / "tools" / "corpus.py",
                                    fs::path("/work/shared/tools/corpus.py")}) {
    if (fs::exists(candidate))
      return candidate.string();
  }
  return {};
}

std::u16string Utf8ToUtf16(const std::string& bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    unsigned char b = bytes[i];
    char32_t c;
    int extra;
    if (b < 0x80) {
      c = b, extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F, extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F, extra = 2;
    } else {
      c = b & 0x07, extra = 3;
    }
    ++i;
    for (; extra > 0 && i < bytes.size(); --extra, ++i)
      c = (c << 6) | (bytes[i] & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += char16_t(0xD800 + (c >> 10));
      out += char16_t(0xDC00 + (c & 0x3FF));
    } else {
      out += char16_t(c);
    }
  }
  return out;
}

// The corpus as paragraphs; empty when the tool cannot be run.
const std::vector<std::u16string>& Paragraphs() {
  static const std::vector<std::u16string> paragraphs = [] {
    std::vector<std::u16string> result;
    std::string tool = FindCorpusTool();
    if (tool.empty())
      return result;
    std::string command = "python3 '" + tool + "' 1000000 10000";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
      return result;
    std::string bytes;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      bytes.append(buffer, n);
    if (pclose(pipe) != 0)
      return result;
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = bytes.find('\n', start);
      if (end == std::string::npos)
        end = bytes.size();
      result.push_back(Utf8ToUtf16(bytes.substr(start, end - start)));
      start = end + 1;
    }
    return result;
  }();
  return paragraphs;
}

bool HaveCorpus(benchmark::State& state) {
  if (Paragraphs().empty()) {
    state.SkipWithError("corpus tool not found or failed (set QUILLON_CORPUS_TOOL)");
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
