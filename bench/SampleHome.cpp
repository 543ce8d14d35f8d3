#include "SampleHome.h"

SampleHome::SampleHome(const char* name) : home_(std::filesystem::temp_directory_path() / name) {
  std::filesystem::remove_all(home_);
  std::filesystem::create_directories(home_);
  const std::filesystem::path sample = MARBELLE_SAMPLE_HOME;
  for (const char* entry : {"Mannequin.u", "MannequinSkinsSample.mrb", "CustomModels", "Samples"})
    std::filesystem::copy(sample / entry, home_ / entry, std::filesystem::copy_options::recursive);
}

SampleHome::~SampleHome() { std::filesystem::remove_all(home_); }
