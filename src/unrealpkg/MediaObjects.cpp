#include "unrealpkg/MediaObjects.h"

#include "unrealpkg/CheckedIndex.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

constexpr std::size_t FontCharacterBytes = 16;
constexpr std::size_t VectorBytes = 12;
// Vertex count, four vectors, flags, five one-byte indexes and the two pans.
constexpr std::size_t MinPolygonBytes = 1 + 4 * VectorBytes + 4 + 5 + 4;

// A compact-index length and that many bytes, left where they lie.
std::span<const std::uint8_t> TakeCountedBytes(ByteReader& in) {
  const std::int32_t size = in.ReadCount(1);
  return {in.Take(static_cast<std::size_t>(size)), static_cast<std::size_t>(size)};
}

TUT_Struct_Polygon ReadPolygon(ByteReader& in) {
  TUT_Struct_Polygon polygon;
  const std::int32_t vertexCount = in.ReadCount(VectorBytes);
  polygon.Base = ReadVector(in);
  polygon.Normal = ReadVector(in);
  polygon.TextureU = ReadVector(in);
  polygon.TextureV = ReadVector(in);
  polygon.Vertices.resize(static_cast<std::size_t>(vertexCount));
  for (TUT_Struct_Vector& vertex : polygon.Vertices) vertex = ReadVector(in);
  polygon.PolyFlags = in.ReadInt32();
  polygon.Actor = in.ReadIndex();
  polygon.Texture = in.ReadIndex();
  polygon.ItemName = in.ReadIndex();
  polygon.iLink = in.ReadIndex();
  polygon.iBrushPoly = in.ReadIndex();
  polygon.PanU = static_cast<std::int16_t>(in.ReadWord());
  polygon.PanV = static_cast<std::int16_t>(in.ReadWord());
  return polygon;
}

}  // namespace

const TUTFontCharacter& TUTObjectClassFont::GetCharacter(std::int64_t index) const {
  return CheckedElement(characters_, index, "Character", "characters", *this);
}

void TUTObjectClassFont::Reset() {
  characters_.clear();
  TUTObject::Reset();
}

void TUTObjectClassFont::FreeData() {
  characters_.clear();
  TUTObject::FreeData();
}

void TUTObjectClassFont::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  const std::uint8_t pages = in.ReadByte();
  for (int page = 0; page < pages; ++page) {
    const std::int32_t texture = in.ReadIndex();
    const std::int32_t count = in.ReadCount(FontCharacterBytes);
    const std::uint8_t* p = in.Take(static_cast<std::size_t>(count) * FontCharacterBytes);
    characters_.reserve(characters_.size() + static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i, p += FontCharacterBytes)
      characters_.push_back({texture, static_cast<std::int32_t>(LoadUInt32(p)),
                             static_cast<std::int32_t>(LoadUInt32(p + 4)), static_cast<std::int32_t>(LoadUInt32(p + 8)),
                             static_cast<std::int32_t>(LoadUInt32(p + 12))});
  }
}

void TUTMediaObject::Reset() {
  formatName_.clear();
  bytes_ = {};
  TUTObject::Reset();
}

void TUTMediaObject::FreeData() {
  formatName_.clear();
  bytes_ = {};
  TUTObject::FreeData();
}

void TUTMediaObject::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  formatName_ = Package().NameAt(in.ReadIndex());
  if (Version() >= 63) in.ReadInt32();  // file offset of the data's end
  if (!in.AtEnd()) bytes_ = TakeCountedBytes(in);
}

void TUTObjectClassTextBuffer::Reset() {
  pos_ = top_ = 0;
  text_.clear();
  TUTObject::Reset();
}

void TUTObjectClassTextBuffer::FreeData() {
  pos_ = top_ = 0;
  text_.clear();
  TUTObject::FreeData();
}

void TUTObjectClassTextBuffer::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  pos_ = in.ReadInt32();
  top_ = in.ReadInt32();
  text_ = in.ReadSizedText();
}

const TUT_Struct_Polygon& TUTObjectClassPolys::GetPolygon(std::int64_t index) const {
  return CheckedElement(polygons_, index, "Polygon", "polygons", *this);
}

void TUTObjectClassPolys::Reset() {
  polygons_.clear();
  TUTObject::Reset();
}

void TUTObjectClassPolys::FreeData() {
  polygons_.clear();
  TUTObject::FreeData();
}

void TUTObjectClassPolys::Parse() {
  TUTObject::Parse();
  ByteReader& in = Stream();
  in.ReadInt32();
  const std::int32_t count = in.ReadInt32();
  in.CheckCount(count, MinPolygonBytes);
  polygons_.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) polygons_.push_back(ReadPolygon(in));
}

}  // namespace unrealpkg
