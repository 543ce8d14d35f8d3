#include "compile/UniqueObjectPaths.h"

#include <string>
#include <unordered_map>

#include "compile/PaletteGeneration.h"
#include "platform/AsciiText.h"
#include "project/ProjectDocument.h"

namespace compile {

namespace {

using project::SkinNode;

enum class ObjectKind { Texture, Skin, Palette };

struct Claim {
  ObjectKind Kind;
  std::string Path;
  std::string Who;
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SkinText(const SkinNode& skin) { return "skin " + Quoted(skin.Caption()); }

std::string TextureText(const SkinNode& texture) {
  const SkinNode& section = *texture.Parent();
  return SkinText(*section.Parent()) + ", section " + Quoted(section.Caption()) + ", texture " +
         Quoted(texture.Caption()) + " (" + texture.Texture().FileName.string() + ")";
}

class PathRegister {
public:
  explicit PathRegister(const project::ProjectDocument& document) : document_(document) {}

  void Add(ObjectKind kind, const std::string& path, const std::string& who) {
    const auto [it, added] = claims_.try_emplace(platform::ToLowerAscii(path), Claim{kind, path, who});
    if (added) return;
    const Claim& first = it->second;
    const char* what = first.Kind != kind          ? "objects"
                       : kind == ObjectKind::Texture ? "textures"
                       : kind == ObjectKind::Skin    ? "skins"
                                                     : "palettes";
    throw ObjectPathClash("Cannot compile " + document_.FileName().string() + ": two " + what +
                          " would both be called " + first.Path + " in the package, and the game would load only one " +
                          "of them: " + first.Who + " and " + who +
                          ". Give each a name of its own (change a skin code or the name format of a section), or "
                          "keep a texture that all skins share in one skin only.");
  }

private:
  const project::ProjectDocument& document_;
  std::unordered_map<std::string, Claim> claims_;
};

}  // namespace

void CheckUniqueObjectPaths(const project::ProjectDocument& document) {
  // Textures first: their clash names the files the user has to tell apart.
  // The game finds a texture by its name whatever skin group holds it, so
  // names must differ across skins too (textures a model's skins share).
  PathRegister names(document);
  for (const SkinNode* texture : project::TextureNodes(document.Root()))
    names.Add(ObjectKind::Texture, document.TextureName(*texture), TextureText(*texture));
  PathRegister paths(document);
  for (const SkinNode& skin : document.Root().Children())
    for (const SkinNode* texture : project::TextureNodes(skin))
      paths.Add(ObjectKind::Texture, skin.Code() + "." + document.TextureName(*texture), TextureText(*texture));
  for (const SkinNode& skin : document.Root().Children()) paths.Add(ObjectKind::Skin, skin.Code(), SkinText(skin));
  for (const PaletteGroup& group : PaletteGroups(document))
    if (!group.Members.empty())
      paths.Add(ObjectKind::Palette, group.Members.front()->Skin()->Code() + "." + group.ObjectName,
                "the palette " + Quoted(group.ObjectName));
}

}  // namespace compile
