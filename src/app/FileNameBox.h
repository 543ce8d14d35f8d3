#pragma once

#include <QString>
#include <QWidget>

#include "app/UserQuestions.h"

class QLineEdit;

namespace app {

// A file name with a browse button: the button asks for a file where the box
// says, typing a name and pressing Enter chooses it too.
class FileNameBox final : public QWidget {
  Q_OBJECT
public:
  // `name` is the box's object name, `title` the file dialog's.
  FileNameBox(UserQuestions& questions, FileKind kind, const char* name, QString title, QWidget* parent = nullptr);

  void SetFolder(const QString& folder) { folder_ = folder; }
  void SetFilter(const QString& filter) { filter_ = filter; }
  QString FileName() const;

signals:
  // Before the file dialog opens, so its folder and filter can still change.
  void AboutToBrowse();
  void Chosen(const QString& file);

private:
  UserQuestions& questions_;
  FileKind kind_;
  QString title_;
  QString folder_;
  QString filter_;
  QLineEdit* edit_;
};

}  // namespace app
