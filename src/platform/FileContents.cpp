#include "platform/FileContents.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
  throw std::runtime_error("Cannot read file \"" + path.string() + "\": " + std::strerror(error));
}

}  // namespace

std::optional<std::string> ReadFileContents(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    Fail(path, errno);
  }
  std::string contents;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      Fail(path, error);
    }
    if (got == 0) break;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return contents;
}

}  // namespace platform
