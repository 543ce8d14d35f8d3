// Opening a package and parsing every export (properties, script, class
// defaults, texture records, mesh data), with the heap's peak during the work.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "unrealpkg/ObjectClassRegistry.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void Track(void* p) {
  if (!p) return;
  const std::size_t now = liveBytes += malloc_usable_size(p);
  std::size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  Track(p);
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  liveBytes -= malloc_usable_size(p);
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

const std::filesystem::path Corpus = MARBELLE_CORPUS_DIR;

void ReadEverything(const std::filesystem::path& path) {
  unrealpkg::TUTPackage package(path);
  unrealpkg::TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    unrealpkg::TUTObjectUse use(package.GetExport(i)->Object());
    benchmark::DoNotOptimize(package.GetExport(i)->Object().Properties().Count());
  }
}

void BM_OpenAndParseEveryExport(benchmark::State& state, const char* relativePath) {
  const std::filesystem::path path = Corpus / relativePath;
  if (!std::filesystem::exists(path)) {
    state.SkipWithError("corpus file missing");
    return;
  }
  unrealpkg::RegisterAllObjectClasses();
  const std::size_t baseline = liveBytes;
  peakBytes = baseline;
  for (auto _ : state) ReadEverything(path);
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["peak_heap_MB"] = static_cast<double>(peakBytes - baseline) / 1e6;
  state.counters["peak_per_file_size"] = static_cast<double>(peakBytes - baseline) / fileBytes;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
}

BENCHMARK_CAPTURE(BM_OpenAndParseEveryExport, tskmskins_utx, "ut-server/Textures/tskmskins.utx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenAndParseEveryExport, epiccustommodels_u, "utpatches/System/epiccustommodels.u")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenAndParseEveryExport, Endemia_u, "dxparty/System/Endemia.u")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenAndParseEveryExport, Engine_u, "ut-server/System/Engine.u")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
