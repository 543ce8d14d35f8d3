#include "model/TCameraPreset.h"

#include <stdexcept>
#include <vector>

#include "model/System2.h"

namespace model {

TCameraPreset ParseCameraPreset(std::string_view text) {
  std::vector<std::string> pieces;
  SplitToList(text, ";", pieces);
  if (pieces.size() < 7)
    throw std::runtime_error("the preset \"" + std::string(text) + "\" has " + std::to_string(pieces.size()) +
                             " of its 7 values (name;camera X;Y;Z;target X;Y;Z)");
  auto number = [&](std::size_t i) { return static_cast<float>(DecimalOrDefault(pieces[i], 0.0)); };
  return {pieces[0], number(1), number(2), number(3), number(4), number(5), number(6)};
}

}  // namespace model
