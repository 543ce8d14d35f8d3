#include "app/SkinDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/QtText.h"
#include "model/TextureNames.h"

namespace app {

SkinDialog::SkinDialog(UserQuestions& questions, const SkinValues& initial, DialogCheck<SkinValues> check,
                       QWidget* parent)
    : QDialog(parent), questions_(questions), check_(std::move(check)), wholeName_(initial.WholeName) {
  setObjectName("frm_newgroup");
  setWindowTitle("New Skin");
  description_ = new QLineEdit(initial.Description, this);
  description_->setObjectName("groupdescription");
  code_ = new QLineEdit(this);
  code_->setObjectName("groupcode");
  if (wholeName_) {
    // The characters the game's object names allow.
    code_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("[A-Za-z0-9_-]{0,%1}").arg(model::MaxSkinName)), code_));
    code_->setPlaceholderText("from the description");
  } else {
    // Four letters of either case, blanks shown as "_".
    code_->setInputMask("aaaa;_");
  }
  code_->setText(initial.Code);
  // Typing starts after the letters there are, not at the mask's end.
  code_->setCursorPosition(static_cast<int>(initial.Code.size()));
  auto* form = new QFormLayout;
  form->addRow("Skin Description:", description_);
  form->addRow(wholeName_ ? "Skin name:" : "Skin 4 letter code:", code_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &SkinDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SkinDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(301, 104)));
}

SkinValues SkinDialog::Values() const {
  // The mask shows blanks as "_", which a whole name may hold.
  const QString code = wholeName_ ? code_->text() : code_->text().remove('_');
  return {description_->text(), code.trimmed(), wholeName_};
}

void SkinDialog::accept() {
  if (check_) {
    try {
      check_(Values());
    } catch (const std::exception& e) {
      // A refusal, or a picture that cannot be read: the dialog stays open to mend it.
      questions_.Message(MessageIcon::Error, "ERROR", ToQString(e.what()));
      return;
    }
  }
  QDialog::accept();
}

}  // namespace app
