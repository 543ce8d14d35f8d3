#include <filesystem>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/ColorQuantizer.h"
#include "compile/PaletteMapping.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"

namespace cli {

int RunQuantize(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--out"});
  args.ExpectPositionals(1, SIZE_MAX);
  const auto outDir = args.Value("--out");
  if (!outDir) throw UsageError("quantize needs --out DIR");
  std::filesystem::create_directories(*outDir);
  for (const std::string& input : args.Positionals()) {
    const raster::Bitmap picture = raster::LoadPicture(input).ToBgr24();
    const compile::Palette palette = compile::BuildOptimizedPalette({&picture}, 256);
    const std::filesystem::path output =
        std::filesystem::path(*outDir) / std::filesystem::path(input).filename().replace_extension(".bmp");
    raster::SaveBmpFile(compile::MapToPalette(picture, palette), output);
    out << output.string() << '\n';
  }
  return 0;
}

}  // namespace cli
