#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace app {

class UserQuestions;

// "Preferences": where the game is installed. Shows what detection finds,
// takes a folder the user picks instead, and warns when it lacks the game's
// System or Textures folder.
class PreferencesDialog final : public QDialog {
  Q_OBJECT
public:
  // `detected` is the folder detection finds without a setting and
  // `detectedHow` says how it found it; `setting` is the folder set before,
  // empty for none.
  PreferencesDialog(UserQuestions& questions, const QString& detected, const QString& detectedHow,
                    const QString& setting, QWidget* owner);

  // The folder to keep as the setting; empty to go back to detection.
  QString GameDirectorySetting() const;

private:
  void UpdateWarning();

  UserQuestions& questions_;
  QString detected_;
  QLineEdit* gameDirectory_;
  QLabel* warning_;
};

// The warning the dialog shows for a game folder; empty when it looks right.
QString GameDirectoryWarning(const QString& folder);

}  // namespace app
