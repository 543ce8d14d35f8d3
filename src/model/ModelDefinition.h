#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "model/TModelo.h"

namespace platform {
class IniFile;
}

namespace model {

// A definition file that cannot be read as one; the message names the file.
class DefinitionError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The model section of a definition: the first section whose name begins with
// "model" in any letter case.
std::optional<std::string> FindModelSection(const platform::IniFile& definition);

// The camera presets of a model section: Preset1, Preset2... up to the first
// missing or empty one; one preset "Front" when there is none.
std::vector<TCameraPreset> ReadCameraPresets(const platform::IniFile& definition, const std::string& modelSection);

// Reads the model of a definition file (both section formats).
std::shared_ptr<TModelo> ReadModelDefinition(const platform::IniFile& definition, const std::filesystem::path& file,
                                             const std::string& modelSection);

}  // namespace model
