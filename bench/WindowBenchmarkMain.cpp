#include "WindowBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

int RunWindowBenchmarks(int argc, char** argv, const char* userFolder) {
  const std::filesystem::path user = std::filesystem::temp_directory_path() / userFolder;
  setenv("XDG_DATA_HOME", (user / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (user / "config").c_str(), 1);
  setenv("WINEPREFIX", (user / "wine").c_str(), 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(user);
  return 0;
}
