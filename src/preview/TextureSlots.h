#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "compile/Palette.h"
#include "preview/PreviewChoices.h"
#include "preview/PreviewMesh.h"
#include "raster/Bitmap.h"

namespace model {
class TModelo;
}
namespace project {
class SkinNode;
}

namespace preview {

// What a section number 1 to 8 shows on its actor.
struct TextureSlot {
  // The picture's file: the section's wire bitmap until a variant names its own.
  std::filesystem::path FileName;
  // 8-bit with the palette the game will use, or as loaded when it came with one.
  raster::Bitmap Picture;
  // The texture shown, none for the wire bitmap.
  const project::SkinNode* Variant = nullptr;
  bool Masked = false;
  bool Translucent = false;
  bool Talk = false;
  bool Used = false;
  bool Loaded = false;
  bool Paletted = false;
};

struct SlotResolution {
  // Slot s - 1 serves section number s and actor s.
  std::array<TextureSlot, ActorCount> Slots;
  // "Cannot load texture: " + file, once per variant whose picture could not be had.
  std::vector<std::string> Messages;
};

// The textures the preview shows for a selection: for each section of the
// model, the variant of the selected skin found by team and face (team and
// face, team alone, default with the face, default), or, for a texture named
// alike for every skin, another skin's that the game would show as well; its
// picture mapped onto
// the palette palette generation gave it, exactly as the package will hold
// it. Sections without a variant show their wire bitmap, when there is one.
// Pictures are mapped with the project's palette quality. With
// `highResolution`, a picture larger than its section that is not masked
// shows the first level of the compressed chain newer clients read instead.
SlotResolution ResolveTextureSlots(const model::TModelo& definition, const Selection& selection,
                                   compile::PaletteQuality quality = compile::PaletteQuality::Classic,
                                   bool highResolution = false);

// How an actor draws its slot.
enum class PolygonMode { Fill, Lines };
enum class Blending { Opaque, Transparency };
enum class ImageAlpha { Default, TransparentColour, Fixed };
enum class TextureMode { Decal, Modulate, Replace };

struct ActorMaterial {
  PolygonMode Polygons = PolygonMode::Lines;
  bool Textured = false;
  Blending Blend = Blending::Opaque;
  ImageAlpha Alpha = ImageAlpha::Default;
  int FixedAlpha = 255;
  TextureMode Mode = TextureMode::Decal;
  raster::PaletteEntry TransparentColour;
  // Blended actors are drawn after the others.
  bool DrawLast = false;

  friend bool operator==(const ActorMaterial&, const ActorMaterial&) = default;
};

// Wire-frame lines for the talk texture, unused sections and slots without a
// picture; masked paletted pictures see through entry 0 and translucent ones
// are half transparent, both only with masking enabled.
ActorMaterial MaterialFor(const TextureSlot& slot, bool enableMasking);

// The slot whose picture the head-up sprite shows: the talk texture's
// section when it is 1 to 8 and loaded; -1 otherwise.
int HudSlot(const model::TModelo& definition, const SlotResolution& slots);

}  // namespace preview
