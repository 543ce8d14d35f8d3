#include "render/CompilerViewScene.h"

#include "model/TModelo.h"
#include "modelcompiler/StandingPlacement.h"
#include "preview/CameraPresets.h"
#include "preview/ModelPlacement.h"
#include "render/PreviewScene.h"

namespace render {

std::vector<preview::MaterialLook> ShowForCompiling(PreviewScene& scene, const model3d::TObjeto3D& model,
                                                   const model::TModelo& definition, int viewSide) {
  auto mesh = std::make_shared<preview::PreviewMesh>(preview::BuildMesh(model));
  std::vector<preview::MaterialLook> looks = preview::MaterialLooks(model, *mesh, definition);
  for (int actor = 0; actor < preview::ActorCount; ++actor) scene.SetActorTexture(actor, {}, {});
  for (const preview::MaterialLook& look : looks)
    scene.SetActorTexture(look.Actor, look.Picture, preview::FlatMaterial());
  scene.SetMesh(std::move(mesh));
  const preview::Placement placement = preview::PlacementOf(definition);
  scene.SetPlacement(placement);
  scene.SetCamera(preview::PoseOf(modelcompiler::FrontPreset(model, placement, viewSide, viewSide)));
  scene.SetFrame(preview::StillAt(0));
  return looks;
}

}  // namespace render
