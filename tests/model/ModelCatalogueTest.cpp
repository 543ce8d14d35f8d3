#include <gtest/gtest.h>

#include "model/ModelCatalogue.h"
#include "model/PackageSearch.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using namespace model;

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  testsupport::WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string Definition(const std::string& prefix, const std::string& name) {
  return "[Model]\nName=" + name + "\nPrefix=" + prefix + "\nSection1=Body\n";
}

std::vector<std::string> Names(const ModelCatalogue& catalogue) {
  std::vector<std::string> names;
  for (const auto& entry : catalogue.Entries) names.push_back(entry->Name);
  return names;
}

}  // namespace

TEST(ModelCatalogueTest, ScanOrderAndDuplicatePrefixes) {
  testsupport::TempDir home;
  WriteText(platform::SettingsFilePath(home.Path()), "[Configuration]\nLoadAnimations=1\n" + Definition("Boss", "Settings Boss"));
  WriteText(home / "b.MRBE", Definition("Male", "Male from home"));
  WriteText(home / "a.mrbe", Definition("Female", "Female"));
  WriteText(home / "notes.txt", Definition("Text", "Not a definition"));
  WriteText(home / "CustomModels" / "z.mrbe", Definition("Zed", "Zed"));
  WriteText(home / "CustomModels" / "M" / "inner.mrbe", Definition("Inner", "Inner"));
  WriteText(home / "CustomModels" / "M" / "Deeper" / "deep.mrbe", Definition("Deep", "Deep"));
  WriteText(home / "CustomModels" / "a.mrbe", Definition("Male", "Male again"));
  WriteText(home / "CustomModels" / "nomodel.mrbe", "[Section1]\nName=x\n");
  WriteText(home / "CustomModels" / "m2.mrbe", "[ModelA]\nPrefix=First\nName=A\n[ModelB]\nPrefix=Second\nName=B\n");
  WriteText(home / "CustomModels" / "sub" / "lower.mrbe", Definition("boss", "Lower-case boss"));

  const ModelCatalogue catalogue = ScanModelCatalogue(home.Path());
  EXPECT_TRUE(catalogue.Problems.empty());
  EXPECT_EQ(Names(catalogue), (std::vector<std::string>{"Settings Boss", "Female", "Male from home", "Deep", "Inner",
                                                        "A", "Lower-case boss", "Zed"}));
  EXPECT_EQ(catalogue.FindByPrefix("boss")->Name, "Lower-case boss");
  EXPECT_EQ(catalogue.FindByPrefixIgnoringCase("BOSS")->Name, "Lower-case boss");
  EXPECT_EQ(catalogue.FindByPrefix("Nobody"), nullptr);
}

TEST(ModelCatalogueTest, ABrokenFileDoesNotHideTheOthers) {
  testsupport::TempDir home;
  WriteText(home / "a.mrbe", Definition("First", "First"));
  WriteText(home / "b.mrbe", "[Model]\nPrefix=Broken\nMesh=P.M\nScaleX=huge\n");
  WriteText(home / "c.mrbe", Definition("Third", "Third"));
  const ModelCatalogue catalogue = ScanModelCatalogue(home.Path());
  EXPECT_EQ(Names(catalogue), (std::vector<std::string>{"First", "Third"}));
  ASSERT_EQ(catalogue.Problems.size(), 1u);
  EXPECT_EQ(catalogue.Problems[0].File, home / "b.mrbe");
  EXPECT_NE(catalogue.Problems[0].Message.find("ScaleX"), std::string::npos) << catalogue.Problems[0].Message;
}

TEST(ModelCatalogueTest, RescanRefreshesTheCurrentModel) {
  testsupport::TempDir home;
  WriteText(home / "a.mrbe", Definition("Soldier", "Old name"));
  TModelo current;
  current.Assign(ScanModelCatalogue(home.Path()).Entries.front());
  WriteText(home / "a.mrbe", Definition("Soldier", "New name"));
  RefreshCurrentModel(current, ScanModelCatalogue(home.Path()));
  EXPECT_EQ(current.Name, "New name");
  std::filesystem::remove(home / "a.mrbe");
  const ModelCatalogue empty = ScanModelCatalogue(home.Path());
  RefreshCurrentModel(current, empty);
  EXPECT_EQ(current.Name, "New name");
  EXPECT_TRUE(current.Source.expired());
}

TEST(ModelCatalogueTest, PackagesAreSoughtInTheGamesSystemFolder) {
  testsupport::TempDir home;
  ScopedEnvironment wine({{"WINEPREFIX", (home / "wine").string()}});
  EXPECT_EQ(GetPackageSearchDefaults(false, home.Path()).Directory, home.Path());
  EXPECT_EQ(GetPackageSearchDefaults(true, home.Path()).Extension, ".U");
  std::filesystem::create_directories(home / "wine/drive_c/Games/UT/System");
  platform::WriteGameDirectorySetting(platform::SettingsFilePath(home.Path()), "C:\\Games\\UT");
  EXPECT_EQ(GetPackageSearchDefaults(true, home.Path()).Directory, home / "wine/drive_c/Games/UT/System/");

  // The definition says SoldierSkins, the search appends ".U", the files are named as they came.
  EXPECT_EQ(FindModelPackage(true, home.Path(), "SoldierSkins"), std::nullopt);
  testsupport::WriteFile(home / "soldierskins.u", {});
  EXPECT_EQ(FindModelPackage(true, home.Path(), "SoldierSkins"), home / "soldierskins.u");
  testsupport::WriteFile(home / "wine/drive_c/Games/UT/System/SoldierSkins.U", {});
  EXPECT_EQ(FindModelPackage(true, home.Path(), "SoldierSkins"), home / "wine/drive_c/Games/UT/System/SoldierSkins.U");
  EXPECT_EQ(FindModelPackage(false, home.Path(), "SOLDIERSKINS"), home / "soldierskins.u");
}
