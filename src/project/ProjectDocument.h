#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/TModelo.h"
#include "platform/IniFile.h"
#include "project/ProjectOptions.h"
#include "project/SkinTree.h"

namespace model {
struct ModelCatalogue;
}

namespace project {

// An expected refusal (bad file name, model not installed, a dialog value);
// the message is the text shown to the user.
class ProjectError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct ImportResult {
  int Imported = 0;
  // Files whose section number the model does not declare.
  std::vector<std::filesystem::path> Skipped;
};

struct RefreshResult {
  bool Changed = false;
  // One warning per texture file that disappeared since it was last seen.
  std::vector<std::string> Warnings;
};

// The open project: its file, a copy of its model, the options, and the tree
// of skins, sections and textures. Every change goes through the operations
// below, which keep the tree sorted and the modified flag right.
class ProjectDocument {
public:
  using Progress = std::function<void(const std::string& message)>;
  // Asked before a modified texture is written back; returns whether to write it.
  using TextureSaveQuestion = std::function<bool(const std::string& question)>;

  // A new, empty project. Its file name must begin with the model's prefix and
  // "Skins"; nothing is written until the first save.
  static std::unique_ptr<ProjectDocument> New(const std::shared_ptr<const model::TModelo>& model,
                                              const std::filesystem::path& file, const std::filesystem::path& home);
  // Reads a project file. On any failure the error says why and nothing of an
  // open document is touched, since this builds a new one.
  static std::unique_ptr<ProjectDocument> Load(const std::filesystem::path& file,
                                               const model::ModelCatalogue& catalogue,
                                               const std::filesystem::path& home, const Progress& progress = {});

  // Writes the project file (atomically) and, where `ask` agrees (all of them
  // without `ask`), the modified textures back to their files.
  void Save(const TextureSaveQuestion& ask = {});
  // Saves under another name; the name is not checked against the prefix.
  void SaveAs(const std::filesystem::path& file, const TextureSaveQuestion& ask = {});
  // The project file's text as Save writes it.
  std::string FileText() const;

  const std::filesystem::path& FileName() const { return fileName_; }
  const std::filesystem::path& Home() const { return home_; }
  const model::TModelo& Model() const { return model_; }
  SkinNode& Root() { return *root_; }
  const SkinNode& Root() const { return *root_; }
  bool Modified() const { return modified_; }
  const ProjectOptions& Options() const { return options_; }
  // Every change of an option marks the project modified.
  void SetOptions(const ProjectOptions& options);
  // The project file as the window title shows it: its name alone inside the
  // program home, its full path elsewhere.
  std::string TitleFileName() const;

  // A texture's object name in the package, from its skin's code, its section and its identifier.
  std::string TextureName(const SkinNode& texture) const;
  // The model section of a section node.
  const model::TModeloSection& SectionOf(const SkinNode& sectionNode) const;

  SkinNode& NewSkin(std::string_view description, std::string_view code);
  void EditSkin(SkinNode& skin, std::string_view description, std::string_view code);
  void DeleteSkin(SkinNode& skin);
  // The team labels a section's texture dialog offers.
  std::vector<std::string> TeamChoices(const SkinNode& section) const;
  // The distinct face names used by the textures of a skin, for the face list.
  std::vector<std::string> FaceChoices(SkinNode& skin) const;
  SkinNode& AddTexture(SkinNode& section, const std::filesystem::path& file, std::string_view teamLabel,
                       std::string_view face);
  // Gives every texture of the skin that shares the old identifier the new team and face.
  void EditTextureDescription(SkinNode& texture, std::string_view teamLabel, std::string_view face);
  void DeleteTexture(SkinNode& texture);
  // Adds texture files named after skin code, section digit and identifier.
  ImportResult ImportTextures(const std::vector<std::filesystem::path>& files);
  // Reloads the texture files that changed on disk since they were last seen.
  RefreshResult RefreshTextures();

  void MarkModified() { modified_ = true; }
  void Sort();

private:
  ProjectDocument(std::filesystem::path file, std::filesystem::path home) : fileName_(std::move(file)), home_(std::move(home)) {}

  platform::IniFile ToIni() const;
  void ResetTree(std::string caption);
  SkinNode& AddSkinNode(std::string caption);
  void AddMissingSections(SkinNode& skin);
  SkinNode* SectionNodeOf(SkinNode& skin, int sectionNumber);
  void CheckVariant(const SkinNode& section, std::string_view teamLabel, std::string_view face) const;

  std::filesystem::path fileName_;
  std::filesystem::path home_;
  model::TModelo model_;
  ProjectOptions options_;
  std::unique_ptr<SkinNode> root_;
  bool modified_ = false;
};

}  // namespace project
