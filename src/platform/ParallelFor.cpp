#include "platform/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

void ParallelFor(std::size_t count, int jobs, const std::function<void(std::size_t)>& work) {
  const std::size_t threads = std::min<std::size_t>(count, static_cast<std::size_t>(std::max(jobs, 1)));
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) work(i);
    return;
  }
  std::atomic<std::size_t> next{0};
  std::exception_ptr error;
  std::mutex errorMutex;
  auto run = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard lock(errorMutex);
        if (!error) error = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  try {
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  } catch (const std::system_error&) {
    // The system gives no more threads: those that started and this one do the work.
  }
  run();
  for (auto& helper : helpers) helper.join();
  if (error) std::rethrow_exception(error);
}

int HardwareJobs() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace platform
