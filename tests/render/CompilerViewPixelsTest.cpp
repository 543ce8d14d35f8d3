// A mesh as the model compiler shows it: three squares stacked along the
// package's Z, each a material of its own, drawn off screen. The model stands
// (the package's up is the picture's up), fits the view, and shows each
// material in the colour its legend gives.
#include <gtest/gtest.h>

#include <QImage>

#include "model/TModelo.h"
#include "modelcompiler/ModelOutput.h"
#include "render/CompilerViewScene.h"
#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"

namespace {

constexpr int Side = 200;

// A square facing the package's X (the way a player looks), centred at height z.
void AddSquare(model3d::TObjeto3D& model, float z, std::int8_t material) {
  auto& frame = model.Frames[0];
  const auto first = static_cast<std::uint16_t>(frame.size());
  for (const auto& [y, dz] : {std::pair{-20.0f, -20.0f}, {20.0f, -20.0f}, {20.0f, 20.0f}, {-20.0f, 20.0f}})
    frame.push_back({0, y, z + dz});
  const auto coords = static_cast<std::uint16_t>(model.TexCoords.size());
  model.TexCoords.insert(model.TexCoords.end(), {{0.1f, 0.1f}, {0.9f, 0.1f}, {0.9f, 0.9f}, {0.1f, 0.9f}});
  const auto at = [](std::uint16_t base, int k) { return static_cast<std::uint16_t>(base + k); };
  model.Triangles.push_back({{first, at(first, 1), at(first, 2)}, {coords, at(coords, 1), at(coords, 2)}, material});
  model.Triangles.push_back({{first, at(first, 2), at(first, 3)}, {coords, at(coords, 2), at(coords, 3)}, material});
}

int RowOf(const QImage& image, const raster::PaletteEntry& colour) {
  long sum = 0, count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.red() == colour.Red && pixel.green() == colour.Green && pixel.blue() == colour.Blue) {
        sum += y;
        ++count;
      }
    }
  return count > 200 ? static_cast<int>(sum / count) : -1;
}

}  // namespace

TEST(CompilerViewPixelsTest, TheMeshStandsInTheViewInItsMaterialsColours) {
  model3d::TObjeto3D model;
  model.Frames.emplace_back();
  model.Materials = {{"SKIN0", 0}, {"SKIN1", 0}, {"SKIN2", 0}};
  for (std::int8_t m = 0; m < 3; ++m) AddSquare(model, 50.0f * m, m);
  modelcompiler::ModelOutputSettings settings;
  settings.ModelName = "Tower";
  const auto definition =
      modelcompiler::DefinitionOfLines(modelcompiler::ModelDefinitionLines(model, settings), "/nowhere/Tower.mrbe");

  render::PreviewScene scene;
  const auto looks = render::ShowForCompiling(scene, model, *definition, Side);
  ASSERT_EQ(looks.size(), 3u);
  render::OffscreenRenderer renderer;
  const QImage image = renderer.Render(scene, Side, Side);

  // Higher squares lie higher in the picture.
  const int bottom = RowOf(image, looks[0].Colour), middle = RowOf(image, looks[1].Colour),
            top = RowOf(image, looks[2].Colour);
  ASSERT_GE(bottom, 0);
  ASSERT_GE(middle, 0);
  ASSERT_GE(top, 0);
  EXPECT_LT(top, middle);
  EXPECT_LT(middle, bottom);
  // The whole model fits: the picture's edges show the background only.
  const QColor background = image.pixelColor(0, 0);
  for (int i = 0; i < Side; ++i)
    for (const QPoint edge : {QPoint(i, 0), QPoint(i, Side - 1), QPoint(0, i), QPoint(Side - 1, i)})
      ASSERT_EQ(image.pixelColor(edge), background) << edge.x() << "," << edge.y();
  // And it is not lost in the middle: the squares span more than half the height.
  EXPECT_GT(bottom - top, Side / 3);
}
