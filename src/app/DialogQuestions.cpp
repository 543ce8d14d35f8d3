#include "app/DialogQuestions.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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

QWidget* DialogQuestions::Parent() const {
  // A question from a modal window (the model compiler) belongs on top of it.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner_;
}

void DialogQuestions::Message(MessageIcon icon, const QString& title, const QString& text) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, Parent());
  box.exec();
}

bool DialogQuestions::AskYesNo(MessageIcon icon, const QString& title, const QString& text) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, Parent());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

CloseAnswer DialogQuestions::AskSaveDiscardCancel(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  Parent());
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  return answer == QMessageBox::Save ? CloseAnswer::Save
         : answer == QMessageBox::Discard ? CloseAnswer::Discard
                                          : CloseAnswer::Cancel;
}

ReloadAnswer DialogQuestions::AskReloadOrKeep(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, Parent());
  QPushButton* reload = box.addButton("Reload", QMessageBox::DestructiveRole);
  QPushButton* keep = box.addButton("Keep My Changes", QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  return box.clickedButton() == reload ? ReloadAnswer::Reload : ReloadAnswer::Keep;
}

QString DialogQuestions::ShowOpenFile(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(Parent(), title, folder, filter);
}

QStringList DialogQuestions::ShowOpenFiles(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileNames(Parent(), title, folder, filter);
}

QString DialogQuestions::ShowSaveFile(const QString& title, const QString& proposed, const QString& filter,
                                      const QString& defaultSuffix) {
  QFileDialog dialog(Parent(), title, proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString DialogQuestions::ShowFolder(const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(Parent(), title, folder);
}

QColor DialogQuestions::PickColour(const QString& title, const QColor& initial) {
  return QColorDialog::getColor(initial, Parent(), title);
}

QString DialogQuestions::AskText(const QString& title, const QString& prompt, const QString& proposed) {
  bool ok = false;
  const QString text = QInputDialog::getText(Parent(), title, prompt, QLineEdit::Normal, proposed, &ok);
  return ok ? text : proposed;
}

std::optional<SkinValues> DialogQuestions::AskSkin(const SkinValues& initial, const DialogCheck<SkinValues>& check) {
  SkinDialog dialog(*this, initial, check, Parent());
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
  SelectModelDialog dialog(catalogue, Parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.SelectedModel();
}

}  // namespace app
