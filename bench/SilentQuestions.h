#pragma once

#include "app/UserQuestions.h"

namespace benchsupport {

// Answers every question with no and keeps the last message.
class SilentQuestions final : public app::UserQuestions {
public:
  void Message(app::MessageIcon, const QString&, const QString& text) override { last = text; }
  bool AskYesNo(app::MessageIcon, const QString&, const QString&) override { return false; }
  app::CloseAnswer AskSaveDiscardCancel(const QString&, const QString&) override { return app::CloseAnswer::Discard; }
  app::ReloadAnswer AskReloadOrKeep(const QString&, const QString&) override { return app::ReloadAnswer::Keep; }
  QColor PickColour(const QString&, const QColor&) override { return {}; }
  QString AskText(const QString&, const QString&, const QString& proposed) override { return proposed; }
  std::optional<app::SkinValues> AskSkin(const app::SkinValues&, const app::DialogCheck<app::SkinValues>&) override {
    return std::nullopt;
  }
  std::optional<app::TextureValues> AskTexture(const QString&, const app::TextureDialogSetup&,
                                               const app::DialogCheck<app::TextureValues>&) override {
    return std::nullopt;
  }
  std::optional<std::size_t> AskModel(const model::ModelCatalogue&) override { return std::nullopt; }

  QString last;

protected:
  QString ShowOpenFile(const QString&, const QString&, const QString&) override { return {}; }
  QStringList ShowOpenFiles(const QString&, const QString&, const QString&) override { return {}; }
  QString ShowSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
  QString ShowFolder(const QString&, const QString&) override { return {}; }
};

}  // namespace benchsupport
