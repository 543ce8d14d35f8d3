#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A skin package opened as a project with `marbelle project from-package`,
// then compiled with `marbelle compile`.
struct RoundTrip {
  int status = -1;
  std::string error;
  // The lines from-package reported, without their "report: " mark.
  std::vector<std::string> report;
  std::filesystem::path compiled;
};

// A copy of the sample content in `home`, its project compiled there:
// MannequinSkinsSample.utx and .int beside it.
void CompiledSampleHome(const std::filesystem::path& sample, const std::filesystem::path& home);

RoundTrip OpenAndCompile(const std::filesystem::path& package, const std::filesystem::path& project,
                         const std::filesystem::path& home, const std::vector<std::string>& options = {});

// Where the compiled package differs from the original: a name one has and
// the other lacks (letter case ignored), or a pixel of an 8-bit texture's
// first level whose colour changed. Textures stored compressed are compared by name only.
std::vector<std::string> PackageDifferences(const std::filesystem::path& original, const std::filesystem::path& compiled);
