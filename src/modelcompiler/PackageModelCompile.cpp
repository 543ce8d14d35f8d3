#include "modelcompiler/PackageModelCompile.h"

#include <algorithm>
#include <stdexcept>

namespace modelcompiler {

namespace {

using model3d::TObjeto3D;

constexpr std::int64_t MaxIndex = 0xFFFF;
// Triangles carry their material as a signed byte.
constexpr std::int32_t MaxMaterial = 127;

[[noreturn]] void Broken(const MeshCopy& mesh, const std::string& what) {
  throw std::runtime_error("Cannot use " + mesh.Source + ": it " + what);
}

std::uint16_t ModelIndex(const MeshCopy& mesh, std::int64_t index, std::int64_t count, const char* what) {
  if (index < 0 || index >= count) Broken(mesh, std::string("has a ") + what + " that points past its list");
  if (index > MaxIndex) Broken(mesh, "has more than 65536 vertices or texture coordinates");
  return static_cast<std::uint16_t>(index);
}

// A texture index counts for the material list unless its texture table entry
// is an import; an index past the table has no entry and counts.
bool HasOwnTexture(const MeshCopy& mesh, std::int32_t textureIndex) {
  return textureIndex < 0 || static_cast<std::size_t>(textureIndex) >= mesh.Textures.size() ||
         mesh.Textures[static_cast<std::size_t>(textureIndex)] >= 0;
}

// Materials 0 to the highest own texture index, and further when a triangle
// uses a higher (imported) one, so every triangle's material exists.
void MakeMaterials(const MeshCopy& mesh, const std::vector<std::int32_t>& textureIndexes, TObjeto3D& out) {
  std::int32_t highestOwn = 0, highest = 0;
  for (const std::int32_t index : textureIndexes) {
    if (index < 0 || index > MaxMaterial)
      Broken(mesh, "uses the texture index " + std::to_string(index) + "; a model holds materials 0 to 127");
    highest = std::max(highest, index);
    if (HasOwnTexture(mesh, index)) highestOwn = std::max(highestOwn, index);
  }
  out.Materials.assign(static_cast<std::size_t>(std::max(highestOwn, highest)) + 1, {});
}

void NameMaterial(model3d::TMaterial3D& material, std::int32_t textureIndex) {
  if (material.Name.empty()) material.Name = "SKIN" + std::to_string(textureIndex);
}

std::int32_t MeshStyle(std::int32_t flags) {
  if (flags & 0x02) return model3d::StyleMasked;
  if (flags & 0x40) return model3d::StyleModulated;
  if (flags & 0x04) return model3d::StyleTranslucent;
  if (flags & 0x100) return model3d::StyleTwoSided;
  return model3d::StyleNormal;
}

std::int32_t LodMeshStyle(std::int32_t flags) {
  if ((flags & 0x140) == 0x140) return model3d::StyleModulated;
  if ((flags & 0x104) == 0x104) return model3d::StyleTranslucent;
  if ((flags & 0x102) == 0x102) return model3d::StyleMasked;
  if (flags & 0x100) return model3d::StyleTwoSided;
  return model3d::StyleNormal;
}

// Mirroring reverses the winding; swapping corners 0 and 2 restores it.
int SourceCorner(bool mirror, int c) { return mirror ? 2 - c : c; }

// Model frame f takes mesh vertex f * FrameVerts + offset for its vertex i;
// a single frame is the chosen one.
void AddFrames(const MeshCopy& mesh, const FrameChoice& choice, std::int32_t chosen,
               const std::vector<std::int64_t>& offsets, TObjeto3D& out) {
  const std::int32_t first = choice.Animated ? 0 : chosen;
  const std::int32_t count = choice.Animated ? mesh.FrameCount : 1;
  if (count > MaxIndex) Broken(mesh, "has more than 65535 frames");
  for (std::int32_t f = first; f < first + count; ++f) {
    const std::int64_t base = std::int64_t{f} * mesh.FrameVerts;
    std::vector<model3d::TVertex3D> frame;
    frame.reserve(offsets.size());
    for (const std::int64_t offset : offsets) {
      model3d::TVertex3D v = mesh.Vertices[static_cast<std::size_t>(base + offset)];
      if (choice.MirrorX) v.X = -v.X;
      frame.push_back(v);
    }
    out.Frames.push_back(std::move(frame));
  }
}

void CompileMesh(const MeshCopy& mesh, const FrameChoice& choice, std::int32_t chosen, TObjeto3D& out) {
  std::vector<std::int64_t> offsets(static_cast<std::size_t>(mesh.FrameVerts));
  for (std::size_t i = 0; i < offsets.size(); ++i) offsets[i] = static_cast<std::int64_t>(i);
  AddFrames(mesh, choice, chosen, offsets, out);

  std::vector<std::int32_t> textureIndexes;
  for (const auto& triangle : mesh.Triangles) textureIndexes.push_back(triangle.TextureIndex);
  MakeMaterials(mesh, textureIndexes, out);
  if (mesh.Triangles.size() * 3 > MaxIndex + 1) Broken(mesh, "has more triangles than a model holds (21845)");
  for (const auto& triangle : mesh.Triangles) {
    model3d::TTriangle3D t;
    for (int c = 0; c < 3; ++c) {
      const int source = SourceCorner(choice.MirrorX, c);
      t.Vertex[c] = ModelIndex(mesh, triangle.Vertex[source], mesh.FrameVerts, "triangle");
      t.TexCoord[c] = static_cast<std::uint16_t>(out.TexCoords.size() + static_cast<std::size_t>(source));
    }
    for (const auto& texCoord : triangle.TexCoord) out.TexCoords.push_back(texCoord);
    t.Material = static_cast<std::int8_t>(triangle.TextureIndex);
    out.Triangles.push_back(t);
    if (HasOwnTexture(mesh, triangle.TextureIndex)) {
      auto& material = out.Materials[static_cast<std::size_t>(triangle.TextureIndex)];
      NameMaterial(material, triangle.TextureIndex);
      material.Flags |= MeshStyle(triangle.PolyFlags);
    }
  }
}

void CompileLodMesh(const MeshCopy& mesh, const FrameChoice& choice, std::int32_t chosen, TObjeto3D& out) {
  const auto wedgeCount = static_cast<std::int64_t>(mesh.Wedges.size());
  if (wedgeCount > MaxIndex + 1) Broken(mesh, "has more than 65536 wedges");
  std::vector<std::int64_t> offsets;
  offsets.reserve(mesh.Wedges.size());
  for (const auto& wedge : mesh.Wedges) {
    const std::int64_t offset = std::int64_t{mesh.SpecialVerts} + wedge.Vertex;
    if (wedge.Vertex < 0 || offset >= mesh.FrameVerts) Broken(mesh, "has a wedge that points past its vertices");
    offsets.push_back(offset);
    out.TexCoords.push_back(wedge.TexCoord);
  }
  AddFrames(mesh, choice, chosen, offsets, out);

  std::vector<std::int32_t> textureIndexes;
  for (const auto& material : mesh.Materials) textureIndexes.push_back(material.TextureIndex);
  if (textureIndexes.empty()) textureIndexes.push_back(0);
  MakeMaterials(mesh, textureIndexes, out);
  for (const auto& material : mesh.Materials) {
    if (!HasOwnTexture(mesh, material.TextureIndex)) continue;
    auto& target = out.Materials[static_cast<std::size_t>(material.TextureIndex)];
    NameMaterial(target, material.TextureIndex);
    target.Flags = std::max(target.Flags, LodMeshStyle(material.PolyFlags));
  }

  // Skeletal meshes wind their faces the other way round.
  const bool reversed = choice.MirrorX != (mesh.Kind == MeshKind::SkeletalMesh);
  for (const auto& face : mesh.Faces) {
    if (face.Material < 0 || static_cast<std::size_t>(face.Material) >= mesh.Materials.size())
      Broken(mesh, "has a face whose material is not in its list");
    model3d::TTriangle3D t;
    for (int c = 0; c < 3; ++c)
      t.Vertex[c] = t.TexCoord[c] = ModelIndex(mesh, face.Wedge[SourceCorner(reversed, c)], wedgeCount, "face");
    t.Material = static_cast<std::int8_t>(mesh.Materials[static_cast<std::size_t>(face.Material)].TextureIndex);
    out.Triangles.push_back(t);
  }
}

}  // namespace

std::vector<std::int32_t> SkinMaterials(const MeshCopy& mesh) {
  std::vector<std::int32_t> indexes;
  if (mesh.Faces.empty())
    for (const auto& triangle : mesh.Triangles) indexes.push_back(triangle.TextureIndex);
  else
    for (const auto& material : mesh.Materials) indexes.push_back(material.TextureIndex);
  std::erase_if(indexes, [&](std::int32_t index) { return index < 0 || !HasOwnTexture(mesh, index); });
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  return indexes;
}

std::int32_t ChosenFrame(const MeshCopy& mesh, const FrameChoice& choice) {
  if (mesh.Kind == MeshKind::SkeletalMesh) return 0;
  std::int64_t frame = choice.Frame;
  if (choice.UseAbsoluteFrame) {
    frame = choice.AbsoluteFrame;
  } else {
    if (choice.Sequence >= mesh.Sequences.size())
      Broken(mesh, "has no animation sequence number " + std::to_string(choice.Sequence));
    frame += mesh.Sequences[choice.Sequence].StartFrame;
  }
  if (frame < 0 || frame >= mesh.FrameCount)
    throw std::runtime_error("Frame " + std::to_string(frame) + " is not one of the " +
                             std::to_string(mesh.FrameCount) + " frames of " + mesh.Source);
  return static_cast<std::int32_t>(frame);
}

std::vector<std::string> CompilePackageModel(const MeshCopy& mesh, const FrameChoice& choice, TObjeto3D& out) {
  out.Clear();
  const std::int32_t chosen = ChosenFrame(mesh, choice);
  if (mesh.Faces.empty())
    CompileMesh(mesh, choice, chosen, out);
  else
    CompileLodMesh(mesh, choice, chosen, out);
  std::vector<std::string> notes;
  if (!choice.Animated) return notes;
  out.StillFrame = chosen;
  for (const TLMAnimSeq& sequence : mesh.Sequences) {
    if (model3d::SequenceFits(sequence.StartFrame, sequence.NumFrames, sequence.Rate))
      out.Sequences.push_back(model3d::PackSequence(sequence.Name, sequence.StartFrame, sequence.NumFrames, sequence.Rate));
    else
      notes.push_back("Left out the animation sequence \"" + sequence.Name + "\" (start " +
                      std::to_string(sequence.StartFrame) + ", " + std::to_string(sequence.NumFrames) +
                      " frames): a model holds sequences of up to 255 frames");
  }
  return notes;
}

}  // namespace modelcompiler
