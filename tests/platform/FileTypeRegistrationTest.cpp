#include <gtest/gtest.h>

#include "platform/FileTypeRegistration.h"
#include "support/TestFiles.h"

namespace {

using Values = std::vector<std::pair<std::string, std::optional<std::string>>>;

Values Read(const platform::Registry& registry, const std::vector<std::string>& keys) {
  Values values;
  for (const auto& key : keys) values.emplace_back(key, registry.ReadDefaultValue(key));
  return values;
}

}  // namespace

TEST(FileTypeRegistrationTest, RegistersBothTypesOnAnEmptyRegistryAndChangesNothingTheSecondTime) {
  testsupport::TempDir dir;
  platform::UserRegistry registry(dir / "registry.ini");
  platform::RegisterModelFileTypes(registry);
  EXPECT_EQ(Read(registry, {"\\.mrbe", "\\MRBEfile", "\\MRBEfile\\shell", "\\MRBEfile\\shell\\open",
                            "\\MRBEfile\\shell\\open\\command", "\\.mrbm", "\\MRBMfile"}),
            (Values{{"\\.mrbe", "MRBEfile"},
                    {"\\MRBEfile", "UTMarbelle Model Extension"},
                    {"\\MRBEfile\\shell", "open"},
                    {"\\MRBEfile\\shell\\open", "&Open"},
                    {"\\MRBEfile\\shell\\open\\command", "NOTEPAD.EXE \"%L\""},
                    {"\\.mrbm", "MRBMfile"},
                    {"\\MRBMfile", "UTMarbelle Model Data"}}));
  const auto before = testsupport::ReadFile(dir / "registry.ini");
  platform::RegisterModelFileTypes(registry);
  EXPECT_EQ(testsupport::ReadFile(dir / "registry.ini"), before);
}

TEST(FileTypeRegistrationTest, FillsInAnotherProgramsTypeWhereEmptyAndAlwaysSetsShell) {
  testsupport::TempDir dir;
  platform::UserRegistry registry(dir / "registry.ini");
  registry.WriteDefaultValue("\\.mrbe", "FooFile");
  registry.WriteDefaultValue("\\FooFile\\shell", "edit");
  registry.WriteDefaultValue("\\FooFile\\shell\\open\\command", "vi %1");
  registry.WriteDefaultValue("\\.mrbm", "BarData");
  registry.WriteDefaultValue("\\BarData", "Bar's data");
  platform::RegisterModelFileTypes(registry);
  EXPECT_EQ(Read(registry, {"\\.mrbe", "\\FooFile", "\\FooFile\\shell", "\\FooFile\\shell\\open",
                            "\\FooFile\\shell\\open\\command", "\\MRBEfile", "\\BarData", "\\MRBMfile"}),
            (Values{{"\\.mrbe", "FooFile"},
                    {"\\FooFile", "UTMarbelle Model Extension"},
                    {"\\FooFile\\shell", "open"},
                    {"\\FooFile\\shell\\open", "&Open"},
                    {"\\FooFile\\shell\\open\\command", "vi %1"},
                    {"\\MRBEfile", std::nullopt},
                    {"\\BarData", "Bar's data"},
                    {"\\MRBMfile", std::nullopt}}));
}
