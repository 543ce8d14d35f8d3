#include <gtest/gtest.h>

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "WindowFixture.h"
#include "app/ColourButton.h"
#include "app/QtText.h"
#include "app/SkinTreeModel.h"
#include "paint/Stroke.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"

namespace {

class TextureEditorPanelTest : public ::testing::Test {
protected:
  TextureEditorPanelTest() {
    fixture.NewProject();
    const project::SkinNode& skin = fixture.AddSkin("Red", "abcd");
    texture = &fixture.AddTexture(skin, 1, "< Default >", {}, 256);
    Select(*texture);
    fixture.window->UndoStack().clear();
  }

  void Select(const project::SkinNode& node) {
    auto& model = dynamic_cast<app::SkinTreeModel&>(*fixture.Tree().model());
    fixture.Tree().setCurrentIndex(model.IndexOf(node));
  }
  QWidget& Picture() { return fixture.Child<QWidget>("texture_preview_image"); }
  template <typename Widget>
  Widget& Control(const char* name) { return fixture.Child<Widget>(name); }
  void Click(const char* button) { Control<QPushButton>(button).click(); }
  void SetBrush(int size, int intensity, const QColor& colour, int tool = 0) {
    Control<QScrollBar>("brush_size").setValue(size);
    Control<QScrollBar>("brush_intensity").setValue(intensity);
    Control<app::ColourButton>("ColorPickerButton1").SetColour(colour);
    Control<QTabBar>("tools").setCurrentIndex(tool);
  }
  // Presses at the first point, moves through the others and releases at the last.
  void Drag(const std::vector<QPoint>& points) {
    QTest::mousePress(&Picture(), Qt::LeftButton, {}, points.front());
    for (std::size_t i = 1; i + 1 < points.size(); ++i) QTest::mouseMove(&Picture(), points[i]);
    QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, points.back());
  }
  std::array<int, 3> Rgb(int x, int y) const {
    const std::uint8_t* pixel = texture->Texture().SourceBitmap.Row(y) + x * 3;
    return {pixel[2], pixel[1], pixel[0]};
  }
  // Another program writes the texture's file anew, in one shade.
  void ChangeFileOnDisk(std::uint8_t shade) {
    const std::filesystem::path file = texture->Texture().FileName;
    fixture.Picture(file.string(), shade, 256);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(++changes));
  }

  WindowFixture fixture;
  const project::SkinNode* texture = nullptr;
  int changes = 0;
};

constexpr std::array<int, 3> Grey40{40, 40, 40};
constexpr std::array<int, 3> Grey90{90, 90, 90};
constexpr std::array<int, 3> Red{255, 0, 0};

}  // namespace

TEST_F(TextureEditorPanelTest, ShowsEveryControlWithItsRangeDefaultAndHint) {
  auto& tools = Control<QTabBar>("tools");
  QStringList tabs;
  for (int i = 0; i < tools.count(); ++i) tabs << tools.tabText(i);
  EXPECT_EQ(tabs, QStringList({"Brush", "Tint", "Lighten", "Darken", "Picker"}));
  EXPECT_EQ(tools.currentIndex(), 0);
  EXPECT_EQ(Control<QPushButton>("btn_SaveEditedTexture").toolTip(), "Save the Texture");
  EXPECT_EQ(Control<QPushButton>("btn_RevertEditedTexture").toolTip(), "Revert to saved texture");
  EXPECT_EQ(Control<QPushButton>("btn_UndoEditedTexture").toolTip(), "Undo last edit");
  auto& zoom = Control<QComboBox>("zoom");
  EXPECT_EQ(zoom.count(), 3);
  EXPECT_EQ(zoom.currentText(), "1X");
  auto& colour = Control<app::ColourButton>("ColorPickerButton1");
  EXPECT_EQ(colour.toolTip(), "Select Color");
  EXPECT_EQ(colour.Colour(), QColor(Qt::black));
  EXPECT_EQ(colour.menu()->actions().back()->text(), "Custom Color");
  auto& size = Control<QScrollBar>("brush_size");
  EXPECT_EQ((std::array<int, 3>{size.minimum(), size.maximum(), size.value()}), (std::array<int, 3>{1, 64, 15}));
  auto& intensity = Control<QScrollBar>("brush_intensity");
  EXPECT_EQ((std::array<int, 3>{intensity.minimum(), intensity.maximum(), intensity.value()}),
            (std::array<int, 3>{1, 100, 50}));
  auto& wire = Control<QSlider>("tbSeeWire");
  EXPECT_EQ((std::array<int, 4>{wire.maximum(), wire.pageStep(), wire.tickInterval(), wire.value()}),
            (std::array<int, 4>{100, 10, 10, 0}));
  EXPECT_EQ(Picture().cursor().shape(), Qt::CrossCursor);
  EXPECT_TRUE(tools.isVisibleTo(fixture.window.get()));
  EXPECT_EQ(Picture().size(), QSize(256, 256));

  // The colour dialog opens from the button and from the drop-down's last entry.
  fixture.questions.colours = {QColor(10, 20, 30), QColor()};
  colour.click();
  EXPECT_EQ(colour.Colour(), QColor(10, 20, 30));
  colour.menu()->actions().back()->trigger();
  EXPECT_EQ(colour.Colour(), QColor(10, 20, 30));
  colour.menu()->actions().front()->trigger();
  EXPECT_EQ(colour.Colour(), QColor(Qt::black));
}

TEST_F(TextureEditorPanelTest, AStrokeOfTheMousePaintsExactPixelsAndIsOneUndoStep) {
  SetBrush(1, 100, Qt::red);
  const auto palette = texture->Texture().Palette;
  Drag({{3, 4}, {3, 4}});
  EXPECT_EQ(Rgb(3, 4), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Rgb(4, 4), Grey40);
  EXPECT_TRUE(texture->Texture().Modified);
  EXPECT_TRUE(fixture.Document().Modified());
  EXPECT_NE(texture->Texture().Palette, palette);
  QUndoStack& history = fixture.window->UndoStack();
  EXPECT_EQ(history.count(), 1);
  EXPECT_EQ(history.undoText(), "Paint Texture");

  // Intensity 50 of white on black and on 200, through the mouse.
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(Rgb(3, 4), Grey40);
  SetBrush(2, 50, Qt::white);
  Drag({{20, 20}, {20, 20}});
  EXPECT_EQ(Rgb(21, 21), (std::array<int, 3>{147, 147, 147}));  // trunc(40 × (1 − a) + 255 × a)
  EXPECT_TRUE(fixture.questions.messages.empty());
}

TEST_F(TextureEditorPanelTest, GoingBackAndForthPaintsAsOnePassAndMovesWithoutAPressDoNothing) {
  SetBrush(9, 30, QColor(0, 0, 255), 1);
  QTest::mouseMove(&Picture(), {50, 50});
  EXPECT_EQ(fixture.window->UndoStack().count(), 0);
  paint::Stroke once(texture->Texture().SourceBitmap);
  for (int x : {30, 40, 50}) once.Dab(x, 30, {9, 30, 0xFF0000, raster::BlendMode::Tint});
  Drag({{30, 30}, {40, 30}, {50, 30}, {40, 30}, {30, 30}, {40, 30}, {50, 30}});
  EXPECT_EQ(texture->Texture().SourceBitmap, once.Picture());
  EXPECT_EQ(fixture.window->UndoStack().count(), 1);
}

TEST_F(TextureEditorPanelTest, AtFourTimesThePictureScrollsAndTheLastColumnIsTheTexturesLast) {
  Control<QComboBox>("zoom").setCurrentIndex(2);
  EXPECT_EQ(Picture().size(), QSize(1024, 1024));
  auto& box = Control<QScrollArea>("texture_preview_scrollbox");
  EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  SetBrush(1, 100, Qt::green);
  Drag({{1023, 0}, {1023, 0}});
  EXPECT_EQ(Rgb(255, 0), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Rgb(254, 0), Grey40);
  // Another node puts the zoom back to 1X.
  Select(*texture->Parent());
  Select(*texture);
  EXPECT_EQ(Control<QComboBox>("zoom").currentText(), "1X");
  EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(TextureEditorPanelTest, UndoSwapsTwiceAndRevertThenUndoBringsThePaintBack) {
  SetBrush(1, 100, Qt::red);
  Drag({{3, 4}, {3, 4}});
  Click("btn_UndoEditedTexture");
  EXPECT_EQ(Rgb(3, 4), Grey40);
  Click("btn_UndoEditedTexture");
  EXPECT_EQ(Rgb(3, 4), (std::array<int, 3>{255, 0, 0}));
  Click("btn_RevertEditedTexture");
  EXPECT_EQ(Rgb(3, 4), Grey40);
  EXPECT_FALSE(texture->Texture().Modified);
  Click("btn_UndoEditedTexture");
  EXPECT_EQ(Rgb(3, 4), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(fixture.window->UndoStack().count(), 5);
}

TEST_F(TextureEditorPanelTest, ThePickerTakesTheColourAndPaintsNothing) {
  SetBrush(1, 100, Qt::red);
  Drag({{3, 4}, {3, 4}});
  Control<QTabBar>("tools").setCurrentIndex(4);
  Control<app::ColourButton>("ColorPickerButton1").SetColour(Qt::black);
  Drag({{3, 4}, {3, 4}});
  EXPECT_EQ(Control<app::ColourButton>("ColorPickerButton1").Colour(), QColor(255, 0, 0));
  EXPECT_EQ(fixture.window->UndoStack().count(), 1);
}

TEST_F(TextureEditorPanelTest, SaveWritesTheFileSoTheProjectSaveAsksNothingForIt) {
  SetBrush(1, 100, Qt::red);
  Drag({{3, 4}, {3, 4}});
  Click("btn_SaveEditedTexture");
  EXPECT_FALSE(texture->Texture().Modified);
  const raster::Bitmap saved = raster::LoadPicture(texture->Texture().FileName);
  EXPECT_EQ(saved.Row(4)[3 * 3 + 2], 255);
  fixture.window->RefreshTimerTick();
  fixture.Action("mnu_SaveProject").trigger();
  EXPECT_TRUE(fixture.questions.questions.empty());
  EXPECT_FALSE(fixture.Document().Modified());
}

TEST_F(TextureEditorPanelTest, UndoAndRedoWaitWhileTheMousePaints) {
  SetBrush(1, 100, Qt::red);
  Drag({{3, 4}, {3, 4}});
  QTest::mousePress(&Picture(), Qt::LeftButton, {}, {20, 20});
  fixture.Action("mnu_Undo").trigger();
  QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, {20, 20});
  EXPECT_EQ(Rgb(20, 20), Red);
  EXPECT_EQ(fixture.window->UndoStack().count(), 2);
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(Rgb(20, 20), Grey40);
  EXPECT_EQ(Rgb(3, 4), Red);

  QTest::mousePress(&Picture(), Qt::LeftButton, {}, {30, 30});
  fixture.Action("mnu_Redo").trigger();
  QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, {30, 30});
  EXPECT_EQ(Rgb(20, 20), Grey40);
  EXPECT_EQ(Rgb(30, 30), Red);
}

TEST_F(TextureEditorPanelTest, AFileChangedUnderUnsavedPaintIsReadOnlyWhenTheUserSaysSo) {
  SetBrush(1, 100, Qt::red);
  Drag({{3, 4}, {3, 4}});
  ChangeFileOnDisk(90);
  fixture.questions.reloadAnswers = {app::ReloadAnswer::Keep};
  fixture.window->RefreshTimerTick();
  fixture.window->RefreshTimerTick();
  EXPECT_EQ(fixture.questions.questions.size(), 1u);
  EXPECT_EQ(Rgb(3, 4), Red);
  EXPECT_TRUE(texture->Texture().Modified);

  ChangeFileOnDisk(90);
  fixture.questions.reloadAnswers = {app::ReloadAnswer::Reload};
  fixture.window->RefreshTimerTick();
  EXPECT_EQ(Rgb(3, 4), Grey90);
  EXPECT_FALSE(texture->Texture().Modified);
  // The stroke was taken from the picture the file replaced: Undo passes over it.
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(Rgb(3, 4), Grey90);
  EXPECT_EQ(fixture.window->UndoStack().count(), 0);
  // The panel's Undo brings back what the file replaced.
  Click("btn_UndoEditedTexture");
  EXPECT_EQ(Rgb(3, 4), Red);
}

TEST_F(TextureEditorPanelTest, TheRefreshWaitsWhileAStrokeOrAQuestionIsOpen) {
  SetBrush(1, 100, Qt::red);
  QTest::mousePress(&Picture(), Qt::LeftButton, {}, {3, 4});
  ChangeFileOnDisk(90);
  fixture.Action("mnu_RefreshTextures").trigger();
  QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, {3, 4});
  EXPECT_EQ(Rgb(5, 5), Grey40);
  // Seen only now, the change finds the paint and asks.
  fixture.questions.reloadAnswers = {app::ReloadAnswer::Keep};
  fixture.window->RefreshTimerTick();
  EXPECT_EQ(fixture.questions.questions.size(), 1u);
  EXPECT_EQ(Rgb(3, 4), Red);

  // The timer of the window runs while "Save modified texture?" waits.
  ChangeFileOnDisk(90);
  fixture.questions.whileOpen = [&] { fixture.window->RefreshTimerTick(); };
  fixture.questions.yesNo = {true};
  fixture.Action("mnu_SaveProject").trigger();
  EXPECT_EQ(raster::LoadPicture(texture->Texture().FileName).Row(4)[3 * 3 + 2], 255);
  EXPECT_FALSE(texture->Texture().Modified);
}

TEST(TextureEditorPanelMaskedTest, APalettedTextureHidesThePaintingRowsAndIgnoresPresses) {
  WindowFixture fixture;
  {
    auto document = fixture.MaskedProject(8);
    const project::SkinNode& skin = document->NewSkin("Visor", "visr");
    raster::Bitmap picture(8, 8, raster::PixelFormat::Indexed8);
    picture.Palette() = {{0, 0, 0, 0}, {200, 10, 10, 0}};
    std::fill(picture.Pixels().begin(), picture.Pixels().end(), 1);
    std::filesystem::create_directories(fixture.home / "Textures");
    raster::SaveBmpFile(picture, fixture.home / "Textures" / "visr1.bmp");
    document->AddTexture(SectionNode(*document, skin, 1), fixture.home / "Textures" / "visr1.bmp", "< Default >", "");
    document->Save();
  }
  fixture.window->ScanModelCatalogue();
  ASSERT_TRUE(fixture.window->OpenProject(fixture.home / "MaskSkins.mrb"));
  const project::SkinNode& texture = fixture.Document().Root().Children()[0].Children()[0].Children()[0];
  auto& model = dynamic_cast<app::SkinTreeModel&>(*fixture.Tree().model());
  fixture.Tree().setCurrentIndex(model.IndexOf(texture));
  QWidget* window = fixture.window.get();
  EXPECT_FALSE(fixture.Child<QTabBar>("tools").isVisibleTo(window));
  EXPECT_FALSE(fixture.Child<QPushButton>("btn_UndoEditedTexture").isVisibleTo(window));
  EXPECT_TRUE(fixture.Child<QSlider>("tbSeeWire").isVisibleTo(window));
  const raster::Bitmap before = texture.Texture().SourceBitmap;
  auto& picture = fixture.Child<QWidget>("texture_preview_image");
  QTest::mousePress(&picture, Qt::LeftButton, {}, {2, 2});
  QTest::mouseRelease(&picture, Qt::LeftButton, {}, {2, 2});
  EXPECT_EQ(texture.Texture().SourceBitmap, before);
  EXPECT_FALSE(texture.Texture().Modified);
  EXPECT_EQ(fixture.window->UndoStack().count(), 0);
}

TEST(TextureEditorPanelWireTest, TheOverlayAtOneHundredShowsTheWireAndAtFiftyAnEvenMix) {
  WindowFixture fixture;
  raster::Bitmap wire(256, 256, raster::PixelFormat::Bgr24);
  std::fill(wire.Row(10), wire.Row(10) + wire.RowBytes(), 255);
  raster::SaveBmpFile(wire, fixture.home / "SoldierWire1.bmp");
  fixture.window->ScanModelCatalogue();
  fixture.NewProject();
  const project::SkinNode& texture = fixture.AddTexture(fixture.AddSkin("Wired", "wire"), 1, "< Default >", {}, 256);
  auto& model = dynamic_cast<app::SkinTreeModel&>(*fixture.Tree().model());
  fixture.Tree().setCurrentIndex(model.IndexOf(texture));
  auto& slider = fixture.Child<QSlider>("tbSeeWire");
  auto& picture = fixture.Child<QWidget>("texture_preview_image");
  slider.setValue(100);
  QImage shown = picture.grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 10), QColor(255, 255, 255));
  EXPECT_EQ(shown.pixelColor(5, 11), QColor(0, 0, 0));
  slider.setValue(50);
  shown = picture.grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 10), QColor(147, 147, 147));  // trunc(255 × 0.5 + 40 × 0.5)
  EXPECT_EQ(shown.pixelColor(5, 11), QColor(20, 20, 20));
  // The overlay is only shown: the texture keeps its pixels.
  EXPECT_EQ(texture.Texture().SourceBitmap.Row(10)[0], 40);
}
