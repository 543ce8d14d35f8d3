#pragma once

#include <filesystem>

namespace platform {

// Copies every file under `samples` into the same place under `home` where
// that file is missing, so a user's changes and deletions of single files
// survive later starts; sub-folders are made as needed. A missing `samples`
// copies nothing; a file that cannot be copied is an error naming it.
void CopyMissingSampleContent(const std::filesystem::path& samples, const std::filesystem::path& home);

}  // namespace platform
