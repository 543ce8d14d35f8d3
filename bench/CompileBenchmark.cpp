// Compiling a project of 40 textures of 256 x 256 with full mipmap chains, on
// one and two threads, with classic and "High quality" palettes (quality 0
// and 1), palette generation from nothing and after a one-texture change, and
// what the exact-palette check costs; and 40 textures painted at 1024 x 1024
// with high-resolution output, with the part the BC1 encoder takes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cmath>
#include <random>

#include "compile/CompressedMipMaps.h"
#include "compile/ExactColours.h"
#include "compile/PaletteGeneration.h"
#include "compile/TexturePackageWriter.h"
#include "model/ModelCatalogue.h"
#include "project/ProjectDocument.h"
#include "raster/BmpFile.h"

namespace {

// Gradients, rings and grain: the colour spread of a painted skin.
raster::Bitmap Picture(int seed, int side = 256) {
  std::mt19937 random(static_cast<unsigned>(seed));
  raster::Bitmap picture(side, side, raster::PixelFormat::Bgr24);
  const double hue = seed * 0.37;
  const double scale = side / 256.0;
  for (int y = 0; y < side; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < side; ++x, row += 3) {
      const double u = x / scale;
      const double v = y / scale;
      const double ring = 0.5 + 0.5 * std::sin(std::hypot(u - 128.0, v - 100.0) / (6 + seed % 5));
      const int grain = static_cast<int>(random() % 17) - 8;
      row[0] = static_cast<std::uint8_t>(std::clamp(40 + 180 * ring * (0.5 + 0.5 * std::sin(hue)) + grain, 0.0, 255.0));
      row[1] = static_cast<std::uint8_t>(std::clamp(u * 0.6 + 60 * ring + grain, 0.0, 255.0));
      row[2] = static_cast<std::uint8_t>(std::clamp(v * 0.8 + 50 * std::cos(hue) + grain, 0.0, 255.0));
    }
  }
  return picture;
}

class Project {
public:
  // `side`: the pictures' size; above 256 the project asks for high resolution.
  explicit Project(int paletteQuality, int side = 256)
      : home_(std::filesystem::temp_directory_path() /
              ("marbelle-compile-benchmark" + std::to_string(paletteQuality) + "-" + std::to_string(side))) {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / "Textures");
    std::ofstream(home_ / "Bench.mrbe") << "[Model]\nPrefix=Bench\nSection1=Body, TEAM, FACE\n";
    catalogue_ = model::ScanModelCatalogue(home_);
    document_ = project::ProjectDocument::New(catalogue_.FindByPrefix("Bench"), home_ / "BenchSkins.mrb", home_);
    project::ProjectOptions options = document_->Options();
    options.PaletteQuality = paletteQuality;
    options.HighResolution = side > 256;
    document_->SetOptions(options);
    int seed = 0;
    for (const char* code : {"alfa", "brav", "chrl", "dlta"}) {
      const project::SkinNode& skin = document_->NewSkin(code, code);
      for (int face = 0; face < 10; ++face) {
        const auto file = home_ / "Textures" / (std::string(code) + std::to_string(face) + ".bmp");
        raster::SaveBmpFile(Picture(seed++, side), file);
        document_->AddTexture(skin.Children()[0], file, "< Default >", "face" + std::to_string(face));
      }
    }
    compile::PaletteGenerator().Generate(*document_, 2);
  }
  ~Project() { std::filesystem::remove_all(home_); }

  project::ProjectDocument& Document() { return *document_; }

private:
  std::filesystem::path home_;
  model::ModelCatalogue catalogue_;
  std::unique_ptr<project::ProjectDocument> document_;
};

// Classic palettes; "High quality" ones with range(1) = 1.
Project& Shared(int paletteQuality = 0) {
  static Project classic(0);
  static Project high(1);
  return paletteQuality == 1 ? high : classic;
}

void BM_CompileProject(benchmark::State& state) {
  project::ProjectDocument& document = Shared(static_cast<int>(state.range(1))).Document();
  for (auto _ : state) {
    const compile::CompiledFiles files = compile::CompileProject(document, {true, static_cast<int>(state.range(0))});
    benchmark::DoNotOptimize(files.PackageFile);
  }
  state.counters["textures"] = 40;
}
BENCHMARK(BM_CompileProject)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"jobs", "quality"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 40 pictures painted at 1024 x 1024: each texture also gets its BC1 chain from 1024 down to 4.
void BM_CompileHighResolution(benchmark::State& state) {
  static Project painted(0, 1024);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        compile::BuildTexturePackage(painted.Document(), {true, static_cast<int>(state.range(0))}).Bytes.size());
  state.counters["textures"] = 40;
}
BENCHMARK(BM_CompileHighResolution)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

// What of that the encoder takes: the 40 chains alone, resampling none (the
// pictures are four times the section) and encoding every level, on one thread.
void BM_EncodeHighResolutionChains(benchmark::State& state) {
  std::vector<compile::PreparedTexture> sources;
  for (int seed = 0; seed < 40; ++seed) sources.push_back({Picture(seed, 1024), {}});
  for (auto _ : state)
    for (const compile::PreparedTexture& source : sources)
      benchmark::DoNotOptimize(compile::BuildCompressedChain(source, 256, 256).size());
  state.counters["textures"] = 40;
}
BENCHMARK(BM_EncodeHighResolutionChains)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same work without writing the files.
void BM_BuildTexturePackage(benchmark::State& state) {
  project::ProjectDocument& document = Shared().Document();
  for (auto _ : state)
    benchmark::DoNotOptimize(compile::BuildTexturePackage(document, {true, static_cast<int>(state.range(0))}).Bytes.size());
}
BENCHMARK(BM_BuildTexturePackage)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GeneratePalettesAfterOneChange(benchmark::State& state) {
  project::ProjectDocument& document = Shared().Document();
  compile::PaletteGenerator generator;
  generator.Generate(document, 1);
  const project::SkinNode& changed = *project::TextureNodes(document.Root())[7];
  raster::Bitmap picture = changed.Texture().SourceBitmap;
  for (auto _ : state) {
    picture.Pixels()[1000] ^= 0x55;
    document.SetSourceBitmap(changed, picture);
    generator.Generate(document, 1);
  }
}
BENCHMARK(BM_GeneratePalettesAfterOneChange)->Unit(benchmark::kMillisecond);

void BM_GeneratePalettesFromNothing(benchmark::State& state) {
  const project::ProjectDocument& document = Shared(static_cast<int>(state.range(1))).Document();
  for (auto _ : state) {
    // A copy whose working bitmaps have another key: as if the post-process changed.
    state.PauseTiming();
    std::unique_ptr<project::ProjectDocument> fresh = document.Snapshot();
    for (const project::SkinNode* node : project::TextureNodes(fresh->Root()))
      fresh->StoreWorkingBitmap(*node, {}, 0);
    state.ResumeTiming();
    compile::PaletteGenerator().Generate(*fresh, static_cast<int>(state.range(0)));
  }
}
BENCHMARK(BM_GeneratePalettesFromNothing)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"jobs", "quality"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What the compile spends finding out that pictures of many colours cannot
// keep them all: the exact mapping tried on every mipmap level of the 40
// textures, given up at the first pixel the palette lacks. Compare with
// BM_BuildTexturePackage/jobs:1.
void BM_ExactChecksOfTheProject(benchmark::State& state) {
  const project::ProjectDocument& document = Shared().Document();
  std::vector<std::pair<raster::Bitmap, const compile::Palette*>> levels;
  for (const project::SkinNode* node : project::TextureNodes(document.Root())) {
    raster::Bitmap level = node->Texture().WorkingBitmap->ToBgr24();
    while (level.Width() >= 1) {
      levels.emplace_back(level, &node->Texture().Palette);
      if (level.Width() == 1) break;
      level = level.StretchNearest(level.Width() / 2, level.Height() / 2);
    }
  }
  for (auto _ : state)
    for (const auto& [level, palette] : levels)
      benchmark::DoNotOptimize(compile::MapExactly(level, *palette, {}, 0).has_value());
  state.counters["levels"] = static_cast<double>(levels.size());
}
BENCHMARK(BM_ExactChecksOfTheProject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
