#include "project/IdentityRules.h"

#include <algorithm>

#include "model/TModelo.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "project/SkinTree.h"
#include "project/TeamLabels.h"

namespace project {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string MakeSkinName(std::string_view typedName, std::string_view description) {
  std::string name = platform::Trim(typedName);
  for (const char c : name)
    if (!model::IsSkinNameCharacter(c))
      throw ProjectError("A skin name is made of the letters A to Z, the digits, \"-\" and \"_\".");
  if (name.size() > model::MaxSkinName)
    throw ProjectError("A skin name has at most " + std::to_string(model::MaxSkinName) + " characters.");
  if (name.empty())
    for (const char c : description)
      if (model::IsSkinNameCharacter(c) && name.size() < model::MaxSkinName) name += c;
  return name.empty() ? std::string("NewSkin") : name;
}

}  // namespace

std::string CheckSkinDescription(std::string_view description) {
  if (description.find_first_of("()\r\n") != std::string_view::npos)
    throw ProjectError("A skin description cannot hold \"(\", \")\" or line breaks.");
  return platform::Trim(description);
}

std::string MakeSkinCode(const model::TModelo& model, std::string_view typedCode, std::string_view description) {
  if (model.SingleSkin) return MakeSkinName(typedCode, description);
  std::string code = platform::Trim(typedCode);
  for (const char c : code)
    if (!IsLetter(c)) throw ProjectError("A skin code is made of the letters A to Z.");
  if (code.size() > 4) throw ProjectError("A skin code has at most four letters.");
  if (code.empty())
    for (const char c : description)
      if (IsLetter(c) && code.size() < 4) code += c;
  while (code.size() < 4) code += 'x';
  return platform::ToLowerAscii(code);
}

bool IsSkinCode(const model::TModelo& model, std::string_view code) {
  return model::FitsSkinName(model, code) && (model.SingleSkin || platform::ToLowerAscii(code) == code);
}

void CheckSkinCodeFree(const SkinNode& root, std::string_view code, const SkinNode* editing) {
  const SkinNode* other = FindSkinByCode(root, code);
  if (other && other != editing)
    throw ProjectError("The code \"" + std::string(code) + "\" is taken by the skin \"" + other->Caption() +
                       "\". Give this skin another code.");
}

std::string CheckFace(std::string_view face) {
  std::string clean;
  for (const char c : face)
    if (std::string_view("<>()[]\r\n").find(c) == std::string_view::npos) clean += c;
  clean = platform::Trim(clean);
  if (platform::StartsWithIgnoreCase(clean, "t_")) throw ProjectError("Faces cannot start with \"T_\".");
  return clean;
}

void CheckVariant(const model::TModeloSection& section, std::string_view teamLabel, std::string_view face) {
  const bool teams = section.Part.Has(model::TEAM);
  const bool known = teamLabel == DefaultLabel || (teams && !TagOfLabel(teamLabel).empty());
  if (!known) throw ProjectError("The section " + section.Name + " offers no team \"" + std::string(teamLabel) + "\".");
  if (!face.empty() && !section.Part.Has(model::FACE))
    throw ProjectError("The section " + section.Name + " does not vary by face.");
}

const SkinNode* FindIdentifier(const SkinNode& section, std::string_view identifier, const SkinNode* except) {
  for (const SkinNode& texture : section.Children())
    if (&texture != except && platform::EqualsIgnoreCase(texture.Texture().Identifier, identifier)) return &texture;
  return nullptr;
}

void CheckIdentifierFree(const SkinNode& section, std::string_view identifier, const SkinNode* except) {
  if (const SkinNode* texture = FindIdentifier(section, identifier, except))
    throw ProjectError("The section " + section.Caption() + " of the skin " + section.Parent()->Caption() +
                       " already has the texture \"" + texture->Caption() + "\".");
}

}  // namespace project
