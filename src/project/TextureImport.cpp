#include "platform/AsciiText.h"
#include "project/ProjectDocument.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

// What a file name stands for: skin code, section digit, then the identifier.
struct ImportName {
  std::string code;
  int section = 1;
  std::string identifier;
  std::string description;
};

ImportName ParseImportName(const std::filesystem::path& file) {
  const std::string base = platform::ToLowerAscii(file.stem().string());
  ImportName name;
  name.code = base.substr(0, 4);
  if (base.size() > 4 && base[4] >= '0' && base[4] <= '9') name.section = base[4] - '0';
  name.identifier = base.size() > 5 ? base.substr(5) : std::string();
  const std::string& rest = name.identifier;
  if (rest.rfind("t_", 0) != 0)
    name.description = std::string(DefaultLabel) + rest;
  else
    name.description = std::string(LabelOfTeamDigit(rest.size() > 2 ? rest[2] : ' ')) + (rest.size() > 3 ? rest.substr(3) : "");
  return name;
}

}  // namespace

ImportResult ProjectDocument::ImportTextures(const std::vector<std::filesystem::path>& files) {
  ImportResult result;
  if (files.empty()) return result;
  modified_ = true;
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    const ImportName name = ParseImportName(*file);
    const model::TModeloPart* part = model_.SectionByNumber(name.section);
    if (!part) {
      result.Skipped.push_back(*file);
      continue;
    }
    SkinNode* skin = FindSkinByCode(*root_, name.code);
    if (!skin) skin = &AddSkinNode(SkinCaption(name.code, name.code));
    AddMissingSections(*skin);
    SkinNode* section = SectionNodeOf(*skin, name.section);
    auto texture = TObjetoTextura::FromFile(*file, name.identifier, name.description, *part);
    SkinNode& node = section->Add(NodeKind::Texture, TextureCaption(name.description, name.identifier));
    node.Texture = std::move(texture);
    ++result.Imported;
  }
  Sort();
  return result;
}

}  // namespace project
