#include "compile/PaletteGeneration.h"

#include "compile/ColorQuantizer.h"
#include "compile/ContentHash.h"
#include "compile/PreparedTexture.h"
#include "platform/ParallelFor.h"
#include "project/ProjectDocument.h"
#include "project/TeamLabels.h"

namespace compile {

namespace {

using project::NodeKind;
using project::SkinNode;

bool Masked(project::ProjectDocument& document, const SkinNode& texture) {
  return document.SectionOf(*texture.Parent).Part.Has(model::MASKED);
}

bool Reserved(project::ProjectDocument& document, const SkinNode& texture) {
  return HasReservedPalette(texture.Texture->SourceBitmap, Masked(document, texture));
}

std::uint64_t WorkingKey(const project::TObjetoTextura& texture, bool masked, int brightness, int saturation) {
  return ContentHash()
      .Add(texture.SourceBitmap)
      .Add(static_cast<std::uint64_t>(masked))
      .Add(static_cast<std::uint64_t>(brightness))
      .Add(static_cast<std::uint64_t>(saturation))
      .Value();
}

}  // namespace

std::vector<PaletteGroup> PaletteGroups(project::ProjectDocument& document) {
  const int mode = document.Options().ReducePalettes;
  std::vector<PaletteGroup> groups;
  PaletteGroup* shared = nullptr;
  for (const auto& skin : document.Root().Children) {
    if (mode == 1) shared = nullptr;
    for (SkinNode* texture : project::TextureNodes(*skin)) {
      if (mode == 0) {
        groups.push_back({"Palette" + std::to_string(groups.size() + 1), {texture}});
      } else if (Reserved(document, *texture)) {
        groups.push_back({"Palette_" + document.TextureName(*texture), {texture}});
        // The vector may have moved: find the shared group again by name.
        shared = nullptr;
      } else {
        const std::string name = mode == 1 ? "Palette_" + project::SplitSkinCaption(skin->Caption).Code : "Palette_All";
        if (!shared)
          for (auto& group : groups)
            if (group.ObjectName == name) shared = &group;
        if (!shared) {
          groups.push_back({name, {}});
          shared = &groups.back();
        }
        shared->Members.push_back(texture);
      }
    }
  }
  return groups;
}

void PaletteGenerator::Generate(project::ProjectDocument& document, int jobs) {
  const int brightness = document.Options().Brightness;
  const int saturation = document.Options().Saturation;
  const std::vector<SkinNode*> textures = project::TextureNodes(document.Root());

  platform::ParallelFor(textures.size(), jobs, [&](std::size_t i) {
    project::TObjetoTextura& texture = *textures[i]->Texture;
    const bool masked = Masked(document, *textures[i]);
    const std::uint64_t key = WorkingKey(texture, masked, brightness, saturation);
    if (texture.WorkingBitmap && texture.WorkingKey == key) return;
    texture.WorkingBitmap = PrepareWorkingBitmap(texture.SourceBitmap, masked, brightness, saturation);
    texture.WorkingKey = key;
  });

  const std::vector<PaletteGroup> groups = PaletteGroups(document);
  std::vector<std::uint64_t> keys(groups.size());
  std::unordered_map<std::uint64_t, Palette> palettes;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    ContentHash hash;
    for (const SkinNode* member : groups[g].Members) hash.Add(member->Texture->WorkingKey);
    keys[g] = hash.Value();
    if (const auto cached = groupPalettes_.find(keys[g]); cached != groupPalettes_.end()) palettes.insert(*cached);
  }
  std::vector<Palette> built(groups.size());
  platform::ParallelFor(groups.size(), jobs, [&](std::size_t g) {
    if (palettes.count(keys[g])) return;
    const auto& members = groups[g].Members;
    const raster::Bitmap& first = *members.front()->Texture->WorkingBitmap;
    if (members.size() == 1 && first.Format() == raster::PixelFormat::Indexed8) {
      built[g] = first.Palette();
      return;
    }
    std::vector<const raster::Bitmap*> bitmaps;
    for (const SkinNode* member : members) bitmaps.push_back(&*member->Texture->WorkingBitmap);
    built[g] = BuildOptimizedPalette(bitmaps, 256);
  });
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!palettes.count(keys[g])) palettes.emplace(keys[g], std::move(built[g]));
    for (SkinNode* member : groups[g].Members) member->Texture->Palette = palettes.at(keys[g]);
  }
  groupPalettes_ = std::move(palettes);
}

}  // namespace compile
