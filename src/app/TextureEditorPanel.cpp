#include "app/TextureEditorPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

#include "model/WireBitmap.h"
#include "paint/DisplayTexture.h"
#include "project/SkinTree.h"

namespace app {

namespace {

constexpr int ViewSize = 256;

QImage ToImage(const raster::Bitmap& picture) {
  return QImage(picture.Pixels().data(), picture.Width(), picture.Height(), static_cast<qsizetype>(picture.RowBytes()),
                QImage::Format_BGR888)
      .copy();
}

}  // namespace

TextureEditorPanel::TextureEditorPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("TextureEditorPanel");
  auto* header = new QLabel("Texture Editor", this);
  header->setObjectName("texture_editor_header");
  header->setFrameShape(QFrame::StyledPanel);
  header->setAlignment(Qt::AlignCenter);

  image_ = new QLabel;
  image_->setObjectName("texture_preview_image");
  image_->setCursor(Qt::CrossCursor);
  image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName("texture_preview_scrollbox");
  scrollBox_->setWidget(image_);
  scrollBox_->setMinimumSize(ViewSize + 2 * scrollBox_->frameWidth(), ViewSize + 2 * scrollBox_->frameWidth());
  scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  tools_ = new QWidget(this);
  auto* grid = new QGridLayout(tools_);
  grid->setContentsMargins(0, 0, 0, 0);
  zoom_ = new QComboBox(tools_);
  zoom_->setObjectName("zoom");
  zoom_->addItems({"1X", "2X", "4X"});
  zoom_->setAccessibleName("Zoom");
  wire_ = new QSlider(Qt::Horizontal, tools_);
  wire_->setObjectName("tbSeeWire");
  wire_->setRange(0, 100);
  wire_->setPageStep(10);
  wire_->setTickInterval(10);
  wire_->setTickPosition(QSlider::TicksBelow);
  wire_->setAccessibleName("Wire overlay:");
  grid->addWidget(new QLabel("Zoom:", tools_), 0, 0);
  grid->addWidget(zoom_, 0, 1);
  grid->addWidget(new QLabel("Wire overlay:", tools_), 1, 0);
  grid->addWidget(wire_, 1, 1);
  tools_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(header);
  layout->addWidget(tools_);
  layout->addWidget(scrollBox_, 1);
  setEnabled(false);

  connect(zoom_, &QComboBox::currentIndexChanged, this, [this] {
    Redisplay();
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
  });
  connect(wire_, &QSlider::valueChanged, this, &TextureEditorPanel::Redisplay);
}

int TextureEditorPanel::Zoom() const { return 1 << zoom_->currentIndex(); }

void TextureEditorPanel::ShowTexture(const project::SkinNode* texture) {
  texture_ = texture && texture->Kind() == project::NodeKind::Texture ? texture : nullptr;
  editable_ = texture_ && texture_->Texture().SourceBitmap.Format() == raster::PixelFormat::Bgr24;
  {
    const QSignalBlocker blocker(zoom_);
    zoom_->setCurrentIndex(0);
  }
  tools_->setVisible(texture_ != nullptr);
  setEnabled(texture_ != nullptr);
  Redisplay();
}

void TextureEditorPanel::Redisplay() {
  if (!texture_ || texture_->Texture().Missing()) {
    image_->clear();
    image_->resize(0, 0);
    scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return;
  }
  const project::TObjetoTextura& entry = texture_->Texture();
  const raster::Bitmap* wire = nullptr;
  try {
    if (entry.WireBitmap && wire_->value() > 0) wire = &entry.WireBitmap->Picture();
  } catch (const std::exception&) {
    // A wire bitmap that cannot be read leaves the texture shown without it.
  }
  const QImage shown = ToImage(paint::DisplayTexture(entry.SourceBitmap, wire, wire_->value(), Zoom()));
  image_->setPixmap(QPixmap::fromImage(shown));
  image_->resize(shown.size());
  const bool large = shown.width() > ViewSize || shown.height() > ViewSize;
  scrollBox_->setHorizontalScrollBarPolicy(large ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  scrollBox_->setVerticalScrollBarPolicy(large ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

}  // namespace app
