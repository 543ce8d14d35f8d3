#include "modelcompiler/ExternalModel.h"

#include <algorithm>
#include <stdexcept>

#include "modelcompiler/ExternalReaders.h"
#include "platform/AsciiText.h"

namespace modelcompiler {

namespace {

// The model name of an Unreal 3D pair: the path without extension and without the _d or _a.
std::string Unreal3DModelName(const std::filesystem::path& file) {
  std::string name = file.string();
  name.erase(name.size() - file.extension().string().size());
  name.erase(name.size() - std::min<std::size_t>(2, file.stem().string().size()));
  return name;
}

}  // namespace

ExternalModelInfo InspectExternalModel(const std::filesystem::path& file) {
  const std::string extension = platform::ToUpperAscii(file.extension().string());
  ExternalModelInfo info;
  info.ModelName = file.string();
  if (extension == ".3DS") {
    info.Kind = ExternalModelKind::Studio3DS;
    InspectStudio3DS(info);
  } else if (extension == ".MS3D") {
    info.Kind = ExternalModelKind::MilkShape3D;
    InspectMilkShape(info);
  } else if (extension == ".P3D") {
    info.Kind = ExternalModelKind::Painter3D;
    InspectPainter3D(info);
  } else if (extension == ".3D") {
    info.Kind = ExternalModelKind::Unreal3D;
    info.ModelName = Unreal3DModelName(file);
    InspectUnreal3D(info);
  } else {
    throw std::runtime_error("Unknown file format.");
  }
  return info;
}

void ReadExternalMesh(const ExternalModelInfo& info, int number, model3d::TObjeto3D& model) {
  model.Clear();
  if (number < 0 || number > info.MaxNumber)
    FailModelFile(info.ModelName, info.MaxNumber < 0
                                      ? "the file holds no mesh or frame"
                                      : "there is no mesh or frame " + std::to_string(number) +
                                            " (the file holds 0 to " + std::to_string(info.MaxNumber) + ")");
  switch (info.Kind) {
    case ExternalModelKind::Studio3DS:
      ReadStudio3DSMesh(info.ModelName, number, model);
      break;
    case ExternalModelKind::MilkShape3D:
      ReadMilkShapeMesh(info.ModelName, model);
      break;
    case ExternalModelKind::Painter3D:
      ReadPainter3DMesh(info.ModelName, number, model);
      RecreatePainter3DMaterials(model);
      break;
    case ExternalModelKind::Unreal3D:
      ReadUnreal3DMesh(info.ModelName, number, model);
      break;
  }
}

}  // namespace modelcompiler
