#include "app/PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "platform/GameDirectory.h"

namespace app {

QString GameDirectoryWarning(const QString& folder) {
  QStringList missing;
  for (const std::string& part : platform::MissingGameFolders(QStringToPath(folder))) missing << ToQString(part);
  if (missing.isEmpty()) return {};
  return "This folder has no " + missing.join(" and no ") +
         " folder; compiled skins cannot be installed there.";
}

PreferencesDialog::PreferencesDialog(UserQuestions& questions, const QString& detected, const QString& detectedHow,
                                     const QString& setting, QWidget* owner)
    : QDialog(owner), questions_(questions), detected_(detected) {
  setObjectName("frm_preferences");
  setWindowTitle("Preferences");
  auto* detectedLabel = new QLabel(detectedHow, this);
  detectedLabel->setWordWrap(true);
  detectedLabel->setObjectName("detected_gamedirectory");
  detectedLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  gameDirectory_ = new QLineEdit(setting, this);
  gameDirectory_->setObjectName("gamedirectory");
  gameDirectory_->setPlaceholderText("as detected");
  auto* browse = new QPushButton("Browse...", this);
  browse->setObjectName("gamedirectory_select");
  auto* row = new QHBoxLayout;
  row->addWidget(gameDirectory_, 1);
  row->addWidget(browse);
  warning_ = new QLabel(this);
  warning_->setObjectName("gamedirectory_warning");
  warning_->setWordWrap(true);
  warning_->setStyleSheet("color: #a00000");
  auto* form = new QFormLayout;
  form->addRow("Detected game:", detectedLabel);
  form->addRow("Game folder:", row);
  form->addRow(warning_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, [this, detected] {
    const QString folder = questions_.PickFolder(FileKind::GameFolder, "Game folder",
                                                 gameDirectory_->text().isEmpty() ? detected : gameDirectory_->text());
    if (!folder.isEmpty()) gameDirectory_->setText(folder);
  });
  connect(gameDirectory_, &QLineEdit::textChanged, this, &PreferencesDialog::UpdateWarning);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(buttons);
  resize(520, 180);
  UpdateWarning();
}

QString PreferencesDialog::GameDirectorySetting() const { return gameDirectory_->text().trimmed(); }

void PreferencesDialog::UpdateWarning() {
  const QString folder = GameDirectorySetting().isEmpty() ? detected_ : GameDirectorySetting();
  warning_->setText(GameDirectoryWarning(folder));
}

}  // namespace app
