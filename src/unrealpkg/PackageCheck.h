#pragma once

#include <optional>
#include <string>
#include <vector>

namespace unrealpkg {

class TUTPackage;

struct ObjectFailure {
  int ExportIndex = -1;
  std::string ClassName;
  std::string ObjectPath;
  std::string Message;
};

// Reads every export of a package completely: tagged properties and their
// descriptions, and whatever the object's reader holds behind them (texture
// levels, mesh data, script, class defaults). Returns one entry per export that
// failed; the package stays usable.
std::vector<ObjectFailure> CheckPackage(TUTPackage& package);
// The same for one export.
std::optional<ObjectFailure> CheckExport(TUTPackage& package, int exportIndex);

}  // namespace unrealpkg
