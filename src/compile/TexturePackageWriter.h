#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace project {
class ProjectDocument;
}

namespace compile {

struct CompileSettings {
  // Derive the package GUID and the two time values from the project's content
  // instead of drawing them at random, so the same project gives the same bytes.
  bool Reproducible = false;
  // Threads for preparing the textures; the output does not depend on it.
  int Jobs = 1;
  // Told after each texture is prepared, from the thread that prepared it:
  // how many are, of how many.
  std::function<void(std::size_t done, std::size_t total)> Progress{};
};

// A compiled project before it is written.
struct TexturePackage {
  std::vector<std::uint8_t> Bytes;
  // The localisation file's text.
  std::string IntText;
  // One message per texture of a section that may not be resampled but has the wrong size.
  std::vector<std::string> Refusals;
  // One message per skin that the game's menus will not list.
  std::vector<std::string> Warnings;
};

// The ".utx" texture package of a project whose palettes are generated: one
// group per skin, one palette object per palette group, one 8-bit texture
// with its mipmaps per texture entry; and the ".int" lines that name them. A
// project whose objects would share a path is refused (ObjectPathClash), and
// so is one with a texture whose file was not found.
// A stop request ends it with CompileCancelled.
TexturePackage BuildTexturePackage(const project::ProjectDocument& document, const CompileSettings& settings,
                                   const std::stop_token& stop = {});

struct CompiledFiles {
  std::filesystem::path PackageFile;
  std::filesystem::path IntFile;
  std::vector<std::string> Refusals;
  std::vector<std::string> Warnings;
};

// Builds the package and writes it and the localisation file beside the
// project file (".utx", ".int"), both written beside and renamed into place together.
CompiledFiles CompileProject(const project::ProjectDocument& document, const CompileSettings& settings);

// The name flags the writer gives a name.
std::uint32_t PackageNameFlags(std::string_view name);

}  // namespace compile
