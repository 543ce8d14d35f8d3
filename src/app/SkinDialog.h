#pragma once

#include <QDialog>

#include "app/UserQuestions.h"

class QLineEdit;

namespace app {

// "New Skin" (also when editing): a description and a four-letter code, or
// the skin's whole name for a single-skin model.
class SkinDialog : public QDialog {
  Q_OBJECT
public:
  SkinDialog(UserQuestions& questions, const SkinValues& initial, DialogCheck<SkinValues> check,
             QWidget* parent = nullptr);

  // The code as typed, without the mask's blanks.
  SkinValues Values() const;

public slots:
  void accept() override;

private:
  UserQuestions& questions_;
  DialogCheck<SkinValues> check_;
  bool wholeName_;
  QLineEdit* description_;
  QLineEdit* code_;
};

}  // namespace app
