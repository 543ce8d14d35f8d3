// Loading a project of 4 skins x 4 sections x 10 textures of 256 x 256,
// importing its 160 pictures into a new project (also as an undoable command
// with a listener), and scanning a catalogue of 200 model definitions; all
// files generated here.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "model/ModelCatalogue.h"
#include "project/CommandHistory.h"
#include "project/ProjectDocument.h"
#include "project/ProjectListener.h"
#include "raster/BmpFile.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Definition(const std::string& prefix) {
  std::string text = "[Model]\r\nFormatVersion=2\r\nName=" + prefix + "\r\nPrefix=" + prefix +
                     "\r\nMesh=" + prefix + "Skins." + prefix + "\r\nScaleX=1,1\r\nScaleY=1.1\r\nScaleZ=1.1\r\n"
                     "Preset1=Front;0;0;2000;0;0;0\r\nPreset2=Face;0;40;300;0;40;0\r\n";
  for (int section = 1; section <= 4; ++section)
    text += "\r\n[Section" + std::to_string(section) + "]\r\nName=Section " + std::to_string(section) +
            "\r\nTeam=Yes\r\nFace=Yes\r\nTextureSize=256x256\r\n";
  return text;
}

class Fixture {
public:
  Fixture() : home_(std::filesystem::temp_directory_path() / "marbelle-project-benchmark") {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_ / "Textures");
    std::filesystem::create_directories(home_ / "Catalogue" / "CustomModels");
    WriteText(home_ / "Bench.mrbe", Definition("Bench"));
    std::mt19937 random(7);
    std::string project = "[General]\r\nModel=Bench\r\n\r\n[Groups]\r\n";
    std::string textures;
    raster::Bitmap picture(256, 256, raster::PixelFormat::Bgr24);
    for (int skin = 0; skin < 4; ++skin) {
      const std::string code = std::string("skn") + static_cast<char>('a' + skin);
      project += code + "=Skin " + std::to_string(skin) + "\r\n";
      for (int section = 1; section <= 4; ++section)
        for (int variant = 0; variant < 10; ++variant) {
          for (auto& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
          const std::string identifier = variant == 0 ? "" : "face" + std::to_string(variant);
          const std::string file = code + std::to_string(section) + identifier + ".bmp";
          raster::SaveBmpFile(picture, home_ / "Textures" / file);
          textures += "\r\n[" + code + "#" + std::to_string(section) + "#< Default >" + identifier + " (" + identifier +
                      ")]\r\nIdentifier=" + identifier + "\r\nDescription=< Default >" + identifier +
                      "\r\nFilename=Textures\\" + file + "\r\n";
        }
    }
    WriteText(home_ / "BenchSkins.mrb", project + textures);
    for (int i = 0; i < 200; ++i) {
      const std::string prefix = "Model" + std::to_string(i);
      WriteText(home_ / "Catalogue" / "CustomModels" / (prefix + ".mrbe"), Definition(prefix));
      raster::Bitmap wire(256, 256, raster::PixelFormat::Indexed8);
      wire.Palette() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
      for (int section = 1; section <= 4; ++section)
        raster::SaveBmpFile(wire, home_ / "Catalogue" / "CustomModels" / (prefix + "Wire" + std::to_string(section) + ".bmp"));
    }
  }
  ~Fixture() { std::filesystem::remove_all(home_); }

  const std::filesystem::path& Home() const { return home_; }

private:
  std::filesystem::path home_;
};

Fixture& Files() {
  static Fixture fixture;
  return fixture;
}

void BM_LoadProject(benchmark::State& state) {
  const std::filesystem::path home = Files().Home();
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
  for (const auto& entry : std::filesystem::directory_iterator(Files().Home() / "Textures")) pictures.push_back(entry.path());
  return pictures;
}

std::unique_ptr<project::ProjectDocument> NewProject(const model::ModelCatalogue& catalogue) {
  const std::filesystem::path home = Files().Home();
  return project::ProjectDocument::New(catalogue.FindByPrefix("Bench"), home / "BenchSkinsNew.mrb", home);
}

void BM_ImportTextures(benchmark::State& state) {
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(Files().Home());
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
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(Files().Home());
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
  const std::filesystem::path home = Files().Home() / "Catalogue";
  for (auto _ : state) {
    const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
    if (catalogue.Entries.size() != 200) state.SkipWithError("the catalogue lost models");
  }
  state.counters["definitions"] = 200;
}
BENCHMARK(BM_ScanCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
