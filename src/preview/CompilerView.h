#pragma once

#include <string>
#include <vector>

#include "model3d/TObjeto3D.h"
#include "preview/PreviewMesh.h"
#include "preview/TextureSlots.h"
#include "raster/Bitmap.h"

namespace model {
class TModelo;
}
namespace modelcompiler {
struct TLMAnimSeq;
}

// The model compiler's view of a mesh before it is compiled: which material
// becomes which section.
namespace preview {

// How an actor of the view looks: its material's wire bitmap in a colour of
// its own, and the legend line that says which section that colour is.
struct MaterialLook {
  int Actor = 0;
  raster::PaletteEntry Colour;
  raster::Bitmap Picture;
  std::string Legend;
};

// A look for every actor of the mesh that draws triangles, named after the
// section the definition makes of its material ("Section 2: SKIN1 (face)").
std::vector<MaterialLook> MaterialLooks(const model3d::TObjeto3D& model, const PreviewMesh& mesh,
                                        const model::TModelo& definition);

// Actors of the view are filled with their picture as it stands.
ActorMaterial FlatMaterial();

// A mesh sequence as the view plays it.
ActorAnimation SequenceAnimation(const modelcompiler::TLMAnimSeq& sequence);

}  // namespace preview
