// Listing the models of the largest corpus package with meshes and compiling
// its largest mesh (the Skaarj, 519 frames) with every frame, then writing the
// definition and wire bitmaps.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "modelcompiler/ModelCompilation.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

using namespace modelcompiler;

const std::filesystem::path Package = std::filesystem::path(MARBELLE_CORPUS_DIR) / "utpatches/System/epiccustommodels.u";

PackageModelList List(unrealpkg::TUTPackage& package) { return ListPackageModels(package, Package, false); }

const PackageModelEntry& Largest(const PackageModelList& list) {
  for (const auto& entry : list.Entries)
    if (entry.Caption == "TSkM") return entry;
  throw std::runtime_error("no TSkM in " + Package.string());
}

bool HaveCorpus(benchmark::State& state) {
  if (std::filesystem::exists(Package)) return true;
  state.SkipWithError("no corpus");
  return false;
}

void ListModels(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  for (auto _ : state) {
    unrealpkg::TUTPackage package;
    benchmark::DoNotOptimize(List(package).Entries.size());
  }
}

void ReadAndCompileLargestMesh(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  unrealpkg::TUTPackage package;
  const PackageModelEntry entry = Largest(List(package));
  model3d::TObjeto3D model;
  for (auto _ : state) {
    const PackageModel read = ReadPackageModel(package, entry);
    CompilePackageModel(read.Mesh, {}, model);
    benchmark::DoNotOptimize(model.Frames.size());
  }
}

// Everything the compile command does for the model, files included.
void ListCompileAndWrite(benchmark::State& state) {
  if (!HaveCorpus(state)) return;
  const auto home = std::filesystem::temp_directory_path() / "marbelle-model-benchmark";
  model3d::TObjeto3D model;
  for (auto _ : state) {
    unrealpkg::TUTPackage package;
    const PackageModel read = ReadPackageModel(package, Largest(List(package)));
    CompilePackageModelFiles(read, {}, home, {.Overwrite = [](const std::filesystem::path&) { return true; }}, model);
  }
  std::filesystem::remove_all(home);
}

}  // namespace

BENCHMARK(ListModels)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndCompileLargestMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(ListCompileAndWrite)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  unrealpkg::RegisterAllObjectClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
