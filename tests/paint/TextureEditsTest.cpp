#include <gtest/gtest.h>

#include "paint/TextureEdits.h"
#include "platform/FileTime.h"
#include "project/CommandHistory.h"
#include "project/ProjectListener.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"
#include "support/ProjectFixture.h"

namespace {

constexpr std::uint32_t Red = 0x0000FF;

struct PixelNotices : project::ProjectListener {
  void TexturePixelsChanged(const project::SkinNode&) override { ++count; }
  int count = 0;
};

class TextureEditsTest : public ::testing::Test {
protected:
  TextureEditsTest() : document(fixture.NewProject()), history(*document) {
    const project::SkinNode& skin = document->NewSkin("Red", "abcd");
    file = fixture.Picture("abcd1.bmp", 40, 16);
    texture = &document->AddTexture(SectionNode(*document, skin, 1), file, "< Default >", "");
    document->Save();
    document->AddListener(notices);
  }
  ~TextureEditsTest() override { document->RemoveListener(notices); }

  const project::TObjetoTextura& Entry() const { return texture->Texture(); }
  // A red stroke of size 2 at (x, y).
  void Paint(int x, int y) {
    paint::Stroke stroke(Entry().SourceBitmap);
    stroke.Dab(x, y, {2, 100, Red, raster::BlendMode::Brush});
    history.Push(paint::MakePaintStroke(*document, *texture, stroke));
  }
  int RedAt(int x, int y) const { return Entry().SourceBitmap.Row(y)[x * 3 + 2]; }

  ProjectFixture fixture;
  std::unique_ptr<project::ProjectDocument> document;
  project::CommandHistory history;
  std::filesystem::path file;
  const project::SkinNode* texture = nullptr;
  PixelNotices notices;
};

}  // namespace

TEST_F(TextureEditsTest, AStrokeIsOneUndoableChangeTold) {
  const raster::Bitmap loaded = Entry().SourceBitmap;
  Paint(3, 4);
  EXPECT_EQ(RedAt(3, 4), 255);
  EXPECT_EQ(RedAt(5, 4), 40);
  ASSERT_TRUE(Entry().UndoBitmap);
  EXPECT_EQ(*Entry().UndoBitmap, loaded);
  EXPECT_TRUE(Entry().Modified);
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(history.UndoText(), "Undo Paint Texture");

  history.Undo();
  EXPECT_EQ(Entry().SourceBitmap, loaded);
  EXPECT_FALSE(Entry().UndoBitmap);
  EXPECT_FALSE(Entry().Modified);
  EXPECT_FALSE(document->Modified());
  history.Redo();
  EXPECT_EQ(RedAt(3, 4), 255);
  EXPECT_EQ(*Entry().UndoBitmap, loaded);
}

TEST_F(TextureEditsTest, ThePanelsUndoSwapsSoASecondOneBringsThePaintBack) {
  EXPECT_EQ(paint::MakeUndoLastEdit(*document, *texture), nullptr);
  Paint(3, 4);
  Paint(8, 8);
  history.Push(paint::MakeUndoLastEdit(*document, *texture));
  EXPECT_EQ(RedAt(3, 4), 255);
  EXPECT_EQ(RedAt(8, 8), 40);
  history.Push(paint::MakeUndoLastEdit(*document, *texture));
  EXPECT_EQ(RedAt(8, 8), 255);
  // Edit → Undo walks back through the swaps and both strokes.
  for (int step = 0; step < 4; ++step) history.Undo();
  EXPECT_EQ(RedAt(3, 4), 40);
  EXPECT_FALSE(Entry().UndoBitmap);
}

TEST_F(TextureEditsTest, RevertReadsTheFileAndUndoBringsThePaintBack) {
  Paint(3, 4);
  document->Save([](const std::string&) { return false; });  // the project file only
  document->NewSkin("Blue", "efgh");
  const bool projectModified = document->Modified();
  history.Push(paint::MakeRevertTexture(*document, *texture));
  EXPECT_EQ(RedAt(3, 4), 40);
  EXPECT_FALSE(Entry().Modified);
  EXPECT_EQ(document->Modified(), projectModified);
  history.Push(paint::MakeUndoLastEdit(*document, *texture));
  EXPECT_EQ(RedAt(3, 4), 255);
  EXPECT_TRUE(Entry().Modified);

  // A file that cannot be read changes nothing.
  fixture.WriteText(file, "not a picture");
  EXPECT_THROW(paint::MakeRevertTexture(*document, *texture), std::exception);
  EXPECT_EQ(RedAt(3, 4), 255);
}

TEST_F(TextureEditsTest, SavingATextureKeepsItsTimeSoNothingReadsItBackOrAsksAgain) {
  Paint(3, 4);
  document->SaveTexture(*texture);
  EXPECT_FALSE(Entry().Modified);
  EXPECT_EQ(Entry().FileTime, platform::FileModificationTime(file));
  EXPECT_EQ(raster::LoadPicture(file).ToBgr24(), Entry().SourceBitmap);
  EXPECT_FALSE(document->RefreshTextures().Changed);
  int asked = 0;
  document->Save([&](const std::string&) { return ++asked, true; });
  EXPECT_EQ(asked, 0);
  // Undone after the save, the picture no longer matches its file.
  history.Undo();
  EXPECT_TRUE(Entry().Modified);
}

TEST_F(TextureEditsTest, AFileChangedUnderPaintIsReadOnlyWhenAskedAndOlderStepsThenChangeNothing) {
  Paint(3, 4);
  const auto changeFile = [&](int seconds) {
    fixture.Picture(file.string(), 90, 16);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(seconds));
  };
  changeFile(1);
  EXPECT_FALSE(document->RefreshTextures().Changed);
  EXPECT_EQ(RedAt(3, 4), 255);
  changeFile(2);
  EXPECT_TRUE(document->RefreshTextures([](const std::string&) { return true; }).Changed);
  EXPECT_EQ(RedAt(3, 4), 90);
  EXPECT_FALSE(Entry().Modified);
  history.Undo();
  EXPECT_EQ(RedAt(3, 4), 90);
  history.Redo();
  EXPECT_EQ(RedAt(3, 4), 90);
  EXPECT_FALSE(Entry().Modified);
}

TEST_F(TextureEditsTest, AJpegIsSavedAsAPngBesideItWhichTheProjectThenNames) {
  const std::filesystem::path jpeg = fixture.home / "Textures" / "abcd3.jpg";
  raster::SavePicture(Entry().SourceBitmap, jpeg);
  const project::SkinNode& head = document->AddTexture(SectionNode(*document, *texture->Skin(), 3), jpeg, "< Default >", "");
  document->Save();
  document->SaveTexture(head);
  EXPECT_EQ(head.Texture().FileName, std::filesystem::path(jpeg).replace_extension(".png"));
  EXPECT_TRUE(std::filesystem::exists(head.Texture().FileName));
  EXPECT_TRUE(document->Modified());
}

TEST_F(TextureEditsTest, AFileThatCannotBeWrittenKeepsTheTextureModified) {
  Paint(3, 4);
  const std::int64_t time = Entry().FileTime;
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_THROW(document->SaveTexture(*texture), std::exception);
  EXPECT_TRUE(Entry().Modified);
  EXPECT_EQ(Entry().FileTime, time);
}
