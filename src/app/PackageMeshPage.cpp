#include "app/PackageMeshPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/FileNameBox.h"
#include "app/MeshView.h"
#include "app/ModelCompilerStep.h"
#include "app/QtText.h"
#include "modelcompiler/CompilerGames.h"
#include "modelcompiler/ModelCompilation.h"
#include "platform/WineRegistry.h"
#include "preview/CompilerView.h"

namespace app {

namespace {

using modelcompiler::FrameChoice;

constexpr int MaxFrameNumber = 9999;

// A frame number with its "(max. N)" beside it.
QHBoxLayout* FrameRow(QSpinBox*& box, QLabel*& maximum, const char* boxName, const char* labelName, QWidget* parent) {
  box = new QSpinBox(parent);
  box->setObjectName(boxName);
  box->setRange(0, MaxFrameNumber);
  maximum = new QLabel("(max. 0)", parent);
  maximum->setObjectName(labelName);
  auto* row = new QHBoxLayout;
  row->addWidget(box);
  row->addWidget(maximum, 1);
  return row;
}

void SetMaximum(QSpinBox* box, QLabel* label, int maximum) {
  box->setRange(0, std::clamp(maximum, 0, MaxFrameNumber));
  box->setValue(0);
  label->setText(QString("(max. %1)").arg(maximum));
}

}  // namespace

PackageMeshPage::PackageMeshPage(std::filesystem::path home, std::filesystem::path settingsFile,
                                 UserQuestions& questions, model3d::TObjeto3D& model, QWidget* parent)
    : QWidget(parent), home_(std::move(home)), settingsFile_(std::move(settingsFile)), questions_(questions),
      compiled_(model) {
  setObjectName("tabUTMesh");
  game_ = new QComboBox(this);
  game_->setObjectName("game");
  game_->setAccessibleName("Game");
  for (const modelcompiler::CompilerGame& game : modelcompiler::CompilerGames) game_->addItem(game.Caption);
  game_->setEnabled(false);
  useInt_ = new QCheckBox("Use INT files", this);
  useInt_->setObjectName("cbUseINT");
  useInt_->setChecked(true);
  file_ = new FileNameBox(questions_, FileKind::GamePackage, "utpackage", "Select package file", this);
  auto* top = new QFormLayout;
  auto* gameRow = new QHBoxLayout;
  gameRow->addWidget(game_, 1);
  gameRow->addWidget(useInt_);
  top->addRow("Game:", gameRow);
  top->addRow("File:", file_);

  packagePanel_ = new QWidget(this);
  packagePanel_->setObjectName("Panel_package");
  meshList_ = new QTreeWidget(packagePanel_);
  meshList_->setObjectName("mesh_list");
  meshList_->setHeaderLabels({"LodMesh"});
  meshList_->setRootIsDecorated(false);
  meshList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  meshList_->header()->setSectionsClickable(false);
  meshList_->setFixedWidth(190);

  modelPanel_ = new QWidget(packagePanel_);
  modelPanel_->setObjectName("Panel_modelo");
  description_ = new QLineEdit(modelPanel_);
  description_->setObjectName("edMenuname");
  information_ = new QListWidget(modelPanel_);
  information_->setObjectName("information_lm");
  information_->setAccessibleName("Information");
  // Read-only, yet scrollable: the lines on how the skins are named run long.
  information_->setSelectionMode(QAbstractItemView::NoSelection);
  information_->setFocusPolicy(Qt::NoFocus);
  information_->setWordWrap(true);
  information_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mirrorX_ = new QCheckBox("Mirror X", modelPanel_);
  mirrorX_->setObjectName("cbMirrorX");
  animated_ = new QCheckBox("Animated (all frames)", modelPanel_);
  animated_->setObjectName("cbAnimated");
  animated_->setChecked(true);
  animated_->hide();

  auto* framePanel = new QWidget(modelPanel_);
  framePanel->setObjectName("Panel_mrbm");
  absolute_ = new QCheckBox("Use Absolute Frame number", framePanel);
  absolute_->setObjectName("cbUseAbsoluteFrame");
  relativePanel_ = new QWidget(framePanel);
  relativePanel_->setObjectName("Panel_frame_rel");
  sequences_ = new QComboBox(relativePanel_);
  sequences_->setObjectName("animseq_lm");
  auto* relative = new QFormLayout(relativePanel_);
  relative->setContentsMargins(0, 0, 0, 0);
  relative->addRow("Animation Sequence:", sequences_);
  relative->addRow("Frame number:", FrameRow(frame_, maxFrame_, "frame_lm", "label_maxframe_lm", relativePanel_));
  absolutePanel_ = new QWidget(framePanel);
  absolutePanel_->setObjectName("Panel_frame_abs");
  auto* absoluteLayout = new QFormLayout(absolutePanel_);
  absoluteLayout->setContentsMargins(0, 0, 0, 0);
  absoluteLayout->addRow("Absolute Frame number:", FrameRow(absoluteFrame_, maxAbsoluteFrame_, "frame_lm_abs",
                                                            "label_maxframe_lm_abs", absolutePanel_));
  absolutePanel_->setEnabled(false);
  auto* frameLayout = new QVBoxLayout(framePanel);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  frameLayout->addWidget(absolute_);
  frameLayout->addWidget(relativePanel_);
  frameLayout->addWidget(absolutePanel_);

  compile_ = new QPushButton("Compile...", modelPanel_);
  compile_->setObjectName("btn_compile_lm");
  auto* fields = new QFormLayout;
  fields->addRow("Description:", description_);
  auto* modelColumn = new QVBoxLayout;
  modelColumn->setContentsMargins(0, 0, 0, 0);
  modelColumn->addLayout(fields);
  modelColumn->addWidget(information_, 1);
  modelColumn->addWidget(mirrorX_);
  modelColumn->addWidget(animated_);
  modelColumn->addWidget(framePanel);
  modelColumn->addWidget(compile_, 0, Qt::AlignRight);
  view_ = new MeshView(questions_, modelPanel_);
  auto* modelLayout = new QHBoxLayout(modelPanel_);
  modelLayout->setContentsMargins(0, 0, 0, 0);
  modelLayout->addLayout(modelColumn, 1);
  modelLayout->addWidget(view_);

  auto* packageLayout = new QHBoxLayout(packagePanel_);
  packageLayout->setContentsMargins(0, 0, 0, 0);
  packageLayout->addWidget(meshList_);
  packageLayout->addWidget(modelPanel_, 1);
  packagePanel_->hide();
  modelPanel_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(packagePanel_, 1);

  connect(game_, &QComboBox::currentIndexChanged, this, &PackageMeshPage::GameChanged);
  connect(file_, &FileNameBox::AboutToBrowse, this, [this] {
    file_->SetFilter(useInt_->isChecked() ? "UT Package Definitions (*.int);;All files (*)"
                                          : "UT Compiled Packages (*.u);;All files (*)");
  });
  connect(file_, &FileNameBox::Chosen, this, &PackageMeshPage::ChooseFile);
  connect(meshList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) ReadSelectedModel();
  });
  connect(sequences_, &QComboBox::currentIndexChanged, this, [this] {
    if (model_) SequenceChanged();
  });
  connect(absolute_, &QCheckBox::toggled, this, [this](bool checked) {
    absolutePanel_->setEnabled(checked);
    relativePanel_->setEnabled(!checked);
    ShowChosenFrame();
  });
  for (QSpinBox* box : {frame_, absoluteFrame_})
    connect(box, &QSpinBox::valueChanged, this, &PackageMeshPage::ShowChosenFrame);
  connect(mirrorX_, &QCheckBox::toggled, this, [this] {
    if (model_) RunModelCompilerStep(*this, questions_, [this] { ShowDraft(); });
  });
  connect(compile_, &QPushButton::clicked, this, &PackageMeshPage::Compile);
  GameChanged(0);
}

PackageMeshPage::~PackageMeshPage() = default;

void PackageMeshPage::GameChanged(int game) {
  const modelcompiler::CompilerGame& chosen = modelcompiler::CompilerGames[static_cast<std::size_t>(game)];
  useInt_->setChecked(chosen.UseInt);
  RunModelCompilerStep(*this, questions_, [&] {
    const std::string folder = modelcompiler::GamePackageFolder(chosen, settingsFile_);
    // The game's System folder in whatever letter case it has.
    const std::filesystem::path local = platform::WindowsPathToLocal(folder, platform::WinePrefix());
    file_->SetFolder(PathToQString(platform::GameFolder(local.parent_path(), local.filename().string())));
  });
}

void PackageMeshPage::ChooseFile(const QString& file) {
  emit StatusChanged("Reading UT package, searching for models");
  packagePanel_->hide();
  modelPanel_->hide();
  model_.reset();
  view_->Clear();
  meshList_->clear();
  list_ = {};
  const bool listed = RunModelCompilerStep(*this, questions_, [&] {
    list_ = modelcompiler::ListPackageModels(package_, QStringToPath(file), useInt_->isChecked());
  });
  if (!listed) {
    emit StatusChanged({});
    return;
  }
  emit StatusChanged("Select the model");
  packagePanel_->show();
  // The library lists the entries in caption order.
  for (std::size_t i = 0; i < list_.Entries.size(); ++i) {
    auto* item = new QTreeWidgetItem(meshList_, {ToQString(list_.Entries[i].Caption)});
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
  }
  meshList_->setCurrentItem(meshList_->topLevelItem(0));
}

void PackageMeshPage::ReadSelectedModel() {
  modelPanel_->hide();
  model_.reset();
  view_->Clear();
  const auto index = static_cast<std::size_t>(meshList_->currentItem()->data(0, Qt::UserRole).toULongLong());
  const bool read = RunModelCompilerStep(*this, questions_, [&] {
    model_ = modelcompiler::ReadPackageModel(package_, list_.Entries[index]);
  });
  if (!read) return;
  description_->setText(ToQString(model_->Description));
  information_->clear();
  for (const std::string& line : model_->Information) information_->addItem(ToQString(line));
  // Values that fell back to their defaults are worth knowing before compiling.
  for (const std::string& note : model_->Notes) {
    auto* item = new QListWidgetItem(ToQString("Note: " + note), information_);
    item->setToolTip(ToQString(note));
  }
  animated_->setChecked(modelcompiler::InitialFrameChoice(*model_).Animated);

  const QSignalBlocker blocker(sequences_);
  sequences_->clear();
  for (const std::size_t s : modelcompiler::SequencesByName(model_->Mesh))
    sequences_->addItem(ToQString(model_->Mesh.Sequences[s].Name), static_cast<qulonglong>(s));
  sequences_->setCurrentIndex(sequences_->findData(static_cast<qulonglong>(model_->RestSequence)));
  SetMaximum(absoluteFrame_, maxAbsoluteFrame_, model_->Mesh.FrameCount - 1);
  SequenceChanged();
  // A mesh the view cannot show fails the same way when compiled, which says so again.
  RunModelCompilerStep(*this, questions_, [this] { ShowDraft(); });
  emit StatusChanged("Select the frame and press the \"Compile\" button.");
  modelPanel_->show();
}

void PackageMeshPage::SequenceChanged() {
  const auto s = static_cast<std::size_t>(sequences_->currentData().toULongLong());
  const modelcompiler::TLMAnimSeq& sequence = model_->Mesh.Sequences[s];
  {
    const QSignalBlocker blocker(frame_);
    SetMaximum(frame_, maxFrame_, sequence.NumFrames - 1);
  }
  view_->SetSequence(preview::SequenceAnimation(sequence));
  ShowChosenFrame();
}

void PackageMeshPage::ShowDraft() {
  const modelcompiler::PackageModelDraft draft =
      modelcompiler::DraftPackageModel(*model_, mirrorX_->isChecked(), home_);
  view_->Show(draft.Model, *draft.Definition);
  ShowChosenFrame();
}

void PackageMeshPage::ShowChosenFrame() {
  if (!model_) return;
  try {
    view_->SetFrame(modelcompiler::ChosenFrame(model_->Mesh, Choice()));
  } catch (const std::runtime_error&) {
    // A frame past the mesh's end (a sequence that says more than the mesh
    // holds) is refused when compiling; the view keeps the last it showed.
  }
}

FrameChoice PackageMeshPage::Choice() const {
  FrameChoice choice;
  choice.Animated = animated_->isChecked();
  choice.MirrorX = mirrorX_->isChecked();
  choice.UseAbsoluteFrame = absolute_->isChecked();
  choice.AbsoluteFrame = absoluteFrame_->value();
  choice.Sequence = static_cast<std::size_t>(sequences_->currentData().toULongLong());
  choice.Frame = frame_->value();
  return choice;
}

void PackageMeshPage::Compile() {
  if (!model_) return;
  emit StatusChanged("Compiling");
  model_->Description = ToDocumentText(description_->text());
  const modelcompiler::OutputQuestions questions =
      CompileQuestions(questions_, [this](const QString& status) { emit StatusChanged(status); });
  bool abandoned = false;
  const bool compiled = RunModelCompilerStep(*this, questions_, [&] {
    abandoned = modelcompiler::CompilePackageModelFiles(*model_, Choice(), home_, questions, compiled_).Files.Abandoned;
  });
  if (!compiled || abandoned) {
    emit StatusChanged("Select the frame and press the \"Compile\" button.");
    return;
  }
  emit StatusChanged("Reloading models...");
  emit ModelsCompiled();
  emit StatusChanged("End of compilation, press the \"Finish\" button to leave.");
  questions_.Message(MessageIcon::Information, "Compilation", "Model compilation finished!");
}

}  // namespace app
