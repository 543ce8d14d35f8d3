#include "support/ExternalModelFiles.h"

#include "unrealpkg/ByteWriter.h"

namespace externalfiles {

namespace {

// Writes chunks whose lengths are patched in when they close.
class ChunkWriter {
public:
  explicit ChunkWriter(std::vector<std::size_t>* lengthFields) : lengthFields_(lengthFields) {}

  unrealpkg::ByteWriter& Out() { return out_; }

  template <class Body>
  void Chunk(std::uint16_t id, Body body) {
    const std::size_t start = out_.Size();
    out_.WriteWord(id);
    out_.WriteUInt32(0);
    if (lengthFields_) lengthFields_->push_back(start + 2);
    body();
    out_.PatchInt32(start + 2, static_cast<std::int32_t>(out_.Size() - start));
  }

private:
  unrealpkg::ByteWriter out_;
  std::vector<std::size_t>* lengthFields_;
};

}  // namespace

std::vector<std::uint8_t> Unreal3DData(std::uint16_t vertexCount, const std::vector<Unreal3DTriangle>& triangles) {
  unrealpkg::ByteWriter out;
  out.WriteWord(static_cast<std::uint16_t>(triangles.size()));
  out.WriteWord(vertexCount);
  for (int i = 0; i < 44; ++i) out.WriteByte(0);
  for (const Unreal3DTriangle& t : triangles) {
    for (const std::uint16_t v : t.Vertex) out.WriteWord(v);
    out.WriteByte(t.Type);
    out.WriteByte(0);
    for (const std::uint8_t uv : t.UV) out.WriteByte(uv);
    out.WriteByte(t.Texture);
    out.WriteByte(0);
  }
  return out.Bytes();
}

std::vector<std::uint8_t> Unreal3DAnimation(std::uint16_t frameCount,
                                            const std::vector<std::vector<std::uint32_t>>& frames) {
  unrealpkg::ByteWriter out;
  out.WriteWord(frameCount);
  out.WriteWord(static_cast<std::uint16_t>(frames.empty() ? 0 : frames.front().size() * 4));
  for (const auto& frame : frames)
    for (const std::uint32_t packed : frame) out.WriteUInt32(packed);
  return out.Bytes();
}

std::vector<std::uint8_t> Studio3DS(std::uint32_t release, const std::vector<Studio3DSMesh>& meshes,
                                    std::vector<std::size_t>* lengthFields) {
  ChunkWriter w(lengthFields);
  unrealpkg::ByteWriter& out = w.Out();
  w.Chunk(0x4D4D, [&] {
    w.Chunk(0x0002, [&] { out.WriteUInt32(release); });
    w.Chunk(0x3D3D, [&] {
      for (std::size_t m = 0; m < meshes.size(); ++m) {
        const Studio3DSMesh& mesh = meshes[m];
        w.Chunk(0x4000, [&] {
          out.WriteZeroText("Object" + std::to_string(m));
          w.Chunk(0x4100, [&] {
            w.Chunk(0x4110, [&] {
              out.WriteWord(static_cast<std::uint16_t>(mesh.Vertices.size()));
              for (const auto& v : mesh.Vertices) {
                out.WriteFloat(v.X);
                out.WriteFloat(v.Y);
                out.WriteFloat(v.Z);
              }
            });
            w.Chunk(0x4140, [&] {
              out.WriteWord(static_cast<std::uint16_t>(mesh.TexVertices.size()));
              for (const auto& t : mesh.TexVertices) {
                out.WriteFloat(t.U);
                out.WriteFloat(t.V);
              }
            });
            w.Chunk(0x4120, [&] {
              out.WriteWord(static_cast<std::uint16_t>(mesh.Faces.size()));
              for (const auto& face : mesh.Faces) {
                for (const std::uint16_t corner : face) out.WriteWord(corner);
                out.WriteWord(7);
              }
              for (const Studio3DSGroup& group : mesh.Groups)
                w.Chunk(0x4130, [&] {
                  out.WriteZeroText(group.Name);
                  out.WriteWord(static_cast<std::uint16_t>(group.Faces.size()));
                  for (const std::uint16_t face : group.Faces) out.WriteWord(face);
                });
            });
          });
        });
      }
    });
  });
  return out.Bytes();
}

std::vector<std::uint8_t> MilkShape(const std::vector<model3d::TVertex3D>& vertices,
                                    const std::vector<MilkShapeTriangle>& triangles,
                                    const std::vector<MilkShapeGroup>& groups,
                                    const std::vector<std::string>& materials, std::int32_t totalFrames) {
  unrealpkg::ByteWriter out;
  out.WriteBytes("MS3D000000", 10);
  out.WriteInt32(4);
  out.WriteWord(static_cast<std::uint16_t>(vertices.size()));
  for (const auto& v : vertices) {
    out.WriteByte(0);
    out.WriteFloat(v.X);
    out.WriteFloat(v.Y);
    out.WriteFloat(v.Z);
    out.WriteByte(0xFF);
    out.WriteByte(1);
  }
  out.WriteWord(static_cast<std::uint16_t>(triangles.size()));
  for (const MilkShapeTriangle& t : triangles) {
    out.WriteWord(0);
    for (const std::uint16_t v : t.Vertex) out.WriteWord(v);
    for (int i = 0; i < 9; ++i) out.WriteFloat(9.0f);
    for (const float s : t.S) out.WriteFloat(s);
    for (const float tv : t.T) out.WriteFloat(tv);
    out.WriteByte(1);
    out.WriteByte(0);
  }
  out.WriteWord(static_cast<std::uint16_t>(groups.size()));
  for (const MilkShapeGroup& g : groups) {
    out.WriteByte(0);
    const char name[32] = "group";
    out.WriteBytes(name, sizeof name);
    out.WriteWord(static_cast<std::uint16_t>(g.Triangles.size()));
    for (const std::uint16_t t : g.Triangles) out.WriteWord(t);
    out.WriteByte(static_cast<std::uint8_t>(g.Material));
  }
  out.WriteWord(static_cast<std::uint16_t>(materials.size()));
  for (const std::string& material : materials) {
    std::vector<std::uint8_t> record(361, 0x41);
    for (std::size_t i = 0; i < 32; ++i) record[i] = i < material.size() ? static_cast<std::uint8_t>(material[i]) : 0;
    out.WriteBytes(record.data(), record.size());
  }
  out.WriteFloat(24.0f);
  out.WriteFloat(1.0f);
  out.WriteInt32(totalFrames);
  return out.Bytes();
}

std::string Painter3DSample(const std::string& newline) {
  const std::string lines = R"(Voodoo Ascii File
TriM first {
Coor {
Vect 0, 0, 0
Vect 1, 0, 0
Vect 0, 1, 0
}
UVCo {
Vect 0.5, 0.5, 0
}
MshT {
CNUV 1, 1, 1
CNUV 2, 1, 1
CNUV 3, 1, 1
}
}
TriM second {
  Coor {
    Vect 1.5, -2.25, 3
    Vect 4,5,6
    Vect 7, 8, 9
    Vect 10, 11, 12
  }
  UVCo {
    Vect 0.75, 0.75, 0
    Vect 0.1, 0.2, 0
    Vect 0.6, 0.1, 0
    Vect 0.25, 0.75, 0
  }
  MshT {
    CNUV 1, 1, 1
    CNUV 2, 1, 2
    CNUV 3, 1, 3
  }
  MshT {
    CNUV 2, 1, 2
    CNUV 3, 1, 3
    CNUV 4, 1, 4
  }
  MshT {
    CNUV 3, 1, 3
    CNUV 4, 1, 4
    CNUV 1, 1, 1
  }
  MshT {
    CNUV 4, 1, 4
    CNUV 1, 1, 1
    CNUV 2, 1, 2
  }
}
)";
  std::string text;
  for (const char c : lines) text += c == '\n' ? newline : std::string(1, c);
  return text;
}

}  // namespace externalfiles
