// The preview on the largest mesh of the corpus, TSkM of epiccustommodels.u:
// loading it and building the actors, drawing a frame at 1280 x 720 off
// screen (run under xvfb-run for Mesa), and applying the textures after one
// of them changed. Skips without the corpus.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "compile/PaletteGeneration.h"
#include "model/ModelCatalogue.h"
#include "preview/LoadMeshFromPackage.h"
#include "preview/PreviewSession.h"
#include "project/ProjectDocument.h"
#include "raster/BmpFile.h"
#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"
#include "render/SceneTextures.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

const std::filesystem::path Package = std::filesystem::path(MARBELLE_CORPUS_DIR) / "utpatches/System/epiccustommodels.u";

// A home with a definition of TSkM, four sections of 256 x 256, and a project of one skin.
class TskmHome {
public:
  TskmHome() : home_(std::filesystem::temp_directory_path() / "marbelle-preview-benchmark") {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / "Textures");
    std::filesystem::copy_file(Package, home_ / "epiccustommodels.u");
    std::string definition = "[Model]\nFormatVersion=2\nName=TSkM\nPrefix=TSkM\nGame=Other\nMesh=epiccustommodels.TSkM\n";
    std::string project = "[General]\nModel=TSkM\n[Groups]\nabcd=Bench\n";
    raster::Bitmap picture(256, 256, raster::PixelFormat::Bgr24);
    for (int section = 1; section <= 4; ++section) {
      definition += "[Section" + std::to_string(section) + "]\nName=SKIN" + std::to_string(section - 1) + "\n";
      for (std::size_t i = 0; i < picture.Pixels().size(); ++i)
        picture.Pixels()[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(section) / 7);
      raster::SaveBmpFile(picture, home_ / "Textures" / ("abcd" + std::to_string(section) + ".bmp"));
      project += "[abcd#" + std::to_string(section) + "#< Default > ()]\nFilename=Textures\\abcd" + std::to_string(section) + ".bmp\n";
    }
    std::ofstream(home_ / "TSkM.mrbe") << definition;
    std::ofstream(home_ / "TSkMSkins.mrb") << project;
  }
  ~TskmHome() { std::filesystem::remove_all(home_); }

  const std::filesystem::path& Home() const { return home_; }

private:
  std::filesystem::path home_;
};

const TskmHome& Home() {
  static const TskmHome home;
  return home;
}

void BM_LoadAndBuildTSkM(benchmark::State& state) {
  if (!std::filesystem::exists(Package)) return state.SkipWithError("no corpus");
  model::TModelo definition;
  definition.Mesh = "epiccustommodels.TSkM";
  for (auto _ : state) {
    const preview::PreviewMesh mesh = preview::BuildMesh(preview::LoadMeshFromPackage(definition, Package));
    benchmark::DoNotOptimize(mesh.Actors[0].Positions.data());
  }
}
BENCHMARK(BM_LoadAndBuildTSkM)->Unit(benchmark::kMillisecond);

struct Drawn {
  std::unique_ptr<project::ProjectDocument> document;
  preview::PreviewSession session;
};

std::unique_ptr<Drawn> OpenProject() {
  auto drawn = std::make_unique<Drawn>();
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(Home().Home());
  drawn->document = project::ProjectDocument::Load(Home().Home() / "TSkMSkins.mrb", catalogue, Home().Home());
  compile::PaletteGenerator().Generate(*drawn->document);
  drawn->session.Load(drawn->document->Model(), Home().Home());
  drawn->session.RefreshChoices(drawn->document->Root());
  return drawn;
}

void BM_DrawFrame1280x720(benchmark::State& state) {
  if (!std::filesystem::exists(Package)) return state.SkipWithError("no corpus");
  const auto drawn = OpenProject();
  render::PreviewScene scene;
  scene.SetMesh(drawn->session.Mesh());
  scene.SetCamera({{0, 0, 600}, {0, 0, 0}});
  render::ApplyTextures(scene, drawn->document->Model(), drawn->session.Textures(drawn->document->Model()), true);
  render::OffscreenRenderer renderer;
  renderer.Render(scene, 1280, 720);
  double elapsed = 0;
  for (auto _ : state) {
    elapsed += 1;
    scene.SetFrame(drawn->session.FrameAt(elapsed * 16));
    benchmark::DoNotOptimize(renderer.Render(scene, 1280, 720).constBits());
  }
  std::size_t bytes = 0;
  for (const preview::ActorMesh& actor : drawn->session.Mesh()->Actors)
    bytes += (actor.Positions.size() + actor.TexCoords.size()) * sizeof(float);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["morph_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_DrawFrame1280x720)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Draw3DAfterOneTextureChanged(benchmark::State& state) {
  if (!std::filesystem::exists(Package)) return state.SkipWithError("no corpus");
  const auto drawn = OpenProject();
  render::PreviewScene scene;
  const model::TModelo& definition = drawn->document->Model();
  preview::SlotResolution shown = drawn->session.Textures(definition);
  render::ApplyTextures(scene, definition, shown, true);
  const project::SkinNode& texture = *project::TextureNodes(drawn->document->Root()).front();
  compile::PaletteGenerator palettes;
  palettes.Generate(*drawn->document);
  std::uint8_t shade = 0;
  for (auto _ : state) {
    state.PauseTiming();
    raster::Bitmap painted = texture.Texture().SourceBitmap;
    shade = static_cast<std::uint8_t>(shade + 97);
    std::fill(painted.Row(0), painted.Row(0) + painted.RowBytes(), shade);
    drawn->document->SetSourceBitmap(texture, painted);
    palettes.Generate(*drawn->document);
    state.ResumeTiming();
    preview::SlotResolution next = drawn->session.Textures(definition);
    if (render::ApplyTextures(scene, definition, next, true, &shown) != 1) state.SkipWithError("not one slot");
    shown = std::move(next);
  }
}
BENCHMARK(BM_Draw3DAfterOneTextureChanged)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  unrealpkg::RegisterAllObjectClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
