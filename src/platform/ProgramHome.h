#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

// The program's home, where the settings file, definition files, CustomModels/
// and relative texture paths live: the --home option, else UTMARBELLE_HOME,
// else, for an installed copy, the per-user data folder with the sample
// content copied in where missing; else the executable's folder when it is
// writable (portable use), else the per-user data folder. The home is made
// absolute and created when missing; a home that cannot be created is an
// error naming it.
std::filesystem::path ResolveProgramHome(const std::optional<std::filesystem::path>& homeOption);
// The same for a program in `executableDirectory`.
std::filesystem::path ResolveProgramHome(const std::optional<std::filesystem::path>& homeOption,
                                         const std::filesystem::path& executableDirectory);

std::filesystem::path ExecutableDirectory();
// The data folder of an installed copy: PREFIX/share/utmarbelle for a program
// in PREFIX/bin, when that folder exists; nullopt for a build or copied folder.
std::optional<std::filesystem::path> InstalledDataDirectory(const std::filesystem::path& executableDirectory);
// Where the manual and the sample content are: the installed data folder,
// else the executable's folder.
std::filesystem::path ProgramDataDirectory();
// $HOME, else the password database's entry.
std::filesystem::path HomeDirectory();
// $XDG_DATA_HOME/utmarbelle, else ~/.local/share/utmarbelle.
std::filesystem::path UserDataDirectory();
// $XDG_DATA_HOME, else ~/.local/share: where desktop entries and MIME types go.
std::filesystem::path XdgDataHome();
// $XDG_DATA_DIRS, else /usr/local/share and /usr/share: the system-wide
// places of desktop entries and MIME types.
std::vector<std::filesystem::path> XdgDataDirectories();
// $XDG_CONFIG_HOME/utmarbelle, else ~/.config/utmarbelle.
std::filesystem::path UserConfigDirectory();

// The program settings file in the home; one name for every program of the
// suite, so that they share their settings.
std::filesystem::path SettingsFilePath(const std::filesystem::path& home);

}  // namespace platform
