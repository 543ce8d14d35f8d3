#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CliRunner.h"
#include "SkinPackageRoundTrip.h"
#include "platform/AsciiText.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

std::string Text(const std::filesystem::path& file) {
  const auto bytes = testsupport::ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

// The texture declarations of a .int: object name (without its package, in
// lower case) and description (without quotes).
std::set<std::pair<std::string, std::string>> Declarations(const std::filesystem::path& file) {
  std::set<std::pair<std::string, std::string>> declared;
  const std::string text = Text(file);
  std::size_t at = 0;
  while ((at = platform::ToLowerAscii(text).find("object=(name=", at)) != std::string::npos) {
    const std::string line = text.substr(at, text.find_first_of("\r\n", at) - at);
    at += line.size();
    const std::size_t dot = line.find('.');
    const std::string object = platform::ToLowerAscii(line.substr(dot + 1, line.find(',') - dot - 1));
    std::string description;
    if (const std::size_t key = line.find("Description="); key != std::string::npos)
      description = line.substr(key + 12, line.rfind(')') - key - 12);
    std::erase(description, '"');
    declared.emplace(object, description);
  }
  return declared;
}

class FromPackageTest : public testing::Test {
protected:
  void SetUp() override { std::filesystem::create_directories(home); }

  testsupport::TempDir root;
  const std::filesystem::path home = root / "home";
  const std::filesystem::path corpus = testsupport::CorpusDir();
};

}  // namespace

TEST_F(FromPackageTest, TheSamplePackageComesBackAsItWasCompiled) {
  CompiledSampleHome(MARBELLE_SAMPLE_HOME, home);

  const RoundTrip trip = OpenAndCompile(home / "MannequinSkinsSample.utx", home / "MannequinSkinsOpened.mrb", home);
  ASSERT_EQ(trip.status, 0) << trip.error;
  EXPECT_EQ(PackageDifferences(home / "MannequinSkinsSample.utx", trip.compiled), std::vector<std::string>{});
  EXPECT_EQ(Declarations(home / "MannequinSkinsOpened.int"), Declarations(home / "MannequinSkinsSample.int"));

  // Nothing is replaced without being asked.
  const Outcome again = Marbelle({"project", "from-package", QString::fromStdString((home / "MannequinSkinsSample.utx").string()),
                                  QString::fromStdString((home / "MannequinSkinsOpened.mrb").string()), "--home",
                                  QString::fromStdString(home.string())});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("MannequinSkinsOpened.mrb already exists"), std::string::npos) << again.err;
}

// The Boss's skins: four team sections, a face on the fourth and the talk
// texture, each skin described by the .int that came with them.
TEST_F(FromPackageTest, TheBossSkinsComeBackWithTheirDescriptionsAndAMissingTeamTextureIsReported) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus / "ut-server/Textures/BossSkins.utx"));
  std::filesystem::create_directories(home / "CustomModels");
  testsupport::WriteFile(home / "CustomModels/Boss.mrbe",
                         Bytes("[Model]\nFormatVersion=2\nName=Boss\nPrefix=Boss\n"
                               "[Section1]\nName=Body\nTeam=Yes\n[Section2]\nName=Legs\nTeam=Yes\n"
                               "[Section3]\nName=Arms\nTeam=Yes\n[Section4]\nName=Head\nTeam=Yes\nFace=Yes\n"
                               "[Section5]\nName=Talk\nFace=Yes\nTalkTexture=Yes\nOneMipMap=Yes\n"));
  const std::filesystem::path package = corpus / "ut-server/Textures/BossSkins.utx";
  const std::filesystem::path intFile = corpus / "ut-server/System/BossSkins.int";
  const RoundTrip trip = OpenAndCompile(package, home / "BossSkinsOpened.mrb", home, {"--int", intFile.string()});
  ASSERT_EQ(trip.status, 0) << trip.error;
  EXPECT_EQ(trip.report, std::vector<std::string>{});
  EXPECT_EQ(PackageDifferences(package, trip.compiled), std::vector<std::string>{});
  EXPECT_EQ(Declarations(home / "BossSkinsOpened.int"), Declarations(intFile));

  // The same skins without the blue team's legs.
  std::string project = Text(home / "BossSkinsOpened.mrb");
  const std::size_t section = project.find("[boss#2#<Blue Team>");
  ASSERT_NE(section, std::string::npos) << project;
  project.erase(section, project.find("\n[", section) + 1 - section);
  testsupport::WriteFile(home / "BossSkinsLess.mrb", Bytes(project));
  ASSERT_EQ(Marbelle({"compile", QString::fromStdString((home / "BossSkinsLess.mrb").string()), "--home",
                      QString::fromStdString(home.string())})
                .status,
            0);
  EXPECT_EQ(PackageDifferences(package, home / "BossSkinsLess.utx"), std::vector<std::string>{"lost boss2T_1"});
  const RoundTrip less = OpenAndCompile(home / "BossSkinsLess.utx", home / "BossSkinsAgain.mrb", home);
  ASSERT_EQ(less.status, 0) << less.error;
  ASSERT_EQ(less.report.size(), 1u);
  EXPECT_EQ(less.report[0],
            "The skin \"Boss (boss)\" has no blue team texture in the section Legs (2), although it has one "
            "elsewhere: the game shows that team its default texture there.");
}

TEST_F(FromPackageTest, APackageThatCannotBeReadWritesNothing) {
  testsupport::WriteFile(home / "Broken.utx", Bytes(std::string("\xC1\x83\x2A\x9E", 4) + std::string(60, '\xFF')));
  const Outcome opened = Marbelle({"project", "from-package", QString::fromStdString((home / "Broken.utx").string()),
                                   QString::fromStdString((home / "BossSkinsBroken.mrb").string()), "--home",
                                   QString::fromStdString(home.string())});
  EXPECT_EQ(opened.status, 1);
  EXPECT_NE(opened.err.find("Broken.utx"), std::string::npos) << opened.err;
  EXPECT_FALSE(std::filesystem::exists(home / "BossSkinsBroken.mrb"));
  EXPECT_FALSE(std::filesystem::exists(home / "BossSkinsBroken"));
}
