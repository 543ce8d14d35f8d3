#pragma once

#include <stdexcept>

namespace modelcompiler {

// A result the user should know of rather than a failure ("the package has no
// models"); the window shows it as a note instead of an error.
class ModelNotice : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

}  // namespace modelcompiler
