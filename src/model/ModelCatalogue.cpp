#include "model/ModelCatalogue.h"

#include <algorithm>

#include "model/ModelDefinition.h"
#include "platform/AsciiText.h"
#include "platform/IniFile.h"
#include "platform/ProgramHome.h"

namespace model {

namespace {

bool IsDefinitionFile(const std::filesystem::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && platform::EqualsIgnoreCase(entry.path().extension().string(), ".mrbe");
}

std::vector<std::filesystem::directory_entry> SortedEntries(const std::filesystem::path& folder) {
  std::vector<std::filesystem::directory_entry> entries;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    entries.push_back(*it);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return platform::ToLowerAscii(a.path().filename().string()) < platform::ToLowerAscii(b.path().filename().string());
  });
  return entries;
}

void CollectCustomModels(const std::filesystem::path& folder, std::vector<std::filesystem::path>& files, int depth) {
  // Deeper folders than this are a link loop, not models.
  if (depth > 32) return;
  for (const auto& entry : SortedEntries(folder)) {
    std::error_code ec;
    if (entry.is_directory(ec))
      CollectCustomModels(entry.path(), files, depth + 1);
    else if (IsDefinitionFile(entry))
      files.push_back(entry.path());
  }
}

}  // namespace

std::shared_ptr<const TModelo> ModelCatalogue::FindByPrefix(std::string_view prefix) const {
  for (const auto& entry : Entries)
    if (entry->Prefix == prefix) return entry;
  return nullptr;
}

std::shared_ptr<const TModelo> ModelCatalogue::FindByPrefixIgnoringCase(std::string_view prefix) const {
  std::shared_ptr<const TModelo> found;
  for (const auto& entry : Entries)
    if (platform::EqualsIgnoreCase(entry->Prefix, prefix)) found = entry;
  return found;
}

std::vector<std::filesystem::path> DefinitionFiles(const std::filesystem::path& home) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  const std::filesystem::path settings = platform::SettingsFilePath(home);
  if (std::filesystem::is_regular_file(settings, ec)) files.push_back(settings);
  for (const auto& entry : SortedEntries(home))
    if (IsDefinitionFile(entry)) files.push_back(entry.path());
  CollectCustomModels(home / "CustomModels", files, 0);
  return files;
}

ModelCatalogue ScanModelCatalogue(const std::filesystem::path& home) {
  ModelCatalogue catalogue;
  for (const std::filesystem::path& file : DefinitionFiles(home)) {
    try {
      const platform::IniFile definition = platform::IniFile::Load(file);
      const std::optional<std::string> section = FindModelSection(definition);
      if (!section) continue;
      if (catalogue.FindByPrefix(definition.ReadString(*section, "Prefix", ""))) continue;
      catalogue.Entries.push_back(ReadModelDefinition(definition, file, *section));
    } catch (const std::exception& e) {
      catalogue.Problems.push_back({file, e.what()});
    }
  }
  return catalogue;
}

void RefreshCurrentModel(TModelo& current, const ModelCatalogue& catalogue) {
  if (current.Prefix.empty()) return;
  if (const auto entry = catalogue.FindByPrefix(current.Prefix)) current.Assign(entry);
}

}  // namespace model
