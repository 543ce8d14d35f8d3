#pragma once

#include <QString>
#include <functional>

#include "app/UserQuestions.h"
#include "modelcompiler/ModelOutput.h"

class QWidget;

namespace app {

// Runs a step of a model compiler page as the page shows work: disabled,
// with the hourglass, until the step ends. A note the step raises is shown
// as "NOTE", a failure as "ERROR"; returns whether it ran through.
bool RunModelCompilerStep(QWidget& page, UserQuestions& questions, const std::function<void()>& step);

// What compiling a model asks the user, and where its status goes: the
// overwrite question and a problem of the model, each a warning with Yes and No.
modelcompiler::OutputQuestions CompileQuestions(UserQuestions& questions,
                                                const std::function<void(const QString&)>& status);

}  // namespace app
