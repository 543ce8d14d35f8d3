#pragma once

#include <string>
#include <vector>

#include "model/TCameraPreset.h"
#include "preview/Navigation.h"

namespace model {
class TModelo;
}

namespace preview {

// The camera a preset places, and a preset of the camera as it is.
CameraPose PoseOf(const model::TCameraPreset& preset);
model::TCameraPreset PresetOf(const std::string& name, const CameraPose& pose);

// What "New..." proposes: "Preset#" and the number the new preset would have.
std::string ProposedPresetName(std::size_t presetCount);
// "Remove" is offered only while more than one preset is left.
bool CanRemovePreset(std::size_t presetCount);

// "Save this presets": writes Preset1, Preset2... into the definition's file
// and section (DefinitionId), atomically, two decimals each, and empties the
// keys of older presets past the new count, which ends the list there. Returns
// the presets as the file now reads.
std::vector<model::TCameraPreset> SavePresets(const model::TModelo& definition,
                                              const std::vector<model::TCameraPreset>& presets);

}  // namespace preview
