#include <algorithm>
#include <charconv>
#include <set>

#include "model/ModelCatalogue.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "platform/FileTime.h"
#include "platform/IniFile.h"
#include "project/DocumentEditor.h"
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
  options.PaletteQuality = ini.ReadInteger(General, "PaletteQuality", 0) == 1 ? 1 : 0;
  options.HighResolution = ini.ReadBool(General, "HighResolution", false);
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
  // Written only when on, so classic projects keep the file the format describes.
  if (options.PaletteQuality != 0) ini.WriteInteger(General, "PaletteQuality", options.PaletteQuality);
  if (options.HighResolution) ini.WriteBool(General, "HighResolution", true);
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

// One texture of a project file section: its identifier and description,
// closed by its file name. Sections whose names differ only in letter case
// reach us merged, their records one after another.
struct TextureRecord {
  std::string Identifier;
  std::string Description;
  std::string FileName;
};

std::vector<TextureRecord> Records(const std::vector<std::pair<std::string, std::string>>& lines) {
  std::vector<TextureRecord> records;
  TextureRecord open;
  for (const auto& [key, value] : lines) {
    if (platform::EqualsIgnoreCase(key, "Identifier")) open.Identifier = value;
    if (platform::EqualsIgnoreCase(key, "Description")) open.Description = value;
    if (platform::EqualsIgnoreCase(key, "Filename")) {
      open.FileName = value;
      records.push_back(std::exchange(open, {}));
    }
  }
  return records;
}

// Section names of the project file end at "]".
std::string WithoutBrackets(std::string text) {
  std::erase_if(text, [](char c) { return c == '[' || c == ']'; });
  return text;
}

// Builds the tree of a file that another tool may have written, mending what
// breaks the rules so that every texture is kept, and saying what it changed.
class ProjectReader {
public:
  ProjectReader(const platform::IniFile& ini, const model::TModelo& model, const std::filesystem::path& home,
                SkinNode& root, std::vector<std::string>& report)
      : ini_(ini), model_(model), home_(home), root_(root), report_(report) {}

  void ReadSkins() {
    for (const auto& line : ini_.SectionLines(Groups)) {
      const bool again = std::any_of(groups_.begin(), groups_.end(), [&](const Group& group) {
        return group.FileCode == line.first && group.Skin->Description() == line.second;
      });
      if (!again) AddSkin(line.first, line.second);
    }
  }

  void ReadTextures(const std::filesystem::path& file) {
    for (const std::string& section : ini_.Sections()) {
      if (section.find('#') == std::string::npos) continue;
      // The key of [Groups] comes without the blanks around it.
      const std::string code = platform::Trim(section.substr(0, section.find('#')));
      const std::string afterCode = section.substr(section.find('#') + 1);
      const int number = NumberOrZero(afterCode.substr(0, afterCode.find('#')));
      const model::TModeloPart* part = model_.SectionByNumber(number);
      if (!part)
        throw ProjectError(file.string() + ": [" + section + "] names section " + std::to_string(number) +
                           ", which the model " + model_.Prefix + " does not declare");
      const std::vector<const SkinNode*> skins = SkinsOf(code);
      const std::vector<TextureRecord> records = Records(ini_.SectionLines(section));
      for (std::size_t i = 0; i < records.size(); ++i) {
        // A record that repeats an earlier one's identifier came from a skin
        // whose code differs in letter case; one that does not, from a
        // caption that does, in the same skin.
        const auto repeats = static_cast<std::size_t>(std::count_if(
            records.begin(), records.begin() + static_cast<long>(i),
            [&](const TextureRecord& earlier) { return earlier.Identifier == records[i].Identifier; }));
        AddTexture(*FindSection(*skins[std::min(repeats, skins.size() - 1)], number), *part, records[i]);
      }
    }
  }

private:
  struct Group {
    std::string FileCode;
    const SkinNode* Skin;
  };

  const SkinNode& AddSkin(const std::string& fileCode, const std::string& description) {
    std::string code = model_.SingleSkin ? fileCode : platform::ToLowerAscii(fileCode);
    if (!IsSkinCode(model_, code)) {
      const bool letters = std::any_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
      code = MakeSkinCode(model_, "", letters ? code : description);
    }
    code = FreeCode(code);
    const SkinNode& skin =
        DocumentEditor::Attach(root_, DocumentEditor::MakeSkin(model_, code, platform::Trim(description)));
    if (code != fileCode)
      report_.push_back("The skin \"" + description + "\" had the code \"" + fileCode + "\"; it is now \"" + code +
                        (model_.SingleSkin ? "\", a name that no other skin of the project has."
                                           : "\", four letters that no other skin of the project has."));
    groups_.push_back({fileCode, &skin});
    return skin;
  }

  // The code itself, or the first variant of its last letters that no skin
  // has; a whole skin name takes a number after it.
  std::string FreeCode(std::string code) const {
    if (!FindSkinByCode(root_, code)) return code;
    if (model_.SingleSkin)
      for (int n = 2;; ++n) {
        const std::string number = std::to_string(n);
        const std::string candidate = code.substr(0, model::MaxSkinName - number.size()) + number;
        if (!FindSkinByCode(root_, candidate)) return candidate;
      }
    for (std::size_t keep = 3; keep > 0; --keep)
      for (int variant = 0;; ++variant) {
        std::string candidate = code.substr(0, keep);
        int rest = variant;
        for (std::size_t i = keep; i < 4; ++i, rest /= 26) candidate += static_cast<char>('a' + rest % 26);
        if (rest > 0) break;
        if (!FindSkinByCode(root_, candidate)) return candidate;
      }
    throw ProjectError("The project has more skins than there are codes of four letters");
  }

  // The skins a section's code names: the one of exactly that code first, then
  // those that differ in letter case, in file order. A code that [Groups] does
  // not list gets a skin of its own.
  std::vector<const SkinNode*> SkinsOf(const std::string& code) {
    std::vector<const SkinNode*> skins;
    for (const Group& group : groups_)
      if (group.FileCode == code) skins.push_back(group.Skin);
    for (const Group& group : groups_)
      if (group.FileCode != code && platform::EqualsIgnoreCase(group.FileCode, code)) skins.push_back(group.Skin);
    if (skins.empty()) {
      report_.push_back("Textures name the skin \"" + code + "\", which [Groups] does not list; it is added.");
      skins.push_back(&AddSkin(code, code));
    }
    return skins;
  }

  void AddTexture(const SkinNode& section, const model::TModeloPart& part, const TextureRecord& record) {
    const std::string fileIdentifier = WithoutBrackets(record.Identifier);
    const std::string fileDescription = WithoutBrackets(CompleteDescription(record.Description, record.Identifier));
    const std::string caption = TextureCaption(fileDescription, fileIdentifier);
    std::string identifier = fileIdentifier;
    std::string description = fileDescription;
    for (int n = 2; FindIdentifier(section, identifier); ++n) {
      identifier = fileIdentifier + std::to_string(n);
      description = fileDescription + std::to_string(n);
    }
    const std::string where = section.Parent()->Caption() + "/" + section.Caption() + "/";
    if (TextureCaption(description, identifier) != caption)
      report_.push_back("The texture " + where + caption + " is now " + TextureCaption(description, identifier) +
                        ", a name no other texture of its section has.");
    const std::filesystem::path stored = FromProjectPath(record.FileName, home_);
    const std::optional<std::filesystem::path> found = platform::ResolvePathIgnoringCase(stored);
    std::error_code ec;
    std::unique_ptr<TObjetoTextura> entry;
    if (found && std::filesystem::is_regular_file(*found, ec)) {
      try {
        entry = TObjetoTextura::FromFile(*found, identifier, description, part);
      } catch (const std::exception& e) {
        report_.push_back("The texture file " + found->string() + " cannot be read (" + e.what() +
                          "); the texture stays in the project without its picture.");
      }
    } else if (unreported_.insert(stored.string()).second) {
      report_.push_back("The texture file " + stored.string() + " of " + where + TextureCaption(description, identifier) +
                        " is not found; the texture stays in the project and is saved as it was.");
    }
    if (!entry) entry = TObjetoTextura::NotFound(found.value_or(stored), record.FileName, identifier, description, part);
    DocumentEditor::Attach(section, DocumentEditor::MakeTexture(std::move(entry)));
  }

  const platform::IniFile& ini_;
  const model::TModelo& model_;
  const std::filesystem::path& home_;
  SkinNode& root_;
  std::vector<std::string>& report_;
  std::vector<Group> groups_;
  std::set<std::string> unreported_;
};

// JPEG would lose detail at every save: a painted JPEG goes to a PNG beside
// it, under a name that no file has in any letter case, so that nothing the
// user did not pick is replaced, here or on Windows.
std::filesystem::path SavedPictureFile(const std::filesystem::path& file) {
  const std::string extension = platform::ToLowerAscii(file.extension().string());
  if (extension != ".jpg" && extension != ".jpeg") return file;
  std::filesystem::path target = std::filesystem::path(file).replace_extension(".png");
  for (int n = 2; platform::ResolvePathIgnoringCase(target); ++n)
    target = file.parent_path() / (file.stem().string() + "-" + std::to_string(n) + ".png");
  return target;
}

std::string NewFileNote(const std::filesystem::path& target) {
  return "The picture is saved as " + target.filename().string() +
         " beside its JPEG file, which would lose detail; the project then uses that file.";
}

}  // namespace

std::unique_ptr<ProjectDocument> ProjectDocument::New(const std::shared_ptr<const model::TModelo>& model,
                                                      const std::filesystem::path& file,
                                                      const std::filesystem::path& home) {
  const std::string required = model->Prefix + "Skins";
  if (file.filename().string().rfind(required, 0) != 0)
    throw ProjectError("Filename prefix is incorrect. The name must begin with \"" + required + "\". Will not save.");
  std::unique_ptr<ProjectDocument> document(new ProjectDocument(file, home));
  document->model_.Assign(model);
  document->root_ = SkinNode::Make(NodeKind::Project);
  document->root_->text_ = RootCaption(file, model->Prefix);
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
  document->root_ = SkinNode::Make(NodeKind::Project);
  document->root_->text_ = RootCaption(file, model->Prefix);
  ProjectReader reader(ini, document->model_, home, *document->root_, document->loadReport_);
  reader.ReadSkins();
  reader.ReadTextures(file);
  return document;
}

platform::IniFile ProjectDocument::ToIni() const {
  platform::IniFile ini;
  WriteOptions(ini, model_.Prefix, options_);
  for (const SkinNode& skin : root_->Children()) ini.WriteString(Groups, skin.Code(), skin.Description());
  for (const SkinNode& skin : root_->Children())
    for (const SkinNode& section : skin.Children())
      for (const SkinNode& node : section.Children()) {
        const TObjetoTextura& texture = node.Texture();
        const std::string name = skin.Code() + "#" + std::to_string(section.SectionNumber()) + "#" + node.Caption();
        if (!texture.Identifier.empty()) ini.WriteString(name, "Identifier", texture.Identifier);
        if (!texture.Description.empty()) ini.WriteString(name, "Description", texture.Description);
        ini.WriteString(name, "Filename",
                        texture.Missing() ? texture.StoredFileName : ToProjectPath(texture.FileName, home_));
      }
  return ini;
}

std::string ProjectDocument::FileText() const { return ToIni().ToText(); }

void ProjectDocument::WriteTo(const std::filesystem::path& file, SaveResult& result, const TextureSaveQuestion& ask) {
  DocumentEditor editor(*this);
  for (const SkinNode* node : TextureNodes(*root_)) {
    const TObjetoTextura& texture = node->Texture();
    if (!texture.Modified) continue;
    const std::filesystem::path target = SavedPictureFile(texture.FileName);
    const std::string place = node->Skin()->Description() + "/" + node->Parent()->Caption() + "/" + node->Caption();
    std::string question = "Save modified texture " + place + " ?";
    if (target != texture.FileName) question += "\n" + NewFileNote(target);
    if (ask && !ask(question)) {
      result.Unsaved.push_back(place + ": you answered No");
      continue;
    }
    try {
      WriteTexture(editor, *node, target);
    } catch (const std::exception& e) {
      result.Unsaved.push_back(place + ": " + e.what());
    }
  }
  ToIni().Save(file);
  ++saveCount_;
  editor.SetModified(!result.Unsaved.empty());
}

void ProjectDocument::WriteTexture(DocumentEditor& editor, const SkinNode& node, const std::filesystem::path& target) {
  TObjetoTextura& texture = editor.Entry(node);
  raster::SavePicture(texture.SourceBitmap, target);
  const bool renamed = target != texture.FileName;
  texture.FileName = target;
  texture.Modified = false;
  texture.FileTime = platform::FileModificationTime(target);
  ++texture.FileExchanges;
  if (renamed) editor.Changed(node);
}

std::string ProjectDocument::SaveTexture(const SkinNode& texture) {
  DocumentEditor editor(*this);
  const std::filesystem::path target = SavedPictureFile(texture.Texture().FileName);
  const bool renamed = target != texture.Texture().FileName;
  WriteTexture(editor, texture, target);
  if (!renamed) return {};
  // The project file names the picture's file: a new name is a change of the project.
  editor.SetModified(true);
  return NewFileNote(target);
}

SaveResult ProjectDocument::Save(const TextureSaveQuestion& ask) {
  SaveResult result;
  WriteTo(fileName_, result, ask);
  return result;
}

SaveResult ProjectDocument::SaveAs(const std::filesystem::path& file, const TextureSaveQuestion& ask) {
  SaveResult result;
  WriteTo(file, result, ask);
  DocumentEditor(*this).SetFileName(file, file.stem().string());
  return result;
}

}  // namespace project
