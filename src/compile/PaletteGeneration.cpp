#include "compile/PaletteGeneration.h"

#include <optional>

#include "compile/HighQualityPalette.h"
#include "compile/CompileCancelled.h"
#include "compile/ContentHash.h"
#include "compile/PreparedTexture.h"
#include "platform/ParallelFor.h"
#include "project/ProjectDocument.h"

namespace compile {

namespace {

using project::SkinNode;

bool Masked(const project::ProjectDocument& document, const SkinNode& texture) {
  return document.SectionOf(*texture.Parent()).Part.Has(model::MASKED);
}

bool Reserved(const project::ProjectDocument& document, const SkinNode& texture) {
  return HasReservedPalette(texture.Texture().SourceBitmap, Masked(document, texture));
}

std::uint64_t WorkingKey(const project::TObjetoTextura& texture, bool masked, int brightness, int saturation,
                         PaletteQuality quality) {
  return ContentHash()
      .Add(texture.SourceBitmap)
      .Add(static_cast<std::uint64_t>(masked))
      .Add(static_cast<std::uint64_t>(quality))
      .Add(static_cast<std::uint64_t>(brightness))
      .Add(static_cast<std::uint64_t>(saturation))
      .Value();
}

std::vector<const SkinNode*> PresentTextures(const SkinNode& node) {
  std::vector<const SkinNode*> textures = project::TextureNodes(node);
  std::erase_if(textures, [](const SkinNode* texture) { return texture->Texture().Missing(); });
  return textures;
}

}  // namespace

PaletteQuality QualityOf(const project::ProjectOptions& options) {
  return options.PaletteQuality == 1 ? PaletteQuality::High : PaletteQuality::Classic;
}

std::vector<PaletteGroup> PaletteGroups(const project::ProjectDocument& document) {
  const int mode = document.Options().ReducePalettes;
  std::vector<PaletteGroup> groups;
  PaletteGroup* shared = nullptr;
  for (const SkinNode& skin : document.Root().Children()) {
    if (mode == 1) shared = nullptr;
    for (const SkinNode* texture : PresentTextures(skin)) {
      if (mode == 0) {
        groups.push_back({"Palette" + std::to_string(groups.size() + 1), {texture}});
      } else if (Reserved(document, *texture)) {
        groups.push_back({"Palette_" + document.TextureName(*texture), {texture}});
        // The vector may have moved: find the shared group again by name.
        shared = nullptr;
      } else {
        const std::string name = mode == 1 ? "Palette_" + skin.Code() : "Palette_All";
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

std::vector<const SkinNode*> PaletteGenerator::Generate(project::ProjectDocument& document, int jobs,
                                                        const std::stop_token& stop) {
  const int brightness = document.Options().Brightness;
  const int saturation = document.Options().Saturation;
  const PaletteQuality quality = QualityOf(document.Options());
  const std::vector<const SkinNode*> textures = PresentTextures(document.Root());

  std::vector<std::uint64_t> workingKeys(textures.size());
  std::vector<std::optional<raster::Bitmap>> workings(textures.size());
  platform::ParallelFor(textures.size(), jobs, [&](std::size_t i) {
    if (stop.stop_requested()) return;
    const project::TObjetoTextura& texture = textures[i]->Texture();
    const bool masked = Masked(document, *textures[i]);
    workingKeys[i] = WorkingKey(texture, masked, brightness, saturation, quality);
    if (texture.WorkingBitmap && texture.WorkingKey == workingKeys[i]) return;
    workings[i] = PrepareWorkingBitmap(texture.SourceBitmap, masked, brightness, saturation, quality);
  });
  ThrowIfStopped(stop);

  // Group keys come from the working keys (which hold the quality), so the
  // palettes can be built before anything is stored.
  std::unordered_map<const SkinNode*, std::size_t> indexOf;
  for (std::size_t i = 0; i < textures.size(); ++i) indexOf[textures[i]] = i;
  const std::vector<PaletteGroup> groups = PaletteGroups(document);
  std::vector<std::uint64_t> keys(groups.size());
  std::unordered_map<std::uint64_t, Palette> palettes;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    ContentHash hash;
    for (const SkinNode* member : groups[g].Members) hash.Add(workingKeys[indexOf.at(member)]);
    keys[g] = hash.Value();
    if (const auto cached = groupPalettes_.find(keys[g]); cached != groupPalettes_.end()) palettes.insert(*cached);
  }
  const auto working = [&](const SkinNode* member) -> const raster::Bitmap& {
    const std::size_t i = indexOf.at(member);
    return workings[i] ? *workings[i] : *member->Texture().WorkingBitmap;
  };
  std::vector<Palette> built(groups.size());
  platform::ParallelFor(groups.size(), jobs, [&](std::size_t g) {
    if (stop.stop_requested() || palettes.count(keys[g])) return;
    const auto& members = groups[g].Members;
    const raster::Bitmap& first = working(members.front());
    if (members.size() == 1 && first.Format() == raster::PixelFormat::Indexed8) {
      built[g] = first.Palette();
      return;
    }
    std::vector<const raster::Bitmap*> bitmaps;
    for (const SkinNode* member : members) bitmaps.push_back(&working(member));
    built[g] = BuildPalette(bitmaps, 256, quality);
  });
  ThrowIfStopped(stop);

  std::vector<bool> changed(textures.size(), false);
  for (std::size_t i = 0; i < textures.size(); ++i)
    if (workings[i]) {
      document.StoreWorkingBitmap(*textures[i], std::move(*workings[i]), workingKeys[i]);
      changed[i] = true;
    }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!palettes.count(keys[g])) palettes.emplace(keys[g], std::move(built[g]));
    const Palette& palette = palettes.at(keys[g]);
    for (const SkinNode* member : groups[g].Members) {
      const std::size_t i = indexOf.at(member);
      if (!changed[i] && member->Texture().Palette == palette) continue;
      document.StorePalette(*member, palette);
      changed[i] = true;
    }
  }
  groupPalettes_ = std::move(palettes);
  std::vector<const SkinNode*> result;
  for (std::size_t i = 0; i < textures.size(); ++i)
    if (changed[i]) result.push_back(textures[i]);
  return result;
}

}  // namespace compile
