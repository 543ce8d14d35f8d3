#include "preview/CameraPresets.h"

#include <cstdio>

#include "model/ModelDefinition.h"
#include "model/TModelo.h"
#include "platform/IniFile.h"

namespace preview {

CameraPose PoseOf(const model::TCameraPreset& preset) {
  return {{preset.CameraX, preset.CameraY, preset.CameraZ}, {preset.TargetX, preset.TargetY, preset.TargetZ}};
}

model::TCameraPreset PresetOf(const std::string& name, const CameraPose& pose) {
  return {name, pose.Camera.X, pose.Camera.Y, pose.Camera.Z, pose.Target.X, pose.Target.Y, pose.Target.Z};
}

std::string ProposedPresetName(std::size_t presetCount) { return "Preset#" + std::to_string(presetCount + 1); }

bool CanRemovePreset(std::size_t presetCount) { return presetCount > 1; }

std::vector<model::TCameraPreset> SavePresets(const model::TModelo& definition,
                                              const std::vector<model::TCameraPreset>& presets) {
  const std::filesystem::path file = definition.DefinitionFile();
  const std::string section = definition.DefinitionSection();
  platform::IniFile ini = platform::IniFile::Load(file);
  std::size_t held = 0;
  while (!ini.ReadString(section, "Preset" + std::to_string(held + 1), "").empty()) ++held;
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const model::TCameraPreset& p = presets[i];
    char values[256];
    std::snprintf(values, sizeof values, ";%.2f;%.2f;%.2f;%.2f;%.2f;%.2f", static_cast<double>(p.CameraX),
                  static_cast<double>(p.CameraY), static_cast<double>(p.CameraZ), static_cast<double>(p.TargetX),
                  static_cast<double>(p.TargetY), static_cast<double>(p.TargetZ));
    ini.WriteString(section, "Preset" + std::to_string(i + 1), p.Name + values);
  }
  for (std::size_t i = presets.size(); i < held; ++i) ini.WriteString(section, "Preset" + std::to_string(i + 1), "");
  ini.Save(file);
  return model::ReadCameraPresets(ini, section);
}

}  // namespace preview
