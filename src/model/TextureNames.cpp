#include "model/TextureNames.h"

#include <stdexcept>

#include "model/TModelo.h"
#include "platform/AsciiText.h"

namespace model {

namespace {

const char* TeamName(int team) {
  static const char* const names[] = {"Red", "Blue", "Green", "Gold"};
  return team >= 0 && team < 4 ? names[team] : "";
}

}  // namespace

IdentifierParts SplitIdentifier(std::string_view identifier) {
  if (identifier.size() >= 2 && platform::EqualsIgnoreCase(identifier.substr(0, 2), "t_")) {
    IdentifierParts parts;
    if (identifier.size() >= 3 && identifier[2] >= '0' && identifier[2] <= '9') parts.Team = identifier[2] - '0';
    parts.Face = std::string(identifier.size() > 3 ? identifier.substr(3) : std::string_view());
    return parts;
  }
  return {-1, std::string(identifier)};
}

std::string ExpandNameFormat(std::string_view format, std::string_view skin, int section, int team,
                             std::string_view face) {
  std::string result;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      result += format[i++];
      continue;
    }
    const std::size_t close = format.find('%', i + 1);
    const std::size_t end = close == std::string_view::npos ? format.size() : close;
    const std::string name = platform::ToUpperAscii(format.substr(i + 1, end - i - 1));
    if (name == "SKIN")
      result += skin;
    else if (name == "SECTION")
      result += std::to_string(section);
    else if (name == "SECTION0")
      result += std::to_string(section - 1);
    else if (name == "TEAM")
      result += std::to_string(team);
    else if (name == "TEAMNAME")
      result += TeamName(team);
    else if (name == "FACE")
      result += face;
    i = close == std::string_view::npos ? format.size() : close + 1;
  }
  return result;
}

std::string MakeTextureName(const TModelo& model, std::string_view skinCode, int sectionNumber,
                            std::string_view identifier) {
  const IdentifierParts parts = SplitIdentifier(identifier);
  const TModeloPart* section = model.SectionByNumber(sectionNumber);
  if (!section)
    throw std::runtime_error("The model " + model.Prefix + " has no section " + std::to_string(sectionNumber));
  const bool team = parts.Team >= 0;
  const bool face = !parts.Face.empty();
  const std::string& format = team ? (face ? section->FormatTeamFace : section->FormatTeamNoFace)
                                   : (face ? section->FormatNoTeamFace : section->FormatNoTeamNoFace);
  return ExpandNameFormat(format, skinCode, sectionNumber, parts.Team, parts.Face);
}

}  // namespace model
