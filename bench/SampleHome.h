#pragma once

#include <filesystem>

// A copy of this build's sample home (the Mannequin model and its sample
// project) in a temporary folder of this name, removed at the end.
class SampleHome {
public:
  explicit SampleHome(const char* name);
  ~SampleHome();
  SampleHome(const SampleHome&) = delete;
  SampleHome& operator=(const SampleHome&) = delete;

  const std::filesystem::path& Home() const { return home_; }

private:
  std::filesystem::path home_;
};
