#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace compile {

// What the game's menus make of a texture declared with a description.
enum class MenuRole {
  // The texture the skin list shows its skin by: it takes the skin's description.
  Skin,
  // A face of a face section: the face list shows it by its own description.
  Face,
  // Any other: described, it would show in the menus as a skin or face that is none.
  None,
};

// The .int text that lists the package's textures for the game's skin menus,
// fed texture by texture in tree order during a compilation.
class LocalisationFile {
public:
  // `reduced`: the project's ReducedINT option or the model's AMS; textures
  // without a description then get no line.
  LocalisationFile(std::string packageName, bool reduced);

  // A skin node: its textures may reuse the descriptions of earlier skins.
  void NextSkin();
  // `noInt`: the section's NoINT flag.
  void AddTexture(std::string_view textureName, std::string_view description, MenuRole role,
                  std::string_view skinDescription, bool noInt);

  // "[Public]" and the declarations, each line ended by CR LF.
  const std::string& Text() const { return text_; }
  void Save(const std::filesystem::path& path) const;

private:
  bool AlreadyUsed(std::string_view description) const;

  std::string packageName_;
  bool reduced_;
  std::string text_;
  std::vector<std::string> usedDescriptions_;
};

}  // namespace compile
