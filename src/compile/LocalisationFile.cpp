#include "compile/LocalisationFile.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"

namespace compile {

LocalisationFile::LocalisationFile(std::string packageName, bool reduced)
    : packageName_(std::move(packageName)), reduced_(reduced), text_("[Public]\r\n") {}

void LocalisationFile::NextSkin() { usedDescriptions_.clear(); }

bool LocalisationFile::AlreadyUsed(std::string_view description) const {
  return std::any_of(usedDescriptions_.begin(), usedDescriptions_.end(),
                     [&](const std::string& used) { return platform::EqualsIgnoreCase(used, description); });
}

void LocalisationFile::AddTexture(std::string_view textureName, std::string_view description, MenuRole role,
                                  std::string_view skinDescription, bool noInt) {
  // Text before a ">" only sorts textures in the tree; players never see it.
  if (const auto mark = description.find('>'); mark != std::string_view::npos) description.remove_prefix(mark + 1);
  if (role == MenuRole::Skin) description = skinDescription;
  if (role == MenuRole::None) description = {};
  // The skin menu would list a repeated description twice.
  if (AlreadyUsed(description))
    description = {};
  else
    usedDescriptions_.emplace_back(description);

  if (noInt || (description.empty() && reduced_)) return;
  text_ += "Object=(Name=" + packageName_ + "." + std::string(textureName) + ",Class=Texture";
  if (!description.empty()) text_ += ",Description=\"" + std::string(description) + "\"";
  text_ += ")\r\n";
}

void LocalisationFile::Save(const std::filesystem::path& path) const {
  platform::WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text_.data()), text_.size()));
}

}  // namespace compile
