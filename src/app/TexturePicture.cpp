#include "app/TexturePicture.h"

#include <QMouseEvent>
#include <QPainter>

#include "raster/Bitmap.h"

namespace app {

namespace {

QPoint At(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

TexturePicture::TexturePicture(QWidget* parent) : QWidget(parent) {
  setObjectName("texture_preview_image");
  setAccessibleName("Texture");
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TexturePicture::Show(const raster::Bitmap* picture) {
  if (!picture || picture->IsEmpty()) {
    image_ = QImage();
    resize(0, 0);
  } else {
    // The image reads the display's own rows: nothing is copied.
    image_ = QImage(picture->Pixels().data(), picture->Width(), picture->Height(),
                    static_cast<qsizetype>(picture->RowBytes()), QImage::Format_BGR888);
    resize(image_.size());
  }
  update();
}

void TexturePicture::Changed(const QRect& area) { update(area); }

void TexturePicture::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (!image_.isNull()) painter.drawImage(area.topLeft(), image_, area);
}

void TexturePicture::mousePressEvent(QMouseEvent* event) { emit Pressed(At(event)); }

void TexturePicture::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) emit Moved(At(event));
}

void TexturePicture::mouseReleaseEvent(QMouseEvent* event) { emit Released(At(event)); }

}  // namespace app
