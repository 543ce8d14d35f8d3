#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/TModelo.h"

namespace model {

struct CatalogueProblem {
  std::filesystem::path File;
  std::string Message;
};

// Every model definition found, in scan order; prefixes are unique.
struct ModelCatalogue {
  std::vector<std::shared_ptr<const TModelo>> Entries;
  // Definition files that could not be read; the scan went on past them.
  std::vector<CatalogueProblem> Problems;

  // The entry with exactly this prefix, or none.
  std::shared_ptr<const TModelo> FindByPrefix(std::string_view prefix) const;
  // The last entry whose prefix equals this one ignoring letter case, as projects look models up.
  std::shared_ptr<const TModelo> FindByPrefixIgnoringCase(std::string_view prefix) const;
};

// Definition files in scan order: the settings file, the program home's
// ".mrbe" files, then CustomModels/ depth first. Entries of a folder are taken
// sorted by name, ignoring letter case, as Windows lists them.
std::vector<std::filesystem::path> DefinitionFiles(const std::filesystem::path& home);

// Reads every definition file into a catalogue. A file without a model section,
// or whose prefix is already taken, is passed over; one that cannot be read is
// noted in Problems and the scan goes on with the next file.
ModelCatalogue ScanModelCatalogue(const std::filesystem::path& home);

// After a rescan the current model becomes a copy of the entry with its prefix;
// without one it keeps its data.
void RefreshCurrentModel(TModelo& current, const ModelCatalogue& catalogue);

}  // namespace model
