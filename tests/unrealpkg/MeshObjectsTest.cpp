#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/TestHelpers.h"
#include "ObjectFixture.h"
#include "unrealpkg/MeshObjects.h"

namespace {

using namespace unrealpkg;
using fixture::FixturePackage;
using fixture::ObjectBytes;
using fixture::Probe;

struct Index {  // a compact index
  std::int32_t Value;
};

// Object data in the engine's layout for the package's version, after an empty
// property list.
struct MeshBytes : ObjectBytes {
  explicit MeshBytes(FixturePackage& package) : ObjectBytes(package), Package(package) { EndProperties(); }
  // Writes ints as int32, floats, and compact indexes.
  template <class... T> void Put(T... values) { (PutOne(values), ...); }
  void PutOne(std::int32_t value) { WriteInt32(value); }
  void PutOne(float value) { WriteFloat(value); }
  void PutOne(Index value) { WriteIndex(value.Value); }
  template <class... T> void Words(T... values) { (WriteWord(static_cast<std::uint16_t>(values)), ...); }
  template <class... T> void WordList(T... values) {
    WriteIndex(sizeof...(values));
    Words(values...);
  }
  Index Name(std::string_view text) { return {Package.Name(text)}; }
  void Box(float v) {
    Put(v, v, v, v + 1, v + 1, v + 1);
    WriteByte(1);
  }
  void Sphere(float v) {
    Put(v, v, v);
    if (Package.Version() >= 62) Put(v + 0.5f);
  }
  void Unused() {
    if (Package.Version() >= 62) Put(0x11111111);
  }
  FixturePackage& Package;
};

constexpr std::uint32_t WorkedVertex4 = 0x7FFu | (0x400u << 11) | (0x3FFu << 22);       // (-0.125, 128, -0.25)
constexpr std::uint64_t WorkedVertex8 = 0x0100u | (0xFF00u << 16) | (0x8000ull << 32);  // (1, -1, 128)

// Two frames of three vertices, every one of them `vertex`.
void WriteMesh(MeshBytes& d, int packing, std::uint64_t vertex) {
  const bool hasOffsets = d.Package.Version() >= 62;
  const Index none = d.Name("None"), step = d.Name("Step");
  d.Box(1);
  d.Sphere(2);
  const std::size_t endField = hasOffsets ? d.OffsetField() : 0;
  d.Put(Index{6});
  for (int b = 0; b < 6 * packing; ++b) d.WriteByte(static_cast<std::uint8_t>(vertex >> (8 * (b % packing))));
  if (hasOffsets) d.PatchInt32(endField, static_cast<std::int32_t>(d.Size()));
  d.Unused();
  d.Put(Index{1});  // a triangle
  d.Words(0, 1, 2, 0x140A, 0x281E, 0x3C32);
  d.Put(0x102, 1);
  // Two sequences, the first with two notifies.
  d.Put(Index{2}, d.Name("Breath1"), none, 0, 1, Index{2}, 0.25f, step, 0.5f, step, 15.0f);
  d.Put(d.Name("Run"), none, 1, 1, Index{0}, 15.0f);
  d.Unused();
  d.Put(Index{1}, 3, 4);  // a connection
  d.Box(5);
  d.Sphere(6);
  d.Unused();
  d.Put(Index{1}, 7, Index{2}, Index{-1}, Index{0}, Index{2});  // a vertex link, two textures, two boxes
  d.Box(8);
  d.Box(9);
  d.Put(Index{2});
  d.Sphere(10);
  d.Sphere(11);
  d.Put(3, 2, 7, 8, 0.5f, 0.5f, 0.25f, 1.0f, 2.0f, 3.0f, 0, 16384, -16384, 5, 6);
  if (d.Package.Version() >= 66) d.Put(Index{2}, 1.0f);
  if (d.Package.Version() >= 65) d.Put(0.5f);
}

void WriteLodMesh(MeshBytes& d, int packing, std::uint64_t vertex) {
  WriteMesh(d, packing, vertex);
  d.WordList(1, 2, 3);
  d.WordList(4);
  d.Put(Index{2});  // faces
  d.Words(0, 1, 2, 0, 2, 1, 0, 1);
  d.WordList(0, 1);
  d.Put(Index{3});  // wedges
  d.Words(0, 0x140A, 1, 0x281E, 1, 0xFFFF);
  d.Put(Index{2}, 0x102, 0, 0x108, 1, Index{1});  // materials, a special face
  d.Words(0, 0, 0, 1);
  d.Put(2, 1, 1.5f, 0.5f, 0.25f, 10, 0.3f, 0.0f);
  d.WordList(0, 1, 2);
  d.Put(3);
}

void WriteSkeletalMesh(MeshBytes& d, std::int32_t animation) {
  WriteLodMesh(d, 4, 0);
  d.Put(Index{1});
  d.Words(2, 1);
  d.Put(0.5f, 0.75f, Index{2}, 1.0f, 2.0f, 3.0f, -4.0f, -5.0f, -6.0f);  // an ext wedge, two points
  d.Put(Index{1}, d.Name("Root"), 0);
  for (int i = 0; i <= 10; ++i) d.Put(static_cast<float>(i));
  d.Put(2, -1, Index{1});
  d.Words(0, 2, 1, 1);
  d.Put(Index{1});
  d.Words(1, 0xFFFF);
  d.Put(Index{0}, 4, Index{animation}, 0);
  for (int axis = 0; axis < 4; ++axis) d.Put(1.0f, 0.0f, static_cast<float>(axis));
}

void WriteAnimation(MeshBytes& d) {
  d.Put(Index{2}, d.Name("Root"), 0, 0, d.Name("Hand"), 0, 0);
  d.Put(Index{1}, 0.0f, 0.0f, 1.0f, 2.0f, 0, 0, Index{2}, 0, 1, Index{1});  // a move on bones 0 and 1
  for (const int keys : {2, 0}) {  // one track, then the root speed track
    d.Put(0, Index{keys});
    for (int k = 0; k < keys; ++k) d.Put(0.5f, 0.5f, 0.5f, 0.5f);
    d.Put(Index{keys});
    for (int k = 0; k < keys; ++k) d.Put(1.0f, 2.0f, 3.0f);
    d.Put(Index{keys});
    for (int k = 0; k < keys; ++k) d.Put(0.1f * static_cast<float>(k));
  }
  d.Put(Index{1}, d.Name("Fire"));  // the start of a sequence list, left unread
}

template <class Reader>
Reader& Registered(TUTPackage& package, std::int32_t reference) {
  return dynamic_cast<Reader&>(package.GetExport(reference - 1)->Object());
}

void ExpectVector(const TUT_Struct_Vector& v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.X, x);
  EXPECT_FLOAT_EQ(v.Y, y);
  EXPECT_FLOAT_EQ(v.Z, z);
}

TEST(MeshObjects, UnpacksBothVertexPackings) {
  ExpectVector(UnpackVertex4(0), 0, 0, 0);
  ExpectVector(UnpackVertex4(WorkedVertex4), -0.125f, 128.0f, -0.25f);
  ExpectVector(UnpackVertex4(0x3FFu | (0x401u << 11) | (0x200u << 22)), 127.875f, 128.125f - 256.0f, 128.0f);
  ExpectVector(UnpackVertex8(WorkedVertex8), 1.0f, -1.0f, 128.0f);
  ExpectVector(UnpackVertex8(0xFFFF'0000'0000'8001ull), 128.00390625f - 256.0f, 0, 0);
}

TEST(MeshObjects, ReadsLodMeshAcrossVersions) {
  for (const std::uint16_t version : {61, 62, 64, 65, 66, 68, 69}) {
    SCOPED_TRACE(version);
    // Version 68 packs its vertices as the Deus Ex engine does.
    const int packing = version == 68 ? 8 : 4;
    FixturePackage fixture(version);
    MeshBytes d(fixture);
    WriteLodMesh(d, packing, packing == 8 ? WorkedVertex8 : WorkedVertex4);
    const auto ref = fixture.Add("LodMesh", "Model", d);
    const auto package = fixture.Open();
    Probe<TUTObjectClassLodMesh> mesh(*package, ref - 1);
    TUTObjectUse use(mesh);
    EXPECT_EQ(mesh.End, d.Size());

    EXPECT_FLOAT_EQ(mesh.BoundingSphere().W, version >= 62 ? 2.5f : -1.0f);
    EXPECT_FLOAT_EQ(mesh.FrameSpheres().at(1).W, version >= 62 ? 11.5f : -1.0f);
    EXPECT_EQ(mesh.TextureLods().size(), version >= 66 ? 2u : version == 65 ? 1u : 0u);
    EXPECT_EQ(mesh.VertexPacking(), packing);
    ASSERT_EQ(mesh.VertexCount(), 6);
    if (packing == 8) {
      ExpectVector(mesh.GetVertex(5), 1.0f, -1.0f, 128.0f);
    } else {
      ExpectVector(mesh.GetVertex(5), -0.125f, 128.0f, -0.25f);
    }
    EXPECT_EQ(mesh.GetTriangle(0).Tex[2].V, 0x3C);
    ASSERT_EQ(mesh.AnimSequenceCount(), 2);
    const TUT_Struct_AnimSeq& breath = mesh.GetAnimSequence(0);
    EXPECT_EQ(package->GetName(breath.Name), "Breath1");
    ASSERT_EQ(breath.Notifys.size(), 2u);
    EXPECT_EQ(package->GetName(breath.Notifys[1].Function), "Step");
    EXPECT_FLOAT_EQ(mesh.GetAnimSequence(1).Rate, 15.0f);
    EXPECT_EQ(mesh.GetTextureRef(0), -1);
    EXPECT_EQ(mesh.RotationOrigin().Roll, -16384);

    EXPECT_EQ(mesh.GetFace(1).WedgeIndex[0], 2);
    EXPECT_EQ(mesh.GetWedge(2).VertexIndex, 1);
    EXPECT_EQ(mesh.GetWedge(2).V, 0xFF);
    EXPECT_EQ(mesh.GetMaterial(1).PolyFlags, 0x108);
    EXPECT_EQ(mesh.SpecialFaces().at(0).MaterialIndex, 1);
    EXPECT_EQ(mesh.SpecialVertexCount(), 1);
    EXPECT_FLOAT_EQ(mesh.LodMinVerts(), 10.0f);
    EXPECT_EQ(mesh.OldFrameVertexCount(), 3);
  }
}

TEST(MeshObjects, ReadsSkeletalMeshAndAnimation) {
  FixturePackage fixture(69);
  MeshBytes animationData(fixture), skeletalData(fixture);
  WriteAnimation(animationData);
  const auto animationRef = fixture.Add("Animation", "Moves", animationData);
  WriteSkeletalMesh(skeletalData, animationRef);
  const auto skeletalRef = fixture.Add("SkeletalMesh", "Model", skeletalData);
  const auto package = fixture.Open();

  auto& skeletal = Registered<TUTObjectClassSkeletalMesh>(*package, skeletalRef);
  skeletal.ReadObject();
  ExpectVector(skeletal.GetPoint(1), -4, -5, -6);
  EXPECT_EQ(package->GetName(skeletal.GetBone(0).Name), "Root");
  EXPECT_FLOAT_EQ(skeletal.GetBone(0).BonePos.ZSize, 10.0f);
  EXPECT_EQ(skeletal.GetBone(0).ParentIndex, -1);
  EXPECT_FLOAT_EQ(skeletal.ExtWedges().at(0).V, 0.75f);
  EXPECT_EQ(skeletal.BoneWeights().at(0).Weight, 0xFFFF);
  EXPECT_EQ(skeletal.DefaultAnimation(), animationRef);
  EXPECT_FLOAT_EQ(skeletal.WeaponAdjust().ZAxis.Z, 3.0f);
  try {
    skeletal.GetVertex(6);
    ADD_FAILURE() << "no error";
  } catch (const ReadError& e) {
    EXPECT_STREQ(e.what(), "Vertex 6 is outside the 6 vertices of Model");
  }
  EXPECT_THROW(skeletal.GetVertex(-1), ReadError);
  EXPECT_THROW(skeletal.GetTriangle(1), ReadError);
  EXPECT_THROW(skeletal.GetAnimSequence(2), ReadError);
  EXPECT_THROW(skeletal.GetTextureRef(2), ReadError);
  EXPECT_THROW(skeletal.GetWedge(3), ReadError);
  EXPECT_THROW(skeletal.GetFace(2), ReadError);
  EXPECT_THROW(skeletal.GetMaterial(-1), ReadError);
  EXPECT_THROW(skeletal.GetPoint(2), ReadError);
  EXPECT_THROW(skeletal.GetBone(1), ReadError);
  skeletal.Release();
  EXPECT_THROW(skeletal.GetPoint(0), ReadError);
  EXPECT_EQ(skeletal.DefaultAnimation(), 0);

  Probe<TUTObjectClassAnimation> animation(*package, animationRef - 1);
  TUTObjectUse use(animation);
  EXPECT_EQ(animation.End, animationData.Size() - 2);
  EXPECT_EQ(package->GetName(animation.RefBones().at(1).Name), "Hand");
  ASSERT_EQ(animation.Moves().size(), 1u);
  const TUT_Struct_MotionChunk& move = animation.Moves()[0];
  EXPECT_EQ(move.BoneIndices, (std::vector<std::int32_t>{0, 1}));
  ASSERT_EQ(move.AnimTracks.size(), 1u);
  EXPECT_EQ(move.AnimTracks[0].KeyQuat.size(), 2u);
  EXPECT_FLOAT_EQ(move.AnimTracks[0].KeyTime[1], 0.1f);
  EXPECT_TRUE(move.RootSpeed.KeyPos.empty());
}

// Every cut must fail cleanly; every flipped byte must fail cleanly or parse.
// The sanitizer build catches any read outside the data on the way.
TEST(MeshObjects, DamagedDataFailsCleanly) {
  FixturePackage fixture(69);
  MeshBytes animation(fixture), skeletal(fixture), lod(fixture);
  WriteAnimation(animation);
  WriteSkeletalMesh(skeletal, 1);
  WriteLodMesh(lod, 8, WorkedVertex8);
  std::vector<bool> mustFail;
  const auto addDamaged = [&](const char* className, const std::uint8_t* bytes, std::size_t size,
                              const std::vector<std::size_t>& offsetFields, bool cut) {
    ObjectBytes damaged(fixture);
    damaged.WriteBytes(bytes, size);
    for (const auto field : offsetFields)
      if (field + 4 <= size) damaged.OffsetFields.push_back(field);
    fixture.Add(className, "Damaged", damaged);
    mustFail.push_back(cut);
  };
  for (const auto& [className, d, parsedSize] : {std::tuple{"Animation", &animation, animation.Size() - 2},
                                                 std::tuple{"SkeletalMesh", &skeletal, skeletal.Size()},
                                                 std::tuple{"LodMesh", &lod, lod.Size()}}) {
    for (std::size_t cut = 1; cut < parsedSize; ++cut)
      addDamaged(className, d->Bytes().data(), cut, d->OffsetFields, true);
    for (std::size_t at = 0; at < d->Size(); ++at) {
      for (const std::uint8_t mask : {0x01, 0x40, 0x80, 0xFF}) {
        auto flipped = d->Bytes();
        flipped[at] ^= mask;
        addDamaged(className, flipped.data(), flipped.size(), d->OffsetFields, false);
      }
    }
  }
  const auto package = fixture.Open();
  TUTPackageLock lock(*package);
  for (int i = 0; i < package->ExportCount(); ++i) {
    try {
      TUTObjectUse use(package->GetExport(i)->Object());
      EXPECT_FALSE(mustFail[static_cast<std::size_t>(i)]) << "export " << i;
    } catch (const ReadError&) {
    }
  }
}

// The count check must refuse these, before a list of that size is reserved.
TEST(MeshObjects, HugeCountsFailBeforeAllocating) {
  FixturePackage fixture(61);
  MeshBytes vertices(fixture), notifies(fixture), tracks(fixture);
  for (MeshBytes* d : {&vertices, &notifies}) {
    d->Box(0);
    d->Sphere(0);
  }
  vertices.Put(Index{0x7FFFFFFF});
  notifies.Put(Index{0}, Index{0}, Index{1}, Index{0}, Index{0}, 0, 0, Index{0x7FFFFFFF});
  tracks.Put(Index{0}, Index{1}, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, Index{0}, Index{0x7FFFFFFF}, 0, 0);
  const std::vector<std::int32_t> refs{fixture.Add("Mesh", "Vertices", vertices),
                                       fixture.Add("Mesh", "Notifys", notifies),
                                       fixture.Add("Animation", "Tracks", tracks)};
  const auto package = fixture.Open();
  for (const auto ref : refs) {
    try {
      TUTObjectUse use(package->GetExport(ref - 1)->Object());
      ADD_FAILURE() << "parsed " << ref;
    } catch (const ReadError& e) {
      EXPECT_NE(std::string(e.what()).find("Count 2147483647"), std::string::npos) << e.what();
    }
  }
}

struct CorpusMeshes {
  int meshes = 0;
  int animations = 0;
  int eightByte = 0;
};

// Each layout must end where the object's data ends, and the indexes must hold together.
template <class Reader>
void CheckCorpusObject(TUTPackage& package, int exportIndex, CorpusMeshes& found) {
  Probe<Reader> object(package, exportIndex);
  SCOPED_TRACE(object.ObjectName());
  TUTObjectUse use(object);
  if constexpr (std::is_same_v<Reader, TUTObjectClassAnimation>) {
    ++found.animations;
    EXPECT_FALSE(object.RefBones().empty());
    EXPECT_LT(object.End, object.Data().size());  // the unread sequences
  } else {
    ++found.meshes;
    EXPECT_EQ(object.End, object.Data().size());
    if (object.VertexPacking() == 8) ++found.eightByte;
    for (int t = 0; t < object.TriangleCount(); ++t) {
      for (const auto v : object.GetTriangle(t).VertexIndex) EXPECT_LT(v, object.FrameVertexCount());
    }
    if constexpr (!std::is_same_v<Reader, TUTObjectClassSkeletalMesh>) {
      EXPECT_EQ(object.VertexCount(), object.FrameVertexCount() * object.FrameCount());
    }
    if constexpr (std::is_base_of_v<TUTObjectClassLodMesh, Reader>) {
      for (int f = 0; f < object.FaceCount(); ++f) {
        for (const auto w : object.GetFace(f).WedgeIndex) EXPECT_LT(w, object.WedgeCount());
        EXPECT_LT(object.GetFace(f).MaterialIndex, object.MaterialCount());
      }
      for (int w = 0; w < object.WedgeCount(); ++w) {
        if constexpr (std::is_same_v<Reader, TUTObjectClassSkeletalMesh>) {
          EXPECT_LT(object.GetWedge(w).VertexIndex, object.PointCount());
        } else {
          EXPECT_LT(object.GetWedge(w).VertexIndex + object.SpecialVertexCount(), object.FrameVertexCount());
        }
      }
    }
  }
}

CorpusMeshes CheckCorpusPackage(const std::string& relativePath) {
  CorpusMeshes found;
  TUTPackage package(testsupport::CorpusFile(relativePath));
  TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    const std::string className = package.GetExport(i)->ClassName();
    if (className == "Mesh") CheckCorpusObject<TUTObjectClassMesh>(package, i, found);
    if (className == "LodMesh") CheckCorpusObject<TUTObjectClassLodMesh>(package, i, found);
    if (className == "SkeletalMesh") CheckCorpusObject<TUTObjectClassSkeletalMesh>(package, i, found);
    if (className == "Animation") CheckCorpusObject<TUTObjectClassAnimation>(package, i, found);
  }
  return found;
}

class MeshCorpus : public testing::Test {
protected:
  void SetUp() override {
    MARBELLE_NEEDS_CORPUS(std::filesystem::is_directory(testsupport::CorpusDir()));
  }
};

TEST_F(MeshCorpus, VertexAnimatedMeshes) {
  EXPECT_EQ(CheckCorpusPackage("utpatches/System/epiccustommodels.u").meshes, 3);
  EXPECT_EQ(CheckCorpusPackage("utpatches/System/relics.u").meshes, 6);
  EXPECT_EQ(CheckCorpusPackage("ut99mods/System/HeadHunter.u").meshes, 1);
  TUTPackage package(testsupport::CorpusFile("utpatches/System/epiccustommodels.u"));
  auto& cow = Registered<TUTObjectClassLodMesh>(package, package.FindExport("TCowMesh", "LodMesh") + 1);
  TUTObjectUse use(cow);
  EXPECT_EQ(cow.VertexCount(), 87780);
}

TEST_F(MeshCorpus, SkeletalMeshesAndAnimations) {
  const CorpusMeshes found = CheckCorpusPackage("ut99mods/System/C4.u");
  EXPECT_EQ(found.meshes, 2);
  EXPECT_EQ(found.animations, 2);
}

TEST_F(MeshCorpus, DeusExEightByteVertices) {
  const CorpusMeshes found = CheckCorpusPackage("dxparty/System/Endemia.u");
  EXPECT_EQ(found.meshes, 53);
  EXPECT_EQ(found.eightByte, 53);
}

}  // namespace
