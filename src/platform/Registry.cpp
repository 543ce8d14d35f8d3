#include "platform/Registry.h"

#include <algorithm>

#include "platform/ProgramHome.h"

namespace platform {

namespace {

constexpr std::string_view DefaultValueKey = "@";

void AddKeyWithParents(IniFile& store, const std::string& path) {
  for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
    store.AddSection(path.substr(0, end));
  store.AddSection(path);
}

}  // namespace

std::string CanonicalKeyPath(std::string_view key) {
  std::string path;
  for (std::size_t start = 0; start < key.size();) {
    const std::size_t end = std::min(key.find('\\', start), key.size());
    if (end > start) {
      if (!path.empty()) path += '\\';
      path += key.substr(start, end - start);
    }
    start = end + 1;
  }
  return path;
}

UserRegistry::UserRegistry(std::filesystem::path storeFile)
    : storeFile_(std::move(storeFile)), store_(IniFile::Load(storeFile_)) {}

template <typename Change>
bool UserRegistry::Update(Change change) {
  IniFile updated = store_;
  try {
    change(updated);
    std::filesystem::create_directories(storeFile_.parent_path());
    updated.Save(storeFile_);
  } catch (const std::runtime_error&) {
    // A key that cannot be created (a name the file cannot hold, a store that
    // cannot be written) is skipped by the callers without a message.
    return false;
  }
  store_ = std::move(updated);
  return true;
}

std::optional<std::string> UserRegistry::ReadDefaultValue(std::string_view key) const {
  const std::string path = CanonicalKeyPath(key);
  if (!store_.HasSection(path)) return std::nullopt;
  return store_.ReadString(path, DefaultValueKey, "");
}

bool UserRegistry::CreateKey(std::string_view key) {
  const std::string path = CanonicalKeyPath(key);
  return store_.HasSection(path) || Update([&](IniFile& store) { AddKeyWithParents(store, path); });
}

bool UserRegistry::WriteDefaultValue(std::string_view key, std::string_view value) {
  const std::string path = CanonicalKeyPath(key);
  return Update([&](IniFile& store) {
    AddKeyWithParents(store, path);
    store.WriteString(path, DefaultValueKey, value);
  });
}

std::filesystem::path DefaultUserRegistryPath() { return UserConfigDirectory() / "registry.ini"; }

}  // namespace platform
