#include "app/BigList.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace quillon {

void AdviseHugePages(const void* data, std::size_t bytes) {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  if (data == nullptr || bytes < 2 * kHugePage)
    return;
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHugePage - 1);
  if (end > begin)
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

void ForEachPart(std::size_t count, std::size_t minPerPart,
                 const std::function<void(std::size_t begin, std::size_t end)>& work) {
  std::size_t parts = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
  parts = std::clamp<std::size_t>(count / std::max<std::size_t>(minPerPart, 1), 1, parts);
  auto bound = [&](std::size_t part) { return count * part / parts; };
  std::vector<std::thread> workers;
  std::size_t started = 1;
  for (; started < parts; ++started) {
    try {
      workers.emplace_back(work, bound(started), bound(started + 1));
    } catch (const std::system_error&) {
      break;
    }
  }
  work(bound(0), bound(1));
  for (std::size_t part = started; part < parts; ++part)
    work(bound(part), bound(part + 1));
  for (std::thread& worker : workers)
    worker.join();
}

} // namespace quillon
