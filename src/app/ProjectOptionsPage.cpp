#include "app/ProjectOptionsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/UserQuestions.h"

namespace app {

namespace {

enum Field { ProductName, Url, Developer, Version, BitmapFile, ReadmeFile, BrightnessSlider, SaturationSlider };

// How long a slider stepped by the keyboard or the wheel waits for the next step.
constexpr int SettleMilliseconds = 400;

QSlider* PercentSlider(const char* name, QLabel*& value, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setObjectName(name);
  slider->setRange(0, 100);
  value = new QLabel("50%", parent);
  value->setMinimumWidth(value->fontMetrics().horizontalAdvance("100%"));
  return slider;
}

}  // namespace

ProjectOptionsPage::ProjectOptionsPage(UserQuestions& questions, QWidget* parent)
    : QWidget(parent), questions_(questions), settle_(new QTimer(this)) {
  setObjectName("ProjectOptionsPage");
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);

  mipmaps_ = new QCheckBox("Create just one mipmap", content);
  mipmaps_->setObjectName("opt_mipmaps");
  clientOptional_ = new QCheckBox("Package is optional to clients", content);
  clientOptional_->setObjectName("opt_clientoptional");
  highResolution_ = new QCheckBox("High-resolution textures for newer clients", content);
  highResolution_->setObjectName("opt_highresolution");
  highResolution_->setToolTip("Pictures larger than their section also get compressed levels of up to 2048 pixels, "
                              "which newer game clients show; older ones keep the 8-bit textures");
  layout->addWidget(mipmaps_);
  layout->addWidget(clientOptional_);
  layout->addWidget(highResolution_);

  auto* palettes = new QGroupBox("Palettes generation", content);
  palettes->setObjectName("opt_reducepalettes");
  auto* palettesLayout = new QVBoxLayout(palettes);
  reducePalettes_ = new QButtonGroup(this);
  const char* choices[] = {"One per texture (default)", "One per skin", "One for all the package"};
  for (int choice = 0; choice < 3; ++choice) {
    auto* button = new QRadioButton(choices[choice], palettes);
    reducePalettes_->addButton(button, choice);
    palettesLayout->addWidget(button);
  }
  highQuality_ = new QCheckBox("High quality", palettes);
  highQuality_->setObjectName("opt_palettequality");
  highQuality_->setToolTip("Palettes that keep more of the pictures' colours, at some cost in compile time");
  palettesLayout->addWidget(highQuality_);
  layout->addWidget(palettes);

  auto* postprocess = new QGroupBox("Texture postprocess", content);
  auto* postLayout = new QGridLayout(postprocess);
  brightness_ = PercentSlider("tbBrightNess", brightnessValue_, postprocess);
  saturation_ = PercentSlider("tbSaturation", saturationValue_, postprocess);
  postLayout->addWidget(new QLabel("Brightness:", postprocess), 0, 0);
  postLayout->addWidget(brightness_, 0, 1);
  postLayout->addWidget(brightnessValue_, 0, 2);
  postLayout->addWidget(new QLabel("Saturation:", postprocess), 1, 0);
  postLayout->addWidget(saturation_, 1, 1);
  postLayout->addWidget(saturationValue_, 1, 2);
  auto* update = new QPushButton("Update", postprocess);
  update->setObjectName("btn_update");
  postLayout->addWidget(update, 2, 1, 1, 2, Qt::AlignRight);
  layout->addWidget(postprocess);

  auto* umod = new QGroupBox("UMOD Options", content);
  auto* umodLayout = new QFormLayout(umod);
  productName_ = AddEdit("umod_productname", ProductName);
  url_ = AddEdit("umod_url", Url);
  developer_ = AddEdit("umod_developer", Developer);
  version_ = AddEdit("umod_version", Version);
  bitmap_ = AddEdit("umod_bitmap", BitmapFile);
  readme_ = AddEdit("umod_readme", ReadmeFile);
  umodLayout->addRow("Product Name:", productName_);
  umodLayout->addRow("URL:", url_);
  umodLayout->addRow("Developer:", developer_);
  umodLayout->addRow("Version:", version_);
  umodLayout->addRow("Bitmap (340x82):", FileEdit(bitmap_, "umod_bitmap_select", "Select bitmap",
                                                  "Bitmap files (*.bmp);;All files (*)"));
  umodLayout->addRow("Readme:", FileEdit(readme_, "umod_readme_select", "Select ReadMe",
                                         "Read me files (*.txt *.htm);;All files (*)"));
  serverSupport_ = new QCheckBox("Add Server support", umod);
  serverSupport_->setObjectName("umod_serversupport");
  umodLayout->addRow(serverSupport_);
  layout->addWidget(umod);

  reducedInt_ = new QCheckBox("Make a reduced INT file", content);
  reducedInt_->setObjectName("opt_reduced_int");
  layout->addWidget(reducedInt_);
  auto* note = new QLabel("(only objects with descriptions)", content);
  note->setIndent(20);
  layout->addWidget(note);
  notAllowDownload_ = new QCheckBox("Do not allow download from server", content);
  notAllowDownload_->setObjectName("opt_notallowdownload");
  notAllowDownload_->hide();
  layout->addWidget(notAllowDownload_);
  layout->addStretch();

  auto* scroll = new QScrollArea(this);
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);

  for (QCheckBox* box :
       {mipmaps_, clientOptional_, highResolution_, highQuality_, serverSupport_, reducedInt_, notAllowDownload_})
    connect(box, &QCheckBox::toggled, this, [this] { Edited(-1); });
  connect(reducePalettes_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) Edited(-1);
  });
  settle_->setSingleShot(true);
  settle_->setInterval(SettleMilliseconds);
  connect(settle_, &QTimer::timeout, this, [this] {
    if (!Settling()) emit Settled();
  });
  const std::pair<QSlider*, Field> sliders[] = {{brightness_, BrightnessSlider}, {saturation_, SaturationSlider}};
  for (const auto& slider : sliders) {
    connect(slider.first, &QSlider::valueChanged, this, [this, field = slider.second] {
      if (!showing_) settle_->start();
      Edited(field);
    });
    connect(slider.first, &QSlider::sliderReleased, this, [this] {
      settle_->stop();
      emit Settled();
    });
  }
  connect(update, &QPushButton::clicked, this, &ProjectOptionsPage::UpdateRequested);
  ShowOptions({});
}

QLineEdit* ProjectOptionsPage::AddEdit(const char* name, int field) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  connect(edit, &QLineEdit::textChanged, this, [this, field] { Edited(field); });
  return edit;
}

QWidget* ProjectOptionsPage::FileEdit(QLineEdit* edit, const char* buttonName, const QString& title,
                                      const QString& filter) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* browse = new QToolButton(row);
  browse->setObjectName(buttonName);
  browse->setText("...");
  browse->setAccessibleName(title);
  layout->addWidget(edit);
  layout->addWidget(browse);
  connect(browse, &QToolButton::clicked, this, [this, edit, title, filter] {
    const QString file = questions_.PickOpenFile(FileKind::UmodAttachment, title, edit->text(), filter);
    if (!file.isEmpty()) edit->setText(file);
  });
  return row;
}

void ProjectOptionsPage::ShowOptions(const project::ProjectOptions& options) {
  showing_ = true;
  mipmaps_->setChecked(options.OnlyFirstMipMap);
  clientOptional_->setChecked(options.ClientOptional);
  if (QAbstractButton* button = reducePalettes_->button(options.ReducePalettes)) button->setChecked(true);
  highQuality_->setChecked(options.PaletteQuality == 1);
  highResolution_->setChecked(options.HighResolution);
  brightness_->setValue(options.Brightness);
  saturation_->setValue(options.Saturation);
  // setText would move the cursor of the edit being typed in to its end.
  const auto show = [](QLineEdit* edit, const std::string& text) {
    if (edit->text() != ToQString(text)) edit->setText(ToQString(text));
  };
  show(productName_, options.UMODProductName);
  show(url_, options.UMODURL);
  show(developer_, options.UMODDeveloper);
  show(version_, options.UMODVersion);
  show(bitmap_, options.UMODBitmap);
  show(readme_, options.UMODReadMe);
  serverSupport_->setChecked(options.UMODServerSupport);
  reducedInt_->setChecked(options.ReducedINT);
  notAllowDownload_->setChecked(options.NotAllowDownload);
  brightnessValue_->setText(QString::number(options.Brightness) + "%");
  saturationValue_->setText(QString::number(options.Saturation) + "%");
  showing_ = false;
}

bool ProjectOptionsPage::Settling() const {
  return brightness_->isSliderDown() || saturation_->isSliderDown() || settle_->isActive();
}

project::ProjectOptions ProjectOptionsPage::Options() const {
  project::ProjectOptions options;
  options.OnlyFirstMipMap = mipmaps_->isChecked();
  options.ClientOptional = clientOptional_->isChecked();
  options.ReducePalettes = std::max(0, reducePalettes_->checkedId());
  options.PaletteQuality = highQuality_->isChecked() ? 1 : 0;
  options.HighResolution = highResolution_->isChecked();
  options.Brightness = brightness_->value();
  options.Saturation = saturation_->value();
  options.UMODProductName = ToDocumentText(productName_->text());
  options.UMODURL = ToDocumentText(url_->text());
  options.UMODDeveloper = ToDocumentText(developer_->text());
  options.UMODVersion = ToDocumentText(version_->text());
  options.UMODBitmap = ToDocumentText(bitmap_->text());
  options.UMODReadMe = ToDocumentText(readme_->text());
  options.UMODServerSupport = serverSupport_->isChecked();
  options.ReducedINT = reducedInt_->isChecked();
  options.NotAllowDownload = notAllowDownload_->isChecked();
  return options;
}

void ProjectOptionsPage::Edited(int field) {
  brightnessValue_->setText(QString::number(brightness_->value()) + "%");
  saturationValue_->setText(QString::number(saturation_->value()) + "%");
  if (!showing_) emit OptionsEdited(Options(), field);
}

}  // namespace app
