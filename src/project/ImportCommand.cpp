#include <algorithm>
#include <map>

#include "platform/AsciiText.h"
#include "project/DocumentEditor.h"
#include "project/ProjectCommands.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

// What a file name stands for: skin code, section digit, then the identifier.
struct ImportName {
  std::string Code;
  int Section = 1;
  std::string Identifier;
  std::string Description;
};

ImportName ParseImportName(const std::filesystem::path& file) {
  const std::string base = platform::ToLowerAscii(file.stem().string());
  ImportName name;
  name.Code = base.substr(0, 4);
  if (base.size() > 4 && base[4] >= '0' && base[4] <= '9') name.Section = base[4] - '0';
  name.Identifier = base.size() > 5 ? base.substr(5) : std::string();
  const std::string& rest = name.Identifier;
  if (rest.rfind("t_", 0) != 0)
    name.Description = std::string(DefaultLabel) + rest;
  else
    name.Description = std::string(LabelOfTeamDigit(rest.size() > 2 ? rest[2] : ' ')) + (rest.size() > 3 ? rest.substr(3) : "");
  return name;
}

// Captions end in "(identifier)" and name sections of the project file.
bool FitsACaption(std::string_view identifier) {
  return identifier.find_first_of("()[]<>\r\n") == std::string_view::npos;
}

// New skins go in whole, with their textures; the other textures go into the
// sections of skins the project has.
class ImportCommand : public ProjectCommand {
public:
  struct Placed {
    const SkinNode* Section;
    std::unique_ptr<SkinNode> Node;
    const SkinNode* Inserted;
  };

  std::string Text() const override { return "Import Textures"; }

  std::vector<std::unique_ptr<SkinNode>> NewSkins;
  std::vector<const SkinNode*> InsertedSkins;
  std::vector<Placed> Textures;

protected:
  void Apply(ProjectDocument& document) override {
    DocumentEditor editor(document);
    InsertedSkins.clear();
    for (auto& skin : NewSkins) InsertedSkins.push_back(&editor.Insert(document.Root(), std::move(skin)));
    for (Placed& texture : Textures) texture.Inserted = &editor.Insert(*texture.Section, std::move(texture.Node));
  }
  void Revert(ProjectDocument& document) override {
    DocumentEditor editor(document);
    for (auto texture = Textures.rbegin(); texture != Textures.rend(); ++texture)
      texture->Node = editor.Remove(*texture->Inserted);
    NewSkins.clear();
    for (auto skin = InsertedSkins.rbegin(); skin != InsertedSkins.rend(); ++skin)
      NewSkins.insert(NewSkins.begin(), editor.Remove(**skin));
  }
};

}  // namespace

std::unique_ptr<ProjectCommand> MakeImportTextures(const ProjectDocument& document,
                                                   const std::vector<std::filesystem::path>& files,
                                                   ImportResult& result) {
  result = {};
  auto command = std::make_unique<ImportCommand>();
  std::map<std::string, const SkinNode*> newSkins;
  const model::TModelo& model = document.Model();
  // Last to first, as the file dialog hands them over.
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    const ImportName name = ParseImportName(*file);
    const std::string shown = file->filename().string();
    const model::TModeloPart* part = model.SectionByNumber(name.Section);
    if (!IsSkinCode(name.Code)) {
      result.Skipped.push_back(shown + ": the name does not begin with a skin code of four letters");
      continue;
    }
    if (!part) {
      result.Skipped.push_back(shown + ": the model declares no section " + std::to_string(name.Section));
      continue;
    }
    if (!FitsACaption(name.Identifier)) {
      result.Skipped.push_back(shown + ": the name holds a character that texture names cannot");
      continue;
    }
    const SkinNode* skin = FindSkinByCode(document.Root(), name.Code);
    if (!skin) {
      auto& made = newSkins[name.Code];
      if (!made) {
        command->NewSkins.push_back(DocumentEditor::MakeSkin(model, name.Code, name.Code));
        made = command->NewSkins.back().get();
      }
      skin = made;
    }
    const SkinNode& section = *FindSection(*skin, name.Section);
    const bool planned = std::any_of(command->Textures.begin(), command->Textures.end(), [&](const auto& placed) {
      return placed.Section == &section && platform::EqualsIgnoreCase(placed.Node->Texture().Identifier, name.Identifier);
    });
    if (FindIdentifier(section, name.Identifier) || planned) {
      result.Skipped.push_back(shown + ": the section " + section.Caption() + " of the skin " + skin->Caption() +
                               " already has the texture (" + name.Identifier + ")");
      continue;
    }
    auto node = DocumentEditor::MakeTexture(TObjetoTextura::FromFile(*file, name.Identifier, name.Description, *part));
    const auto fresh = std::find_if(newSkins.begin(), newSkins.end(), [&](const auto& entry) { return entry.second == skin; });
    if (fresh != newSkins.end())
      DocumentEditor::Attach(section, std::move(node));
    else
      command->Textures.push_back({&section, std::move(node), nullptr});
    ++result.Imported;
  }
  if (result.Imported == 0) return nullptr;
  return command;
}

}  // namespace project
