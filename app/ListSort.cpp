#include "app/ListSort.h"
#include "app/Parallel.h"
#include "richtext/base/RVHugePages.h"

#include <unicode/ucol.h>
#include <unicode/uset.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <iterator>
#include <optional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <cstdint>
#include <memory>
#include <string_view>
#include <system_error>
#include <thread>

namespace quillon {

void TCollatorCloser::operator()(UCollator* collator) const { ucol_close(collator); }

namespace {

struct TSetCloser {
  void operator()(USet* set) const { uset_close(set); }
};
using TSet = std::unique_ptr<USet, TSetCloser>;

// Code units at which a comparison may not start after an identical prefix: combining
// marks and every part of a contraction or a context-dependent mapping, whose weights
// depend on their neighbours. Surrogates are left out of the prefix by the caller.
TSet UnsafeBoundaries(const UCollator* collator) {
  UErrorCode error = U_ZERO_ERROR;
  TSet unsafe(uset_openEmpty());
  ucol_getUnsafeSet(collator, unsafe.get(), &error);
  TSet contractions(uset_openEmpty());
  ucol_getContractionsAndExpansions(collator, contractions.get(), nullptr, true, &error);
  if (U_FAILURE(error))
    return nullptr;
  const int32_t items = uset_getItemCount(contractions.get());
  std::u16string text(64, u'\0');
  for (int32_t i = 0; i < items; ++i) {
    UChar32 start = 0, end = 0;
    UErrorCode itemError = U_ZERO_ERROR;
    int32_t length = uset_getItem(contractions.get(), i, &start, &end,
                                  reinterpret_cast<UChar*>(text.data()),
                                  static_cast<int32_t>(text.size()), &itemError);
    if (U_FAILURE(itemError))
      return nullptr;
    if (length == 0)
      uset_addRange(unsafe.get(), start, end);
    else
      uset_addAllCodePoints(unsafe.get(), reinterpret_cast<const UChar*>(text.data()), length);
  }
  uset_freeze(unsafe.get());
  return unsafe;
}

// The same, made once for each set of collation rules the process uses: it depends on the
// rules alone, and making it takes tens of milliseconds (a tailoring has thousands of
// contractions), a quarter of loading a list of 100,000 entries. Null when ICU
// cannot tell.
const USet* CachedUnsafeBoundaries(const UCollator* collator) {
  UErrorCode error = U_ZERO_ERROR;
  const char* locale = ucol_getLocaleByType(collator, ULOC_ACTUAL_LOCALE, &error);
  int32_t length = 0;
  const UChar* rules = ucol_getRules(collator, &length);
  if (U_FAILURE(error))
    return nullptr;
  const std::pair<std::string, std::u16string> key{
      locale ? locale : "", std::u16string(reinterpret_cast<const char16_t*>(rules),
                                           static_cast<std::size_t>(std::max(length, 0)))};
  static std::mutex mutex;
  static std::map<std::pair<std::string, std::u16string>, TSet> cache;
  const std::lock_guard lock(mutex);
  auto found = cache.find(key);
  if (found == cache.end())
    found = cache.emplace(key, UnsafeBoundaries(collator)).first;
  return found->second.get();
}

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

} // namespace

void PrepareCollationOrder(const UCollator* collator) { CachedUnsafeBoundaries(collator); }

std::size_t SkippablePrefix(const UCollator* collator, const std::vector<std::u16string_view>& lines) {
  if (lines.size() < 2)
    return 0;
  // French secondary order compares accents from the end of the string, and numeric
  // collation reads digits as numbers: in both a shared beginning still counts.
  UErrorCode error = U_ZERO_ERROR;
  if (ucol_getAttribute(collator, UCOL_FRENCH_COLLATION, &error) != UCOL_OFF ||
      ucol_getAttribute(collator, UCOL_NUMERIC_COLLATION, &error) != UCOL_OFF ||
      U_FAILURE(error))
    return 0;
  std::size_t shared = lines[0].size();
  for (std::size_t i = 1; i < lines.size() && shared > 0; ++i) {
    std::u16string_view line = lines[i];
    const std::size_t limit = std::min(shared, line.size());
    std::size_t same = 0;
    while (same < limit && line[same] == lines[0][same])
      ++same;
    shared = same;
  }
  if (shared == 0)
    return 0;
  const USet* unsafe = CachedUnsafeBoundaries(collator);
  if (unsafe == nullptr)
    return 0;
  auto unsafeAt = [&](std::size_t at) {
    // The unit before the boundary is the same in all lines; the one after is each line's.
    const char16_t before = lines[0][at - 1];
    if (IsSurrogate(before) || uset_contains(unsafe, before))
      return true;
    for (std::u16string_view line : lines) {
      if (at < line.size() &&
          (IsSurrogate(line[at]) || uset_contains(unsafe, line[at])))
        return true;
    }
    return false;
  };
  while (shared > 0 && unsafeAt(shared))
    --shared;
  return shared;
}

namespace {

// The collation keys of lines [begin, end), without what all lines share, in one buffer.
struct TKeyChunk {
  std::string bytes;
  std::vector<std::pair<std::size_t, std::size_t>> spans; // offset and length in bytes
};

void MakeKeys(const UCollator* collator, const std::vector<std::u16string_view>& lines,
              std::size_t skipped, std::size_t begin, std::size_t end, TKeyChunk& chunk) {
  std::size_t units = 0;
  for (std::size_t i = begin; i < end; ++i)
    units += lines[i].size() - skipped;
  chunk.bytes.reserve(units * 2 + (end - begin) * 4);
  richtext::RV_AdviseHugePages(chunk.bytes.data(), chunk.bytes.capacity());
  chunk.spans.resize(end - begin);
  std::vector<uint8_t> key(512);
  for (std::size_t i = begin; i < end; ++i) {
    const auto* text = reinterpret_cast<const UChar*>(lines[i].data() + skipped);
    const auto length = static_cast<int32_t>(lines[i].size() - skipped);
    int32_t needed =
        ucol_getSortKey(collator, text, length, key.data(), static_cast<int32_t>(key.size()));
    if (needed > static_cast<int32_t>(key.size())) {
      key.resize(static_cast<std::size_t>(needed));
      needed = ucol_getSortKey(collator, text, length, key.data(), needed);
    }
    // The key ends with a zero byte that no other key byte equals; leave it out.
    const std::size_t size = needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0;
    chunk.spans[i - begin] = {chunk.bytes.size(), size};
    chunk.bytes.append(reinterpret_cast<const char*>(key.data()), size);
  }
}

// Lines enough for a thread of their own.
constexpr std::size_t kLinesPerThread = 20000;
// Work shared out over threads goes in pieces, several a thread.
constexpr std::size_t kPiecesPerThread = 4;

// Making keys is most of the work of sorting a big list, and each key stands alone: big
// lists share it out over the processors, each with its own copy of the collator.
std::vector<std::string_view> CollationKeys(const UCollator* collator,
                                            const std::vector<std::u16string_view>& lines,
                                            std::size_t skipped,
                                            std::vector<TKeyChunk>& chunks) {
  const std::size_t count = lines.size();
  std::vector<std::unique_ptr<UCollator, TCollatorCloser>> clones;
  const std::size_t wanted = ThreadsFor(count, kLinesPerThread);
  for (std::size_t t = 1; t < wanted; ++t) {
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UCollator, TCollatorCloser> clone(ucol_clone(collator, &error));
    if (U_FAILURE(error) || !clone)
      break;
    clones.push_back(std::move(clone));
  }
  const std::size_t threads = clones.size() + 1;
  const std::size_t pieces = threads == 1 ? 1 : threads * kPiecesPerThread;
  chunks.assign(pieces, {});
  RunPieces(pieces, threads, [&](std::size_t piece, std::size_t t) {
    MakeKeys(t == 0 ? collator : clones[t - 1].get(), lines, skipped, count * piece / pieces,
             count * (piece + 1) / pieces, chunks[piece]);
  });
  std::vector<std::string_view> keys;
  richtext::RV_ReserveOnHugePages(keys, count);
  for (const TKeyChunk& chunk : chunks)
    for (const auto& [offset, size] : chunk.spans)
      keys.emplace_back(chunk.bytes.data() + offset, size);
  return keys;
}

// Eight key bytes from at on, as one number; no key byte is zero, so a shorter key sorts
// first.
std::uint64_t KeyHead(std::string_view key, std::size_t at) {
  if (at + 8 <= key.size()) {
    std::uint64_t head = 0;
    std::memcpy(&head, key.data() + at, 8);
    if constexpr (std::endian::native == std::endian::little)
      head = __builtin_bswap64(head);
    return head;
  }
  std::uint64_t head = 0;
  for (std::size_t b = 0; b < 8; ++b) {
    const auto byte = at + b < key.size() ? static_cast<unsigned char>(key[at + b]) : 0u;
    head = head << 8 | byte;
  }
  return head;
}

struct TSortItem {
  std::uint64_t head;
  std::uint64_t next;
  std::size_t index;
  bool operator<(const TSortItem& other) const {
    if (head != other.head)
      return head < other.head;
    if (next != other.next)
      return next < other.next;
    return index < other.index;
  }
  bool SameBytes(const TSortItem& other) const { return head == other.head && next == other.next; }
};
using TSortIterator = std::vector<TSortItem>::iterator;

// Puts sixteen key bytes from at on into each item; true when some key goes on beyond them.
bool SetHeads(const std::vector<std::string_view>& keys, TSortIterator begin, TSortIterator end,
              std::size_t at) {
  bool longer = false;
  for (auto item = begin; item != end; ++item) {
    // The items of a run of ties are spread over the keys: ask for a key a few items ahead
    // while this one is read.
    constexpr std::ptrdiff_t kAhead = 8;
    if (end - item > kAhead)
      __builtin_prefetch(keys[(item + kAhead)->index].data() + at);
    const std::string_view key = keys[item->index];
    item->head = KeyHead(key, at);
    item->next = KeyHead(key, at + 8);
    longer = longer || key.size() > at + 16;
  }
  return longer;
}

// Sorts items whose heads hold the key bytes from at on.
void SortByHeads(const std::vector<std::string_view>& keys, TSortIterator begin, TSortIterator end,
                 std::size_t at, bool longer) {
  std::sort(begin, end);
  // Equal numbers and no key longer than what they cover: the keys are equal, and the
  // index already orders them.
  if (!longer)
    return;
  for (auto run = begin; run != end;) {
    auto runEnd = run + 1;
    while (runEnd != end && runEnd->SameBytes(*run))
      ++runEnd;
    if (runEnd - run > 1)
      SortByHeads(keys, run, runEnd, at + 16, SetHeads(keys, run, runEnd, at + 16));
    run = runEnd;
  }
}

// Lines in order already make runs, and merging a few runs costs a comparison a line,
// far less than making every key: a list Quillon wrote is one run, and one another program
// changed is mostly in order (entries added at its end, a few taken out). Answers the order
// when the lines make few runs, else nothing (having looked at only a few of them).
std::optional<std::vector<std::size_t>> OrderOfRuns(const UCollator* collator,
                                                    const std::vector<std::u16string_view>& lines) {
  const std::size_t count = lines.size();
  auto compare = [&lines](const UCollator* with, std::size_t a, std::size_t b) {
    return ucol_strcoll(with, reinterpret_cast<const UChar*>(lines[a].data()),
                        static_cast<int32_t>(lines[a].size()),
                        reinterpret_cast<const UChar*>(lines[b].data()),
                        static_cast<int32_t>(lines[b].size()));
  };
  auto less = [&](std::size_t a, std::size_t b) { return compare(collator, a, b) == UCOL_LESS; };
  const std::size_t maxRuns = 16 + count / 256;
  // Where a line sorts before the one above it, in lines [begin, end) (begin > 0); false
  // as soon as there are too many. A big list is looked at in two halves at once.
  auto findStarts = [&compare, maxRuns](const UCollator* with, std::size_t begin, std::size_t end,
                                        std::vector<std::size_t>& starts) {
    for (std::size_t i = begin; i < end; ++i)
      if (compare(with, i - 1, i) == UCOL_GREATER) {
        if (starts.size() == maxRuns)
          return false;
        starts.push_back(i);
      }
    return true;
  };
  std::vector<std::size_t> runStarts{0};
  constexpr std::size_t kTwoHalves = 40000;
  UErrorCode cloneError = U_ZERO_ERROR;
  std::unique_ptr<UCollator, TCollatorCloser> clone(
      count >= kTwoHalves ? ucol_clone(collator, &cloneError) : nullptr);
  std::vector<std::size_t> secondStarts;
  bool secondFew = true;
  std::thread second;
  if (clone && U_SUCCESS(cloneError)) {
    try {
      second = std::thread([&] { secondFew = findStarts(clone.get(), count / 2, count, secondStarts); });
    } catch (const std::system_error&) {
    }
  }
  if (second.joinable()) {
    const bool firstFew = findStarts(collator, 1, count / 2, runStarts);
    second.join();
    if (!firstFew || !secondFew || runStarts.size() + secondStarts.size() > maxRuns)
      return std::nullopt;
    runStarts.insert(runStarts.end(), secondStarts.begin(), secondStarts.end());
  } else if (!findStarts(collator, 1, count, runStarts)) {
    return std::nullopt;
  }
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i)
    order[i] = i;
  std::vector<std::size_t> merged;
  // Merges the neighbouring runs [begin, middle) and [middle, end). On a tie the first run
  // goes first, as every line of it comes before the second's in the file: the result is
  // the stable order. A short run after a long one goes in by binary search.
  auto mergeRuns = [&](std::size_t begin, std::size_t middle, std::size_t end) {
    const auto first = order.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto mid = order.begin() + static_cast<std::ptrdiff_t>(middle);
    const auto last = order.begin() + static_cast<std::ptrdiff_t>(end);
    merged.clear();
    merged.reserve(end - begin);
    if ((end - middle) * (std::bit_width(middle - begin) + 1) < middle - begin) {
      auto from = first;
      for (auto line = mid; line != last; ++line) {
        const auto at = std::upper_bound(from, mid, *line, less);
        merged.insert(merged.end(), from, at);
        merged.push_back(*line);
        from = at;
      }
      merged.insert(merged.end(), from, mid);
    } else {
      std::merge(first, mid, mid, last, std::back_inserter(merged), less);
    }
    std::copy(merged.begin(), merged.end(), first);
  };
  // Runs are merged as they come, keeping the pending ones each longer than the next two
  // together, so that no line is merged more than about log(runs) times.
  struct TRun {
    std::size_t begin, end;
    std::size_t size() const { return end - begin; }
  };
  std::vector<TRun> pending;
  auto mergeAt = [&](std::size_t i) { // pending[i] with pending[i + 1]
    mergeRuns(pending[i].begin, pending[i].end, pending[i + 1].end);
    pending[i].end = pending[i + 1].end;
    pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  };
  for (std::size_t r = 0; r < runStarts.size(); ++r) {
    pending.push_back({runStarts[r], r + 1 < runStarts.size() ? runStarts[r + 1] : count});
    while (pending.size() >= 2) {
      const std::size_t n = pending.size();
      if (n >= 3 && pending[n - 3].size() <= pending[n - 2].size() + pending[n - 1].size())
        mergeAt(pending[n - 3].size() < pending[n - 1].size() ? n - 3 : n - 2);
      else if (pending[n - 2].size() <= pending[n - 1].size())
        mergeAt(n - 2);
      else
        break;
    }
  }
  while (pending.size() >= 2)
    mergeAt(pending.size() - 2);
  return order;
}

} // namespace

std::vector<std::size_t> CollationOrder(const UCollator* collator,
                                        const std::vector<std::u16string_view>& lines) {
  if (std::optional<std::vector<std::size_t>> runs = OrderOfRuns(collator, lines))
    return std::move(*runs);
  return CollationKeyOrder(collator, lines);
}

std::vector<std::size_t> CollationKeyOrder(const UCollator* collator,
                                           const std::vector<std::u16string_view>& lines) {
  const std::size_t count = lines.size();
  // One collation key per line; comparing keys is a byte compare, far cheaper than
  // comparing the strings with the collator n log n times. A line's key only covers what
  // follows the prefix all lines share, which is most of a link in a list of links to one
  // site.
  std::vector<TKeyChunk> chunks;
  const std::vector<std::string_view> keys =
      CollationKeys(collator, lines, SkippablePrefix(collator, lines), chunks);
  // Sixteen key bytes at a time, as two numbers kept beside the index, decide the order
  // without touching the keys themselves; only lines that tie on them are looked at again,
  // sixteen bytes further on. Ties on whole keys fall back to file order, as in a stable
  // sort.
  // Keys may still share beginnings (a list that cannot skip its shared text): start after
  // what all of them share.
  std::size_t shared = count == 0 ? 0 : keys[0].size();
  for (std::size_t i = 1; i < count && shared > 0; ++i) {
    const std::size_t limit = std::min(shared, keys[i].size());
    std::size_t same = 0;
    while (same < limit && keys[0][same] == keys[i][same])
      ++same;
    shared = same;
  }
  // Big lists are sorted on several threads: the items are first parted by their leading
  // key bytes into ranges of about equal size, and each range is then sorted on its own.
  const std::size_t threads = ThreadsFor(count, kLinesPerThread);
  std::vector<TSortItem> order;
  richtext::RV_ReserveOnHugePages(order, count);
  order.resize(count);
  std::atomic<bool> longer{false};
  ForEachSlice(count, kLinesPerThread, [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
      order[i].index = i;
    const auto first = order.begin();
    if (SetHeads(keys, first + static_cast<std::ptrdiff_t>(begin),
                 first + static_cast<std::ptrdiff_t>(end), shared))
      longer = true;
  });
  const bool anyLonger = longer;
  std::vector<TSortIterator> bounds{order.begin()};
  if (threads > 1) {
    // Cut points from a sample; items with the same leading bytes stay in one range.
    constexpr std::size_t kSample = 4096;
    std::vector<TSortItem> sample;
    for (std::size_t i = 0; i < kSample; ++i)
      sample.push_back(order[count * i / kSample]);
    std::sort(sample.begin(), sample.end());
    for (std::size_t t = 1; t < threads; ++t) {
      TSortItem cut = sample[kSample * t / threads];
      cut.index = 0;
      bounds.push_back(std::partition(bounds.back(), order.end(),
                                      [&cut](const TSortItem& item) { return item < cut; }));
    }
  }
  bounds.push_back(order.end());
  RunOnThreads(threads, [&](std::size_t t) {
    SortByHeads(keys, bounds[t], bounds[t + 1], shared, anyLonger);
  });
  std::vector<std::size_t> indexes;
  richtext::RV_ReserveOnHugePages(indexes, count);
  for (const TSortItem& item : order)
    indexes.push_back(item.index);
  return indexes;
}

} // namespace quillon
