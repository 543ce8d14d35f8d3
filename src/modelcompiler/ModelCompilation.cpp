#include "modelcompiler/ModelCompilation.h"

#include "modelcompiler/ModelFiles.h"

namespace modelcompiler {

FrameChoice InitialFrameChoice(const PackageModel& model) {
  FrameChoice choice;
  choice.Animated = model.Mesh.Kind != MeshKind::SkeletalMesh;
  choice.Sequence = model.RestSequence;
  return choice;
}

PackageModelCompilation CompilePackageModelFiles(const PackageModel& source, const FrameChoice& choice,
                                                 const std::filesystem::path& home, const OutputQuestions& questions,
                                                 model3d::TObjeto3D& model, const std::filesystem::path& folder) {
  if (questions.Status) questions.Status("Compiling");
  PackageModelCompilation result;
  result.Notes = CompilePackageModel(source.Mesh, choice, model);
  ModelOutputSettings settings = PackageModelOutput(source, choice.MirrorX, home);
  settings.Folder = folder;
  result.Files = WriteModelOutput(model, settings, questions);
  return result;
}

PackageModelDraft DraftPackageModel(const PackageModel& source, bool mirrorX, const std::filesystem::path& home) {
  PackageModelDraft draft;
  FrameChoice choice = InitialFrameChoice(source);
  choice.MirrorX = mirrorX;
  CompilePackageModel(source.Mesh, choice, draft.Model);
  const ModelOutputSettings settings = PackageModelOutput(source, mirrorX, home);
  draft.Definition = DefinitionOfLines(ModelDefinitionLines(draft.Model, settings),
                                       CustomModelsDirectory(home) / (OutputBaseName(source.ModelName) + ".mrbe"));
  return draft;
}

std::string ExternalModelDescription(const ExternalModelInfo& info) {
  return std::filesystem::path(info.ModelName).stem().string();
}

ModelOutputFiles CompileExternalModel(model3d::TObjeto3D& model, const ExternalModelInfo& info,
                                      const std::vector<MaterialListEntry>& materials, const std::string& description,
                                      const std::filesystem::path& home, const OutputQuestions& questions) {
  const StatusReport& status = questions.Status;
  if (status) status("Compiling");
  if (info.Kind != ExternalModelKind::Painter3D) {
    if (status) status("Adjusting materials");
    AdjustMaterials(model, materials);
  }
  model.StillFrame = 0;
  ModelOutputSettings settings;
  settings.Home = home;
  settings.ModelKind = static_cast<int>(info.Kind);
  settings.ModelName = info.ModelName;
  settings.WriteDataFile = true;
  settings.Description = description;
  return WriteModelOutput(model, settings, questions);
}

}  // namespace modelcompiler
