#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/MeshStructs.h"
#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

// One character of a font: the page texture (an object reference) and its cell.
struct TUTFontCharacter {
  std::int32_t Texture = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t W = 0;
  std::int32_t H = 0;
};

// A font: every page's characters in one list, in reading order.
class TUTObjectClassFont : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassFont";
  using TUTObject::TUTObject;

  int CharacterCount() const { return static_cast<int>(characters_.size()); }
  const TUTFontCharacter& GetCharacter(std::int64_t index) const;

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<TUTFontCharacter> characters_;
};

// Sound and music share one layout: a format name, from version 63 the file
// offset where the data ends, then the data. The bytes stay in the object's
// data and are valid while the object is read. Server installations strip the
// data: such an object ends at its skip position, or holds no bytes, and reads
// as an object without data.
class TUTMediaObject : public TUTObject {
public:
  using TUTObject::TUTObject;

  const std::string& FormatName() const { return formatName_; }
  bool Stripped() const { return bytes_.empty(); }

protected:
  std::span<const std::uint8_t> Bytes() const { return bytes_; }
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::string formatName_;
  std::span<const std::uint8_t> bytes_;
};

class TUTObjectClassSound : public TUTMediaObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassSound";
  using TUTMediaObject::TUTMediaObject;

  std::span<const std::uint8_t> SoundData() const { return Bytes(); }
};

class TUTObjectClassMusic : public TUTMediaObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassMusic";
  using TUTMediaObject::TUTMediaObject;

  std::span<const std::uint8_t> MusicData() const { return Bytes(); }
};

// Script source text with the editor's cursor and top-line positions.
class TUTObjectClassTextBuffer : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassTextBuffer";
  using TUTObject::TUTObject;

  std::int32_t Pos() const { return pos_; }
  std::int32_t Top() const { return top_; }
  const std::string& Text() const { return text_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::int32_t pos_ = 0;
  std::int32_t top_ = 0;
  std::string text_;
};

struct TUT_Struct_Polygon {
  TUT_Struct_Vector Base;
  TUT_Struct_Vector Normal;
  TUT_Struct_Vector TextureU;
  TUT_Struct_Vector TextureV;
  std::vector<TUT_Struct_Vector> Vertices;
  std::int32_t PolyFlags = 0;
  // Object references, a name index and polygon indexes.
  std::int32_t Actor = 0;
  std::int32_t Texture = 0;
  std::int32_t ItemName = 0;
  std::int32_t iLink = 0;
  std::int32_t iBrushPoly = 0;
  std::int16_t PanU = 0;
  std::int16_t PanV = 0;
};

class TUTObjectClassPolys : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassPolys";
  using TUTObject::TUTObject;

  int PolygonCount() const { return static_cast<int>(polygons_.size()); }
  const TUT_Struct_Polygon& GetPolygon(std::int64_t index) const;

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<TUT_Struct_Polygon> polygons_;
};

}  // namespace unrealpkg
