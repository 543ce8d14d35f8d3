#include "unrealpkg/TextureObjects.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "raster/BmpFile.h"
#include "unrealpkg/CheckedIndex.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureDecoding.h"

namespace unrealpkg {

namespace {

constexpr std::size_t PaletteColours = 256;
// Levels whose size no pixel data vouches for (procedural textures, formats
// that are not decoded) are bounded so a hostile size cannot allocate gigabytes.
constexpr std::int32_t MaxUnbackedSide = 4096;

// Bytes per 4x4 block of the block formats.
int BlockBytes(std::int32_t format) { return format == TextureFormatDxt1 ? 8 : 16; }

// Bytes of pixel data a level of this size and format decodes; -1 for formats
// that are not decoded.
std::int64_t PixelDataBytes(std::int64_t width, std::int64_t height, std::int32_t format) {
  switch (format) {
    case TextureFormatP8: return width * height;
    case TextureFormatDxt1:
    case TextureFormatDxt5: return BlockDataBytes(width, height, BlockBytes(format));
    default: return -1;
  }
}

std::string SizeText(const TUTMipmap& mip) {
  return std::to_string(mip.USize) + "x" + std::to_string(mip.VSize);
}

}  // namespace

const TUTColor& TUTObjectClassPalette::GetColor(std::int64_t index) const {
  return CheckedElement(colors_, index, "Colour", "colours", *this);
}

void TUTObjectClassPalette::Reset() {
  colors_.clear();
  TUTObject::Reset();
}

void TUTObjectClassPalette::FreeData() {
  colors_.clear();
  TUTObject::FreeData();
}

void TUTObjectClassPalette::Parse() {
  TUTObject::Parse();
  const std::int32_t count = Stream().ReadCount(4);
  const std::uint8_t* p = Stream().Take(static_cast<std::size_t>(count) * 4);
  colors_.resize(static_cast<std::size_t>(count));
  for (TUTColor& color : colors_) {
    color = {p[0], p[1], p[2], p[3]};
    p += 4;
  }
}

const TUTMipmap& TUTObjectClassTexture::GetMip(std::int64_t index) const {
  return CheckedElement(mips_, index, "Mipmap", "mipmaps", *this);
}

const TUTMipmap& TUTObjectClassTexture::GetCompressedMip(std::int64_t index) const {
  return CheckedElement(compressedMips_, index, "Compressed mipmap", "compressed mipmaps", *this);
}

raster::Bitmap TUTObjectClassTexture::MipBitmap(std::int64_t index) { return Decode(GetMip(index), format_); }

raster::Bitmap TUTObjectClassTexture::CompressedMipBitmap(std::int64_t index) {
  return Decode(GetCompressedMip(index), compFormat_);
}

void TUTObjectClassTexture::SaveMipToFile(std::int64_t index, const std::filesystem::path& fileName) {
  raster::SaveBmpFile(MipBitmap(index), fileName);
}

void TUTObjectClassTexture::SaveCompressedMipToFile(std::int64_t index, const std::filesystem::path& fileName) {
  raster::SaveBmpFile(CompressedMipBitmap(index), fileName);
}

void TUTObjectClassTexture::Reset() {
  format_ = compFormat_ = paletteRef_ = 0;
  mips_.clear();
  compressedMips_.clear();
  TUTObject::Reset();
}

void TUTObjectClassTexture::FreeData() {
  format_ = compFormat_ = paletteRef_ = 0;
  mips_.clear();
  compressedMips_.clear();
  TUTObject::FreeData();
}

void TUTObjectClassTexture::Parse() {
  TUTObject::Parse();
  format_ = IntegerProperty("Format");
  compFormat_ = IntegerProperty("CompFormat");
  paletteRef_ = IntegerProperty("palette");
  ReadMipChain(mips_, format_, "mipmap");
  if (IntegerProperty("bHasComp") != 0) ReadMipChain(compressedMips_, compFormat_, "compressed mipmap");
}

std::int32_t TUTObjectClassTexture::IntegerProperty(std::string_view name) const {
  try {
    return Properties().GetValueDef(name, TUTValue(0)).ToInteger();
  } catch (const std::runtime_error& e) {
    throw ReadError("Texture " + ObjectName() + ", property " + std::string(name) + ": " + e.what());
  }
}

void TUTObjectClassTexture::ReadMipChain(std::vector<TUTMipmap>& chain, std::int32_t format, std::string_view what) {
  const std::uint8_t count = Stream().ReadByte();
  chain.reserve(count);
  for (int i = 0; i < count; ++i) {
    try {
      chain.push_back(ReadMip(format));
    } catch (const ReadError& e) {
      throw ReadError("Texture " + ObjectName() + ", " + std::string(what) + " " + std::to_string(i) + ": " +
                      e.what());
    }
  }
}

TUTMipmap TUTObjectClassTexture::ReadMip(std::int32_t format) {
  ByteReader& in = Stream();
  const bool hasDataEnd = Version() >= 63;
  const std::int64_t dataEnd = hasDataEnd ? DataPosition(in.ReadInt32()) : 0;
  TUTMipmap mip;
  mip.DataSize = in.ReadCount(1);
  mip.DataStart = in.Position();
  in.Skip(static_cast<std::size_t>(mip.DataSize));
  if (hasDataEnd && dataEnd != static_cast<std::int64_t>(in.Position()))
    throw ReadError("data end " + std::to_string(dataEnd) + " does not follow the " + std::to_string(mip.DataSize) +
                    " bytes of pixel data at " + std::to_string(mip.DataStart));
  mip.USize = in.ReadInt32();
  mip.VSize = in.ReadInt32();
  mip.UBits = in.ReadByte();
  mip.VBits = in.ReadByte();
  CheckMip(mip, format);
  return mip;
}

void TUTObjectClassTexture::CheckMip(const TUTMipmap& mip, std::int32_t format) const {
  if (mip.USize < 0 || mip.VSize < 0) throw ReadError("invalid size " + SizeText(mip));
  const std::int64_t needed = PixelDataBytes(mip.USize, mip.VSize, format);
  if (mip.DataSize == 0 || needed < 0) {
    if (mip.USize > MaxUnbackedSide || mip.VSize > MaxUnbackedSide)
      throw ReadError("size " + SizeText(mip) + " is too large for a level whose pixels are not stored");
  } else if (needed > mip.DataSize) {
    throw ReadError("size " + SizeText(mip) + " of format " + std::to_string(format) + " needs " +
                    std::to_string(needed) + " bytes of pixel data, the level holds " +
                    std::to_string(mip.DataSize));
  }
}

raster::Bitmap TUTObjectClassTexture::Decode(const TUTMipmap& mip, std::int32_t format) {
  const std::uint8_t* data = Data().data() + mip.DataStart;
  const bool hasPixels = mip.DataSize > 0;
  switch (format) {
    case TextureFormatP8: {
      raster::Bitmap bitmap(mip.USize, mip.VSize, raster::PixelFormat::Indexed8);
      bitmap.Palette() = LoadPalette();
      if (hasPixels) std::copy_n(data, bitmap.Pixels().size(), bitmap.Pixels().begin());
      return bitmap;
    }
    case TextureFormatDxt1:
    case TextureFormatDxt5: {
      raster::Bitmap bitmap(mip.USize, mip.VSize, raster::PixelFormat::Bgr24);
      if (hasPixels) DecodeColourBlocks(data, BlockBytes(format), bitmap);
      return bitmap;
    }
    default:
      return raster::Bitmap(mip.USize, mip.VSize, raster::PixelFormat::Bgr24);
  }
}

std::vector<raster::PaletteEntry> TUTObjectClassTexture::LoadPalette() {
  // An imported palette lives in another package: the bitmap gets none.
  if (paletteRef_ <= 0) return {};
  TUTExportTableObjectData* entry = Package().GetExport(std::int64_t{paletteRef_} - 1);
  auto* palette = entry ? dynamic_cast<TUTObjectClassPalette*>(&entry->Object()) : nullptr;
  if (!palette)
    throw ReadError("Texture " + ObjectName() + ": palette reference " + std::to_string(paletteRef_) +
                    " is not a palette of this package");
  TUTObjectUse use(*palette);
  std::vector<raster::PaletteEntry> colours(PaletteColours);
  const std::size_t stored = std::min<std::size_t>(static_cast<std::size_t>(palette->ColorCount()), PaletteColours);
  for (std::size_t i = 0; i < stored; ++i) {
    const TUTColor& c = palette->GetColor(static_cast<std::int64_t>(i));
    colours[i] = {c.R, c.G, c.B, 0};
  }
  return colours;
}

const TUTSpark& TUTObjectClassFireTexture::GetSpark(std::int64_t index) const {
  return CheckedElement(sparks_, index, "Spark", "sparks", *this);
}

void TUTObjectClassFireTexture::Reset() {
  sparks_.clear();
  TUTObjectClassTexture::Reset();
}

void TUTObjectClassFireTexture::FreeData() {
  sparks_.clear();
  TUTObjectClassTexture::FreeData();
}

void TUTObjectClassFireTexture::Parse() {
  TUTObjectClassTexture::Parse();
  const std::int32_t count = Stream().ReadCount(8);
  const std::uint8_t* p = Stream().Take(static_cast<std::size_t>(count) * 8);
  sparks_.resize(static_cast<std::size_t>(count));
  for (TUTSpark& spark : sparks_) {
    spark = {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]};
    p += 8;
  }
}

}  // namespace unrealpkg
