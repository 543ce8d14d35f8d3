#pragma once

#include <string>

namespace unrealpkg {

class TUTObjectClassMesh;

// One frame of a parsed Mesh, LodMesh or SkeletalMesh as Wavefront OBJ text:
// that frame's vertices, the texture coordinates (U / 255, 1 - V / 255) and the
// triangles in one group per skin slot. A skeletal mesh has only its reference
// pose, frame 0. A frame or index outside the mesh is a ReadError.
std::string MeshToObj(const TUTObjectClassMesh& mesh, int frame);

}  // namespace unrealpkg
