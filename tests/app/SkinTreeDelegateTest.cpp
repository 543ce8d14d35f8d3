// Texture cells painted into a picture: the team swatch where it belongs, the
// face name beside it, and nothing of the raw caption.
#include <gtest/gtest.h>

#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTreeView>

#include "app/SkinTreeDelegate.h"
#include "app/SkinTreeModel.h"
#include "project/TextureCell.h"
#include "support/ProjectFixture.h"

namespace {

constexpr int Width = 200;
constexpr int Height = 20;

QImage Paint(const app::SkinTreeDelegate& delegate, const QModelIndex& index, const QPalette& palette) {
  QImage image(Width, Height, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = QRect(0, 0, Width, Height);
  option.palette = palette;
  option.state = QStyle::State_Enabled;
  delegate.paint(&painter, option, index);
  return image;
}

// Whether any pixel of the columns [from, to) differs from the colour.
bool AnyOtherThan(const QImage& image, int from, int to, QColor colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < to; ++x)
      if (image.pixelColor(x, y) != colour) return true;
  return false;
}

}  // namespace

TEST(SkinTreeDelegateTest, TextureCellsShowTheTeamSwatchAndTheFace) {
  ProjectFixture fixture;
  auto document = fixture.NewProject();
  const project::SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const project::SkinNode& body = SectionNode(*document, skin, 1);
  const project::SkinNode& red = document->AddTexture(body, fixture.Picture("a.bmp"), "<Red Team>", "john");
  const project::SkinNode& blue = document->AddTexture(body, fixture.Picture("b.bmp"), "<Blue Team>", "");
  const project::SkinNode& green = document->AddTexture(body, fixture.Picture("c.bmp"), "<Green Team>", "");
  const project::SkinNode& gold = document->AddTexture(body, fixture.Picture("d.bmp"), "<Gold Team>", "");
  const project::SkinNode& plain = document->AddTexture(body, fixture.Picture("e.bmp"), "< Default >", "Big Jim");

  EXPECT_EQ(project::DescribeTextureCell(red).Text, "john");
  EXPECT_EQ(project::DescribeTextureCell(blue).Text, "(default)");
  EXPECT_EQ(project::DescribeTextureCell(plain).Text, "Big Jim");
  EXPECT_FALSE(project::DescribeTextureCell(plain).SwatchBgr);

  app::SkinTreeModel model;
  model.SetDocument(document.get());
  app::SkinTreeDelegate delegate;
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  for (const auto& [node, colour] : {std::pair{&red, QColor(255, 0, 0)}, std::pair{&blue, QColor(0, 0, 255)},
                                     std::pair{&green, QColor(0, 128, 0)}, std::pair{&gold, QColor(255, 255, 0)}}) {
    const QImage image = Paint(delegate, model.IndexOf(*node), palette);
    // The swatch runs from (2, 2) up to (h - 4, bottom - 2), exclusive.
    EXPECT_EQ(image.pixelColor(2, 2), colour) << node->Caption();
    EXPECT_EQ(image.pixelColor(Height - 5, Height - 3), colour) << node->Caption();
    EXPECT_EQ(image.pixelColor(Height - 4, 10), Qt::white) << node->Caption();
    EXPECT_EQ(image.pixelColor(1, 10), Qt::white);
    EXPECT_EQ(image.pixelColor(10, 1), Qt::white);
    EXPECT_EQ(image.pixelColor(10, Height - 2), Qt::white);
  }
  const QImage plainCell = Paint(delegate, model.IndexOf(plain), palette);
  EXPECT_FALSE(AnyOtherThan(plainCell, 0, Height - 1, Qt::white));
  EXPECT_TRUE(AnyOtherThan(plainCell, Height - 1, Width, Qt::white));
  // Skins are drawn as text by the style, inside their cell.
  const QImage skinCell = Paint(delegate, model.IndexOf(skin), palette);
  EXPECT_TRUE(AnyOtherThan(skinCell, 0, Width, Qt::magenta));
  model.SetDocument(nullptr);
}
