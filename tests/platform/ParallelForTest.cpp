#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

#include "platform/ParallelFor.h"

namespace {

// Bytes of address space the process holds now; unused where the sanitizer skips the test.
[[maybe_unused]] rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

TEST(ParallelForTest, EveryItemRunsOnceAndTheFirstErrorComesBack) {
  std::vector<std::atomic<int>> runs(100);
  platform::ParallelFor(runs.size(), 4, [&](std::size_t i) { ++runs[i]; });
  for (const auto& count : runs) EXPECT_EQ(count, 1);
  EXPECT_THROW(platform::ParallelFor(10, 3, [](std::size_t i) {
                 if (i == 5) throw std::runtime_error("five");
               }),
               std::runtime_error);
}

// A system that gives no thread more (here: no room for its stack) must not
// end the program: the work is done by the threads there are.
TEST(ParallelForTest, WhenNoThreadCanStartTheCallerDoesTheWork) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer reserves more address space than the limit leaves";
#else
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = AddressSpaceInUse() + (4u << 20);
    setrlimit(RLIMIT_AS, &limit);
    std::atomic<int> done{0};
    platform::ParallelFor(8, 8, [&](std::size_t) { ++done; });
    _exit(done == 8 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}
