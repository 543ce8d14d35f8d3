// The dialogs and panels as widgets: what they accept, refuse and show.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "ScriptedQuestions.h"
#include "WindowFixture.h"
#include "app/PreferencesDialog.h"
#include "app/ProgressWindow.h"
#include "app/QtText.h"
#include "app/SelectModelDialog.h"
#include "app/SkinDialog.h"
#include "app/TextureDialog.h"
#include "project/ProjectCommands.h"

namespace {

template <typename Widget>
Widget& Find(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(name);
  if (!widget) throw std::logic_error(std::string("no widget ") + name);
  return *widget;
}

QPushButton& Button(QWidget& parent, const QString& caption) {
  for (QPushButton* button : parent.findChildren<QPushButton*>())
    if (button->text() == caption) return *button;
  throw std::logic_error("no button " + caption.toStdString());
}

}  // namespace

TEST(DialogsTest, TheSkinDialogTakesFourLettersAndRunsItsCheckBeforeClosing) {
  ScriptedQuestions questions;
  int checks = 0;
  app::SkinDialog dialog(questions, {}, [&](const app::SkinValues& values) {
    ++checks;
    if (values.Description.contains('(')) throw project::ProjectError("no brackets");
  });
  EXPECT_EQ(dialog.windowTitle(), "New Skin");
  auto& code = Find<QLineEdit>(dialog, "groupcode");
  auto& description = Find<QLineEdit>(dialog, "groupdescription");
  QTest::keyClicks(&code, "ab1c-dEF");
  EXPECT_EQ(code.displayText(), "abcd");
  EXPECT_EQ(dialog.Values().Code, "abcd");
  QTest::keyClicks(&description, "Blue (x)");
  dialog.show();
  Button(dialog, "Ok").click();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(questions.messages.size(), 1u);
  EXPECT_EQ(questions.messages[0].Text, "no brackets");
  description.setText("Blue");
  Button(dialog, "Ok").click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(checks, 2);

  app::SkinDialog blank(questions, {}, {});
  EXPECT_EQ(Find<QLineEdit>(blank, "groupcode").displayText(), "____");
  EXPECT_EQ(blank.Values().Code, "");
}

TEST(DialogsTest, ASingleSkinModelsSkinDialogTakesTheWholeName) {
  ScriptedQuestions questions;
  app::SkinDialog dialog(questions, {"Priest", "High_Priest", true}, {});
  auto& code = Find<QLineEdit>(dialog, "groupcode");
  EXPECT_EQ(code.displayText(), "High_Priest");
  code.clear();
  QTest::keyClicks(&code, "War Cow-2!");
  EXPECT_EQ(dialog.Values().Code, "WarCow-2");
  EXPECT_TRUE(dialog.Values().WholeName);
}

TEST(DialogsTest, TheTextureDialogRefusesAMissingFileAndTeamFacesAndDropsBracketKeys) {
  ScriptedQuestions questions;
  app::TextureDialog dialog(questions, "/home");
  app::TextureDialogSetup setup;
  setup.Teams = {"< Default >", "<Blue Team>"};
  setup.Team = "<Blue Team>";
  setup.TeamEnabled = true;
  setup.FaceEnabled = true;
  setup.Faces = {"john"};
  dialog.Prepare("New Texture", setup, {});
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "New Texture");
  EXPECT_EQ(Find<QComboBox>(dialog, "insert_team").currentText(), "<Blue Team>");
  Button(dialog, "Ok").click();
  ASSERT_EQ(questions.messages.size(), 1u);
  EXPECT_EQ(questions.messages[0].Title, "ERROR");
  EXPECT_EQ(questions.messages[0].Text, "Please select a texture file.");
  EXPECT_TRUE(dialog.isVisible());

  questions.openFiles.push_back("/art/blst1.bmp");
  Find<QToolButton>(dialog, "bitmap_select").click();
  EXPECT_EQ(Find<QLineEdit>(dialog, "bitmap").text(), "/art/blst1.bmp");
  EXPECT_EQ(questions.pickerTitles.back(), "Open");
  auto& face = Find<QComboBox>(dialog, "insert_face");
  face.setEditText("");
  QTest::keyClicks(face.lineEdit(), "T_<b(i)g>");
  EXPECT_EQ(face.currentText(), "T_big");
  Button(dialog, "Ok").click();
  EXPECT_EQ(questions.messages.back().Text, "Faces cannot start with \"T_\".");
  EXPECT_TRUE(dialog.isVisible());
  face.setEditText("big");
  Button(dialog, "Ok").click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Values().Face, "big");
  EXPECT_EQ(questions.messages.size(), 2u);

  // Editing: the file stays as it is, and a section without teams or faces offers neither.
  dialog.Prepare("Edit Texture", {false, "/art/x.bmp", {"< Default >"}, "< Default >", false, false, {}, {}}, {});
  EXPECT_FALSE(Find<QLineEdit>(dialog, "bitmap").isEnabled());
  EXPECT_FALSE(Find<QToolButton>(dialog, "bitmap_select").isEnabled());
  EXPECT_FALSE(Find<QComboBox>(dialog, "insert_team").isEnabled());
  EXPECT_FALSE(face.isEnabled());
  EXPECT_TRUE(face.currentText().isEmpty());
}

TEST(DialogsTest, TheTextureDialogKeepsAFaceSpeltAnewInAnotherCase) {
  ScriptedQuestions questions;
  app::TextureDialog dialog(questions, "/home");
  const app::TextureDialogSetup setup{false, "/art/x.bmp", {"< Default >"}, "< Default >", false, true, {"frost", "Bob"},
                                      "frost"};
  dialog.Prepare("Edit Texture", setup, {});
  dialog.show();
  auto& face = Find<QComboBox>(dialog, "insert_face");
  face.lineEdit()->selectAll();
  QTest::keyClicks(face.lineEdit(), "Frost");
  QTest::keyClick(face.lineEdit(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Values().Face, "Frost");
}

TEST(DialogsTest, TheSelectModelDialogListsModelsByNameAndNeedsAClick) {
  ProjectFixture files;
  files.WriteText(files.home / "Zed.mrbe", "[Model]\nName=Zed\nPrefix=Zed\nMesh=ZedPkg.Zed\n");
  files.WriteText(files.home / "Abe.mrbe", "[Model]\nName=Abe\nPrefix=Abe\n");
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(files.home.Path());
  app::SelectModelDialog dialog(catalogue);
  EXPECT_EQ(dialog.windowTitle(), "Select Model");
  auto& list = Find<QTreeWidget>(dialog, "lista_modelos");
  ASSERT_EQ(list.topLevelItemCount(), 3);
  EXPECT_EQ(list.headerItem()->text(0), "Model Name");
  EXPECT_EQ(list.headerItem()->text(1), "Preview");
  QStringList rows;
  for (int row = 0; row < 3; ++row) rows << list.topLevelItem(row)->text(0) + "/" + list.topLevelItem(row)->text(1);
  EXPECT_EQ(rows, QStringList({"Abe/No", "Soldier/No", "Zed/Yes"}));
  EXPECT_FALSE(Button(dialog, "Ok").isEnabled());
  EXPECT_EQ(dialog.SelectedModel(), std::nullopt);
  dialog.show();
  const QRect zed = list.visualItemRect(list.topLevelItem(2));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, zed.center());
  EXPECT_TRUE(Button(dialog, "Ok").isEnabled());
  ASSERT_TRUE(dialog.SelectedModel());
  EXPECT_EQ(catalogue.Entries[*dialog.SelectedModel()]->Name, "Zed");
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, zed.center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(DialogsTest, TheSelectModelDialogWorksByKeyboard) {
  ProjectFixture files;
  files.WriteText(files.home / "Abe.mrbe", "[Model]\nName=Abe\nPrefix=Abe\n");
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(files.home.Path());
  app::SelectModelDialog dialog(catalogue);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto& list = Find<QTreeWidget>(dialog, "lista_modelos");
  EXPECT_TRUE(list.hasFocus());
  // Enter without a selection leaves the dialog open.
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_TRUE(Button(dialog, "Ok").isEnabled());
  ASSERT_TRUE(dialog.SelectedModel());
  EXPECT_EQ(catalogue.Entries[*dialog.SelectedModel()]->Name, "Abe");
  QTest::keyClick(&list, Qt::Key_Down);
  ASSERT_TRUE(dialog.SelectedModel());
  EXPECT_EQ(catalogue.Entries[*dialog.SelectedModel()]->Name, "Soldier");
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(catalogue.Entries[*dialog.SelectedModel()]->Name, "Soldier");
}

TEST(DialogsTest, TheProgressWindowShowsItsTextBarAndCancelsOnce) {
  QWidget owner;
  app::ProgressWindow window(&owner);
  window.Open("Loading project x.mrb...");
  EXPECT_EQ(Find<QLabel>(window, "mensaje").text(), "Loading project x.mrb...");
  EXPECT_FALSE(Find<QWidget>(window, "ProgressBar").isVisible());
  EXPECT_GE(window.width(), 339);
  int cancels = 0;
  window.SetCancel([&] { ++cancels; });
  window.SetFraction(0.5);
  EXPECT_TRUE(Find<QWidget>(window, "ProgressBar").isVisible());
  Button(window, "Cancel").click();
  Button(window, "Cancel").click();
  EXPECT_EQ(cancels, 1);
}

TEST(DialogsTest, PreferencesWarnAboutAGameFolderWithoutSystemOrTextures) {
  testsupport::TempDir game;
  EXPECT_EQ(app::GameDirectoryWarning(app::PathToQString(game.Path())),
            "This folder has no System and no Textures folder; compiled skins cannot be installed there.");
  std::filesystem::create_directories(game / "system");
  EXPECT_EQ(app::GameDirectoryWarning(app::PathToQString(game.Path())),
            "This folder has no Textures folder; compiled skins cannot be installed there.");
  std::filesystem::create_directories(game / "Textures");
  EXPECT_EQ(app::GameDirectoryWarning(app::PathToQString(game.Path())), "");

  ScriptedQuestions questions;
  app::PreferencesDialog dialog(questions, "/nowhere", "No game found.", "", nullptr);
  EXPECT_FALSE(Find<QLabel>(dialog, "gamedirectory_warning").text().isEmpty());
  questions.folders.push_back(app::PathToQString(game.Path()));
  Find<QPushButton>(dialog, "gamedirectory_select").click();
  EXPECT_EQ(dialog.GameDirectorySetting(), app::PathToQString(game.Path()));
  EXPECT_TRUE(Find<QLabel>(dialog, "gamedirectory_warning").text().isEmpty());
}

TEST(DialogsTest, EveryOptionOfTheTabMarksTheProjectModifiedAndUndoesAsOne) {
  WindowFixture fixture;
  fixture.NewProject();
  QUndoStack& history = fixture.window->UndoStack();
  auto& brightness = fixture.Child<QSlider>("tbBrightNess");
  EXPECT_EQ(brightness.minimum(), 0);
  EXPECT_EQ(brightness.maximum(), 100);
  EXPECT_EQ(brightness.value(), 50);
  EXPECT_TRUE(fixture.Child<QCheckBox>("umod_serversupport").isChecked());
  EXPECT_FALSE(fixture.Child<QCheckBox>("opt_notallowdownload").isVisibleTo(fixture.window.get()));

  const auto changes = std::vector<std::function<void()>>{
      [&] { fixture.Child<QCheckBox>("opt_mipmaps").click(); },
      [&] { fixture.Child<QCheckBox>("opt_clientoptional").click(); },
      [&] { fixture.Child<QWidget>("opt_reducepalettes").findChildren<QRadioButton*>()[2]->click(); },
      [&] { fixture.Child<QCheckBox>("opt_palettequality").click(); },
      [&] { fixture.Child<QCheckBox>("opt_highresolution").click(); },
      [&] { brightness.setValue(70); },
      [&] { fixture.Child<QSlider>("tbSaturation").setValue(10); },
      [&] { fixture.Child<QLineEdit>("umod_productname").setText("Blue"); },
      [&] { fixture.Child<QLineEdit>("umod_url").setText("http://x"); },
      [&] { fixture.Child<QLineEdit>("umod_developer").setText("me"); },
      [&] { fixture.Child<QLineEdit>("umod_version").setText("1"); },
      [&] { fixture.Child<QLineEdit>("umod_bitmap").setText("logo.bmp"); },
      [&] { fixture.Child<QLineEdit>("umod_readme").setText("readme.txt"); },
      [&] { fixture.Child<QCheckBox>("umod_serversupport").click(); },
      [&] { fixture.Child<QCheckBox>("opt_reduced_int").click(); },
  };
  for (std::size_t change = 0; change < changes.size(); ++change) {
    fixture.Action("mnu_SaveProject").trigger();
    ASSERT_FALSE(fixture.Document().Modified());
    changes[change]();
    EXPECT_TRUE(fixture.Document().Modified()) << "change " << change;
  }
  const project::ProjectOptions& options = fixture.Document().Options();
  EXPECT_TRUE(options.OnlyFirstMipMap && options.ClientOptional && options.ReducedINT && !options.UMODServerSupport);
  EXPECT_EQ(options.ReducePalettes, 2);
  EXPECT_EQ(options.PaletteQuality, 1);
  EXPECT_TRUE(options.HighResolution);
  EXPECT_EQ(options.Brightness, 70);
  EXPECT_EQ(options.UMODReadMe, "readme.txt");

  // Typing into one edit is one step of the history; undo shows the old text.
  const int steps = history.count();
  auto& version = fixture.Child<QLineEdit>("umod_version");
  version.clear();
  QTest::keyClicks(&version, "2.0");
  EXPECT_EQ(history.count(), steps + 1);
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(version.text(), "1");
  EXPECT_EQ(fixture.Document().Options().UMODVersion, "1");

  // The browse buttons fill the file edits.
  fixture.questions.openFiles.push_back("/art/logo.bmp");
  fixture.Child<QToolButton>("umod_bitmap_select").click();
  EXPECT_EQ(fixture.Document().Options().UMODBitmap, "/art/logo.bmp");
  EXPECT_EQ(fixture.questions.pickerTitles.back(), "Select bitmap");
}

TEST(DialogsTest, ASliderDragIsOneUndoStepAndThePalettesFollowOnceItRests) {
  WindowFixture fixture;
  fixture.NewProject();
  const project::SkinNode& texture = fixture.AddTexture(fixture.AddSkin("Red", "abcd"), 1);
  QUndoStack& history = fixture.window->UndoStack();
  const int steps = history.count();
  const std::uint64_t key = texture.Texture().WorkingKey;
  auto& slider = fixture.Child<QSlider>("tbBrightNess");
  slider.resize(200, 20);
  const QPoint handle = slider.rect().center();
  QTest::mousePress(&slider, Qt::LeftButton, {}, handle);
  for (int dx = 4; dx <= 40; dx += 4) QTest::mouseMove(&slider, handle + QPoint(dx, 0));
  EXPECT_GT(slider.value(), 60);
  EXPECT_EQ(texture.Texture().WorkingKey, key);
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, handle + QPoint(40, 0));
  EXPECT_EQ(history.count(), steps + 1);
  EXPECT_EQ(fixture.Document().Options().Brightness, slider.value());
  EXPECT_NE(texture.Texture().WorkingKey, key);
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(slider.value(), 50);
  EXPECT_EQ(fixture.Document().Options().Brightness, 50);

  // Steps of the keyboard in a row are one step, and the palettes wait for a pause.
  const std::uint64_t undoneKey = texture.Texture().WorkingKey;
  for (int step = 0; step < 5; ++step) QTest::keyClick(&slider, Qt::Key_Right);
  EXPECT_EQ(fixture.Document().Options().Brightness, 55);
  EXPECT_EQ(history.count(), steps + 1);
  EXPECT_EQ(texture.Texture().WorkingKey, undoneKey);
  EXPECT_TRUE(QTest::qWaitFor([&] { return texture.Texture().WorkingKey != undoneKey; }, 5000));
}
