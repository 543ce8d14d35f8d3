#include "render/SceneTextures.h"

#include "render/PreviewScene.h"

namespace render {

int ApplyTextures(PreviewScene& scene, const model::TModelo& definition, const preview::SlotResolution& resolution,
                  bool enableMasking, const preview::SlotResolution* previous) {
  int applied = 0;
  for (int actor = 0; actor < preview::ActorCount; ++actor) {
    const preview::TextureSlot& slot = resolution.Slots[static_cast<std::size_t>(actor)];
    const preview::ActorMaterial material = preview::MaterialFor(slot, enableMasking);
    if (previous) {
      const preview::TextureSlot& before = previous->Slots[static_cast<std::size_t>(actor)];
      if (before.Picture == slot.Picture && preview::MaterialFor(before, enableMasking) == material) continue;
    }
    scene.SetActorTexture(actor, material.Textured ? slot.Picture : raster::Bitmap(), material);
    ++applied;
  }
  const int hud = preview::HudSlot(definition, resolution);
  scene.SetHud(hud < 0 ? std::nullopt : std::optional(resolution.Slots[static_cast<std::size_t>(hud)].Picture));
  return applied;
}

}  // namespace render
