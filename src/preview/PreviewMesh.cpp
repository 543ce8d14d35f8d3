#include "preview/PreviewMesh.h"

#include <cmath>
#include <stdexcept>

namespace preview {

namespace {

struct Vector {
  float X, Y, Z;
};

Vector Minus(const model3d::TVertex3D& a, const model3d::TVertex3D& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

// The plane normal of a triangle, normalised; zero for a degenerate one.
Vector PlaneNormal(const model3d::TVertex3D& a, const model3d::TVertex3D& b, const model3d::TVertex3D& c) {
  const Vector u = Minus(b, a);
  const Vector v = Minus(c, a);
  Vector n{u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X};
  const float length = std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z);
  if (length > 0) n = {n.X / length, n.Y / length, n.Z / length};
  return n;
}

void Append(std::vector<float>& out, float x, float y, float z) {
  out.push_back(x);
  out.push_back(y);
  out.push_back(z);
}

int WeaponMaterial(const model3d::TObjeto3D& model) {
  for (std::size_t m = 0; m < model.Materials.size(); ++m)
    if (model.Materials[m].Flags & model3d::WeaponMaterial) return static_cast<int>(m);
  return -1;
}

const model3d::TVertex3D& VertexOf(const std::vector<model3d::TVertex3D>& frame, std::uint16_t index) {
  if (index >= frame.size()) throw std::runtime_error("A triangle names vertex " + std::to_string(index) + ", which the model lacks.");
  return frame[index];
}

}  // namespace

PreviewMesh BuildMesh(const model3d::TObjeto3D& model, const BuildProgress& progress) {
  PreviewMesh mesh;
  mesh.FrameCount = static_cast<int>(model.Frames.size());
  mesh.StillFrame = model.StillFrame;
  const int weapon = WeaponMaterial(model);
  const long long total = static_cast<long long>(mesh.FrameCount) * ActorCount * static_cast<long long>(model.Triangles.size());
  for (int actor = 0; actor < ActorCount; ++actor) {
    ActorMesh& out = mesh.Actors[static_cast<std::size_t>(actor)];
    std::vector<const model3d::TTriangle3D*> drawn;
    if (actor != weapon)
      for (const model3d::TTriangle3D& triangle : model.Triangles)
        if (triangle.Material == actor) drawn.push_back(&triangle);
    for (const model3d::TTriangle3D* triangle : drawn)
      for (int corner = 0; corner < 3; ++corner) {
        const std::uint16_t at = triangle->TexCoord[corner];
        if (at >= model.TexCoords.size()) throw std::runtime_error("A triangle names texture coordinate " + std::to_string(at) + ", which the model lacks.");
        // Pictures go to OpenGL top row first; models count V from the bottom.
        out.TexCoords.push_back(model.TexCoords[at].U);
        out.TexCoords.push_back(1.0f - model.TexCoords[at].V);
      }
    out.Positions.reserve(drawn.size() * 9 * model.Frames.size());
    out.Normals.reserve(out.Positions.capacity());
    for (int frame = 0; frame < mesh.FrameCount; ++frame) {
      if (progress)
        progress((static_cast<long long>(mesh.FrameCount) * actor + frame) * static_cast<long long>(model.Triangles.size()), total);
      const std::vector<model3d::TVertex3D>& vertices = model.Frames[static_cast<std::size_t>(frame)];
      for (const model3d::TTriangle3D* triangle : drawn) {
        const model3d::TVertex3D& a = VertexOf(vertices, triangle->Vertex[0]);
        const model3d::TVertex3D& b = VertexOf(vertices, triangle->Vertex[1]);
        const model3d::TVertex3D& c = VertexOf(vertices, triangle->Vertex[2]);
        const Vector normal = PlaneNormal(a, b, c);
        for (const model3d::TVertex3D* corner : {&a, &b, &c}) {
          Append(out.Positions, corner->X, corner->Y, corner->Z);
          Append(out.Normals, normal.X, normal.Y, normal.Z);
        }
      }
    }
  }
  for (const model3d::TSequence3D& sequence : model.Sequences) {
    const auto packed = static_cast<std::uint32_t>(sequence.Packed);
    ActorAnimation animation;
    animation.Name = sequence.Name;
    animation.StartFrame = static_cast<int>(packed & 0xFFFF);
    animation.EndFrame = animation.StartFrame + static_cast<int>((packed >> 16) & 0xFF) - 1;
    const int rate = static_cast<int>(packed >> 24);
    animation.Rate = rate == 0 ? 20 : rate;
    mesh.Animations.push_back(animation);
  }
  if (progress) progress(total, total);
  return mesh;
}

int FrameInterval(const ActorAnimation& animation) { return 1000 / (animation.Rate > 0 ? animation.Rate : 20); }

}  // namespace preview
