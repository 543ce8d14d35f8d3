#pragma once

#include <string>

namespace model {
class TModelo;
}

namespace preview {

// The model's scale, position and rotation (degrees) in the preview.
struct Placement {
  float ScaleX = 1, ScaleY = 1, ScaleZ = 1;
  float OffsetX = 0, OffsetY = 0, OffsetZ = 0;
  float Pitch = 0, Roll = 0, Turn = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

Placement PlacementOf(const model::TModelo& definition);
void ApplyPlacement(const Placement& placement, model::TModelo& definition);

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
