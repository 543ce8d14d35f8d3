#include <gtest/gtest.h>

#include <algorithm>

#include "support/TestHelpers.h"
#include "support/Mutations.h"
#include "support/TestFiles.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;

namespace {

// Opens the package and reads every export the damage may reach, the way the
// program would; only clean errors may come out.
void Exercise(const std::filesystem::path& path, const testsupport::ByteSpan& touched) {
  std::unique_ptr<TUTPackage> package;
  try {
    package = std::make_unique<TUTPackage>(path);
  } catch (const PackageError&) {
    return;
  }
  TUTPackageLock lock(*package);
  for (int i = 0; i < package->ExportCount(); ++i) {
    const auto* entry = package->GetExport(i);
    package->GetObjectPath(i + 1);
    package->ClassNameOf(entry->SuperRef);
    const std::size_t begin = static_cast<std::size_t>(std::max(entry->SerialOffset, 0));
    const std::size_t end = begin + static_cast<std::size_t>(std::max(entry->SerialSize, 0));
    if (end <= touched.begin || begin >= touched.end) continue;
    for (const ObjectReport& failure : CheckExport(*package, i).Failures)
      ASSERT_FALSE(testsupport::IsInternalError(failure.Message)) << path << ": " << failure.Message;
  }
}

}  // namespace

TEST(MutationReplayTest, DamagedCorpusPackagesFailCleanly) {
  const auto packages = testsupport::CorpusPackages();
  MARBELLE_NEEDS_CORPUS(!packages.empty());
  testsupport::TempDir dir;
  testsupport::Random random(20261209);
  const std::vector<std::size_t> headerFields = {12, 16, 20, 24, 28, 32};
  int replayed = 0;
  for (const auto& source : packages) {
    SCOPED_TRACE(source.string());
    const std::vector<std::uint8_t> original = testsupport::ReadFile(source);
    std::vector<testsupport::ByteSpan> objects;
    {
      TUTPackage pristine(source);
      for (int i = 0; i < pristine.ExportCount(); ++i) {
        const auto* entry = pristine.GetExport(i);
        if (entry->SerialSize > 0)
          objects.push_back({static_cast<std::size_t>(entry->SerialOffset),
                             static_cast<std::size_t>(entry->SerialOffset) + static_cast<std::size_t>(entry->SerialSize)});
      }
    }
    const auto mutant = dir / source.filename().string();
    // Damage that shifts or cuts the file makes every object worth reading again: fewer rounds for large files.
    const int usual = original.size() > 1'000'000 ? 60 : original.size() > 300'000 ? 120 : 300;
    for (int n = testsupport::MutationsPerFile(usual); n > 0; --n, ++replayed) {
      std::vector<std::uint8_t> bytes = original;
      const testsupport::ByteSpan touched = testsupport::Mutate(bytes, random, objects, headerFields);
      testsupport::WriteFile(mutant, bytes);
      Exercise(mutant, touched);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GE(replayed, 3000);
}
