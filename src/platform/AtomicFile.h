#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <utility>
#include <vector>

namespace platform {

// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a failed write never leaves a half-written file
// nor loses the old one. The file replaced keeps its permissions. Failures
// name the file.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Several files replaced together: each is written beside its target first,
// and only Commit renames them all over their targets. Until then the old
// files stay as they were, and a set destroyed without Commit removes what
// it wrote.
class StagedFiles {
public:
  StagedFiles() = default;
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  void Stage(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
  void Commit();

private:
  // Temporary file, then target.
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged_;
};

}  // namespace platform
