#pragma once

#include <QWidget>

#include "project/ProjectOptions.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTimer;

namespace app {

class UserQuestions;

// The "Project Options" tab: how the project compiles and what its UMOD
// installer says. It shows the document's options; each change the user
// makes is handed on as the options it asks for.
class ProjectOptionsPage final : public QWidget {
  Q_OBJECT
public:
  ProjectOptionsPage(UserQuestions& questions, QWidget* parent = nullptr);

  // Shows the options without handing anything on.
  void ShowOptions(const project::ProjectOptions& options);
  project::ProjectOptions Options() const;
  // Whether a slider is still on the move: held, or stepped a moment ago.
  bool Settling() const;

signals:
  // `field` tells typing in one edit or moving one slider apart from other
  // changes, so that a run of them can be undone as one (-1 for the rest).
  void OptionsEdited(const project::ProjectOptions& options, int field);
  // "Update" of "Texture postprocess".
  void UpdateRequested();
  // A slider came to rest: what follows its value can catch up.
  void Settled();

private:
  QLineEdit* AddEdit(const char* name, int field);
  QWidget* FileEdit(QLineEdit* edit, const char* buttonName, const QString& title, const QString& filter);
  void Edited(int field);

  UserQuestions& questions_;
  bool showing_ = false;
  QTimer* settle_;
  QCheckBox* mipmaps_;
  QCheckBox* clientOptional_;
  QCheckBox* highResolution_;
  QButtonGroup* reducePalettes_;
  QCheckBox* highQuality_;
  QSlider* brightness_;
  QLabel* brightnessValue_;
  QSlider* saturation_;
  QLabel* saturationValue_;
  QLineEdit* productName_;
  QLineEdit* url_;
  QLineEdit* developer_;
  QLineEdit* version_;
  QLineEdit* bitmap_;
  QLineEdit* readme_;
  QCheckBox* serverSupport_;
  QCheckBox* reducedInt_;
  QCheckBox* notAllowDownload_;
};

}  // namespace app
