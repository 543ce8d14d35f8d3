#include "model/LocalisationLines.h"

#include <stdexcept>

#include "model/System2.h"
#include "platform/AsciiText.h"
#include "platform/FileContents.h"

namespace model {

namespace {

// The key=value pairs between "Object=(" and the closing parenthesis.
std::optional<DeclaredObject> ParseObjectLine(const std::string& line) {
  const std::string text = platform::Trim(line);
  if (!platform::StartsWithIgnoreCase(text, "object=(")) return std::nullopt;
  DeclaredObject object;
  std::size_t at = 8;
  while (at < text.size() && text[at] != ')') {
    const std::size_t equals = text.find('=', at);
    if (equals == std::string::npos) break;
    const std::string key = platform::ToLowerAscii(platform::Trim(text.substr(at, equals - at)));
    std::size_t start = equals + 1;
    while (start < text.size() && text[start] == ' ') ++start;
    const bool quoted = start < text.size() && text[start] == '"';
    std::size_t end = quoted ? text.find('"', start + 1) : text.find_first_of(",)", start);
    if (end == std::string::npos) end = text.size();
    const std::string value = platform::Trim(text.substr(start + (quoted ? 1 : 0), end - start - (quoted ? 1 : 0)));
    if (key == "name")
      object.Name = value;
    else if (key == "class")
      object.Class = value;
    else if (key == "metaclass")
      object.MetaClass = value;
    else if (key == "description")
      object.Description = value;
    at = quoted ? text.find_first_of(",)", end + 1) : end;
    if (at != std::string::npos && text[at] == ',') ++at;
  }
  return object;
}

}  // namespace

std::vector<DeclaredObject> ReadDeclaredObjects(const std::filesystem::path& intFile) {
  const auto text = platform::ReadFileContents(intFile);
  if (!text) throw std::runtime_error("Cannot read " + intFile.string() + ": there is no such file");
  std::vector<std::string> lines;
  SplitToList(*text, "\n", lines);
  std::vector<DeclaredObject> objects;
  for (const std::string& line : lines)
    if (auto object = ParseObjectLine(line)) objects.push_back(std::move(*object));
  return objects;
}

}  // namespace model
