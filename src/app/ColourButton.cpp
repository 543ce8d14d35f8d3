#include "app/ColourButton.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include "app/UserQuestions.h"

namespace app {

namespace {

QIcon Swatch(const QColor& colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  QPainter painter(&pixmap);
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

struct NamedColour {
  const char* Name;
  QColor Colour;
};

std::vector<NamedColour> OfferedColours() {
  const QPalette palette = QApplication::palette();
  return {
      {"Black", QColor(0, 0, 0)},           {"Maroon", QColor(128, 0, 0)},     {"Green", QColor(0, 128, 0)},
      {"Olive", QColor(128, 128, 0)},       {"Navy", QColor(0, 0, 128)},       {"Purple", QColor(128, 0, 128)},
      {"Teal", QColor(0, 128, 128)},        {"Gray", QColor(128, 128, 128)},   {"Silver", QColor(192, 192, 192)},
      {"Red", QColor(255, 0, 0)},           {"Lime", QColor(0, 255, 0)},       {"Yellow", QColor(255, 255, 0)},
      {"Blue", QColor(0, 0, 255)},          {"Fuchsia", QColor(255, 0, 255)},  {"Aqua", QColor(0, 255, 255)},
      {"White", QColor(255, 255, 255)},     {"Window", palette.color(QPalette::Window)},
      {"Window Text", palette.color(QPalette::WindowText)},
      {"Button Face", palette.color(QPalette::Button)},
      {"Button Text", palette.color(QPalette::ButtonText)},
      {"Highlight", palette.color(QPalette::Highlight)},
      {"Highlight Text", palette.color(QPalette::HighlightedText)},
      {"Base", palette.color(QPalette::Base)},
      {"Text", palette.color(QPalette::Text)},
  };
}

}  // namespace

ColourButton::ColourButton(UserQuestions& questions, QWidget* parent) : QToolButton(parent), questions_(questions) {
  setObjectName("ColorPickerButton1");
  setToolTip("Select Color");
  setAccessibleName("Select Color");
  setPopupMode(QToolButton::MenuButtonPopup);
  auto* menu = new QMenu(this);
  menu->setObjectName("ColorPickerMenu");
  for (const NamedColour& offered : OfferedColours()) {
    QAction* action = menu->addAction(Swatch(offered.Colour), offered.Name);
    connect(action, &QAction::triggered, this, [this, colour = offered.Colour] { SetColour(colour); });
  }
  menu->addSeparator();
  connect(menu->addAction("Custom Color"), &QAction::triggered, this, &ColourButton::PickCustomColour);
  setMenu(menu);
  connect(this, &QToolButton::clicked, this, &ColourButton::PickCustomColour);
  SetColour(Qt::black);
}

void ColourButton::SetColour(const QColor& colour) {
  colour_ = colour;
  setIcon(Swatch(colour));
}

void ColourButton::PickCustomColour() {
  const QColor chosen = questions_.PickColour("Select Color", colour_);
  if (chosen.isValid()) SetColour(chosen);
}

}  // namespace app
