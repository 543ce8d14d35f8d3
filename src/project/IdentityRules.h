#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace model {
class TModelo;
struct TModeloSection;
}

namespace project {

class SkinNode;

// An expected refusal (bad file name, model not installed, a dialog value);
// the message is the text shown to the user, as it stands.
class ProjectError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The rules that keep skins and textures apart in the tree, the project file
// and the package. The dialogs call them before they close; the commands call
// them again.

// A skin description as it is kept: blanks around it removed. One that holds
// "(", ")" or a line break is refused: captions end in "(code)".
std::string CheckSkinDescription(std::string_view description);

// A skin code: four letters A to Z in lower case, padded with "x". A typed code
// is at most four letters; without one, the code takes the first four letters
// of the description ("Big Bad" gives "bigb"). A single-skin model's skins are
// named whole instead: letters, digits, "-" and "_" as typed, or those of the
// description ("War Cow" gives "WarCow").
std::string MakeSkinCode(const model::TModelo& model, std::string_view typedCode, std::string_view description);

// Whether a code is as the rules keep it: four letters a to z, or a whole
// skin name for a single-skin model.
bool IsSkinCode(const model::TModelo& model, std::string_view code);

// Refuses a code another skin of the project has, ignoring letter case (the
// project file and the package tell skins apart so). `editing` is the skin
// being edited, which may keep its own code.
void CheckSkinCodeFree(const SkinNode& root, std::string_view code, const SkinNode* editing);

// A face name as it is kept: the characters that captions are split at
// ("<", ">", "(", ")", "[", "]") and line breaks dropped, blanks around it
// removed. One that begins with "t_" in any letter case is refused.
std::string CheckFace(std::string_view face);

// Refuses a team label the section does not offer, and a face where the
// section does not vary by face.
void CheckVariant(const model::TModeloSection& section, std::string_view teamLabel, std::string_view face);

// The texture of the section other than `except` that has the identifier,
// ignoring letter case, or nullptr.
const SkinNode* FindIdentifier(const SkinNode& section, std::string_view identifier, const SkinNode* except = nullptr);
// Refuses an identifier that a texture of the section other than `except` has.
void CheckIdentifierFree(const SkinNode& section, std::string_view identifier, const SkinNode* except);

}  // namespace project
