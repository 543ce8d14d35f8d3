#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <memory>
#include <optional>
#include <vector>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/PackageModel.h"

namespace model {
class TModelo;
}

namespace modelcompiler {

// Model kinds 1 to 4 are the external file kinds; package models are 5.
inline constexpr int PackageModelKind = 5;

struct ModelOutputSettings {
  std::filesystem::path Home;
  // Where the files go: CustomModels under the home when empty.
  std::filesystem::path Folder;
  int ModelKind = PackageModelKind;
  // The mesh object's name, or the external model file's path.
  std::string ModelName;
  bool WriteDataFile = false;
  std::string Description;
  std::string PackageName;
  std::string MeshName;
  bool MirrorX = false;
  // A package mesh's own rotation, which its standing placement undoes.
  MeshRotation Rotation;
  AdvancedModelSupport Ams;
  // For a package model: the sections its scripts load and how they name them.
  std::optional<SkinScheme> Scheme;
};

// The settings a package model is written with.
ModelOutputSettings PackageModelOutput(const PackageModel& model, bool mirrorX, const std::filesystem::path& home);

// The model definition's lines, in file order.
std::vector<std::string> ModelDefinitionLines(const model3d::TObjeto3D& model, const ModelOutputSettings& settings);

// The definition the lines make, read as the catalogue reads `file`.
std::shared_ptr<model::TModelo> DefinitionOfLines(const std::vector<std::string>& lines,
                                                  const std::filesystem::path& file);

struct ModelOutputFiles {
  std::filesystem::path DataFile;
  std::vector<std::filesystem::path> WireBitmaps;
  std::filesystem::path Definition;
  // False when the definition existed and the caller chose to keep it.
  bool DefinitionWritten = false;
  // True when the caller chose not to write a model with a problem: nothing was written.
  bool Abandoned = false;
};

// Asked when the definition exists already: true replaces it.
using OverwriteQuestion = std::function<bool(const std::filesystem::path& definition)>;
// Asked before anything is written, with what a project for the model would
// trip over (textures of two sections named alike): true writes anyway.
using ProblemQuestion = std::function<bool(const std::string& problem)>;
using StatusReport = std::function<void(const std::string& status)>;

// What writing asks and tells. Without an answer, the definition is kept and
// a problem does not stop the writing.
struct OutputQuestions {
  OverwriteQuestion Overwrite{};
  ProblemQuestion WriteDespite{};
  StatusReport Status{};
};

// Writes the compiled model data file (when asked), one wire bitmap per drawn
// material and the model definition into the settings' folder. Files
// written before a failure stay.
ModelOutputFiles WriteModelOutput(const model3d::TObjeto3D& model, const ModelOutputSettings& settings,
                                  const OutputQuestions& questions);

}  // namespace modelcompiler
