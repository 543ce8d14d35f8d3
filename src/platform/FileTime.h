#pragma once

#include <cstdint>
#include <filesystem>

namespace platform {

// The file's modification time in nanoseconds since 1970, or -1 when the file
// is missing or cannot be reached. Full resolution, so that a file rewritten
// within the same second still reads as changed.
std::int64_t FileModificationTime(const std::filesystem::path& path);

}  // namespace platform
