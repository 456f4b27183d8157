// Throughput of the RTF run text encoder on English-like prose (the shared benchmark corpus):
// bytes of RTF written per second.
#include "richtext/export/RVRTFSaveText.h"
#include "richtext/export/RVStream.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace richtext;

namespace {

// The corpus tool lives in the shared folder beside the work tree; QUILLON_CORPUS_TOOL
// points elsewhere.
std::string CorpusToolPath() {
  if (const char* path = std::getenv("QUILLON_CORPUS_TOOL"))
    return path;
  const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
  for (const auto& candidate : {here / "../../shared/tools/corpus.py",
                                std::filesystem::path("/work/shared/tools/corpus.py")})
    if (std::filesystem::exists(candidate))
      return candidate.string();
  return {};
}

// The corpus's paragraphs (one per line) as UTF-16.
const std::vector<std::u16string>& Paragraphs() {
  static const std::vector<std::u16string> paragraphs = [] {
    std::vector<std::u16string> result;
    const std::string tool = CorpusToolPath();
    if (tool.empty())
      return result;
    const std::string command = "python3 '" + tool + "' 10000000 100000";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
      return result;
    std::u16string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      if (c == '\n') {
        result.push_back(std::move(line));
        line.clear();
      } else {
        line += static_cast<char16_t>(static_cast<unsigned char>(c)); // the corpus is ASCII
      }
    }
    pclose(pipe);
    return result;
  }();
  return paragraphs;
}

// One call per paragraph, as the RTF writer makes one call per text run.
void BM_RunTextPerParagraph(benchmark::State& state) {
  const auto& paragraphs = Paragraphs();
  if (paragraphs.empty()) {
    state.SkipWithError("corpus tool not found (set QUILLON_CORPUS_TOOL)");
    return;
  }
  const bool saveAnsi = state.range(0) != 0;
  std::size_t written = 0;
  int64_t total = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    stream.Reserve(12 * 1000 * 1000);
    for (const std::u16string& paragraph : paragraphs)
      RVWriteUnicodeRTFStr(stream, paragraph, 1252, saveAnsi, false, false, false, false, false);
    written = stream.Bytes().size();
    benchmark::DoNotOptimize(stream.Bytes().data());
    total += static_cast<int64_t>(written);
  }
  state.SetBytesProcessed(total);
  state.counters["output_bytes"] = static_cast<double>(written);
}
BENCHMARK(BM_RunTextPerParagraph)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same prose with every twentieth character made non-ASCII (Cyrillic and CJK), so that
// escapes and ANSI fallbacks are part of the work.
void BM_RunTextMixedScripts(benchmark::State& state) {
  const auto& paragraphs = Paragraphs();
  if (paragraphs.empty()) {
    state.SkipWithError("corpus tool not found (set QUILLON_CORPUS_TOOL)");
    return;
  }
  std::vector<std::u16string> mixed(paragraphs.begin(), paragraphs.begin() + 10000);
  std::size_t n = 0;
  for (std::u16string& p : mixed)
    for (char16_t& c : p)
      if (++n % 20 == 0)
        c = (n / 20) % 2 ? static_cast<char16_t>(0x0410 + n % 32)
                         : static_cast<char16_t>(0x4E00 + n % 500);
  const TRVCodePage codePage = static_cast<TRVCodePage>(state.range(0));
  int64_t total = 0;
  for (auto _ : state) {
    TRVMemoryStream stream;
    for (const std::u16string& paragraph : mixed)
      RVWriteUnicodeRTFStr(stream, paragraph, codePage, true, false, false, false, false, false);
    benchmark::DoNotOptimize(stream.Bytes().data());
    total += static_cast<int64_t>(stream.Bytes().size());
  }
  state.SetBytesProcessed(total);
}
BENCHMARK(BM_RunTextMixedScripts)->Arg(1251)->Arg(936)->Unit(benchmark::kMillisecond);

} // namespace
