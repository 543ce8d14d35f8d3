#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace compile {

// Raised when a copy into the game directory fails; the message names the copy.
class InstallationError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Copies the compiled package into <gameDirectory>/Textures and the
// localisation file into <gameDirectory>/System, folders and files in
// whatever letter case the game has them, replacing the files there.
// `gameDirectoryShown` is the game directory as the user knows it (the Windows
// form).
struct Installation {
  std::string Message;
  // The copies in the game's folders: package, then localisation file.
  std::vector<std::filesystem::path> Files;
};
Installation InstallInGame(const std::filesystem::path& packageFile, const std::filesystem::path& localisationFile,
                          const std::filesystem::path& gameDirectory, std::string_view gameDirectoryShown);

}  // namespace compile
