#include "modelcompiler/ModelCompilation.h"

namespace modelcompiler {

FrameChoice InitialFrameChoice(const PackageModel& model) {
  FrameChoice choice;
  choice.Animated = model.Mesh.Kind != MeshKind::SkeletalMesh;
  choice.Sequence = model.RestSequence;
  return choice;
}

PackageModelCompilation CompilePackageModelFiles(const PackageModel& source, const FrameChoice& choice,
                                                 const std::filesystem::path& home, const OverwriteQuestion& overwrite,
                                                 model3d::TObjeto3D& model, const StatusReport& status) {
  if (status) status("Compiling");
  PackageModelCompilation result;
  result.Notes = CompilePackageModel(source, choice, model);
  result.Files = WriteModelOutput(model, PackageModelOutput(source, choice.MirrorX, home), overwrite, status);
  return result;
}

std::string ExternalModelDescription(const ExternalModelInfo& info) {
  return std::filesystem::path(info.ModelName).stem().string();
}

ModelOutputFiles CompileExternalModel(model3d::TObjeto3D& model, const ExternalModelInfo& info,
                                      const std::vector<MaterialListEntry>& materials, const std::string& description,
                                      const std::filesystem::path& home, const OverwriteQuestion& overwrite,
                                      const StatusReport& status) {
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
  return WriteModelOutput(model, settings, overwrite, status);
}

}  // namespace modelcompiler
