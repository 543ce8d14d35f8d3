#include "unrealpkg/PackageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "unrealpkg/ByteReader.h"

namespace unrealpkg {

PackageFile::PackageFile(const std::filesystem::path& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0)
    throw std::runtime_error("Cannot open file \"" + path.string() + "\". " + std::strerror(errno));
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    throw std::runtime_error("Cannot open file \"" + path.string() + "\". Not a regular file");
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
}

PackageFile::~PackageFile() { ::close(fd_); }

void PackageFile::CheckRange(std::uint64_t offset, std::size_t count) const {
  if (offset > size_ || count > size_ - offset)
    throw ReadError("Read past the end of the file: " + std::to_string(count) +
                    " bytes needed at offset " + std::to_string(offset) + " of " +
                    std::to_string(size_));
}

void PackageFile::ReadAt(std::uint64_t offset, void* dest, std::size_t count) const {
  CheckRange(offset, count);
  auto* out = static_cast<char*>(dest);
  while (count > 0) {
    const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0)
      throw ReadError(got == 0 ? std::string("The file ended early")
                               : std::string("Read error: ") + std::strerror(errno));
    out += got;
    offset += static_cast<std::uint64_t>(got);
    count -= static_cast<std::size_t>(got);
  }
}

std::vector<std::uint8_t> PackageFile::ReadAt(std::uint64_t offset, std::size_t count) const {
  CheckRange(offset, count);
  std::vector<std::uint8_t> bytes(count);
  ReadAt(offset, bytes.data(), count);
  return bytes;
}

}  // namespace unrealpkg
