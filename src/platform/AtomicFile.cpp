#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw std::runtime_error("Cannot write file \"" + path.string() + "\": " + reason);
}

// A new file beside `path` holding the bytes, flushed to disk, with the
// permissions of the file it is to replace.
std::filesystem::path WriteBeside(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);

  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail(path, std::strerror(errno));
  auto abandon = [&](const std::string& reason) {
    ::close(fd);
    ::unlink(temporary.c_str());
    Fail(path, reason);
  };
  // A shared folder's group write, say, survives the replacement.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) abandon(std::strerror(errno));
  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) abandon(std::strerror(errno));
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(fd) != 0) abandon(std::strerror(errno));
  if (::close(fd) != 0) {
    ::unlink(temporary.c_str());
    Fail(path, std::strerror(errno));
  }
  return temporary;
}

void RenameOver(const std::filesystem::path& temporary, const std::filesystem::path& path) {
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temporary.c_str());
    Fail(path, reason);
  }
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  RenameOver(WriteBeside(path, bytes), path);
}

StagedFiles::~StagedFiles() {
  for (const auto& [temporary, target] : staged_) ::unlink(temporary.c_str());
}

void StagedFiles::Stage(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  staged_.emplace_back(WriteBeside(path, bytes), path);
}

void StagedFiles::Commit() {
  while (!staged_.empty()) {
    const auto [temporary, target] = staged_.front();
    staged_.erase(staged_.begin());
    RenameOver(temporary, target);
  }
}

}  // namespace platform
