#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// Writes the bytes to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a failed write never leaves a half-written file
// nor loses the old one. Failures name the file.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace platform
