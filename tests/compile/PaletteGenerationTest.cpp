#include <gtest/gtest.h>

#include "ColourPictures.h"
#include "compile/PaletteGeneration.h"
#include "compile/PostProcess.h"
#include "raster/BmpFile.h"
#include "support/ProjectFixture.h"

using namespace project;

namespace {

// Two skins of three textures each, in different colours.
std::unique_ptr<ProjectDocument> TwoSkins(ProjectFixture& f) {
  auto document = f.NewProject();
  for (const char* code : {"frst", "scnd"}) {
    const SkinNode& skin = document->NewSkin(code, code);
    for (int i = 0; i < 3; ++i)
      document->AddTexture(SectionNode(*document, skin, 1),
                           f.Picture(std::string(code) + std::to_string(i) + ".bmp", static_cast<std::uint8_t>(40 * i + (code[0] == 's' ? 20 : 0)), 16),
                           "< Default >", "face" + std::to_string(i));
  }
  return document;
}

std::vector<compile::Palette> Palettes(ProjectDocument& document) {
  std::vector<compile::Palette> palettes;
  for (const SkinNode* node : TextureNodes(document.Root())) palettes.push_back(node->Texture().Palette);
  return palettes;
}

std::size_t Distinct(const std::vector<compile::Palette>& palettes) {
  std::vector<compile::Palette> seen;
  for (const auto& palette : palettes)
    if (std::find(seen.begin(), seen.end(), palette) == seen.end()) seen.push_back(palette);
  return seen.size();
}

}  // namespace

TEST(PaletteGenerationTest, ModesGiveOnePalettePerTextureSkinOrPackage) {
  ProjectFixture f;
  auto document = TwoSkins(f);
  const std::size_t expected[] = {6, 2, 1};
  for (int mode = 0; mode < 3; ++mode) {
    ProjectOptions options = document->Options();
    options.ReducePalettes = mode;
    document->SetOptions(options);
    compile::PaletteGenerator().Generate(*document);
    EXPECT_EQ(Distinct(Palettes(*document)), expected[mode]) << "mode " << mode;
    EXPECT_EQ(compile::PaletteGroups(*document).size(), expected[mode]);
    for (const auto& palette : Palettes(*document)) EXPECT_EQ(palette.size(), 256u);
  }
  // A skin without textures forms no group, and does not stop the generation.
  document->NewSkin("Empty", "empt");
  ProjectOptions options = document->Options();
  options.ReducePalettes = 1;
  document->SetOptions(options);
  EXPECT_NO_THROW(compile::PaletteGenerator().Generate(*document));
}

TEST(PaletteGenerationTest, TheQualityOptionMakesPalettesAgainAndBackExactly) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Grain", "grai");
  // More colours than a palette holds, so the two qualities differ.
  const std::filesystem::path noise = f.home / "noise.bmp";
  raster::SaveBmpFile(colourtest::Noise(64, 64, 5), noise);
  document->AddTexture(SectionNode(*document, skin, 1), noise, "< Default >", "");
  compile::PaletteGenerator generator;
  generator.Generate(*document, 1);
  const auto classic = Palettes(*document);
  ProjectOptions options = document->Options();
  options.PaletteQuality = 1;
  document->SetOptions(options);
  EXPECT_EQ(generator.Generate(*document, 1).size(), 1u);
  const auto high = Palettes(*document);
  EXPECT_NE(high, classic);
  options.PaletteQuality = 0;
  document->SetOptions(options);
  generator.Generate(*document, 1);
  EXPECT_EQ(Palettes(*document), classic);
}

TEST(PaletteGenerationTest, ChangesRedoOnlyWhatTheyTouchWithTheSameResults) {
  ProjectFixture f;
  auto document = TwoSkins(f);
  compile::PaletteGenerator generator;
  ProjectOptions options = document->Options();
  options.Brightness = 60;
  document->SetOptions(options);
  generator.Generate(*document, 2);
  options.Brightness = 50;
  document->SetOptions(options);
  generator.Generate(*document, 1);
  const std::vector<const SkinNode*> textures = TextureNodes(document->Root());
  const std::uint8_t* untouched = textures[1]->Texture().WorkingBitmap->Pixels().data();
  const std::uint8_t* changed = textures[0]->Texture().WorkingBitmap->Pixels().data();
  raster::Bitmap painted = textures[0]->Texture().SourceBitmap;
  painted.Pixels()[5] ^= 0xFF;
  document->SetSourceBitmap(*textures[0], painted);
  const std::vector<const SkinNode*> redone = generator.Generate(*document, 2);
  // Only the changed texture's working bitmap was built again; the others of
  // its palette group (mode 0: none) keep theirs and are not reported.
  EXPECT_EQ(redone, (std::vector<const SkinNode*>{textures[0]}));
  EXPECT_EQ(textures[1]->Texture().WorkingBitmap->Pixels().data(), untouched);
  EXPECT_NE(textures[0]->Texture().WorkingBitmap->Pixels().data(), changed);
  EXPECT_TRUE(generator.Generate(*document, 2).empty());
  const auto incremental = Palettes(*document);
  std::vector<raster::Bitmap> workings;
  for (const SkinNode* node : textures) workings.push_back(*node->Texture().WorkingBitmap);

  // A generation from nothing, on a copy whose working bitmaps are gone, gives the same.
  std::unique_ptr<ProjectDocument> fresh = document->Snapshot();
  for (const SkinNode* node : TextureNodes(fresh->Root())) fresh->StoreWorkingBitmap(*node, {}, 0);
  EXPECT_EQ(compile::PaletteGenerator().Generate(*fresh, 1).size(), textures.size());
  EXPECT_EQ(Palettes(*fresh), incremental);
  const std::vector<const SkinNode*> copies = TextureNodes(fresh->Root());
  for (std::size_t i = 0; i < copies.size(); ++i) EXPECT_EQ(*copies[i]->Texture().WorkingBitmap, workings[i]);
}

TEST(PaletteGenerationTest, PalettedMaskedPicturesReserveEntryZero) {
  ProjectFixture f;
  auto document = f.MaskedProject(8);
  raster::Bitmap visor(8, 8, raster::PixelFormat::Indexed8);
  visor.Palette() = {{200, 100, 50, 0}, {10, 20, 30, 0}, {200, 100, 50, 0}, {240, 240, 240, 0}};
  for (int i = 0; i < 64; ++i) visor.Pixels()[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 4);
  raster::SaveBmpFile(visor, f.home / "visor.bmp");
  const SkinNode& skin = document->NewSkin("Glass", "glas");
  const SkinNode& texture = document->AddTexture(skin.Children()[0], f.home / "visor.bmp", "< Default >", "");
  ProjectOptions options = document->Options();
  options.Saturation = 0;
  document->SetOptions(options);
  compile::PaletteGenerator().Generate(*document);
  const raster::Bitmap& working = *texture.Texture().WorkingBitmap;
  ASSERT_EQ(working.Format(), raster::PixelFormat::Indexed8);
  // The masked colour after saturation 0, and every pixel that showed it (entries 0 and 2) at index 0.
  EXPECT_EQ(texture.Texture().Palette[0], (raster::PaletteEntry{200, 200, 200, 0}));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(working.Pixels()[static_cast<std::size_t>(i)] == 0, i % 2 == 0) << i;
}
