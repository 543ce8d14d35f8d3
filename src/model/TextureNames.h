#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// A format without %SKIN% names its texture alike for every skin: the game
// finds it whichever skin of a package holds it.
bool NamedAlikeForEverySkin(std::string_view format);

// Whether `skin` can stand for %SKIN% in the model's names: four letters A to
// Z, or for a single-skin model the skin's whole name, of letters, digits,
// "-" and "_" (as the game's object names allow), up to MaxSkinName.
bool FitsSkinName(const TModelo& model, std::string_view skin);
bool IsSkinNameCharacter(char c);
inline constexpr std::size_t MaxSkinName = 32;

// One way a model's name formats make a texture name.
struct TextureNameReading {
  // As the name writes it; empty for a format without %SKIN%, a texture the
  // model's skins share.
  std::string Skin;
  int Section = 0;
  IdentifierParts Parts;
  // The section's flags allow such a texture (a face, a team).
  bool Allowed = false;
  // The format's characters outside placeholders: the more, the surer.
  std::size_t Fixed = 0;
};

// Every reading of `name` under the model's formats, letter case ignored,
// surest first: those the section allows, then those of more fixed text.
// Single-skin models only read names their sections allow.
std::vector<TextureNameReading> ReadTextureName(const TModelo& model, std::string_view name);

}  // namespace model
