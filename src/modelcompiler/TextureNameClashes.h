#pragma once

#include <string>

namespace model {
class TModelo;
}

namespace modelcompiler {

// What would make a project for the model give two textures of different
// sections one name, which a package cannot hold: the pairs of sections
// whose name formats agree for some skin and face, with a name they share.
// Empty when every section names its textures apart.
std::string DescribeTextureNameClashes(const model::TModelo& definition);

}  // namespace modelcompiler
