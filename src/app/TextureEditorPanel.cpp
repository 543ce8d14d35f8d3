#include "app/TextureEditorPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTabBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/ColourButton.h"
#include "app/ErrorReport.h"
#include "app/ProjectUndoCommand.h"
#include "app/QtText.h"
#include "app/TexturePicture.h"
#include "app/UserQuestions.h"
#include "model/WireBitmap.h"
#include "paint/TextureEdits.h"
#include "project/ProjectDocument.h"

namespace app {

namespace {

constexpr int ViewSize = 256;
constexpr int PickerTool = 4;

QPushButton* Button(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

// A scroll bar with its caption before it and its value after it.
QScrollBar* LabelledScrollBar(const char* name, const QString& caption, int minimum, int maximum, int value,
                              QGridLayout* grid, int row) {
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setObjectName(name);
  bar->setAccessibleName(caption);
  bar->setRange(minimum, maximum);
  bar->setPageStep(10);
  bar->setValue(value);
  auto* shown = new QLabel(QString::number(value));
  shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance("000"));
  QObject::connect(bar, &QScrollBar::valueChanged, shown, [shown](int v) { shown->setText(QString::number(v)); });
  auto* label = new QLabel(caption);
  label->setMinimumWidth(label->sizeHint().width());
  bar->setMinimumWidth(60);
  grid->addWidget(label, row, 0);
  grid->addWidget(bar, row, 1);
  grid->addWidget(shown, row, 2);
  return bar;
}

// Colours as the paint tool holds them: red in the lowest byte.
std::uint32_t ToColourValue(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

QColor FromColourValue(std::uint32_t value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value >> 16 & 0xFF)};
}

QRect OnPicture(const raster::PixelArea& area, int zoom) {
  return {area.Left * zoom, area.Top * zoom, area.Width() * zoom, area.Height() * zoom};
}

}  // namespace

TextureEditorPanel::TextureEditorPanel(UserQuestions& questions, QUndoStack& undoStack, QWidget* parent)
    : QWidget(parent), questions_(questions), undoStack_(undoStack) {
  setObjectName("TextureEditorPanel");
  auto* header = new QLabel("Texture Editor", this);
  header->setObjectName("texture_editor_header");
  header->setFrameShape(QFrame::StyledPanel);
  header->setAlignment(Qt::AlignCenter);

  paintRows_ = new QWidget(this);
  auto* grid = new QGridLayout(paintRows_);
  grid->setContentsMargins(0, 0, 0, 0);
  tools_ = new QTabBar(paintRows_);
  tools_->setObjectName("tools");
  tools_->setAccessibleName("Tools");
  tools_->setDrawBase(false);
  // Five tabs side by side in the width of the picture; the column widens rather than hide one.
  tools_->setStyleSheet("QTabBar::tab { padding: 3px 6px; }");
  tools_->setUsesScrollButtons(false);
  for (const char* tool : {"Brush", "Tint", "Lighten", "Darken", "Picker"}) tools_->addTab(tool);
  grid->addWidget(tools_, 0, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  QPushButton* save = Button("btn_SaveEditedTexture", "Save", "Save the Texture", paintRows_);
  QPushButton* revert = Button("btn_RevertEditedTexture", "Revert", "Revert to saved texture", paintRows_);
  QPushButton* undo = Button("btn_UndoEditedTexture", "Undo", "Undo last edit", paintRows_);
  zoom_ = new QComboBox(paintRows_);
  zoom_->setObjectName("zoom");
  zoom_->addItems({"1X", "2X", "4X"});
  zoom_->setAccessibleName("Zoom");
  colour_ = new ColourButton(questions_, paintRows_);
  for (QWidget* widget : std::initializer_list<QWidget*>{save, revert, undo, zoom_, colour_}) buttons->addWidget(widget);
  buttons->addStretch();
  grid->addLayout(buttons, 1, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  size_ = LabelledScrollBar("brush_size", "Brush size:", 1, 64, 15, grid, 2);
  intensity_ = LabelledScrollBar("brush_intensity", "Brush Intensity:", 1, 100, 50, grid, 3);
  paintRows_->hide();

  wireRow_ = new QWidget(this);
  auto* wireLayout = new QHBoxLayout(wireRow_);
  wireLayout->setContentsMargins(0, 0, 0, 0);
  wire_ = new QSlider(Qt::Horizontal, wireRow_);
  wire_->setObjectName("tbSeeWire");
  wire_->setRange(0, 100);
  wire_->setPageStep(10);
  wire_->setTickInterval(10);
  wire_->setTickPosition(QSlider::TicksBelow);
  wire_->setAccessibleName("Wire overlay:");
  wireLayout->addWidget(new QLabel("Wire overlay:", wireRow_));
  wireLayout->addWidget(wire_, 1);
  wireRow_->hide();

  image_ = new TexturePicture;
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName("texture_preview_scrollbox");
  scrollBox_->setWidget(image_);
  scrollBox_->setMinimumSize(ViewSize + 2 * scrollBox_->frameWidth(), ViewSize + 2 * scrollBox_->frameWidth());
  scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(header);
  layout->addWidget(paintRows_);
  layout->addWidget(wireRow_);
  layout->addWidget(scrollBox_, 1);
  setEnabled(false);

  connect(zoom_, &QComboBox::currentIndexChanged, this, [this] {
    Redisplay();
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
  });
  connect(wire_, &QSlider::valueChanged, this, &TextureEditorPanel::Redisplay);
  connect(image_, &TexturePicture::Pressed, this, [this](QPoint p) { Guarded(questions_, [&] { Press(p); }); });
  connect(image_, &TexturePicture::Moved, this, [this](QPoint p) { Guarded(questions_, [&] { Move(p); }); });
  connect(image_, &TexturePicture::Released, this, [this](QPoint p) { Guarded(questions_, [&] { Release(p); }); });
  connect(save, &QPushButton::clicked, this, [this] { Guarded(questions_, [this] { Save(); }); });
  connect(revert, &QPushButton::clicked, this, [this] {
    Guarded(questions_, [this] {
      if (texture_ && document_) Push(paint::MakeRevertTexture(*document_, *texture_));
    });
  });
  connect(undo, &QPushButton::clicked, this, [this] {
    Guarded(questions_, [this] {
      if (texture_ && document_) Push(paint::MakeUndoLastEdit(*document_, *texture_));
    });
  });
}

void TextureEditorPanel::SetDocument(project::ProjectDocument* document) {
  ShowTexture(nullptr);
  document_ = document;
}

int TextureEditorPanel::Zoom() const { return 1 << zoom_->currentIndex(); }

void TextureEditorPanel::ShowTexture(const project::SkinNode* texture) {
  stroke_.reset();
  texture_ = texture && texture->Kind() == project::NodeKind::Texture ? texture : nullptr;
  editable_ = texture_ && !texture_->Texture().Missing() &&
              texture_->Texture().SourceBitmap.Format() == raster::PixelFormat::Bgr24;
  {
    const QSignalBlocker blocker(zoom_);
    zoom_->setCurrentIndex(0);
  }
  paintRows_->setVisible(editable_);
  wireRow_->setVisible(texture_ != nullptr);
  setEnabled(texture_ != nullptr);
  Redisplay();
}

void TextureEditorPanel::Redisplay() {
  if (taking_) return;
  if (!texture_ || texture_->Texture().Missing()) {
    display_ = {};
    image_->Show(nullptr);
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
  display_.DisplayTexture(stroke_ ? stroke_->Picture() : entry.SourceBitmap, wire, wire_->value(), Zoom());
  image_->Show(&display_.Picture());
  const bool large = display_.Picture().Width() > ViewSize || display_.Picture().Height() > ViewSize;
  scrollBox_->setHorizontalScrollBarPolicy(large ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  scrollBox_->setVerticalScrollBarPolicy(large ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

paint::Brush TextureEditorPanel::CurrentBrush() const {
  paint::Brush brush;
  brush.Size = size_->value();
  brush.Intensity = intensity_->value();
  brush.Colour = ToColourValue(colour_->Colour());
  brush.Mode = static_cast<raster::BlendMode>(tools_->currentIndex());
  return brush;
}

void TextureEditorPanel::Press(QPoint position) {
  if (!editable_ || !texture_ || !document_ || stroke_) return;
  if (tools_->currentIndex() == PickerTool) {
    const paint::TextureDisplay::Pixel pixel = display_.TexturePixel(position.x(), position.y());
    if (const auto picked = paint::PickColour(texture_->Texture().SourceBitmap, pixel.X, pixel.Y))
      colour_->SetColour(FromColourValue(*picked));
    return;
  }
  stroke_.emplace(texture_->Texture().SourceBitmap);
  Dab(position);
}

void TextureEditorPanel::Move(QPoint position) {
  if (stroke_ && editable_) Dab(position);
}

void TextureEditorPanel::Release(QPoint position) {
  if (!stroke_ || !editable_) return;
  Dab(position);
  FinishStroke();
}

void TextureEditorPanel::FinishStroke() {
  if (!stroke_ || !texture_ || !document_) return;
  const paint::Stroke stroke = std::move(*stroke_);
  stroke_.reset();
  const QScopedValueRollback<bool> taking(taking_, true);
  Push(paint::MakePaintStroke(*document_, *texture_, stroke));
}

void TextureEditorPanel::Dab(QPoint position) {
  const paint::TextureDisplay::Pixel pixel = display_.TexturePixel(position.x(), position.y());
  const raster::PixelArea area = stroke_->Dab(pixel.X, pixel.Y, CurrentBrush());
  display_.Refresh(stroke_->Picture(), area);
  image_->Changed(OnPicture(area, Zoom()));
}

void TextureEditorPanel::Save() {
  if (!texture_ || !document_ || !editable_) return;
  const std::string note = document_->SaveTexture(*texture_);
  if (!note.empty()) questions_.Message(MessageIcon::Information, "NOTE", ToQString(note));
}

void TextureEditorPanel::Push(std::unique_ptr<project::ProjectCommand> command) {
  if (command) undoStack_.push(new ProjectUndoCommand(*document_, std::move(command)));
}

}  // namespace app
