#include "project/ProjectDocument.h"

#include <algorithm>

#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

// Captions and the project file are split at these characters.
void CheckSkinText(std::string_view description, std::string_view code) {
  if (description.find_first_of("()\r\n") != std::string_view::npos)
    throw ProjectError("A skin description cannot hold \"(\", \")\" or line breaks.");
  for (const char c : code)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' '))
      throw ProjectError("A skin code is made of the letters A to Z.");
  if (platform::Trim(code).size() > 4) throw ProjectError("A skin code has at most four letters.");
}

// Typing these into the face field has no effect: captions are split at them,
// and a caption is part of a section name in the project file.
std::string WithoutCaptionMarks(std::string_view face) {
  std::string clean;
  for (const char c : face)
    if (std::string_view("<>()[]").find(c) == std::string_view::npos) clean += c;
  return clean;
}

}  // namespace

void ProjectDocument::SetOptions(const ProjectOptions& options) {
  if (options == options_) return;
  options_ = options;
  modified_ = true;
}

const model::TModeloSection& ProjectDocument::SectionOf(const SkinNode& sectionNode) const {
  if (sectionNode.Kind != NodeKind::Section || sectionNode.SectionIndex < 0 ||
      sectionNode.SectionIndex >= static_cast<int>(model_.Sections.size()))
    throw std::logic_error("\"" + sectionNode.Caption + "\" is not a section of the model");
  return model_.Sections[static_cast<std::size_t>(sectionNode.SectionIndex)];
}

std::string ProjectDocument::TextureName(const SkinNode& texture) const {
  const std::string code = SplitSkinCaption(texture.Parent->Parent->Caption).Code;
  return model::MakeTextureName(model_, code, SectionOf(*texture.Parent).Part.Number(), texture.Texture->Identifier);
}

void ProjectDocument::Sort() { SortTree(*root_, model_); }

void ProjectDocument::ResetTree(std::string caption) { root_ = std::make_unique<SkinNode>(NodeKind::Project, std::move(caption), nullptr); }

SkinNode& ProjectDocument::AddSkinNode(std::string caption) {
  SkinNode& skin = root_->Add(NodeKind::Skin, std::move(caption));
  AddMissingSections(skin);
  return skin;
}

void ProjectDocument::AddMissingSections(SkinNode& skin) {
  for (std::size_t i = 0; i < model_.Sections.size(); ++i) {
    const bool present = std::any_of(skin.Children.begin(), skin.Children.end(),
                                     [&](const auto& child) { return child->SectionIndex == static_cast<int>(i); });
    if (!present) skin.Add(NodeKind::Section, model_.Sections[i].Name).SectionIndex = static_cast<int>(i);
  }
}

SkinNode* ProjectDocument::SectionNodeOf(SkinNode& skin, int sectionNumber) {
  const int index = model_.SectionIndexByNumber(sectionNumber);
  for (const auto& child : skin.Children)
    if (child->SectionIndex == index) return child.get();
  return nullptr;
}

SkinNode& ProjectDocument::NewSkin(std::string_view description, std::string_view code) {
  const std::string text = description.empty() ? std::string("NewSkin") : std::string(description);
  CheckSkinText(text, code);
  SkinNode& skin = AddSkinNode(SkinCaption(text, MakeSkinCode(code, text)));
  modified_ = true;
  Sort();
  return skin;
}

void ProjectDocument::EditSkin(SkinNode& skin, std::string_view description, std::string_view code) {
  CheckSkinText(description, code);
  skin.Caption = SkinCaption(description, MakeSkinCode(code, description));
  modified_ = true;
  Sort();
}

void ProjectDocument::DeleteSkin(SkinNode& skin) {
  root_->Remove(skin);
  modified_ = true;
}

std::vector<std::string> ProjectDocument::TeamChoices(const SkinNode& section) const {
  std::vector<std::string> choices{std::string(DefaultLabel)};
  if (SectionOf(section).Part.Has(model::TEAM))
    for (const char* label : {"<Blue Team>", "<Gold Team>", "<Green Team>", "<Red Team>"}) choices.emplace_back(label);
  return choices;
}

std::vector<std::string> ProjectDocument::FaceChoices(SkinNode& skin) const {
  std::vector<std::string> faces;
  for (const SkinNode* node : TextureNodes(skin)) {
    const std::string& description = node->Texture->Description;
    const auto marker = description.find('>');
    const std::string face = marker == std::string::npos ? description : description.substr(marker + 1);
    if (face.empty()) continue;
    if (std::none_of(faces.begin(), faces.end(), [&](const std::string& f) { return platform::EqualsIgnoreCase(f, face); }))
      faces.push_back(face);
  }
  return faces;
}

void ProjectDocument::CheckVariant(const SkinNode& section, std::string_view teamLabel, std::string_view face) const {
  if (platform::StartsWithIgnoreCase(face, "t_")) throw ProjectError("Faces cannot start with \"T_\".");
  const model::TModeloSection& modelSection = SectionOf(section);
  const std::vector<std::string> teams = TeamChoices(section);
  if (std::find(teams.begin(), teams.end(), teamLabel) == teams.end())
    throw ProjectError("The section " + modelSection.Name + " offers no team \"" + std::string(teamLabel) + "\".");
  if (!face.empty() && !modelSection.Part.Has(model::FACE))
    throw ProjectError("The section " + modelSection.Name + " does not vary by face.");
}

SkinNode& ProjectDocument::AddTexture(SkinNode& section, const std::filesystem::path& file, std::string_view teamLabel,
                                      std::string_view face) {
  const std::string cleanFace = WithoutCaptionMarks(face);
  if (file.empty()) throw ProjectError("Please select a texture file.");
  CheckVariant(section, teamLabel, cleanFace);
  std::string identifier = MakeIdentifier(teamLabel, cleanFace);
  std::string description = std::string(teamLabel) + cleanFace;
  auto texture = TObjetoTextura::FromFile(file, identifier, description, SectionOf(section).Part);
  SkinNode& node = section.Add(NodeKind::Texture, TextureCaption(description, identifier));
  node.Texture = std::move(texture);
  modified_ = true;
  Sort();
  return node;
}

void ProjectDocument::EditTextureDescription(SkinNode& texture, std::string_view teamLabel, std::string_view face) {
  const std::string cleanFace = WithoutCaptionMarks(face);
  CheckVariant(*texture.Parent, teamLabel, cleanFace);
  const std::string oldIdentifier = texture.Texture->Identifier;
  const std::string identifier = MakeIdentifier(teamLabel, cleanFace);
  if (identifier == oldIdentifier) return;
  const std::string description = std::string(teamLabel) + cleanFace;
  for (SkinNode* node : TextureNodes(*texture.Skin())) {
    if (node->Texture->Identifier != oldIdentifier) continue;
    node->Texture->Identifier = identifier;
    node->Texture->Description = description;
    node->Caption = TextureCaption(description, identifier);
  }
  modified_ = true;
  Sort();
}

void ProjectDocument::DeleteTexture(SkinNode& texture) {
  texture.Parent->Remove(texture);
  modified_ = true;
}

std::string ProjectDocument::TitleFileName() const {
  std::error_code ec;
  const bool inHome = std::filesystem::equivalent(fileName_.parent_path(), home_, ec);
  return inHome ? fileName_.filename().string() : fileName_.string();
}

}  // namespace project
