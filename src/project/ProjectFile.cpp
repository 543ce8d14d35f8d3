#include <algorithm>
#include <charconv>

#include "model/ModelCatalogue.h"
#include "platform/AsciiText.h"
#include "platform/FileTime.h"
#include "platform/IniFile.h"
#include "project/ProjectDocument.h"
#include "project/ProjectPaths.h"
#include "project/TeamLabels.h"
#include "raster/PictureFile.h"

namespace project {

namespace {

constexpr const char* General = "General";
constexpr const char* Groups = "Groups";

std::string RootCaption(const std::filesystem::path& file, std::string_view prefix) {
  return file.stem().string() + " (" + std::string(prefix) + ")";
}

ProjectOptions ReadOptions(const platform::IniFile& ini) {
  ProjectOptions options;
  options.OnlyFirstMipMap = ini.ReadBool(General, "OnlyFirstMipMap", false);
  options.ReducePalettes = ini.ReadInteger(General, "ReducePalettes", 0);
  options.ClientOptional = ini.ReadBool(General, "ClientOptional", false);
  options.ReducedINT = ini.ReadBool(General, "ReducedINT", false);
  options.Brightness = ini.ReadInteger(General, "Brightness", 50);
  options.Saturation = ini.ReadInteger(General, "Saturation", 50);
  options.UMODProductName = ini.ReadString(General, "UMODProductName", "");
  options.UMODURL = ini.ReadString(General, "UMODURL", "");
  options.UMODDeveloper = ini.ReadString(General, "UMODDeveloper", "");
  options.UMODVersion = ini.ReadString(General, "UMODVersion", "");
  options.UMODBitmap = ini.ReadString(General, "UMODBitmap", "");
  options.UMODReadMe = ini.ReadString(General, "UMODReadMe", "");
  return options;
}

void WriteOptions(platform::IniFile& ini, const std::string& prefix, const ProjectOptions& options) {
  ini.WriteString(General, "Model", prefix);
  ini.WriteBool(General, "OnlyFirstMipMap", options.OnlyFirstMipMap);
  ini.WriteInteger(General, "ReducePalettes", options.ReducePalettes);
  ini.WriteBool(General, "ClientOptional", options.ClientOptional);
  ini.WriteBool(General, "ReducedINT", options.ReducedINT);
  ini.WriteInteger(General, "Brightness", options.Brightness);
  ini.WriteInteger(General, "Saturation", options.Saturation);
  ini.WriteString(General, "UMODProductName", options.UMODProductName);
  ini.WriteString(General, "UMODURL", options.UMODURL);
  ini.WriteString(General, "UMODDeveloper", options.UMODDeveloper);
  ini.WriteString(General, "UMODVersion", options.UMODVersion);
  ini.WriteString(General, "UMODBitmap", options.UMODBitmap);
  ini.WriteString(General, "UMODReadMe", options.UMODReadMe);
}

int NumberOrZero(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

}  // namespace

std::unique_ptr<ProjectDocument> ProjectDocument::New(const std::shared_ptr<const model::TModelo>& model,
                                                      const std::filesystem::path& file,
                                                      const std::filesystem::path& home) {
  if (file.filename().string().rfind(model->Prefix + "Skins", 0) != 0)
    throw ProjectError("Filename prefix is incorrect. Will not save.");
  std::unique_ptr<ProjectDocument> document(new ProjectDocument(file, home));
  document->model_.Assign(model);
  document->ResetTree(RootCaption(file, model->Prefix));
  return document;
}

std::unique_ptr<ProjectDocument> ProjectDocument::Load(const std::filesystem::path& file,
                                                       const model::ModelCatalogue& catalogue,
                                                       const std::filesystem::path& home, const Progress& progress) {
  if (progress) progress("Loading project " + file.filename().string() + "...");
  if (!std::filesystem::is_regular_file(file))
    throw ProjectError("Cannot open the project \"" + file.string() + "\": no such file");
  const platform::IniFile ini = platform::IniFile::Load(file);
  const std::string firstPrefix = catalogue.Entries.empty() ? std::string() : catalogue.Entries.front()->Prefix;
  const auto model = catalogue.FindByPrefixIgnoringCase(ini.ReadString(General, "Model", firstPrefix));
  if (!model) throw ProjectError("The model of this project is not installed!");

  std::unique_ptr<ProjectDocument> document(new ProjectDocument(file, home));
  document->model_.Assign(model);
  document->options_ = ReadOptions(ini);
  if (model->HasMaskedSections) document->options_.ReducePalettes = 0;
  document->ResetTree(RootCaption(file, model->Prefix));

  const auto groups = ini.SectionLines(Groups);
  for (const auto& [code, description] : groups) {
    const std::string caption = SkinCaption(description, code);
    if (!FindChildByCaption(*document->root_, caption)) document->AddSkinNode(caption);
  }

  for (const std::string& section : ini.Sections()) {
    if (section.find('#') == std::string::npos) continue;
    const std::string code = section.substr(0, section.find('#'));
    const std::string afterCode = section.substr(section.find('#') + 1);
    const int number = NumberOrZero(afterCode.substr(0, afterCode.find('#')));
    const model::TModeloPart* part = document->model_.SectionByNumber(number);
    if (!part)
      throw ProjectError(file.string() + ": [" + section + "] names section " + std::to_string(number) +
                         ", which the model " + model->Prefix + " does not declare");
    const auto group = std::find_if(groups.begin(), groups.end(),
                                    [&](const auto& line) { return platform::EqualsIgnoreCase(line.first, code); });
    if (group == groups.end())
      throw ProjectError(file.string() + ": [" + section + "] names the skin \"" + code + "\", which [Groups] does not list");
    SkinNode* skin = FindChildByCaption(*document->root_, SkinCaption(group->second, group->first));
    SkinNode* sectionNode = skin ? document->SectionNodeOf(*skin, number) : nullptr;
    if (!sectionNode) continue;
    const std::filesystem::path picture = FromProjectPath(ini.ReadString(section, "Filename", ""), home);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(picture, ec)) continue;
    const std::string identifier = ini.ReadString(section, "Identifier", "");
    const std::string description = CompleteDescription(ini.ReadString(section, "Description", ""), identifier);
    SkinNode& node = sectionNode->Add(NodeKind::Texture, TextureCaption(description, identifier));
    node.Texture = TObjetoTextura::FromFile(picture, identifier, description, *part);
  }
  document->Sort();
  return document;
}

platform::IniFile ProjectDocument::ToIni() const {
  platform::IniFile ini;
  WriteOptions(ini, model_.Prefix, options_);
  for (const auto& skin : root_->Children) {
    const SkinCaptionParts parts = SplitSkinCaption(skin->Caption);
    ini.WriteString(Groups, parts.Code, parts.Description);
  }
  for (const auto& skin : root_->Children) {
    const std::string code = SplitSkinCaption(skin->Caption).Code;
    for (const auto& section : skin->Children) {
      const int number = SectionOf(*section).Part.Number();
      for (const auto& texture : section->Children) {
        const std::string name = code + "#" + std::to_string(number) + "#" + texture->Caption;
        if (!texture->Texture->Identifier.empty()) ini.WriteString(name, "Identifier", texture->Texture->Identifier);
        if (!texture->Texture->Description.empty()) ini.WriteString(name, "Description", texture->Texture->Description);
        ini.WriteString(name, "Filename", ToProjectPath(texture->Texture->FileName, home_));
      }
    }
  }
  return ini;
}

std::string ProjectDocument::FileText() const { return ToIni().ToText(); }

void ProjectDocument::Save(const TextureSaveQuestion& ask) {
  for (const auto& skin : root_->Children) {
    const std::string description = SplitSkinCaption(skin->Caption).Description;
    for (const auto& section : skin->Children) {
      for (const auto& node : section->Children) {
        TObjetoTextura& texture = *node->Texture;
        if (!texture.Modified) continue;
        const std::string question =
            "Save modified texture " + description + "/" + section->Caption + "/" + node->Caption + " ?";
        if (ask && !ask(question)) continue;
        raster::SavePicture(texture.SourceBitmap, texture.FileName);
        texture.Modified = false;
        texture.FileTime = platform::FileModificationTime(texture.FileName);
      }
    }
  }
  ToIni().Save(fileName_);
  modified_ = false;
}

void ProjectDocument::SaveAs(const std::filesystem::path& file, const TextureSaveQuestion& ask) {
  fileName_ = file;
  root_->Caption = file.stem().string();
  Save(ask);
}

}  // namespace project
