#include "support/MeshPackage.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "support/ScriptFixtures.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/MeshObjects.h"

namespace testsupport {

namespace {

using unrealpkg::ByteWriter;
using unrealpkg::PackageWriter;
using unrealpkg::PropertyTagWriter;
using unrealpkg::TUT_Struct_Vector;

// Public, standalone, loaded by client, server and editor.
constexpr std::uint32_t ObjectFlags = 0x000F0004;
constexpr int TextureSide = 4;
constexpr std::uint8_t TextureBits = 2;

// One object's data, with the fields the package writer turns into file positions.
struct ObjectData {
  ByteWriter Out;
  std::vector<std::size_t> OffsetFields;

  // Before an array it may skip on loading, the engine stores the file position of the array's end.
  template <class Body>
  void SkippableArray(bool withEnd, Body body) {
    const std::size_t field = Out.Size();
    if (withEnd) {
      OffsetFields.push_back(field);
      Out.WriteInt32(0);
    }
    body();
    if (withEnd) Out.PatchInt32(field, static_cast<std::int32_t>(Out.Size()));
  }
};

template <class T, class WriteOne>
void WriteList(ByteWriter& out, const std::vector<T>& list, WriteOne writeOne) {
  out.WriteIndex(static_cast<std::int32_t>(list.size()));
  for (const T& element : list) writeOne(element);
}

void WriteWord(ByteWriter& out, std::int32_t value) { out.WriteWord(static_cast<std::uint16_t>(value)); }

void WriteVector(ByteWriter& out, const TUT_Struct_Vector& v) {
  out.WriteFloat(v.X);
  out.WriteFloat(v.Y);
  out.WriteFloat(v.Z);
}

// X and Y lie on a grid of 1/8 from -127.875 to 128, Z on a grid of 1/4 from -127.75 to 128;
// other values go to the nearest point of the grid.
std::uint32_t PackVertex(const MeshVertex& v) {
  const auto axis = [](float value, float steps, int bits) {
    const long half = 1L << (bits - 1);
    const float scaled = std::clamp(value * steps, static_cast<float>(1 - half), static_cast<float>(half));
    const long step = std::lround(scaled);
    return static_cast<std::uint32_t>(step < 0 ? step + 2 * half : step);
  };
  return axis(v.X, 8, 11) | axis(v.Y, 8, 11) << 11 | axis(v.Z, 4, 10) << 22;
}

struct Bounds {
  TUT_Struct_Vector Min;
  TUT_Struct_Vector Max;
  bool Valid = false;

  void Add(const TUT_Struct_Vector& v) {
    if (!Valid) {
      Min = Max = v;
      Valid = true;
      return;
    }
    Min = {std::min(Min.X, v.X), std::min(Min.Y, v.Y), std::min(Min.Z, v.Z)};
    Max = {std::max(Max.X, v.X), std::max(Max.Y, v.Y), std::max(Max.Z, v.Z)};
  }

  void WriteBox(ByteWriter& out) const {
    WriteVector(out, Min);
    WriteVector(out, Max);
    out.WriteByte(Valid ? 1 : 0);
  }

  // Around the box's centre; the radius exists from version 62 on.
  void WriteSphere(ByteWriter& out, std::uint16_t version) const {
    const TUT_Struct_Vector centre{(Min.X + Max.X) / 2, (Min.Y + Max.Y) / 2, (Min.Z + Max.Z) / 2};
    WriteVector(out, centre);
    if (version >= 62) out.WriteFloat(std::hypot(Max.X - centre.X, Max.Y - centre.Y, Max.Z - centre.Z));
  }
};

struct Connections {
  std::vector<std::pair<std::int32_t, std::int32_t>> PerVertex;  // triangle count, first link
  std::vector<std::int32_t> Links;
};

// The triangles around each vertex of a frame.
Connections Connect(const std::vector<MeshTriangle>& triangles, std::size_t frameVerts) {
  Connections result;
  if (triangles.empty()) return result;
  for (std::size_t v = 0; v < frameVerts; ++v) {
    const auto first = static_cast<std::int32_t>(result.Links.size());
    for (std::size_t t = 0; t < triangles.size(); ++t)
      if (std::ranges::find(triangles[t].Vertex, static_cast<std::int32_t>(v)) != triangles[t].Vertex.end())
        result.Links.push_back(static_cast<std::int32_t>(t));
    result.PerVertex.emplace_back(static_cast<std::int32_t>(result.Links.size()) - first, first);
  }
  return result;
}

void WriteMeshPart(PackageWriter& writer, ObjectData& d, const MeshSpec& spec, std::size_t frameVerts) {
  const std::uint16_t version = writer.Version;
  const bool withEnds = version >= 62;
  ByteWriter& out = d.Out;
  std::vector<std::uint32_t> packed;
  Bounds all;
  std::vector<Bounds> frames(spec.Frames.size());
  for (std::size_t f = 0; f < spec.Frames.size(); ++f)
    for (const MeshVertex& v : spec.Frames[f]) {
      packed.push_back(PackVertex(v));
      const TUT_Struct_Vector stored = unrealpkg::UnpackVertex4(packed.back());
      frames[f].Add(stored);
      all.Add(stored);
    }
  std::int32_t andFlags = spec.Triangles.empty() && spec.Materials.empty() ? 0 : ~0;
  std::int32_t orFlags = 0;
  const auto addFlags = [&](std::int32_t flags) {
    andFlags &= flags;
    orFlags |= flags;
  };
  for (const MeshTriangle& t : spec.Triangles) addFlags(t.PolyFlags);
  for (const MeshMaterial& m : spec.Materials) addFlags(m.PolyFlags);
  const Connections connections = Connect(spec.Triangles, frameVerts);

  all.WriteBox(out);
  all.WriteSphere(out, version);
  d.SkippableArray(withEnds, [&] {
    WriteList(out, packed, [&](std::uint32_t vertex) { out.WriteUInt32(vertex); });
  });
  d.SkippableArray(withEnds, [&] {
    WriteList(out, spec.Triangles, [&](const MeshTriangle& t) {
      for (const std::int32_t vertex : t.Vertex) WriteWord(out, vertex);
      for (const auto& uv : t.UV) out.WriteBytes(uv.data(), uv.size());
      out.WriteInt32(t.PolyFlags);
      out.WriteInt32(t.TextureIndex);
    });
  });
  WriteList(out, spec.Sequences, [&](const MeshSequence& s) {
    out.WriteIndex(writer.AddName(s.Name));
    out.WriteIndex(writer.AddName("None"));
    out.WriteInt32(s.StartFrame);
    out.WriteInt32(s.NumFrames);
    out.WriteIndex(0);
    out.WriteFloat(s.Rate);
  });
  d.SkippableArray(withEnds, [&] {
    WriteList(out, connections.PerVertex, [&](const auto& c) {
      out.WriteInt32(c.first);
      out.WriteInt32(c.second);
    });
  });
  all.WriteBox(out);
  all.WriteSphere(out, version);
  d.SkippableArray(withEnds, [&] { WriteList(out, connections.Links, [&](std::int32_t t) { out.WriteInt32(t); }); });
  WriteList(out, spec.Textures, [&](std::int32_t texture) { out.WriteIndex(texture); });
  WriteList(out, frames, [&](const Bounds& b) { b.WriteBox(out); });
  WriteList(out, frames, [&](const Bounds& b) { b.WriteSphere(out, version); });
  out.WriteInt32(static_cast<std::int32_t>(frameVerts));
  out.WriteInt32(static_cast<std::int32_t>(spec.Frames.size()));
  out.WriteInt32(andFlags);
  out.WriteInt32(orFlags);
  WriteVector(out, {1, 1, 1});
  WriteVector(out, {});
  for (int i = 0; i < 3; ++i) out.WriteInt32(0);  // rotation origin
  out.WriteInt32(0);                               // current polygon
  out.WriteInt32(0);                               // current vertex
  if (version >= 66) WriteList(out, spec.Textures, [&](std::int32_t) { out.WriteFloat(1); });
  if (version == 65) out.WriteFloat(1);
}

void WriteFaces(ByteWriter& out, const std::vector<MeshFace>& faces) {
  WriteList(out, faces, [&](const MeshFace& f) {
    for (const std::int32_t wedge : f.Wedge) WriteWord(out, wedge);
    WriteWord(out, f.Material);
  });
}

// Collapse points, face levels, collapse wedges and vertex remapping are left empty:
// the mesh has one level of detail.
void WriteLodPart(ByteWriter& out, const MeshSpec& spec, std::size_t frameVerts) {
  out.WriteIndex(0);
  out.WriteIndex(0);
  WriteFaces(out, spec.Faces);
  out.WriteIndex(0);
  WriteList(out, spec.Wedges, [&](const MeshWedge& w) {
    WriteWord(out, w.Vertex);
    out.WriteByte(w.U);
    out.WriteByte(w.V);
  });
  WriteList(out, spec.Materials, [&](const MeshMaterial& m) {
    out.WriteInt32(m.PolyFlags);
    out.WriteInt32(m.TextureIndex);
  });
  // The special vertices make the weapon triangles.
  std::vector<MeshFace> special;
  for (std::int32_t v = 0; v + 2 < spec.SpecialVerts; v += 3) special.push_back({{v, v + 1, v + 2}, 0});
  WriteFaces(out, special);
  out.WriteInt32(static_cast<std::int32_t>(frameVerts) - spec.SpecialVerts);
  out.WriteInt32(spec.SpecialVerts);
  for (const float value : {1.0f, 0.0f, 1.0f}) out.WriteFloat(value);  // scale max, hysteresis, strength
  out.WriteInt32(10);                                                  // fewest vertices
  out.WriteFloat(0.3f);                                                // morph
  out.WriteFloat(0);                                                   // z displacement
  out.WriteIndex(0);
  out.WriteInt32(static_cast<std::int32_t>(frameVerts));
}

// One root bone and no weights: the reference pose is the points themselves.
void WriteSkeletalPart(PackageWriter& writer, ByteWriter& out, const MeshSpec& spec) {
  WriteList(out, spec.Wedges, [&](const MeshWedge& w) {
    WriteWord(out, w.Vertex);
    out.WriteWord(0);
    out.WriteFloat(static_cast<float>(w.U) / 255);
    out.WriteFloat(static_cast<float>(w.V) / 255);
  });
  WriteList(out, spec.Points, [&](const MeshVertex& p) { WriteVector(out, {p.X, p.Y, p.Z}); });
  out.WriteIndex(1);
  out.WriteIndex(writer.AddName("Root"));
  out.WriteInt32(0);
  for (const float value : {0.0f, 0.0f, 0.0f, 1.0f}) out.WriteFloat(value);  // orientation
  WriteVector(out, {});
  for (const float value : {1.0f, 0.0f, 0.0f, 0.0f}) out.WriteFloat(value);  // length and sizes
  out.WriteInt32(0);                                                         // children
  out.WriteInt32(0);                                                         // the root is its own parent
  for (int list = 0; list < 3; ++list) out.WriteIndex(0);                    // weight indexes, weights, local points
  out.WriteInt32(1);   // skeletal depth
  out.WriteIndex(0);   // no default animation
  out.WriteInt32(0);   // weapon bone
  for (const TUT_Struct_Vector& axis : {TUT_Struct_Vector{}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}) WriteVector(out, axis);
}

void WriteFile(const std::filesystem::path& path, const char* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary);
  file.write(data, static_cast<std::streamsize>(size));
  if (!file) throw std::runtime_error("Cannot write " + path.string());
}

}  // namespace

MeshPackage::MeshPackage(std::string packageName, std::uint16_t version) : name_(std::move(packageName)) {
  writer_.Version = version;
}

std::int32_t MeshPackage::AddMesh(const MeshSpec& spec) { return AddMeshObject(MeshKind::Mesh, spec); }
std::int32_t MeshPackage::AddLodMesh(const MeshSpec& spec) { return AddMeshObject(MeshKind::LodMesh, spec); }
std::int32_t MeshPackage::AddSkeletalMesh(const MeshSpec& spec) { return AddMeshObject(MeshKind::SkeletalMesh, spec); }

std::int32_t MeshPackage::AddMeshObject(MeshKind kind, const MeshSpec& spec) {
  const std::size_t frameVerts = spec.Frames.empty() ? 0 : spec.Frames.front().size();
  for (const auto& frame : spec.Frames)
    if (frame.size() != frameVerts) throw std::invalid_argument("The frames of " + spec.Name + " differ in size");
  ObjectData d;
  d.Out.WriteIndex(writer_.AddName("None"));
  WriteMeshPart(writer_, d, spec, frameVerts);
  if (kind != MeshKind::Mesh) WriteLodPart(d.Out, spec, frameVerts);
  if (kind == MeshKind::SkeletalMesh) WriteSkeletalPart(writer_, d.Out, spec);
  static constexpr std::string_view ClassNames[] = {"Mesh", "LodMesh", "SkeletalMesh"};
  return writer_.AddExport({ClassImport("Engine", ClassNames[static_cast<int>(kind)]), 0, 0,
                            writer_.AddName(spec.Name), ObjectFlags, std::move(d.Out.Bytes()),
                            std::move(d.OffsetFields)});
}

std::int32_t MeshPackage::AddTexture(std::string_view name) {
  ByteWriter palette;
  palette.WriteIndex(writer_.AddName("None"));
  palette.WriteIndex(256);
  for (int i = 0; i < 256; ++i)
    for (const int channel : {i, 255 - i, i / 2, 255}) palette.WriteByte(static_cast<std::uint8_t>(channel));
  const std::int32_t paletteRef = writer_.AddExport({ClassImport("Engine", "Palette"), 0, 0,
                                                     writer_.AddName(std::string(name) + "Palette"), ObjectFlags,
                                                     std::move(palette.Bytes()), {}});

  ObjectData d;
  PropertyTagWriter tags(writer_, d.Out);
  tags.Object("Palette", paletteRef).Byte("UBits", TextureBits).Byte("VBits", TextureBits);
  for (const char* size : {"USize", "VSize", "UClamp", "VClamp"}) tags.Int(size, TextureSide);
  tags.End();
  d.Out.WriteByte(1);
  d.SkippableArray(writer_.Version >= 63, [&] {
    d.Out.WriteIndex(TextureSide * TextureSide);
    for (int i = 0; i < TextureSide * TextureSide; ++i) d.Out.WriteByte(static_cast<std::uint8_t>(i * 16));
  });
  d.Out.WriteInt32(TextureSide);
  d.Out.WriteInt32(TextureSide);
  d.Out.WriteByte(TextureBits);
  d.Out.WriteByte(TextureBits);
  return writer_.AddExport({ClassImport("Engine", "Texture"), 0, 0, writer_.AddName(name), ObjectFlags,
                            std::move(d.Out.Bytes()), std::move(d.OffsetFields)});
}

std::int32_t MeshPackage::Import(std::string_view classPackage, std::string_view className, std::int32_t packageRef,
                                 std::string_view objectName) {
  const unrealpkg::PackageWriterImport wanted{writer_.AddName(classPackage), writer_.AddName(className), packageRef,
                                              writer_.AddName(objectName)};
  for (std::size_t i = 0; i < writer_.Imports.size(); ++i) {
    const auto& known = writer_.Imports[i];
    if (known.ClassPackage == wanted.ClassPackage && known.ClassName == wanted.ClassName &&
        known.PackageRef == wanted.PackageRef && known.ObjectName == wanted.ObjectName)
      return -static_cast<std::int32_t>(i + 1);
  }
  writer_.Imports.push_back(wanted);
  return -static_cast<std::int32_t>(writer_.Imports.size());
}

std::int32_t MeshPackage::ClassImport(std::string_view package, std::string_view className) {
  return Import("Core", "Class", Import("Core", "Package", 0, package), className);
}

std::int32_t MeshPackage::ImportObject(std::string_view package, std::string_view className,
                                       std::string_view objectName) {
  // Classes and packages are Core's classes; what a mesh package refers to otherwise is Engine's.
  const std::string_view classPackage = className == "Class" || className == "Package" ? "Core" : "Engine";
  return Import(classPackage, className, Import("Core", "Package", 0, package), objectName);
}

std::int32_t MeshPackage::AddClassExport(std::string_view name, std::int32_t super,
                                         const std::function<void(PropertyTagWriter&)>& defaults) {
  static const std::vector<std::uint8_t> script{0x04, 0x0B};  // return;
  std::vector<std::uint8_t> data =
      ScriptFixtures(writer_).Class(super, 0, defaults, script, static_cast<std::int32_t>(script.size()));
  return writer_.AddExport({0, super, 0, writer_.AddName(name), ObjectFlags, std::move(data), {}});
}

std::int32_t MeshPackage::AddPlayerClass(const PlayerClassSpec& spec) {
  if (spec.Listed) playerClasses_.emplace_back(spec.Name, spec.Description);
  const std::size_t dot = spec.Extends.find('.');
  std::int32_t parent = 0;
  if (dot != std::string::npos) {
    parent = ClassImport(spec.Extends.substr(0, dot), spec.Extends.substr(dot + 1));
  } else {
    for (std::size_t i = 0; i < writer_.Exports.size() && parent == 0; ++i)
      if (writer_.Exports[i].ClassRef == 0 && writer_.Names[static_cast<std::size_t>(writer_.Exports[i].ObjectName)].Text == spec.Extends)
        parent = static_cast<std::int32_t>(i + 1);
    if (parent == 0) throw std::logic_error("No class " + spec.Extends + " to extend");
  }
  return AddClassExport(spec.Name, parent, [&](PropertyTagWriter& tags) {
    if (spec.Mesh != 0) tags.Object("Mesh", spec.Mesh);
    if (spec.MenuName) tags.Str("MenuName", *spec.MenuName);
    for (const auto& [name, value] : {std::pair{"FaceSkin", spec.FaceSkin}, std::pair{"TeamSkin1", spec.TeamSkin1},
                                      std::pair{"TeamSkin2", spec.TeamSkin2}, std::pair{"FixedSkin", spec.FixedSkin}})
      if (value) tags.Byte(name, *value);
    if (spec.TeamSkin) tags.Str("TeamSkin", *spec.TeamSkin);
    if (spec.MultiSkinned) tags.Bool("bIsMultiSkinned", *spec.MultiSkinned);
    if (spec.DefaultSkinName) tags.Str("DefaultSkinName", *spec.DefaultSkinName);
  });
}

void MeshPackage::AddSkinInfo(const SkinInfoSpec& spec) {
  AddClassExport(name_ + "SkinInfo", ClassImport("AdvancedModelSupport", "SkinInfo"), [&](PropertyTagWriter& tags) {
    if (spec.TalkTextureID) tags.Str("TalkTextureID", *spec.TalkTextureID);
    if (spec.HighestSkinNumber) tags.Int("HighestSkinNumber", *spec.HighestSkinNumber);
    if (spec.RelaxedSkinRules) tags.Bool("bRelaxedSkinRules", *spec.RelaxedSkinRules);
    if (spec.OldTextureNames) tags.Int("OldTextureNames", *spec.OldTextureNames);
    // A Boolean tag has no room for an element index; integer elements read back as the same truth values.
    for (const auto& [name, values] : {std::pair{"ChangesWithTeam", &spec.ChangesWithTeam},
                                       std::pair{"ChangesWithFace", &spec.ChangesWithFace}})
      for (int i = 0; i < 4; ++i)
        if (const auto value = (*values)[static_cast<std::size_t>(i)]) tags.Int(name, *value ? 1 : 0, i);
  });
}

std::vector<std::uint8_t> MeshPackage::Build() const { return writer_.Build(); }

void MeshPackage::Write(const std::filesystem::path& dir) const {
  const std::vector<std::uint8_t> bytes = Build();
  WriteFile(dir / (name_ + ".u"), reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (playerClasses_.empty()) return;
  std::string text = "[Public]\r\n";
  for (const auto& [className, description] : playerClasses_)
    text += "Object=(Name=" + name_ + "." + className +
            ",Class=Class,MetaClass=Botpack.TournamentPlayer,Description=\"" + description + "\")\r\n";
  WriteFile(dir / (name_ + ".int"), text.data(), text.size());
}

}  // namespace testsupport
