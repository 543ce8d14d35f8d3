// Writes the sample texture package the program ships with: two procedurally
// drawn 8-bit textures with their palette and full mipmap chains, in a group,
// laid out as the game's own texture packages are.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>

#include "platform/AtomicFile.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/PropertyTagWriter.h"

using namespace unrealpkg;

namespace {

constexpr int Size = 128;

// Palette index of a pixel at (x, y) of a texture `size` wide, drawn at full size.
using Drawing = std::function<std::uint8_t(double x, double y)>;

std::vector<std::uint8_t> WarmPalette() {
  ByteWriter out;
  for (int i = 0; i < 256; ++i) {
    out.WriteByte(static_cast<std::uint8_t>(std::min(255, i * 2)));
    out.WriteByte(static_cast<std::uint8_t>(i));
    out.WriteByte(static_cast<std::uint8_t>(std::max(0, i * 2 - 255)));
    out.WriteByte(0xFF);
  }
  return out.Bytes();
}

std::vector<std::uint8_t> TextureData(PackageWriter& package, std::int32_t palette, const Drawing& draw,
                                      std::vector<std::size_t>& offsetFields) {
  ByteWriter out;
  const std::uint8_t bits = static_cast<std::uint8_t>(std::log2(Size));
  PropertyTagWriter(package, out)
      .Object("Palette", palette)
      .Byte("UBits", bits)
      .Byte("VBits", bits)
      .Int("USize", Size)
      .Int("VSize", Size)
      .Int("UClamp", Size)
      .Int("VClamp", Size)
      .Struct("MipZero", "Color", {128, 64, 0, 0})
      .Struct("MaxColor", "Color", {255, 255, 255, 255})
      .End();
  out.WriteByte(static_cast<std::uint8_t>(bits + 1));
  for (int size = Size; size >= 1; size /= 2) {
    const std::size_t endField = out.Size();
    offsetFields.push_back(endField);
    out.WriteInt32(0);
    out.WriteIndex(size * size);
    const double scale = static_cast<double>(Size) / size;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) out.WriteByte(draw((x + 0.5) * scale, (y + 0.5) * scale));
    out.PatchInt32(endField, static_cast<std::int32_t>(out.Size()));
    out.WriteInt32(size);
    out.WriteInt32(size);
    const auto levelBits = static_cast<std::uint8_t>(std::log2(size));
    out.WriteByte(levelBits);
    out.WriteByte(levelBits);
  }
  return out.Bytes();
}

std::uint8_t Face(double x, double y) {
  const double dx = x - Size / 2.0, dy = y - Size / 2.0;
  const double r = std::sqrt(dx * dx + dy * dy);
  const bool eye = std::hypot(std::abs(dx) - 22, dy + 14) < 9;
  const bool mouth = dy > 18 && dy < 26 && std::abs(dx) < 28;
  if (r > 60 || eye || mouth) return 20;
  return static_cast<std::uint8_t>(120 + 100 * (1 - r / 60));
}

std::uint8_t Body(double x, double y) {
  const bool stripe = static_cast<int>((x + y) / 16) % 2 == 0;
  return static_cast<std::uint8_t>((stripe ? 200 : 90) + static_cast<int>(y / Size * 40));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: marbelle-sample OUTFILE.utx\n");
    return 1;
  }
  try {
    PackageWriter package;
    package.Guid = {0x4D, 0x61, 0x72, 0x62, 0x65, 0x6C, 0x6C, 0x65, 0x53, 0x61, 0x6D, 0x70, 0x6C, 0x65, 0x30, 0x31};
    package.AddName("MarbelleSample");
    const std::int32_t core = package.AddImport("Core", "Package", 0, "Core");
    const std::int32_t engine = package.AddImport("Core", "Package", 0, "Engine");
    const std::int32_t packageClass = package.AddImport("Core", "Class", core, "Package");
    const std::int32_t textureClass = package.AddImport("Core", "Class", engine, "Texture");
    const std::int32_t paletteClass = package.AddImport("Core", "Class", engine, "Palette");
    ByteWriter none;
    none.WriteIndex(package.AddName("None"));
    const std::int32_t group = package.AddExport({packageClass, 0, 0, package.AddName("Skins"), 0x00070004, none.Bytes(), {}});
    ByteWriter palette = none;
    palette.WriteIndex(256);
    const auto colours = WarmPalette();
    palette.WriteBytes(colours.data(), colours.size());
    const std::int32_t paletteRef =
        package.AddExport({paletteClass, 0, group, package.AddName("Palette1"), 0x00070004, palette.Bytes(), {}});
    for (const auto& [name, drawing] : {std::pair<const char*, Drawing>{"Face", Face}, {"Body", Body}}) {
      PackageWriterExport texture{textureClass, 0, group, package.AddName(name), 0x000F0004, {}, {}};
      texture.Data = TextureData(package, paletteRef, drawing, texture.OffsetFields);
      package.AddExport(std::move(texture));
    }
    const std::filesystem::path path = argv[1];
    std::filesystem::create_directories(path.parent_path());
    const std::vector<std::uint8_t> bytes = package.Build();
    platform::WriteFileAtomically(path, bytes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marbelle-sample: %s\n", e.what());
    return 1;
  }
  return 0;
}
