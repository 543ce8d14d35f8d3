#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/TCameraPreset.h"
#include "model/WireBitmap.h"

namespace model {

// Section number in the low four bits of a section's flags, and the flags.
inline constexpr std::uint32_t SectionNumberMask = 0xF;
inline constexpr std::uint32_t NOINT = 0x1000;
inline constexpr std::uint32_t TEAM = 0x2000;
inline constexpr std::uint32_t FACE = 0x4000;
inline constexpr std::uint32_t ONEMIPMAP = 0x8000;
inline constexpr std::uint32_t LODSETWORLD = 0x10000;
inline constexpr std::uint32_t MASKED = 0x20000;
inline constexpr std::uint32_t CANNOTRESAMPLE = 0x40000;
inline constexpr std::uint32_t TALKTEXTURE = 0x80000;
inline constexpr std::uint32_t TRANSLUCENT = 0x100000;
// The game needs the section's default texture in every skin: without it the
// model wears its default skin instead.
inline constexpr std::uint32_t REQUIRED = 0x200000;

// The largest texture side a definition may ask for: the most the game loads.
inline constexpr std::int32_t MaxTextureSide = 2048;

inline constexpr const char* DefaultFormatNoTeamNoFace = "%SKIN%%SECTION%";
inline constexpr const char* DefaultFormatNoTeamFace = "%SKIN%%SECTION%%FACE%";
inline constexpr const char* DefaultFormatTeamNoFace = "%SKIN%%SECTION%T_%TEAM%";
inline constexpr const char* DefaultFormatTeamFace = "%SKIN%%SECTION%T_%TEAM%%FACE%";

// One texture section of a model.
class TModeloPart {
public:
  std::uint32_t Flags = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::string FormatNoTeamNoFace;
  std::string FormatNoTeamFace;
  std::string FormatTeamNoFace;
  std::string FormatTeamFace;
  // None when the definition's folder holds no wire bitmap for the section.
  std::shared_ptr<const WireBitmap> Wire;

  int Number() const { return static_cast<int>(Flags & SectionNumberMask); }
  bool Has(std::uint32_t flag) const { return (Flags & flag) != 0; }
};

struct TModeloSection {
  std::string Name;
  TModeloPart Part;
};

// One model definition: what the tool knows about a player model.
class TModelo {
public:
  // The catalogue entry this model was last copied from; empty once that entry is gone.
  std::weak_ptr<const TModelo> Source;
  // Definition file path + "|" + the name of its model section.
  std::string DefinitionId;
  bool ForUnrealTournament = false;
  std::string Name;
  std::string Prefix;
  std::vector<TModeloSection> Sections;
  bool HasMaskedSections = false;
  std::string ModelDataFile;
  std::string Mesh;
  bool MirrorX = false;
  float ScaleX = 1.0f, ScaleY = 1.0f, ScaleZ = 1.0f;
  float OffsetX = 0.0f, OffsetY = 0.0f, OffsetZ = 0.0f;
  float Pitch = 0.0f, Roll = 0.0f, Turn = 0.0f;
  std::int32_t TalkTextureIndex = 5;
  std::vector<TCameraPreset> Presets;
  bool AMS = false;
  // The model's scripts dress it in one texture named by the skin's whole
  // name ("Priest"), not by a four-letter code and a section digit.
  bool SingleSkin = false;

  // Copies every field of the source and remembers it as Source; the sections
  // are copies that share the source's wire bitmaps.
  void Assign(const std::shared_ptr<const TModelo>& source);

  // Position in Sections of the first section with that number, or -1.
  int SectionIndexByNumber(int number) const;
  // Number of the first section with exactly that name, or -1.
  int SectionNumberByName(std::string_view name) const;
  const TModeloPart* SectionByNumber(int number) const;
  // Appends a section, with the wire bitmap found beside the definition file.
  void AddSection(std::string name, std::uint32_t flags, std::string formatNoTeamNoFace, std::string formatNoTeamFace,
                  std::string formatTeamNoFace, std::string formatTeamFace, std::int32_t width, std::int32_t height);

  std::filesystem::path DefinitionFile() const;
  std::string DefinitionSection() const;
};

// The status-bar text of a section: number, size and what its flags mean.
std::string DescribeSection(const TModeloPart& section);

}  // namespace model
