#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/TModelo.h"
#include "preview/AnimationClock.h"
#include "preview/ModelPlacement.h"
#include "preview/Navigation.h"
#include "preview/PreviewChoices.h"
#include "preview/PreviewMesh.h"
#include "preview/TextureSlots.h"

namespace preview {

// The preview's model could not be loaded: what() is the message the window
// shows ("LoadObject: Mesh ... cannot preview it."), Reason() what went wrong
// with the package, shown first.
class PreviewLoadError : public std::runtime_error {
public:
  PreviewLoadError(const std::string& message, std::string reason)
      : std::runtime_error(message), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

private:
  std::string reason_;
};

// What the preview shows of a project: the model's actors, the skin, team and
// face chosen in its lists and the textures that follow from them, the
// animation, the camera and the model's placement. The window and
// `marbelle render` both run it; a renderer draws what it says.
class PreviewSession {
public:
  // Loads the definition's mesh and takes its placement and first camera
  // preset; a definition without mesh leaves the view empty. The animation
  // becomes "Breath1", else none.
  void Load(const model::TModelo& definition, const std::filesystem::path& home, const BuildProgress& progress = {});
  const std::shared_ptr<const PreviewMesh>& Mesh() const { return mesh_; }

  // Rebuilds the skin, team and face lists from the tree, keeping the choices
  // that still exist; the first entries otherwise.
  void RefreshChoices(const project::SkinNode& root);
  const std::vector<const project::SkinNode*>& Skins() const { return skins_; }
  const std::vector<std::string>& Teams() const { return teams_; }
  const std::vector<std::string>& Faces() const { return faces_; }
  const Selection& Chosen() const { return selection_; }
  int SkinIndex() const;
  // Choosing a skin rebuilds the team and face lists.
  void ChooseSkin(int index);
  void ChooseTeam(int index);
  void ChooseFace(int index);
  SlotResolution Textures(const model::TModelo& definition,
                          compile::PaletteQuality quality = compile::PaletteQuality::Classic,
                          bool highResolution = false) const {
    return ResolveTextureSlots(definition, selection_, quality, highResolution);
  }

  // "None", then the model's animations.
  std::vector<std::string> AnimationEntries() const;
  int AnimationEntry() const { return animation_; }
  void ChooseAnimation(int entry);
  // What the actors show `elapsed` milliseconds into the animation; the rest
  // frame without one.
  FrameBlend FrameAt(double elapsed) const;
  // Frame `number` of the chosen animation (of all frames without one), still;
  // none past LastFrameNumber().
  std::optional<FrameBlend> FrameNumbered(int number) const;
  int LastFrameNumber() const;

  CameraPose Camera;
  preview::Placement Placement;

private:
  std::shared_ptr<const PreviewMesh> mesh_;
  std::vector<const project::SkinNode*> skins_;
  std::vector<std::string> teams_;
  std::vector<std::string> faces_;
  // Sections whose team textures every skin shares, so every skin offers their teams.
  std::vector<int> sharedTeamSections_;
  Selection selection_;
  int animation_ = 0;
};

}  // namespace preview
