#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/PropertyTagWriter.h"

namespace testsupport {

// Every field has an initializer, so that callers may name only the fields they set.

struct MeshVertex {
  float X = 0;
  float Y = 0;
  float Z = 0;
};

struct MeshSequence {
  std::string Name{};
  std::int32_t StartFrame = 0;
  std::int32_t NumFrames = 0;
  float Rate = 0;
};

struct MeshTriangle {
  std::array<std::int32_t, 3> Vertex{};
  std::array<std::array<std::uint8_t, 2>, 3> UV{};
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

struct MeshWedge {
  std::int32_t Vertex = 0;
  std::uint8_t U = 0;
  std::uint8_t V = 0;
};

struct MeshFace {
  std::array<std::int32_t, 3> Wedge{};
  std::int32_t Material = 0;
};

struct MeshMaterial {
  std::int32_t PolyFlags = 0;
  std::int32_t TextureIndex = 0;
};

struct MeshSpec {
  std::string Name{};
  // Every frame holds the same number of vertices; a LodMesh's special vertices come first.
  std::vector<std::vector<MeshVertex>> Frames{};
  std::vector<MeshSequence> Sequences{};
  // Object references: 0 none, above 0 an export, below 0 an import.
  std::vector<std::int32_t> Textures{};
  std::vector<MeshTriangle> Triangles{};
  std::int32_t SpecialVerts = 0;
  std::vector<MeshWedge> Wedges{};
  std::vector<MeshFace> Faces{};
  std::vector<MeshMaterial> Materials{};
  // A SkeletalMesh's reference pose.
  std::vector<MeshVertex> Points{};
};

// The defaults of a player class; unset values are not written.
struct PlayerClassSpec {
  std::string Name{};
  // "Package.Class" for a parent in another package, a bare name for a class
  // of this package added before.
  std::string Extends{"Botpack.TournamentPlayer"};
  // Whether the localisation file lists it: a parent class often is not.
  bool Listed = true;
  // An object reference; 0 writes no Mesh property.
  std::int32_t Mesh = 0;
  std::optional<std::string> MenuName{};
  std::optional<std::string> TeamSkin{};
  std::optional<std::uint8_t> FaceSkin{};
  std::optional<std::uint8_t> FixedSkin{};
  std::optional<std::uint8_t> TeamSkin1{};
  std::optional<std::uint8_t> TeamSkin2{};
  std::optional<bool> MultiSkinned{};
  // "Package.Texture": the skin worn without a choice.
  std::optional<std::string> DefaultSkinName{};
  // The description of the class's localisation line.
  std::string Description{};
};

// The defaults of a package's Advanced Model Support class; unset values are not written.
struct SkinInfoSpec {
  std::optional<std::string> TalkTextureID{};
  std::optional<std::int32_t> HighestSkinNumber{};
  std::optional<std::int32_t> OldTextureNames{};
  std::optional<bool> RelaxedSkinRules{};
  std::array<std::optional<bool>, 4> ChangesWithTeam{};
  std::array<std::optional<bool>, 4> ChangesWithFace{};
};

// A code package holding meshes, textures and player classes in the engine's
// layouts, for the model compiler's tests and the sample content.
class MeshPackage {
public:
  explicit MeshPackage(std::string packageName, std::uint16_t version = 69);

  // Each returns the new export's object reference.
  std::int32_t AddMesh(const MeshSpec& spec);
  std::int32_t AddLodMesh(const MeshSpec& spec);
  std::int32_t AddSkeletalMesh(const MeshSpec& spec);
  // A 4x4 palette texture with its own palette.
  std::int32_t AddTexture(std::string_view name);
  // Returns the import's object reference, e.g. ("Botpack", "LodMesh", "Soldier").
  std::int32_t ImportObject(std::string_view package, std::string_view className, std::string_view objectName);
  // A class definition with a little script, extending Botpack.TournamentPlayer.
  std::int32_t AddPlayerClass(const PlayerClassSpec& spec);
  // The import of AdvancedModelSupport and the class <package name>SkinInfo.
  void AddSkinInfo(const SkinInfoSpec& spec);

  std::vector<std::uint8_t> Build() const;
  // Writes <dir>/<package name>.u and, when there are player classes, the <package name>.int that lists them.
  void Write(const std::filesystem::path& dir) const;

private:
  enum class MeshKind { Mesh, LodMesh, SkeletalMesh };

  std::int32_t AddMeshObject(MeshKind kind, const MeshSpec& spec);
  // An import equal to one already made is not made again.
  std::int32_t Import(std::string_view classPackage, std::string_view className, std::int32_t packageRef,
                      std::string_view objectName);
  std::int32_t ClassImport(std::string_view package, std::string_view className);
  std::int32_t AddClassExport(std::string_view name, std::int32_t super,
                              const std::function<void(unrealpkg::PropertyTagWriter&)>& defaults);

  std::string name_;
  unrealpkg::PackageWriter writer_;
  // Name and description of each player class.
  std::vector<std::pair<std::string, std::string>> playerClasses_;
};

}  // namespace testsupport
