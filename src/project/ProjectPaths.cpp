#include "project/ProjectPaths.h"

namespace project {

namespace {

bool HasDriveOrRoot(std::string_view path) {
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  const bool server = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  return drive || server || (!path.empty() && path[0] == '/');
}

}  // namespace

std::string ToProjectPath(const std::filesystem::path& file, const std::filesystem::path& home) {
  std::string homeText = home.string();
  if (!homeText.empty() && homeText.back() != '/') homeText += '/';
  const std::string fileText = file.string();
  if (homeText.size() <= 1 || fileText.compare(0, homeText.size(), homeText) != 0) return fileText;
  std::string relative = fileText.substr(homeText.size());
  for (char& c : relative)
    if (c == '/') c = '\\';
  return relative;
}

std::filesystem::path FromProjectPath(std::string_view stored, const std::filesystem::path& home) {
  std::string path(stored);
  const bool absolute = HasDriveOrRoot(path);
  for (char& c : path)
    if (c == '\\') c = '/';
  return absolute ? std::filesystem::path(path) : home / path;
}

}  // namespace project
