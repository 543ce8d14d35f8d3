#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/ExternalModel.h"
#include "modelcompiler/MaterialList.h"
#include "modelcompiler/ModelOutput.h"
#include "modelcompiler/PackageModelCompile.h"

// What "Compile..." does on each page of the model compiler: build the model,
// then write its files.
namespace modelcompiler {

// The choice a package model is first shown with: every frame (a skeletal
// mesh has only its reference pose), resting in its rest sequence's first frame.
FrameChoice InitialFrameChoice(const PackageModel& model);

struct PackageModelCompilation {
  std::vector<std::string> Notes;
  ModelOutputFiles Files;
};

// Compiles the package model into `model` and writes its definition and wire
// bitmaps into `folder`, CustomModels under the home when empty.
PackageModelCompilation CompilePackageModelFiles(const PackageModel& source, const FrameChoice& choice,
                                                 const std::filesystem::path& home, const OutputQuestions& questions,
                                                 model3d::TObjeto3D& model, const std::filesystem::path& folder = {});

// A package model as it would compile with every frame, and the definition
// it would get, for showing before it is compiled.
struct PackageModelDraft {
  model3d::TObjeto3D Model;
  std::shared_ptr<model::TModelo> Definition;
};
PackageModelDraft DraftPackageModel(const PackageModel& source, bool mirrorX, const std::filesystem::path& home);

// The description proposed for an external model: its file name without extension.
std::string ExternalModelDescription(const ExternalModelInfo& info);

// Compiles a mesh read from an external model file: its materials take the
// list's order (Painter3D's four skins are in order already), it rests on its
// one frame, and the outputs include the compiled model data file and leave
// every section's face and team to the definition.
ModelOutputFiles CompileExternalModel(model3d::TObjeto3D& model, const ExternalModelInfo& info,
                                      const std::vector<MaterialListEntry>& materials, const std::string& description,
                                      const std::filesystem::path& home, const OutputQuestions& questions);

}  // namespace modelcompiler
