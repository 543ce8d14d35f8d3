#pragma once

#include <QImage>
#include <QWidget>

namespace raster {
class Bitmap;
}

namespace app {

// The texture editor's picture, drawn straight from the display's pixels so
// that a dab repaints only the few it changed. Tells the mouse's presses,
// moves with a button held and releases in picture coordinates.
class TexturePicture final : public QWidget {
  Q_OBJECT
public:
  explicit TexturePicture(QWidget* parent = nullptr);

  // Shows this picture, which must outlive the showing; nullptr shows nothing.
  void Show(const raster::Bitmap* picture);
  // The shown pixels changed, within this rectangle of the picture.
  void Changed(const QRect& area);

signals:
  void Pressed(QPoint position);
  void Moved(QPoint position);
  void Released(QPoint position);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QImage image_;
};

}  // namespace app
