#include "app/ErrorReport.h"

#include <exception>

#include "app/QtText.h"
#include "app/UserQuestions.h"

namespace app {

void Guarded(UserQuestions& questions, const std::function<void()>& command, const QString& prefix) {
  try {
    command();
  } catch (const std::exception& e) {
    questions.Message(MessageIcon::Error, "UT Marbelle", prefix + ToQString(e.what()));
  }
}

}  // namespace app
