// The preview panel of the main window on the sample project: its lists,
// animation and camera follow the document and the user's choices.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QListWidget>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "WindowFixture.h"
#include "app/PreviewPanel.h"
#include "app/QtText.h"

namespace {

QStringList Entries(const QComboBox& list) {
  QStringList entries;
  for (int i = 0; i < list.count(); ++i) entries << list.itemText(i);
  return entries;
}

// The window's home holds a copy of the sample model and project.
class PreviewPanelTest : public testing::Test {
protected:
  PreviewPanelTest() {
    const std::filesystem::path sample(MARBELLE_SAMPLE_HOME);
    for (const char* part : {"MannequinSkinsSample.mrb", "Mannequin.u", "Mannequin.int", "CustomModels", "Samples"})
      std::filesystem::copy(sample / part, fixture.home / part, std::filesystem::copy_options::recursive);
    fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
    EXPECT_TRUE(fixture.window->OpenProject(fixture.home / "MannequinSkinsSample.mrb"));
    panel = &fixture.Child<app::PreviewPanel>("Panel_preview");
  }

  QAction& PresetItem(const QString& caption) {
    for (QAction* action : panel->PresetsMenu().actions())
      if (action->text() == caption) return *action;
    throw std::logic_error("no menu item " + caption.toStdString());
  }

  WindowFixture fixture;
  app::PreviewPanel* panel;
};

}  // namespace

TEST_F(PreviewPanelTest, ThePreviewIsBuiltWithTheSkinsAnimationsAndPresets) {
  EXPECT_TRUE(panel->isEnabled());
  EXPECT_TRUE(fixture.questions.messages.empty());
  ASSERT_NE(panel->Session().Mesh(), nullptr);
  EXPECT_EQ(Entries(fixture.Child<QComboBox>("skin_selection")), QStringList({"Copper (copr)", "Steel (stel)"}));
  EXPECT_EQ(fixture.Child<QComboBox>("team_selection").itemText(0), "< Default >");
  auto& animations = fixture.Child<QComboBox>("animseq_selection");
  EXPECT_EQ(animations.itemText(0), "None");
  EXPECT_EQ(animations.currentText(), "Breath1");
  animations.setCurrentIndex(0);
  EXPECT_EQ(panel->Scene().Mesh()->StillFrame, panel->Session().FrameAt(1000).From);
  EXPECT_EQ(fixture.Child<QListWidget>("presets").item(0)->text(), "Front");
  EXPECT_EQ(fixture.Child<QListWidget>("presets").item(1)->text(), "Face");
}

// The clock ticks only while its frames are seen. Draws with OpenGL: run under xvfb-run.
TEST_F(PreviewPanelTest, TheAnimationRunsOnlyWhileShownAndNotStopped) {
  const QTimer& clock = *panel->findChild<QTimer*>("GLCadencer1");
  QWindow* viewer = nullptr;
  for (QWindow* window : QGuiApplication::allWindows())
    if (window->objectName() == "GLSceneViewerWindow") viewer = window;
  if (!viewer) GTEST_SKIP() << "no OpenGL on this display";
  EXPECT_FALSE(clock.isActive());
  fixture.window->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->isExposed(); }));
  EXPECT_TRUE(clock.isActive());
  fixture.window->hide();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer->isExposed(); }));
  EXPECT_FALSE(clock.isActive());
  fixture.window->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->isExposed(); }));
  EXPECT_TRUE(clock.isActive());
  fixture.Child<QToolButton>("btn_animationstopped").click();
  EXPECT_FALSE(clock.isActive());
  fixture.Child<QToolButton>("btn_animationstopped").click();
  EXPECT_TRUE(clock.isActive());
  fixture.Child<QComboBox>("animseq_selection").setCurrentIndex(0);
  EXPECT_FALSE(clock.isActive());
}

TEST_F(PreviewPanelTest, ChoicesFollowTheListsAndTheTreeAsItChanges) {
  auto& skins = fixture.Child<QComboBox>("skin_selection");
  skins.setCurrentIndex(1);
  EXPECT_EQ(panel->Session().Chosen().Skin->Code(), "stel");
  EXPECT_GT(fixture.Child<QComboBox>("team_selection").count(), 1);
  const preview::SlotResolution shown = panel->Session().Textures(fixture.Document().Model());
  EXPECT_TRUE(shown.Slots[0].Loaded);

  // A new skin is offered once the command is done; the choice stays.
  fixture.AddSkin("Alpha", "alph");
  QCoreApplication::processEvents();
  EXPECT_EQ(Entries(skins), QStringList({"Alpha (alph)", "Copper (copr)", "Steel (stel)"}));
  EXPECT_EQ(skins.currentText(), "Steel (stel)");
  fixture.RunPopup(project::FindSkinByCode(fixture.Document().Root(), "stel"), "Delete Skin");
  QCoreApplication::processEvents();
  EXPECT_EQ(Entries(skins), QStringList({"Alpha (alph)", "Copper (copr)"}));
  EXPECT_EQ(skins.currentIndex(), 0);
  fixture.Action("mnu_Undo").trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(skins.count(), 3);
}

TEST_F(PreviewPanelTest, PresetsAreMadeRenamedRemovedAndSavedIntoTheDefinition) {
  const auto item = [&](const QString& caption) -> QAction& { return PresetItem(caption); };
  EXPECT_TRUE(item("Remove").isEnabled());
  fixture.questions.texts = {QString(), "Close"};
  item("New...").trigger();
  item("New...").trigger();
  ASSERT_EQ(panel->Presets().size(), 4u);
  EXPECT_EQ(panel->Presets()[2].Name, "Preset#3");
  EXPECT_EQ(fixture.questions.questions[0], "New Preset: Preset Name: Preset#3");
  EXPECT_EQ(panel->Presets()[3].Name, "Close");
  fixture.questions.texts = {"Near"};
  item("Rename...").trigger();
  EXPECT_EQ(panel->Presets()[3].Name, "Near");
  auto& list = fixture.Child<QListWidget>("presets");
  list.setCurrentRow(1);
  item("Remove").trigger();
  ASSERT_EQ(panel->Presets().size(), 3u);
  EXPECT_EQ(list.currentRow(), 0);
  EXPECT_EQ(panel->Presets()[1].Name, "Preset#3");

  item("Save this presets").trigger();
  const auto entry = fixture.window->Catalogue().FindByPrefix("Mannequin");
  ASSERT_TRUE(entry);
  ASSERT_EQ(entry->Presets.size(), 3u);
  EXPECT_EQ(entry->Presets[2].Name, "Near");
  EXPECT_EQ(fixture.Document().Model().Presets.size(), 3u);
  EXPECT_FALSE(fixture.Document().Modified());
}

// A handler that a dialog's event loop runs while another waits for the
// dialog (a timer's redraw, a menu) is an outermost one: its failure is told,
// nothing throws out of the loop, and the waiting handler goes on.
TEST_F(PreviewPanelTest, AFailureWhileADialogIsOpenIsToldAndTheDialogGoesOn) {
  const std::filesystem::path definition = fixture.Document().Model().DefinitionFile();
  std::filesystem::remove(definition);
  std::filesystem::create_directory(definition);
  fixture.questions.texts = {"Close"};
  fixture.questions.whileOpen = [&] { PresetItem("Save this presets").trigger(); };
  PresetItem("New...").trigger();
  EXPECT_EQ(panel->Presets().back().Name, "Close");
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_NE(fixture.questions.messages[0].Text.indexOf(app::PathToQString(definition)), -1)
      << fixture.questions.messages[0].Text.toStdString();
}

TEST_F(PreviewPanelTest, TheWheelAnywhereOnTheWindowZoomsAndStopsOutsideTheModel) {
  const auto wheel = [&](int delta) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(fixture.window.get(), &event);
  };
  const preview::CameraPose& pose = panel->Session().Camera;
  const auto distance = [&] {
    return std::hypot(pose.Camera.X - pose.Target.X, pose.Camera.Y - pose.Target.Y, pose.Camera.Z - pose.Target.Z);
  };
  const float front = distance();
  wheel(120);
  EXPECT_NEAR(distance(), front * 1.1f, 1e-2);
  for (int notch = 0; notch < 40; ++notch) wheel(-120);
  const auto box = preview::RestBox(panel->Session().Mesh().get(), panel->Session().Placement);
  ASSERT_TRUE(box);
  EXPECT_NEAR(pose.Camera.Z, box->High.Z + modelcompiler::Clearance(*box), 1e-3);
  EXPECT_EQ(panel->Scene().Camera(), pose);
}

TEST_F(PreviewPanelTest, AllowedKeysPlaceTheModelAndSaveWritesItsPosition) {
  fixture.window->show();
  auto& tree = fixture.Tree();
  QTest::keyClick(&tree, Qt::Key_X, Qt::ShiftModifier);
  EXPECT_FLOAT_EQ(panel->Session().Placement.OffsetX, 0.0f);  // the keys are not allowed yet
  QMenu& menu = panel->PositionMenu();
  menu.findChild<QAction*>("mnu_AllowKeys")->trigger();
  QTest::keyClicks(&tree, "Xs");
  EXPECT_FLOAT_EQ(panel->Session().Placement.OffsetX, 0.5f);
  EXPECT_FLOAT_EQ(panel->Session().Placement.ScaleX, 1.49f);
  EXPECT_EQ(fixture.Child<QLabel>("preview_position").text(), "Position=(0.5 -13.5 -0.8)");
  QTest::keyClick(&tree, Qt::Key_A);
  EXPECT_TRUE(panel->Scene().AxesVisible());
  menu.findChild<QAction*>("mnu_SavePosition")->trigger();
  EXPECT_FLOAT_EQ(fixture.window->Catalogue().FindByPrefix("Mannequin")->OffsetX, 0.5f);
  EXPECT_FLOAT_EQ(fixture.Document().Model().ScaleX, 1.49f);
  menu.findChild<QAction*>("mnu_AllowKeys")->trigger();
  QTest::keyClick(&tree, Qt::Key_X);
  EXPECT_FLOAT_EQ(panel->Session().Placement.OffsetX, 0.5f);
}
