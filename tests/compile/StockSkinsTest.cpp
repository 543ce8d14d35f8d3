// Skins exported from the game's own packages go through import and compile
// unchanged: every first level holds the original colours, pixel for pixel.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "compile/ProjectCompiler.h"
#include "raster/PictureFile.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

namespace {

struct Texture {
  std::string Name;
  raster::Bitmap Picture;
};

// The first level of every texture of a package, as 8-bit pictures with their palettes.
std::vector<Texture> FirstLevels(const std::filesystem::path& file) {
  unrealpkg::TUTPackage package(file);
  unrealpkg::TUTPackageLock lock(package);
  std::vector<Texture> textures;
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* texture = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&package.GetExport(i)->Object());
    if (!texture) continue;
    unrealpkg::TUTObjectUse use(*texture);
    textures.push_back({package.ObjectNameOf(i + 1), texture->MipBitmap(0)});
  }
  return textures;
}

std::set<std::uint32_t> Colours(const raster::Bitmap& picture) {
  std::set<std::uint32_t> colours;
  const raster::Bitmap bgr = picture.ToBgr24();
  const std::uint8_t* pixel = bgr.Pixels().data();
  for (std::size_t i = 0; i < bgr.Pixels().size(); i += 3) colours.insert(pixel[i] | pixel[i + 1] << 8 | pixel[i + 2] << 16);
  return colours;
}

}  // namespace

TEST(StockSkinsTest, ExportedSkinsCompileBackToTheirOwnColours) {
  const auto corpus = testsupport::CorpusDir();
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus));
  ProjectFixture f;
  auto document = f.NewProject();
  // By skin code: the package holds them in its own order, named after the code.
  std::map<std::string, Texture> originals;
  for (const char* package : {"ut-server/Textures/Male1Skins.utx", "ut-server/Textures/BossSkins.utx"})
    for (Texture& texture : FirstLevels(corpus / package)) {
      // Exported as the export command writes them, then imported as a user would.
      const std::size_t n = originals.size();
      const std::string code = {'s', 'k', static_cast<char>('a' + n / 26), static_cast<char>('a' + n % 26)};
      const std::filesystem::path file = f.home / "Stock" / (code + texture.Name + ".png");
      std::filesystem::create_directories(file.parent_path());
      raster::SavePicture(texture.Picture, file);
      const project::SkinNode& skin = document->NewSkin(texture.Name, code);
      // The model's body takes 256 x 256 and its talk texture 64 x 64, as the stock skins come.
      const int section = texture.Picture.Width() == 64 ? 5 : 1;
      document->AddTexture(SectionNode(*document, skin, section), file, "< Default >", "");
      originals[code] = std::move(texture);
    }
  ASSERT_EQ(originals.size(), 29u);

  compile::CompileRequest request;
  request.Reproducible = true;
  const compile::CompileOutcome outcome = compile::ProjectCompiler(document->Snapshot(), request).Run({}, {});
  const std::vector<Texture> compiled = FirstLevels(outcome.PackageFile);
  ASSERT_EQ(compiled.size(), originals.size());
  for (const Texture& texture : compiled) {
    // The texture of skin "skaa" in section 1 is "skaa1".
    const Texture& original = originals.at(texture.Name.substr(0, 4));
    SCOPED_TRACE(original.Name);
    const raster::Bitmap& before = original.Picture;
    const raster::Bitmap& after = texture.Picture;
    ASSERT_EQ(after.Width(), before.Width());
    ASSERT_EQ(after.Height(), before.Height());
    EXPECT_TRUE(after.ToBgr24().Pixels() == before.ToBgr24().Pixels());
    // The palette is the picture's colours, no others.
    std::set<std::uint32_t> palette;
    for (const raster::PaletteEntry& entry : after.Palette()) palette.insert(entry.Blue | entry.Green << 8 | entry.Red << 16);
    EXPECT_EQ(palette, Colours(before));
  }
}
