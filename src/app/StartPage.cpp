#include "app/StartPage.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtText.h"

namespace app {

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
  setObjectName("StartPage");
  auto* title = new QLabel("UT Marbelle", this);
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
  titleFont.setBold(true);
  title->setFont(titleFont);
  auto* lead = new QLabel("Make skins for a player model of Unreal Tournament: start a project for a model, or open one.",
                          this);
  lead->setWordWrap(true);

  auto* newProject = new QPushButton("New Project...", this);
  newProject->setObjectName("start_NewProject");
  auto* loadProject = new QPushButton("Load Project...", this);
  loadProject->setObjectName("start_LoadProject");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(newProject);
  buttons->addWidget(loadProject);
  buttons->addStretch();

  game_ = new QLabel(this);
  game_->setObjectName("start_Game");
  game_->setWordWrap(true);
  game_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  preferences_ = new QPushButton("Preferences...", this);
  preferences_->setObjectName("start_Preferences");
  auto* gameRow = new QHBoxLayout;
  gameRow->addWidget(game_, 1);
  gameRow->addWidget(preferences_);

  recentHeader_ = new QLabel("Recent projects:", this);
  recent_ = new QListWidget(this);
  recent_->setObjectName("start_Recent");
  recent_->setAccessibleName("Recent projects");

  recent_->setMaximumHeight(recent_->fontMetrics().height() * 12);

  auto* column = new QVBoxLayout;
  column->addStretch(1);
  column->addWidget(title);
  column->addWidget(lead);
  column->addSpacing(16);
  column->addLayout(buttons);
  column->addSpacing(16);
  column->addLayout(gameRow);
  column->addSpacing(16);
  column->addWidget(recentHeader_);
  column->addWidget(recent_);
  column->addStretch(2);
  auto* centred = new QHBoxLayout(this);
  centred->addStretch(1);
  centred->addLayout(column, 3);
  centred->addStretch(1);

  connect(newProject, &QPushButton::clicked, this, &StartPage::NewProjectRequested);
  connect(loadProject, &QPushButton::clicked, this, &StartPage::LoadProjectRequested);
  connect(preferences_, &QPushButton::clicked, this, &StartPage::PreferencesRequested);
  connect(recent_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit RecentProjectChosen(QStringToPath(item->text())); });
}

void StartPage::ShowGame(const QString& text, bool found) {
  game_->setText(text);
  preferences_->setVisible(!found);
}

void StartPage::ShowRecent(const std::vector<std::filesystem::path>& projects) {
  recent_->clear();
  for (const std::filesystem::path& project : projects) recent_->addItem(PathToQString(project));
  recentHeader_->setVisible(!projects.empty());
  recent_->setVisible(!projects.empty());
}

}  // namespace app
