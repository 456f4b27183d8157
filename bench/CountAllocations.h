// Counts every allocation the program makes through operator new, for the benchmarks that
// report allocations beside their speed. It replaces the global operator new and delete, so
// include it from exactly one file of a program (each bench_*.cpp is a program of its own).
#pragma once

#include <cstdlib>
#include <new>

#include "bench/BenchCorpus.h"

void* operator new(std::size_t size) {
  quillon::bench::AllocationCount().fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size != 0 ? size : 1))
    return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return ::operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
