#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "unrealpkg/ByteReader.h"

namespace unrealpkg {

// In-memory forms of the records that mesh and animation objects store. Name
// fields hold name-table indexes; object fields hold object references.

struct TUT_Struct_Vector {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
};

// Three floats, as every reader stores a vector.
TUT_Struct_Vector ReadVector(ByteReader& in);

// 65536 units make a full turn.
struct TUT_Struct_Rotator {
  std::int32_t Pitch = 0;
  std::int32_t Yaw = 0;
  std::int32_t Roll = 0;
};

struct TUT_Struct_Quat {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
  float W = 0.0f;
};

struct TUT_Struct_Box {
  TUT_Struct_Vector Min;
  TUT_Struct_Vector Max;
  std::uint8_t IsValid = 0;
};

// Packages older than version 62 store no radius; W is then -1.
struct TUT_Struct_Sphere {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
  float W = 0.0f;
};

struct TUT_Struct_Triangle {
  struct TexCoord {
    std::uint8_t U = 0;
    std::uint8_t V = 0;
  };
  std::array<std::int32_t, 3> VertexIndex{};
  std::array<TexCoord, 3> Tex{};
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

struct TUT_Struct_Connect {
  std::int32_t NumVertTriangles = 0;
  std::int32_t TriangleListOffset = 0;
};

struct TUT_Struct_Notify {
  float Time = 0.0f;
  std::int32_t Function = 0;
};

struct TUT_Struct_AnimSeq {
  std::int32_t Name = 0;
  std::int32_t Group = 0;
  std::int32_t StartFrame = 0;
  std::int32_t NumFrames = 0;
  std::vector<TUT_Struct_Notify> Notifys;
  float Rate = 0.0f;
};

// U and V run from 0 to 255 across the texture.
struct TUT_Struct_Wedge {
  std::int32_t VertexIndex = 0;
  std::uint8_t U = 0;
  std::uint8_t V = 0;
};

struct TUT_Struct_Face {
  std::array<std::int32_t, 3> WedgeIndex{};
  std::int32_t MaterialIndex = 0;
};

struct TUT_Struct_Material {
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

struct TUT_Struct_ExtWedge {
  std::uint16_t VertexIndex = 0;
  std::uint16_t Flags = 0;
  float U = 0.0f;
  float V = 0.0f;
};

struct TUT_Struct_JointPos {
  TUT_Struct_Quat Orientation;
  TUT_Struct_Vector Position;
  float Length = 0.0f;
  float XSize = 0.0f;
  float YSize = 0.0f;
  float ZSize = 0.0f;
};

struct TUT_Struct_Bone {
  std::int32_t Name = 0;
  std::int32_t Flags = 0;
  TUT_Struct_JointPos BonePos;
  std::int32_t NumChildren = 0;
  std::int32_t ParentIndex = 0;
};

struct TUT_Struct_BoneWeightIndex {
  std::uint16_t WeightIndex = 0;
  std::uint16_t Number = 0;
  std::uint16_t DetailA = 0;
  std::uint16_t DetailB = 0;
};

struct TUT_Struct_BoneWeight {
  std::uint16_t PointIndex = 0;
  std::uint16_t Weight = 0;
};

struct TUT_Struct_Coords {
  TUT_Struct_Vector Origin;
  TUT_Struct_Vector XAxis;
  TUT_Struct_Vector YAxis;
  TUT_Struct_Vector ZAxis;
};

struct TUT_Struct_RefBone {
  std::int32_t Name = 0;
  std::int32_t Flags = 0;
  std::int32_t ParentIndex = 0;
};

struct TUT_Struct_AnalogTrack {
  std::int32_t Flags = 0;
  std::vector<TUT_Struct_Quat> KeyQuat;
  std::vector<TUT_Struct_Vector> KeyPos;
  std::vector<float> KeyTime;
};

struct TUT_Struct_MotionChunk {
  TUT_Struct_Vector RootSpeed3D;
  float TrackTime = 0.0f;
  std::int32_t StartBone = 0;
  std::int32_t Flags = 0;
  std::vector<std::int32_t> BoneIndices;
  std::vector<TUT_Struct_AnalogTrack> AnimTracks;
  TUT_Struct_AnalogTrack RootSpeed;
};

}  // namespace unrealpkg
