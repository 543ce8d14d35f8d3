#include "preview/PreviewSession.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "preview/CameraPresets.h"
#include "preview/LoadMeshFromPackage.h"
#include "project/SkinTree.h"

namespace preview {

namespace {

void Choose(const std::vector<std::string>& list, int index, std::string& text, int& chosen) {
  chosen = index >= 0 && static_cast<std::size_t>(index) < list.size() ? index : -1;
  text = chosen >= 0 ? list[static_cast<std::size_t>(chosen)] : std::string();
}

}  // namespace

void PreviewSession::Load(const model::TModelo& definition, const std::filesystem::path& home,
                          const BuildProgress& progress) {
  mesh_.reset();
  animation_ = 0;
  sharedTeamSections_ = SharedTeamSections(definition);
  Placement = PlacementOf(definition);
  Camera = definition.Presets.empty() ? CameraPose() : PoseOf(definition.Presets.front());
  const bool dataFileExists = !definition.ModelDataFile.empty() && std::filesystem::exists(definition.ModelDataFile);
  if (definition.Mesh.empty() && !dataFileExists) return;
  model3d::TObjeto3D model;
  try {
    model = LoadMeshFromPackage(definition, FindMeshPackage(definition, home));
  } catch (const std::exception& e) {
    throw PreviewLoadError("LoadObject: Mesh " + definition.Mesh + " is invalid or does not exist, cannot preview it.",
                           e.what());
  }
  try {
    mesh_ = std::make_shared<PreviewMesh>(BuildMesh(model, progress));
  } catch (const std::exception& e) {
    throw std::runtime_error(std::string("LoadObject: BuildMesh: ") + e.what());
  }
  const auto& animations = mesh_->Animations;
  const auto breath = std::find_if(animations.begin(), animations.end(), [](const ActorAnimation& animation) {
    return platform::EqualsIgnoreCase(animation.Name, "breath1");
  });
  animation_ = breath == animations.end() ? 0 : static_cast<int>(breath - animations.begin()) + 1;
}

void PreviewSession::RefreshChoices(const project::SkinNode& root) {
  const project::SkinNode* old = selection_.Skin;
  skins_ = SkinChoices(root);
  const auto kept = std::find(skins_.begin(), skins_.end(), old);
  selection_.Skin = kept != skins_.end() ? *kept : skins_.empty() ? nullptr : skins_.front();
  const std::string team = selection_.Team;
  const std::string face = selection_.Face;
  teams_ = TeamChoices(selection_.Skin, sharedTeamSections_);
  faces_ = FaceChoices(selection_.Skin);
  Choose(teams_, KeptChoice(teams_, team), selection_.Team, selection_.TeamIndex);
  Choose(faces_, KeptFace(faces_, face), selection_.Face, selection_.FaceIndex);
}

int PreviewSession::SkinIndex() const {
  const auto at = std::find(skins_.begin(), skins_.end(), selection_.Skin);
  return at == skins_.end() ? -1 : static_cast<int>(at - skins_.begin());
}

void PreviewSession::ChooseSkin(int index) {
  selection_.Skin = index >= 0 && static_cast<std::size_t>(index) < skins_.size() ? skins_[static_cast<std::size_t>(index)] : nullptr;
  teams_ = TeamChoices(selection_.Skin, sharedTeamSections_);
  faces_ = FaceChoices(selection_.Skin);
  Choose(teams_, teams_.empty() ? -1 : 0, selection_.Team, selection_.TeamIndex);
  Choose(faces_, faces_.empty() ? -1 : 0, selection_.Face, selection_.FaceIndex);
}

void PreviewSession::ChooseTeam(int index) { Choose(teams_, index, selection_.Team, selection_.TeamIndex); }

void PreviewSession::ChooseFace(int index) { Choose(faces_, index, selection_.Face, selection_.FaceIndex); }

std::vector<std::string> PreviewSession::AnimationEntries() const {
  std::vector<std::string> entries{"None"};
  if (mesh_)
    for (const ActorAnimation& animation : mesh_->Animations) entries.push_back(animation.Name);
  return entries;
}

void PreviewSession::ChooseAnimation(int entry) {
  const int count = mesh_ ? static_cast<int>(mesh_->Animations.size()) : 0;
  animation_ = entry >= 1 && entry <= count ? entry : 0;
}

FrameBlend PreviewSession::FrameAt(double elapsed) const {
  if (!mesh_) return {};
  if (animation_ == 0) return StillAt(mesh_->StillFrame);
  return preview::FrameAt(mesh_->Animations[static_cast<std::size_t>(animation_ - 1)], elapsed);
}

int PreviewSession::LastFrameNumber() const {
  if (!mesh_) return -1;
  if (animation_ == 0) return mesh_->FrameCount - 1;
  const ActorAnimation& animation = mesh_->Animations[static_cast<std::size_t>(animation_ - 1)];
  return animation.EndFrame - animation.StartFrame;
}

std::optional<FrameBlend> PreviewSession::FrameNumbered(int number) const {
  if (number < 0 || number > LastFrameNumber()) return std::nullopt;
  const int start = animation_ == 0 ? 0 : mesh_->Animations[static_cast<std::size_t>(animation_ - 1)].StartFrame;
  return StillAt(start + number);
}

}  // namespace preview
