#include "app/ModelCompilerWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ExternalModelPage.h"
#include "app/PackageMeshPage.h"

namespace app {

ModelCompilerWindow::ModelCompilerWindow(const std::filesystem::path& home, const std::filesystem::path& settingsFile,
                                         UserQuestions& questions, bool showExternalPage,
                                         std::function<void()> modelsChanged, QWidget* parent)
    : QDialog(parent), modelsChanged_(std::move(modelsChanged)) {
  setObjectName("Tmodelcompiler");
  setWindowTitle("Model Compiler");
  status_ = new QStatusBar(this);
  status_->setObjectName("StatusBar");
  status_->setSizeGripEnabled(false);

  pages_ = new QTabWidget(this);
  packagePage_ = new PackageMeshPage(home, settingsFile, questions, model_, pages_);
  externalPage_ = new ExternalModelPage(home, questions, model_, pages_);
  pages_->addTab(packagePage_, "Unreal Engine Mesh");
  pages_->addTab(externalPage_, "External model file");
  pages_->setTabVisible(1, showExternalPage);

  auto* finish = new QPushButton("Finish", this);
  finish->setObjectName("btn_ok_lm");
  connect(finish, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(finish);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);
  layout->addWidget(status_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  packagePage_->setFixedSize(880, 560);
  externalPage_->setFixedSize(880, 560);
  // Enter in a file box chooses the file; it must not press a button as well.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  const auto showStatus = [this](const QString& status) { status_->showMessage(status); };
  const auto reload = [this] {
    if (modelsChanged_) modelsChanged_();
  };
  connect(packagePage_, &PackageMeshPage::StatusChanged, this, showStatus);
  connect(packagePage_, &PackageMeshPage::ModelsCompiled, this, reload);
  connect(externalPage_, &ExternalModelPage::StatusChanged, this, showStatus);
  connect(externalPage_, &ExternalModelPage::ModelsCompiled, this, reload);
  status_->showMessage("Select model file or UT package.");
}

ModelCompilerWindow::~ModelCompilerWindow() = default;

QString ModelCompilerWindow::StatusText() const { return status_->currentMessage(); }

void ModelCompilerWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
}

}  // namespace app
