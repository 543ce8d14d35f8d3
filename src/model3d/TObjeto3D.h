#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace model3d {

struct TVertex3D {
  float X = 0, Y = 0, Z = 0;
  friend bool operator==(const TVertex3D&, const TVertex3D&) = default;
};

// U grows to the right and V upwards: the pixel row of V in a picture of height
// H is (1 - V) * H.
struct TTexCoord {
  float U = 0, V = 0;
  friend bool operator==(const TTexCoord&, const TTexCoord&) = default;
};

// A package mesh's texture coordinate, two bytes counted from the texture's
// top left; a model counts V up from the bottom, as the wire bitmaps are drawn.
inline TTexCoord TexCoordOfMeshBytes(std::uint8_t u, std::uint8_t v) {
  return {static_cast<float>(u) / 255.0f, 1.0f - static_cast<float>(v) / 255.0f};
}

struct TTriangle3D {
  std::uint16_t Vertex[3] = {0, 0, 0};
  std::uint16_t TexCoord[3] = {0, 0, 0};
  std::int8_t Material = 0;
  friend bool operator==(const TTriangle3D&, const TTriangle3D&) = default;
};

// Low four bits of a material's flags.
enum MaterialStyle : std::int32_t {
  StyleNormal = 0,
  StyleTwoSided = 1,
  StyleMasked = 2,
  StyleTranslucent = 3,
  StyleModulated = 4,
  // Gets no skin section, no wire bitmap and is not shown in the preview.
  WeaponMaterial = 8,
};

struct TMaterial3D {
  std::string Name;
  std::int32_t Flags = 0;
  friend bool operator==(const TMaterial3D&, const TMaterial3D&) = default;
};

// An animation sequence; Packed holds start | count << 16 | rate << 24.
struct TSequence3D {
  std::string Name;
  std::int32_t Packed = 0;
  friend bool operator==(const TSequence3D&, const TSequence3D&) = default;
};

// Whether the 16, 8 and 8 bits of the packing hold a sequence.
bool SequenceFits(std::int64_t startFrame, std::int64_t frameCount, float rate);
// The rate is truncated toward zero. A sequence that does not fit is refused
// with an error naming it.
TSequence3D PackSequence(const std::string& name, std::int64_t startFrame, std::int64_t frameCount, float rate);

// A model in memory: vertex frames sharing texture coordinates and
// triangles, materials with their render flags, named animation sequences and
// the frame shown at rest.
class TObjeto3D {
public:
  std::vector<std::vector<TVertex3D>> Frames;
  std::vector<TTexCoord> TexCoords;
  std::vector<TTriangle3D> Triangles;
  std::vector<TMaterial3D> Materials;
  std::vector<TSequence3D> Sequences;
  std::int32_t StillFrame = 0;

  void Clear();
  // The vertex count of the model: that of frame 0.
  std::size_t VertexCount() const { return Frames.empty() ? 0 : Frames.front().size(); }
};

// Writes the compiled model data file (".mrbm"), atomically. A model the format
// cannot hold (no frame, more than 65535 of anything) is refused with an error
// saying what, rather than written wrong.
void WriteModelDataFile(const TObjeto3D& model, const std::filesystem::path& file);
std::vector<std::uint8_t> EncodeModelData(const TObjeto3D& model);

}  // namespace model3d
