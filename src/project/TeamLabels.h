#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace project {

// How a texture names its team: a label in descriptions and lists, a tag in identifiers.
struct TeamLabel {
  std::string_view Label;
  std::string_view Tag;
  // The swatch the tree draws, as a blue-green-red colour value; none for the default.
  std::uint32_t SwatchBgr;
};

inline constexpr std::string_view DefaultLabel = "< Default >";
inline constexpr std::array<TeamLabel, 5> TeamLabels = {{
    {DefaultLabel, "", 0},
    {"<Red Team>", "t_0", 0x0000FF},
    {"<Blue Team>", "t_1", 0xFF0000},
    {"<Green Team>", "t_2", 0x008000},
    {"<Gold Team>", "t_3", 0x00FFFF},
}};

// The tag of a team label; empty for the default label and for unknown text.
std::string_view TagOfLabel(std::string_view label);
// The label that the first three characters of an identifier, in lower case,
// stand for; the default label for anything else.
std::string_view LabelOfIdentifier(std::string_view identifier);
// The label of a team digit ("0" red ... "3" gold), the default label otherwise.
std::string_view LabelOfTeamDigit(char digit);
// A face name as identifiers hold it: blanks removed, lower case.
std::string FaceKey(std::string_view face);
// Tag of the label followed by the face key.
std::string MakeIdentifier(std::string_view teamLabel, std::string_view face);
// A stored description without any "<" gets the label its identifier stands for in front.
std::string CompleteDescription(std::string_view description, std::string_view identifier);

// The team label of a description: up to and including its first ">" (empty without one).
std::string_view LabelOfDescription(std::string_view description);
// The face of a description: what follows its first ">" (all of it without one).
std::string FaceOfDescription(std::string_view description);
// Faces are one when their keys are: the package tells textures apart by
// identifier, so letter case and blanks never make two faces.
bool SameFace(std::string_view a, std::string_view b);

// "description (identifier)" and "description (code)".
std::string TextureCaption(std::string_view description, std::string_view identifier);
std::string SkinCaption(std::string_view description, std::string_view code);

}  // namespace project
