#pragma once

#include <filesystem>

#include "model/TModelo.h"
#include "model3d/TObjeto3D.h"

namespace preview {

// The preview's model from a definition's mesh in an Unreal package: every
// frame, the texture coordinates, triangles in the order the preview draws
// them, materials named "SKIN" + index with their render style, the
// sequences and the rest frame (the start of "Breath1"). The definition's
// MirrorX mirrors it. Errors are the messages the preview shows: "Mesh not
// found in package", "Invalid Mesh", or what reading the package says.
model3d::TObjeto3D LoadMeshFromPackage(const model::TModelo& definition, const std::filesystem::path& packageFile);

// The package file of a definition's mesh: the package part of `Mesh`, with
// ".U", found ignoring letter case in the game's System folder (for Unreal
// Tournament models, the program home otherwise), then the program home, then
// the folder of the definition file. "Mesh package not found" when none has it.
std::filesystem::path FindMeshPackage(const model::TModelo& definition, const std::filesystem::path& home);

}  // namespace preview
