#include <gtest/gtest.h>

#include "CliRunner.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// The bundled sample project, compiled with its installer archive in a home of its own.
std::filesystem::path CompiledSample(const std::filesystem::path& home) {
  const std::filesystem::path sample = MARBELLE_SAMPLE_HOME;
  for (const char* item : {"MannequinSkinsSample.mrb", "Mannequin.u", "Mannequin.int", "CustomModels", "Samples"})
    std::filesystem::copy(sample / item, home / item, std::filesystem::copy_options::recursive);
  const Outcome compiled =
      Marbelle({"compile", Q(home / "MannequinSkinsSample.mrb"), "--umod", "--reproducible", "--home", Q(home)});
  EXPECT_EQ(compiled.status, 0) << compiled.err;
  return home / "MannequinSkinsSample.umod";
}

}  // namespace

TEST(UmodCliTest, TheSamplesArchiveListsExtractsAndInstalls) {
  testsupport::TempDir home;
  const std::filesystem::path archive = CompiledSample(home.Path());

  const Outcome listed = Marbelle({"umod", "list", Q(archive)});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out.rfind("Product: MannequinSkinsSample\nVersion: 100\n", 0), 0u) << listed.out;
  const auto utxSize = std::filesystem::file_size(home / "MannequinSkinsSample.utx");
  EXPECT_NE(listed.out.find(std::to_string(utxSize) + "\tTextures\\MannequinSkinsSample.utx\n"), std::string::npos)
      << listed.out;
  EXPECT_NE(listed.out.find("\tSystem\\Manifest.ini\t(manifest)\n"), std::string::npos);

  const Outcome extracted = Marbelle({"umod", "extract", Q(archive), Q(home / "out")});
  ASSERT_EQ(extracted.status, 0) << extracted.err;
  EXPECT_EQ(testsupport::ReadFile(home / "out" / "Textures" / "MannequinSkinsSample.utx"),
            testsupport::ReadFile(home / "MannequinSkinsSample.utx"));
  EXPECT_EQ(testsupport::ReadFile(home / "out" / "System" / "MannequinSkinsSample.int"),
            testsupport::ReadFile(home / "MannequinSkinsSample.int"));
  EXPECT_TRUE(std::filesystem::exists(home / "out" / "System" / "Manifest.ini"));

  // A game installed on Linux, its folders in lower case.
  const std::filesystem::path game = home / "ut";
  std::filesystem::create_directories(game / "system");
  std::filesystem::create_directories(game / "textures");
  const Outcome dry = Marbelle({"umod", "install", Q(archive), "--game-dir", Q(game), "--dry-run"});
  ASSERT_EQ(dry.status, 0) << dry.err;
  EXPECT_NE(dry.out.find("Would write " + (game / "textures" / "MannequinSkinsSample.utx").string()), std::string::npos)
      << dry.out;
  EXPECT_FALSE(std::filesystem::exists(game / "textures" / "MannequinSkinsSample.utx"));
  const Outcome installed = Marbelle({"umod", "install", Q(archive), "--game-dir", Q(game)});
  ASSERT_EQ(installed.status, 0) << installed.err;
  EXPECT_EQ(testsupport::ReadFile(game / "textures" / "MannequinSkinsSample.utx"),
            testsupport::ReadFile(home / "MannequinSkinsSample.utx"));
  EXPECT_EQ(testsupport::ReadFile(game / "system" / "MannequinSkinsSample.int"),
            testsupport::ReadFile(home / "MannequinSkinsSample.int"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game), {}), 2);
  EXPECT_FALSE(std::filesystem::exists(game / "system" / "Manifest.ini"));
  const Outcome again = Marbelle({"umod", "install", Q(archive), "--game-dir", Q(game)});
  EXPECT_NE(again.out.find("Replacing " + (game / "system" / "MannequinSkinsSample.int").string()), std::string::npos)
      << again.out;

  // A damaged archive is refused with its reason, and nothing is written.
  std::vector<std::uint8_t> bytes = testsupport::ReadFile(archive);
  bytes[10] ^= 1;
  testsupport::WriteFile(home / "bad.umod", bytes);
  const Outcome bad = Marbelle({"umod", "install", Q(home / "bad.umod"), "--game-dir", Q(home / "other")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("its CRC-32 does not match its contents"), std::string::npos) << bad.err;
  EXPECT_FALSE(std::filesystem::exists(home / "other"));
}
