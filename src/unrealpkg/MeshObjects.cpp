#include "unrealpkg/MeshObjects.h"

#include <string>
#include <type_traits>

#include "unrealpkg/CheckedIndex.h"

namespace unrealpkg {

namespace {

// Sizes of the fixed records in the file, and the least a variable one can take
// (each compact index at least one byte, each list at least its count).
constexpr std::size_t VectorBytes = 12;
constexpr std::size_t QuatBytes = 16;
constexpr std::size_t BoxBytes = 2 * VectorBytes + 1;
constexpr std::size_t TriangleBytes = 20;
constexpr std::size_t ConnectBytes = 8;
constexpr std::size_t WedgeBytes = 4;
constexpr std::size_t FaceBytes = 8;
constexpr std::size_t MaterialBytes = 8;
constexpr std::size_t ExtWedgeBytes = 12;
constexpr std::size_t JointPosBytes = QuatBytes + VectorBytes + 16;
constexpr std::size_t BoneBodyBytes = 4 + JointPosBytes + 8;
constexpr std::size_t BoneWeightIndexBytes = 8;
constexpr std::size_t BoneWeightBytes = 4;
constexpr std::size_t CoordsBytes = 4 * VectorBytes;
constexpr std::size_t NotifyMinBytes = 4 + 1;
constexpr std::size_t AnimSeqMinBytes = 1 + 1 + 8 + 1 + 4;
constexpr std::size_t BoneMinBytes = 1 + BoneBodyBytes;
constexpr std::size_t RefBoneMinBytes = 1 + 8;
constexpr std::size_t AnalogTrackMinBytes = 4 + 3;
constexpr std::size_t MotionChunkMinBytes = VectorBytes + 12 + 2 + AnalogTrackMinBytes;

// Both list readers check the count against the bytes left before allocating,
// so a hostile count fails at once. Fixed-size records decode straight from
// the bytes; the others read themselves one by one.
template <class Decode>
auto ReadFixedList(ByteReader& in, std::size_t elementBytes, Decode decode) {
  const auto count = static_cast<std::size_t>(in.ReadCount(elementBytes));
  const std::uint8_t* p = in.Take(count * elementBytes);
  std::vector<std::invoke_result_t<Decode&, const std::uint8_t*>> list;
  list.reserve(count);
  for (std::size_t i = 0; i < count; ++i, p += elementBytes) list.push_back(decode(p));
  return list;
}

template <class ReadOne>
auto ReadList(ByteReader& in, std::size_t minElementBytes, ReadOne readOne) {
  const std::int32_t count = in.ReadCount(minElementBytes);
  std::vector<std::invoke_result_t<ReadOne&, ByteReader&>> list;
  list.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) list.push_back(readOne(in));
  return list;
}

std::int32_t DecodeInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(LoadUInt32(p)); }
std::int32_t DecodeWord(const std::uint8_t* p) { return LoadWord(p); }
std::int32_t ReadIndexValue(ByteReader& in) { return in.ReadIndex(); }

TUT_Struct_Vector DecodeVector(const std::uint8_t* p) { return {LoadFloat(p), LoadFloat(p + 4), LoadFloat(p + 8)}; }

TUT_Struct_Quat DecodeQuat(const std::uint8_t* p) {
  return {LoadFloat(p), LoadFloat(p + 4), LoadFloat(p + 8), LoadFloat(p + 12)};
}

TUT_Struct_Box DecodeBox(const std::uint8_t* p) {
  return {DecodeVector(p), DecodeVector(p + VectorBytes), p[2 * VectorBytes]};
}

// Spheres carry their radius from version 62 on.
struct SphereLayout {
  explicit SphereLayout(std::uint16_t version) : withRadius(version >= 62), bytes(withRadius ? 16 : 12) {}
  TUT_Struct_Sphere operator()(const std::uint8_t* p) const {
    return {LoadFloat(p), LoadFloat(p + 4), LoadFloat(p + 8), withRadius ? LoadFloat(p + 12) : -1.0f};
  }
  bool withRadius;
  std::size_t bytes;
};

TUT_Struct_Triangle DecodeTriangle(const std::uint8_t* p) {
  TUT_Struct_Triangle triangle;
  for (int i = 0; i < 3; ++i) {
    triangle.VertexIndex[i] = LoadWord(p + 2 * i);
    triangle.Tex[i] = {p[6 + 2 * i], p[7 + 2 * i]};
  }
  triangle.PolyFlags = DecodeInt32(p + 12);
  triangle.TextureIndex = DecodeInt32(p + 16);
  return triangle;
}

TUT_Struct_Connect DecodeConnect(const std::uint8_t* p) { return {DecodeInt32(p), DecodeInt32(p + 4)}; }

TUT_Struct_Wedge DecodeWedge(const std::uint8_t* p) { return {LoadWord(p), p[2], p[3]}; }

TUT_Struct_Face DecodeFace(const std::uint8_t* p) {
  return {{LoadWord(p), LoadWord(p + 2), LoadWord(p + 4)}, LoadWord(p + 6)};
}

TUT_Struct_Material DecodeMaterial(const std::uint8_t* p) { return {DecodeInt32(p), DecodeInt32(p + 4)}; }

TUT_Struct_ExtWedge DecodeExtWedge(const std::uint8_t* p) {
  return {LoadWord(p), LoadWord(p + 2), LoadFloat(p + 4), LoadFloat(p + 8)};
}

TUT_Struct_JointPos DecodeJointPos(const std::uint8_t* p) {
  return {DecodeQuat(p), DecodeVector(p + 16), LoadFloat(p + 28), LoadFloat(p + 32), LoadFloat(p + 36),
          LoadFloat(p + 40)};
}

TUT_Struct_BoneWeightIndex DecodeBoneWeightIndex(const std::uint8_t* p) {
  return {LoadWord(p), LoadWord(p + 2), LoadWord(p + 4), LoadWord(p + 6)};
}

TUT_Struct_BoneWeight DecodeBoneWeight(const std::uint8_t* p) { return {LoadWord(p), LoadWord(p + 2)}; }

TUT_Struct_Coords DecodeCoords(const std::uint8_t* p) {
  return {DecodeVector(p), DecodeVector(p + 12), DecodeVector(p + 24), DecodeVector(p + 36)};
}

TUT_Struct_Notify ReadNotify(ByteReader& in) {
  TUT_Struct_Notify notify;
  notify.Time = in.ReadFloat();
  notify.Function = in.ReadIndex();
  return notify;
}

TUT_Struct_AnimSeq ReadAnimSeq(ByteReader& in) {
  TUT_Struct_AnimSeq sequence;
  sequence.Name = in.ReadIndex();
  sequence.Group = in.ReadIndex();
  sequence.StartFrame = in.ReadInt32();
  sequence.NumFrames = in.ReadInt32();
  sequence.Notifys = ReadList(in, NotifyMinBytes, ReadNotify);
  sequence.Rate = in.ReadFloat();
  return sequence;
}

TUT_Struct_Bone ReadBone(ByteReader& in) {
  TUT_Struct_Bone bone;
  bone.Name = in.ReadIndex();
  const std::uint8_t* p = in.Take(BoneBodyBytes);
  bone.Flags = DecodeInt32(p);
  bone.BonePos = DecodeJointPos(p + 4);
  bone.NumChildren = DecodeInt32(p + 4 + JointPosBytes);
  bone.ParentIndex = DecodeInt32(p + 8 + JointPosBytes);
  return bone;
}

TUT_Struct_RefBone ReadRefBone(ByteReader& in) {
  TUT_Struct_RefBone bone;
  bone.Name = in.ReadIndex();
  bone.Flags = in.ReadInt32();
  bone.ParentIndex = in.ReadInt32();
  return bone;
}

TUT_Struct_AnalogTrack ReadAnalogTrack(ByteReader& in) {
  TUT_Struct_AnalogTrack track;
  track.Flags = in.ReadInt32();
  track.KeyQuat = ReadFixedList(in, QuatBytes, DecodeQuat);
  track.KeyPos = ReadFixedList(in, VectorBytes, DecodeVector);
  track.KeyTime = ReadFixedList(in, 4, LoadFloat);
  return track;
}

TUT_Struct_MotionChunk ReadMotionChunk(ByteReader& in) {
  TUT_Struct_MotionChunk chunk;
  chunk.RootSpeed3D = DecodeVector(in.Take(VectorBytes));
  chunk.TrackTime = in.ReadFloat();
  chunk.StartBone = in.ReadInt32();
  chunk.Flags = in.ReadInt32();
  chunk.BoneIndices = ReadFixedList(in, 4, DecodeInt32);
  chunk.AnimTracks = ReadList(in, AnalogTrackMinBytes, ReadAnalogTrack);
  chunk.RootSpeed = ReadAnalogTrack(in);
  return chunk;
}

TUT_Struct_Rotator ReadRotator(ByteReader& in) {
  TUT_Struct_Rotator rotator;
  rotator.Pitch = in.ReadInt32();
  rotator.Yaw = in.ReadInt32();
  rotator.Roll = in.ReadInt32();
  return rotator;
}

float SignedCoordinate(float value) { return value > 128.0f ? value - 256.0f : value; }

std::uint64_t LoadUInt64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(LoadUInt32(p)) | (static_cast<std::uint64_t>(LoadUInt32(p + 4)) << 32);
}

// Returns the bytes per vertex. Only the span up to the stored data end tells
// the Deus Ex engine's 8-byte packing from the usual 4-byte one.
int ReadVertices(ByteReader& in, std::int64_t vertexDataEnd, std::vector<TUT_Struct_Vector>& vertices) {
  const std::int32_t count = in.ReadCount(4);
  const auto start = static_cast<std::int64_t>(in.Position());
  const int packing = vertexDataEnd > 0 && count != 0 && (vertexDataEnd - start) / count == 8 ? 8 : 4;
  in.CheckCount(count, static_cast<std::size_t>(packing));
  const std::uint8_t* p = in.Take(static_cast<std::size_t>(count) * static_cast<std::size_t>(packing));
  vertices.resize(static_cast<std::size_t>(count));
  if (packing == 8) {
    for (auto& vertex : vertices) {
      vertex = UnpackVertex8(LoadUInt64(p));
      p += 8;
    }
  } else {
    for (auto& vertex : vertices) {
      vertex = UnpackVertex4(LoadUInt32(p));
      p += 4;
    }
  }
  return packing;
}

}  // namespace

TUT_Struct_Vector ReadVector(ByteReader& in) { return DecodeVector(in.Take(VectorBytes)); }

TUT_Struct_Vector UnpackVertex4(std::uint32_t packed) {
  return {SignedCoordinate(static_cast<float>(packed & 0x7FFu) / 8.0f),
          SignedCoordinate(static_cast<float>((packed >> 11) & 0x7FFu) / 8.0f),
          SignedCoordinate(static_cast<float>(packed >> 22) / 4.0f)};
}

TUT_Struct_Vector UnpackVertex8(std::uint64_t packed) {
  return {SignedCoordinate(static_cast<float>(packed & 0xFFFFu) / 256.0f),
          SignedCoordinate(static_cast<float>((packed >> 16) & 0xFFFFu) / 256.0f),
          SignedCoordinate(static_cast<float>((packed >> 32) & 0xFFFFu) / 256.0f)};
}

// Primitive

void TUTObjectClassPrimitive::Reset() {
  boundingBox_ = {};
  boundingSphere_ = {};
  TUTObject::Reset();
}

void TUTObjectClassPrimitive::FreeData() {
  boundingBox_ = {};
  boundingSphere_ = {};
  TUTObject::FreeData();
}

void TUTObjectClassPrimitive::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  const SphereLayout sphere(Version());
  boundingBox_ = DecodeBox(in.Take(BoxBytes));
  boundingSphere_ = sphere(in.Take(sphere.bytes));
}

// Mesh

const TUT_Struct_Vector& TUTObjectClassMesh::GetVertex(std::int64_t index) const {
  return CheckedElement(mesh_.vertices, index, "Vertex", "vertices", *this);
}

const TUT_Struct_Triangle& TUTObjectClassMesh::GetTriangle(std::int64_t index) const {
  return CheckedElement(mesh_.triangles, index, "Triangle", "triangles", *this);
}

const TUT_Struct_AnimSeq& TUTObjectClassMesh::GetAnimSequence(std::int64_t index) const {
  return CheckedElement(mesh_.animSequences, index, "Animation sequence", "animation sequences", *this);
}

std::int32_t TUTObjectClassMesh::GetTextureRef(std::int64_t index) const {
  return CheckedElement(mesh_.textures, index, "Texture", "textures", *this);
}

void TUTObjectClassMesh::Reset() {
  mesh_ = {};
  TUTObjectClassPrimitive::Reset();
}

void TUTObjectClassMesh::FreeData() {
  mesh_ = {};
  TUTObjectClassPrimitive::FreeData();
}

void TUTObjectClassMesh::Parse() {
  TUTObjectClassPrimitive::Parse();
  ByteReader& in = Stream();
  // The vertex data end and three unused int32 values exist from version 62 on.
  const bool hasOffsets = Version() >= 62;
  const SphereLayout sphere(Version());

  const std::int64_t vertexDataEnd = hasOffsets ? DataPosition(in.ReadInt32()) : 0;
  mesh_.vertexPacking = ReadVertices(in, vertexDataEnd, mesh_.vertices);
  if (hasOffsets) in.Skip(4);
  mesh_.triangles = ReadFixedList(in, TriangleBytes, DecodeTriangle);
  mesh_.animSequences = ReadList(in, AnimSeqMinBytes, ReadAnimSeq);
  if (hasOffsets) in.Skip(4);
  mesh_.connections = ReadFixedList(in, ConnectBytes, DecodeConnect);
  mesh_.meshBoundingBox = DecodeBox(in.Take(BoxBytes));
  mesh_.meshBoundingSphere = sphere(in.Take(sphere.bytes));
  if (hasOffsets) in.Skip(4);
  mesh_.vertexLinks = ReadFixedList(in, 4, DecodeInt32);
  mesh_.textures = ReadList(in, 1, ReadIndexValue);
  mesh_.frameBoxes = ReadFixedList(in, BoxBytes, DecodeBox);
  mesh_.frameSpheres = ReadFixedList(in, sphere.bytes, sphere);
  mesh_.frameVertexCount = in.ReadInt32();
  mesh_.frameCount = in.ReadInt32();
  mesh_.andFlags = in.ReadInt32();
  mesh_.orFlags = in.ReadInt32();
  mesh_.scale = ReadVector(in);
  mesh_.origin = ReadVector(in);
  mesh_.rotationOrigin = ReadRotator(in);
  mesh_.currentPoly = in.ReadInt32();
  mesh_.currentVertex = in.ReadInt32();
  if (Version() >= 66)
    mesh_.textureLods = ReadFixedList(in, 4, LoadFloat);
  else if (Version() == 65)
    mesh_.textureLods = {in.ReadFloat()};
}

// LodMesh

const TUT_Struct_Wedge& TUTObjectClassLodMesh::GetWedge(std::int64_t index) const {
  return CheckedElement(lod_.wedges, index, "Wedge", "wedges", *this);
}

const TUT_Struct_Face& TUTObjectClassLodMesh::GetFace(std::int64_t index) const {
  return CheckedElement(lod_.faces, index, "Face", "faces", *this);
}

const TUT_Struct_Material& TUTObjectClassLodMesh::GetMaterial(std::int64_t index) const {
  return CheckedElement(lod_.materials, index, "Material", "materials", *this);
}

void TUTObjectClassLodMesh::Reset() {
  lod_ = {};
  TUTObjectClassMesh::Reset();
}

void TUTObjectClassLodMesh::FreeData() {
  lod_ = {};
  TUTObjectClassMesh::FreeData();
}

void TUTObjectClassLodMesh::Parse() {
  TUTObjectClassMesh::Parse();
  ByteReader& in = Stream();
  lod_.collapsePoints = ReadFixedList(in, 2, DecodeWord);
  lod_.faceLevels = ReadFixedList(in, 2, DecodeWord);
  lod_.faces = ReadFixedList(in, FaceBytes, DecodeFace);
  lod_.collapseWedges = ReadFixedList(in, 2, DecodeWord);
  lod_.wedges = ReadFixedList(in, WedgeBytes, DecodeWedge);
  lod_.materials = ReadFixedList(in, MaterialBytes, DecodeMaterial);
  lod_.specialFaces = ReadFixedList(in, FaceBytes, DecodeFace);
  lod_.modelVertexCount = in.ReadInt32();
  lod_.specialVertexCount = in.ReadInt32();
  lod_.scaleMax = in.ReadFloat();
  lod_.lodHysteresis = in.ReadFloat();
  lod_.lodStrength = in.ReadFloat();
  lod_.lodMinVerts = static_cast<float>(in.ReadInt32());
  lod_.lodMorph = in.ReadFloat();
  lod_.lodZDisplace = in.ReadFloat();
  lod_.remapAnimVerts = ReadFixedList(in, 2, DecodeWord);
  lod_.oldFrameVertexCount = in.ReadInt32();
}

// SkeletalMesh

const TUT_Struct_Vector& TUTObjectClassSkeletalMesh::GetPoint(std::int64_t index) const {
  return CheckedElement(skeletal_.points, index, "Point", "points", *this);
}

const TUT_Struct_Bone& TUTObjectClassSkeletalMesh::GetBone(std::int64_t index) const {
  return CheckedElement(skeletal_.refSkeleton, index, "Bone", "bones", *this);
}

void TUTObjectClassSkeletalMesh::Reset() {
  skeletal_ = {};
  TUTObjectClassLodMesh::Reset();
}

void TUTObjectClassSkeletalMesh::FreeData() {
  skeletal_ = {};
  TUTObjectClassLodMesh::FreeData();
}

void TUTObjectClassSkeletalMesh::Parse() {
  TUTObjectClassLodMesh::Parse();
  ByteReader& in = Stream();
  skeletal_.extWedges = ReadFixedList(in, ExtWedgeBytes, DecodeExtWedge);
  skeletal_.points = ReadFixedList(in, VectorBytes, DecodeVector);
  skeletal_.refSkeleton = ReadList(in, BoneMinBytes, ReadBone);
  skeletal_.boneWeightIndexes = ReadFixedList(in, BoneWeightIndexBytes, DecodeBoneWeightIndex);
  skeletal_.boneWeights = ReadFixedList(in, BoneWeightBytes, DecodeBoneWeight);
  skeletal_.localPoints = ReadFixedList(in, VectorBytes, DecodeVector);
  skeletal_.skeletalDepth = in.ReadInt32();
  skeletal_.defaultAnimation = in.ReadIndex();
  skeletal_.weaponBoneIndex = in.ReadInt32();
  skeletal_.weaponAdjust = DecodeCoords(in.Take(CoordsBytes));
}

// Animation

void TUTObjectClassAnimation::Reset() {
  refBones_ = {};
  moves_ = {};
  TUTObject::Reset();
}

void TUTObjectClassAnimation::FreeData() {
  refBones_ = {};
  moves_ = {};
  TUTObject::FreeData();
}

void TUTObjectClassAnimation::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  refBones_ = ReadList(in, RefBoneMinBytes, ReadRefBone);
  moves_ = ReadList(in, MotionChunkMinBytes, ReadMotionChunk);
}

}  // namespace unrealpkg
