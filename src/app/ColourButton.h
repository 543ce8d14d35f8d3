#pragma once

#include <QColor>
#include <QToolButton>

namespace app {

class UserQuestions;

// "Select Color": a swatch of the brush colour. A click opens the colour
// dialog; its drop-down offers the standard and system colours and "Custom Color".
class ColourButton final : public QToolButton {
  Q_OBJECT
public:
  explicit ColourButton(UserQuestions& questions, QWidget* parent = nullptr);

  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);

private:
  void PickCustomColour();

  UserQuestions& questions_;
  QColor colour_ = Qt::black;
};

}  // namespace app
