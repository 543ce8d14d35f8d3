#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/UserQuestions.h"

// Answers the windows' questions from a script and keeps what they showed.
// A question without a scripted answer fails the test and is cancelled.
class ScriptedQuestions final : public app::UserQuestions {
public:
  struct Shown {
    app::MessageIcon Icon;
    QString Title;
    QString Text;
  };

  void Message(app::MessageIcon icon, const QString& title, const QString& text) override;
  bool AskYesNo(app::MessageIcon icon, const QString& title, const QString& text) override;
  app::CloseAnswer AskSaveDiscardCancel(const QString& title, const QString& text) override;
  // Keeps without a scripted answer, as Escape does.
  app::ReloadAnswer AskReloadOrKeep(const QString& title, const QString& text) override;
  // Answers from `colours`; an invalid colour stands for Cancel.
  QColor PickColour(const QString& title, const QColor& initial) override;
  // Answers from `texts`; a null text stands for Cancel, which answers the proposal.
  QString AskText(const QString& title, const QString& prompt, const QString& proposed) override;
  // A scripted answer is run through the dialog's check, as its Ok button
  // would; a refusal is shown as the dialog shows it, and the dialog then
  // counts as cancelled.
  std::optional<app::SkinValues> AskSkin(const app::SkinValues& initial,
                                         const app::DialogCheck<app::SkinValues>& check) override;
  std::optional<app::TextureValues> AskTexture(const QString& caption, const app::TextureDialogSetup& setup,
                                               const app::DialogCheck<app::TextureValues>& check) override;
  std::optional<std::size_t> AskModel(const model::ModelCatalogue& catalogue) override;

  // Answers, taken in order.
  std::deque<bool> yesNo;
  std::deque<app::CloseAnswer> closeAnswers;
  std::deque<app::ReloadAnswer> reloadAnswers;
  std::deque<QString> openFiles;
  std::deque<QStringList> openFileLists;
  std::deque<QString> saveFiles;
  std::deque<QString> folders;
  std::deque<QString> texts;
  std::deque<QColor> colours;
  std::deque<std::optional<app::SkinValues>> skins;
  std::deque<std::optional<app::TextureValues>> textures;
  std::deque<std::optional<std::size_t>> models;

  // What was shown and asked: messages, "title: text" of questions, the
  // titles of file pickers, and how each dialog was opened.
  std::vector<Shown> messages;
  std::vector<QString> questions;
  std::vector<app::MessageIcon> yesNoIcons;
  std::vector<QString> pickerTitles;
  // The folder and filter each single-file picker opened with.
  std::vector<std::pair<QString, QString>> openPickers;
  // Where every file picker opened: its folder, or the file a save picker proposed.
  std::vector<QString> pickerStarts;
  // The models the select-model dialog listed, each time it opened.
  std::vector<QStringList> modelLists;
  std::vector<app::SkinValues> skinInitials;
  std::vector<std::pair<QString, app::TextureDialogSetup>> textureSetups;

  // The texts of the messages shown since the last call.
  std::vector<QString> TakeMessages();

  // Runs once, while the next question or message is open: in an event loop
  // of its own, with a modal window standing in for the dialog, as a dialog's
  // loop runs the window's timers and menus.
  std::function<void()> whileOpen;

protected:
  QString ShowOpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QStringList ShowOpenFiles(const QString& title, const QString& folder, const QString& filter) override;
  QString ShowSaveFile(const QString& title, const QString& proposed, const QString& filter,
                       const QString& defaultSuffix) override;
  QString ShowFolder(const QString& title, const QString& folder) override;

private:
  template <typename Answer>
  std::optional<Answer> Next(std::deque<Answer>& answers, const QString& what);
  void Open();
};
