// Opening a real skin package as a project: BossSkins.utx (22 textures) read,
// written out as pictures, sorted by the Boss's names, described from its .int and saved.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "compile/SkinPackageProject.h"
#include "model/ModelCatalogue.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

const std::filesystem::path Corpus = MARBELLE_CORPUS_DIR;

void BM_OpenBossSkins(benchmark::State& state) {
  const std::filesystem::path package = Corpus / "ut-server/Textures/BossSkins.utx";
  if (!std::filesystem::exists(package)) {
    state.SkipWithError("no corpus");
    return;
  }
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("marbelle-skin-package-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(home / "CustomModels");
  std::ofstream(home / "CustomModels/Boss.mrbe")
      << "[Model]\nFormatVersion=2\nName=Boss\nPrefix=Boss\n[Section1]\nName=Body\nTeam=Yes\n[Section2]\nName=Legs\n"
         "Team=Yes\n[Section3]\nName=Arms\nTeam=Yes\n[Section4]\nName=Head\nTeam=Yes\nFace=Yes\n[Section5]\nName=Talk\n"
         "Face=Yes\nTalkTexture=Yes\n";
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  const std::filesystem::path intFile = Corpus / "ut-server/System/BossSkins.int";
  std::size_t textures = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(home / "BossSkinsOpened");
    std::filesystem::remove(home / "BossSkinsOpened.mrb");
    state.ResumeTiming();
    std::vector<std::string> problems;
    const compile::SkinPackage skins = compile::ReadSkinPackage(package, problems);
    const auto models = compile::BestFittingModels(catalogue, skins);
    const auto opened = compile::OpenSkinPackage(skins, models.front(), home / "BossSkinsOpened.mrb", home, intFile);
    textures = skins.Textures.size();
  }
  state.counters["textures"] = static_cast<double>(textures);
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_OpenBossSkins)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  unrealpkg::RegisterAllObjectClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
