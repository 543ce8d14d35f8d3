#pragma once

#include <stdexcept>

namespace project {
class ProjectDocument;
}

namespace compile {

// Two objects of the package would share one path; the message names both.
class ObjectPathClash : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Refuses a project whose package would hold two objects of the same path
// (group, then name, compared ignoring case, as the game finds them): two
// textures whose names coincide, in one skin or in two, skins whose codes
// differ only in letter case, a texture named like a palette. The game would
// load only one of them.
void CheckUniqueObjectPaths(const project::ProjectDocument& document);

}  // namespace compile
