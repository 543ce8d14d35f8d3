#include "platform/AsciiText.h"
#include "project/DocumentEditor.h"
#include "project/NodeCommands.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

struct Identity {
  const SkinNode* Texture;
  std::string Identifier;
  std::string Description;
};

// Every variant of a skin that shares an identifier changes together.
class EditTextureCommand : public ProjectCommand {
public:
  EditTextureCommand(std::vector<Identity> before, std::vector<Identity> after)
      : before_(std::move(before)), after_(std::move(after)) {}

  std::string Text() const override { return "Edit Texture Description"; }

protected:
  void Apply(ProjectDocument& document) override {
    for (const Identity& identity : after_)
      DocumentEditor(document).SetTexture(*identity.Texture, identity.Identifier, identity.Description);
  }
  void Revert(ProjectDocument& document) override {
    for (auto identity = before_.rbegin(); identity != before_.rend(); ++identity)
      DocumentEditor(document).SetTexture(*identity->Texture, identity->Identifier, identity->Description);
  }

private:
  std::vector<Identity> before_;
  std::vector<Identity> after_;
};

}  // namespace

std::unique_ptr<ProjectCommand> MakeAddTexture(const ProjectDocument& document, const SkinNode& section,
                                               const std::filesystem::path& file, std::string_view teamLabel,
                                               std::string_view face) {
  if (file.empty()) throw ProjectError("Please select a texture file.");
  const std::string cleanFace = CheckFace(face);
  const model::TModeloSection& modelSection = document.SectionOf(section);
  CheckVariant(modelSection, teamLabel, cleanFace);
  std::string identifier = MakeIdentifier(teamLabel, cleanFace);
  CheckIdentifierFree(section, identifier, nullptr);
  auto entry = TObjetoTextura::FromFile(file, std::move(identifier), std::string(teamLabel) + cleanFace, modelSection.Part);
  return std::make_unique<NodeCommand>("Add Texture", section, DocumentEditor::MakeTexture(std::move(entry)));
}

std::unique_ptr<ProjectCommand> MakeEditTexture(const ProjectDocument& document, const SkinNode& texture,
                                                std::string_view teamLabel, std::string_view face) {
  const std::string cleanFace = CheckFace(face);
  CheckVariant(document.SectionOf(*texture.Parent()), teamLabel, cleanFace);
  const std::string identifier = MakeIdentifier(teamLabel, cleanFace);
  const std::string description = std::string(teamLabel) + cleanFace;
  const std::string old = texture.Texture().Identifier;
  // A face spelt anew in another case keeps the identifier, yet its description still changes.
  if (old == identifier && texture.Texture().Description == description) return nullptr;
  std::vector<Identity> before, after;
  for (const SkinNode* node : TextureNodes(*texture.Skin())) {
    const TObjetoTextura& entry = node->Texture();
    if (!platform::EqualsIgnoreCase(entry.Identifier, old)) continue;
    if (entry.Identifier == identifier && entry.Description == description) continue;
    CheckIdentifierFree(*node->Parent(), identifier, node);
    before.push_back({node, entry.Identifier, entry.Description});
    after.push_back({node, identifier, description});
  }
  return std::make_unique<EditTextureCommand>(std::move(before), std::move(after));
}

std::unique_ptr<ProjectCommand> MakeDeleteTexture(const ProjectDocument&, const SkinNode& texture) {
  return std::make_unique<NodeCommand>("Delete Texture", texture);
}

}  // namespace project
