#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/TModelo.h"
#include "platform/IniFile.h"
#include "project/IdentityRules.h"
#include "project/ProjectOptions.h"
#include "project/SkinTree.h"

namespace model {
struct ModelCatalogue;
}

namespace project {

class DocumentEditor;
class ProjectListener;

struct ImportResult {
  int Imported = 0;
  // One line per file left out, saying why: the model declares no section of
  // its number, its name gives no skin code, its section already has it.
  std::vector<std::string> Skipped;
};

struct RefreshResult {
  bool Changed = false;
  // One warning per texture file that disappeared since it was last seen.
  std::vector<std::string> Warnings;
};

struct SaveResult {
  // One line per modified texture left unwritten, declined or failed, saying
  // which and why. It keeps its paint, marked modified, and so does the
  // project; the project file is written all the same.
  std::vector<std::string> Unsaved;
};

// The open project: its file, a copy of its model, the options, and the tree
// of skins, sections and textures. Its queries are const; the tree changes
// only through the commands of ProjectCommands.h (and the few operations
// below), which keep it sorted, keep the modified flag right and tell every
// listener what changed.
class ProjectDocument {
public:
  using Progress = std::function<void(const std::string& message)>;
  // Asked before a modified texture is written back; returns whether to write it.
  using TextureSaveQuestion = std::function<bool(const std::string& question)>;
  // Asked when a texture's file changed on disk while the texture has unsaved
  // changes; returns whether to read the file, losing them.
  using ReloadQuestion = std::function<bool(const std::string& question)>;

  // A new, empty project. Its file name must begin with the model's prefix and
  // "Skins"; nothing is written until the first save.
  static std::unique_ptr<ProjectDocument> New(const std::shared_ptr<const model::TModelo>& model,
                                              const std::filesystem::path& file, const std::filesystem::path& home);
  // Reads a project file. On any failure the error says why and nothing of an
  // open document is touched, since this builds a new one. What the load had
  // to mend (a texture file not found, a skin or texture renamed to keep it
  // apart from another) is in LoadReport().
  static std::unique_ptr<ProjectDocument> Load(const std::filesystem::path& file,
                                               const model::ModelCatalogue& catalogue,
                                               const std::filesystem::path& home, const Progress& progress = {});
  ~ProjectDocument();
  ProjectDocument(const ProjectDocument&) = delete;
  ProjectDocument& operator=(const ProjectDocument&) = delete;

  // A copy of everything but the listeners, for work on another thread.
  std::unique_ptr<ProjectDocument> Snapshot() const;

  // Writes the modified textures back to their files where `ask` agrees (all
  // of them without `ask`), each in its own file's format (a JPEG as a PNG
  // beside it, under a name no file has, which the project then names), then
  // the project file, atomically. The project stays modified while any
  // texture does.
  SaveResult Save(const TextureSaveQuestion& ask = {});
  // Saves under another name, which the document takes once the file is
  // written; the name is not checked against the prefix.
  SaveResult SaveAs(const std::filesystem::path& file, const TextureSaveQuestion& ask = {});
  // The project file's text as Save writes it.
  std::string FileText() const;

  const std::filesystem::path& FileName() const { return fileName_; }
  const std::filesystem::path& Home() const { return home_; }
  const model::TModelo& Model() const { return model_; }
  const SkinNode& Root() const { return *root_; }
  bool Modified() const { return modified_; }
  // How many times the document was saved; a command undone after a save
  // leaves the document modified.
  int SaveCount() const { return saveCount_; }
  const ProjectOptions& Options() const { return options_; }
  const std::vector<std::string>& LoadReport() const { return loadReport_; }
  // The project file as the window title shows it: its name alone inside the
  // program home, its full path elsewhere.
  std::string TitleFileName() const;

  // A texture's object name in the package, from its skin's code, its section and its identifier.
  std::string TextureName(const SkinNode& texture) const;
  // The model section of a section node.
  const model::TModeloSection& SectionOf(const SkinNode& sectionNode) const;
  // The team labels a section's texture dialog offers.
  std::vector<std::string> TeamChoices(const SkinNode& section) const;
  // The distinct face names used by the textures of a skin (SameFace), each as
  // first written in tree order, for the face list.
  std::vector<std::string> FaceChoices(const SkinNode& skin) const;

  // Each runs the command of ProjectCommands.h at once, for callers that keep
  // no history (the command line, tests, sample content).
  const SkinNode& NewSkin(std::string_view description, std::string_view code);
  void EditSkin(const SkinNode& skin, std::string_view description, std::string_view code);
  void DeleteSkin(const SkinNode& skin);
  const SkinNode& AddTexture(const SkinNode& section, const std::filesystem::path& file, std::string_view teamLabel,
                             std::string_view face);
  // Gives every texture of the skin that shares the old identifier the new team and face.
  void EditTextureDescription(const SkinNode& texture, std::string_view teamLabel, std::string_view face);
  void DeleteTexture(const SkinNode& texture);
  // Adds texture files named after skin code, section digit and identifier.
  ImportResult ImportTextures(const std::vector<std::filesystem::path>& files);
  // Every change of an option marks the project modified.
  void SetOptions(const ProjectOptions& options);

  // Reloads the texture files that changed on disk since they were last seen.
  // A texture with unsaved changes is read again only where `ask` agrees (never
  // without it); the picture it had becomes its undo bitmap.
  RefreshResult RefreshTextures(const ReloadQuestion& ask = {});
  // A texture's picture after painting: it becomes modified, as the project does.
  void SetSourceBitmap(const SkinNode& texture, raster::Bitmap picture);
  // Writes one texture's picture to its file, as Save does, and keeps the
  // file's time so that the refresh does not read it back. A JPEG goes to a
  // PNG beside it, as Save names it; the returned note then says which, and
  // is empty otherwise.
  std::string SaveTexture(const SkinNode& texture);
  // What palette generation built for a texture.
  void StoreWorkingBitmap(const SkinNode& texture, raster::Bitmap working, std::uint64_t key);
  void StorePalette(const SkinNode& texture, std::vector<raster::PaletteEntry> palette);

  // The model's definition was saved with new camera presets or a new model
  // position: the document's copy takes them. Nothing of the project changes.
  void TakeModelPlacement(const model::TModelo& definition);

  void AddListener(ProjectListener& listener);
  void RemoveListener(ProjectListener& listener);

private:
  friend class DocumentEditor;

  ProjectDocument(std::filesystem::path file, std::filesystem::path home);

  platform::IniFile ToIni() const;
  void WriteTo(const std::filesystem::path& file, SaveResult& result, const TextureSaveQuestion& ask);
  // Writes the picture to `target`, which the texture then names.
  void WriteTexture(DocumentEditor& editor, const SkinNode& texture, const std::filesystem::path& target);
  // The node itself, for changing it: it must be one of this document's.
  SkinNode& Own(const SkinNode& node);

  std::filesystem::path fileName_;
  std::filesystem::path home_;
  model::TModelo model_;
  ProjectOptions options_;
  std::unique_ptr<SkinNode> root_;
  bool modified_ = false;
  int saveCount_ = 0;
  std::vector<std::string> loadReport_;
  std::vector<ProjectListener*> listeners_;
};

}  // namespace project
