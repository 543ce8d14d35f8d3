#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh directory under the system's temporary folder, removed with its contents.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);

// The folder of real packages shared by every checkout; tests that need it skip
// without it (see MARBELLE_NEEDS_CORPUS).
std::filesystem::path CorpusDir();
// Whether a missing corpus fails the run instead: MARBELLE_REQUIRE_CORPUS=1, as CI sets.
bool CorpusRequired();
// Every Unreal package in the corpus (not the .int files), in a stable order.
std::vector<std::filesystem::path> CorpusPackages();
std::filesystem::path CorpusFile(const std::string& relativePath);

// The Bonus Pack's models as a user's game holds them, from the corpus:
// MultiMesh.u, epiccustommodels.u and multimesh.int in System, the three skin
// packages in Textures; the folders are made when missing.
void InstallBonusPackGame(const std::filesystem::path& game);

}  // namespace testsupport
