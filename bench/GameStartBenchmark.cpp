// The first start on a game of 20 player classes, each on a mesh of its own
// the size of the stock ones, from the window's creation until its start page
// names the 20 models; and a later start, which finds them defined. Runs on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <cmath>
#include <cstdlib>

#include "SilentQuestions.h"
#include "WindowBenchmarkMain.h"
#include "app/MainWindow.h"
#include "support/MeshPackage.h"

namespace {

constexpr int PlayerClasses = 20;
// The stock male commando: some 400 vertices in some 500 frames.
constexpr int MeshVertices = 400;
constexpr int MeshFrames = 500;

testsupport::MeshSpec PlayerMesh(const std::string& name) {
  testsupport::MeshSpec mesh;
  mesh.Name = name;
  constexpr int columns = 20;
  for (int frame = 0; frame < MeshFrames; ++frame) {
    std::vector<testsupport::MeshVertex> vertices;
    for (int v = 0; v < MeshVertices; ++v) {
      const float angle = static_cast<float>(v % columns) * 0.314f + static_cast<float>(frame) * 0.01f;
      vertices.push_back({20 * std::cos(angle), 20 * std::sin(angle), static_cast<float>(v / columns) * 4.5f});
    }
    mesh.Frames.push_back(std::move(vertices));
  }
  for (int v = 0; v < MeshVertices; ++v)
    mesh.Wedges.push_back({v, static_cast<std::uint8_t>((v % columns) * 12), static_cast<std::uint8_t>((v / columns) * 12)});
  for (int row = 0; row + 1 < MeshVertices / columns; ++row)
    for (int column = 0; column + 1 < columns; ++column) {
      const int a = row * columns + column;
      const int material = row * 4 / (MeshVertices / columns);
      mesh.Faces.push_back({{a, a + 1, a + columns}, material});
      mesh.Faces.push_back({{a + 1, a + columns + 1, a + columns}, material});
    }
  mesh.Materials = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
  mesh.Textures = {0, 0, 0, 0};
  mesh.Sequences = {{"Breath1", 0, 30, 10.0f}, {"All", 0, MeshFrames, 20.0f}};
  return mesh;
}

// The stock models' layout: meshes and player classes in Botpack.u, listed by
// Botpack.int, where the game's Linux release installs it in the benchmark's
// user folders.
class BenchmarkGame {
public:
  BenchmarkGame() : data_(std::getenv("XDG_DATA_HOME")) {
    std::filesystem::create_directories(Game() / "System");
    std::filesystem::create_directories(Game() / "Textures");
    testsupport::MeshPackage botpack("Botpack");
    botpack.AddPlayerClass({.Name = "TournamentPlayer", .Extends = "Engine.PlayerPawn", .Listed = false,
                            .MultiSkinned = true});
    for (int i = 1; i <= PlayerClasses; ++i) {
      const std::string number = std::to_string(i);
      const std::int32_t mesh = botpack.AddLodMesh(PlayerMesh("Bench" + number));
      botpack.AddPlayerClass({.Name = "TBench" + number, .Extends = "TournamentPlayer", .Mesh = mesh,
                              .FaceSkin = 3, .FixedSkin = 2, .TeamSkin1 = 0, .TeamSkin2 = 1,
                              .Description = "Bench Model " + number});
    }
    botpack.Write(Game() / "System");
  }

  std::filesystem::path Game() const { return data_ / "OldUnreal/UnrealTournament"; }
  std::filesystem::path Home() const { return data_.parent_path() / "home"; }

private:
  std::filesystem::path data_;
};

const BenchmarkGame& SharedGame() {
  static const BenchmarkGame game;
  return game;
}

// Runs the window's event loop until its start page names the game's models.
bool StartUntilShown(const std::filesystem::path& home) {
  benchsupport::SilentQuestions questions;
  app::MainWindow window(home, questions);
  window.show();
  const QString expected = QString("%1 player models").arg(PlayerClasses);
  auto* label = window.findChild<QLabel*>("start_Game");
  QElapsedTimer waited;
  waited.start();
  while (!label->text().endsWith(expected)) {
    if (waited.elapsed() > 60000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return window.Catalogue().Entries.size() == PlayerClasses;
}

void BM_FirstStartWith20PlayerClasses(benchmark::State& state) {
  const BenchmarkGame& game = SharedGame();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(game.Home());
    std::filesystem::create_directories(game.Home());
    state.ResumeTiming();
    if (!StartUntilShown(game.Home())) state.SkipWithError("the start page did not name the models");
  }
  state.counters["playerClasses"] = PlayerClasses;
}
BENCHMARK(BM_FirstStartWith20PlayerClasses)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LaterStartWith20Defined(benchmark::State& state) {
  const BenchmarkGame& game = SharedGame();
  std::filesystem::remove_all(game.Home());
  std::filesystem::create_directories(game.Home());
  StartUntilShown(game.Home());
  for (auto _ : state)
    if (!StartUntilShown(game.Home())) state.SkipWithError("the start page did not name the models");
}
BENCHMARK(BM_LaterStartWith20Defined)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return RunWindowBenchmarks(argc, argv, "marbelle-game-start-benchmark");
}
