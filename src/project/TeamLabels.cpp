#include "project/TeamLabels.h"

#include "platform/AsciiText.h"

namespace project {

std::string_view TagOfLabel(std::string_view label) {
  for (const TeamLabel& team : TeamLabels)
    if (team.Label == label) return team.Tag;
  return {};
}

std::string_view LabelOfIdentifier(std::string_view identifier) {
  const std::string tag = platform::ToLowerAscii(identifier.substr(0, 3));
  for (const TeamLabel& team : TeamLabels)
    if (!team.Tag.empty() && team.Tag == tag) return team.Label;
  return DefaultLabel;
}

std::string_view LabelOfTeamDigit(char digit) {
  return digit >= '0' && digit <= '3' ? TeamLabels[static_cast<std::size_t>(digit - '0') + 1].Label : DefaultLabel;
}

std::string FaceKey(std::string_view face) {
  std::string key;
  for (const char c : face)
    if (c != ' ') key += c;
  return platform::ToLowerAscii(key);
}

std::string MakeIdentifier(std::string_view teamLabel, std::string_view face) {
  return std::string(TagOfLabel(teamLabel)) + FaceKey(face);
}

std::string CompleteDescription(std::string_view description, std::string_view identifier) {
  if (description.find('<') != std::string_view::npos) return std::string(description);
  return std::string(LabelOfIdentifier(identifier)) + std::string(description);
}

std::string TextureCaption(std::string_view description, std::string_view identifier) {
  return std::string(description) + " (" + std::string(identifier) + ")";
}

std::string SkinCaption(std::string_view description, std::string_view code) {
  return std::string(description) + " (" + std::string(code) + ")";
}

std::string_view LabelOfDescription(std::string_view description) {
  const std::size_t marker = description.find('>');
  return marker == std::string_view::npos ? std::string_view() : description.substr(0, marker + 1);
}

std::string FaceOfDescription(std::string_view description) {
  return std::string(description.substr(LabelOfDescription(description).size()));
}

bool SameFace(std::string_view a, std::string_view b) { return FaceKey(a) == FaceKey(b); }

}  // namespace project
