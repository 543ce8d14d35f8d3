#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include "CliRunner.h"
#include "support/TestHelpers.h"
#include "support/DeclaredSizeReader.h"
#include "support/TestFiles.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// Reads the package back as other tools do, trusting each tag's declared size,
// and as the package check does.
void ExpectReadableByOtherTools(const std::filesystem::path& file) {
  unrealpkg::TUTPackage package(file);
  EXPECT_THAT(testsupport::DeclaredSizeDisagreements(package), testing::IsEmpty());
  const unrealpkg::PackageCheckResult check = unrealpkg::CheckPackage(package);
  EXPECT_TRUE(check.Failures.empty());
  EXPECT_TRUE(check.Notes.empty());
}

void WritePicture(const std::filesystem::path& file, Qt::GlobalColor colour) {
  QImage picture(32, 32, QImage::Format_RGB888);
  picture.fill(colour);
  for (int i = 0; i < 32; ++i) picture.setPixelColor(i, i, Qt::white);
  ASSERT_TRUE(picture.save(Path(file)));
}

}  // namespace

TEST(CompiledPackageCliTest, TheSampleProjectReadsBackByDeclaredSizes) {
  // The sample content the build wrote beside the program, copied so the test writes nothing there.
  const std::filesystem::path sample = std::filesystem::path(MARBELLE_CLI).parent_path();
  testsupport::TempDir home;
  for (const char* item : {"Mannequin.u", "Mannequin.int", "MannequinSkinsSample.mrb", "CustomModels", "Samples"})
    std::filesystem::copy(sample / item, home / item, std::filesystem::copy_options::recursive);
  const Outcome compiled = Marbelle({"compile", Path(home / "MannequinSkinsSample.mrb"), "--home", Path(home.Path())});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  ExpectReadableByOtherTools(home / "MannequinSkinsSample.utx");
}

// The Skaarj of the newer patches: its model compiled from the package, a
// project of its skins, compiled; then two team sections that would name
// their red textures alike.
TEST(CompiledPackageCliTest, ARealModelsSkinsCompileAndClashingNamesAreRefused) {
  const auto corpus = testsupport::CorpusDir();
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus / "utpatches/System/MultiMesh.u"));
  testsupport::TempDir home;
  for (const char* file : {"utpatches/System/MultiMesh.u", "utpatches/System/epiccustommodels.u",
                           "utpatches/SystemLocalized/int/multimesh.int"})
    std::filesystem::copy_file(corpus / file, home / std::filesystem::path(file).filename());
  const QString homeArg = Path(home.Path());
  ASSERT_EQ(Marbelle({"compile-model", Path(home / "multimesh.int"), "--model", "Skaarj Hybrid", "--home", homeArg}).status, 0);

  const QString project = Path(home / "TSkMSkinsWarrior.mrb");
  ASSERT_EQ(Marbelle({"project", "create", "--model", "TSkM", project, "--home", homeArg}).status, 0);
  QStringList import{"project", "import", project, "--home", homeArg};
  const std::vector<std::pair<const char*, Qt::GlobalColor>> pictures = {
      {"warr2.png", Qt::darkGreen}, {"warr2Dominator.png", Qt::green}, {"warr3.png", Qt::gray},
      {"warr3t_0.png", Qt::red}, {"warr3t_1.png", Qt::blue}, {"warr4.png", Qt::darkGray}, {"warr5.png", Qt::yellow}};
  for (const auto& [name, colour] : pictures) {
    WritePicture(home / name, colour);
    import << Path(home / name);
  }
  const Outcome imported = Marbelle(import);
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_NE(imported.out.find("7 textures imported"), std::string::npos) << imported.out;

  const Outcome compiled = Marbelle({"compile", project, "--home", homeArg});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  ExpectReadableByOtherTools(home / "TSkMSkinsWarrior.utx");
  unrealpkg::TUTPackage package(home / "TSkMSkinsWarrior.utx");
  EXPECT_GE(package.FindExport("T_skaarj_0", "Texture"), 0);
  EXPECT_GE(package.FindExport("warr2Dominator", "Texture"), 0);

  // Section 4 names its team variants as section 3 does: both reds would be T_skaarj_0.
  std::filesystem::remove(home / "TSkMSkinsWarrior.utx");
  std::filesystem::remove(home / "TSkMSkinsWarrior.int");
  WritePicture(home / "warr4t_0.png", Qt::darkRed);
  ASSERT_EQ(Marbelle({"project", "import", project, Path(home / "warr4t_0.png"), "--home", homeArg}).status, 0);
  const Outcome clash = Marbelle({"compile", project, "--home", homeArg});
  EXPECT_EQ(clash.status, 1);
  EXPECT_NE(clash.err.find("two textures would both be called warr.T_skaarj_0 in the package"), std::string::npos)
      << clash.err;
  for (const char* file : {"warr3t_0.png", "warr4t_0.png"}) EXPECT_NE(clash.err.find(file), std::string::npos) << file;
  EXPECT_NE(clash.err.find("section \"SKIN2\", texture \"<Red Team> (t_0)\""), std::string::npos) << clash.err;
  EXPECT_NE(clash.err.find("section \"SKIN3\", texture \"<Red Team> (t_0)\""), std::string::npos) << clash.err;
  EXPECT_FALSE(std::filesystem::exists(home / "TSkMSkinsWarrior.utx"));
  EXPECT_FALSE(std::filesystem::exists(home / "TSkMSkinsWarrior.int"));
}
