#include "app/DialogQuestions.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "app/SelectModelDialog.h"
#include "app/SkinDialog.h"
#include "app/TextureDialog.h"

namespace app {

DialogQuestions::DialogQuestions(const QString& folder) : textureDialog_(new TextureDialog(*this, folder)) {}

DialogQuestions::~DialogQuestions() { delete textureDialog_.data(); }

void DialogQuestions::SetOwner(QWidget* owner) {
  owner_ = owner;
  textureDialog_->setParent(owner, textureDialog_->windowFlags());
}

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  return icon == MessageIcon::Warning    ? QMessageBox::Warning
         : icon == MessageIcon::Error    ? QMessageBox::Critical
         : icon == MessageIcon::Question ? QMessageBox::Question
                                         : QMessageBox::Information;
}

}  // namespace

void DialogQuestions::Message(MessageIcon icon, const QString& title, const QString& text) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, owner_);
  box.exec();
}

bool DialogQuestions::AskYesNo(MessageIcon icon, const QString& title, const QString& text) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

CloseAnswer DialogQuestions::AskSaveDiscardCancel(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  owner_);
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  return answer == QMessageBox::Save ? CloseAnswer::Save
         : answer == QMessageBox::Discard ? CloseAnswer::Discard
                                          : CloseAnswer::Cancel;
}

QString DialogQuestions::PickOpenFile(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(owner_, title, folder, filter);
}

QStringList DialogQuestions::PickOpenFiles(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileNames(owner_, title, folder, filter);
}

QString DialogQuestions::PickSaveFile(const QString& title, const QString& proposed, const QString& filter,
                                      const QString& defaultSuffix) {
  QFileDialog dialog(owner_, title, proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString DialogQuestions::PickFolder(const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(owner_, title, folder);
}

QColor DialogQuestions::PickColour(const QString& title, const QColor& initial) {
  return QColorDialog::getColor(initial, owner_, title);
}

QString DialogQuestions::AskText(const QString& title, const QString& prompt, const QString& proposed) {
  bool ok = false;
  const QString text = QInputDialog::getText(owner_, title, prompt, QLineEdit::Normal, proposed, &ok);
  return ok ? text : proposed;
}

std::optional<SkinValues> DialogQuestions::AskSkin(const SkinValues& initial, const DialogCheck<SkinValues>& check) {
  SkinDialog dialog(*this, initial, check, owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

std::optional<TextureValues> DialogQuestions::AskTexture(const QString& caption, const TextureDialogSetup& setup,
                                                         const DialogCheck<TextureValues>& check) {
  textureDialog_->Prepare(caption, setup, check);
  if (textureDialog_->exec() != QDialog::Accepted) return std::nullopt;
  return textureDialog_->Values();
}

std::optional<std::size_t> DialogQuestions::AskModel(const model::ModelCatalogue& catalogue) {
  SelectModelDialog dialog(catalogue, owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.SelectedModel();
}

}  // namespace app
