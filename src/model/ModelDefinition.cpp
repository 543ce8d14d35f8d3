#include "model/ModelDefinition.h"

#include <charconv>
#include <vector>

#include "model/System2.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"

namespace model {

namespace {

using platform::IniFile;

struct FlagName {
  const char* word;  // in format 1 section lists
  const char* key;   // in format 2 sections
  std::uint32_t flag;
};

constexpr FlagName Flags[] = {
    {"NOINT", "NoINT", NOINT},
    {"TEAM", "Team", TEAM},
    {"FACE", "Face", FACE},
    {"ONEMIPMAP", "OneMipMap", ONEMIPMAP},
    {"LODSETWORLD", "LODSetWorld", LODSETWORLD},
    {"MASKED", "Masked", MASKED},
    {"CANNOTRESAMPLE", "CannotResample", CANNOTRESAMPLE},
    {"TALKTEXTURE", "TalkTexture", TALKTEXTURE},
    {"TRANSLUCENT", "Translucent", TRANSLUCENT},
    {"REQUIRED", "Required", REQUIRED},
};

struct Size {
  int width = 0;
  int height = 0;
};

// "256x128": width, the letter x in either case, height; zeros when malformed.
Size ParseSize(std::string_view text) {
  Size size;
  const std::string t = platform::Trim(text);
  const auto x = t.find_first_of("xX");
  if (x == std::string::npos) return {};
  const std::string w = platform::Trim(t.substr(0, x));
  const std::string h = platform::Trim(t.substr(x + 1));
  const auto [we, werr] = std::from_chars(w.data(), w.data() + w.size(), size.width);
  const auto [he, herr] = std::from_chars(h.data(), h.data() + h.size(), size.height);
  if (werr != std::errc() || herr != std::errc() || we != w.data() + w.size() || he != h.data() + h.size()) return {};
  return size;
}

bool IsYes(const IniFile& ini, std::string_view section, std::string_view key) {
  return platform::EqualsIgnoreCase(platform::Trim(ini.ReadString(section, key, "")), "yes");
}

std::string FormatOrDefault(const IniFile& ini, std::string_view section, std::string_view key, const char* fallback) {
  std::string value = ini.ReadString(section, key, "");
  return value.empty() ? std::string(fallback) : value;
}

// Both section formats leave a section without a size at 64 x 64 for a talk
// texture and 256 x 256 otherwise. A size larger than the game loads would
// only make compiling run out of memory: `where` names the declaration.
void AddWithDefaultSize(TModelo& model, std::string name, std::uint32_t flags, std::string f1, std::string f2,
                        std::string f3, std::string f4, Size size, const std::string& where) {
  if (size.width > MaxTextureSide || size.height > MaxTextureSide)
    throw DefinitionError(where + ": the texture size " + std::to_string(size.width) + "x" + std::to_string(size.height) +
                          " is larger than the " + std::to_string(MaxTextureSide) + "x" +
                          std::to_string(MaxTextureSide) + " the game loads");
  if (size.width <= 0 || size.height <= 0) {
    const int side = (flags & TALKTEXTURE) ? 64 : 256;
    size = {side, side};
  }
  if (flags & MASKED) model.HasMaskedSections = true;
  model.AddSection(std::move(name), flags, std::move(f1), std::move(f2), std::move(f3), std::move(f4), size.width,
                   size.height);
}

// Section1 to Section8: "name, FLAG, TEXTUREIS<w>X<h>, ...".
void ReadSectionsFormat1(const IniFile& ini, const std::string& section, const std::filesystem::path& file,
                         TModelo& model) {
  const std::string formatDefault = FormatOrDefault(ini, section, "FormatDefault", DefaultFormatNoTeamNoFace);
  const std::string formatFace = FormatOrDefault(ini, section, "FormatFace", DefaultFormatNoTeamFace);
  const std::string formatTeam = FormatOrDefault(ini, section, "FormatTeam", DefaultFormatTeamNoFace);
  const std::string formatTalk = ini.ReadString(section, "FormatTalk", "");
  for (int number = 1; number <= 8; ++number) {
    const std::string declaration = ini.ReadString(section, "Section" + std::to_string(number), "");
    if (declaration.empty()) continue;
    std::vector<std::string> items;
    SplitToList(declaration, ",", items);
    std::uint32_t flags = static_cast<std::uint32_t>(number);
    Size size;
    for (std::size_t i = 1; i < items.size(); ++i) {
      const std::string word = platform::ToUpperAscii(platform::Trim(items[i]));
      for (const FlagName& f : Flags)
        if (word == f.word) flags |= f.flag;
      if (word.rfind("TEXTUREIS", 0) == 0 && size.width <= 0) {
        const Size candidate = ParseSize(word.substr(9));
        if (candidate.width > 0 && candidate.height > 0) size = candidate;
      }
    }
    AddWithDefaultSize(model, platform::Trim(items[0]), flags, formatDefault,
                       (flags & TALKTEXTURE) ? formatTalk : formatFace, formatTeam, DefaultFormatTeamFace, size,
                       file.string() + ": [" + section + "] Section" + std::to_string(number));
  }
}

// The section number of a format-2 section name ("Section3" gives 3), or -1.
int SectionNumberOf(const std::string& name) {
  if (!platform::StartsWithIgnoreCase(name, "section") || name.size() == 7) return -1;
  int number = 0;
  const char* first = name.data() + 7;
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || *first == '-' || *first == '+') return -1;
  return number;
}

void ReadSectionsFormat2(const IniFile& ini, const std::string& modelSection, const std::filesystem::path& file,
                         TModelo& model) {
  bool afterModel = false;
  for (const std::string& section : ini.Sections()) {
    if (!afterModel) {
      afterModel = section == modelSection;
      continue;
    }
    const int number = SectionNumberOf(section);
    if (number < 0) continue;
    if (number > 15)
      throw DefinitionError(file.string() + ": [" + section + "]: section numbers go from 0 to 15");
    std::uint32_t flags = static_cast<std::uint32_t>(number);
    for (const FlagName& f : Flags)
      if (IsYes(ini, section, f.key)) flags |= f.flag;
    if (flags & TALKTEXTURE) model.TalkTextureIndex = number;
    AddWithDefaultSize(model, ini.ReadString(section, "Name", ""), flags,
                       FormatOrDefault(ini, section, "FormatNoTeamNoFace", DefaultFormatNoTeamNoFace),
                       FormatOrDefault(ini, section, "FormatNoTeamFace", DefaultFormatNoTeamFace),
                       FormatOrDefault(ini, section, "FormatTeamNoFace", DefaultFormatTeamNoFace),
                       FormatOrDefault(ini, section, "FormatTeamFace", DefaultFormatTeamFace),
                       ParseSize(ini.ReadString(section, "TextureSize", "")), file.string() + ": [" + section + "]");
  }
}

}  // namespace

std::vector<TCameraPreset> ReadCameraPresets(const IniFile& ini, const std::string& section) {
  std::vector<TCameraPreset> presets;
  for (int i = 1;; ++i) {
    const std::string value = ini.ReadString(section, "Preset" + std::to_string(i), "");
    if (value.empty()) break;
    presets.push_back(ParseCameraPreset(value));
  }
  if (presets.empty()) presets.push_back({"Front", 0, 0, 2000, 0, 0, 0});
  return presets;
}

std::optional<std::string> FindModelSection(const IniFile& definition) {
  for (const std::string& section : definition.Sections())
    if (platform::StartsWithIgnoreCase(section, "model")) return section;
  return std::nullopt;
}

std::shared_ptr<TModelo> ReadModelDefinition(const IniFile& ini, const std::filesystem::path& file,
                                             const std::string& section) {
  auto model = std::make_shared<TModelo>();
  model->DefinitionId = file.string() + "|" + section;
  try {
    const int formatVersion = ini.ReadInteger(section, "FormatVersion", 1);
    model->Name = ini.ReadString(section, "Name", "");
    model->Prefix = ini.ReadString(section, "Prefix", "");
    const std::string dataFile = ini.ReadString(section, "3DFile", "");
    if (!dataFile.empty()) {
      std::string local = dataFile;
      for (char& c : local)
        if (c == '\\') c = '/';
      model->ModelDataFile = (file.parent_path() / local).string();
    }
    const std::string game = ini.ReadString(section, "Game", "");
    model->ForUnrealTournament = game.empty() || platform::EqualsIgnoreCase(game, "unrealtournament");
    model->Mesh = ini.ReadString(section, "Mesh", "");
    if (model->Mesh.empty()) model->Mesh = ini.ReadString(section, "LodMesh", "");
    model->AMS = IsYes(ini, section, "AMS");
    model->SingleSkin = IsYes(ini, section, "SingleSkin");
    model->TalkTextureIndex = formatVersion == 1 ? ini.ReadInteger(section, "TalkTextureIndex", -1) : -1;
    if (!dataFile.empty() || !model->Mesh.empty()) {
      auto read = [&](const char* key, float fallback) { return static_cast<float>(ini.ReadFloat(section, key, fallback)); };
      model->ScaleX = read("ScaleX", 1.0f);
      model->ScaleY = read("ScaleY", 1.0f);
      model->ScaleZ = read("ScaleZ", 1.0f);
      model->OffsetX = read("OffsetX", 0.0f);
      model->OffsetY = read("OffsetY", 0.0f);
      model->OffsetZ = read("OffsetZ", 0.0f);
      model->Pitch = read("Pitch", 0.0f);
      model->Roll = read("Roll", 0.0f);
      model->Turn = read("Turn", 0.0f);
    }
    model->MirrorX = IsYes(ini, section, "MirrorX");
    model->Presets = ReadCameraPresets(ini, section);
    if (formatVersion == 1)
      ReadSectionsFormat1(ini, section, file, *model);
    else
      ReadSectionsFormat2(ini, section, file, *model);
  } catch (const DefinitionError&) {
    throw;
  } catch (const std::exception& e) {
    throw DefinitionError(file.string() + ": [" + section + "]: " + e.what());
  }
  return model;
}

}  // namespace model
