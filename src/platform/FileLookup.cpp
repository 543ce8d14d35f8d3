#include "platform/FileLookup.h"

#include "platform/AsciiText.h"

namespace platform {

namespace {

// The entry called `name` in `directory` that `accepted` takes, the exact name first.
template <typename Accepted>
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& directory, std::string_view name,
                                                      Accepted accepted) {
  const std::filesystem::path folder = directory.empty() ? std::filesystem::path(".") : directory;
  std::error_code ec;
  const std::filesystem::path exact = folder / std::string(name);
  if (accepted(exact)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (EqualsIgnoreCase(it->path().filename().string(), name) && accepted(it->path())) return it->path();
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& directory,
                                                          std::string_view name) {
  return FindIgnoringCase(directory, name, [](const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
  });
}

std::optional<std::filesystem::path> FindNameIgnoringCase(const std::filesystem::path& directory,
                                                          std::string_view name) {
  return FindIgnoringCase(directory, name, [](const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
  });
}

std::optional<std::filesystem::path> ResolvePathIgnoringCase(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) return path;
  std::filesystem::path resolved = path.root_path();
  for (const std::filesystem::path& component : path.relative_path()) {
    const std::filesystem::path exact = resolved / component;
    if (component == "." || component == ".." || std::filesystem::exists(exact, ec)) {
      resolved = exact;
      continue;
    }
    const std::filesystem::path folder = resolved.empty() ? std::filesystem::path(".") : resolved;
    std::optional<std::filesystem::path> match;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end && !match; it.increment(ec))
      if (EqualsIgnoreCase(it->path().filename().string(), component.string())) match = resolved / it->path().filename();
    if (!match) return std::nullopt;
    resolved = *match;
  }
  return resolved;
}

}  // namespace platform
