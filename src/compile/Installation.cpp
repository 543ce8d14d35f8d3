#include "compile/Installation.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/AtomicFile.h"
#include "platform/FileContents.h"
#include "platform/FileLookup.h"
#include "platform/GameDirectory.h"

namespace compile {

namespace {

struct Copy {
  std::filesystem::path source;
  std::filesystem::path target;
  std::string contents;

  [[noreturn]] void Fail(const std::string& reason) const {
    throw InstallationError("Cannot copy \"" + source.string() + "\" to \"" + target.string() + "\": " + reason);
  }
};

Copy Prepare(const std::filesystem::path& source, const std::filesystem::path& target) {
  Copy copy{source, target, {}};
  std::optional<std::string> contents;
  try {
    contents = platform::ReadFileContents(source);
  } catch (const std::runtime_error& e) {
    copy.Fail(e.what());
  }
  if (!contents) copy.Fail("the file does not exist");
  copy.contents = std::move(*contents);

  std::error_code error;
  if (!std::filesystem::is_directory(target.parent_path(), error))
    copy.Fail("the folder \"" + target.parent_path().string() + "\" does not exist");
  // The rename would replace a read-only file; the user marked it so to keep it.
  const auto status = std::filesystem::status(target, error);
  using std::filesystem::perms;
  if (std::filesystem::exists(status) &&
      (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
    copy.Fail("the file there is read-only");
  return copy;
}

// The file in the game's folder, both in whatever letter case the game has
// them: an older copy under another case is replaced, not doubled.
std::filesystem::path GameFile(const std::filesystem::path& gameDirectory, std::string_view folder,
                               const std::filesystem::path& file) {
  const std::filesystem::path directory = platform::GameFolder(gameDirectory, folder);
  return platform::FindFileIgnoringCase(directory, file.string()).value_or(directory / file);
}

}  // namespace

Installation InstallInGame(const std::filesystem::path& packageFile, const std::filesystem::path& localisationFile,
                           const std::filesystem::path& gameDirectory, std::string_view gameDirectoryShown) {
  // Both copies are checked before either is written, so a doomed second copy
  // does not leave a new package beside an old localisation file.
  const std::array copies{Prepare(packageFile, GameFile(gameDirectory, "Textures", packageFile.filename())),
                          Prepare(localisationFile, GameFile(gameDirectory, "System", localisationFile.filename()))};
  Installation installation{"Project compiled and installed under " + std::string(gameDirectoryShown), {}};
  for (const Copy& copy : copies) {
    try {
      platform::WriteFileAtomically(
          copy.target, std::span(reinterpret_cast<const std::uint8_t*>(copy.contents.data()), copy.contents.size()));
    } catch (const std::runtime_error& e) {
      copy.Fail(e.what());
    }
    installation.Files.push_back(copy.target);
  }
  return installation;
}

}  // namespace compile
