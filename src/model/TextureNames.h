#pragma once

#include <string>
#include <string_view>

namespace model {

class TModelo;

// The team and face a texture identifier stands for: "t_2john" is team 2 with
// face john, "john" face john without team, "" neither.
struct IdentifierParts {
  int Team = -1;
  std::string Face;
};
IdentifierParts SplitIdentifier(std::string_view identifier);

// Expands %SKIN%, %SECTION%, %SECTION0%, %TEAM%, %TEAMNAME% and %FACE% in a
// texture-name format; unknown placeholders insert nothing.
std::string ExpandNameFormat(std::string_view format, std::string_view skin, int section, int team,
                             std::string_view face);

// The texture's object name in the package. Asking for a section the model
// does not declare is an error.
std::string MakeTextureName(const TModelo& model, std::string_view skinCode, int sectionNumber,
                            std::string_view identifier);

}  // namespace model
