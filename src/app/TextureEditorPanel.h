#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QScrollArea;
class QSlider;

namespace project {
class SkinNode;
}

namespace app {

// "Texture Editor": the selected texture as the editor shows it, enlarged by
// the zoom, with the section's wire frame laid over it.
class TextureEditorPanel final : public QWidget {
  Q_OBJECT
public:
  explicit TextureEditorPanel(QWidget* parent = nullptr);

  // Shows a texture node, or clears the panel for nullptr; the zoom goes back to "1X".
  void ShowTexture(const project::SkinNode* texture);
  const project::SkinNode* Texture() const { return texture_; }
  // Draws the shown texture again, after its picture changed.
  void Redisplay();
  // Whether the texture can be painted: its picture is 24-bit.
  bool TextureEditable() const { return editable_; }

private:
  int Zoom() const;

  const project::SkinNode* texture_ = nullptr;
  bool editable_ = false;
  QWidget* tools_;
  QScrollArea* scrollBox_;
  QLabel* image_;
  QComboBox* zoom_;
  QSlider* wire_;
};

}  // namespace app
