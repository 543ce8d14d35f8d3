#include "support/TestFiles.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace testsupport {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("marbelle-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("Cannot write " + path.string());
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read " + path.string());
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::filesystem::path CorpusDir() { return MARBELLE_CORPUS_DIR; }

bool CorpusRequired() {
  const char* value = std::getenv("MARBELLE_REQUIRE_CORPUS");
  return value && std::string_view(value) == "1";
}

std::filesystem::path CorpusFile(const std::string& relativePath) { return CorpusDir() / relativePath; }

void InstallBonusPackGame(const std::filesystem::path& game) {
  std::filesystem::create_directories(game / "System");
  std::filesystem::create_directories(game / "Textures");
  for (const char* file : {"utpatches/System/MultiMesh.u", "utpatches/System/epiccustommodels.u",
                           "utpatches/SystemLocalized/int/multimesh.int"})
    std::filesystem::copy_file(CorpusFile(file), game / "System" / std::filesystem::path(file).filename());
  for (const char* file : {"tskmskins.utx", "tnalimeshskins.utx", "tcowmeshskins.utx"})
    std::filesystem::copy_file(CorpusFile(std::string("ut-server/Textures/") + file), game / "Textures" / file);
}

std::vector<std::filesystem::path> CorpusPackages() {
  std::vector<std::filesystem::path> packages;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(CorpusDir(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string extension = it->path().extension().string();
    if (it->is_regular_file() && (extension == ".u" || extension == ".utx" || extension == ".umx" || extension == ".uax"))
      packages.push_back(it->path());
  }
  std::sort(packages.begin(), packages.end());
  return packages;
}

}  // namespace testsupport
