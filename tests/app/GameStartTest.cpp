#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "ScriptedQuestions.h"
#include "app/MainWindow.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

// A user's first starts: the Bonus Pack's models in the game where its Linux
// release installs it, and an empty program home.
class GameStartTest : public testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(home);
  }

  // Starts the window and lets it finish what it does once it is up.
  std::unique_ptr<app::MainWindow> Start() {
    auto window = std::make_unique<app::MainWindow>(home, questions);
    QTest::qWait(50);
    return window;
  }

  static QString GameText(app::MainWindow& window) {
    return window.findChild<QLabel*>("start_Game")->text();
  }

  testsupport::TempDir root;
  const std::filesystem::path home = root / "home";
  const std::filesystem::path game = root / "data/OldUnreal/UnrealTournament";
  ScopedEnvironment environment{{{"HOME", (root / "user").string()},
                                 {"XDG_DATA_HOME", (root / "data").string()},
                                 {"XDG_CONFIG_HOME", (root / "config").string()},
                                 {"WINEPREFIX", (root / "wine").string()}}};
  ScriptedQuestions questions;
};

}  // namespace

TEST_F(GameStartTest, TheFirstStartAddsTheGamesModelsAndTheStartPageNamesThem) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir() / "utpatches/System/MultiMesh.u"));
  testsupport::InstallBonusPackGame(game);
  {
    auto window = Start();
    const auto messages = questions.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("3 models added from " + QString::fromStdString(game.string())))
        << messages[0].toStdString();
    EXPECT_EQ(window->findChild<QStackedWidget*>()->currentWidget()->objectName(), "StartPage");
    EXPECT_EQ(GameText(*window),
              "Unreal Tournament in " + QString::fromStdString(game.string()) + ", 3 player models");

    questions.models.push_back(std::nullopt);
    window->findChild<QPushButton*>("start_NewProject")->click();
    ASSERT_EQ(questions.modelLists.size(), 1u);
    EXPECT_EQ(questions.modelLists[0], (QStringList{"Nali", "Nali WarCow", "Skaarj Hybrid"}));
  }

  // The second start adds nothing and asks nothing.
  auto again = Start();
  EXPECT_TRUE(questions.TakeMessages().empty());
  EXPECT_TRUE(questions.questions.empty());
  EXPECT_EQ(GameText(*again), "Unreal Tournament in " + QString::fromStdString(game.string()) + ", 3 player models");

  // Asked for, the models are found again; what exists is replaced only on Yes.
  questions.yesNo.push_back(false);
  again->findChild<QAction*>("mnu_FindGameModels")->trigger();
  ASSERT_EQ(questions.questions.size(), 1u);
  EXPECT_EQ(questions.questions[0], "Find Models in Game: 3 of the game's models have definitions already. Replace them?");
  const auto report = questions.TakeMessages();
  ASSERT_EQ(report.size(), 1u);
  EXPECT_TRUE(report[0].contains("Kept the existing \"Skaarj Hybrid\" (MultiMesh.TSkaarj)")) << report[0].toStdString();
}

TEST_F(GameStartTest, WithoutAGameTheStartPageOffersThePreferences) {
  auto window = Start();
  EXPECT_TRUE(GameText(*window).startsWith("No game found"));
  EXPECT_TRUE(window->findChild<QPushButton*>("start_Preferences")->isVisibleTo(window.get()));
  EXPECT_TRUE(questions.TakeMessages().empty());
}
