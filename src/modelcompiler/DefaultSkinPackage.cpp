#include "modelcompiler/DefaultSkinPackage.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "platform/GameDirectory.h"
#include "unrealpkg/TUTPackage.h"

namespace modelcompiler {

std::string DefaultSkinPackage::TextureNamed(std::string_view name) const {
  const auto found = std::find_if(Textures.begin(), Textures.end(),
                                  [&](const std::string& texture) { return platform::EqualsIgnoreCase(texture, name); });
  return found == Textures.end() ? std::string() : *found;
}

DefaultSkinPackage ReadDefaultSkinPackage(const std::filesystem::path& classPackage, std::string_view defaultSkinName,
                                          std::string_view defaultPackage) {
  DefaultSkinPackage result;
  const std::string_view named = defaultSkinName.find('.') != std::string_view::npos ? defaultSkinName : defaultPackage;
  result.Name = std::string(named.substr(0, named.find('.')));
  if (result.Name.empty()) return result;
  const std::filesystem::path game = classPackage.parent_path().parent_path();
  const auto file = platform::FindFileIgnoringCase(platform::GameFolder(game, "Textures"), result.Name + ".utx");
  if (!file) return result;
  result.File = *file;
  try {
    unrealpkg::TUTPackage package(result.File);
    for (int i = 0; i < package.ExportCount(); ++i) {
      const auto* entry = package.GetExport(i);
      if (platform::EqualsIgnoreCase(entry->ClassName(), "Texture")) result.Textures.push_back(entry->ObjectName());
    }
  } catch (const std::exception& e) {
    result.Problem = e.what();
    result.Textures.clear();
  }
  return result;
}

}  // namespace modelcompiler
