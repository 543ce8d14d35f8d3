#pragma once

#include <cstddef>
#include <functional>

namespace platform {

// Runs work(i) for every i below count on up to `jobs` threads (the caller's
// among them). Each index runs exactly once; the first error thrown is thrown
// again once all threads have stopped.
void ParallelFor(std::size_t count, int jobs, const std::function<void(std::size_t)>& work);

// The number of threads this machine runs at once (at least 1).
int HardwareJobs();

}  // namespace platform
