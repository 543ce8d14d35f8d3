#include "modelcompiler/ModelOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/ModelDefinition.h"
#include "model/TModelo.h"
#include "modelcompiler/ExternalModel.h"
#include "modelcompiler/ModelFiles.h"
#include "modelcompiler/TextureNameClashes.h"
#include "modelcompiler/WireBitmapDrawing.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "raster/BmpFile.h"

namespace modelcompiler {

namespace {

using model3d::TObjeto3D;

bool IsWeaponMaterial(std::int32_t flags) { return (flags & 0xF) == model3d::WeaponMaterial; }

// Three decimals with "." whatever the locale, and no "-0.000".
std::string ThreeDecimals(double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value + 0.0, std::chars_format::fixed, 3).ptr;
  std::string result(text, end);
  if (result == "-0.000") result = "0.000";
  return result;
}

model3d::TVertex3D Centre(const TObjeto3D& model) {
  double low[3] = {2147483648.0, 2147483648.0, 2147483648.0};
  double high[3] = {-2147483648.0, -2147483648.0, -2147483648.0};
  for (const auto& v : model.Frames.front()) {
    const double axes[3] = {v.X, v.Y, v.Z};
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], axes[a]);
      high[a] = std::max(high[a], axes[a]);
    }
  }
  return {static_cast<float>((low[0] + high[0]) * 0.5), static_cast<float>((low[1] + high[1]) * 0.5),
          static_cast<float>((low[2] + high[2]) * 0.5)};
}

void FaceAndTeamLines(const ModelOutputSettings& s, std::size_t m, std::vector<std::string>& lines) {
  const auto teamFormat = [&] {
    if (!s.TeamSkin.empty()) lines.push_back("FormatTeamNoFace=" + s.TeamSkin + "%TEAM%");
  };
  if (s.Ams.Enabled) {
    // The convention gives values for materials 0 to 3; higher ones take its defaults.
    const bool face = m < 4 ? s.Ams.ChangesWithFace[m] : false;
    const bool team = m < 4 ? s.Ams.ChangesWithTeam[m] : true;
    if (face) lines.push_back("Face=Yes");
    if (team) lines.push_back("Team=Yes");
    if (s.Ams.OldTextureNames == 0) {
      lines.push_back("FormatNoTeamNoFace=%SKIN%%SECTION0%");
      lines.push_back("FormatNoTeamFace=%SKIN%%SECTION0%%FACE%");
      lines.push_back("FormatTeamNoFace=%SKIN%%SECTION0%T_%TEAM%");
      lines.push_back("FormatTeamFace=%SKIN%%SECTION0%T_%TEAM%%FACE%");
    }
  } else if (s.FaceSkin < 0) {
    lines.push_back("Face=Yes");
    lines.push_back("Team=Yes");
    teamFormat();
  } else {
    const auto index = static_cast<std::int64_t>(m);
    if (index == s.FaceSkin) lines.push_back("Face=Yes");
    if (index == s.TeamSkin1 || index == s.TeamSkin2) {
      lines.push_back("Team=Yes");
      teamFormat();
    }
  }
}

void StyleLine(std::int32_t flags, std::vector<std::string>& lines) {
  switch (flags & 0xF) {
    case model3d::StyleMasked: lines.push_back("Masked=Yes"); break;
    case model3d::StyleTranslucent: lines.push_back("Translucent=Yes"); break;
    case model3d::StyleModulated: lines.push_back("Modulated=Yes"); break;
    case model3d::StyleTwoSided: lines.push_back("TwoSided=Yes"); break;
    default: break;
  }
}

void TalkTextureSection(const ModelOutputSettings& s, std::vector<std::string>& lines) {
  lines.insert(lines.end(), {"", "[Section5]", "Name=Talk Texture", "Face=Yes"});
  if (s.Ams.Enabled) lines.push_back("Team=Yes");
  lines.insert(lines.end(), {"OneMipMap=Yes", "LODSetWorld=Yes", "TextureSize=64x64", "TalkTexture=Yes"});
  if (s.Ams.Enabled) {
    const std::string& id = s.Ams.TalkTextureID;
    lines.push_back("FormatNoTeamNoFace=%SKIN%" + id);
    lines.push_back("FormatNoTeamFace=%SKIN%" + id + "%FACE%");
    lines.push_back("FormatTeamNoFace=%SKIN%" + id + "T_%TEAM%");
    lines.push_back("FormatTeamFace=%SKIN%" + id + "T_%TEAM%%FACE%");
  }
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void WriteLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  const std::string text = JoinLines(lines);
  platform::WriteFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

ModelOutputSettings PackageModelOutput(const PackageModel& model, bool mirrorX, const std::filesystem::path& home) {
  ModelOutputSettings settings;
  settings.Home = home;
  settings.ModelKind = PackageModelKind;
  settings.ModelName = model.ModelName;
  settings.Description = model.Description;
  settings.FaceSkin = model.Skins.FaceSkin;
  settings.TeamSkin1 = model.Skins.TeamSkin1;
  settings.TeamSkin2 = model.Skins.TeamSkin2;
  settings.TeamSkin = model.Skins.TeamSkin;
  settings.PackageName = model.PackageName;
  settings.MeshName = model.ModelName;
  settings.MirrorX = mirrorX;
  settings.Ams = model.Ams;
  return settings;
}

std::vector<std::string> ModelDefinitionLines(const TObjeto3D& model, const ModelOutputSettings& s) {
  const std::string base = OutputBaseName(s.ModelName);
  const bool package = s.ModelKind == PackageModelKind;
  std::vector<std::string> lines = {"[Model]", "FormatVersion=2", "Name=" + s.Description, "Prefix=" + base};
  if (s.WriteDataFile) lines.push_back("3DFile=" + base + ".mrbm");
  if (package) {
    lines.push_back("Game=UnrealTournament");
    lines.push_back("Mesh=" + s.PackageName + "." + s.MeshName);
    if (s.MirrorX) lines.push_back("MirrorX=Yes");
  }
  const char* scale = package ? "1.5" : "1.0";
  for (const char* axis : {"X", "Y", "Z"}) lines.push_back(std::string("Scale") + axis + "=" + scale);
  const model3d::TVertex3D centre = Centre(model);
  lines.push_back("OffsetX=" + ThreeDecimals(-static_cast<double>(centre.X)));
  lines.push_back("OffsetY=" + ThreeDecimals(-static_cast<double>(centre.Y)));
  lines.push_back("OffsetZ=" + ThreeDecimals(-static_cast<double>(centre.Z)));
  // 3D Studio and Unreal 3D files stand Z up.
  const bool tilted = s.ModelKind == static_cast<int>(ExternalModelKind::Studio3DS) ||
                      s.ModelKind == static_cast<int>(ExternalModelKind::Unreal3D);
  lines.insert(lines.end(), {tilted ? "Pitch=90" : "Pitch=0", "Roll=0", "Turn=0"});
  if (s.Ams.Enabled) lines.push_back("AMS=Yes");

  for (std::size_t m = 0; m < model.Materials.size(); ++m) {
    const model3d::TMaterial3D& material = model.Materials[m];
    if (material.Name.empty() || IsWeaponMaterial(material.Flags)) continue;
    lines.insert(lines.end(), {"", "[Section" + std::to_string(m + 1) + "]",
                               "Name=" + platform::ToUpperAscii(material.Name)});
    FaceAndTeamLines(s, m, lines);
    StyleLine(material.Flags, lines);
  }
  if (model.Materials.size() < 5) TalkTextureSection(s, lines);
  return lines;
}

std::shared_ptr<model::TModelo> DefinitionOfLines(const std::vector<std::string>& lines,
                                                  const std::filesystem::path& file) {
  const platform::IniFile ini = platform::IniFile::Parse(JoinLines(lines));
  return model::ReadModelDefinition(ini, file, *model::FindModelSection(ini));
}

ModelOutputFiles WriteModelOutput(const TObjeto3D& model, const ModelOutputSettings& settings,
                                  const OutputQuestions& questions) {
  const auto report = [&](const char* text) {
    if (questions.Status) questions.Status(text);
  };
  if (model.Frames.empty()) throw std::runtime_error("A model without frames cannot be compiled");
  const std::filesystem::path folder = CustomModelsDirectory(settings.Home);
  const std::string base = OutputBaseName(settings.ModelName);
  ModelOutputFiles files;
  files.Definition = folder / (base + ".mrbe");
  const std::vector<std::string> lines = ModelDefinitionLines(model, settings);
  const std::string problem = DescribeTextureNameClashes(*DefinitionOfLines(lines, files.Definition));
  if (!problem.empty() && questions.WriteDespite && !questions.WriteDespite(problem)) {
    files.Abandoned = true;
    return files;
  }
  std::filesystem::create_directories(folder);

  report("Creating compiled model file");
  if (settings.WriteDataFile) {
    files.DataFile = folder / (base + ".mrbm");
    model3d::WriteModelDataFile(model, files.DataFile);
  }

  report("Creating wire bitmap files");
  for (std::size_t m = 0; m < model.Materials.size(); ++m) {
    if (IsWeaponMaterial(model.Materials[m].Flags)) continue;
    int drawn = 0;
    const raster::Bitmap wire = DrawWireBitmap(model, static_cast<int>(m), drawn);
    if (drawn == 0) continue;
    files.WireBitmaps.push_back(folder / (base + "Wire" + std::to_string(m + 1) + ".bmp"));
    raster::SaveBmpFile(wire, files.WireBitmaps.back(), raster::BmpDepth::Indexed4);
  }

  report("Creating model extension file");
  if (!std::filesystem::exists(files.Definition) || (questions.Overwrite && questions.Overwrite(files.Definition))) {
    WriteLines(files.Definition, lines);
    files.DefinitionWritten = true;
  }
  return files;
}

}  // namespace modelcompiler
