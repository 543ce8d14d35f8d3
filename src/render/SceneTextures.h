#pragma once

#include "preview/TextureSlots.h"

namespace model {
class TModelo;
}

namespace render {

class PreviewScene;

// Gives the scene the textures of a resolution: each actor its slot's
// picture and material, the sprite the talk texture. With `previous` (what
// the scene shows now), only slots whose picture or material changed go to
// the scene again. Returns how many actors took a new texture.
int ApplyTextures(PreviewScene& scene, const model::TModelo& definition, const preview::SlotResolution& resolution,
                  bool enableMasking, const preview::SlotResolution* previous = nullptr);

}  // namespace render
