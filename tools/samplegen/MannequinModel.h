#pragma once

#include <filesystem>

namespace samplegen {

// Writes Mannequin.u and Mannequin.int into `folder`: a humanoid LodMesh of
// boxes with a breathing ("Breath1") and a running animation, skinned by a
// body, a head and a masked visor texture, and the player class that uses it.
void WriteMannequinPackage(const std::filesystem::path& folder);

}  // namespace samplegen
