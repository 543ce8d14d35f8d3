#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "support/TestHelpers.h"
#include "ObjectFixture.h"
#include "raster/BmpFile.h"
#include "unrealpkg/TextureDecoding.h"
#include "unrealpkg/TextureObjects.h"

namespace {

using namespace unrealpkg;
using fixture::FixturePackage;
using fixture::ObjectBytes;
using fixture::Probe;
using Rgb = std::array<int, 3>;

struct Level {
  std::int32_t USize = 0;
  std::int32_t VSize = 0;
  std::vector<std::uint8_t> Pixels{};
  // Moves the stored data end away from the end of the pixels.
  std::int32_t DataEndDelta = 0;
};

struct TextureLayout {
  std::int32_t Palette = 0;
  std::uint8_t Format = TextureFormatP8;
  std::vector<Level> Mips{};
  // Set for a second, compressed chain ("bHasComp").
  std::optional<std::uint8_t> CompFormat{};
  std::vector<Level> CompressedMips{};
};

std::uint8_t Log2(std::int32_t size) {
  return size > 0 ? static_cast<std::uint8_t>(std::bit_width(static_cast<unsigned>(size)) - 1) : 0;
}

void WriteChain(ObjectBytes& d, std::uint16_t version, const std::vector<Level>& levels) {
  d.WriteByte(static_cast<std::uint8_t>(levels.size()));
  for (const Level& level : levels) {
    std::size_t endField = 0;
    if (version >= 63) endField = d.OffsetField();
    d.WriteIndex(static_cast<std::int32_t>(level.Pixels.size()));
    d.WriteBytes(level.Pixels.data(), level.Pixels.size());
    if (version >= 63) d.PatchInt32(endField, static_cast<std::int32_t>(d.Size()) + level.DataEndDelta);
    d.WriteInt32(level.USize);
    d.WriteInt32(level.VSize);
    d.WriteByte(Log2(level.USize));
    d.WriteByte(Log2(level.VSize));
  }
}

ObjectBytes TextureData(FixturePackage& package, const TextureLayout& layout) {
  ObjectBytes d(package);
  if (layout.Format != TextureFormatP8) d.ByteProperty("Format", layout.Format);
  if (layout.Palette != 0) d.ObjectProperty("Palette", layout.Palette);
  if (layout.CompFormat) {
    d.BoolProperty("bHasComp", true);
    d.ByteProperty("CompFormat", *layout.CompFormat);
  }
  d.EndProperties();
  WriteChain(d, package.Version(), layout.Mips);
  if (layout.CompFormat) WriteChain(d, package.Version(), layout.CompressedMips);
  return d;
}

std::int32_t AddPalette(FixturePackage& package, const std::vector<TUTColor>& colours) {
  ObjectBytes d(package);
  d.EndProperties();
  d.WriteIndex(static_cast<std::int32_t>(colours.size()));
  for (const TUTColor& c : colours) {
    for (const std::uint8_t channel : {c.R, c.G, c.B, c.A}) d.WriteByte(channel);
  }
  return package.Add("Palette", "Colours", d);
}

template <class Reader = TUTObjectClassTexture>
Reader& ReaderOf(TUTPackage& package, std::int32_t reference) {
  return dynamic_cast<Reader&>(package.GetExport(reference - 1)->Object());
}

Rgb PixelAt(const raster::Bitmap& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.Row(y) + x * 3;
  return {p[2], p[1], p[0]};
}

std::vector<std::uint8_t> Block(std::uint16_t c0, std::uint16_t c1, std::array<std::uint8_t, 4> rows) {
  return {static_cast<std::uint8_t>(c0), static_cast<std::uint8_t>(c0 >> 8), static_cast<std::uint8_t>(c1),
          static_cast<std::uint8_t>(c1 >> 8), rows[0], rows[1], rows[2], rows[3]};
}

std::vector<std::uint8_t> Joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

constexpr std::uint16_t Red565 = 0xF800;
constexpr std::uint16_t Blue565 = 0x001F;
// Row byte giving the four pixels of a block row the colours 0, 1, 2 and 3.
constexpr std::uint8_t AllFourColours = 0b11100100;

TEST(TextureObjects, PalettedTextureAndPaletteRoundTripAtEveryVersion) {
  const Level mip0{4, 2, {0, 1, 2, 0, 2, 2, 1, 0}};
  raster::Bitmap expected(4, 2, raster::PixelFormat::Indexed8);
  expected.Pixels() = mip0.Pixels;
  expected.Palette() = {{255, 0, 0, 0}, {0, 128, 0, 0}, {1, 2, 3, 0}};
  expected.Palette().resize(256);
  for (std::uint16_t version = 61; version <= 69; ++version) {
    SCOPED_TRACE(version);
    FixturePackage package(version);
    const std::int32_t palette = AddPalette(package, {{255, 0, 0, 10}, {0, 128, 0, 20}, {1, 2, 3, 255}});
    const std::int32_t texture =
        package.Add("Texture", "Skin", TextureData(package, {.Palette = palette, .Mips = {mip0, {2, 1, {1, 2}}}}));
    const auto opened = package.Open();
    auto& reader = ReaderOf(*opened, texture);
    auto& paletteReader = ReaderOf<TUTObjectClassPalette>(*opened, palette);
    {
      TUTObjectUse use(reader);
      TUTObjectUse paletteUse(paletteReader);
      ASSERT_EQ(reader.MipCount(), 2);
      EXPECT_EQ(reader.CompressedMipCount(), 0);
      const TUTMipmap& record = reader.GetMip(0);
      EXPECT_EQ(std::tuple(record.USize, record.VSize, record.UBits, record.VBits, record.DataSize),
                std::tuple(4, 2, 2, 1, 8));
      EXPECT_EQ(reader.MipBitmap(0), expected);
      EXPECT_EQ(reader.MipBitmap(1).Pixels(), (std::vector<std::uint8_t>{1, 2}));
      EXPECT_EQ(paletteReader.GetColor(2).A, 255);

      EXPECT_THROW(reader.GetMip(-1), ReadError);
      EXPECT_THROW(reader.MipBitmap(2), ReadError);
      EXPECT_THROW(reader.CompressedMipBitmap(0), ReadError);
      EXPECT_THROW(paletteReader.GetColor(3), ReadError);
    }
    // Released, the texture holds no levels to decode.
    EXPECT_THROW(reader.MipBitmap(0), ReadError);
  }
}

TEST(TextureObjects, CompressedChainDecodesDxt1BlocksWithTheWorkedColours) {
  FixturePackage package(69);
  const Level wide{8, 4, Joined({Block(Red565, Blue565, {AllFourColours, 0, 0, 0}),
                                 Block(Blue565, Red565, {AllFourColours, 0, 0, 0})})};
  // Index 2 in the top-left corner; the other fifteen pixels lie outside a 1x1 bitmap.
  const Level single{1, 1, Block(Red565, Blue565, {0xFE, 0xFF, 0xFF, 0xFF})};
  // 6 div 4 and 5 div 4 give one block: pixels beyond it stay black.
  const Level uneven{6, 5, Block(Red565, Blue565, {0x55, 0x55, 0x55, 0x55})};
  const std::int32_t texture = package.Add(
      "Texture", "Packed",
      TextureData(package, {.Palette = package.Import("Palette", "Elsewhere"),
                            .Mips = {{2, 2, {0, 1, 2, 3}}},
                            .CompFormat = TextureFormatDxt1,
                            .CompressedMips = {wide, single, uneven}}));
  const auto opened = package.Open();
  auto& reader = ReaderOf(*opened, texture);
  TUTObjectUse use(reader);

  // A palette imported from another package gives an 8-bit bitmap without colours.
  const raster::Bitmap paletted = reader.MipBitmap(0);
  EXPECT_EQ(paletted.Format(), raster::PixelFormat::Indexed8);
  EXPECT_TRUE(paletted.Palette().empty());
  EXPECT_EQ(paletted.Pixels(), (std::vector<std::uint8_t>{0, 1, 2, 3}));

  ASSERT_EQ(reader.CompressedMipCount(), 3);
  const raster::Bitmap first = reader.CompressedMipBitmap(0);
  ASSERT_EQ(first.Format(), raster::PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(first, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(first, 1, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelAt(first, 2, 0), (Rgb{170, 0, 85}));
  EXPECT_EQ(PixelAt(first, 3, 0), (Rgb{85, 0, 170}));
  EXPECT_EQ(PixelAt(first, 0, 3), (Rgb{255, 0, 0}));
  // c0 <= c1: colour 2 is the average and colour 3 black.
  EXPECT_EQ(PixelAt(first, 6, 0), (Rgb{127, 0, 127}));
  EXPECT_EQ(PixelAt(first, 7, 0), (Rgb{0, 0, 0}));

  const raster::Bitmap tiny = reader.CompressedMipBitmap(1);
  ASSERT_EQ(tiny.Pixels().size(), 3u);
  EXPECT_EQ(PixelAt(tiny, 0, 0), (Rgb{170, 0, 85}));
  const raster::Bitmap odd = reader.CompressedMipBitmap(2);
  EXPECT_EQ(PixelAt(odd, 3, 3), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelAt(odd, 4, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(odd, 0, 4), (Rgb{0, 0, 0}));

  testsupport::TempDir dir;
  reader.SaveCompressedMipToFile(0, dir / "packed.bmp");
  EXPECT_EQ(testsupport::ReadFile(dir / "packed.bmp"), raster::EncodeBmp(first));
}

TEST(TextureObjects, OtherFormatsSkipTheirDataOrDecodeTheColourHalfOfSixteenByteBlocks) {
  FixturePackage package(69);
  // An alpha half, then a colour block whose c0 <= c1 still takes four colours.
  const std::vector<std::uint8_t> blocks16 = Joined(
      {{0x01, 0x00, 0x49, 0x92, 0x24, 0x49, 0x92, 0x24}, Block(Blue565, Red565, {AllFourColours, 0, 0, 0})});
  const std::int32_t texture = package.Add(
      "Texture", "Mixed",
      TextureData(package, {.Format = 5,
                            .Mips = {{2, 2, std::vector<std::uint8_t>(16, 0xAB)}, {1, 1, {1, 2, 3, 4}}},
                            .CompFormat = TextureFormatDxt5,
                            .CompressedMips = {{4, 4, blocks16}}}));
  const auto opened = package.Open();
  auto& reader = ReaderOf(*opened, texture);
  TUTObjectUse use(reader);

  ASSERT_EQ(reader.MipCount(), 2);
  EXPECT_EQ(reader.GetMip(1).USize, 1);
  EXPECT_EQ(reader.MipBitmap(0), raster::Bitmap(2, 2, raster::PixelFormat::Bgr24));
  const raster::Bitmap blocks = reader.CompressedMipBitmap(0);
  EXPECT_EQ(PixelAt(blocks, 0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelAt(blocks, 1, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(blocks, 2, 0), (Rgb{85, 0, 170}));
  EXPECT_EQ(PixelAt(blocks, 3, 0), (Rgb{170, 0, 85}));
}

TEST(TextureObjects, HostileLevelsFailToParse) {
  const std::vector<std::pair<const char*, TextureLayout>> cases = {
      {"negative width", {.Mips = {{-1, 4, {}}}}},
      {"paletted data shorter than the level", {.Mips = {{4, 4, std::vector<std::uint8_t>(15)}}}},
      {"blocks beyond the data",
       {.CompFormat = TextureFormatDxt1, .CompressedMips = {{8, 8, std::vector<std::uint8_t>(24)}}}},
      {"procedural level too large", {.Mips = {{4097, 1, {}}}}},
      {"undecoded level too large", {.Format = 5, .Mips = {{5000, 1, std::vector<std::uint8_t>(16)}}}},
      {"data end after the pixels", {.Mips = {{2, 2, std::vector<std::uint8_t>(4), 3}}}},
      {"data end before the pixels", {.Mips = {{2, 2, std::vector<std::uint8_t>(4), -100}}}},
      {"data end outside the object", {.Mips = {{2, 2, std::vector<std::uint8_t>(4), 100000}}}},
  };
  FixturePackage package(69);
  std::vector<std::int32_t> textures;
  for (const auto& [what, layout] : cases)
    textures.push_back(package.Add("Texture", what, TextureData(package, layout)));
  const std::int32_t largest = package.Add("Texture", "Largest", TextureData(package, {.Mips = {{4096, 4096, {}}}}));
  const auto opened = package.Open();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].first);
    EXPECT_THROW({ TUTObjectUse use(ReaderOf(*opened, textures[i])); }, ReadError);
  }
  auto& reader = ReaderOf(*opened, largest);
  TUTObjectUse use(reader);
  EXPECT_EQ(reader.GetMip(0).VSize, 4096);
}

TEST(TextureObjects, TruncatedOrBitFlippedTexturesFailCleanly) {
  FixturePackage package(69);
  const std::int32_t palette = AddPalette(package, {{1, 2, 3, 4}, {5, 6, 7, 8}});
  const ObjectBytes original =
      TextureData(package, {.Palette = palette,
                            .Mips = {{4, 4, std::vector<std::uint8_t>(16, 1)}, {2, 2, {0, 1, 1, 0}}},
                            .CompFormat = TextureFormatDxt1,
                            .CompressedMips = {{4, 4, Block(Red565, Blue565, {1, 2, 3, 4})}}});
  std::vector<std::int32_t> truncated;
  std::vector<std::int32_t> flipped;
  for (std::size_t length = 1; length < original.Size(); ++length) {
    ObjectBytes d = original;
    d.Bytes().resize(length);
    std::erase_if(d.OffsetFields, [length](std::size_t field) { return field + 4 > length; });
    truncated.push_back(package.Add("Texture", "Truncated", d));
  }
  for (std::size_t bit = 0; bit < original.Size() * 8; ++bit) {
    ObjectBytes d = original;
    d.Bytes()[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    flipped.push_back(package.Add("Texture", "Flipped", d));
  }
  const auto opened = package.Open();
  TUTPackageLock lock(*opened);

  for (const std::int32_t texture : truncated) {
    SCOPED_TRACE(texture);
    EXPECT_THROW({ TUTObjectUse use(ReaderOf(*opened, texture)); }, ReadError);
  }
  // A flip may leave a valid texture; anything else must be a ReadError.
  for (const std::int32_t texture : flipped) {
    auto& reader = ReaderOf(*opened, texture);
    try {
      TUTObjectUse use(reader);
      for (int i = 0; i < reader.MipCount(); ++i) reader.MipBitmap(i);
      for (int i = 0; i < reader.CompressedMipCount(); ++i) reader.CompressedMipBitmap(i);
    } catch (const ReadError&) {
    }
  }
}

// Real packages.

const std::set<std::string, std::less<>> TextureFamily = {"Texture",      "FireTexture", "IceTexture",
                                                          "WaterTexture", "WaveTexture", "WetTexture",
                                                          "ScriptedTexture"};

// Reads a texture with a reader that notes where its parse stopped.
template <class Reader>
std::unique_ptr<TUTObjectClassTexture> ReadProbed(TUTPackage& package, int exportIndex, std::size_t& end) {
  auto reader = std::make_unique<Probe<Reader>>(package, exportIndex);
  reader->ReadObject();
  end = reader->End;
  return reader;
}

void ExpectDecodes(const TUTMipmap& mip, const raster::Bitmap& bitmap, std::int32_t format) {
  EXPECT_EQ(bitmap.Width(), mip.USize);
  EXPECT_EQ(bitmap.Height(), mip.VSize);
  EXPECT_EQ(bitmap.Format(), format == TextureFormatP8 ? raster::PixelFormat::Indexed8 : raster::PixelFormat::Bgr24);
}

TEST(TextureCorpus, EveryTextureParsesExactlyAndEveryLevelDecodes) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  const std::map<std::string, int> expectedCounts = {
      {"Male1Skins.utx", 7}, {"BossSkins.utx", 22}, {"GothSkins.utx", 12}, {"tskmskins.utx", 53},
      {"Faces.utx", 18},     {"ArenaTex.utx", 12},  {"NivenFX.utx", 7},    {"TrenchesFX.utx", 14},
      {"AlfaFX.utx", 3},     {"Palettes.utx", 80},  {"Engine.u", 32},      {"epiccustommodels.u", 10},
      {"relics.u", 17},      {"C4.u", 27},          {"HeadHunter.u", 2},   {"Endemia.u", 161},
      {"tnalimeshskins.utx", 8}, {"tcowmeshskins.utx", 10}};
  std::map<std::string, int> counts;
  int proceduralLevels = 0;
  for (const auto& path : testsupport::CorpusPackages()) {
    TUTPackage package(path);
    TUTPackageLock lock(package);
    for (int i = 0; i < package.ExportCount(); ++i) {
      const std::string className = package.GetExport(i)->ClassName();
      if (!TextureFamily.contains(className)) continue;
      SCOPED_TRACE(path.filename().string() + " " + package.GetExport(i)->ObjectName());
      ASSERT_NE(dynamic_cast<TUTObjectClassTexture*>(&package.GetExport(i)->Object()), nullptr);
      ++counts[path.filename().string()];
      std::size_t end = 0;
      const auto texture = className == "FireTexture" ? ReadProbed<TUTObjectClassFireTexture>(package, i, end)
                                                      : ReadProbed<TUTObjectClassTexture>(package, i, end);
      EXPECT_EQ(end, texture->Data().size());
      EXPECT_GT(texture->MipCount(), 0);
      for (int m = 0; m < texture->MipCount(); ++m) {
        ExpectDecodes(texture->GetMip(m), texture->MipBitmap(m), texture->Format());
        if (texture->GetMip(m).DataSize == 0) ++proceduralLevels;
      }
      for (int m = 0; m < texture->CompressedMipCount(); ++m)
        ExpectDecodes(texture->GetCompressedMip(m), texture->CompressedMipBitmap(m), texture->CompFormat());
      texture->Release();
    }
  }
  EXPECT_EQ(counts, expectedCounts);
  // The fire and wet textures of AlfaFX and NivenFX: one level each, with no pixels stored.
  EXPECT_EQ(proceduralLevels, 9);
}

std::vector<TUTObjectClassTexture*> TexturesOf(TUTPackage& package) {
  std::vector<TUTObjectClassTexture*> textures;
  for (int i = 0; i < package.ExportCount(); ++i)
    if (auto* texture = dynamic_cast<TUTObjectClassTexture*>(&package.GetExport(i)->Object()))
      textures.push_back(texture);
  return textures;
}

TEST(TextureCorpus, StockSkinsMatchTheRawBytesOfTheFile) {
  const auto path = testsupport::CorpusFile("ut-server/Textures/Male1Skins.utx");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(path));
  const std::vector<std::uint8_t> file = testsupport::ReadFile(path);
  TUTPackage package(path);
  ASSERT_EQ(package.Version(), 61);
  const auto textures = TexturesOf(package);
  ASSERT_EQ(textures.size(), 7u);
  for (TUTObjectClassTexture* texture : textures) {
    SCOPED_TRACE(texture->ObjectName());
    TUTObjectUse use(*texture);
    ASSERT_EQ(texture->MipCount(), 9);
    for (int m = 0; m < 9; ++m) {
      EXPECT_EQ(texture->GetMip(m).USize, 256 >> m);
      EXPECT_EQ(texture->GetMip(m).VBits, 8 - m);
    }
    const raster::Bitmap bitmap = texture->MipBitmap(0);
    const auto start =
        file.begin() + texture->SerialOffset() + static_cast<std::ptrdiff_t>(texture->GetMip(0).DataStart);
    EXPECT_TRUE(std::equal(bitmap.Pixels().begin(), bitmap.Pixels().end(), start));
    // The palette's colours are the last 1024 bytes of its data.
    const TUTExportTableObjectData& palette = *package.GetExport(texture->PaletteRef() - 1);
    const std::uint8_t* colours = file.data() + palette.SerialOffset + palette.SerialSize - 1024;
    for (std::size_t c = 0; c < 256; ++c)
      ASSERT_EQ(bitmap.Palette()[c], (raster::PaletteEntry{colours[4 * c], colours[4 * c + 1], colours[4 * c + 2], 0}));
  }
  testsupport::TempDir dir;
  TUTObjectUse use(*textures[0]);
  textures[0]->SaveMipToFile(8, dir / "mip8.bmp");
  EXPECT_EQ(testsupport::ReadFile(dir / "mip8.bmp"), raster::EncodeBmp(textures[0]->MipBitmap(8)));
}

// Mean difference per channel between the top compressed level and the top
// paletted level, leaving out palette index 0 where it is see-through.
double MeanDifference(TUTObjectClassTexture& texture, bool skipIndexZero) {
  const raster::Bitmap paletted = texture.MipBitmap(0);
  const raster::Bitmap colour = paletted.ToBgr24();
  const raster::Bitmap compressed = texture.CompressedMipBitmap(0);
  EXPECT_EQ(compressed.Pixels().size(), colour.Pixels().size());
  double total = 0;
  std::size_t counted = 0;
  for (std::size_t i = 0; i < paletted.Pixels().size(); ++i) {
    if (skipIndexZero && paletted.Pixels()[i] == 0) continue;
    for (std::size_t c = 3 * i; c < 3 * i + 3; ++c) total += std::abs(colour.Pixels()[c] - compressed.Pixels()[c]);
    counted += 3;
  }
  return counted ? total / static_cast<double>(counted) : 0.0;
}

TEST(TextureCorpus, CompressedChainsShowThePictureOfThePalettedOne) {
  const auto bonus = testsupport::CorpusFile("ut-server/Textures/tskmskins.utx");
  const auto patched = testsupport::CorpusFile("ut99mods/System/C4.u");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(bonus) && std::filesystem::exists(patched));

  TUTPackage dxt1(bonus);
  int compressed = 0;
  for (TUTObjectClassTexture* texture : TexturesOf(dxt1)) {
    TUTObjectUse use(*texture);
    if (texture->CompressedMipCount() == 0) continue;
    SCOPED_TRACE(texture->ObjectName());
    ++compressed;
    EXPECT_EQ(texture->CompFormat(), TextureFormatDxt1);
    EXPECT_EQ(texture->CompressedMipCount(), 9);
    EXPECT_EQ(texture->GetCompressedMip(0).DataSize, 32768);
    EXPECT_LT(MeanDifference(*texture, false), 6.0);
  }
  EXPECT_EQ(compressed, 3);

  // warr1's first block, by hand from its bytes 9D EF 9E F7 AA AA AA AA: c0 = 0xEF9D is
  // (29, 60, 29), c1 = 0xF79E is (30, 60, 30); expanded (239, 243, 239) and (247, 243, 247).
  // c0 <= c1, so index 2, which every pixel takes (0xAA), is their average.
  TUTObjectClassTexture& warr1 = dynamic_cast<TUTObjectClassTexture&>(dxt1.GetExport(dxt1.FindExport("warr1", "Texture"))->Object());
  TUTObjectUse useWarr1(warr1);
  const std::uint8_t* block = warr1.Data().data() + warr1.GetCompressedMip(0).DataStart;
  EXPECT_EQ(std::vector<std::uint8_t>(block, block + 8), (std::vector<std::uint8_t>{0x9D, 0xEF, 0x9E, 0xF7, 0xAA, 0xAA, 0xAA, 0xAA}));
  const raster::Bitmap decoded = warr1.CompressedMipBitmap(0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(decoded, x, y), (Rgb{243, 243, 243})) << x << "," << y;

  // Masked textures: index 0 is see-through, so its colour in the blocks is arbitrary.
  TUTPackage dxt5(patched);
  const auto textures = TexturesOf(dxt5);
  ASSERT_EQ(textures.size(), 27u);
  for (TUTObjectClassTexture* texture : textures) {
    SCOPED_TRACE(texture->ObjectName());
    TUTObjectUse use(*texture);
    const TUTMipmap& top = texture->GetCompressedMip(0);
    EXPECT_EQ(texture->CompFormat(), TextureFormatDxt5);
    EXPECT_EQ(top.DataSize, top.USize * top.VSize);
    EXPECT_LT(MeanDifference(*texture, true), 6.0);
  }
}

}  // namespace
