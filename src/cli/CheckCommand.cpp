#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/TextEncoding.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

namespace cli {

namespace {

void PrintReport(const std::string& fileName, const unrealpkg::ObjectReport& report, const char* kind,
                 std::ostream& out) {
  out << fileName << ": export " << report.ExportIndex << ' ' << (report.ClassName.empty() ? "Class" : report.ClassName)
      << ' ' << platform::Windows1252ToUtf8(report.ObjectPath) << ": " << kind
      << platform::Windows1252ToUtf8(OneLine(report.Message)) << '\n';
}

}  // namespace

int RunCheck(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {});
  args.ExpectPositionals(1, SIZE_MAX);
  bool anyFailed = false;
  for (const std::string& fileName : args.Positionals()) {
    try {
      unrealpkg::TUTPackage package(fileName);
      const unrealpkg::PackageCheckResult result = unrealpkg::CheckPackage(package);
      for (const auto& failure : result.Failures) PrintReport(fileName, failure, "", out);
      for (const auto& note : result.Notes) PrintReport(fileName, note, "note: ", out);
      out << fileName << ": " << package.ExportCount() << " objects read, " << result.Failures.size() << " failed";
      if (!result.Notes.empty()) out << ", " << result.Notes.size() << (result.Notes.size() == 1 ? " note" : " notes");
      out << '\n';
      anyFailed = anyFailed || !result.Failures.empty();
    } catch (const std::exception& e) {
      out << fileName << ": cannot be read: " << platform::Windows1252ToUtf8(OneLine(e.what())) << '\n';
      anyFailed = true;
    }
  }
  return anyFailed ? 1 : 0;
}

}  // namespace cli
