#pragma once

#include <optional>
#include <string>

#include "modelcompiler/StandingPlacement.h"
#include "preview/PreviewMesh.h"

namespace model {
class TModelo;
}

namespace preview {

// The model's scale, position and rotation (degrees) in the preview.
using Placement = modelcompiler::Placement;

Placement PlacementOf(const model::TModelo& definition);
void ApplyPlacement(const Placement& placement, model::TModelo& definition);

// The box of what the mesh's actors draw in its rest frame, as placed: what
// the camera keeps out of. None without a mesh.
std::optional<modelcompiler::Box> RestBox(const PreviewMesh* mesh, const Placement& placement);

// The steps of "Increments used": "Small", "Medium", "Big".
enum class Increments { Small = 0, Medium = 1, Big = 2 };

// A typed character while the keys are allowed: x/X, y/Y, z/Z move, p/P,
// r/R, t/T rotate, s/S scale (never to 0 or below). Returns true for "a" or
// "A", which toggles the axes cube.
bool ApplyPlacementKey(char key, Increments increments, Placement& placement);

// The three status panels: "Scale=(...)", "Position=(...)", "Rotation=(...)".
std::string ScaleText(const Placement& placement);
std::string PositionText(const Placement& placement);
std::string RotationText(const Placement& placement);

// Writes the nine values into the definition's file and section
// (DefinitionId), atomically, five decimals each.
void SaveModelPosition(const model::TModelo& definition, const Placement& placement);

}  // namespace preview
