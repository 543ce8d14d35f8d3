#pragma once

#include "platform/Registry.h"

namespace platform {

// Makes the model definition (.mrbe) and compiled model data (.mrbm) file
// types known to the registry at every start. Values the user or another
// program registered stay as they are, except that the definition type's
// "shell" key always names "open"; keys that cannot be created are skipped.
void RegisterModelFileTypes(Registry& registry);

}  // namespace platform
