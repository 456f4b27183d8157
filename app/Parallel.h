// Work shared out over the processors, for the jobs on a big list that stand apart line by
// line.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace quillon {

// How many threads work on count items: one a processor (at most eight), each with at least
// minimum items, so that a small list is done where it is.
inline std::size_t ThreadsFor(std::size_t count, std::size_t minimum) {
  const std::size_t processors =
      std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
  return std::clamp<std::size_t>(count / std::max<std::size_t>(minimum, 1), 1, processors);
}

// Runs job(t) for every t below threads, job(0) on this thread, and returns when all have
// ended. A job whose thread cannot be started runs here too. What a job throws is thrown
// here once all have ended (the first, if several throw).
template <class TJob>
void RunOnThreads(std::size_t threads, const TJob& job) {
  std::vector<std::exception_ptr> errors(threads);
  auto run = [&job, &errors](std::size_t t) {
    try {
      job(t);
    } catch (...) {
      errors[t] = std::current_exception();
    }
  };
  {
    std::vector<std::size_t> here{0};
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t) {
      try {
        workers.emplace_back(run, t);
      } catch (const std::system_error&) {
        here.push_back(t);
      }
    }
    for (std::size_t t : here)
      run(t);
  }
  for (const std::exception_ptr& error : errors)
    if (error)
      std::rethrow_exception(error);
}

// Runs job(piece, t) for every piece below pieces on threads threads, t being the thread's
// number: each thread takes the next piece no other has taken, so that a thread slowed by
// other programs on its processor takes fewer.
template <class TJob>
void RunPieces(std::size_t pieces, std::size_t threads, const TJob& job) {
  std::atomic<std::size_t> next{0};
  RunOnThreads(threads, [&](std::size_t t) {
    for (std::size_t piece = next++; piece < pieces; piece = next++)
      job(piece, t);
  });
}

// Runs job(begin, end) over slices of [0, count) in the way above.
template <class TJob>
void ForEachSlice(std::size_t count, std::size_t minimum, const TJob& job) {
  const std::size_t threads = ThreadsFor(count, minimum);
  RunOnThreads(threads, [&](std::size_t t) { job(count * t / threads, count * (t + 1) / threads); });
}

} // namespace quillon
