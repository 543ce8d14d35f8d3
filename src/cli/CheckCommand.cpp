#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/TextEncoding.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

namespace cli {

int RunCheck(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {});
  args.ExpectPositionals(1, SIZE_MAX);
  bool anyFailed = false;
  for (const std::string& fileName : args.Positionals()) {
    try {
      unrealpkg::TUTPackage package(fileName);
      const auto failures = unrealpkg::CheckPackage(package);
      for (const auto& failure : failures)
        out << fileName << ": export " << failure.ExportIndex << ' '
            << (failure.ClassName.empty() ? "Class" : failure.ClassName) << ' '
            << platform::Windows1252ToUtf8(failure.ObjectPath) << ": "
            << platform::Windows1252ToUtf8(OneLine(failure.Message)) << '\n';
      out << fileName << ": " << package.ExportCount() << " objects read, " << failures.size() << " failed\n";
      anyFailed = anyFailed || !failures.empty();
    } catch (const std::exception& e) {
      out << fileName << ": cannot be read: " << platform::Windows1252ToUtf8(OneLine(e.what())) << '\n';
      anyFailed = true;
    }
  }
  return anyFailed ? 1 : 0;
}

}  // namespace cli
