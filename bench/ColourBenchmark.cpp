// Texture preparation and palette work on generated 256 x 256 pictures:
// palette generation with the mapping onto it, the 128 to 256 Lanczos
// enlargement, the mipmap chain and the post-process.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "compile/ColorQuantizer.h"
#include "compile/MipMaps.h"
#include "compile/PaletteMapping.h"
#include "compile/PostProcess.h"
#include "compile/Resample.h"

namespace {

// Crossing gradients with grain, like a painted skin.
raster::Bitmap Texture(int size) {
  raster::Bitmap picture(size, size, raster::PixelFormat::Bgr24);
  std::mt19937 random(11);
  std::uniform_int_distribution<int> grain(-12, 12);
  const auto channel = [&](int value) { return static_cast<std::uint8_t>(std::clamp(value + grain(random), 0, 255)); };
  for (int y = 0; y < size; ++y) {
    std::uint8_t* bgr = picture.Row(y);
    for (int x = 0; x < size; ++x, bgr += 3) {
      bgr[0] = channel(255 * (x + y) / (2 * size));
      bgr[1] = channel(255 * y / size);
      bgr[2] = channel(255 * x / size);
    }
  }
  return picture;
}

void BM_PaletteAndMapping(benchmark::State& state) {
  const raster::Bitmap picture = Texture(256);
  for (auto _ : state) {
    const compile::Palette palette = compile::BuildOptimizedPalette({&picture}, 256);
    benchmark::DoNotOptimize(compile::MapToPalette(picture, palette).Pixels().data());
  }
}
BENCHMARK(BM_PaletteAndMapping)->Unit(benchmark::kMillisecond);

void BM_Resample128To256(benchmark::State& state) {
  const raster::Bitmap picture = Texture(128);
  for (auto _ : state) {
    raster::Bitmap enlarged(256, 256, raster::PixelFormat::Bgr24);
    compile::Resample(picture, enlarged, compile::Lanczos3, compile::Lanczos3Support);
    benchmark::DoNotOptimize(enlarged.Pixels().data());
  }
}
BENCHMARK(BM_Resample128To256)->Unit(benchmark::kMillisecond);

void BM_MipChain256(benchmark::State& state) {
  const raster::Bitmap picture = Texture(256);
  const compile::Palette palette = compile::BuildOptimizedPalette({&picture}, 256);
  for (auto _ : state) benchmark::DoNotOptimize(compile::BuildMipChain(picture, palette, 9).data());
}
BENCHMARK(BM_MipChain256)->Unit(benchmark::kMillisecond);

void BM_PostProcess256(benchmark::State& state) {
  const raster::Bitmap picture = Texture(256);
  for (auto _ : state) {
    raster::Bitmap working = picture;
    compile::ApplyBrightness(working, 60);
    compile::ApplySaturation(working, 70);
    benchmark::DoNotOptimize(working.Pixels().data());
  }
}
BENCHMARK(BM_PostProcess256)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
