#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStatusBar;

namespace model {
class TModelo;
}

namespace app {

// "Preview": the tool column (skin, team and face, masking, animation,
// camera presets, the model's default position), the 3D viewer and its
// status bar of scale, position and rotation.
class PreviewPanel final : public QWidget {
  Q_OBJECT
public:
  explicit PreviewPanel(QWidget* parent = nullptr);

  // The default-position button and the status bar show only in advanced mode.
  void SetAdvancedMode(bool advanced);
  // The status panels from a model's placement.
  void ShowPlacement(const model::TModelo& model);

private:
  QPushButton* defaultPosition_;
  QStatusBar* status_;
  QLabel* scale_;
  QLabel* position_;
  QLabel* rotation_;
};

}  // namespace app
