#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"

namespace modelcompiler {

enum class ExternalModelKind : std::uint8_t { Studio3DS = 1, MilkShape3D = 2, Painter3D = 3, Unreal3D = 4 };

// What choosing an external model file shows before its mesh is read.
struct ExternalModelInfo {
  ExternalModelKind Kind = ExternalModelKind::Studio3DS;
  // The file path; for Unreal 3D without its extension and without the _d or _a.
  std::string ModelName;
  std::vector<std::string> Lines;
  // The highest mesh or frame number the user can choose; -1 when the file holds none.
  int MaxNumber = 0;
};

// Recognises the kind by the extension and reads the information lines.
// Unknown extensions raise "Unknown file format.".
ExternalModelInfo InspectExternalModel(const std::filesystem::path& file);

// Empties the model and fills it with mesh or frame `number` of the file: one
// frame, rest frame 0, no animation sequences.
void ReadExternalMesh(const ExternalModelInfo& info, int number, model3d::TObjeto3D& model);

}  // namespace modelcompiler
