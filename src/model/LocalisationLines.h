#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace model {

// One Object=(Name=...,Class=...,...) line of a localisation (.int) file.
struct DeclaredObject {
  // "Package.Object", as the line writes it.
  std::string Name;
  std::string Class;
  std::string MetaClass;
  // Without its quotes; none when the line has no Description.
  std::optional<std::string> Description;
};

// The Object lines of a localisation file, in file order; keys in any letter
// case, values trimmed, quoted values holding commas and parentheses. Throws
// naming the file when it cannot be read.
std::vector<DeclaredObject> ReadDeclaredObjects(const std::filesystem::path& intFile);

}  // namespace model
