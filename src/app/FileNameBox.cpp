#include "app/FileNameBox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "app/UserQuestions.h"

namespace app {

FileNameBox::FileNameBox(UserQuestions& questions, FileKind kind, const char* name, QString title, QWidget* parent)
    : QWidget(parent), questions_(questions), kind_(kind), title_(std::move(title)) {
  setObjectName(QString(name) + "_box");
  edit_ = new QLineEdit(this);
  edit_->setObjectName(name);
  edit_->setAccessibleName(title_);
  auto* browse = new QToolButton(this);
  browse->setObjectName(QString(name) + "_browse");
  browse->setText("...");
  browse->setAccessibleName(title_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_, 1);
  layout->addWidget(browse);
  connect(browse, &QToolButton::clicked, this, [this] {
    emit AboutToBrowse();
    // The dialog starts in the chosen file's folder once there is one.
    const QString start = edit_->text().isEmpty() ? folder_ : QFileInfo(edit_->text()).absolutePath();
    const QString file = questions_.PickOpenFile(kind_, title_, start, filter_);
    if (file.isEmpty()) return;
    edit_->setText(file);
    emit Chosen(file);
  });
  connect(edit_, &QLineEdit::returnPressed, this, [this] {
    if (!edit_->text().isEmpty()) emit Chosen(edit_->text());
  });
}

QString FileNameBox::FileName() const { return edit_->text(); }

}  // namespace app
