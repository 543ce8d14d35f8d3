#include "ScriptedQuestions.h"

#include <gtest/gtest.h>

#include <utility>

#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>

#include "app/QtText.h"
#include "app/SelectModelDialog.h"

template <typename Answer>
std::optional<Answer> ScriptedQuestions::Next(std::deque<Answer>& answers, const QString& what) {
  Open();
  if (answers.empty()) {
    ADD_FAILURE() << "no scripted answer for " << what.toStdString();
    return std::nullopt;
  }
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

namespace {

// Runs a dialog's check; false (and the refusal shown) when it refuses.
template <typename Values>
bool Passes(const app::DialogCheck<Values>& check, const Values& values, ScriptedQuestions& questions) {
  if (!check) return true;
  try {
    check(values);
  } catch (const std::exception& e) {
    questions.Message(app::MessageIcon::Error, "ERROR", app::ToQString(e.what()));
    return false;
  }
  return true;
}

}  // namespace

void ScriptedQuestions::Open() {
  if (!whileOpen) return;
  // Taken first: what the hook does may open a question of its own.
  const std::function<void()> hook = std::exchange(whileOpen, nullptr);
  QDialog standIn;
  standIn.setModal(true);
  standIn.show();
  QEventLoop loop;
  QTimer::singleShot(0, &loop, [&] {
    hook();
    loop.quit();
  });
  loop.exec();
}

void ScriptedQuestions::Message(app::MessageIcon icon, const QString& title, const QString& text) {
  messages.push_back({icon, title, text});
  Open();
}

bool ScriptedQuestions::AskYesNo(app::MessageIcon icon, const QString& title, const QString& text) {
  questions.push_back(title + ": " + text);
  yesNoIcons.push_back(icon);
  return Next(yesNo, title + ": " + text).value_or(false);
}

app::CloseAnswer ScriptedQuestions::AskSaveDiscardCancel(const QString& title, const QString& text) {
  questions.push_back(title + ": " + text);
  return Next(closeAnswers, title + ": " + text).value_or(app::CloseAnswer::Cancel);
}

app::ReloadAnswer ScriptedQuestions::AskReloadOrKeep(const QString& title, const QString& text) {
  questions.push_back(title + ": " + text);
  return Next(reloadAnswers, title + ": " + text).value_or(app::ReloadAnswer::Keep);
}

QString ScriptedQuestions::ShowOpenFile(const QString& title, const QString& folder, const QString& filter) {
  pickerTitles.push_back(title);
  pickerStarts.push_back(folder);
  openPickers.push_back({folder, filter});
  return Next(openFiles, title).value_or(QString());
}

QStringList ScriptedQuestions::ShowOpenFiles(const QString& title, const QString& folder, const QString&) {
  pickerTitles.push_back(title);
  pickerStarts.push_back(folder);
  return Next(openFileLists, title).value_or(QStringList());
}

QString ScriptedQuestions::ShowSaveFile(const QString& title, const QString& proposed, const QString&,
                                        const QString&) {
  pickerTitles.push_back(title);
  pickerStarts.push_back(proposed);
  return Next(saveFiles, title).value_or(QString());
}

QString ScriptedQuestions::ShowFolder(const QString& title, const QString& folder) {
  pickerTitles.push_back(title);
  pickerStarts.push_back(folder);
  return Next(folders, title).value_or(QString());
}

QColor ScriptedQuestions::PickColour(const QString& title, const QColor&) {
  pickerTitles.push_back(title);
  return Next(colours, title).value_or(QColor());
}

QString ScriptedQuestions::AskText(const QString& title, const QString& prompt, const QString& proposed) {
  questions.push_back(title + ": " + prompt + " " + proposed);
  const QString answer = Next(texts, title).value_or(QString());
  return answer.isNull() ? proposed : answer;
}

std::optional<app::SkinValues> ScriptedQuestions::AskSkin(const app::SkinValues& initial,
                                                          const app::DialogCheck<app::SkinValues>& check) {
  skinInitials.push_back(initial);
  std::optional<app::SkinValues> values = Next(skins, "the skin dialog").value_or(std::nullopt);
  if (values && !Passes(check, *values, *this)) return std::nullopt;
  return values;
}

std::optional<app::TextureValues> ScriptedQuestions::AskTexture(const QString& caption,
                                                                const app::TextureDialogSetup& setup,
                                                                const app::DialogCheck<app::TextureValues>& check) {
  textureSetups.emplace_back(caption, setup);
  std::optional<app::TextureValues> values = Next(textures, caption).value_or(std::nullopt);
  if (values && !Passes(check, *values, *this)) return std::nullopt;
  return values;
}

std::optional<std::size_t> ScriptedQuestions::AskModel(const model::ModelCatalogue& catalogue) {
  const app::SelectModelDialog dialog(catalogue);
  QStringList shown;
  const auto& list = *dialog.findChild<QTreeWidget*>("lista_modelos");
  for (int row = 0; row < list.topLevelItemCount(); ++row) shown << list.topLevelItem(row)->text(0);
  modelLists.push_back(shown);
  return Next(models, "the select-model dialog").value_or(std::nullopt);
}

std::vector<QString> ScriptedQuestions::TakeMessages() {
  std::vector<QString> shownTexts;
  for (const Shown& shown : messages) shownTexts.push_back(shown.Text);
  messages.clear();
  return shownTexts;
}
