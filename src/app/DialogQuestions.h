#pragma once

#include <QPointer>

#include "app/UserQuestions.h"

class QWidget;

namespace app {

class TextureDialog;

// The questions as Qt's message boxes, file dialogs and the program's own dialogs.
class DialogQuestions final : public UserQuestions {
public:
  // `folder` is where the texture dialog's file picker starts.
  explicit DialogQuestions(const QString& folder);
  // The window the dialogs belong to; it takes the texture dialog with it.
  void SetOwner(QWidget* owner);
  ~DialogQuestions() override;

  void Message(MessageIcon icon, const QString& title, const QString& text) override;
  bool AskYesNo(MessageIcon icon, const QString& title, const QString& text) override;
  CloseAnswer AskSaveDiscardCancel(const QString& title, const QString& text) override;
  ReloadAnswer AskReloadOrKeep(const QString& title, const QString& text) override;
  QColor PickColour(const QString& title, const QColor& initial) override;
  QString AskText(const QString& title, const QString& prompt, const QString& proposed) override;
  std::optional<SkinValues> AskSkin(const SkinValues& initial, const DialogCheck<SkinValues>& check) override;
  std::optional<TextureValues> AskTexture(const QString& caption, const TextureDialogSetup& setup,
                                          const DialogCheck<TextureValues>& check) override;
  std::optional<std::size_t> AskModel(const model::ModelCatalogue& catalogue) override;

protected:
  QString ShowOpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QStringList ShowOpenFiles(const QString& title, const QString& folder, const QString& filter) override;
  QString ShowSaveFile(const QString& title, const QString& proposed, const QString& filter,
                       const QString& defaultSuffix) override;
  QString ShowFolder(const QString& title, const QString& folder) override;

private:
  QWidget* Parent() const;

  QWidget* owner_ = nullptr;
  // Lives for the whole run, as every add and edit reuses it.
  QPointer<TextureDialog> textureDialog_;
};

}  // namespace app
