#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"

// Writers of small external model files for the reader tests.
namespace externalfiles {

struct Unreal3DTriangle {
  std::array<std::uint16_t, 3> Vertex{};
  std::uint8_t Type = 0;
  std::array<std::uint8_t, 6> UV{};  // U0 V0 U1 V1 U2 V2
  std::uint8_t Texture = 0;
};

std::vector<std::uint8_t> Unreal3DData(std::uint16_t vertexCount, const std::vector<Unreal3DTriangle>& triangles);
std::vector<std::uint8_t> Unreal3DAnimation(std::uint16_t frameCount,
                                            const std::vector<std::vector<std::uint32_t>>& frames);
// X and Y in eighths (11 bits each), Z in quarters (10 bits).
constexpr std::uint32_t PackVertex(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x | y << 11 | z << 22; }

struct Studio3DSGroup {
  std::string Name;
  std::vector<std::uint16_t> Faces;
};

struct Studio3DSMesh {
  std::vector<model3d::TVertex3D> Vertices;
  std::vector<model3d::TTexCoord> TexVertices;
  std::vector<std::array<std::uint16_t, 3>> Faces;
  std::vector<Studio3DSGroup> Groups;
};

// A main chunk holding the release number and an editor chunk with one named
// object per mesh. `lengthFields`, when given, receives the offset of every
// chunk's length.
std::vector<std::uint8_t> Studio3DS(std::uint32_t release, const std::vector<Studio3DSMesh>& meshes,
                                    std::vector<std::size_t>* lengthFields = nullptr);

struct MilkShapeTriangle {
  std::array<std::uint16_t, 3> Vertex{};
  std::array<float, 3> S{}, T{};
};

struct MilkShapeGroup {
  std::vector<std::uint16_t> Triangles;
  std::int8_t Material = -1;
};

std::vector<std::uint8_t> MilkShape(const std::vector<model3d::TVertex3D>& vertices,
                                    const std::vector<MilkShapeTriangle>& triangles,
                                    const std::vector<MilkShapeGroup>& groups,
                                    const std::vector<std::string>& materials, std::int32_t totalFrames);

// Two meshes; the second has a triangle in each quarter of the texture, with
// line ends `newline`.
std::string Painter3DSample(const std::string& newline);

}  // namespace externalfiles
