// Huge pages for big buffers: a list of a million entries is read, decoded and sorted through
// a few hundred megabytes of memory touched once each, and a document of ten megabytes is
// written into fresh memory; on a virtual machine a fault for every 4 KiB page can cost more
// than the work done on the page.
#pragma once

#include <cstddef>
#include <vector>

namespace richtext {

// Asks the kernel to back the whole 2 MiB pages inside [data, data + bytes) with huge pages
// before they are first written. Only a hint: where it is refused, or the buffer is small,
// nothing changes.
void RV_AdviseHugePages(const void* data, std::size_t bytes);

// Makes room for count elements in a vector about to be filled, on huge pages as above.
template <class T>
void RV_ReserveOnHugePages(std::vector<T>& items, std::size_t count) {
  items.reserve(count);
  RV_AdviseHugePages(items.data(), items.capacity() * sizeof(T));
}

} // namespace richtext
