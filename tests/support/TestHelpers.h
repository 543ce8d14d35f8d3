#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

// Ends a test that needs the shared corpus when `present` is false: a skip,
// or a failure where the corpus is required.
#define MARBELLE_NEEDS_CORPUS(present)                                                        \
  do {                                                                                        \
    if (!(present)) {                                                                         \
      if (::testsupport::CorpusRequired()) GTEST_FAIL() << "no corpus at " << ::testsupport::CorpusDir(); \
      GTEST_SKIP() << "no corpus at " << ::testsupport::CorpusDir();                          \
    }                                                                                         \
  } while (false)

inline std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The message of the error the action raises; a test failure when it raises none.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no error";
  return {};
}

// Sets environment variables (nullopt unsets one) for the life of the object,
// then puts the old values back.
class ScopedEnvironment {
public:
  using Values = std::initializer_list<std::pair<std::string, std::optional<std::string>>>;

  explicit ScopedEnvironment(Values values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      Set(name, value);
    }
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Set(it->first, it->second);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
  static void Set(const std::string& name, const std::optional<std::string>& value) {
    if (value)
      ::setenv(name.c_str(), value->c_str(), 1);
    else
      ::unsetenv(name.c_str());
  }

  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
