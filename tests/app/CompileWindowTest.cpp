// The compile commands of the Actions menu: the busy window, the progress
// window with its Cancel button, and the messages at the end.
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

#include "WindowFixture.h"
#include "app/ProgressWindow.h"
#include "app/QtText.h"
#include "compile/UmodArchive.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"

namespace {

class CompileWindowTest : public testing::Test {
protected:
  CompileWindowTest() {
    fixture.NewProject();
    const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
    fixture.AddTexture(skin, 1);
    fixture.AddTexture(skin, 1, "<Red Team>", "john");
    fixture.Action("mnu_SaveProject").trigger();
  }

  // Runs a compile command and waits until its end has been reported.
  void Compile(const char* action) {
    QSignalSpy finished(fixture.window.get(), &app::MainWindow::CompileFinished);
    fixture.Action(action).trigger();
    EXPECT_TRUE(fixture.window->Busy());
    EXPECT_FALSE(fixture.window->menuBar()->isEnabled());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(fixture.window->Busy());
    EXPECT_TRUE(fixture.window->menuBar()->isEnabled());
  }

  WindowFixture fixture;
};

}  // namespace

TEST_F(CompileWindowTest, CompilingWritesThePackageAndSaysSo) {
  Compile("mnu_CreateUTXINT");
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "Compilation");
  const QString project = app::PathToQString(fixture.home / "SoldierSkins");
  EXPECT_EQ(fixture.questions.messages[0].Text,
            "Project compiled!\n\nFiles written:\n" + project + ".utx\n" + project + ".int");
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "SoldierSkins.utx"));
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "SoldierSkins.int"));
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.umod"));
  EXPECT_EQ(fixture.window->findChild<app::ProgressWindow*>(), nullptr);

  fixture.questions.messages.clear();
  Compile("mnu_CompileandCreateUMODfile");
  EXPECT_EQ(fixture.questions.TakeMessages(),
            std::vector<QString>({"Project compiled and UMOD created!\n\nFiles written:\n" + project + ".utx\n" +
                                  project + ".int\n" + project + ".umod"}));
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "SoldierSkins.umod"));
}

TEST_F(CompileWindowTest, InstallingCopiesIntoTheGameDirectory) {
  std::filesystem::create_directories(fixture.home / "game" / "System");
  std::filesystem::create_directories(fixture.home / "game" / "Textures");
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(fixture.home.Path()), (fixture.home / "game").string());
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  ASSERT_TRUE(fixture.window->OpenProject(fixture.home / "SoldierSkins.mrb"));
  Compile("mnu_CompileProjecttoUTXINTandInstallinUT");
  const QString project = app::PathToQString(fixture.home / "SoldierSkins");
  const QString game = app::PathToQString(fixture.home / "game");
  EXPECT_EQ(fixture.questions.TakeMessages(),
            std::vector<QString>({"Project compiled and installed under " + game + "\n\nFiles written:\n" + project +
                                  ".utx\n" + project + ".int\n" + game + "/Textures/SoldierSkins.utx\n" + game +
                                  "/System/SoldierSkins.int"}));
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "game" / "Textures" / "SoldierSkins.utx"));
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "game" / "System" / "SoldierSkins.int"));
}

TEST_F(CompileWindowTest, AFailureIsAnErrorNamingTheFileAndLeavesTheWindowUsable) {
  std::filesystem::create_directories(fixture.home / "SoldierSkins.utx" / "blocked");
  Compile("mnu_CreateUTXINT");
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "ERROR");
  EXPECT_TRUE(fixture.questions.messages[0].Text.contains("SoldierSkins.utx")) << fixture.questions.messages[0].Text.toStdString();
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.int"));
  EXPECT_TRUE(fixture.Action("mnu_CreateUTXINT").isEnabled());
}

TEST_F(CompileWindowTest, CancelStopsTheCompilationAndWritesNothing) {
  for (int texture = 0; texture < 20; ++texture)
    fixture.AddTexture(*project::FindSkinByCode(fixture.Document().Root(), "blst"), 3, "< Default >",
                       "face" + QString::number(texture));
  QSignalSpy finished(fixture.window.get(), &app::MainWindow::CompileFinished);
  fixture.Action("mnu_CreateUTXINT").trigger();
  auto* progress = fixture.window->findChild<app::ProgressWindow*>();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  progress->findChild<QPushButton*>("btn_cancel")->click();
  ASSERT_TRUE(finished.wait(60000));
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Text, "The compilation was cancelled. No file was changed.");
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.utx"));
  EXPECT_FALSE(fixture.window->Busy());
}

TEST(InstallUmodWindowTest, TheFileMenuInstallsAnArchiveAfterListingItsFiles) {
  WindowFixture fixture;
  const auto game = fixture.home / "game";
  std::filesystem::create_directories(game / "system");
  std::filesystem::create_directories(game / "textures");
  testsupport::WriteFile(game / "system" / "Knights.int", Bytes("old"));
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(fixture.home.Path()), game.string());
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  compile::UmodOptions options;
  options.productName = "Knights";
  testsupport::WriteFile(fixture.home / "Knights.umod", compile::BuildUmodArchive("Knights", "UTX", "[Public]\r\n", options));

  // Declined: nothing written.
  fixture.questions.openFiles = {app::PathToQString(fixture.home / "Knights.umod")};
  fixture.questions.yesNo = {false};
  fixture.Action("mnu_InstallUmod").trigger();
  ASSERT_EQ(fixture.questions.questions.size(), 1u);
  const QString& question = fixture.questions.questions[0];
  EXPECT_TRUE(question.startsWith("Install UMOD: Install Knights (version 100) into " + app::PathToQString(game) + "?"))
      << question.toStdString();
  EXPECT_TRUE(question.contains(app::PathToQString(game / "textures" / "Knights.utx") + "\n")) << question.toStdString();
  EXPECT_TRUE(question.contains(app::PathToQString(game / "system" / "Knights.int") + "  (replaces the file there)"));
  EXPECT_FALSE(std::filesystem::exists(game / "textures" / "Knights.utx"));

  fixture.questions.openFiles = {app::PathToQString(fixture.home / "Knights.umod")};
  fixture.questions.yesNo = {true};
  fixture.Action("mnu_InstallUmod").trigger();
  EXPECT_EQ(fixture.questions.TakeMessages(),
            std::vector<QString>({"Knights is installed: 2 files written, 1 of them in place of older ones."}));
  EXPECT_EQ(testsupport::ReadFile(game / "textures" / "Knights.utx"), Bytes("UTX"));
  EXPECT_EQ(testsupport::ReadFile(game / "system" / "Knights.int"), Bytes("[Public]\r\n"));

  // A damaged archive: the reason, no question.
  testsupport::WriteFile(fixture.home / "Bad.umod", Bytes("not an archive at all, only text"));
  fixture.questions.openFiles = {app::PathToQString(fixture.home / "Bad.umod")};
  fixture.Action("mnu_InstallUmod").trigger();
  const auto shown = fixture.questions.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains("does not end with the UMOD signature")) << shown[0].toStdString();
  EXPECT_EQ(fixture.questions.questions.size(), 2u);
}
