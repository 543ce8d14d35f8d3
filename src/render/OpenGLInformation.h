#pragma once

#include <string>
#include <utility>
#include <vector>

namespace render {

// What the OpenGL implementation in use says of itself: vendor, renderer,
// version, shading language, the buffer depths of a default surface and its
// limits, as caption and value. Made from a real context on an off-screen
// surface; an error says why when none can be made.
std::vector<std::pair<std::string, std::string>> QueryOpenGLInformation();

// Whether this display can make an OpenGL context at all; asked once.
bool OpenGLAvailable();

}  // namespace render
