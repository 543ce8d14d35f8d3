#include "unrealpkg/MeshObjExport.h"

#include <charconv>
#include <map>
#include <vector>

#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

struct Corner {
  std::int64_t vertex;
  std::int64_t texCoord;
};

class ObjText {
public:
  void Line(const char* tag, double a, double b) { Numbers(tag, {a, b}); }
  void Line(const char* tag, double a, double b, double c) { Numbers(tag, {a, b, c}); }
  void Raw(const std::string& line) { text_ += line + '\n'; }
  void Face(const std::array<Corner, 3>& corners) {
    text_ += 'f';
    for (const Corner& c : corners) text_ += ' ' + std::to_string(c.vertex + 1) + '/' + std::to_string(c.texCoord + 1);
    text_ += '\n';
  }
  std::string Take() { return std::move(text_); }

private:
  void Numbers(const char* tag, std::initializer_list<double> values) {
    text_ += tag;
    for (const double value : values) {
      char buffer[32];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7).ptr;
      text_ += ' ';
      text_.append(buffer, end);
    }
    text_ += '\n';
  }

  std::string text_;
};

double TexU(std::uint8_t u) { return u / 255.0; }
double TexV(std::uint8_t v) { return 1.0 - v / 255.0; }

void CheckFrame(const TUTObjectClassMesh& mesh, int frame, int frameCount) {
  if (frame < 0 || frame >= frameCount)
    throw ReadError("Frame " + std::to_string(frame) + " is outside the " + std::to_string(frameCount) +
                    " frames of " + mesh.ObjectName());
}

}  // namespace

std::string MeshToObj(const TUTObjectClassMesh& mesh, int frame) {
  ObjText obj;
  obj.Raw("# " + mesh.FullPath() + " (" + mesh.ClassName() + "), frame " + std::to_string(frame));
  obj.Raw("o " + mesh.ObjectName());
  // Faces by skin slot, in stored order within each slot.
  std::map<std::int32_t, std::vector<std::array<Corner, 3>>> groups;

  if (const auto* lod = dynamic_cast<const TUTObjectClassLodMesh*>(&mesh)) {
    const auto* skeletal = dynamic_cast<const TUTObjectClassSkeletalMesh*>(&mesh);
    const std::int64_t special = lod->SpecialVertexCount();
    if (skeletal) {
      CheckFrame(mesh, frame, 1);
      for (int i = 0; i < skeletal->PointCount(); ++i) {
        const TUT_Struct_Vector& p = skeletal->GetPoint(i);
        obj.Line("v", p.X, p.Y, p.Z);
      }
    } else {
      CheckFrame(mesh, frame, lod->FrameCount());
      const std::int64_t first = std::int64_t{frame} * lod->FrameVertexCount();
      for (std::int64_t i = 0; i < lod->FrameVertexCount(); ++i) {
        const TUT_Struct_Vector& v = lod->GetVertex(first + i);
        obj.Line("v", v.X, v.Y, v.Z);
      }
    }
    const std::int64_t vertexCount = skeletal ? skeletal->PointCount() : lod->FrameVertexCount();
    for (int w = 0; w < lod->WedgeCount(); ++w) {
      const TUT_Struct_Wedge& wedge = lod->GetWedge(w);
      if (special + wedge.VertexIndex >= vertexCount)
        throw ReadError("Wedge " + std::to_string(w) + " of " + mesh.ObjectName() + " names vertex " +
                        std::to_string(special + wedge.VertexIndex) + " of " + std::to_string(vertexCount));
      obj.Line("vt", TexU(wedge.U), TexV(wedge.V));
    }
    for (int f = 0; f < lod->FaceCount(); ++f) {
      const TUT_Struct_Face& face = lod->GetFace(f);
      std::array<Corner, 3> corners{};
      for (int c = 0; c < 3; ++c) {
        const TUT_Struct_Wedge& wedge = lod->GetWedge(face.WedgeIndex[c]);
        corners[c] = {special + wedge.VertexIndex, face.WedgeIndex[c]};
      }
      groups[lod->GetMaterial(face.MaterialIndex).TextureIndex].push_back(corners);
    }
  } else {
    CheckFrame(mesh, frame, mesh.FrameCount());
    const std::int64_t first = std::int64_t{frame} * mesh.FrameVertexCount();
    for (std::int64_t i = 0; i < mesh.FrameVertexCount(); ++i) {
      const TUT_Struct_Vector& v = mesh.GetVertex(first + i);
      obj.Line("v", v.X, v.Y, v.Z);
    }
    std::int64_t texCoord = 0;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
      const TUT_Struct_Triangle& triangle = mesh.GetTriangle(t);
      std::array<Corner, 3> corners{};
      for (int c = 0; c < 3; ++c) {
        if (triangle.VertexIndex[c] < 0 || triangle.VertexIndex[c] >= mesh.FrameVertexCount())
          throw ReadError("Triangle " + std::to_string(t) + " of " + mesh.ObjectName() + " names vertex " +
                          std::to_string(triangle.VertexIndex[c]) + " of " + std::to_string(mesh.FrameVertexCount()));
        obj.Line("vt", TexU(triangle.Tex[c].U), TexV(triangle.Tex[c].V));
        corners[c] = {triangle.VertexIndex[c], texCoord++};
      }
      groups[triangle.TextureIndex].push_back(corners);
    }
  }

  for (const auto& [skin, faces] : groups) {
    obj.Raw("g Skin" + std::to_string(skin));
    obj.Raw("usemtl Skin" + std::to_string(skin));
    for (const auto& corners : faces) obj.Face(corners);
  }
  return obj.Take();
}

}  // namespace unrealpkg
