#include "app/TextureDialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/QtText.h"
#include "raster/PictureFile.h"

namespace app {

namespace {

// Captions split at these, so the face field drops them as they are typed.
bool IsDroppedFaceCharacter(const QString& text) {
  return text.size() == 1 && QString("<>()").contains(text[0]);
}

}  // namespace

QString PictureFilter() { return QString::fromStdString(raster::PictureFileFilter()) + ";;All files (*)"; }

TextureDialog::TextureDialog(UserQuestions& questions, QString folder, QWidget* parent)
    : QDialog(parent), questions_(questions), folder_(std::move(folder)) {
  setObjectName("frm_newtexture");
  bitmap_ = new QLineEdit(this);
  bitmap_->setObjectName("bitmap");
  bitmapSelect_ = new QToolButton(this);
  bitmapSelect_->setObjectName("bitmap_select");
  bitmapSelect_->setText("...");
  team_ = new QComboBox(this);
  team_->setObjectName("insert_team");
  face_ = new QComboBox(this);
  face_->setObjectName("insert_face");
  face_->setEditable(true);
  face_->setInsertPolicy(QComboBox::NoInsert);
  // A case-blind completer makes the list put its own spelling back when editing ends,
  // and a face spelt anew in another case must stay as typed.
  face_->completer()->setCaseSensitivity(Qt::CaseSensitive);
  face_->lineEdit()->installEventFilter(this);
  connect(bitmapSelect_, &QToolButton::clicked, this, &TextureDialog::PickFile);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Texture Bitmap:", this), 0, 0);
  grid->addWidget(bitmap_, 0, 1);
  grid->addWidget(bitmapSelect_, 0, 2);
  grid->addWidget(new QLabel("Team:", this), 1, 0);
  grid->addWidget(team_, 1, 1, 1, 2);
  grid->addWidget(new QLabel("Face Name:", this), 2, 0);
  grid->addWidget(face_, 2, 1, 1, 2);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &TextureDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TextureDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(376, 125)));
}

void TextureDialog::Prepare(const QString& caption, const TextureDialogSetup& setup, DialogCheck<TextureValues> check) {
  check_ = std::move(check);
  setWindowTitle(caption);
  bitmap_->setText(setup.FileName);
  bitmap_->setEnabled(setup.Adding);
  bitmapSelect_->setEnabled(setup.Adding);
  team_->clear();
  team_->addItems(setup.Teams);
  team_->setCurrentIndex(team_->findText(setup.Team));
  team_->setEnabled(setup.TeamEnabled);
  face_->clear();
  face_->addItems(setup.Faces);
  face_->setEditText(setup.Face);
  face_->setEnabled(setup.FaceEnabled);
}

TextureValues TextureDialog::Values() const { return {bitmap_->text(), team_->currentText(), face_->currentText()}; }

void TextureDialog::accept() {
  const TextureValues values = Values();
  if (values.FileName.isEmpty()) {
    questions_.Message(MessageIcon::Error, "ERROR", "Please select a texture file.");
    return;
  }
  if (values.Face.startsWith("t_", Qt::CaseInsensitive)) {
    questions_.Message(MessageIcon::Error, "ERROR", "Faces cannot start with \"T_\".");
    return;
  }
  if (check_) {
    try {
      check_(values);
    } catch (const std::exception& e) {
      // A refusal, or a picture that cannot be read: the dialog stays open to mend it.
      questions_.Message(MessageIcon::Error, "ERROR", ToQString(e.what()));
      return;
    }
  }
  QDialog::accept();
}

bool TextureDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == face_->lineEdit() && event->type() == QEvent::KeyPress &&
      IsDroppedFaceCharacter(static_cast<QKeyEvent*>(event)->text()))
    return true;
  return QDialog::eventFilter(watched, event);
}

void TextureDialog::PickFile() {
  const QString file = questions_.PickOpenFile(FileKind::Texture, "Open", folder_, PictureFilter());
  if (!file.isEmpty()) bitmap_->setText(file);
}

}  // namespace app
