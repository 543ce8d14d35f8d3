#pragma once

#include <string>
#include <vector>

namespace unrealpkg {
class TUTPackage;
}

namespace testsupport {

// Reads the groups, palettes and textures of a package as most other tools do:
// every tag is skipped by the size it declares, whatever its type, and the
// object's own data is taken from where the tags end. Returns one line per
// place where that reading disagrees with our typed reader: a tag value, the
// end of the tags, a palette colour, a texture level's header or pixels.
std::vector<std::string> DeclaredSizeDisagreements(unrealpkg::TUTPackage& package);

}  // namespace testsupport
