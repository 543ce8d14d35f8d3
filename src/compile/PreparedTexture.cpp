#include "compile/PreparedTexture.h"

#include "compile/HighQualityPalette.h"
#include "compile/ExactColours.h"
#include "compile/PaletteMapping.h"
#include "compile/PostProcess.h"

namespace compile {

namespace {

// Alpha below half counts as see-through.
constexpr std::uint8_t OpaqueAlpha = 128;

}  // namespace

bool HasReservedPalette(const raster::Bitmap& source, bool maskedSection) {
  return maskedSection && source.Format() != raster::PixelFormat::Bgr24;
}

raster::Bitmap PrepareWorkingBitmap(const raster::Bitmap& source, bool maskedSection, int brightness, int saturation,
                                    PaletteQuality quality) {
  raster::Bitmap working = source.ToBgr24();
  ApplyBrightness(working, brightness);
  ApplySaturation(working, saturation);
  if (!HasReservedPalette(source, maskedSection)) return working;

  std::vector<std::uint8_t> mask(static_cast<std::size_t>(source.Width()) * static_cast<std::size_t>(source.Height()));
  raster::PaletteEntry maskColour{};
  if (source.Format() == raster::PixelFormat::Indexed8) {
    // The pixels that show colour 0 of the source's palette, wherever else it stands.
    if (!source.Palette().empty()) maskColour = source.Palette().front();
    const raster::Bitmap original = source.ToBgr24();
    const std::uint8_t* in = original.Pixels().data();
    for (std::size_t i = 0; i < mask.size(); ++i, in += 3)
      mask[i] = in[0] == maskColour.Blue && in[1] == maskColour.Green && in[2] == maskColour.Red;
  } else {
    const std::uint8_t* in = source.Pixels().data();
    for (std::size_t i = 0; i < mask.size(); ++i, in += 4) mask[i] = in[3] < OpaqueAlpha;
  }
  maskColour = AdjustColour(maskColour, brightness, saturation);

  // Up to 255 colours besides the mask are kept as they are.
  const std::optional<raster::Bitmap> few = FewColours(working, mask, 255);
  const Palette colours = BuildPalette({few ? &*few : &working}, 255, quality);
  Palette palette{raster::PaletteEntry{maskColour.Red, maskColour.Green, maskColour.Blue, 0}};
  palette.insert(palette.end(), colours.begin(), colours.end());
  return MapToPalette(working, palette, mask, quality);
}

PreparedTexture Prepare(const raster::Bitmap& working) {
  if (working.Format() != raster::PixelFormat::Indexed8) return {working.ToBgr24(), {}};
  PreparedTexture prepared{working.ToBgr24(), std::vector<std::uint8_t>(working.Pixels().size())};
  for (std::size_t i = 0; i < prepared.Mask.size(); ++i) prepared.Mask[i] = working.Pixels()[i] == 0;
  return prepared;
}

}  // namespace compile
