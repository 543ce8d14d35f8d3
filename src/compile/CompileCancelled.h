#pragma once

#include <stdexcept>
#include <stop_token>

namespace compile {

// A compilation stopped on request; nothing it would have written is left.
class CompileCancelled : public std::runtime_error {
public:
  CompileCancelled() : std::runtime_error("The compilation was cancelled.") {}
};

inline void ThrowIfStopped(const std::stop_token& stop) {
  if (stop.stop_requested()) throw CompileCancelled();
}

}  // namespace compile
