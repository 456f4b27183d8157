// Helpers for big lists: a list of a million entries is read, decoded and sorted through a
// few hundred megabytes of memory touched once each (and on a virtual machine a fault for
// every 4 KiB page can cost more than the work done on the page), and work on each entry
// alone can be shared out over the processors.
#pragma once

#include <cstddef>
#include <functional>

namespace quillon {

// Asks the kernel to back the whole 2 MiB pages inside [data, data + bytes) with huge pages
// before they are first written. Only a hint: where it is refused, or the buffer is small,
// nothing changes.
void AdviseHugePages(const void* data, std::size_t bytes);

// Calls work(begin, end) for parts of [0, count) that together cover it once, in parallel on
// up to one thread per processor, each part at least minPerPart long. The calling thread
// does a part too; where no thread can be started it does them all. work must not throw.
void ForEachPart(std::size_t count, std::size_t minPerPart,
                 const std::function<void(std::size_t begin, std::size_t end)>& work);

} // namespace quillon
