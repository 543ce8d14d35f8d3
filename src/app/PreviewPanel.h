#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "preview/PreviewSession.h"
#include "render/PreviewScene.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace project {
class ProjectDocument;
}
namespace render {
class AnimationClock;
}

namespace app {

class PreviewViewer;
class UserQuestions;

// "Preview": the tool column (skin, team and face, masking, animation,
// camera presets, the model's default position), the 3D viewer and its
// status bar of scale, position and rotation. It shows the open document's
// model in the chosen skin and follows the document as it changes.
class PreviewPanel final : public QWidget {
  Q_OBJECT
public:
  PreviewPanel(UserQuestions& questions, QWidget* parent = nullptr);
  ~PreviewPanel() override;

  // Builds the preview of a document's model; the panel is enabled once it is built.
  void Initialize(const project::ProjectDocument& document, const std::filesystem::path& home);
  // Forgets the document, which is about to go.
  void Clear();
  // The tree or its pictures changed: the lists and textures follow, once the
  // event loop is back, so a command's many notices make one update.
  void ScheduleUpdate(bool listsChanged);

  // What OpenGL says of the preview's context, or of a context made for the purpose.
  std::vector<std::pair<std::string, std::string>> OpenGLInformation();
  // A wheel turn anywhere on the window that nothing else took.
  void Wheel(int delta);

  // The default-position button and the status bar show only in advanced mode.
  void SetAdvancedMode(bool advanced);
  void ShowPlacement(const preview::Placement& placement);

  const preview::PreviewSession& Session() const { return session_; }
  const render::PreviewScene& Scene() const { return scene_; }
  // The camera presets as edited, saved or not.
  const std::vector<model::TCameraPreset>& Presets() const { return presets_list_; }
  // The presets' popup menu, prepared as for a right-click, and the default-position menu.
  QMenu& PresetsMenu();
  QMenu& PositionMenu() { return *positionMenu_; }

signals:
  // The definition's file was written (presets or the model's position): the
  // catalogue and the document take it again.
  void DefinitionSaved();

protected:
  // While "Allow using above keys" is checked, every character typed in the
  // window moves, turns or scales the model instead of reaching a control.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Update();
  void FillLists();
  void Draw3D(bool everything);
  void ChooseAnimation(int entry);
  void UpdateClock();
  void ApplyPreset(int row);
  void Redraw();
  void BuildPresetsMenu();
  void BuildPositionMenu();
  void NewPreset();
  void RemovePreset();
  void RenamePreset();
  void SetPresetToCamera();
  void SavePresets();
  void SavePosition();
  void AllowKeys(bool allowed);
  // Runs a handler's work; an error is shown with the chained prefixes of the handlers it went through.
  void Run(const char* prefix, const std::function<void()>& work);

  UserQuestions& questions_;
  const project::ProjectDocument* document_ = nullptr;
  preview::PreviewSession session_;
  render::PreviewScene scene_;
  preview::SlotResolution shown_;
  std::set<std::string> told_;
  bool shownMasking_ = true;
  bool updatePending_ = false;
  bool listsStale_ = false;
  bool filling_ = false;
  // The event loop level of each handler running now, outermost first.
  std::vector<int> running_;

  QComboBox* skins_;
  QComboBox* teams_;
  QComboBox* faces_;
  QCheckBox* highResolution_ = nullptr;
  QCheckBox* masking_;
  QComboBox* animations_;
  QToolButton* stopped_;
  QListWidget* presets_;
  std::vector<model::TCameraPreset> presets_list_;
  QMenu* presetsMenu_ = nullptr;
  QAction* removePreset_ = nullptr;
  QMenu* positionMenu_ = nullptr;
  preview::Increments increments_ = preview::Increments::Small;
  QPushButton* defaultPosition_;
  // None where the display offers no OpenGL.
  PreviewViewer* viewer_ = nullptr;
  QStatusBar* status_;
  QLabel* scale_;
  QLabel* position_;
  QLabel* rotation_;
  render::AnimationClock* clock_;
};

}  // namespace app
