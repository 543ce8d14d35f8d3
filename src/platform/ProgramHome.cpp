#include "platform/ProgramHome.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/SampleContent.h"

namespace platform {

namespace {

const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

std::filesystem::path XdgDirectory(const char* variable, const char* fallbackUnderHome) {
  // The XDG rules say to ignore a relative value.
  if (const char* value = Environment(variable); value && *value == '/') return value;
  return HomeDirectory() / fallbackUnderHome;
}

std::filesystem::path PreparedHome(const std::filesystem::path& home) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(home, ec);
  if (!ec) std::filesystem::create_directories(absolute, ec);
  if (ec) throw std::runtime_error("Cannot use \"" + home.string() + "\" as the program home: " + ec.message());
  return absolute;
}

}  // namespace

std::filesystem::path ResolveProgramHome(const std::optional<std::filesystem::path>& homeOption) {
  return ResolveProgramHome(homeOption, ExecutableDirectory());
}

std::filesystem::path ResolveProgramHome(const std::optional<std::filesystem::path>& homeOption,
                                         const std::filesystem::path& executableDirectory) {
  if (homeOption && !homeOption->empty()) return PreparedHome(*homeOption);
  if (const char* home = Environment("UTMARBELLE_HOME")) return PreparedHome(home);
  // An installed copy never keeps the user's files beside itself, even when
  // root can write there.
  if (const auto data = InstalledDataDirectory(executableDirectory)) {
    const std::filesystem::path home = PreparedHome(UserDataDirectory());
    CopyMissingSampleContent(*data / "sample", home);
    return home;
  }
  if (::access(executableDirectory.c_str(), W_OK) == 0) return executableDirectory;
  return PreparedHome(UserDataDirectory());
}

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw std::runtime_error("Cannot find the program's folder through \"/proc/self/exe\": " + ec.message());
  return executable.parent_path();
}

std::optional<std::filesystem::path> InstalledDataDirectory(const std::filesystem::path& executableDirectory) {
  if (executableDirectory.filename() != "bin") return std::nullopt;
  const std::filesystem::path data = executableDirectory.parent_path() / "share" / "utmarbelle";
  std::error_code ec;
  if (!std::filesystem::is_directory(data, ec)) return std::nullopt;
  return data;
}

std::filesystem::path ProgramDataDirectory() {
  const std::filesystem::path executable = ExecutableDirectory();
  return InstalledDataDirectory(executable).value_or(executable);
}

std::filesystem::path HomeDirectory() {
  if (const char* home = Environment("HOME")) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
  throw std::runtime_error("Cannot find the user's home folder: HOME is not set");
}

std::filesystem::path UserDataDirectory() { return XdgDataHome() / "utmarbelle"; }

std::filesystem::path XdgDataHome() { return XdgDirectory("XDG_DATA_HOME", ".local/share"); }

std::vector<std::filesystem::path> XdgDataDirectories() {
  std::vector<std::filesystem::path> directories;
  std::istringstream list(Environment("XDG_DATA_DIRS") ? Environment("XDG_DATA_DIRS") : "/usr/local/share:/usr/share");
  for (std::string directory; std::getline(list, directory, ':');)
    if (!directory.empty() && directory.front() == '/') directories.emplace_back(directory);
  return directories;
}

std::filesystem::path UserConfigDirectory() { return XdgDirectory("XDG_CONFIG_HOME", ".config") / "utmarbelle"; }

std::filesystem::path SettingsFilePath(const std::filesystem::path& home) { return home / "UTMarbelle.ini"; }

}  // namespace platform
