#pragma once

#include <filesystem>

// A program home for benchmarks, made once per run and removed at its end:
// the model "Bench" (4 sections of 256 x 256 with team and face), the project
// BenchSkins.mrb of 4 skins x 4 sections x 10 textures of random pixels, and
// under Catalogue/ a home of 200 model definitions with wire bitmaps.
class BenchmarkHome {
public:
  BenchmarkHome();
  ~BenchmarkHome();
  BenchmarkHome(const BenchmarkHome&) = delete;
  BenchmarkHome& operator=(const BenchmarkHome&) = delete;

  const std::filesystem::path& Home() const { return home_; }

private:
  std::filesystem::path home_;
};

const BenchmarkHome& SharedBenchmarkHome();
