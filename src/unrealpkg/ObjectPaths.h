#pragma once

#include <string>
#include <string_view>

namespace unrealpkg {

// "Botpack.Skins.Soldier" gives "Botpack": the package file an imported object lives in.
inline std::string OutermostPackage(std::string_view path) { return std::string(path.substr(0, path.find('.'))); }

// "Botpack.Skins.Soldier" gives "Skins.Soldier": the path within that package.
inline std::string PathBelowOutermost(std::string_view path) {
  const auto dot = path.find('.');
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

}  // namespace unrealpkg
