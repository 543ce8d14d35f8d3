#pragma once

#include <string>
#include <vector>

namespace unrealpkg {

class TUTPackage;

// One export and what reading it found.
struct ObjectReport {
  int ExportIndex = -1;
  std::string ClassName;
  std::string ObjectPath;
  std::string Message;
};

struct PackageCheckResult {
  std::vector<ObjectReport> Failures;
  // Objects that read but differ from what the game or other tools expect:
  // data a server installation stripped, tags that declare another size than
  // their value takes.
  std::vector<ObjectReport> Notes;
};

// Reads every export of a package completely: tagged properties and their
// descriptions, and whatever the object's reader holds behind them (texture
// levels, mesh data, script, class defaults). The package stays usable.
PackageCheckResult CheckPackage(TUTPackage& package);
// The same for one export.
PackageCheckResult CheckExport(TUTPackage& package, int exportIndex);

}  // namespace unrealpkg
