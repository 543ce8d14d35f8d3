#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "CliRunner.h"
#include "ScriptedQuestions.h"
#include "WindowFixture.h"
#include "app/ModelCompilerWindow.h"
#include "app/QtText.h"
#include "app/PackageMeshPage.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "support/ExternalModelFiles.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using app::MessageIcon;
using app::PathToQString;

class ModelCompilerWindowTest : public ::testing::Test {
protected:
  ModelCompilerWindowTest()
      : environment({{"HOME", (home / "user").string()},
                     {"XDG_CONFIG_HOME", (home / "user" / "config").string()},
                     {"WINEPREFIX", (home / "user" / "wine").string()}}) {}

  // Shown, so that with OpenGL its mesh view draws.
  app::ModelCompilerWindow& Window() {
    if (!window) {
      window = std::make_unique<app::ModelCompilerWindow>(home.Path(), platform::SettingsFilePath(home.Path()),
                                                           questions, true, [this] { ++reloads; });
      window->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    return *window;
  }
  template <typename Widget>
  Widget& Child(const char* name) {
    auto* widget = Window().findChild<Widget*>(name);
    if (!widget) throw std::logic_error(std::string("no widget ") + name);
    return *widget;
  }
  // Picks the file through the box's browse button.
  void Choose(const char* box, const std::filesystem::path& file) {
    questions.openFiles.push_back(PathToQString(file));
    Child<QToolButton>((std::string(box) + "_browse").c_str()).click();
  }
  QStringList ListedModels() {
    QStringList captions;
    auto& list = Child<QTreeWidget>("mesh_list");
    for (int row = 0; row < list.topLevelItemCount(); ++row) captions << list.topLevelItem(row)->text(0);
    return captions;
  }
  void SelectModel(const QString& caption) {
    auto& list = Child<QTreeWidget>("mesh_list");
    const auto found = list.findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    list.setCurrentItem(found.front());
    QTest::qWait(20);
  }
  static QStringList Lines(QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row) lines << list.item(row)->text();
    return lines;
  }
  bool Shown(const char* name) { return !Child<QWidget>(name).isHidden(); }
  QString Status() { return Window().StatusText(); }
  // The last message shown, as "TITLE: text".
  QString LastMessage() {
    if (questions.messages.empty()) return {};
    return questions.messages.back().Title + ": " + questions.messages.back().Text;
  }

  testsupport::TempDir home;
  ScopedEnvironment environment;
  ScriptedQuestions questions;
  int reloads = 0;
  std::unique_ptr<app::ModelCompilerWindow> window;
};

// MultiMesh.u's player classes, their localisation file and the package of their meshes.
std::filesystem::path MultiMeshSystem(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (const char* file : {"utpatches/System/MultiMesh.u", "utpatches/System/epiccustommodels.u",
                           "utpatches/SystemLocalized/int/multimesh.int"})
    std::filesystem::copy_file(testsupport::CorpusDir() / file, dir / std::filesystem::path(file).filename());
  return dir;
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) { return testsupport::ReadFile(file); }
std::string Text(const std::filesystem::path& file) {
  const std::vector<std::uint8_t> bytes = FileBytes(file);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST_F(ModelCompilerWindowTest, OpensOnTheUnrealTournamentPackagesOfTheGame) {
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(home.Path()), (home / "UT").string());
  std::filesystem::create_directories(home / "UT" / "system");
  EXPECT_EQ(Window().objectName(), "Tmodelcompiler");
  EXPECT_EQ(Window().windowTitle(), "Model Compiler");
  EXPECT_EQ(Status(), "Select model file or UT package.");
  auto& tabs = *Window().findChild<QTabWidget*>();
  EXPECT_EQ(tabs.tabText(0), "Unreal Engine Mesh");
  EXPECT_EQ(tabs.tabText(1), "External model file");
  EXPECT_TRUE(tabs.isTabVisible(1));
  auto& game = Child<QComboBox>("game");
  EXPECT_FALSE(game.isEnabled());
  ASSERT_EQ(game.count(), 4);
  EXPECT_EQ(game.itemText(0), "Unreal Tournament");
  EXPECT_EQ(game.itemText(3), "Other");
  EXPECT_EQ(game.currentIndex(), 0);
  EXPECT_TRUE(Child<QCheckBox>("cbUseINT").isChecked());
  EXPECT_FALSE(Shown("Panel_package"));
  EXPECT_EQ(Child<QPushButton>("btn_ok_lm").text(), "Finish");

  // The file dialog starts in the game's System folder, in its letter case, with the filter the check box asks for.
  questions.openFiles = {QString(), QString()};
  Child<QToolButton>("utpackage_browse").click();
  Child<QCheckBox>("cbUseINT").setChecked(false);
  Child<QToolButton>("utpackage_browse").click();
  ASSERT_EQ(questions.openPickers.size(), 2u);
  EXPECT_EQ(questions.pickerTitles.front(), "Select package file");
  EXPECT_EQ(questions.openPickers[0].first, PathToQString(home / "UT" / "system"));
  EXPECT_EQ(questions.openPickers[0].second, "UT Package Definitions (*.int);;All files (*)");
  EXPECT_EQ(questions.openPickers[1].second, "UT Compiled Packages (*.u);;All files (*)");

  // Other games start where their own command says, or in their default folder.
  game.setCurrentIndex(2);
  EXPECT_FALSE(Child<QCheckBox>("cbUseINT").isChecked());
  questions.openFiles = {QString()};
  Child<QToolButton>("utpackage_browse").click();
  EXPECT_EQ(questions.openPickers.back().first, PathToQString(home / "user/wine/drive_c/Klingon Honor Guard/System"));
  Window().close();
  EXPECT_EQ(reloads, 0);
}

TEST_F(ModelCompilerWindowTest, PlayerClassesCompileAsTheCommandLineCompilesThem) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  const auto system = MultiMeshSystem(home / "system");
  Choose("utpackage", system / "multimesh.int");
  EXPECT_TRUE(questions.messages.empty()) << LastMessage().toStdString();
  const QStringList models = ListedModels();
  // Named as the game's menus name them: by the classes' descriptions in the .int.
  for (const char* caption : {"Nali", "Nali WarCow", "Skaarj Hybrid"}) EXPECT_TRUE(models.contains(caption)) << caption;
  QStringList sorted = models;
  sorted.sort(Qt::CaseInsensitive);
  EXPECT_EQ(models, sorted);
  EXPECT_EQ(Child<QTreeWidget>("mesh_list").currentItem()->text(0), models.front());
  EXPECT_TRUE(Shown("Panel_modelo"));
  EXPECT_EQ(Status(), "Select the frame and press the \"Compile\" button.");

  SelectModel("Skaarj Hybrid");
  EXPECT_EQ(Child<QLineEdit>("edMenuname").text(), "Skaarj Hybrid");
  const QStringList information = Lines(Child<QListWidget>("information_lm"));
  ASSERT_GE(information.size(), 4);
  EXPECT_EQ(information.mid(0, 4),
            (QStringList{"Unreal LodMesh model", "Faces = 838", "Frames    = 519", "Advanced Model Support: No"}));
  // Then how the game names the skins' textures, and why.
  EXPECT_TRUE(information[4].startsWith("Skins are named by a code and a section digit")) << information[4].toStdString();
  EXPECT_TRUE(information.contains("Section 2: faces (FaceSkin 1)"));
  // Read-only, but it scrolls: the lines run long.
  EXPECT_EQ(Child<QListWidget>("information_lm").selectionMode(), QAbstractItemView::NoSelection);
  EXPECT_TRUE(Child<QCheckBox>("cbAnimated").isChecked());
  EXPECT_FALSE(Shown("cbAnimated"));
  EXPECT_EQ(Child<QLabel>("label_maxframe_lm_abs").text(), "(max. 518)");
  // The view names the sections as the definition will: the face on the second, the teams on the next two.
  EXPECT_EQ(Lines(Child<QListWidget>("mesh_legend")),
            (QStringList{"Section 2: SKIN1 (face)", "Section 3: SKIN2 (team)", "Section 4: SKIN3 (team)"}));

  Child<QPushButton>("btn_compile_lm").click();
  EXPECT_TRUE(questions.questions.empty());
  EXPECT_EQ(LastMessage(), "Compilation: Model compilation finished!");
  EXPECT_EQ(Status(), "End of compilation, press the \"Finish\" button to leave.");
  EXPECT_EQ(reloads, 1);
  EXPECT_TRUE(Window().isEnabled());

  testsupport::TempDir other;
  const Outcome cli = Marbelle({"compile-model", PathToQString(system / "multimesh.int"), "--model", "Skaarj Hybrid",
                                "--home", PathToQString(other.Path())});
  ASSERT_EQ(cli.status, 0) << cli.err;
  for (const char* file : {"TSkM.mrbe", "TSkMWire2.bmp", "TSkMWire3.bmp", "TSkMWire4.bmp"})
    EXPECT_EQ(FileBytes(home / "CustomModels" / file), FileBytes(other / "CustomModels" / file)) << file;

  // Compiling again asks before replacing the definition; No keeps it.
  testsupport::WriteFile(home / "CustomModels/TSkM.mrbe", Bytes("[Model]\r\n"));
  questions.yesNo = {false};
  Child<QPushButton>("btn_compile_lm").click();
  EXPECT_EQ(questions.questions.back(), "Warning: The MRBE file already exists, overwrite?");
  EXPECT_EQ(questions.yesNoIcons.back(), MessageIcon::Warning);
  EXPECT_EQ(FileBytes(home / "CustomModels/TSkM.mrbe"), Bytes("[Model]\r\n"));
}

TEST_F(ModelCompilerWindowTest, APackageListsItsMeshesAndTheFrameChoiceFollowsTheSequence) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  Child<QCheckBox>("cbUseINT").setChecked(false);
  Choose("utpackage", testsupport::CorpusDir() / "utpatches/System/epiccustommodels.u");
  EXPECT_EQ(ListedModels(), (QStringList{"TCowMesh", "tnalimesh", "TSkM"}));
  SelectModel("TSkM");
  EXPECT_EQ(Child<QLineEdit>("edMenuname").text(), "TSkM");

  auto& sequences = Child<QComboBox>("animseq_lm");
  EXPECT_EQ(sequences.currentText(), "Breath1");
  QStringList names;
  for (int i = 0; i < sequences.count(); ++i) names << sequences.itemText(i);
  QStringList sorted = names;
  sorted.sort(Qt::CaseInsensitive);
  EXPECT_EQ(names, sorted);
  const auto& mesh = *Window().PackagePage().Model();
  const auto& breath = mesh.Mesh.Sequences[sequences.currentData().toULongLong()];
  EXPECT_EQ(Child<QLabel>("label_maxframe_lm").text(), QString("(max. %1)").arg(breath.NumFrames - 1));
  EXPECT_EQ(Child<QSpinBox>("frame_lm").maximum(), breath.NumFrames - 1);

  // Absolute frames take over the choice, and the panels swap.
  auto& absolute = Child<QCheckBox>("cbUseAbsoluteFrame");
  EXPECT_FALSE(Child<QWidget>("Panel_frame_abs").isEnabled());
  absolute.setChecked(true);
  EXPECT_TRUE(Child<QWidget>("Panel_frame_abs").isEnabled());
  EXPECT_FALSE(Child<QWidget>("Panel_frame_rel").isEnabled());
  Child<QSpinBox>("frame_lm_abs").setValue(7);
  Child<QCheckBox>("cbMirrorX").setChecked(true);
  Child<QLineEdit>("edMenuname").setText("Mirrored Skaarj");
  Child<QPushButton>("btn_compile_lm").click();
  EXPECT_EQ(LastMessage(), "Compilation: Model compilation finished!");
  const std::string definition = Text(home / "CustomModels/TSkM.mrbe");
  EXPECT_NE(definition.find("Name=Mirrored Skaarj\r\n"), std::string::npos);
  EXPECT_NE(definition.find("MirrorX=Yes\r\n"), std::string::npos);
}

TEST_F(ModelCompilerWindowTest, BadFilesShowTheirMessagesAndLeaveTheWindowUsable) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  testsupport::WriteFile(home / "Plain.int", Bytes("[Public]\r\nObject=(Name=Plain.Thing,Class=Class,MetaClass=Engine.Actor)\r\n"));
  Choose("utpackage", home / "Plain.int");
  EXPECT_EQ(LastMessage(), "NOTE: The package does not have any model object.");
  EXPECT_EQ(questions.messages.back().Icon, MessageIcon::Information);
  EXPECT_TRUE(ListedModels().isEmpty());
  EXPECT_TRUE(Child<QWidget>("tabUTMesh").isEnabled());

  Child<QCheckBox>("cbUseINT").setChecked(false);
  testsupport::WriteFile(home / "Broken.u", Bytes("this is no package"));
  Choose("utpackage", home / "Broken.u");
  EXPECT_TRUE(LastMessage().startsWith("ERROR: The file is not an Unreal package."));
  EXPECT_EQ(questions.messages.back().Icon, MessageIcon::Error);

  Choose("utpackage", testsupport::CorpusDir() / "ut-server/System/Core.u");
  EXPECT_EQ(LastMessage(), "NOTE: The package does not have any Mesh/LodMesh/SkeletalMesh objects.");
  EXPECT_EQ(Status(), "");
  EXPECT_FALSE(Shown("Panel_package"));

  // A damaged package: the mesh table of the Skaarj cut off halfway.
  std::vector<std::uint8_t> cut = FileBytes(testsupport::CorpusDir() / "utpatches/System/epiccustommodels.u");
  cut.resize(cut.size() / 2);
  testsupport::WriteFile(home / "Cut.u", cut);
  questions.messages.clear();
  Choose("utpackage", home / "Cut.u");
  for (const auto& shown : questions.messages) EXPECT_EQ(shown.Title, "ERROR");
  EXPECT_TRUE(Child<QWidget>("tabUTMesh").isEnabled());

  // The window still works.
  Choose("utpackage", testsupport::CorpusDir() / "utpatches/System/relics.u");
  EXPECT_FALSE(ListedModels().isEmpty());
  EXPECT_EQ(Status(), "Select the frame and press the \"Compile\" button.");

  Choose("modelfile", home / "model.obj");
  EXPECT_EQ(LastMessage(), "ERROR: Unknown file format.");
  EXPECT_FALSE(Shown("Panel_datos"));
  testsupport::WriteFile(home / "model.ms3d", Bytes("MS3D0000"));
  Choose("modelfile", home / "model.ms3d");
  EXPECT_EQ(LastMessage(), "ERROR: " + PathToQString(home / "model.ms3d") + " is not a valid MilkShape 3D file.");
  EXPECT_FALSE(Shown("Panel_materiales"));
  EXPECT_TRUE(Child<QWidget>("tabExternal").isEnabled());
}

TEST_F(ModelCompilerWindowTest, AnUnrealModelPairCompilesInTheOrderTheListIsGiven) {
  using externalfiles::PackVertex;
  testsupport::WriteFile(home / "robot_d.3d",
                         externalfiles::Unreal3DData(3, {{{0, 1, 2}, 0, {0, 255, 255, 0, 51, 102}, 0},
                                                         {{2, 1, 0}, 2, {0, 0, 128, 0, 0, 128}, 1},
                                                         {{1, 2, 0}, 0, {10, 10, 200, 10, 10, 200}, 2}}));
  std::vector<std::vector<std::uint32_t>> frames;
  for (std::uint32_t f = 0; f < 2; ++f)
    frames.push_back({PackVertex(8 * f, 0, 0), PackVertex(0x008, 0x010, 0x004), PackVertex(0x7F8, 0, 0)});
  testsupport::WriteFile(home / "robot_a.3d", externalfiles::Unreal3DAnimation(2, frames));

  Choose("modelfile", home / "robot_d.3d");
  EXPECT_EQ(questions.pickerTitles.back(), "Select model file");
  EXPECT_TRUE(Shown("Panel_datos"));
  EXPECT_FALSE(Shown("Panel_materiales"));
  EXPECT_EQ(Lines(Child<QListWidget>("information")),
            (QStringList{"Unreal3D model", "Triangles = 3", "Frames    = 2"}));
  EXPECT_EQ(Child<QLabel>("Label_maxframe").text(), "(max. 1)");
  EXPECT_TRUE(Child<QSpinBox>("meshnum").isEnabled());
  EXPECT_EQ(Status(), "Select the mesh/frame and press the \"Get Mesh Data\" button.");

  Child<QSpinBox>("meshnum").setValue(1);
  Child<QPushButton>("btn_GetMeshData").click();
  EXPECT_TRUE(Shown("Panel_materiales"));
  EXPECT_EQ(Status(), "Reorder the materials and press the \"Compile\" button.");
  EXPECT_EQ(Child<QLineEdit>("edMenuName2").text(), "robot");
  auto& materials = Child<QListWidget>("lista_materiales");
  EXPECT_EQ(Lines(materials), (QStringList{"SKIN0", "SKIN1", "SKIN2"}));

  // SKIN2 up, past SKIN1; the first cannot go higher.
  materials.setCurrentRow(2);
  Child<QPushButton>("btn_matup").click();
  EXPECT_EQ(Lines(materials), (QStringList{"SKIN0", "SKIN2", "SKIN1"}));
  EXPECT_EQ(materials.currentRow(), 1);
  materials.setCurrentRow(0);
  Child<QPushButton>("btn_matup").click();
  EXPECT_EQ(Lines(materials), (QStringList{"SKIN0", "SKIN2", "SKIN1"}));
  Child<QLineEdit>("edMenuName2").setText("Robot");

  for (int compile = 0; compile < 2; ++compile) {
    questions.yesNo = {true};
    Child<QPushButton>("btn_Compilar").click();
    EXPECT_EQ(LastMessage(), "Compilation: Model compilation finished!");
  }
  EXPECT_EQ(reloads, 2);
  EXPECT_EQ(Status(), "End of compilation, press the \"Finish\" button to leave.");

  // Compiling twice starts from the mesh as read each time: the command line gives the same files.
  testsupport::TempDir other;
  const Outcome cli = Marbelle({"compile-model", "--external", PathToQString(home / "robot_d.3d"), "--mesh", "1",
                                "--materials", "SKIN0,SKIN2,SKIN1", "--description", "Robot", "--home",
                                PathToQString(other.Path())});
  ASSERT_EQ(cli.status, 0) << cli.err;
  for (const char* file : {"robot.mrbe", "robot.mrbm", "robotWire1.bmp", "robotWire2.bmp", "robotWire3.bmp"})
    EXPECT_EQ(FileBytes(home / "CustomModels" / file), FileBytes(other / "CustomModels" / file)) << file;
  const std::string definition = Text(home / "CustomModels/robot.mrbe");
  EXPECT_NE(definition.find("[Section2]\r\nName=SKIN2\r\n"), std::string::npos);
  EXPECT_NE(definition.find("[Section3]\r\nName=SKIN1\r\nFace=Yes\r\nTeam=Yes\r\nMasked=Yes\r\n"), std::string::npos);
}

TEST(ModelCompilerFromTheMainWindowTest, TheNewModelIsOfferedAtOnce) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  WindowFixture fixture;
  EXPECT_FALSE(fixture.Action("mnu_ModelCompiler").isVisible());
  fixture.Action("mnu_Expertmode").trigger();
  ASSERT_TRUE(fixture.Action("mnu_ModelCompiler").isVisible());
  const auto system = MultiMeshSystem(fixture.home / "system");

  bool drove = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = fixture.window->findChild<app::ModelCompilerWindow*>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isModal());
    fixture.questions.openFiles.push_back(PathToQString(system / "multimesh.int"));
    dialog->findChild<QToolButton*>("utpackage_browse")->click();
    auto& list = *dialog->findChild<QTreeWidget*>("mesh_list");
    list.setCurrentItem(list.findItems("Skaarj Hybrid", Qt::MatchExactly).value(0));
    fixture.questions.yesNo.push_back(true);
    dialog->findChild<QPushButton*>("btn_compile_lm")->click();
    dialog->findChild<QPushButton*>("btn_ok_lm")->click();
    drove = true;
  });
  fixture.Action("mnu_ModelCompiler").trigger();
  ASSERT_TRUE(drove);
  EXPECT_FALSE(fixture.window->findChild<app::ModelCompilerWindow*>());
  EXPECT_EQ(fixture.questions.messages.back().Text, "Model compilation finished!");

  // "New Project..." lists it in the select-model dialog, beside the model there was.
  fixture.questions.models.push_back(std::nullopt);
  fixture.Action("mnu_NewProject").trigger();
  ASSERT_EQ(fixture.questions.modelLists.size(), 1u);
  EXPECT_TRUE(fixture.questions.modelLists[0].contains("Skaarj Hybrid"));
  EXPECT_TRUE(fixture.questions.modelLists[0].contains("Soldier"));
}
