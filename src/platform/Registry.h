#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IniFile.h"

namespace platform {

// The desktop shell's file-type registry (HKEY_CLASSES_ROOT on Windows). Keys
// are backslash paths such as "\unreal\Shell\open\command", matched without
// regard to ASCII letter case; values are the keys' default (unnamed) values.
class Registry {
public:
  virtual ~Registry() = default;

  // Opens the key without creating it: nullopt when it does not exist, "" when
  // it has no default value.
  virtual std::optional<std::string> ReadDefaultValue(std::string_view key) const = 0;
  // Opens the key, creating it and its parents when missing; false when that
  // is not possible.
  virtual bool CreateKey(std::string_view key) = 0;
  // Creates the key when missing and sets its default value; false when that
  // is not possible.
  virtual bool WriteDefaultValue(std::string_view key, std::string_view value) = 0;
};

// The key without leading, trailing or doubled backslashes: "\a\\b\" is "a\b".
std::string CanonicalKeyPath(std::string_view key);

// The registry as Linux keeps it for this user: an INI file with one section per
// key (named by its canonical path) and the default value under "@". Every
// change is written to the file at once, atomically.
class UserRegistry final : public Registry {
public:
  // A missing file is an empty registry; an unreadable one is an error naming it.
  explicit UserRegistry(std::filesystem::path storeFile);

  std::optional<std::string> ReadDefaultValue(std::string_view key) const override;
  bool CreateKey(std::string_view key) override;
  bool WriteDefaultValue(std::string_view key, std::string_view value) override;

private:
  template <typename Change>
  bool Update(Change change);

  std::filesystem::path storeFile_;
  IniFile store_;
};

// UserConfigDirectory()/registry.ini.
std::filesystem::path DefaultUserRegistryPath();

}  // namespace platform
