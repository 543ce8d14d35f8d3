#include "app/ModelCompilerStep.h"

#include <QApplication>
#include <QWidget>

#include "app/QtText.h"
#include "modelcompiler/ModelNotice.h"

namespace app {

namespace {

class Busy {
public:
  explicit Busy(QWidget& page) : page_(page) {
    page_.setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~Busy() {
    QApplication::restoreOverrideCursor();
    page_.setEnabled(true);
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

private:
  QWidget& page_;
};

}  // namespace

bool RunModelCompilerStep(QWidget& page, UserQuestions& questions, const std::function<void()>& step) {
  bool note = false;
  QString failure;
  {
    // The message comes after the page is back, with the normal cursor.
    const Busy busy(page);
    try {
      step();
      return true;
    } catch (const modelcompiler::ModelNotice& notice) {
      note = true;
      failure = ToQString(notice.what());
    } catch (const std::exception& e) {
      failure = ToQString(e.what());
    }
  }
  if (note)
    questions.Message(MessageIcon::Information, "NOTE", failure);
  else
    questions.Message(MessageIcon::Error, "ERROR", failure);
  return false;
}

modelcompiler::OutputQuestions CompileQuestions(UserQuestions& questions,
                                                const std::function<void(const QString&)>& status) {
  // Asked in the middle of the step, with the normal cursor.
  const auto ask = [&questions](const QString& text) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool yes = questions.AskYesNo(MessageIcon::Warning, "Warning", text);
    QApplication::restoreOverrideCursor();
    return yes;
  };
  modelcompiler::OutputQuestions asked;
  asked.Overwrite = [ask](const std::filesystem::path&) { return ask("The MRBE file already exists, overwrite?"); };
  asked.WriteDespite = [ask](const std::string& problem) {
    return ask(ToQString(problem) + "\n\nCompile the model anyway?");
  };
  asked.Status = [status](const std::string& text) { status(ToQString(text)); };
  return asked;
}

}  // namespace app
