#include "platform/SampleContent.h"

#include <stdexcept>

namespace platform {

void CopyMissingSampleContent(const std::filesystem::path& samples, const std::filesystem::path& home) {
  std::error_code ec;
  if (!std::filesystem::is_directory(samples, ec)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
    if (!entry.is_regular_file()) continue;
    const std::filesystem::path target = home / std::filesystem::relative(entry.path(), samples);
    if (std::filesystem::exists(target, ec)) continue;
    std::filesystem::create_directories(target.parent_path(), ec);
    if (!ec) std::filesystem::copy_file(entry.path(), target, ec);
    if (ec) throw std::runtime_error("Cannot copy the sample file \"" + entry.path().string() + "\" to \"" +
                                     target.string() + "\": " + ec.message());
  }
}

}  // namespace platform
