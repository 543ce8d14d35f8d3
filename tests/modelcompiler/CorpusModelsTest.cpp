#include <gtest/gtest.h>

#include "model/ModelCatalogue.h"
#include "modelcompiler/ModelCompilation.h"
#include "raster/PictureFile.h"
#include "support/TestHelpers.h"
#include "support/TestFiles.h"

namespace {

using namespace modelcompiler;

// Lists, reads and compiles every model the package offers, writing them into
// `home` over any of the same name.
int CompileAll(const std::filesystem::path& chosen, bool useInt, const std::filesystem::path& home) {
  unrealpkg::TUTPackage package;
  const PackageModelList list = ListPackageModels(package, chosen, useInt);
  for (const PackageModelEntry& entry : list.Entries) {
    SCOPED_TRACE(chosen.string() + " " + entry.Caption);
    const PackageModel model = ReadPackageModel(package, entry);
    model3d::TObjeto3D compiled;
    const FrameChoice choice = InitialFrameChoice(model);
    const ModelOutputFiles files =
        CompilePackageModelFiles(model, choice, home, {.Overwrite = [](const std::filesystem::path&) { return true; }}, compiled).Files;
    EXPECT_EQ(compiled.Frames.size(), choice.Animated ? static_cast<std::size_t>(model.Mesh.FrameCount) : 1u);
    for (const auto& triangle : compiled.Triangles)
      for (int c = 0; c < 3; ++c) {
        EXPECT_LT(triangle.Vertex[c], compiled.VertexCount());
        EXPECT_LT(triangle.TexCoord[c], compiled.TexCoords.size());
      }
    EXPECT_TRUE(files.DefinitionWritten);
    EXPECT_FALSE(files.WireBitmaps.empty());
  }
  return static_cast<int>(list.Entries.size());
}

TEST(CorpusModelsTest, EveryMeshAndPlayerClassCompiles) {
  const auto corpus = testsupport::CorpusDir();
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus));
  testsupport::TempDir home;
  int models = 0;
  for (const char* package : {"utpatches/System/epiccustommodels.u", "utpatches/System/relics.u",
                              "ut99mods/System/HeadHunter.u", "ut99mods/System/C4.u", "dxparty/System/Endemia.u"})
    models += CompileAll(corpus / package, false, home.Path());

  // The player classes of MultiMesh.u use the meshes of epiccustommodels.u;
  // the localisation file names the package in another letter case.
  testsupport::TempDir system;
  for (const char* file : {"utpatches/System/MultiMesh.u", "utpatches/System/epiccustommodels.u",
                           "utpatches/SystemLocalized/int/multimesh.int"})
    std::filesystem::copy_file(corpus / file, system / std::filesystem::path(file).filename().string());
  models += CompileAll(system / "multimesh.int", true, home.Path());
  EXPECT_GT(models, 40);

  // TSkaarj takes its skin slots from its parent customplayer: the face on
  // material 1, the team colours on materials 2 and 3, as its skins have them.
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home.Path());
  const auto skaarj = catalogue.FindByPrefix("TSkM");
  ASSERT_TRUE(skaarj);
  EXPECT_EQ(skaarj->Name, "Skaarj Hybrid");
  const model::TModeloPart* face = skaarj->SectionByNumber(2);
  ASSERT_TRUE(face);
  EXPECT_TRUE(face->Has(model::FACE));
  EXPECT_FALSE(face->Has(model::TEAM));
  for (const int number : {3, 4}) {
    const model::TModeloPart* team = skaarj->SectionByNumber(number);
    ASSERT_TRUE(team) << number;
    EXPECT_TRUE(team->Has(model::TEAM)) << number;
    EXPECT_FALSE(team->Has(model::FACE)) << number;
  }

  // The Skaarj's body skin, drawn where its texture coordinates put it.
  const raster::Bitmap wire = raster::LoadPicture(home / "CustomModels/TSkMWire2.bmp").ToBgr24();
  int lines = 0;
  for (int y = 0; y < wire.Height(); ++y)
    for (int x = 0; x < wire.Width(); ++x) lines += wire.Row(y)[3 * x] == 255;
  EXPECT_GT(lines, 3000);
  EXPECT_LT(lines, 30000);
}

}  // namespace
