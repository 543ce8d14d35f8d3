// Compiling a project of 40 textures of 256 x 256 with full mipmap chains, on
// one and two threads, and palette generation after a one-texture change.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cmath>
#include <random>

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
  Project() : home_(std::filesystem::temp_directory_path() / "marbelle-compile-benchmark") {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / "Textures");
    std::ofstream(home_ / "Bench.mrbe") << "[Model]\nPrefix=Bench\nSection1=Body, TEAM, FACE\n";
    catalogue_ = model::ScanModelCatalogue(home_);
    document_ = project::ProjectDocument::New(catalogue_.FindByPrefix("Bench"), home_ / "BenchSkins.mrb", home_);
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

Project& Shared() {
  static Project project;
  return project;
}

void BM_CompileProject(benchmark::State& state) {
  project::ProjectDocument& document = Shared().Document();
  for (auto _ : state) {
    const compile::CompiledFiles files = compile::CompileProject(document, {true, static_cast<int>(state.range(0))});
    benchmark::DoNotOptimize(files.PackageFile);
  }
  state.counters["textures"] = 40;
}
BENCHMARK(BM_CompileProject)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

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
  const project::ProjectDocument& document = Shared().Document();
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
BENCHMARK(BM_GeneratePalettesFromNothing)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
