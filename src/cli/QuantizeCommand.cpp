#include <filesystem>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/HighQualityPalette.h"
#include "compile/PaletteMapping.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"

namespace cli {

int RunQuantize(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--out", "--quality"});
  args.ExpectPositionals(1, SIZE_MAX);
  const auto outDir = args.Value("--out");
  if (!outDir) throw UsageError("quantize needs --out DIR");
  const std::string qualityName = args.Value("--quality").value_or("classic");
  if (qualityName != "classic" && qualityName != "high") throw UsageError("--quality is classic or high");
  const auto quality = qualityName == "high" ? compile::PaletteQuality::High : compile::PaletteQuality::Classic;
  std::filesystem::create_directories(*outDir);
  for (const std::string& input : args.Positionals()) {
    const raster::Bitmap picture = raster::LoadPicture(input).ToBgr24();
    const compile::Palette palette = compile::BuildPalette({&picture}, 256, quality);
    const std::filesystem::path output =
        std::filesystem::path(*outDir) / std::filesystem::path(input).filename().replace_extension(".bmp");
    raster::SaveBmpFile(compile::MapToPalette(picture, palette, {}, quality), output);
    out << output.string() << '\n';
  }
  return 0;
}

}  // namespace cli
