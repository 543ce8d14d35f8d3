#include <gtest/gtest.h>

#include "support/ProjectFixture.h"
#include "support/Mutations.h"

using namespace project;

namespace {

template <class Action>
void ExpectCleanFailure(Action action) {
  try {
    action();
  } catch (const std::exception& e) {
    ASSERT_FALSE(testsupport::IsInternalError(e.what())) << e.what();
  }
}

}  // namespace

// Damaged definition files are passed over or reported; the scan goes on.
TEST(ReplayTest, DamagedDefinitionsAreReportedCleanly) {
  ProjectFixture f;
  const std::string seed =
      "[Model]\nFormatVersion=1\nName=Soldier\nPrefix=Other\nMesh=P.M\nScaleX=1,5\nTalkTextureIndex=5\n"
      "Preset1=Front;0;0;2000;0;0;0\nSection1=Body, TEAM, TEXTUREIS256X256\nSection5=Talk, TALKTEXTURE\n"
      "[Model2]\nFormatVersion=2\n[Section3]\nName=Head\nTextureSize=128x128\nFace=yes\n";
  testsupport::Random random(31);
  for (int n = testsupport::MutationsPerFile(600); n > 0; --n) {
    std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
    testsupport::Mutate(bytes, random);
    testsupport::WriteFile(f.home / "Damaged.mrbe", bytes);
    const model::ModelCatalogue catalogue = model::ScanModelCatalogue(f.home.Path());
    ASSERT_NE(catalogue.FindByPrefix("Soldier"), nullptr);
    for (const auto& problem : catalogue.Problems)
      ASSERT_FALSE(testsupport::IsInternalError(problem.Message)) << problem.Message;
  }
}

// A damaged project either loads or fails with a message, and what loads saves.
TEST(ReplayTest, DamagedProjectsLoadOrFailCleanly) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("blst1.bmp"), "<Red Team>", "John");
  document->AddTexture(SectionNode(*document, skin, 3), f.Picture("blst3.bmp"), "< Default >", "");
  document->NewSkin("Empty", "empt");
  const std::string seed = document->FileText();
  testsupport::Random random(32);
  for (int n = testsupport::MutationsPerFile(600); n > 0; --n) {
    std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
    testsupport::Mutate(bytes, random);
    testsupport::WriteFile(f.home / "SoldierSkinsDamaged.mrb", bytes);
    ExpectCleanFailure([&] {
      auto loaded = ProjectDocument::Load(f.home / "SoldierSkinsDamaged.mrb", f.catalogue, f.home.Path());
      loaded->FileText();
    });
  }
}
