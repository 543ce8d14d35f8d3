#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace modelcompiler {

// The texture package a model's class names for its default skin
// ("TSkMSkins.Warr"): installed with the model, so the best evidence of how
// the model's scripts name skins.
struct DefaultSkinPackage {
  // "TSkMSkins"; empty when the class names no default skin.
  std::string Name;
  // The file, found in the game's Textures folder; empty when it is not there.
  std::filesystem::path File;
  // Why the package could not be read, when it could not.
  std::string Problem;
  std::vector<std::string> Textures;

  bool Found() const { return !File.empty() && Problem.empty(); }
  // The texture of that name, ignoring letter case, as the package writes it; empty when none.
  std::string TextureNamed(std::string_view name) const;
};

// The package of `defaultSkinName` ("TSkMSkins.Warr"), or of `defaultPackage`
// ("TSkMSkins.") when the skin names none, in the folder Textures beside the
// System folder that holds `classPackage`, letter case ignored; its texture
// names when it can be read.
DefaultSkinPackage ReadDefaultSkinPackage(const std::filesystem::path& classPackage,
                                          std::string_view defaultSkinName, std::string_view defaultPackage);

}  // namespace modelcompiler
