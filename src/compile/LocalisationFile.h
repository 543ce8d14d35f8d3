#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace compile {

// The .int text that lists the package's textures for the game's skin menus,
// fed texture by texture in tree order during a compilation.
class LocalisationFile {
public:
  // `reduced`: the project's ReducedINT option or the model's AMS; textures
  // without a description then get no line.
  LocalisationFile(std::string packageName, bool reduced);

  // A skin node: its textures may reuse the descriptions of earlier skins.
  void NextSkin();
  // `hasIdentifier`: a team or face variant rather than the section's default
  // texture. `firstOfSkin`: the first texture entry of the skin in tree order.
  // `noInt`: the section's NoINT flag.
  void AddTexture(std::string_view textureName, std::string_view description, bool hasIdentifier, bool firstOfSkin,
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
