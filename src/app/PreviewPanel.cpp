#include "app/PreviewPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/TModelo.h"

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

}  // namespace

PreviewPanel::PreviewPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_preview");
  auto* header = new QLabel("Preview", this);
  header->setFrameShape(QFrame::StyledPanel);
  header->setAlignment(Qt::AlignCenter);

  auto* tools = new QWidget(this);
  tools->setObjectName("preview_tools");
  tools->setFixedWidth(136);
  auto* column = new QVBoxLayout(tools);
  column->setContentsMargins(2, 2, 2, 2);
  for (const auto& [caption, name] : {std::pair{"Skin:", "skin_selection"}, std::pair{"Team:", "team_selection"},
                                      std::pair{"Face:", "face_selection"}}) {
    auto* label = new QLabel(caption, tools);
    QComboBox* list = List(name, tools);
    label->setBuddy(list);
    column->addWidget(label);
    column->addWidget(list);
  }
  auto* masking = new QCheckBox("Enable Masking", tools);
  masking->setObjectName("cbEnableMasking");
  masking->setChecked(true);
  column->addWidget(masking);
  auto* refresh = new QPushButton("Refresh", tools);
  refresh->setObjectName("btn_refresh");
  column->addWidget(refresh);
  auto* animation = new QGroupBox("Animation", tools);
  auto* animationLayout = new QVBoxLayout(animation);
  animationLayout->addWidget(List("animseq_selection", animation));
  auto* stopped = new QToolButton(animation);
  stopped->setObjectName("btn_animationstopped");
  stopped->setText("Stopped");
  stopped->setCheckable(true);
  animationLayout->addWidget(stopped);
  column->addWidget(animation);
  auto* presetsGroup = new QGroupBox("Camera Presets", tools);
  auto* presetsLayout = new QVBoxLayout(presetsGroup);
  auto* presets = new QListWidget(presetsGroup);
  presets->setObjectName("presets");
  presets->setToolTip("Double-click to use; Right-click for popup menu");
  presetsLayout->addWidget(presets);
  column->addWidget(presetsGroup, 1);
  defaultPosition_ = new QPushButton("Model Default\nPosition", tools);
  defaultPosition_->setObjectName("btn_defaultposition");
  defaultPosition_->setAccessibleName("Model Default Position");
  defaultPosition_->hide();
  column->addWidget(defaultPosition_);

  auto* viewer = new QFrame(this);
  viewer->setObjectName("GLSceneViewer");
  viewer->setFrameShape(QFrame::StyledPanel);
  viewer->setAutoFillBackground(true);
  QPalette dark = viewer->palette();
  dark.setColor(QPalette::Window, Qt::black);
  viewer->setPalette(dark);
  viewer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  status_ = new QStatusBar(this);
  status_->setObjectName("StatusBarPreview");
  status_->setSizeGripEnabled(false);
  scale_ = Panel("preview_scale", 150, status_);
  position_ = Panel("preview_position", 170, status_);
  rotation_ = Panel("preview_rotation", 150, status_);
  status_->hide();

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->addWidget(tools);
  body->addWidget(viewer, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(header);
  layout->addLayout(body, 1);
  layout->addWidget(status_);
  ShowPlacement(model::TModelo());
}

void PreviewPanel::SetAdvancedMode(bool advanced) {
  defaultPosition_->setVisible(advanced);
  status_->setVisible(advanced);
}

void PreviewPanel::ShowPlacement(const model::TModelo& model) {
  scale_->setText(QString::asprintf("Scale=(%.2f %.2f %.2f)", model.ScaleX, model.ScaleY, model.ScaleZ));
  position_->setText(QString::asprintf("Position=(%.1f %.1f %.1f)", model.OffsetX, model.OffsetY, model.OffsetZ));
  rotation_->setText(QString::asprintf("Rotation=(%.0f %.0f %.0f)", model.Pitch, model.Roll, model.Turn));
}

}  // namespace app
