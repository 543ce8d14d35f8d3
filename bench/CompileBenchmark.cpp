// Compiling a project of 40 textures of 256 x 256 with full mipmap chains, on
// one and two threads, with classic and "High quality" palettes (quality 0
// and 1), palette generation from nothing and after a one-texture change, and
// what the exact-palette check costs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cmath>
#include <random>

#include "compile/ExactColours.h"
#include "compile/PaletteGeneration.h"
#include "compile/TexturePackageWriter.h"
#include "model/ModelCatalogue.h"
#include "project/ProjectDocument.h"
#include "raster/BmpFile.h"

namespace {

// Gradients, rings and grain: the colour spread of a painted skin.
raster::Bitmap Picture(int seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  raster::Bitmap picture(256, 256, raster::PixelFormat::Bgr24);
  const double hue = seed * 0.37;
  for (int y = 0; y < 256; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < 256; ++x, row += 3) {
      const double ring = 0.5 + 0.5 * std::sin(std::hypot(x - 128.0, y - 100.0) / (6 + seed % 5));
      const int grain = static_cast<int>(random() % 17) - 8;
      row[0] = static_cast<std::uint8_t>(std::clamp(40 + 180 * ring * (0.5 + 0.5 * std::sin(hue)) + grain, 0.0, 255.0));
      row[1] = static_cast<std::uint8_t>(std::clamp(x * 0.6 + 60 * ring + grain, 0.0, 255.0));
      row[2] = static_cast<std::uint8_t>(std::clamp(y * 0.8 + 50 * std::cos(hue) + grain, 0.0, 255.0));
    }
  }
  return picture;
}

class Project {
public:
  explicit Project(int paletteQuality)
      : home_(std::filesystem::temp_directory_path() /
              ("marbelle-compile-benchmark" + std::to_string(paletteQuality))) {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / "Textures");
    std::ofstream(home_ / "Bench.mrbe") << "[Model]\nPrefix=Bench\nSection1=Body, TEAM, FACE\n";
    catalogue_ = model::ScanModelCatalogue(home_);
    document_ = project::ProjectDocument::New(catalogue_.FindByPrefix("Bench"), home_ / "BenchSkins.mrb", home_);
    project::ProjectOptions options = document_->Options();
    options.PaletteQuality = paletteQuality;
    document_->SetOptions(options);
    int seed = 0;
    for (const char* code : {"alfa", "brav", "chrl", "dlta"}) {
      const project::SkinNode& skin = document_->NewSkin(code, code);
      for (int face = 0; face < 10; ++face) {
        const auto file = home_ / "Textures" / (std::string(code) + std::to_string(face) + ".bmp");
        raster::SaveBmpFile(Picture(seed++), file);
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
