#pragma once

#include <QString>
#include <functional>

namespace app {

class UserQuestions;

// Runs a command at a Qt boundary; an error is shown as the default error
// report (title "UT Marbelle"), with a prefix before its text, and goes no further.
void Guarded(UserQuestions& questions, const std::function<void()>& command, const QString& prefix = {});

}  // namespace app
