#include <gtest/gtest.h>

#include <cmath>

#include "compile/CompressedMipMaps.h"
#include "compile/PaletteGeneration.h"
#include "compile/Resample.h"
#include "compile/TexturePackageWriter.h"
#include "raster/BmpFile.h"
#include "support/DeclaredSizeReader.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

namespace {

using project::ProjectDocument;

double Psnr(const raster::Bitmap& a, const raster::Bitmap& b) {
  double squared = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width() * 3; ++x) {
      const double difference = double(a.Row(y)[x]) - double(b.Row(y)[x]);
      squared += difference * difference;
    }
  const double mean = squared / (double(a.Width()) * a.Height() * 3);
  return mean == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mean);
}

// A skin of the corpus brought to 1024 x 1024: a natural picture at the size artists paint.
raster::Bitmap PaintedSource(const std::string& texture) {
  unrealpkg::TUTPackage skins(testsupport::CorpusDir() / "ut-server/Textures/BossSkins.utx");
  unrealpkg::TUTPackageLock lock(skins);
  auto& object = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(skins.GetExport(skins.FindExport(texture, "Texture"))->Object());
  unrealpkg::TUTObjectUse use(object);
  const raster::Bitmap small = object.MipBitmap(0);
  raster::Bitmap large(1024, 1024, raster::PixelFormat::Bgr24);
  compile::Resample(small, large, compile::Lanczos3, compile::Lanczos3Support);
  return large;
}

std::unique_ptr<unrealpkg::TUTPackage> CompileTo(ProjectDocument& document, bool highResolution,
                                                 const std::filesystem::path& file) {
  project::ProjectOptions options = document.Options();
  options.HighResolution = highResolution;
  document.SetOptions(options);
  compile::PaletteGenerator().Generate(document, 2);
  testsupport::WriteFile(file, compile::BuildTexturePackage(document, {true, 2}).Bytes);
  return std::make_unique<unrealpkg::TUTPackage>(file);
}

}  // namespace

// 1024 x 1024 sources in 256 x 256 sections: the 8-bit levels stay what they
// are without the option, and a BC1 chain from 1024 down to 4 follows them.
TEST(HighResolutionTest, LargeSourcesGainACompressedChainBesideUnchangedLevels) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir() / "ut-server/Textures/BossSkins.utx"));
  ProjectFixture f;
  auto document = f.NewProject();
  const project::SkinNode& skin = document->NewSkin("Painted", "pant");
  const std::vector<std::string> names = {"boss1", "boss2", "boss4"};
  std::vector<raster::Bitmap> sources;
  for (const std::string& name : names) {
    sources.push_back(PaintedSource(name));
    const std::filesystem::path file = f.home / (name + ".bmp");
    raster::SaveBmpFile(sources.back(), file);
    document->AddTexture(SectionNode(*document, skin, 1), file, name == "boss1" ? "< Default >" : "<Red Team>",
                         name == "boss4" ? "John" : "");
  }
  const auto plain = CompileTo(*document, false, f.home / "Plain.utx");
  const auto high = CompileTo(*document, true, f.home / "High.utx");
  EXPECT_EQ(testsupport::DeclaredSizeDisagreements(*high), std::vector<std::string>{});
  EXPECT_TRUE(unrealpkg::CheckPackage(*high).Failures.empty());

  unrealpkg::TUTPackageLock plainLock(*plain);
  unrealpkg::TUTPackageLock highLock(*high);
  int textures = 0;
  for (int i = 0; i < high->ExportCount(); ++i) {
    auto* compressed = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&high->GetExport(i)->Object());
    if (!compressed) continue;
    auto& classic = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(
        plain->GetExport(plain->FindExport(high->GetExport(i)->ObjectName(), "Texture"))->Object());
    unrealpkg::TUTObjectUse useHigh(*compressed);
    unrealpkg::TUTObjectUse usePlain(classic);
    ASSERT_EQ(compressed->MipCount(), classic.MipCount());
    for (int level = 0; level < classic.MipCount(); ++level)
      EXPECT_EQ(compressed->MipBitmap(level).Pixels(), classic.MipBitmap(level).Pixels()) << "level " << level;
    EXPECT_EQ(compressed->CompFormat(), 3);
    ASSERT_EQ(compressed->CompressedMipCount(), 9);
    for (int level = 0; level < 9; ++level) {
      EXPECT_EQ(compressed->GetCompressedMip(level).USize, 1024 >> level);
      EXPECT_EQ(compressed->GetCompressedMip(level).DataSize, std::max(1, (256 >> level) * (256 >> level)) * 8);
    }
    const double psnr = Psnr(compressed->CompressedMipBitmap(0), sources[static_cast<std::size_t>(textures)]);
    std::cout << "PSNR of the BC1 level of " << names[static_cast<std::size_t>(textures)] << ": " << psnr << " dB\n";
    EXPECT_GE(psnr, 32.0);
    ++textures;
  }
  EXPECT_EQ(textures, 3);
}

TEST(HighResolutionTest, TheChainCoversTheSourceUpTo2048AndMaskedPixelsAreTransparent) {
  const auto chain = [](int sourceSide, int section) {
    compile::PreparedTexture source{raster::Bitmap(sourceSide, sourceSide, raster::PixelFormat::Bgr24), {}};
    std::vector<int> sides;
    for (const compile::CompressedLevel& level : compile::BuildCompressedChain(source, section, section))
      sides.push_back(level.Width);
    return sides;
  };
  EXPECT_EQ(chain(256, 256), std::vector<int>{});
  EXPECT_EQ(chain(300, 256), (std::vector<int>{512, 256, 128, 64, 32, 16, 8, 4}));
  EXPECT_EQ(chain(3000, 2048), std::vector<int>{}) << "a level above 2048 is never made";
  EXPECT_EQ(chain(64, 16), (std::vector<int>{64, 32, 16, 8, 4}));

  // A see-through pixel is BC1's transparent black: its block takes the three-colour mode.
  raster::Bitmap picture(4, 4, raster::PixelFormat::Bgr24);
  std::fill(picture.Pixels().begin(), picture.Pixels().end(), 200);
  std::vector<std::uint8_t> mask(16, 0);
  mask[5] = 1;
  const std::vector<std::uint8_t> block = compile::EncodeBc1(picture, mask);
  ASSERT_EQ(block.size(), 8u);
  const int colour0 = block[0] | block[1] << 8;
  const int colour1 = block[2] | block[3] << 8;
  EXPECT_LE(colour0, colour1);
  const int index5 = (block[4 + 1] >> 2) & 3;
  EXPECT_EQ(index5, 3);
}
