#include "preview/ModelPlacement.h"

#include <algorithm>
#include <cstdio>

#include "model/TModelo.h"
#include "platform/IniFile.h"

namespace preview {

namespace {

struct Steps {
  float Move, Rotate, Scale;
};

Steps StepsOf(Increments increments) {
  switch (increments) {
    case Increments::Medium:
      return {5.0f, 22.5f, 0.1f};
    case Increments::Big:
      return {20.0f, 90.0f, 1.0f};
    case Increments::Small:
      break;
  }
  return {0.5f, 1.0f, 0.01f};
}

std::string Format(const char* format, float a, float b, float c) {
  char text[128];
  std::snprintf(text, sizeof text, format, static_cast<double>(a), static_cast<double>(b), static_cast<double>(c));
  return text;
}

std::string FiveDecimals(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%1.5f", static_cast<double>(value));
  return text;
}

}  // namespace

Placement PlacementOf(const model::TModelo& definition) {
  return {definition.ScaleX,  definition.ScaleY,  definition.ScaleZ, definition.OffsetX, definition.OffsetY,
          definition.OffsetZ, definition.Pitch,   definition.Roll,   definition.Turn};
}

std::optional<modelcompiler::Box> RestBox(const PreviewMesh* mesh, const Placement& placement) {
  if (!mesh) return std::nullopt;
  modelcompiler::Box box;
  for (const ActorMesh& actor : mesh->Actors) {
    const std::size_t values = actor.CornerCount() * 3;
    const std::size_t first = static_cast<std::size_t>(std::max(mesh->StillFrame, 0)) * values;
    if (first + values > actor.Positions.size()) continue;
    for (std::size_t i = first; i < first + values; i += 3)
      box.Add(modelcompiler::Placed({actor.Positions[i], actor.Positions[i + 1], actor.Positions[i + 2]}, placement));
  }
  if (box.Empty()) return std::nullopt;
  return box;
}

void ApplyPlacement(const Placement& placement, model::TModelo& definition) {
  definition.ScaleX = placement.ScaleX;
  definition.ScaleY = placement.ScaleY;
  definition.ScaleZ = placement.ScaleZ;
  definition.OffsetX = placement.OffsetX;
  definition.OffsetY = placement.OffsetY;
  definition.OffsetZ = placement.OffsetZ;
  definition.Pitch = placement.Pitch;
  definition.Roll = placement.Roll;
  definition.Turn = placement.Turn;
}

bool ApplyPlacementKey(char key, Increments increments, Placement& placement) {
  const Steps steps = StepsOf(increments);
  switch (key) {
    case 'x': placement.OffsetX -= steps.Move; break;
    case 'X': placement.OffsetX += steps.Move; break;
    case 'y': placement.OffsetY -= steps.Move; break;
    case 'Y': placement.OffsetY += steps.Move; break;
    case 'z': placement.OffsetZ -= steps.Move; break;
    case 'Z': placement.OffsetZ += steps.Move; break;
    case 'p': placement.Pitch -= steps.Rotate; break;
    case 'P': placement.Pitch += steps.Rotate; break;
    case 'r': placement.Roll -= steps.Rotate; break;
    case 'R': placement.Roll += steps.Rotate; break;
    case 't': placement.Turn -= steps.Rotate; break;
    case 'T': placement.Turn += steps.Rotate; break;
    case 's':
      if (placement.ScaleX - steps.Scale > 0 && placement.ScaleY - steps.Scale > 0 && placement.ScaleZ - steps.Scale > 0) {
        placement.ScaleX -= steps.Scale;
        placement.ScaleY -= steps.Scale;
        placement.ScaleZ -= steps.Scale;
      }
      break;
    case 'S':
      placement.ScaleX += steps.Scale;
      placement.ScaleY += steps.Scale;
      placement.ScaleZ += steps.Scale;
      break;
    case 'a':
    case 'A':
      return true;
    default:
      break;
  }
  return false;
}

std::string ScaleText(const Placement& p) { return Format("Scale=(%.2f %.2f %.2f)", p.ScaleX, p.ScaleY, p.ScaleZ); }
std::string PositionText(const Placement& p) {
  return Format("Position=(%.1f %.1f %.1f)", p.OffsetX, p.OffsetY, p.OffsetZ);
}
std::string RotationText(const Placement& p) { return Format("Rotation=(%.0f %.0f %.0f)", p.Pitch, p.Roll, p.Turn); }

void SaveModelPosition(const model::TModelo& definition, const Placement& placement) {
  const std::filesystem::path file = definition.DefinitionFile();
  const std::string section = definition.DefinitionSection();
  platform::IniFile ini = platform::IniFile::Load(file);
  const std::pair<const char*, float> values[] = {
      {"ScaleX", placement.ScaleX},   {"ScaleY", placement.ScaleY},   {"ScaleZ", placement.ScaleZ},
      {"OffsetX", placement.OffsetX}, {"OffsetY", placement.OffsetY}, {"OffsetZ", placement.OffsetZ},
      {"Pitch", placement.Pitch},     {"Roll", placement.Roll},       {"Turn", placement.Turn}};
  for (const auto& [key, value] : values) ini.WriteString(section, key, FiveDecimals(value));
  ini.Save(file);
}

}  // namespace preview
