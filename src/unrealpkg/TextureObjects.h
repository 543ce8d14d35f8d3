#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "raster/Bitmap.h"
#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

struct TUTColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  std::uint8_t A = 0;
};

class TUTObjectClassPalette : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassPalette";
  using TUTObject::TUTObject;

  int ColorCount() const { return static_cast<int>(colors_.size()); }
  const TUTColor& GetColor(std::int64_t index) const;

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<TUTColor> colors_;
};

// One mipmap level as stored; its pixels stay in the object's data until decoded.
struct TUTMipmap {
  std::int32_t USize = 0;
  std::int32_t VSize = 0;
  std::uint8_t UBits = 0;
  std::uint8_t VBits = 0;
  std::int32_t DataSize = 0;
  // Position of the pixel data in the object's data.
  std::size_t DataStart = 0;
};

// A texture: a chain of mipmaps and, with "bHasComp", a second chain of
// compressed ones. Parsing validates every level; pixels are decoded on request,
// while the object is read.
class TUTObjectClassTexture : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassTexture";
  using TUTObject::TUTObject;

  std::int32_t Format() const { return format_; }
  std::int32_t CompFormat() const { return compFormat_; }
  // The "palette" property: an object reference, 0 when there is none.
  std::int32_t PaletteRef() const { return paletteRef_; }

  int MipCount() const { return static_cast<int>(mips_.size()); }
  int CompressedMipCount() const { return static_cast<int>(compressedMips_.size()); }
  const TUTMipmap& GetMip(std::int64_t index) const;
  const TUTMipmap& GetCompressedMip(std::int64_t index) const;

  // 8-bit with the texture's palette for paletted data, 24-bit otherwise.
  raster::Bitmap MipBitmap(std::int64_t index);
  raster::Bitmap CompressedMipBitmap(std::int64_t index);

  // Write the level as a Windows bitmap file.
  virtual void SaveMipToFile(std::int64_t index, const std::filesystem::path& fileName);
  virtual void SaveCompressedMipToFile(std::int64_t index, const std::filesystem::path& fileName);

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::int32_t IntegerProperty(std::string_view name) const;
  void ReadMipChain(std::vector<TUTMipmap>& chain, std::int32_t format, std::string_view what);
  TUTMipmap ReadMip(std::int32_t format);
  void CheckMip(const TUTMipmap& mip, std::int32_t format) const;
  raster::Bitmap Decode(const TUTMipmap& mip, std::int32_t format);
  std::vector<raster::PaletteEntry> LoadPalette();

  std::int32_t format_ = 0;
  std::int32_t compFormat_ = 0;
  std::int32_t paletteRef_ = 0;
  std::vector<TUTMipmap> mips_;
  std::vector<TUTMipmap> compressedMips_;
};

struct TUTSpark {
  std::uint8_t Type = 0;
  std::uint8_t Heat = 0;
  std::uint8_t X = 0;
  std::uint8_t Y = 0;
  std::uint8_t XSpeed = 0;
  std::uint8_t YSpeed = 0;
  std::uint8_t Age = 0;
  std::uint8_t ExpTime = 0;
};

class TUTObjectClassFireTexture : public TUTObjectClassTexture {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassFireTexture";
  using TUTObjectClassTexture::TUTObjectClassTexture;

  int SparkCount() const { return static_cast<int>(sparks_.size()); }
  const TUTSpark& GetSpark(std::int64_t index) const;

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<TUTSpark> sparks_;
};

}  // namespace unrealpkg
