// Where the file pickers open: each kind of file in the folder it was last
// answered in, from one start of the program to the next; game files in the
// game's folders until then.
#include "WindowFixture.h"
#include "app/QtText.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"

using app::PathToQString;

TEST(FileDialogFoldersTest, EachKindStartsWhereItWasLastAnsweredFromOneStartToTheNext) {
  WindowFixture fixture;
  std::filesystem::create_directories(fixture.home / "projects");
  const auto load = [&](const QString& answer) {
    fixture.questions.openFiles.push_back(answer);
    fixture.Action("mnu_LoadProject").trigger();
    return fixture.questions.pickerStarts.back();
  };
  EXPECT_EQ(load(PathToQString(fixture.home / "projects" / "Missing.mrb")), PathToQString(fixture.home.Path()));
  fixture.questions.messages.clear();
  EXPECT_EQ(load({}), PathToQString(fixture.home / "projects"));
  // Another kind keeps its own folder.
  fixture.questions.openFiles.push_back({});
  fixture.Action("mnu_InstallUmod").trigger();
  EXPECT_EQ(fixture.questions.pickerStarts.back(), PathToQString(fixture.home.Path()));

  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  EXPECT_EQ(load({}), PathToQString(fixture.home / "projects"));
  // A save picker proposes its name in the remembered folder.
  fixture.NewProject();
  EXPECT_EQ(fixture.questions.pickerStarts.back(), PathToQString(fixture.home / "projects" / "SoldierSkins"));
  EXPECT_EQ(load({}), PathToQString(fixture.home.Path()));

  std::filesystem::remove(fixture.home / "projects");
  fixture.questions.openFiles.push_back(PathToQString(fixture.home / "projects" / "Gone.mrb"));
  fixture.Action("mnu_LoadProject").trigger();
  EXPECT_EQ(load({}), PathToQString(fixture.home.Path()));
}

TEST(FileDialogFoldersTest, GameFilesStartInTheGameFolderUntilAFolderIsRemembered) {
  WindowFixture fixture;
  std::filesystem::create_directories(fixture.home / "game" / "system");
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(fixture.home.Path()), (fixture.home / "game").string());
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  fixture.questions.openFiles = {PathToQString(fixture.home / "game" / "system" / "Missing.umod"), QString()};
  fixture.Action("mnu_InstallUmod").trigger();
  fixture.Action("mnu_InstallUmod").trigger();
  EXPECT_EQ(fixture.questions.pickerStarts,
            std::vector({PathToQString(fixture.home / "game"), PathToQString(fixture.home / "game" / "system")}));
}
