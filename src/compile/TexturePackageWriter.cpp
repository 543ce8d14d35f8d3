#include "compile/TexturePackageWriter.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <random>
#include <utility>

#include "compile/CompileCancelled.h"
#include "compile/CompressedMipMaps.h"
#include "compile/ContentHash.h"
#include "compile/LocalisationFile.h"
#include "compile/MipMaps.h"
#include "compile/PaletteGeneration.h"
#include "compile/PreparedTexture.h"
#include "compile/SkinMenus.h"
#include "compile/Resample.h"
#include "compile/UniqueObjectPaths.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/ParallelFor.h"
#include "project/ProjectDocument.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/PropertyTagWriter.h"

namespace compile {

namespace {

using project::SkinNode;
using unrealpkg::ByteWriter;
using unrealpkg::PackageWriter;
using unrealpkg::PackageWriterExport;

constexpr std::uint32_t GroupFlags = 0x00070004;
constexpr std::uint32_t PaletteFlags = 0x00070004;
constexpr std::uint32_t TextureFlags = 0x000F0004;
constexpr std::int32_t LargestTime = 2147483646;

// Everything a texture needs in the package, built independently of the others.
struct CompiledTexture {
  std::string Refusal;
  int Width = 0;
  int Height = 0;
  std::vector<raster::Bitmap> Levels;
  raster::PaletteEntry Average;
  // Empty unless the project asks for high resolution and the source is larger than its section.
  std::vector<CompressedLevel> Compressed;
};

CompiledTexture CompileTexture(const project::ProjectDocument& document, const SkinNode& node) {
  const project::TObjetoTextura& texture = node.Texture();
  if (!texture.WorkingBitmap || texture.Palette.empty())
    throw std::logic_error("The palettes of " + document.FileName().string() + " are not generated");
  const model::TModeloSection& section = document.SectionOf(*node.Parent());
  PreparedTexture prepared = Prepare(*texture.WorkingBitmap);
  const int width = prepared.Picture.Width();
  const int height = prepared.Picture.Height();
  CompiledTexture compiled;
  if (document.Options().HighResolution)
    compiled.Compressed = BuildCompressedChain(prepared, section.Part.Width, section.Part.Height);
  if (auto refusal = ApplySizeRule(prepared.Picture, section.Name, section.Part)) compiled.Refusal = *refusal;
  if (!prepared.Mask.empty() && (prepared.Picture.Width() != width || prepared.Picture.Height() != height)) {
    raster::Bitmap mask(width, height, raster::PixelFormat::Indexed8);
    mask.Pixels() = prepared.Mask;
    prepared.Mask = mask.StretchNearest(prepared.Picture.Width(), prepared.Picture.Height()).Pixels();
  }
  compiled.Width = prepared.Picture.Width();
  compiled.Height = prepared.Picture.Height();
  const int levels =
      MipLevelCount(prepared.Picture, section.Part.Has(model::ONEMIPMAP), document.Options().OnlyFirstMipMap);
  const PaletteQuality quality = QualityOf(document.Options());
  compiled.Levels = BuildMipChain(prepared.Picture, texture.Palette, levels, prepared.Mask, quality);
  compiled.Average = ComputeAverageColor(prepared.Picture, texture.Palette, quality);
  return compiled;
}

std::uint8_t Log2(int size) { return static_cast<std::uint8_t>(size > 0 ? std::bit_width(static_cast<unsigned>(size)) - 1 : 0); }

class PackageBuilder {
public:
  PackageBuilder(const project::ProjectDocument& document, std::array<std::int32_t, 2> times)
      : times_(times) {
    package_.PackageFlags = document.Options().ClientOptional ? 3 : 1;
    package_.NameFlags = PackageNameFlags;
    Name(document.FileName().stem().string());
    Name("Color");
    const std::int32_t core = Import("Core", "Package", 0, "Core");
    const std::int32_t engine = Import("Core", "Package", 0, "Engine");
    packageClass_ = Import("Core", "Class", core, "Package");
    textureClass_ = Import("Core", "Class", engine, "Texture");
    paletteClass_ = Import("Core", "Class", engine, "Palette");
  }

  std::int32_t Name(const std::string& text) { return package_.AddName(text); }

  std::int32_t Group(const std::string& code) {
    const std::int32_t name = Name(code);
    ByteWriter data;
    data.WriteIndex(Name("None"));
    return package_.AddExport({packageClass_, 0, 0, name, GroupFlags, data.Bytes(), {}});
  }

  std::int32_t PaletteObject(const std::string& objectName, std::int32_t group, const Palette& palette) {
    const std::int32_t name = Name(objectName);
    ByteWriter data;
    data.WriteIndex(Name("None"));
    data.WriteIndex(256);
    for (std::size_t i = 0; i < 256; ++i) {
      const raster::PaletteEntry c = i < palette.size() ? palette[i] : raster::PaletteEntry{};
      for (const std::uint8_t byte : {c.Red, c.Green, c.Blue, std::uint8_t{0xFF}}) data.WriteByte(byte);
    }
    return package_.AddExport({paletteClass_, 0, group, name, PaletteFlags, data.Bytes(), {}});
  }

  void Texture(const std::string& objectName, std::int32_t group, std::int32_t palette, bool lodSetWorld,
               const CompiledTexture& compiled) {
    const std::int32_t name = Name(objectName);
    PackageWriterExport entry{textureClass_, 0, group, name, TextureFlags, {}, {}};
    ByteWriter data;
    unrealpkg::PropertyTagWriter tags(package_, data);
    // In the order the game's own packages with compressed levels have them.
    const bool compressed = !compiled.Compressed.empty();
    if (compressed) tags.Bool("bHasComp", true);
    if (!lodSetWorld) tags.Byte("LODSet", 2);
    if (compressed) tags.Byte("CompFormat", CompressedFormatBc1);
    tags.Object("Palette", palette)
        .Byte("UBits", Log2(compiled.Width))
        .Byte("VBits", Log2(compiled.Height))
        .Int("USize", compiled.Width)
        .Int("VSize", compiled.Height)
        .Int("UClamp", compiled.Width)
        .Int("VClamp", compiled.Height)
        .Struct("MipZero", "Color", {compiled.Average.Red, compiled.Average.Green, compiled.Average.Blue, 0})
        .Struct("MaxColor", "Color", {0xFF, 0xFF, 0xFF, 0xFF})
        .Int("InternalTime", times_[0])
        .Int("InternalTime", times_[1], 1)
        .End();
    // Each chain: its level count, then per level the offset past its pixels,
    // their count, the pixels, the size and its log2.
    const auto level = [&](int width, int height, const std::vector<std::uint8_t>& pixels) {
      const std::size_t endField = data.Size();
      entry.OffsetFields.push_back(endField);
      data.WriteInt32(0);
      data.WriteIndex(static_cast<std::int32_t>(pixels.size()));
      data.WriteBytes(pixels.data(), pixels.size());
      data.PatchInt32(endField, static_cast<std::int32_t>(data.Size()));
      data.WriteInt32(width);
      data.WriteInt32(height);
      data.WriteByte(Log2(width));
      data.WriteByte(Log2(height));
    };
    data.WriteByte(static_cast<std::uint8_t>(compiled.Levels.size()));
    for (const raster::Bitmap& bitmap : compiled.Levels) level(bitmap.Width(), bitmap.Height(), bitmap.Pixels());
    if (compressed) {
      data.WriteByte(static_cast<std::uint8_t>(compiled.Compressed.size()));
      for (const CompressedLevel& bc1 : compiled.Compressed) level(bc1.Width, bc1.Height, bc1.Blocks);
    }
    entry.Data = std::move(data.Bytes());
    package_.AddExport(std::move(entry));
  }

  PackageWriter& Package() { return package_; }

private:
  std::int32_t Import(const char* classPackage, const char* className, std::int32_t packageRef, const char* objectName) {
    package_.Imports.push_back({Name(classPackage), Name(className), packageRef, Name(objectName)});
    return -static_cast<std::int32_t>(package_.Imports.size());
  }

  std::array<std::int32_t, 2> times_;
  PackageWriter package_;
  std::int32_t packageClass_ = 0;
  std::int32_t textureClass_ = 0;
  std::int32_t paletteClass_ = 0;
};

// Fresh values at every compilation, or values that depend on the project alone.
void ChooseIdentity(const project::ProjectDocument& document, bool reproducible, unrealpkg::TUTGuid& guid,
                    std::array<std::int32_t, 2>& times) {
  std::mt19937_64 random;
  if (reproducible) {
    ContentHash hash;
    hash.Add(document.FileText());
    for (const SkinNode* node : project::TextureNodes(document.Root())) {
      hash.Add(node->Texture().WorkingKey);
      hash.Add(node->Texture().Palette.data(), node->Texture().Palette.size() * sizeof(raster::PaletteEntry));
    }
    random.seed(hash.Value());
  } else {
    std::random_device device;
    random.seed((static_cast<std::uint64_t>(device()) << 32) ^ device());
  }
  std::uniform_int_distribution<std::int32_t> time(0, LargestTime);
  times = {time(random), time(random)};
  for (std::uint8_t& byte : guid) byte = static_cast<std::uint8_t>(random() >> 56);
}

void CheckTexturesPresent(const project::ProjectDocument& document) {
  for (const SkinNode* node : project::TextureNodes(document.Root()))
    if (node->Texture().Missing())
      throw std::runtime_error("Cannot compile " + document.FileName().string() + ": the texture " +
                               node->Skin()->Caption() + "/" + node->Parent()->Caption() + "/" + node->Caption() +
                               " has no picture: its file " + node->Texture().FileName.string() + " is not found.");
}

}  // namespace

std::uint32_t PackageNameFlags(std::string_view name) {
  std::uint32_t flags = 0x00070010;
  for (const char* special : {"None", "Color", "Package", "Class"})
    if (name == special) flags |= 0x400;
  for (const char* special : {"None", "Color", "Core", "Engine", "Package", "Class", "Texture"})
    if (name == special) flags |= 0x04000000;
  return flags;
}

TexturePackage BuildTexturePackage(const project::ProjectDocument& document, const CompileSettings& settings,
                                   const std::stop_token& stop) {
  CheckTexturesPresent(document);
  CheckUniqueObjectPaths(document);
  const std::vector<const SkinNode*> textures = project::TextureNodes(document.Root());
  std::vector<CompiledTexture> compiled(textures.size());
  std::atomic<std::size_t> done{0};
  platform::ParallelFor(textures.size(), settings.Jobs, [&](std::size_t i) {
    if (stop.stop_requested()) return;
    compiled[i] = CompileTexture(document, *textures[i]);
    if (settings.Progress) settings.Progress(++done, textures.size());
  });
  ThrowIfStopped(stop);

  // Which palette group each texture opens or joins.
  std::unordered_map<const SkinNode*, std::size_t> groupOf;
  const std::vector<PaletteGroup> groups = PaletteGroups(document);
  for (std::size_t g = 0; g < groups.size(); ++g)
    for (const SkinNode* member : groups[g].Members) groupOf[member] = g;
  std::vector<std::int32_t> paletteExport(groups.size(), 0);

  TexturePackage result;
  unrealpkg::TUTGuid guid{};
  std::array<std::int32_t, 2> times{};
  ChooseIdentity(document, settings.Reproducible, guid, times);
  PackageBuilder builder(document, times);
  builder.Package().Guid = guid;
  const model::TModelo& model = document.Model();
  LocalisationFile intFile(document.FileName().stem().string(), document.Options().ReducedINT || model.AMS);
  std::size_t next = 0;
  for (const SkinNode& skin : document.Root().Children()) {
    intFile.NextSkin();
    const std::int32_t group = builder.Group(skin.Code());
    bool listed = false;
    for (const SkinNode& section : skin.Children()) {
      const model::TModeloSection& modelSection = document.SectionOf(section);
      for (const SkinNode& node : section.Children()) {
        const CompiledTexture& texture = compiled[next++];
        if (!texture.Refusal.empty()) result.Refusals.push_back(texture.Refusal);
        const std::size_t g = groupOf.at(&node);
        if (paletteExport[g] == 0)
          paletteExport[g] = builder.PaletteObject(groups[g].ObjectName, group, node.Texture().Palette);
        const std::string name = document.TextureName(node);
        MenuRole role = MenuRoleOf(model, skin, modelSection.Part, node, name);
        if (role == MenuRole::Skin && std::exchange(listed, true)) role = MenuRole::None;
        intFile.AddTexture(name, node.Texture().Description, role, skin.Description(),
                           modelSection.Part.Has(model::NOINT));
        builder.Texture(name, group, paletteExport[g], modelSection.Part.Has(model::LODSETWORLD), texture);
      }
    }
    if (std::string warning = UnlistedSkinWarning(model, skin, listed); !warning.empty())
      result.Warnings.push_back(std::move(warning));
    for (std::string& warning : MissingRequiredWarnings(document, skin)) result.Warnings.push_back(std::move(warning));
  }
  result.Bytes = builder.Package().Build();
  result.IntText = intFile.Text();
  return result;
}

CompiledFiles CompileProject(const project::ProjectDocument& document, const CompileSettings& settings) {
  const TexturePackage package = BuildTexturePackage(document, settings);
  CompiledFiles files;
  files.PackageFile = std::filesystem::path(document.FileName()).replace_extension(".utx");
  files.IntFile = std::filesystem::path(document.FileName()).replace_extension(".int");
  platform::StagedFiles staged;
  staged.Stage(files.PackageFile, package.Bytes);
  staged.Stage(files.IntFile,
               std::span(reinterpret_cast<const std::uint8_t*>(package.IntText.data()), package.IntText.size()));
  staged.Commit();
  files.Refusals = package.Refusals;
  files.Warnings = package.Warnings;
  return files;
}

}  // namespace compile
