#include "platform/DesktopEntryGame.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/AsciiText.h"
#include "platform/FileContents.h"
#include "platform/GameDirectory.h"

namespace platform {

namespace {

// The values of `key` in the [Desktop Entry] group; other groups (actions) start other programs.
std::optional<std::string> EntryValue(std::string_view text, std::string_view key) {
  bool inEntry = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trim(std::string(text.substr(start, end - start)));
    start = end + 1;
    if (line.starts_with('[')) {
      inEntry = line == "[Desktop Entry]";
    } else if (inEntry && line.starts_with(key) && line.size() > key.size() && line[key.size()] == '=') {
      return Trim(line.substr(key.size() + 1));
    }
  }
  return std::nullopt;
}

// The program an Exec= line starts: its first word, quotes removed, past an
// "env" and its variable settings.
std::string ExecProgram(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && quoted && i + 1 < exec.size()) {
      word += exec[++i];
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  for (const std::string& candidate : words) {
    if (candidate == "env" || candidate.find('=') != std::string::npos) continue;
    return candidate;
  }
  return {};
}

bool HoldsGameFolders(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_directory(folder, error) && MissingGameFolders(folder).empty();
}

std::optional<std::filesystem::path> GameFolderAbove(const std::filesystem::path& start) {
  if (!start.is_absolute()) return std::nullopt;
  for (std::filesystem::path folder = start.lexically_normal();; folder = folder.parent_path()) {
    if (!folder.has_relative_path()) return std::nullopt;
    if (HoldsGameFolders(folder)) return folder;
  }
}

}  // namespace

std::optional<std::filesystem::path> GameFolderOfDesktopEntry(std::string_view entryText) {
  if (const auto path = EntryValue(entryText, "Path"); path && !path->empty())
    if (auto found = GameFolderAbove(*path)) return found;
  if (const auto exec = EntryValue(entryText, "Exec"))
    if (const std::string program = ExecProgram(*exec); !program.empty())
      return GameFolderAbove(std::filesystem::path(program).parent_path());
  return std::nullopt;
}

std::optional<DesktopEntryGame> FindGameInDesktopEntries(const std::filesystem::path& applicationsFolder) {
  std::vector<std::filesystem::path> entries;
  std::error_code error;
  for (std::filesystem::directory_iterator it(applicationsFolder, error), end; !error && it != end;
       it.increment(error))
    if (EqualsIgnoreCase(it->path().extension().string(), ".desktop")) entries.push_back(it->path());
  std::sort(entries.begin(), entries.end());
  for (const std::filesystem::path& entry : entries)
    if (const auto text = ReadFileContents(entry))
      if (auto folder = GameFolderOfDesktopEntry(*text)) return DesktopEntryGame{std::move(*folder), entry};
  return std::nullopt;
}

}  // namespace platform
