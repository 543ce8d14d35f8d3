#include "platform/FileTypeRegistration.h"

namespace platform {

namespace {

// The key's default value, after writing `proposed` when it had none; nullopt
// when the key cannot be created or written.
std::optional<std::string> EnsureDefaultValue(Registry& registry, const std::string& key, std::string_view proposed) {
  if (!registry.CreateKey(key)) return std::nullopt;
  const std::string value = registry.ReadDefaultValue(key).value_or("");
  if (!value.empty()) return value;
  if (!registry.WriteDefaultValue(key, proposed)) return std::nullopt;
  return std::string(proposed);
}

}  // namespace

void RegisterModelFileTypes(Registry& registry) {
  if (const auto type = EnsureDefaultValue(registry, "\\.mrbe", "MRBEfile")) {
    const std::string key = "\\" + *type;
    EnsureDefaultValue(registry, key, "UTMarbelle Model Extension");
    registry.WriteDefaultValue(key + "\\shell", "open");
    EnsureDefaultValue(registry, key + "\\shell\\open", "&Open");
    EnsureDefaultValue(registry, key + "\\shell\\open\\command", "NOTEPAD.EXE \"%L\"");
  }
  if (const auto type = EnsureDefaultValue(registry, "\\.mrbm", "MRBMfile"))
    EnsureDefaultValue(registry, "\\" + *type, "UTMarbelle Model Data");
}

}  // namespace platform
