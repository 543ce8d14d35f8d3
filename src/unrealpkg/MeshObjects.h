#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "unrealpkg/MeshStructs.h"
#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

// The two vertex packings of a mesh's vertex array.
TUT_Struct_Vector UnpackVertex4(std::uint32_t packed);
TUT_Struct_Vector UnpackVertex8(std::uint64_t packed);

// The indexed accessors below throw ReadError for an index outside their list:
// the indexes callers use come from the file's own faces and wedges.

class TUTObjectClassPrimitive : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassPrimitive";
  using TUTObject::TUTObject;

  const TUT_Struct_Box& BoundingBox() const { return boundingBox_; }
  const TUT_Struct_Sphere& BoundingSphere() const { return boundingSphere_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  TUT_Struct_Box boundingBox_;
  TUT_Struct_Sphere boundingSphere_;
};

// A vertex-animated mesh: FrameCount frames of FrameVertexCount vertices each.
class TUTObjectClassMesh : public TUTObjectClassPrimitive {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassMesh";
  using TUTObjectClassPrimitive::TUTObjectClassPrimitive;

  int VertexCount() const { return static_cast<int>(mesh_.vertices.size()); }
  // Vertex v of frame f is vertex f * FrameVertexCount() + v.
  const TUT_Struct_Vector& GetVertex(std::int64_t index) const;
  int TriangleCount() const { return static_cast<int>(mesh_.triangles.size()); }
  const TUT_Struct_Triangle& GetTriangle(std::int64_t index) const;
  int AnimSequenceCount() const { return static_cast<int>(mesh_.animSequences.size()); }
  const TUT_Struct_AnimSeq& GetAnimSequence(std::int64_t index) const;
  int TextureCount() const { return static_cast<int>(mesh_.textures.size()); }
  std::int32_t GetTextureRef(std::int64_t index) const;

  std::int32_t FrameVertexCount() const { return mesh_.frameVertexCount; }
  std::int32_t FrameCount() const { return mesh_.frameCount; }
  const TUT_Struct_Vector& Scale() const { return mesh_.scale; }
  const TUT_Struct_Vector& Origin() const { return mesh_.origin; }
  const TUT_Struct_Rotator& RotationOrigin() const { return mesh_.rotationOrigin; }
  // Bytes per packed vertex in the file: 4, or 8 for the Deus Ex engine variant.
  int VertexPacking() const { return mesh_.vertexPacking; }

  const std::vector<TUT_Struct_Connect>& Connections() const { return mesh_.connections; }
  const TUT_Struct_Box& MeshBoundingBox() const { return mesh_.meshBoundingBox; }
  const TUT_Struct_Sphere& MeshBoundingSphere() const { return mesh_.meshBoundingSphere; }
  const std::vector<std::int32_t>& VertexLinks() const { return mesh_.vertexLinks; }
  const std::vector<TUT_Struct_Box>& FrameBoxes() const { return mesh_.frameBoxes; }
  const std::vector<TUT_Struct_Sphere>& FrameSpheres() const { return mesh_.frameSpheres; }
  std::int32_t AndFlags() const { return mesh_.andFlags; }
  std::int32_t OrFlags() const { return mesh_.orFlags; }
  std::int32_t CurrentPoly() const { return mesh_.currentPoly; }
  std::int32_t CurrentVertex() const { return mesh_.currentVertex; }
  const std::vector<float>& TextureLods() const { return mesh_.textureLods; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  struct Members {
    std::vector<TUT_Struct_Vector> vertices;
    int vertexPacking = 4;
    std::vector<TUT_Struct_Triangle> triangles;
    std::vector<TUT_Struct_AnimSeq> animSequences;
    std::vector<TUT_Struct_Connect> connections;
    TUT_Struct_Box meshBoundingBox;
    TUT_Struct_Sphere meshBoundingSphere;
    std::vector<std::int32_t> vertexLinks;
    std::vector<std::int32_t> textures;
    std::vector<TUT_Struct_Box> frameBoxes;
    std::vector<TUT_Struct_Sphere> frameSpheres;
    std::int32_t frameVertexCount = 0;
    std::int32_t frameCount = 0;
    std::int32_t andFlags = 0;
    std::int32_t orFlags = 0;
    TUT_Struct_Vector scale;
    TUT_Struct_Vector origin;
    TUT_Struct_Rotator rotationOrigin;
    std::int32_t currentPoly = 0;
    std::int32_t currentVertex = 0;
    std::vector<float> textureLods;
  };
  Members mesh_;
};

// A mesh drawn through wedges (a vertex plus texture coordinates) and faces.
// Within each frame the first SpecialVertexCount vertices belong to the special
// (weapon) faces; a wedge's vertex index counts from after them.
class TUTObjectClassLodMesh : public TUTObjectClassMesh {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassLodMesh";
  using TUTObjectClassMesh::TUTObjectClassMesh;

  int WedgeCount() const { return static_cast<int>(lod_.wedges.size()); }
  const TUT_Struct_Wedge& GetWedge(std::int64_t index) const;
  int FaceCount() const { return static_cast<int>(lod_.faces.size()); }
  const TUT_Struct_Face& GetFace(std::int64_t index) const;
  int MaterialCount() const { return static_cast<int>(lod_.materials.size()); }
  const TUT_Struct_Material& GetMaterial(std::int64_t index) const;
  std::int32_t SpecialVertexCount() const { return lod_.specialVertexCount; }

  const std::vector<std::int32_t>& CollapsePoints() const { return lod_.collapsePoints; }
  const std::vector<std::int32_t>& FaceLevels() const { return lod_.faceLevels; }
  const std::vector<std::int32_t>& CollapseWedges() const { return lod_.collapseWedges; }
  // Their three indexes address the frame's vertices directly.
  const std::vector<TUT_Struct_Face>& SpecialFaces() const { return lod_.specialFaces; }
  std::int32_t ModelVertexCount() const { return lod_.modelVertexCount; }
  float ScaleMax() const { return lod_.scaleMax; }
  float LodHysteresis() const { return lod_.lodHysteresis; }
  float LodStrength() const { return lod_.lodStrength; }
  float LodMinVerts() const { return lod_.lodMinVerts; }
  float LodMorph() const { return lod_.lodMorph; }
  float LodZDisplace() const { return lod_.lodZDisplace; }
  const std::vector<std::int32_t>& RemapAnimVerts() const { return lod_.remapAnimVerts; }
  std::int32_t OldFrameVertexCount() const { return lod_.oldFrameVertexCount; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  struct Members {
    std::vector<std::int32_t> collapsePoints;
    std::vector<std::int32_t> faceLevels;
    std::vector<TUT_Struct_Face> faces;
    std::vector<std::int32_t> collapseWedges;
    std::vector<TUT_Struct_Wedge> wedges;
    std::vector<TUT_Struct_Material> materials;
    std::vector<TUT_Struct_Face> specialFaces;
    std::int32_t modelVertexCount = 0;
    std::int32_t specialVertexCount = 0;
    float scaleMax = 0.0f;
    float lodHysteresis = 0.0f;
    float lodStrength = 0.0f;
    float lodMinVerts = 0.0f;
    float lodMorph = 0.0f;
    float lodZDisplace = 0.0f;
    std::vector<std::int32_t> remapAnimVerts;
    std::int32_t oldFrameVertexCount = 0;
  };
  Members lod_;
};

// A LodMesh whose wedges address skin points moved by a skeleton.
class TUTObjectClassSkeletalMesh : public TUTObjectClassLodMesh {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassSkeletalMesh";
  using TUTObjectClassLodMesh::TUTObjectClassLodMesh;

  int PointCount() const { return static_cast<int>(skeletal_.points.size()); }
  const TUT_Struct_Vector& GetPoint(std::int64_t index) const;
  int BoneCount() const { return static_cast<int>(skeletal_.refSkeleton.size()); }
  const TUT_Struct_Bone& GetBone(std::int64_t index) const;

  const std::vector<TUT_Struct_ExtWedge>& ExtWedges() const { return skeletal_.extWedges; }
  const std::vector<TUT_Struct_BoneWeightIndex>& BoneWeightIndexes() const { return skeletal_.boneWeightIndexes; }
  const std::vector<TUT_Struct_BoneWeight>& BoneWeights() const { return skeletal_.boneWeights; }
  const std::vector<TUT_Struct_Vector>& LocalPoints() const { return skeletal_.localPoints; }
  std::int32_t SkeletalDepth() const { return skeletal_.skeletalDepth; }
  std::int32_t DefaultAnimation() const { return skeletal_.defaultAnimation; }
  std::int32_t WeaponBoneIndex() const { return skeletal_.weaponBoneIndex; }
  const TUT_Struct_Coords& WeaponAdjust() const { return skeletal_.weaponAdjust; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  struct Members {
    std::vector<TUT_Struct_ExtWedge> extWedges;
    std::vector<TUT_Struct_Vector> points;
    std::vector<TUT_Struct_Bone> refSkeleton;
    std::vector<TUT_Struct_BoneWeightIndex> boneWeightIndexes;
    std::vector<TUT_Struct_BoneWeight> boneWeights;
    std::vector<TUT_Struct_Vector> localPoints;
    std::int32_t skeletalDepth = 0;
    std::int32_t defaultAnimation = 0;
    std::int32_t weaponBoneIndex = 0;
    TUT_Struct_Coords weaponAdjust;
  };
  Members skeletal_;
};

// Skeletal motion. The animation sequences stored behind the moves are left unread.
class TUTObjectClassAnimation : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassAnimation";
  using TUTObject::TUTObject;

  const std::vector<TUT_Struct_RefBone>& RefBones() const { return refBones_; }
  const std::vector<TUT_Struct_MotionChunk>& Moves() const { return moves_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<TUT_Struct_RefBone> refBones_;
  std::vector<TUT_Struct_MotionChunk> moves_;
};

}  // namespace unrealpkg
