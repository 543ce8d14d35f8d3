#include <algorithm>
#include <optional>

#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "project/DocumentEditor.h"
#include "project/ProjectCommands.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

// What a file name stands for: the skin (empty for a texture the model's
// skins share), the section, then the identifier and description.
struct ImportName {
  std::string Code;
  int Section = 1;
  std::string Identifier;
  std::string Description;
};

ImportName NameOf(std::string code, int section, int team, std::string_view face) {
  const std::string_view label = LabelOfTeamDigit(team >= 0 ? static_cast<char>('0' + team) : ' ');
  return {std::move(code), section, MakeIdentifier(label, face), std::string(label) + std::string(face)};
}

// Names that skins and sections of four-letter codes took before the game's
// own names were read: code, section digit (1 when there is none), identifier.
ImportName FourLetterName(const std::string& base) {
  std::string code = platform::ToLowerAscii(base.substr(0, 4));
  const int section = base.size() > 4 && base[4] >= '0' && base[4] <= '9' ? base[4] - '0' : 1;
  const std::string rest = base.size() > 5 ? base.substr(5) : std::string();
  if (!platform::StartsWithIgnoreCase(rest, "t_")) return NameOf(std::move(code), section, -1, rest);
  const std::string label(LabelOfTeamDigit(rest.size() > 2 ? rest[2] : ' '));
  return {std::move(code), section, platform::ToLowerAscii(rest), label + (rest.size() > 3 ? rest.substr(3) : "")};
}

// A face the name would give that the tree cannot keep as it is.
bool FaceFits(const std::string& face) {
  try {
    return CheckFace(face) == face;
  } catch (const ProjectError&) {
    return false;
  }
}

// The name as the game names the texture, read through the model's name
// formats; failing that, a four-letter model reads code and section digit.
std::optional<ImportName> ParseImportName(const model::TModelo& model, const std::filesystem::path& file) {
  const std::string base = file.stem().string();
  for (const model::TextureNameReading& reading : model::ReadTextureName(model, base)) {
    if (!FaceFits(reading.Parts.Face)) continue;
    std::string code = model.SingleSkin ? reading.Skin : platform::ToLowerAscii(reading.Skin);
    return NameOf(std::move(code), reading.Section, reading.Parts.Team, reading.Parts.Face);
  }
  if (model.SingleSkin) return std::nullopt;
  return FourLetterName(base);
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

namespace {

// Places the pictures of one import into the skins they name, making the
// skins the project lacks; textures the skins share go to the first skin.
class ImportPlanner {
public:
  ImportPlanner(const ProjectDocument& document, ImportCommand& command, ImportResult& result)
      : document_(document), model_(document.Model()), command_(command), result_(result) {}

  void Place(const std::filesystem::path& file, const ImportName& name) {
    const std::string shown = file.filename().string();
    const model::TModeloPart* part = model_.SectionByNumber(name.Section);
    if (!part) return Skip(shown + ": the model declares no section " + std::to_string(name.Section));
    if (!FitsACaption(name.Identifier)) return Skip(shown + ": the name holds a character that texture names cannot");
    const SkinNode* skin = name.Code.empty() ? FirstSkin() : SkinFor(name.Code);
    if (!skin) return Skip(shown + ": a texture all skins share, and the project has no skin to hold it");
    const SkinNode& section = *FindSection(*skin, name.Section);
    const bool planned = std::any_of(command_.Textures.begin(), command_.Textures.end(), [&](const auto& placed) {
      return placed.Section == &section && platform::EqualsIgnoreCase(placed.Node->Texture().Identifier, name.Identifier);
    });
    if (FindIdentifier(section, name.Identifier) || planned)
      return Skip(shown + ": the section " + section.Caption() + " of the skin " + skin->Caption() +
                  " already has the texture (" + name.Identifier + ")");
    auto node = DocumentEditor::MakeTexture(TObjetoTextura::FromFile(file, name.Identifier, name.Description, *part));
    if (IsNew(skin))
      DocumentEditor::Attach(section, std::move(node));
    else
      command_.Textures.push_back({&section, std::move(node), nullptr});
    ++result_.Imported;
  }

  void Skip(std::string why) { result_.Skipped.push_back(std::move(why)); }

private:
  const SkinNode* SkinFor(const std::string& code) {
    if (const SkinNode* skin = FindSkinByCode(document_.Root(), code)) return skin;
    for (const auto& made : command_.NewSkins)
      if (platform::EqualsIgnoreCase(made->Code(), code)) return made.get();
    command_.NewSkins.push_back(DocumentEditor::MakeSkin(model_, code, code));
    return command_.NewSkins.back().get();
  }

  // The skin the tree shows first, of the project's and the import's.
  const SkinNode* FirstSkin() const {
    const SkinNode* first = nullptr;
    const auto consider = [&](const SkinNode& skin) {
      if (!first || SortsBefore(skin, *first)) first = &skin;
    };
    for (const SkinNode& skin : document_.Root().Children()) consider(skin);
    for (const auto& made : command_.NewSkins) consider(*made);
    return first;
  }

  bool IsNew(const SkinNode* skin) const {
    return std::any_of(command_.NewSkins.begin(), command_.NewSkins.end(),
                       [&](const auto& made) { return made.get() == skin; });
  }

  const ProjectDocument& document_;
  const model::TModelo& model_;
  ImportCommand& command_;
  ImportResult& result_;
};

}  // namespace

std::unique_ptr<ProjectCommand> MakeImportTextures(const ProjectDocument& document,
                                                   const std::vector<std::filesystem::path>& files,
                                                   ImportResult& result) {
  result = {};
  auto command = std::make_unique<ImportCommand>();
  ImportPlanner planner(document, *command, result);
  const model::TModelo& model = document.Model();
  std::vector<std::pair<std::filesystem::path, ImportName>> shared;
  // Last to first, as the file dialog hands them over.
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    const std::optional<ImportName> name = ParseImportName(model, *file);
    const std::string shown = file->filename().string();
    if (!name)
      planner.Skip(shown + ": the name is none of the names the model's textures take");
    else if (name->Code.empty())
      shared.emplace_back(*file, *name);
    else if (!IsSkinCode(model, name->Code))
      planner.Skip(shown + ": the name does not begin with a skin code of four letters");
    else
      planner.Place(*file, *name);
  }
  // Once the skins are known, the one shown first takes what all share.
  for (const auto& [file, name] : shared) planner.Place(file, name);
  if (result.Imported == 0) return nullptr;
  return command;
}

}  // namespace project
