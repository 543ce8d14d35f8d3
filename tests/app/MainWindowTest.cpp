// Start-up, the menus' states and the commands of the File and Help menus
// that do not touch a project.
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include "WindowFixture.h"
#include "app/AboutBox.h"
#include "app/HelpFile.h"
#include "app/QtText.h"
#include "platform/IniFile.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"

namespace {

QStringList MenuCaptions(QMenu* menu) {
  QStringList captions;
  for (QAction* action : menu->actions()) captions << (action->isSeparator() ? "-" : action->text());
  return captions;
}

}  // namespace

TEST(MainWindowTest, StartsWithTheMenusCaptionsAndStatesOfAWindowWithoutProject) {
  WindowFixture fixture;
  app::MainWindow& window = fixture.Window();
  EXPECT_EQ(window.windowTitle(), "UT Marbelle v2.5 beta 3");

  QStringList menus;
  for (QAction* action : window.menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, QStringList({"File", "Edit", "Actions", "Help"}));
  EXPECT_EQ(MenuCaptions(fixture.Child<QMenu>("mnu_File").menuAction()->menu()),
            QStringList({"New Project...", "Load Project...", "Open Skin Package...", "Recent Projects", "Save Project",
                         "Save Project As...",
                         "Install UMOD...", "-", "Load Animations", "Show Advanced Mode", "Find Models in Game...",
                         "Model Compiler...", "-",
                         "Exit"}));
  EXPECT_EQ(MenuCaptions(&fixture.Child<QMenu>("mnu_Actions")),
            QStringList({"Refresh Textures", "Import Textures...", "-", "Compile Project to UTX/INT...",
                         "Compile Project to UTX/INT and Install in UT...", "Compile Project and Create UMOD file..."}));
  EXPECT_EQ(MenuCaptions(&fixture.Child<QMenu>("mnu_About")),
            QStringList({"Contents...", "-", "OpenGL Information...", "About..."}));

  for (const char* off : {"mnu_SaveProject", "mnu_SaveAs", "mnu_RefreshTextures", "mnu_Importtexture",
                          "mnu_CreateUTXINT", "mnu_CompileProjecttoUTXINTandInstallinUT", "mnu_CompileandCreateUMODfile",
                          "mnu_Undo", "mnu_Redo"})
    EXPECT_FALSE(fixture.Action(off).isEnabled()) << off;
  for (const char* on : {"mnu_NewProject", "mnu_LoadProject", "mnu_Exit", "mnu_HelpContents", "mnu_HelpAbout"})
    EXPECT_TRUE(fixture.Action(on).isEnabled()) << on;
  EXPECT_TRUE(fixture.Action("mnu_LoadAnimations").isChecked());
  EXPECT_FALSE(fixture.Action("mnu_Expertmode").isChecked());
  EXPECT_FALSE(fixture.Action("mnu_ModelCompiler").isVisible());
  EXPECT_FALSE(fixture.Child<QTabWidget>("PageControl1").isEnabled());
  EXPECT_FALSE(fixture.Child<QWidget>("Panel_preview").isEnabled());
  EXPECT_EQ(fixture.Child<QTabWidget>("PageControl1").tabText(0), "Skin Editor");
  EXPECT_EQ(fixture.Child<QTabWidget>("PageControl1").tabText(1), "Project Options");
  EXPECT_EQ(fixture.Action("mnu_NewProject").shortcut().toString(), "Ctrl+N");
  EXPECT_EQ(fixture.Action("mnu_LoadProject").shortcut().toString(), "Ctrl+O");
  EXPECT_EQ(fixture.Action("mnu_SaveProject").shortcut().toString(), "Ctrl+S");
  EXPECT_EQ(fixture.Action("mnu_SaveAs").shortcut().toString(), "Ctrl+Shift+S");
  EXPECT_EQ(fixture.Action("mnu_Undo").shortcut().toString(), "Ctrl+Z");
  EXPECT_EQ(fixture.Action("mnu_Redo").shortcut().toString(), "Ctrl+Shift+Z");
  EXPECT_EQ(fixture.window->GameDirectory(), "C:\\UnrealTournament");
  EXPECT_TRUE(fixture.questions.messages.empty());
}

TEST(MainWindowTest, AdvancedModeShowsAndHidesItsThreeThingsTogether) {
  WindowFixture fixture;
  fixture.window->show();
  fixture.NewProject();
  QAction& advanced = fixture.Action("mnu_Expertmode");
  auto& button = fixture.Child<QPushButton>("btn_defaultposition");
  auto& status = fixture.Child<QStatusBar>("StatusBarPreview");
  advanced.trigger();
  EXPECT_TRUE(fixture.Action("mnu_ModelCompiler").isVisible());
  EXPECT_TRUE(button.isVisible());
  EXPECT_TRUE(status.isVisible());
  EXPECT_EQ(fixture.Child<QLabel>("preview_scale").text(), "Scale=(1.00 1.00 1.00)");
  EXPECT_EQ(fixture.Child<QLabel>("preview_position").text(), "Position=(0.0 0.0 0.0)");
  EXPECT_EQ(fixture.Child<QLabel>("preview_rotation").text(), "Rotation=(0 0 0)");
  advanced.trigger();
  EXPECT_FALSE(fixture.Action("mnu_ModelCompiler").isVisible());
  EXPECT_FALSE(button.isVisible());
  EXPECT_FALSE(status.isVisible());
}

TEST(MainWindowTest, LoadAnimationsIsReadAtStartAndWrittenAtOnce) {
  {
    WindowFixture fixture;
    const std::filesystem::path own = platform::SettingsFilePath(fixture.home.Path());
    fixture.Action("mnu_LoadAnimations").trigger();
    EXPECT_EQ(platform::IniFile::Load(own).ReadString("Configuration", "LoadAnimations", ""), "0");
    fixture.Action("mnu_LoadAnimations").trigger();
    EXPECT_EQ(platform::IniFile::Load(own).ReadString("Configuration", "LoadAnimations", ""), "1");
  }
  for (const auto& [value, checked] : {std::pair{"0", false}, std::pair{"2", true}, std::pair{"yes", true}}) {
    WindowFixture fixture;
    fixture.WriteText(platform::SettingsFilePath(fixture.home.Path()), std::string("[Configuration]\nLoadAnimations=") + value + "\n");
    fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
    EXPECT_EQ(fixture.Action("mnu_LoadAnimations").isChecked(), checked) << value;
  }
}

TEST(MainWindowTest, AnUnwritableSettingsFileIsReportedAndTheCheckMarkStaysChanged) {
  WindowFixture fixture;
  std::filesystem::create_directories(platform::SettingsFilePath(fixture.home.Path()));
  fixture.Action("mnu_LoadAnimations").trigger();
  EXPECT_FALSE(fixture.Action("mnu_LoadAnimations").isChecked());
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Icon, app::MessageIcon::Error);
  EXPECT_TRUE(fixture.questions.messages[0].Text.contains("UTMarbelle.ini")) << fixture.questions.messages[0].Text.toStdString();
}

TEST(MainWindowTest, TheGameDirectoryComesFromTheSettingOrTheRegistry) {
  WindowFixture fixture;
  fixture.WriteText(fixture.home / "user" / "config" / "utmarbelle" / "registry.ini",
                    "[unreal\\Shell\\open\\command]\n@=C:\\Games\\UT\\System\\UnrealTournament.exe %1\n");
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  EXPECT_EQ(fixture.window->GameDirectory(), "C:\\Games\\UT");
  EXPECT_EQ(fixture.window->GameDirectoryPath(), fixture.home / "user" / "wine" / "drive_c" / "Games" / "UT");

  std::filesystem::create_directories(fixture.home / "ut" / "System");
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(fixture.home.Path()), (fixture.home / "ut").string());
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  EXPECT_EQ(fixture.window->GameDirectoryPath(), fixture.home / "ut");
}

TEST(MainWindowTest, StartUpRegistersTheFileTypesWithTheDesktopOnce) {
  WindowFixture fixture;
  const std::filesystem::path mime = fixture.home / "user" / "data" / "mime" / "packages" / "utmarbelle.xml";
  const std::filesystem::path entry = fixture.home / "user" / "data" / "applications" / "utmarbelle.desktop";
  ASSERT_TRUE(std::filesystem::exists(mime));
  ASSERT_TRUE(std::filesystem::exists(entry));
  fixture.WriteText(entry, "[Desktop Entry]\nName=Mine\n");
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  const auto bytes = testsupport::ReadFile(entry);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Desktop Entry]\nName=Mine\n");
}

TEST(MainWindowTest, DefinitionsThatCannotBeReadAreToldOnceTheWindowIsUp) {
  WindowFixture fixture;
  fixture.WriteText(fixture.home / "Broken.mrbe", "[Model]\nPrefix=Broken\n3DFile=x.mrbm\nScaleX=abc\n");
  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  EXPECT_TRUE(fixture.questions.messages.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_TRUE(fixture.questions.messages[0].Text.contains("Broken.mrbe"));
  EXPECT_EQ(fixture.window->Catalogue().Entries.size(), 1u);
}

TEST(MainWindowTest, TheAboutBoxAndTheManualAreWhereTheMenuFindsThem) {
  QWidget owner;
  app::AboutBox box(&owner);
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), "Unreal Tournament Marbelle");
  EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), "Version 2.5 beta 3");
  EXPECT_EQ(box.findChild<QLabel*>("ProductName")->font().pixelSize(), 15);
  EXPECT_TRUE(box.findChild<QLabel*>("Licence")->text().contains("GNU General Public License"));

  const QUrl url = app::HelpContentsUrl("/opt/utmarbelle/help/index.html");
  EXPECT_EQ(url.toString(), "file:///opt/utmarbelle/help/index.html#contents");
  EXPECT_EQ(app::HelpFile().filename(), "index.html");
  EXPECT_EQ(app::HelpFile().parent_path().filename(), "help");
}

TEST(MainWindowTest, HelpContentsWithoutABrowserSaysWhereTheManualIs) {
  WindowFixture fixture;
  // No program on the path can open a page.
  const ScopedEnvironment noBrowser({{"PATH", fixture.home.Path().string()}, {"BROWSER", std::nullopt}});
  fixture.Action("mnu_HelpContents").trigger();
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Icon, app::MessageIcon::Information);
  EXPECT_TRUE(fixture.questions.messages[0].Text.endsWith(app::PathToQString(app::HelpFile())))
      << fixture.questions.messages[0].Text.toStdString();
}
