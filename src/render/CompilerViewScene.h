#pragma once

#include <vector>

#include "preview/CompilerView.h"

namespace model {
class TModelo;
}

namespace render {

class PreviewScene;

// Sets the scene up as the model compiler shows a mesh: every frame of the
// model, each material in its colour, standing and framed for a square view
// of `viewSide` pixels. Returns the looks, for the legend.
std::vector<preview::MaterialLook> ShowForCompiling(PreviewScene& scene, const model3d::TObjeto3D& model,
                                                   const model::TModelo& definition, int viewSide);

}  // namespace render
