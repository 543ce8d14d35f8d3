#include <gtest/gtest.h>

#include "compile/Installation.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// A compiled project and a game directory holding an older installation.
struct InstallFixture {
  testsupport::TempDir dir;
  std::filesystem::path package = dir / "ExampleSkins.utx";
  std::filesystem::path localisation = dir / "ExampleSkins.int";
  std::filesystem::path game = dir / "UnrealTournament";
  std::filesystem::path installedPackage = game / "Textures" / "ExampleSkins.utx";
  std::filesystem::path installedLocalisation = game / "System" / "ExampleSkins.int";

  InstallFixture() {
    WriteFile(package, Bytes("new package"));
    WriteFile(localisation, Bytes("[Public]\r\n"));
    std::filesystem::create_directories(game / "Textures");
    std::filesystem::create_directories(game / "System");
    WriteFile(installedPackage, Bytes("old package"));
    WriteFile(installedLocalisation, Bytes("old int"));
  }

  compile::Installation Install() const { return compile::InstallInGame(package, localisation, game, "C:\\UnrealTournament"); }

  void ExpectOldInstallation() const {
    EXPECT_EQ(ReadFile(installedPackage), Bytes("old package"));
    EXPECT_EQ(ReadFile(installedLocalisation), Bytes("old int"));
  }
};

std::size_t EntriesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

}  // namespace

TEST(InstallationTest, CopiesBothFilesOverTheOldOnes) {
  InstallFixture f;
  WriteFile(f.game / "System" / "Other.int", Bytes("kept"));
  EXPECT_EQ(f.Install().Message, "Project compiled and installed under C:\\UnrealTournament");
  EXPECT_EQ(ReadFile(f.installedPackage), Bytes("new package"));
  EXPECT_EQ(ReadFile(f.installedLocalisation), Bytes("[Public]\r\n"));
  EXPECT_EQ(ReadFile(f.game / "System" / "Other.int"), Bytes("kept"));
  EXPECT_EQ(EntriesIn(f.game / "Textures"), 1u);
  EXPECT_EQ(EntriesIn(f.game / "System"), 2u);
  // Copies, not moves: the compiled files stay beside the project.
  EXPECT_EQ(ReadFile(f.package), Bytes("new package"));
}

// A game folder spelt in lower case, with an older copy in another case:
// the folders are found, and the old files replaced rather than doubled.
TEST(InstallationTest, FoldersAndFilesAreFoundInAnyLetterCase) {
  InstallFixture f;
  std::filesystem::rename(f.game / "Textures", f.game / "textures");
  std::filesystem::rename(f.game / "System", f.game / "system");
  std::filesystem::rename(f.game / "system" / "ExampleSkins.int", f.game / "system" / "EXAMPLESKINS.INT");
  // The copies are told by the names they have.
  EXPECT_EQ(f.Install().Files,
            std::vector({f.game / "textures" / "ExampleSkins.utx", f.game / "system" / "EXAMPLESKINS.INT"}));
  EXPECT_EQ(ReadFile(f.game / "textures" / "ExampleSkins.utx"), Bytes("new package"));
  EXPECT_EQ(ReadFile(f.game / "system" / "EXAMPLESKINS.INT"), Bytes("[Public]\r\n"));
  EXPECT_EQ(EntriesIn(f.game / "system"), 1u);
  EXPECT_FALSE(std::filesystem::exists(f.game / "Textures"));
  EXPECT_FALSE(std::filesystem::exists(f.game / "System"));
}

TEST(InstallationTest, FailedCopiesNameTheCopyAndLeaveTheOldInstallation) {
  {
    InstallFixture f;
    std::filesystem::remove_all(f.game / "System");
    const std::string error = ErrorOf([&] { f.Install(); });
    EXPECT_NE(error.find(f.localisation.string()), std::string::npos) << error;
    EXPECT_NE(error.find(f.installedLocalisation.string()), std::string::npos) << error;
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(f.installedPackage), Bytes("old package"));
  }
  {
    InstallFixture f;
    std::filesystem::permissions(f.installedLocalisation, std::filesystem::perms::owner_read);
    const std::string error = ErrorOf([&] { f.Install(); });
    EXPECT_NE(error.find(f.installedLocalisation.string()), std::string::npos) << error;
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    f.ExpectOldInstallation();
  }
  {
    InstallFixture f;
    std::filesystem::remove(f.package);
    const std::string error = ErrorOf([&] { f.Install(); });
    EXPECT_NE(error.find(f.package.string()), std::string::npos) << error;
    f.ExpectOldInstallation();
  }
  {
    // The write itself fails: a folder stands where the package would go.
    InstallFixture f;
    std::filesystem::remove(f.installedPackage);
    std::filesystem::create_directory(f.installedPackage);
    const std::string error = ErrorOf([&] { f.Install(); });
    EXPECT_NE(error.find("Cannot copy \"" + f.package.string() + "\""), std::string::npos) << error;
    EXPECT_EQ(ReadFile(f.installedLocalisation), Bytes("old int"));
    EXPECT_EQ(EntriesIn(f.game / "Textures"), 1u);
  }
}
