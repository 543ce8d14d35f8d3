#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace unrealpkg {

// A package file opened for reading while its package is locked. Reads are
// positioned, so objects can be fetched in any order without a shared cursor.
class PackageFile {
public:
  explicit PackageFile(const std::filesystem::path& path);
  ~PackageFile();
  PackageFile(const PackageFile&) = delete;
  PackageFile& operator=(const PackageFile&) = delete;

  std::uint64_t Size() const { return size_; }
  // Reads exactly `count` bytes at `offset`; fails when the file is shorter.
  void ReadAt(std::uint64_t offset, void* dest, std::size_t count) const;
  std::vector<std::uint8_t> ReadAt(std::uint64_t offset, std::size_t count) const;

private:
  void CheckRange(std::uint64_t offset, std::size_t count) const;

  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace unrealpkg
