#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// The program's home, where the settings file, definition files, CustomModels/
// and relative texture paths live: the --home option, else UTMARBELLE_HOME,
// else the executable's folder when it is writable (portable use), else the
// per-user data folder. The home is made absolute and created when missing; a
// home that cannot be created is an error naming it.
std::filesystem::path ResolveProgramHome(const std::optional<std::filesystem::path>& homeOption);

std::filesystem::path ExecutableDirectory();
// $HOME, else the password database's entry.
std::filesystem::path HomeDirectory();
// $XDG_DATA_HOME/utmarbelle, else ~/.local/share/utmarbelle.
std::filesystem::path UserDataDirectory();
// $XDG_DATA_HOME, else ~/.local/share: where desktop entries and MIME types go.
std::filesystem::path XdgDataHome();
// $XDG_CONFIG_HOME/utmarbelle, else ~/.config/utmarbelle.
std::filesystem::path UserConfigDirectory();

// The program settings file in the home; one name for every program of the
// suite, so that they share their settings.
std::filesystem::path SettingsFilePath(const std::filesystem::path& home);

}  // namespace platform
