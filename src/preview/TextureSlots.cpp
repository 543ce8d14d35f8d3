#include "preview/TextureSlots.h"

#include "compile/CompressedMipMaps.h"
#include "compile/PaletteMapping.h"
#include "model/TModelo.h"
#include "model/TextureNames.h"
#include "project/SkinTree.h"
#include "project/TeamLabels.h"
#include "raster/PictureFile.h"
#include "unrealpkg/TextureDecoding.h"

namespace preview {

namespace {

// A variant the selection may show, and the format that names it.
struct Wanted {
  std::string Description;
  const std::string* Format;
};

const project::SkinNode* ChooseVariant(const project::SkinNode& skin, int number, const model::TModeloPart& part,
                                       const Selection& selection) {
  const bool teams = part.Has(model::TEAM);
  const bool faces = part.Has(model::FACE);
  const std::string plain(project::DefaultLabel);
  std::vector<Wanted> tried;
  if (teams && faces && selection.TeamIndex >= 0 && selection.FaceIndex > 0)
    tried.push_back({selection.Team + selection.Face, &part.FormatTeamFace});
  if (teams && selection.TeamIndex > 0) tried.push_back({selection.Team, &part.FormatTeamNoFace});
  if (faces && selection.FaceIndex > 0) tried.push_back({plain + selection.Face, &part.FormatNoTeamFace});
  tried.push_back({plain, &part.FormatNoTeamNoFace});
  const auto search = [&](const project::SkinNode& holder, const std::string& description) {
    const project::SkinNode* section = project::FindSection(holder, number);
    return section ? project::SearchTextureNode(*section, description) : nullptr;
  };
  for (const Wanted& wanted : tried) {
    if (const project::SkinNode* found = search(skin, wanted.Description)) return found;
    // A single-skin model's team textures, a model's own texture: the game shows them for every skin.
    if (!model::NamedAlikeForEverySkin(*wanted.Format) || !skin.Parent()) continue;
    for (const project::SkinNode& other : skin.Parent()->Children())
      if (const project::SkinNode* found = search(other, wanted.Description)) return found;
  }
  return nullptr;
}

// The picture as the game will show it: what palette generation prepared,
// mapped onto its palette. A picture that keeps a palette of its own stays as it is.
raster::Bitmap GamePicture(const project::TObjetoTextura& texture, compile::PaletteQuality quality, bool& mapped) {
  const raster::Bitmap& prepared = texture.WorkingBitmap ? *texture.WorkingBitmap : texture.SourceBitmap;
  mapped = prepared.Format() != raster::PixelFormat::Indexed8 && !texture.Palette.empty();
  return mapped ? compile::MapToPalette(prepared, texture.Palette, {}, quality) : prepared;
}

// The first compressed level, as newer clients show it; empty when the texture gets none.
raster::Bitmap CompressedPicture(const project::TObjetoTextura& texture, const model::TModeloPart& part) {
  if (!texture.WorkingBitmap) return {};
  const auto top = compile::CompressedTopLevel(compile::Prepare(*texture.WorkingBitmap), part.Width, part.Height);
  if (!top) return {};
  raster::Bitmap picture(top->Picture.Width(), top->Picture.Height(), raster::PixelFormat::Bgr24);
  unrealpkg::DecodeColourBlocks(compile::EncodeBc1(top->Picture, top->Mask).data(), 8, picture);
  return picture;
}

}  // namespace

SlotResolution ResolveTextureSlots(const model::TModelo& definition, const Selection& selection,
                                   compile::PaletteQuality quality, bool highResolution) {
  SlotResolution result;
  const std::filesystem::path definitionFile = definition.DefinitionFile();
  for (int number = 1; number <= ActorCount; ++number)
    result.Slots[static_cast<std::size_t>(number - 1)].FileName =
        definitionFile.parent_path() / (definitionFile.stem().string() + "Wire" + std::to_string(number) + ".bmp");

  for (const model::TModeloSection& section : definition.Sections) {
    const int number = section.Part.Number();
    if (number < 1 || number > ActorCount) continue;
    TextureSlot& slot = result.Slots[static_cast<std::size_t>(number - 1)];
    slot.Talk = section.Part.Has(model::TALKTEXTURE);
    if (slot.Talk) slot.FileName.clear();
    slot.Variant = selection.Skin ? ChooseVariant(*selection.Skin, number, section.Part, selection) : nullptr;
    bool mapped = false;
    if (slot.Variant) {
      const project::TObjetoTextura& texture = slot.Variant->Texture();
      if (!texture.FileName.empty()) slot.FileName = texture.FileName;
      if (!texture.Missing() && highResolution && !section.Part.Has(model::MASKED))
        slot.Picture = CompressedPicture(texture, section.Part);
      if (!texture.Missing() && slot.Picture.IsEmpty()) slot.Picture = GamePicture(texture, quality, mapped);
    }
    if (slot.Picture.IsEmpty() && !slot.FileName.empty()) {
      try {
        slot.Picture = raster::LoadPicture(slot.FileName);
      } catch (const std::exception&) {
        // A section without its wire bitmap simply shows none.
        if (slot.Variant) result.Messages.push_back("Cannot load texture: " + slot.FileName.string());
      }
    }
    slot.Paletted = !mapped && slot.Picture.Format() == raster::PixelFormat::Indexed8 && !slot.Picture.Palette().empty();
    slot.Loaded = !slot.Picture.IsEmpty();
    slot.Masked = section.Part.Has(model::MASKED);
    slot.Translucent = section.Part.Has(model::TRANSLUCENT);
    slot.Used = true;
  }
  return result;
}

ActorMaterial MaterialFor(const TextureSlot& slot, bool enableMasking) {
  ActorMaterial material;
  if (slot.Talk || !slot.Used || !slot.Loaded) return material;
  material.Polygons = PolygonMode::Fill;
  material.Textured = true;
  material.Mode = TextureMode::Modulate;
  if (slot.Masked && slot.Paletted && enableMasking) {
    material.TransparentColour = slot.Picture.Palette().front();
    material.Blend = Blending::Transparency;
    material.Alpha = ImageAlpha::TransparentColour;
    material.DrawLast = true;
  } else if (slot.Translucent && enableMasking) {
    material.Blend = Blending::Transparency;
    material.Alpha = ImageAlpha::Fixed;
    material.FixedAlpha = 128;
    material.Mode = TextureMode::Replace;
    material.DrawLast = true;
  }
  return material;
}

int HudSlot(const model::TModelo& definition, const SlotResolution& slots) {
  const int number = definition.TalkTextureIndex;
  if (number < 1 || number > ActorCount || !slots.Slots[static_cast<std::size_t>(number - 1)].Loaded) return -1;
  return number - 1;
}

}  // namespace preview
