#pragma once

#include <stdexcept>
#include <string>

#include "unrealpkg/TUTPackage.h"

namespace modelcompiler {

// Runs `read` over an object of `package`; a damaged object's error then names
// the file and what was being read ("the mesh Soldier").
template <class Read>
auto ReadingObject(const unrealpkg::TUTPackage& package, const std::string& what, Read read) {
  try {
    return read();
  } catch (const std::runtime_error& e) {
    throw std::runtime_error("Cannot read " + what + " of " + package.FileName().string() + ": " + e.what());
  }
}

}  // namespace modelcompiler
