#include "app/PreviewPanel.h"

#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/PreviewViewer.h"
#include "app/ProgressWindow.h"
#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "compile/PaletteGeneration.h"
#include "preview/CameraPresets.h"
#include "project/ProjectDocument.h"
#include "render/AnimationClock.h"
#include "render/OpenGLInformation.h"
#include "render/SceneTextures.h"

namespace app {

namespace {

QComboBox* List(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  return list;
}

QLabel* Panel(const char* name, int width, QStatusBar* bar) {
  auto* label = new QLabel(bar);
  label->setObjectName(name);
  label->setMinimumWidth(width);
  bar->addWidget(label);
  return label;
}

void Fill(QComboBox* list, const std::vector<std::string>& entries, int current) {
  list->clear();
  for (const std::string& entry : entries) list->addItem(ToQString(entry));
  list->setCurrentIndex(current);
}

}  // namespace

PreviewPanel::PreviewPanel(UserQuestions& questions, QWidget* parent) : QWidget(parent), questions_(questions) {
  setObjectName("Panel_preview");
  setToolTip("Left-Click rotates;Wheel or Left+Right-click zooms;Right-Click pans (XY);Ctrl+Right-Click pans (ZY)");
  auto* header = new QLabel("Preview", this);
  header->setFrameShape(QFrame::StyledPanel);
  header->setAlignment(Qt::AlignCenter);

  auto* tools = new QWidget(this);
  tools->setObjectName("preview_tools");
  auto* column = new QVBoxLayout(tools);
  column->setContentsMargins(2, 2, 2, 2);
  skins_ = List("skin_selection", tools);
  teams_ = List("team_selection", tools);
  faces_ = List("face_selection", tools);
  // The column widens to the longest skin, team or face rather than cut it.
  for (QComboBox* list : {skins_, teams_, faces_}) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  }
  for (const auto& [caption, list] : {std::pair{"Skin:", skins_}, std::pair{"Team:", teams_}, std::pair{"Face:", faces_}}) {
    auto* label = new QLabel(caption, tools);
    label->setBuddy(list);
    column->addWidget(label);
    column->addWidget(list);
  }
  masking_ = new QCheckBox("Enable Masking", tools);
  masking_->setObjectName("cbEnableMasking");
  masking_->setChecked(true);
  column->addWidget(masking_);
  highResolution_ = new QCheckBox("Show high resolution", tools);
  highResolution_->setObjectName("cbShowHighResolution");
  highResolution_->setToolTip("Show the compressed textures that newer clients read, where the project makes them");
  column->addWidget(highResolution_);
  auto* refresh = new QPushButton("Refresh", tools);
  refresh->setObjectName("btn_refresh");
  column->addWidget(refresh);
  auto* animation = new QGroupBox("Animation", tools);
  auto* animationLayout = new QVBoxLayout(animation);
  animations_ = List("animseq_selection", animation);
  animationLayout->addWidget(animations_);
  stopped_ = new QToolButton(animation);
  stopped_->setObjectName("btn_animationstopped");
  stopped_->setText("Stopped");
  stopped_->setCheckable(true);
  animationLayout->addWidget(stopped_);
  column->addWidget(animation);
  auto* presetsGroup = new QGroupBox("Camera Presets", tools);
  auto* presetsLayout = new QVBoxLayout(presetsGroup);
  presets_ = new QListWidget(presetsGroup);
  presets_->setObjectName("presets");
  presets_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  presets_->setToolTip("Double-click to use; Right-click for popup menu");
  presetsLayout->addWidget(presets_);
  column->addWidget(presetsGroup, 1);
  defaultPosition_ = new QPushButton("Model Default\nPosition", tools);
  defaultPosition_->setObjectName("btn_defaultposition");
  defaultPosition_->setAccessibleName("Model Default Position");
  defaultPosition_->hide();
  column->addWidget(defaultPosition_);

  QWidget* view = nullptr;
  if (render::OpenGLAvailable()) {
    viewer_ = new PreviewViewer(scene_);
    view = QWidget::createWindowContainer(viewer_, this);
    view->setObjectName("GLSceneViewer");
    view->setAccessibleName("Preview");
    view->setToolTip(
        "Left-Click rotates;Wheel or Left+Right-click zooms;Right-Click pans (XY);Ctrl+Right-Click pans (ZY)");
  } else {
    // Everything but the drawing still works: the lists, the choices, the camera.
    auto* missing = new QLabel("This display offers no OpenGL: the model cannot be drawn here.", this);
    missing->setObjectName("GLSceneViewer");
    missing->setAlignment(Qt::AlignCenter);
    missing->setWordWrap(true);
    view = missing;
  }
  // Small enough for the three columns to share a 1024-pixel screen.
  view->setMinimumSize(300, 480);
  view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  status_ = new QStatusBar(this);
  status_->setObjectName("StatusBarPreview");
  status_->setSizeGripEnabled(false);
  scale_ = Panel("preview_scale", 150, status_);
  position_ = Panel("preview_position", 170, status_);
  rotation_ = Panel("preview_rotation", 150, status_);
  status_->hide();

  auto* body = new QSplitter(Qt::Horizontal, this);
  body->setObjectName("preview_columns");
  body->setChildrenCollapsible(false);
  body->addWidget(tools);
  body->addWidget(view);
  body->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(header);
  layout->addWidget(body, 1);
  layout->addWidget(status_);

  clock_ = new render::AnimationClock(this);
  connect(clock_, &render::AnimationClock::Ticked, this, [this](double elapsed) {
    scene_.SetFrame(session_.FrameAt(elapsed));
    Redraw();
  });
  connect(skins_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_) return;
    Run("SkinSelectionChange: ", [&] {
      session_.ChooseSkin(index);
      FillLists();
      Draw3D(false);
    });
  });
  connect(teams_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_) return;
    Run("TeamSelectionChange: ", [&] {
      session_.ChooseTeam(index);
      Draw3D(false);
    });
  });
  connect(faces_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_) return;
    Run("FaceSelectionChange: ", [&] {
      session_.ChooseFace(index);
      Draw3D(false);
    });
  });
  connect(masking_, &QCheckBox::toggled, this, [this] { Run("", [&] { Draw3D(false); }); });
  connect(highResolution_, &QCheckBox::toggled, this, [this] { Run("", [&] { Draw3D(true); }); });
  connect(refresh, &QPushButton::clicked, this, [this] { Run("", [&] { Draw3D(true); }); });
  connect(animations_, &QComboBox::currentIndexChanged, this, [this](int entry) {
    if (!filling_) Run("AnimSeqSelectionChange: ", [&] { ChooseAnimation(entry); });
  });
  connect(stopped_, &QToolButton::toggled, this, &PreviewPanel::UpdateClock);
  connect(presets_, &QListWidget::itemDoubleClicked, this, [this] { Run("", [&] { ApplyPreset(presets_->currentRow()); }); });
  if (viewer_) {
    connect(viewer_, &PreviewViewer::Dragged, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int dx, int dy) {
              Run("MouseMove: ", [&] {
                preview::Drag(session_.Camera, MouseStateOf(buttons, modifiers), dx, dy,
                              preview::RestBox(session_.Mesh().get(), session_.Placement));
                scene_.SetCamera(session_.Camera);
                Redraw();
              });
            });
    connect(viewer_, &PreviewViewer::Wheeled, this, &PreviewPanel::Wheel);
    connect(viewer_, &PreviewViewer::ExposureChanged, this, &PreviewPanel::UpdateClock);
    connect(viewer_, &PreviewViewer::RenderFailed, this,
            [this](const QString& message) { questions_.Message(MessageIcon::Error, "UT Marbelle", message); });
  }
  BuildPresetsMenu();
  BuildPositionMenu();
  ShowPlacement({});
  setEnabled(false);
}

void PreviewPanel::BuildPresetsMenu() {
  presetsMenu_ = new QMenu(this);
  presetsMenu_->setObjectName("PopupPresets");
  connect(presetsMenu_->addAction("New..."), &QAction::triggered, this, [this] { Run("", [&] { NewPreset(); }); });
  removePreset_ = presetsMenu_->addAction("Remove");
  connect(removePreset_, &QAction::triggered, this, [this] { Run("", [&] { RemovePreset(); }); });
  connect(presetsMenu_->addAction("Rename..."), &QAction::triggered, this, [this] { Run("", [&] { RenamePreset(); }); });
  connect(presetsMenu_->addAction("Set with Current values"), &QAction::triggered, this,
          [this] { Run("", [&] { SetPresetToCamera(); }); });
  QAction* save = presetsMenu_->addAction("Save this presets");
  save->setObjectName("mnu_PresetSaveinMRBE");
  connect(save, &QAction::triggered, this, [this] { Run("", [&] { SavePresets(); }); });
  presets_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(presets_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PresetsMenu().exec(presets_->viewport()->mapToGlobal(at)); });
}

QMenu& PreviewPanel::PresetsMenu() {
  removePreset_->setEnabled(preview::CanRemovePreset(presets_list_.size()));
  return *presetsMenu_;
}

void PreviewPanel::BuildPositionMenu() {
  positionMenu_ = new QMenu(this);
  positionMenu_->setObjectName("PopupDefaultPosition");
  for (const char* legend : {"Keys:", "  X,Y,Z : Move", "  P,R,T : Rotate", "  S : Scale", "  A : Axes",
                             "  Lower case decrease", "  Upper case increase"})
    positionMenu_->addAction(legend)->setEnabled(false);
  positionMenu_->addSeparator();
  QAction* allow = positionMenu_->addAction("Allow using above keys");
  allow->setObjectName("mnu_AllowKeys");
  allow->setCheckable(true);
  connect(allow, &QAction::toggled, this, &PreviewPanel::AllowKeys);
  QMenu* increments = positionMenu_->addMenu("Increments used");
  auto* group = new QActionGroup(increments);
  for (const auto& [caption, set] : {std::pair{"Small", preview::Increments::Small},
                                     std::pair{"Medium", preview::Increments::Medium},
                                     std::pair{"Big", preview::Increments::Big}}) {
    QAction* entry = increments->addAction(caption);
    entry->setCheckable(true);
    entry->setChecked(set == preview::Increments::Small);
    group->addAction(entry);
    connect(entry, &QAction::triggered, this, [this, set = set] { increments_ = set; });
  }
  QAction* save = positionMenu_->addAction("Save");
  save->setObjectName("mnu_SavePosition");
  connect(save, &QAction::triggered, this, [this] { Run("", [&] { SavePosition(); }); });
  defaultPosition_->setMenu(positionMenu_);
}

// The viewer draws the scene, a member that would otherwise go before it.
PreviewPanel::~PreviewPanel() {
  qApp->removeEventFilter(this);
  delete viewer_;
}

void PreviewPanel::Initialize(const project::ProjectDocument& document, const std::filesystem::path& home) {
  Clear();
  document_ = &document;
  const model::TModelo& definition = document.Model();
  {
    ProgressWindow window(this->window());
    window.Open("Initializing preview...");
    window.SetFraction(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
      session_.Load(definition, home, [&](long long done, long long total) {
        window.SetFraction(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
      });
    } catch (const preview::PreviewLoadError& e) {
      window.close();
      questions_.Message(MessageIcon::Error, "ERROR", ToQString(e.Reason()));
      questions_.Message(MessageIcon::Information, "UT Marbelle", ToQString(e.what()));
    } catch (const std::exception& e) {
      window.close();
      questions_.Message(MessageIcon::Information, "UT Marbelle", ToQString(e.what()));
    }
    QApplication::restoreOverrideCursor();
  }
  scene_.SetMesh(session_.Mesh());
  scene_.SetPlacement(session_.Placement);
  scene_.SetCamera(session_.Camera);
  presets_list_ = definition.Presets;
  presets_->clear();
  for (const model::TCameraPreset& preset : presets_list_) presets_->addItem(ToQString(preset.Name));
  presets_->setCurrentRow(0);
  session_.RefreshChoices(document.Root());
  FillLists();
  Draw3D(true);
  filling_ = true;
  animations_->clear();
  for (const std::string& name : session_.AnimationEntries()) animations_->addItem(ToQString(name));
  animations_->setCurrentIndex(session_.AnimationEntry());
  filling_ = false;
  ChooseAnimation(session_.AnimationEntry());
  ShowPlacement(session_.Placement);
  setEnabled(true);
}

void PreviewPanel::Clear() {
  document_ = nullptr;
  told_.clear();
  clock_->SetEnabled(false);
  session_ = preview::PreviewSession();
  shown_ = {};
  scene_.SetMesh(nullptr);
  for (int actor = 0; actor < preview::ActorCount; ++actor) scene_.SetActorTexture(actor, {}, {});
  scene_.SetHud(std::nullopt);
  filling_ = true;
  for (QComboBox* list : {skins_, teams_, faces_, animations_}) list->clear();
  presets_->clear();
  filling_ = false;
  setEnabled(false);
  Redraw();
}

void PreviewPanel::ScheduleUpdate(bool listsChanged) {
  listsStale_ = listsStale_ || listsChanged;
  if (updatePending_) return;
  updatePending_ = true;
  QTimer::singleShot(0, this, &PreviewPanel::Update);
}

void PreviewPanel::Update() {
  updatePending_ = false;
  if (!document_) return;
  Run("", [&] {
    if (listsStale_) {
      listsStale_ = false;
      Run("LoadSkins: ", [&] {
        session_.RefreshChoices(document_->Root());
        FillLists();
      });
    }
    Draw3D(false);
  });
}

void PreviewPanel::Run(const char* prefix, const std::function<void()>& work) {
  // Handlers that call each other chain their prefixes, and the outermost
  // shows the message. One that a dialog's event loop runs meanwhile (a timer's
  // redraw) is an outermost one: nothing may throw out of the loop.
  const int level = QThread::currentThread()->loopLevel();
  const bool nested = !running_.empty() && running_.back() == level;
  running_.push_back(level);
  try {
    work();
  } catch (const std::exception& e) {
    running_.pop_back();
    const std::string text = prefix + std::string(e.what());
    if (nested) throw std::runtime_error(text);
    questions_.Message(MessageIcon::Error, "UT Marbelle", ToQString(text));
    return;
  }
  running_.pop_back();
}

void PreviewPanel::FillLists() {
  filling_ = true;
  skins_->clear();
  for (const project::SkinNode* skin : session_.Skins()) skins_->addItem(ToQString(skin->Caption()));
  skins_->setCurrentIndex(session_.SkinIndex());
  Fill(teams_, session_.Teams(), session_.Chosen().TeamIndex);
  Fill(faces_, session_.Faces(), session_.Chosen().FaceIndex);
  filling_ = false;
}

void PreviewPanel::Draw3D(bool everything) {
  if (!document_) return;
  preview::SlotResolution resolution;
  // Newer clients' textures exist only where the project makes them.
  const bool highResolution = highResolution_->isChecked() && document_->Options().HighResolution;
  Run("Draw3D[1]: ", [&] {
    resolution = session_.Textures(document_->Model(), compile::QualityOf(document_->Options()), highResolution);
  });
  // Each texture that cannot be shown is told once per preview, all of one update in one message.
  QStringList untold;
  for (const std::string& message : resolution.Messages)
    if (told_.insert(message).second) untold << ToQString(message);
  if (!untold.isEmpty()) questions_.Message(MessageIcon::Warning, "UT Marbelle", untold.join("\n"));
  const bool masking = masking_->isChecked();
  Run("Draw3D[2]: ", [&] {
    render::ApplyTextures(scene_, document_->Model(), resolution, masking,
                          everything || masking != shownMasking_ ? nullptr : &shown_);
  });
  shown_ = std::move(resolution);
  shownMasking_ = masking;
  Redraw();
}

void PreviewPanel::ChooseAnimation(int entry) {
  session_.ChooseAnimation(entry);
  clock_->Restart();
  scene_.SetFrame(session_.FrameAt(0));
  UpdateClock();
  Redraw();
}

// The animation runs only where its frames are seen: not stopped, in a viewer on screen.
void PreviewPanel::UpdateClock() {
  clock_->SetEnabled(session_.AnimationEntry() > 0 && !stopped_->isChecked() && viewer_ && viewer_->isExposed());
}

void PreviewPanel::ApplyPreset(int row) {
  if (!document_ || row < 0 || static_cast<std::size_t>(row) >= presets_list_.size()) return;
  session_.Camera = preview::PoseOf(presets_list_[static_cast<std::size_t>(row)]);
  scene_.SetCamera(session_.Camera);
  Redraw();
}

void PreviewPanel::NewPreset() {
  if (!document_) return;
  const QString name = questions_.AskText("New Preset", "Preset Name:",
                                          ToQString(preview::ProposedPresetName(presets_list_.size())));
  if (name.isEmpty()) return;
  presets_list_.push_back(preview::PresetOf(ToDocumentText(name), session_.Camera));
  presets_->addItem(name);
  presets_->setCurrentRow(presets_->count() - 1);
}

void PreviewPanel::RemovePreset() {
  const int row = presets_->currentRow();
  if (!document_ || row < 0 || !preview::CanRemovePreset(presets_list_.size())) return;
  presets_list_.erase(presets_list_.begin() + row);
  delete presets_->takeItem(row);
  presets_->setCurrentRow(0);
  ApplyPreset(0);
}

void PreviewPanel::RenamePreset() {
  const int row = presets_->currentRow();
  if (!document_ || row < 0) return;
  const QString name = questions_.AskText("Preset Rename", "Preset Name:", presets_->item(row)->text());
  if (name.isEmpty()) return;
  presets_list_[static_cast<std::size_t>(row)].Name = ToDocumentText(name);
  presets_->item(row)->setText(name);
}

void PreviewPanel::SetPresetToCamera() {
  const int row = presets_->currentRow();
  if (!document_ || row < 0) return;
  presets_list_[static_cast<std::size_t>(row)] =
      preview::PresetOf(presets_list_[static_cast<std::size_t>(row)].Name, session_.Camera);
}

void PreviewPanel::SavePresets() {
  if (!document_) return;
  presets_list_ = preview::SavePresets(document_->Model(), presets_list_);
  emit DefinitionSaved();
}

void PreviewPanel::SavePosition() {
  if (!document_) return;
  preview::SaveModelPosition(document_->Model(), session_.Placement);
  emit DefinitionSaved();
}

void PreviewPanel::AllowKeys(bool allowed) {
  if (allowed)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
}

bool PreviewPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !document_) return QWidget::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (watched != viewer_ && (!widget || widget->window() != window())) return QWidget::eventFilter(watched, event);
  const QString text = static_cast<QKeyEvent*>(event)->text();
  if (text.size() != 1 || !text[0].isPrint()) return QWidget::eventFilter(watched, event);
  const char key = text[0].toLatin1();
  Run("KeyPress: ", [&] {
    if (preview::ApplyPlacementKey(key, increments_, session_.Placement)) scene_.SetAxesVisible(!scene_.AxesVisible());
    scene_.SetPlacement(session_.Placement);
    ShowPlacement(session_.Placement);
    Redraw();
  });
  return true;
}

std::vector<std::pair<std::string, std::string>> PreviewPanel::OpenGLInformation() {
  if (viewer_)
    if (auto rows = viewer_->OpenGLInformation()) return *rows;
  return render::QueryOpenGLInformation();
}

void PreviewPanel::Wheel(int delta) {
  if (!document_) return;
  Run("MouseWheel: ", [&] {
    preview::Wheel(session_.Camera, delta, preview::RestBox(session_.Mesh().get(), session_.Placement));
    scene_.SetCamera(session_.Camera);
    Redraw();
  });
}

void PreviewPanel::Redraw() {
  if (viewer_) viewer_->update();
}

void PreviewPanel::SetAdvancedMode(bool advanced) {
  defaultPosition_->setVisible(advanced);
  status_->setVisible(advanced);
}

void PreviewPanel::ShowPlacement(const preview::Placement& placement) {
  scale_->setText(ToQString(preview::ScaleText(placement)));
  position_->setText(ToQString(preview::PositionText(placement)));
  rotation_->setText(ToQString(preview::RotationText(placement)));
}

}  // namespace app
