#pragma once

#include <filesystem>

#include "model/TModelo.h"
#include "model3d/TObjeto3D.h"

namespace preview {

// The preview's model from a definition's mesh in an Unreal package, made as
// the model compiler makes it: every frame (a skeletal mesh's reference pose),
// the sequences, resting where its rest sequence starts; the definition's
// MirrorX mirrors it. Errors are the messages the preview shows: "Mesh not
// found in package", or what reading the package and the mesh says.
model3d::TObjeto3D LoadMeshFromPackage(const model::TModelo& definition, const std::filesystem::path& packageFile);

// The package file of a definition's mesh: the package part of `Mesh`, with
// ".U", found ignoring letter case in the game's System folder (for Unreal
// Tournament models, the program home otherwise), then the program home, then
// the folder of the definition file. "Mesh package not found" when none has it.
std::filesystem::path FindMeshPackage(const model::TModelo& definition, const std::filesystem::path& home);

}  // namespace preview
