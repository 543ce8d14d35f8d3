#include <gtest/gtest.h>

#include <QAction>

#include "ScriptedQuestions.h"
#include "SkinPackageRoundTrip.h"
#include "app/MainWindow.h"
#include "app/QtText.h"
#include "project/ProjectDocument.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

// "Open Skin Package..." on the sample's compiled package, in a home that has its model.
TEST(SkinPackageWindowTest, ASkinPackageOpensAsAProjectAndNothingIsReplacedWithoutAsking) {
  testsupport::TempDir home;
  ScopedEnvironment environment({{"HOME", (home / "user").string()},
                                 {"XDG_DATA_HOME", (home / "user" / "data").string()},
                                 {"XDG_CONFIG_HOME", (home / "user" / "config").string()},
                                 {"WINEPREFIX", (home / "user" / "wine").string()}});
  CompiledSampleHome(MARBELLE_SAMPLE_HOME, home.Path());
  ScriptedQuestions questions;
  app::MainWindow window(home.Path(), questions);
  const QString package = app::PathToQString(home / "MannequinSkinsSample.utx");
  const QString project = app::PathToQString(home / "MannequinSkinsOpened.mrb");

  questions.openFiles = {package};
  questions.saveFiles = {project};
  window.findChild<QAction*>("mnu_OpenSkinPackage")->trigger();
  ASSERT_NE(window.Document(), nullptr);
  EXPECT_EQ(window.Document()->FileName(), home / "MannequinSkinsOpened.mrb");
  EXPECT_FALSE(project::TextureNodes(window.Document()->Root()).empty());
  const auto messages = questions.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].contains("are now the project MannequinSkinsOpened.mrb")) << messages[0].toStdString();

  questions.openFiles = {package};
  questions.saveFiles = {project};
  questions.yesNo = {false};
  const auto before = std::filesystem::last_write_time(home / "MannequinSkinsOpened.mrb");
  window.findChild<QAction*>("mnu_OpenSkinPackage")->trigger();
  ASSERT_EQ(questions.questions.size(), 1u);
  EXPECT_TRUE(questions.questions[0].contains("exist already")) << questions.questions[0].toStdString();
  EXPECT_EQ(std::filesystem::last_write_time(home / "MannequinSkinsOpened.mrb"), before);
}
