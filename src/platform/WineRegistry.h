#pragma once

#include <filesystem>
#include <map>

#include "platform/Registry.h"

namespace platform {

// HKEY_CLASSES_ROOT as a Wine prefix records it: the keys under
// Software\Classes in its system.reg. Read-only: keys cannot be created and
// values cannot be written.
class WineRegistry final : public Registry {
public:
  // A missing, unreadable or foreign file is an empty registry: the prefix is
  // only one of the places where the game may be recorded.
  explicit WineRegistry(const std::filesystem::path& systemReg);

  std::optional<std::string> ReadDefaultValue(std::string_view key) const override;
  // True only for a key that exists already.
  bool CreateKey(std::string_view key) override;
  bool WriteDefaultValue(std::string_view key, std::string_view value) override;

private:
  // Lower-case canonical key path to default value.
  std::map<std::string, std::string> defaults_;
};

// $WINEPREFIX, else ~/.wine.
std::filesystem::path WinePrefix();

}  // namespace platform
