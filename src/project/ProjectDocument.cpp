#include "project/ProjectDocument.h"

#include <algorithm>

#include "model/TextureNames.h"
#include "project/DocumentEditor.h"
#include "project/ProjectCommands.h"
#include "project/TeamLabels.h"

namespace project {

ProjectDocument::ProjectDocument(std::filesystem::path file, std::filesystem::path home)
    : fileName_(std::move(file)), home_(std::move(home)) {}

ProjectDocument::~ProjectDocument() = default;

std::unique_ptr<ProjectDocument> ProjectDocument::Snapshot() const {
  std::unique_ptr<ProjectDocument> copy(new ProjectDocument(fileName_, home_));
  copy->model_ = model_;
  copy->options_ = options_;
  copy->root_ = root_->Clone(nullptr);
  copy->modified_ = modified_;
  copy->saveCount_ = saveCount_;
  copy->loadReport_ = loadReport_;
  return copy;
}

SkinNode& ProjectDocument::Own(const SkinNode& node) {
  const SkinNode* top = &node;
  while (top->Parent()) top = top->Parent();
  if (top != root_.get()) throw std::logic_error("\"" + node.Caption() + "\" is not a node of this project");
  // Every node of the tree is made mutable and only handed out as const.
  return const_cast<SkinNode&>(node);
}

const model::TModeloSection& ProjectDocument::SectionOf(const SkinNode& sectionNode) const {
  if (sectionNode.Kind() != NodeKind::Section || sectionNode.SectionIndex() < 0 ||
      sectionNode.SectionIndex() >= static_cast<int>(model_.Sections.size()))
    throw std::logic_error("\"" + sectionNode.Caption() + "\" is not a section of the model");
  return model_.Sections[static_cast<std::size_t>(sectionNode.SectionIndex())];
}

std::string ProjectDocument::TextureName(const SkinNode& texture) const {
  return model::MakeTextureName(model_, texture.Skin()->Code(), texture.Parent()->SectionNumber(),
                                texture.Texture().Identifier);
}

std::vector<std::string> ProjectDocument::TeamChoices(const SkinNode& section) const {
  std::vector<std::string> choices{std::string(DefaultLabel)};
  if (SectionOf(section).Part.Has(model::TEAM))
    for (const char* label : {"<Blue Team>", "<Gold Team>", "<Green Team>", "<Red Team>"}) choices.emplace_back(label);
  return choices;
}

std::vector<std::string> ProjectDocument::FaceChoices(const SkinNode& skin) const {
  std::vector<std::string> faces;
  for (const SkinNode* node : TextureNodes(skin)) {
    const std::string face = FaceOfDescription(node->Texture().Description);
    if (face.empty()) continue;
    if (std::none_of(faces.begin(), faces.end(), [&](const std::string& f) { return SameFace(f, face); }))
      faces.push_back(face);
  }
  return faces;
}

namespace {

// Runs a command once, for callers that keep no history.
template <class Command>
Command Run(ProjectDocument& document, Command command) {
  if (command) command->Do(document);
  return command;
}

}  // namespace

const SkinNode& ProjectDocument::NewSkin(std::string_view description, std::string_view code) {
  return CreatedNode(*Run(*this, MakeNewSkin(*this, description, code)));
}

void ProjectDocument::EditSkin(const SkinNode& skin, std::string_view description, std::string_view code) {
  Run(*this, MakeEditSkin(*this, skin, description, code));
}

void ProjectDocument::DeleteSkin(const SkinNode& skin) { Run(*this, MakeDeleteSkin(*this, skin)); }

const SkinNode& ProjectDocument::AddTexture(const SkinNode& section, const std::filesystem::path& file,
                                            std::string_view teamLabel, std::string_view face) {
  return CreatedNode(*Run(*this, MakeAddTexture(*this, section, file, teamLabel, face)));
}

void ProjectDocument::EditTextureDescription(const SkinNode& texture, std::string_view teamLabel, std::string_view face) {
  Run(*this, MakeEditTexture(*this, texture, teamLabel, face));
}

void ProjectDocument::DeleteTexture(const SkinNode& texture) { Run(*this, MakeDeleteTexture(*this, texture)); }

ImportResult ProjectDocument::ImportTextures(const std::vector<std::filesystem::path>& files) {
  ImportResult result;
  Run(*this, MakeImportTextures(*this, files, result));
  return result;
}

void ProjectDocument::SetOptions(const ProjectOptions& options) { Run(*this, MakeSetOptions(*this, options)); }

void ProjectDocument::SetSourceBitmap(const SkinNode& texture, raster::Bitmap picture) {
  DocumentEditor editor(*this);
  TObjetoTextura& entry = editor.Entry(texture);
  entry.SourceBitmap = std::move(picture);
  entry.Modified = true;
  editor.PixelsChanged(texture);
  editor.SetModified(true);
}

void ProjectDocument::StoreWorkingBitmap(const SkinNode& texture, raster::Bitmap working, std::uint64_t key) {
  DocumentEditor editor(*this);
  TObjetoTextura& entry = editor.Entry(texture);
  entry.WorkingBitmap = std::move(working);
  entry.WorkingKey = key;
}

void ProjectDocument::StorePalette(const SkinNode& texture, std::vector<raster::PaletteEntry> palette) {
  DocumentEditor editor(*this);
  editor.Entry(texture).Palette = std::move(palette);
  editor.PaletteChanged(texture);
}

void ProjectDocument::TakeModelPlacement(const model::TModelo& definition) {
  model_.Presets = definition.Presets;
  model_.ScaleX = definition.ScaleX;
  model_.ScaleY = definition.ScaleY;
  model_.ScaleZ = definition.ScaleZ;
  model_.OffsetX = definition.OffsetX;
  model_.OffsetY = definition.OffsetY;
  model_.OffsetZ = definition.OffsetZ;
  model_.Pitch = definition.Pitch;
  model_.Roll = definition.Roll;
  model_.Turn = definition.Turn;
}

void ProjectDocument::AddListener(ProjectListener& listener) { listeners_.push_back(&listener); }

void ProjectDocument::RemoveListener(ProjectListener& listener) { std::erase(listeners_, &listener); }

std::string ProjectDocument::TitleFileName() const {
  std::error_code ec;
  const bool inHome = std::filesystem::equivalent(fileName_.parent_path(), home_, ec);
  return inHome ? fileName_.filename().string() : fileName_.string();
}

}  // namespace project
