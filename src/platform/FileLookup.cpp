#include "platform/FileLookup.h"

#include "platform/AsciiText.h"

namespace platform {

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& directory,
                                                          std::string_view name) {
  const std::filesystem::path folder = directory.empty() ? std::filesystem::path(".") : directory;
  std::error_code ec;
  const std::filesystem::path exact = folder / std::string(name);
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (EqualsIgnoreCase(it->path().filename().string(), name) && it->is_regular_file(ec)) return it->path();
  return std::nullopt;
}

}  // namespace platform
