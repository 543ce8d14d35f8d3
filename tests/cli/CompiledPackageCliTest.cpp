#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "support/TestHelpers.h"
#include "support/DeclaredSizeReader.h"
#include "support/TestFiles.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// Reads the package back as other tools do, trusting each tag's declared size,
// and as the package check does.
void ExpectReadableByOtherTools(const std::filesystem::path& file) {
  unrealpkg::TUTPackage package(file);
  EXPECT_THAT(testsupport::DeclaredSizeDisagreements(package), testing::IsEmpty());
  const unrealpkg::PackageCheckResult check = unrealpkg::CheckPackage(package);
  EXPECT_TRUE(check.Failures.empty());
  EXPECT_TRUE(check.Notes.empty());
}

}  // namespace

TEST(CompiledPackageCliTest, TheSampleProjectReadsBackByDeclaredSizes) {
  // The sample content the build wrote beside the program, copied so the test writes nothing there.
  const std::filesystem::path sample = std::filesystem::path(MARBELLE_CLI).parent_path();
  testsupport::TempDir home;
  for (const char* item : {"Mannequin.u", "Mannequin.int", "MannequinSkinsSample.mrb", "CustomModels", "Samples"})
    std::filesystem::copy(sample / item, home / item, std::filesystem::copy_options::recursive);
  const Outcome compiled = Marbelle({"compile", Path(home / "MannequinSkinsSample.mrb"), "--home", Path(home.Path())});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  ExpectReadableByOtherTools(home / "MannequinSkinsSample.utx");
}
