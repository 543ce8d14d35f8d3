#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <unordered_map>
#include <vector>

#include "compile/Palette.h"

namespace project {
class ProjectDocument;
struct ProjectOptions;
class SkinNode;
}  // namespace project

namespace compile {

// The textures that share one palette, and the name of its palette object.
struct PaletteGroup {
  std::string ObjectName;
  // Texture nodes in tree order.
  std::vector<const project::SkinNode*> Members;
};

// The palette quality a project's options choose.
PaletteQuality QualityOf(const project::ProjectOptions& options);

// The palette groups of a project under its "Palettes generation" option: one
// per texture, one per skin, or one for the package. A masked texture whose
// palette reserves entry 0 keeps a palette of its own in every mode (named
// "Palette_" + its texture name when the others are shared), so the mask
// survives and every palette the package stores is referenced. A texture
// whose file was not found belongs to no group.
std::vector<PaletteGroup> PaletteGroups(const project::ProjectDocument& document);

// Gives every texture of a project its working bitmap and palette. It
// remembers what it built: a texture whose source and settings did not change
// keeps its working bitmap, a group whose working bitmaps did not change keeps
// its palette, with results identical to a generation from nothing. Returns
// the textures whose working bitmap or palette changed, in tree order, so a
// view redraws those alone. A stop request ends it with CompileCancelled
// before it stores anything.
class PaletteGenerator {
public:
  std::vector<const project::SkinNode*> Generate(project::ProjectDocument& document, int jobs = 1,
                                                 const std::stop_token& stop = {});

private:
  std::unordered_map<std::uint64_t, Palette> groupPalettes_;
};

}  // namespace compile
