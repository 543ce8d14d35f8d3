#pragma once

#include <cstddef>
#include <cstdint>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/PackageModel.h"

namespace modelcompiler {

// How a package model becomes a TObjeto3D: every frame or only the chosen one,
// and which frame rests; absolute, or counted from a sequence's start.
struct FrameChoice {
  bool Animated = true;
  bool MirrorX = false;
  bool UseAbsoluteFrame = false;
  std::int32_t AbsoluteFrame = 0;
  std::size_t Sequence = 0;
  std::int32_t Frame = 0;
};

// The frame the choice designates; a frame the mesh does not hold is an error.
// A skeletal mesh always gives its reference pose, frame 0.
std::int32_t ChosenFrame(const MeshCopy& mesh, const FrameChoice& choice);

// The texture indexes compiling turns into named materials, and so into
// sections: those the mesh draws with whose texture it holds itself. In order.
std::vector<std::int32_t> SkinMaterials(const MeshCopy& mesh);

// Empties `out` and fills it from a mesh copy: the one conversion of a package
// mesh into a model, for the model compiler and the preview alike. Data that
// would break the model's indices (a wedge past the vertices, a face past the
// wedges) is an error naming the mesh and its file. Returns notes on sequences
// left out because their packing cannot hold them (real meshes have sequences
// of 500 frames).
std::vector<std::string> CompilePackageModel(const MeshCopy& mesh, const FrameChoice& choice, model3d::TObjeto3D& out);

}  // namespace modelcompiler
