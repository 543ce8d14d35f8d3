// New, load, save and save as from the menus, the questions they ask, closing
// the window, and recent projects.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QTabWidget>

#include "WindowFixture.h"
#include "app/QtText.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"

namespace {

// Closes the window as the window system would; whether it closed.
bool Close(app::MainWindow& window) {
  window.show();
  return window.close();
}

// An uncompressed 24-bit TGA of one grey, a format Qt reads but cannot write.
std::filesystem::path TgaPicture(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 24, 0x20};
  bytes.resize(bytes.size() + 8 * 8 * 3 + 8, 90);
  std::fill(bytes.end() - 8, bytes.end(), 0);
  const std::string footer = "TRUEVISION-XFILE.";
  bytes.insert(bytes.end(), footer.begin(), footer.end() + 1);
  testsupport::WriteFile(file, bytes);
  return file;
}

}  // namespace

TEST(ProjectFlowTest, NewProjectAsksAgainUntilTheNameHasThePrefixAndOpensAnEmptyProject) {
  WindowFixture fixture;
  const auto newProject = [&](std::initializer_list<const char*> names) {
    for (const char* name : names)
      fixture.questions.saveFiles.push_back(name ? app::PathToQString(fixture.home / name) : "");
    fixture.questions.models.push_back(0);
    fixture.Action("mnu_NewProject").trigger();
  };
  newProject({"soldierskinsBlue.mrb", nullptr});
  EXPECT_EQ(fixture.window->Document(), nullptr);
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "Saving");
  EXPECT_EQ(fixture.questions.messages[0].Text,
            "Filename prefix is incorrect. The name must begin with \"SoldierSkins\". Will not save.");
  EXPECT_EQ(fixture.questions.pickerTitles,
            std::vector<QString>(2, "Saving Marbelle Project (prefix must be \"SoldierSkins\")"));
  EXPECT_FALSE(fixture.Action("mnu_SaveProject").isEnabled());

  newProject({"Blue.mrb", "SoldierSkinsBlue.mrb"});
  EXPECT_EQ(fixture.questions.messages.size(), 2u);
  EXPECT_TRUE(fixture.questions.saveFiles.empty());
  ASSERT_NE(fixture.window->Document(), nullptr);
  EXPECT_EQ(fixture.window->windowTitle(), "UT Marbelle v2.5 beta 3 - (Soldier) SoldierSkinsBlue.mrb");
  EXPECT_EQ(fixture.Document().Root().Caption(), "SoldierSkinsBlue (Soldier)");
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkinsBlue.mrb"));
  for (const char* on : {"mnu_SaveProject", "mnu_SaveAs", "mnu_RefreshTextures", "mnu_Importtexture",
                         "mnu_CreateUTXINT", "mnu_CompileProjecttoUTXINTandInstallinUT", "mnu_CompileandCreateUMODfile"})
    EXPECT_TRUE(fixture.Action(on).isEnabled()) << on;
  EXPECT_TRUE(fixture.Child<QTabWidget>("PageControl1").isEnabled());
  EXPECT_EQ(fixture.Tree().model()->rowCount(), 1);
}

TEST(ProjectFlowTest, CancellingTheModelOrTheFileKeepsTheOpenProject) {
  WindowFixture fixture;
  fixture.NewProject();
  const project::ProjectDocument* open = fixture.window->Document();
  fixture.questions.models.push_back(std::nullopt);
  fixture.Action("mnu_NewProject").trigger();
  fixture.questions.models.push_back(0);
  fixture.questions.saveFiles.push_back({});
  fixture.Action("mnu_NewProject").trigger();
  fixture.questions.openFiles.push_back({});
  fixture.Action("mnu_LoadProject").trigger();
  EXPECT_EQ(fixture.window->Document(), open);
  EXPECT_TRUE(fixture.questions.messages.empty());
}

TEST(ProjectFlowTest, SaveWritesTheProjectAndAsksPerModifiedTexture) {
  WindowFixture fixture;
  fixture.NewProject();
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  fixture.AddTexture(skin, 1);
  EXPECT_TRUE(fixture.Document().Modified());
  fixture.Action("mnu_SaveProject").trigger();
  EXPECT_FALSE(fixture.Document().Modified());
  EXPECT_TRUE(fixture.questions.questions.empty());
  const auto text = testsupport::ReadFile(fixture.home / "SoldierSkins.mrb");
  EXPECT_NE(std::string(text.begin(), text.end()).find("blst=Blue Steel"), std::string::npos);

  // A painted texture is offered for saving, once per save.
  const project::SkinNode& texture = *project::TextureNodes(fixture.Document().Root()).front();
  raster::Bitmap painted = texture.Texture().SourceBitmap;
  painted.Pixels()[0] = 255;
  const_cast<project::ProjectDocument&>(fixture.Document()).SetSourceBitmap(texture, painted);
  fixture.questions.yesNo.push_back(false);
  fixture.Action("mnu_SaveProject").trigger();
  ASSERT_EQ(fixture.questions.questions.size(), 1u);
  EXPECT_TRUE(fixture.questions.questions[0].startsWith("Saving...: Save modified texture Blue Steel/Body/"))
      << fixture.questions.questions[0].toStdString();
  EXPECT_TRUE(texture.Texture().Modified);
}

TEST(ProjectFlowTest, SaveAsRenamesTheProjectAndAcceptsAnyName) {
  WindowFixture fixture;
  fixture.NewProject();
  fixture.AddSkin("Red");
  fixture.questions.saveFiles.push_back(app::PathToQString(fixture.home / "Elsewhere" / "other.mrb"));
  std::filesystem::create_directories(fixture.home / "Elsewhere");
  fixture.Action("mnu_SaveAs").trigger();
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "Elsewhere" / "other.mrb"));
  EXPECT_FALSE(fixture.Document().Modified());
  EXPECT_EQ(fixture.window->windowTitle().toStdString(),
            "UT Marbelle v2.5 beta 3 - (Soldier) " + (fixture.home / "Elsewhere" / "other.mrb").string());
  EXPECT_EQ(fixture.Document().Root().Caption(), "other");
}

TEST(ProjectFlowTest, LoadShowsTheProjectAndRefusesAModelThatIsNotInstalled) {
  WindowFixture fixture;
  fixture.NewProject();
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  fixture.AddTexture(skin, 1, "<Red Team>", "john");
  fixture.Action("mnu_SaveProject").trigger();
  const project::ProjectDocument* saved = fixture.window->Document();

  fixture.WriteText(fixture.home / "OtherSkins.mrb", "[General]\nModel=Missing\n");
  fixture.questions.openFiles.push_back(app::PathToQString(fixture.home / "OtherSkins.mrb"));
  fixture.Action("mnu_LoadProject").trigger();
  EXPECT_EQ(fixture.window->Document(), saved);
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "ERROR");
  EXPECT_EQ(fixture.questions.messages[0].Text, "The model of this project is not installed!");
  fixture.questions.messages.clear();

  fixture.questions.openFiles.push_back(app::PathToQString(fixture.home / "SoldierSkins.mrb"));
  fixture.Action("mnu_LoadProject").trigger();
  ASSERT_NE(fixture.window->Document(), saved);
  EXPECT_EQ(fixture.questions.pickerTitles.back(), "Opening Marbelle Project");
  EXPECT_TRUE(fixture.questions.messages.empty());
  EXPECT_FALSE(fixture.Document().Modified());
  EXPECT_EQ(project::TextureNodes(fixture.Document().Root()).size(), 1u);
  EXPECT_EQ(fixture.Tree().currentIndex(), fixture.Tree().model()->index(0, 0));
  EXPECT_FALSE(project::TextureNodes(fixture.Document().Root()).front()->Texture().Palette.empty());
}

TEST(ProjectFlowTest, UnreadableTexturesAreListedInOneMessageAfterTheLoad) {
  WindowFixture fixture;
  fixture.WriteText(fixture.home / "Textures" / "abcd1.bmp", "not a picture");
  fixture.WriteText(fixture.home / "Textures" / "abcd3.bmp", "not a picture either");
  fixture.WriteText(fixture.home / "SoldierSkins.mrb",
                    "[General]\nModel=Soldier\n[Groups]\nabcd=Skin\n"
                    "[abcd#1#< Default > ()]\nFilename=Textures\\abcd1.bmp\n"
                    "[abcd#3#< Default > ()]\nFilename=Textures\\abcd3.bmp\n"
                    "[abcd#3#< Default >x (x)]\nIdentifier=x\nFilename=Textures\\gone.bmp\n");
  EXPECT_TRUE(fixture.window->OpenProject(fixture.home / "SoldierSkins.mrb"));
  // The load's one message, then the preview's one for the sections it shows as wire-frame.
  ASSERT_EQ(fixture.questions.messages.size(), 2u);
  const QString& text = fixture.questions.messages[0].Text;
  EXPECT_TRUE(text.contains("abcd1.bmp") && text.contains("abcd3.bmp") && text.contains("gone.bmp"))
      << text.toStdString();
  const QString& preview = fixture.questions.messages[1].Text;
  EXPECT_TRUE(preview.startsWith("Cannot load texture: ")) << preview.toStdString();
  EXPECT_EQ(preview.count("Cannot load texture: "), 2) << preview.toStdString();
  fixture.Action("mnu_RefreshTextures").trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(fixture.questions.messages.size(), 2u);
}

TEST(ProjectFlowTest, NewAndLoadOfferToSaveAModifiedProjectFirst) {
  WindowFixture fixture;
  fixture.NewProject();
  fixture.AddSkin("Red");
  // No: the changes are lost with the old project, and the new one opens.
  fixture.questions.yesNo.push_back(false);
  fixture.NewProject("SoldierSkins2.mrb");
  EXPECT_EQ(fixture.questions.questions, std::vector<QString>({"Save Project: Save the project?"}));
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.mrb"));
  EXPECT_TRUE(fixture.Document().Root().Children().empty());

  fixture.AddSkin("Blue");
  fixture.questions.yesNo.push_back(true);
  fixture.questions.openFiles.push_back({});
  fixture.Action("mnu_LoadProject").trigger();
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "SoldierSkins2.mrb"));
}

TEST(ProjectFlowTest, ClosingAsksOnlyWithChangesAndCancelKeepsEverything) {
  {
    WindowFixture fixture;
    fixture.NewProject();
    EXPECT_TRUE(Close(fixture.Window()));
    EXPECT_TRUE(fixture.questions.questions.empty());
  }
  WindowFixture fixture;
  fixture.NewProject();
  fixture.AddSkin("Red");
  fixture.questions.closeAnswers = {app::CloseAnswer::Cancel};
  EXPECT_FALSE(Close(fixture.Window()));
  EXPECT_TRUE(fixture.Document().Modified());
  EXPECT_EQ(fixture.Document().Root().Children().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.mrb"));

  fixture.questions.closeAnswers = {app::CloseAnswer::Discard};
  EXPECT_TRUE(Close(fixture.Window()));
  EXPECT_FALSE(std::filesystem::exists(fixture.home / "SoldierSkins.mrb"));

  fixture.questions.closeAnswers = {app::CloseAnswer::Save};
  EXPECT_TRUE(Close(fixture.Window()));
  EXPECT_TRUE(std::filesystem::exists(fixture.home / "SoldierSkins.mrb"));
  EXPECT_EQ(fixture.questions.questions.size(), 3u);
  EXPECT_EQ(fixture.questions.questions[0], "Save Project: Save the project?");
}

TEST(ProjectFlowTest, ASaveThatLeavesPaintUnwrittenNeitherClosesNorMovesOn) {
  WindowFixture fixture;
  fixture.NewProject();
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  fixture.questions.textures.push_back(
      app::TextureValues{app::PathToQString(TgaPicture(fixture.home / "skin.tga")), "< Default >", {}});
  fixture.RunPopup(&SectionNode(fixture.Document(), skin, 1), "Add Texture...");
  ASSERT_EQ(project::TextureNodes(fixture.Document().Root()).size(), 1u);
  const project::SkinNode& texture = *project::TextureNodes(fixture.Document().Root()).front();
  raster::Bitmap painted = texture.Texture().SourceBitmap;
  painted.Pixels()[0] = 255;
  const_cast<project::ProjectDocument&>(fixture.Document()).SetSourceBitmap(texture, painted);

  // The picture cannot be written, then its question is declined: the window stays, and says what is unsaved.
  for (const bool write : {true, false}) {
    fixture.questions.closeAnswers = {app::CloseAnswer::Save};
    fixture.questions.yesNo = {write};
    EXPECT_FALSE(Close(fixture.Window()));
    ASSERT_EQ(fixture.questions.messages.size(), 1u);
    EXPECT_EQ(fixture.questions.messages[0].Icon, app::MessageIcon::Warning);
    EXPECT_TRUE(fixture.questions.messages[0].Text.contains("Blue Steel/Body/< Default > ()"))
        << fixture.questions.messages[0].Text.toStdString();
    fixture.questions.messages.clear();
    EXPECT_TRUE(fixture.Document().Modified());
    EXPECT_EQ(texture.Texture().SourceBitmap.Pixels()[0], 255);
  }

  // New and Load stop after such a save, before asking for a model or a file.
  const project::ProjectDocument* open = fixture.window->Document();
  for (const char* command : {"mnu_NewProject", "mnu_LoadProject"}) {
    fixture.questions.yesNo = {true, false};
    fixture.Action(command).trigger();
    EXPECT_EQ(fixture.window->Document(), open);
    EXPECT_EQ(fixture.questions.TakeMessages().size(), 1u);
  }
  EXPECT_EQ(fixture.questions.modelLists.size(), 1u);
  EXPECT_EQ(fixture.questions.pickerTitles.size(), 1u);

  fixture.questions.closeAnswers = {app::CloseAnswer::Discard};
  EXPECT_TRUE(Close(fixture.Window()));
}

TEST(ProjectFlowTest, RecentProjectsListWhatWasOpenedAndSavedMostRecentFirst) {
  WindowFixture fixture;
  fixture.NewProject();
  fixture.Action("mnu_SaveProject").trigger();
  fixture.NewProject("SoldierSkins2.mrb");
  fixture.Action("mnu_SaveProject").trigger();
  auto& recent = fixture.Child<QMenu>("mnu_RecentProjects");
  emit recent.aboutToShow();
  ASSERT_EQ(recent.actions().size(), 2);
  EXPECT_EQ(recent.actions()[0]->text(), app::PathToQString(fixture.home / "SoldierSkins2.mrb"));
  recent.actions()[1]->trigger();
  EXPECT_EQ(fixture.Document().FileName(), fixture.home / "SoldierSkins.mrb");
  EXPECT_EQ(platform::ReadRecentProjects(platform::SettingsFilePath(fixture.home.Path())).front(),
            fixture.home / "SoldierSkins.mrb");
}
