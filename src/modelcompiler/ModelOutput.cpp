#include "modelcompiler/ModelOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/ModelDefinition.h"
#include "model/TModelo.h"
#include "modelcompiler/ExternalModel.h"
#include "modelcompiler/ModelFiles.h"
#include "modelcompiler/StandingPlacement.h"
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

// The centre of frame 0's box.
model3d::TVertex3D Centre(const TObjeto3D& model) {
  return model.Frames.empty() ? model3d::TVertex3D{} : BoxOf(model.Frames.front()).Centre();
}

void FaceAndTeamLines(const ModelOutputSettings& s, std::size_t m, std::vector<std::string>& lines) {
  if (!s.Ams.Enabled) {
    // An external model's file tells nothing of skins: every section may vary.
    lines.push_back("Face=Yes");
    lines.push_back("Team=Yes");
    return;
  }
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

// Where the head is: the face section's material, when the mesh draws one;
// else every material but those the model dresses in textures of its own.
std::vector<bool> HeadMaterials(const TObjeto3D& model, const std::optional<SkinScheme>& scheme) {
  std::vector<bool> head;
  if (!scheme) return head;
  const auto drawn = [&](const SchemeSection& section) {
    return std::any_of(model.Triangles.begin(), model.Triangles.end(),
                       [&](const model3d::TTriangle3D& t) { return t.Material == section.Number - 1; });
  };
  const auto face = std::find_if(scheme->Sections.begin(), scheme->Sections.end(),
                                 [&](const SchemeSection& s) { return s.Face && !s.Talk && drawn(s); });
  head.assign(model.Materials.size(), face == scheme->Sections.end());
  for (const SchemeSection& section : scheme->Sections) {
    const auto material = static_cast<std::size_t>(section.Number - 1);
    if (material >= head.size()) continue;
    if (face != scheme->Sections.end()) head[material] = &section == &*face;
    else if (section.NoInt) head[material] = false;
  }
  return head;
}

// The sections the model's scripts load, named as the scripts ask for their textures.
void SchemeSectionLines(const TObjeto3D& model, const SkinScheme& scheme, std::vector<std::string>& lines) {
  for (const SchemeSection& section : scheme.Sections) {
    lines.insert(lines.end(), {"", "[Section" + std::to_string(section.Number) + "]", "Name=" + section.Name});
    if (section.Face) lines.push_back("Face=Yes");
    if (section.Team) lines.push_back("Team=Yes");
    if (section.NoInt) lines.push_back("NoINT=Yes");
    if (section.Required) lines.push_back("Required=Yes");
    if (section.Talk) lines.insert(lines.end(), {"OneMipMap=Yes", "LODSetWorld=Yes", "TextureSize=64x64", "TalkTexture=Yes"});
    if (!section.FormatNoTeamNoFace.empty()) lines.push_back("FormatNoTeamNoFace=" + section.FormatNoTeamNoFace);
    if (!section.FormatTeamNoFace.empty()) lines.push_back("FormatTeamNoFace=" + section.FormatTeamNoFace);
    const auto material = static_cast<std::size_t>(section.Number - 1);
    if (!section.Talk && material < model.Materials.size()) StyleLine(model.Materials[material].Flags, lines);
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
  settings.PackageName = model.PackageName;
  settings.MeshName = model.ModelName;
  settings.MirrorX = mirrorX;
  settings.Rotation = model.Mesh.Rotation;
  settings.Ams = model.Ams;
  // The convention's own values name the sections of a package that follows it.
  if (!model.Ams.Enabled) settings.Scheme = model.Scheme;
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
  if (package) {
    // Package meshes are written standing, with presets that frame them, so a
    // first preview shows them upright.
    const Placement standing = StandingPlacement(model, StandingScale(model, s.Rotation), s.Rotation);
    const std::pair<const char*, float> values[] = {
        {"ScaleX", standing.ScaleX},   {"ScaleY", standing.ScaleY},   {"ScaleZ", standing.ScaleZ},
        {"OffsetX", standing.OffsetX}, {"OffsetY", standing.OffsetY}, {"OffsetZ", standing.OffsetZ},
        {"Pitch", standing.Pitch},     {"Roll", standing.Roll},       {"Turn", standing.Turn}};
    for (const auto& [key, value] : values) lines.push_back(std::string(key) + "=" + ThreeDecimals(value));
    int number = 1;
    const std::vector<bool> head = HeadMaterials(model, s.Scheme);
    for (const model::TCameraPreset& p : {FrontPreset(model, standing, FramedViewWidth, FramedViewHeight),
                                          FacePreset(model, standing, FramedViewWidth, FramedViewHeight, head)}) {
      std::string line = "Preset" + std::to_string(number++) + "=" + p.Name;
      for (const float value : {p.CameraX, p.CameraY, p.CameraZ, p.TargetX, p.TargetY, p.TargetZ})
        line += ";" + ThreeDecimals(value);
      lines.push_back(line);
    }
  } else {
    for (const char* axis : {"X", "Y", "Z"}) lines.push_back(std::string("Scale") + axis + "=1.0");
    const model3d::TVertex3D centre = Centre(model);
    lines.push_back("OffsetX=" + ThreeDecimals(-static_cast<double>(centre.X)));
    lines.push_back("OffsetY=" + ThreeDecimals(-static_cast<double>(centre.Y)));
    lines.push_back("OffsetZ=" + ThreeDecimals(-static_cast<double>(centre.Z)));
    // 3D Studio and Unreal 3D files stand Z up.
    const bool tilted = s.ModelKind == static_cast<int>(ExternalModelKind::Studio3DS) ||
                        s.ModelKind == static_cast<int>(ExternalModelKind::Unreal3D);
    lines.insert(lines.end(), {tilted ? "Pitch=90" : "Pitch=0", "Roll=0", "Turn=0"});
  }
  if (s.Ams.Enabled) lines.push_back("AMS=Yes");
  if (s.Scheme) {
    if (s.Scheme->SingleSkin) lines.push_back("SingleSkin=Yes");
    SchemeSectionLines(model, *s.Scheme, lines);
    return lines;
  }

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
  const std::filesystem::path folder = settings.Folder.empty() ? CustomModelsDirectory(settings.Home) : settings.Folder;
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
