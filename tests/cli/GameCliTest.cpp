#include <gtest/gtest.h>

#include "CliRunner.h"
#include "model/ModelCatalogue.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

// A user's machine: the Bonus Pack's models in the game where its Linux
// release installs it, and an empty program home.
TEST(GameCliTest, FindsTheInstalledGameAndAddsItsModelsOnce) {
  const std::filesystem::path corpus = testsupport::CorpusDir();
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus / "utpatches/System/MultiMesh.u"));
  testsupport::TempDir root;
  ScopedEnvironment env({{"XDG_DATA_HOME", (root / "data").string()}, {"XDG_CONFIG_HOME", (root / "config").string()},
                         {"WINEPREFIX", (root / "wine").string()}});
  const std::filesystem::path home = root / "home";
  std::filesystem::create_directories(home);
  EXPECT_EQ(Marbelle({"game", "--home", Path(home)}).status, 1);

  const std::filesystem::path game = root / "data/OldUnreal/UnrealTournament";
  testsupport::InstallBonusPackGame(game);

  const Outcome found = Marbelle({"game", "--home", Path(home)});
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out, "Unreal Tournament in " + game.string() + ", where the game's Linux release installs it\n");

  const Outcome added = Marbelle({"models", "--from-game", "--home", Path(home)});
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_NE(added.out.find("3 models added"), std::string::npos) << added.out;
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  std::vector<std::string> names;
  for (const auto& entry : catalogue.Entries) names.push_back(entry->Name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Nali", "Nali WarCow", "Skaarj Hybrid"}));

  const Outcome again = Marbelle({"models", "--from-game", "--home", Path(home)});
  EXPECT_NE(again.out.find("0 models added"), std::string::npos) << again.out;
}
