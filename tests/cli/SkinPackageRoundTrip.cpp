#include "SkinPackageRoundTrip.h"

#include <map>

#include "CliRunner.h"
#include "compile/SkinPackageProject.h"
#include "platform/AsciiText.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::map<std::string, compile::PackageTexture> TexturesByName(const std::filesystem::path& file) {
  std::vector<std::string> problems;
  std::map<std::string, compile::PackageTexture> textures;
  for (compile::PackageTexture& texture : compile::ReadSkinPackage(file, problems).Textures)
    textures.emplace(platform::ToLowerAscii(texture.Name), std::move(texture));
  return textures;
}

raster::PaletteEntry Colour(const raster::Bitmap& picture, int x, int y) {
  return picture.Palette().at(picture.Row(y)[x]);
}

}  // namespace

void CompiledSampleHome(const std::filesystem::path& sample, const std::filesystem::path& home) {
  for (const char* file : {"Mannequin.u", "Mannequin.int", "MannequinSkinsSample.mrb"})
    std::filesystem::copy_file(sample / file, home / file);
  for (const char* folder : {"CustomModels", "Samples"})
    std::filesystem::copy(sample / folder, home / folder, std::filesystem::copy_options::recursive);
  const Outcome compiled = Marbelle({"compile", Path(home / "MannequinSkinsSample.mrb"), "--home", Path(home)});
  if (compiled.status != 0) throw std::runtime_error("the sample project does not compile: " + compiled.err);
}

RoundTrip OpenAndCompile(const std::filesystem::path& package, const std::filesystem::path& project,
                         const std::filesystem::path& home, const std::vector<std::string>& options) {
  QStringList arguments{"project", "from-package", Path(package), Path(project), "--home", Path(home)};
  for (const std::string& option : options) arguments << QString::fromStdString(option);
  const Outcome opened = Marbelle(arguments);
  RoundTrip trip;
  trip.status = opened.status;
  trip.error = opened.err;
  std::size_t at = 0;
  while ((at = opened.out.find("report: ", at)) != std::string::npos) {
    const std::size_t end = opened.out.find('\n', at);
    trip.report.push_back(opened.out.substr(at + 8, end - at - 8));
    at = end;
  }
  if (opened.status != 0) return trip;
  const Outcome compiled = Marbelle({"compile", Path(project), "--home", Path(home)});
  trip.status = compiled.status;
  trip.error += compiled.err;
  trip.compiled = std::filesystem::path(project).replace_extension(".utx");
  return trip;
}

std::vector<std::string> PackageDifferences(const std::filesystem::path& original, const std::filesystem::path& compiled) {
  const auto before = TexturesByName(original);
  const auto after = TexturesByName(compiled);
  std::vector<std::string> differences;
  for (const auto& [name, texture] : before) {
    const auto found = after.find(name);
    if (found == after.end()) {
      differences.push_back("lost " + texture.Name);
      continue;
    }
    if (texture.Compressed) continue;
    const raster::Bitmap& a = texture.Picture;
    const raster::Bitmap& b = found->second.Picture;
    if (a.Width() != b.Width() || a.Height() != b.Height() || b.Format() != raster::PixelFormat::Indexed8) {
      differences.push_back(texture.Name + " changed its size or format");
      continue;
    }
    int changed = 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) changed += Colour(a, x, y) == Colour(b, x, y) ? 0 : 1;
    if (changed > 0) differences.push_back(texture.Name + ": " + std::to_string(changed) + " pixels changed");
  }
  for (const auto& [name, texture] : after)
    if (!before.count(name)) differences.push_back("gained " + texture.Name);
  return differences;
}
