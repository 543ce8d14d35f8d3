#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/PackageModelList.h"
#include "modelcompiler/SkinScheme.h"
#include "modelcompiler/StandingPlacement.h"

namespace modelcompiler {

struct TLMAnimSeq {
  std::string Name;
  std::int32_t StartFrame = 0;
  std::int32_t NumFrames = 0;
  float Rate = 0;
};

enum class MeshKind { Mesh, LodMesh, SkeletalMesh };

// A class Mesh triangle, its texture coordinates as wedges take theirs.
struct MeshTriangleCopy {
  std::array<std::int32_t, 3> Vertex{};
  std::array<model3d::TTexCoord, 3> TexCoord{};
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

struct MeshWedgeCopy {
  std::int32_t Vertex = 0;
  model3d::TTexCoord TexCoord;
};

struct MeshFaceCopy {
  std::array<std::int32_t, 3> Wedge{};
  std::int32_t Material = 0;
};

struct MeshMaterialCopy {
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

// What compiling needs of a mesh, copied when the model is chosen so that
// compiling does not read the package again. A skeletal mesh holds one frame:
// its reference pose.
struct MeshCopy {
  // "the mesh TSkM of /game/System/epiccustommodels.u", for what is said of it.
  std::string Source;
  MeshKind Kind = MeshKind::LodMesh;
  // How the game turns the mesh before the actor (its RotOrigin).
  MeshRotation Rotation;
  std::int32_t FrameVerts = 0;
  std::int32_t FrameCount = 1;
  std::int32_t SpecialVerts = 0;
  // Frame after frame.
  std::vector<model3d::TVertex3D> Vertices;
  std::vector<MeshTriangleCopy> Triangles;
  std::vector<MeshWedgeCopy> Wedges;
  std::vector<MeshFaceCopy> Faces;
  std::vector<MeshMaterialCopy> Materials;
  std::vector<std::int32_t> Textures;
  std::vector<TLMAnimSeq> Sequences;
};

// Values of the Advanced Model Support convention, for materials 0 to 3.
struct AdvancedModelSupport {
  bool Enabled = false;
  // "Yes", "No", or "unsupported format!" for a package that imports the
  // convention without defining its values.
  std::string Detection = "No";
  std::string TalkTextureID = "C";
  std::int32_t HighestSkinNumber = 3;
  bool RelaxedSkinRules = false;
  std::int32_t OldTextureNames = 0;
  std::array<bool, 4> ChangesWithTeam{true, true, true, true};
  std::array<bool, 4> ChangesWithFace{false, false, false, false};
  // Values that took their defaults because a parent class was not found.
  std::vector<std::string> Notes;
};

struct PackageModel {
  // The mesh object's name; the outputs are named after it.
  std::string ModelName;
  // The name of the package file that holds the mesh, without extension.
  std::string PackageName;
  std::string Description;
  TMeshItem Skins;
  // How the game names the textures of the model's skins.
  SkinScheme Scheme;
  MeshCopy Mesh;
  AdvancedModelSupport Ams;
  std::vector<std::string> Information;
  // What the user should know of values read: those of the player class and
  // of Advanced Model Support that took their defaults for a missing parent.
  std::vector<std::string> Notes;
  // The sequence chosen at first: "Breath1", else the first by name.
  std::size_t RestSequence = 0;
};

// The most frames, and frames times triangles, a model may hold: beyond
// them the model's indexes break and the preview's buffers grow past what
// it can draw. Real player meshes hold some 500 frames of 1000 triangles.
inline constexpr std::int64_t MaxMeshFrames = 0xFFFF;
inline constexpr std::int64_t MaxFrameTriangles = 4000000;

// Copies an export of the package that is a mesh, refusing one whose counts
// go past those limits or past what the file holds, with a message naming
// the mesh and the file.
MeshCopy ReadPackageMesh(unrealpkg::TUTPackage& package, int exportIndex);

// The sequence a model rests in: "Breath1", else the first by name.
std::size_t RestSequence(const MeshCopy& mesh);

// The model name ReadPackageModel would give the entry (its mesh's object
// name), found without reading the mesh.
std::string PackageModelName(unrealpkg::TUTPackage& listed, const PackageModelEntry& entry);

// Reads the chosen model of a listed package. The mesh may live in another
// package beside it, which is opened for the purpose.
PackageModel ReadPackageModel(unrealpkg::TUTPackage& listed, const PackageModelEntry& entry);

// Whether the package follows the Advanced Model Support convention, and its values.
AdvancedModelSupport ReadAdvancedModelSupport(unrealpkg::TUTPackage& package);

// The sequence names in the order the frame choice lists them: by name.
std::vector<std::size_t> SequencesByName(const MeshCopy& mesh);

}  // namespace modelcompiler
