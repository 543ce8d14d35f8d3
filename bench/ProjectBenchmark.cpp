// Loading a project of 4 skins x 4 sections x 10 textures of 256 x 256,
// importing its 160 pictures into a new project (also as an undoable command
// with a listener), and scanning a catalogue of 200 model definitions.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchmarkHome.h"

#include "model/ModelCatalogue.h"
#include "project/CommandHistory.h"
#include "project/ProjectDocument.h"
#include "project/ProjectListener.h"

namespace {

void BM_LoadProject(benchmark::State& state) {
  const std::filesystem::path home = SharedBenchmarkHome().Home();
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  for (auto _ : state) {
    const auto document = project::ProjectDocument::Load(home / "BenchSkins.mrb", catalogue, home);
    benchmark::DoNotOptimize(document->Root().Children().size());
  }
  state.counters["textures"] = 160;
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

// The pictures of the project, named for import, and a new project to import them into.
std::vector<std::filesystem::path> ImportablePictures() {
  std::vector<std::filesystem::path> pictures;
  for (const auto& entry : std::filesystem::directory_iterator(SharedBenchmarkHome().Home() / "Textures")) pictures.push_back(entry.path());
  return pictures;
}

std::unique_ptr<project::ProjectDocument> NewProject(const model::ModelCatalogue& catalogue) {
  const std::filesystem::path home = SharedBenchmarkHome().Home();
  return project::ProjectDocument::New(catalogue.FindByPrefix("Bench"), home / "BenchSkinsNew.mrb", home);
}

void BM_ImportTextures(benchmark::State& state) {
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(SharedBenchmarkHome().Home());
  const std::vector<std::filesystem::path> pictures = ImportablePictures();
  for (auto _ : state) {
    const auto document = NewProject(catalogue);
    if (document->ImportTextures(pictures).Imported != 160) state.SkipWithError("the import lost textures");
  }
  state.counters["textures"] = 160;
}
BENCHMARK(BM_ImportTextures)->Unit(benchmark::kMillisecond);

// The same import as a command on an undo history, told to a listener, as the window does it.
void BM_ImportTexturesWithUndoAndNotices(benchmark::State& state) {
  struct Counter : project::ProjectListener {
    void NodeInserted(const project::SkinNode&, int) override { ++inserted; }
    int inserted = 0;
  };
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(SharedBenchmarkHome().Home());
  const std::vector<std::filesystem::path> pictures = ImportablePictures();
  for (auto _ : state) {
    const auto document = NewProject(catalogue);
    Counter listener;
    document->AddListener(listener);
    project::CommandHistory history(*document);
    project::ImportResult result;
    history.Push(project::MakeImportTextures(*document, pictures, result));
    if (result.Imported != 160 || listener.inserted != 4) state.SkipWithError("the import lost textures");
  }
  state.counters["textures"] = 160;
}
BENCHMARK(BM_ImportTexturesWithUndoAndNotices)->Unit(benchmark::kMillisecond);

void BM_ScanCatalogue(benchmark::State& state) {
  const std::filesystem::path home = SharedBenchmarkHome().Home() / "Catalogue";
  for (auto _ : state) {
    const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
    if (catalogue.Entries.size() != 200) state.SkipWithError("the catalogue lost models");
  }
  state.counters["definitions"] = 200;
}
BENCHMARK(BM_ScanCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
