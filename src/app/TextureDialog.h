#pragma once

#include <QDialog>

#include "app/UserQuestions.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace app {

// The texture file dialog's filter: every picture format the program reads.
QString PictureFilter();

// "New Texture" and "Edit Texture": a picture file, a team and a face. Made
// once and reused for every add and edit.
class TextureDialog : public QDialog {
  Q_OBJECT
public:
  // `folder` is where its file picker starts.
  TextureDialog(UserQuestions& questions, QString folder, QWidget* parent = nullptr);

  // Fills the controls for one use.
  void Prepare(const QString& caption, const TextureDialogSetup& setup, DialogCheck<TextureValues> check);
  TextureValues Values() const;

public slots:
  void accept() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void PickFile();

  UserQuestions& questions_;
  QString folder_;
  DialogCheck<TextureValues> check_;
  QLineEdit* bitmap_;
  QToolButton* bitmapSelect_;
  QComboBox* team_;
  QComboBox* face_;
};

}  // namespace app
