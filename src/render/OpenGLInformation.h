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
// The same of the context current on this thread: the preview's own.
std::vector<std::pair<std::string, std::string>> QueryCurrentOpenGLInformation();

// Whether this display can make an OpenGL context at all; asked once.
bool OpenGLAvailable();

}  // namespace render
