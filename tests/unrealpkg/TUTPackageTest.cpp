#include <gtest/gtest.h>

#include "support/TestHelpers.h"
#include "support/TestFiles.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/KnownEnumerations.h"
#include "unrealpkg/ObjectClassRegistry.h"
#include "unrealpkg/PackageFile.h"
#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;
using testsupport::TempDir;

namespace {

// Core.Package, Engine.Texture and Engine.LodMesh imports; a group "Skins" holding
// a texture, a mesh at top level, and a class.
PackageWriter SamplePackage(std::uint16_t version) {
  PackageWriter w;
  w.Version = version;
  w.Guid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const std::int32_t core = w.AddImport("Core", "Package", 0, "Core");
  const std::int32_t engine = w.AddImport("Core", "Package", 0, "Engine");
  const std::int32_t package = w.AddImport("Core", "Class", core, "Package");
  const std::int32_t texture = w.AddImport("Core", "Class", engine, "Texture");
  const std::int32_t lodMesh = w.AddImport("Core", "Class", engine, "LodMesh");
  w.AddImport("Core", "Package", 0, "AdvancedModelSupport");
  const std::int32_t none = w.AddName("None");
  ByteWriter empty;
  empty.WriteIndex(none);
  const std::int32_t group = w.AddExport({package, 0, 0, w.AddName("Skins"), 0x70004, empty.Bytes(), {}});
  w.AddExport({texture, 0, group, w.AddName("Face"), 0x70004, empty.Bytes(), {}});
  w.AddExport({lodMesh, 0, 0, w.AddName("Body"), 0x70004, {}, {}});
  w.AddExport({0, 0, 0, w.AddName("SamplePlayer"), 0x70004, {}, {}});
  return w;
}

std::filesystem::path Write(const TempDir& dir, const PackageWriter& w, const std::string& name = "Sample.u") {
  const auto path = dir / name;
  testsupport::WriteFile(path, w.Build());
  return path;
}

std::string PackageErrorOf(const std::filesystem::path& path) {
  try {
    TUTPackage package(path);
  } catch (const PackageError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(TUTPackageTest, ReadsHeaderAndTablesOfEveryLayout) {
  TempDir dir;
  for (const std::uint16_t version : {61, 63, 64, 67, 68, 69}) {
    SCOPED_TRACE(version);
    const PackageWriter w = SamplePackage(version);
    TUTPackage package(Write(dir, w));
    EXPECT_EQ(package.Version(), version);
    EXPECT_EQ(package.PackageFlags(), 1u);
    ASSERT_EQ(package.NameCount(), static_cast<int>(w.Names.size()));
    for (int i = 0; i < package.NameCount(); ++i) EXPECT_EQ(package.GetName(i), w.Names[i].Text);
    EXPECT_EQ(package.Names()[0].Flags, 0x00070010u);
    EXPECT_EQ(package.ImportCount(), 6);
    ASSERT_EQ(package.ExportCount(), 4);
    // An export without data has no offset field: the entries after it still line up.
    EXPECT_EQ(package.GetExport(2)->SerialSize, 0);
    EXPECT_EQ(package.GetExport(3)->ObjectName(), "SamplePlayer");
    ASSERT_EQ(package.Guids().size(), 1u);
    EXPECT_EQ(package.Guids()[0], w.Guid);
    EXPECT_EQ(package.Generations().size(), version >= 68 ? 1u : 0u);
  }
}

TEST(TUTPackageTest, EmptyPackageAnswersEveryLookup) {
  TUTPackage empty;
  EXPECT_EQ(empty.NameCount() + empty.ExportCount() + empty.ImportCount(), 0);
  EXPECT_EQ(empty.GetName(0), "");
  EXPECT_EQ(empty.GetExport(0), nullptr);
  EXPECT_EQ(empty.GetImport(0), nullptr);
  EXPECT_EQ(empty.GetObjectPath(1), "");
  EXPECT_EQ(empty.FindExport("x", "y"), -1);
  EXPECT_EQ(empty.FindObject(TableExports, MatchObjectName, 0, "", "x", ""), -1);
}

TEST(TUTPackageTest, ObjectsAndPaths) {
  TempDir dir;
  TUTPackage package(Write(dir, SamplePackage(69)));
  const auto* face = package.GetExport(1);
  EXPECT_EQ(face->ClassName(), "Texture");
  EXPECT_EQ(face->PackagePath(), "Skins");
  EXPECT_EQ(package.GetObjectPath(2), "Skins.Face");
  EXPECT_EQ(package.GetObjectPath(2, 1), "Face");
  EXPECT_EQ(package.GetObjectPath(-4), "Engine.Texture");
  EXPECT_EQ(package.GetImport(3)->PackagePath(), "Engine");
  EXPECT_EQ(package.GetExport(3)->ClassName(), "");
  EXPECT_EQ(package.GetObjectPath(0), "");
  EXPECT_EQ(package.GetObjectPath(99), "");
  EXPECT_EQ(package.GetObjectPath(-99), "");
  EXPECT_EQ(package.ClassNameOf(-4), "Class");
  EXPECT_EQ(package.ClassNameOf(2), "Texture");
}

TEST(TUTPackageTest, BrokenPackageChainsGiveEmptyPaths) {
  TempDir dir;
  PackageWriter w = SamplePackage(69);
  w.Exports[0].PackageRef = 42;  // outside the table
  w.Exports[2].PackageRef = 3;   // itself: a loop
  TUTPackage package(Write(dir, w));
  EXPECT_EQ(package.GetObjectPath(2), "");
  EXPECT_EQ(package.GetObjectPath(3), "");
  EXPECT_EQ(package.GetObjectPath(3, 2), "Body.Body");
}

TEST(TUTPackageTest, FindsObjectsIgnoringCase) {
  TempDir dir;
  TUTPackage package(Write(dir, SamplePackage(69)));
  EXPECT_EQ(package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "lodmesh", "BODY", ""), 2);
  EXPECT_EQ(package.FindObject(TableImports, MatchObjectName, 0, "", "AdvancedModelSupport", ""), 5);
  EXPECT_EQ(package.FindObject(TableExports, MatchClassName, 0, "", "", ""), 3);
  EXPECT_EQ(package.FindObject(TableExports, MatchPackagePath, 0, "", "", "skins"), 1);
  EXPECT_EQ(package.FindObject(TableExports, MatchPackagePath, 2, "", "", ""), 2);
  EXPECT_EQ(package.FindObject(TableNames, MatchClassName, 0, "ignored", "engine", ""), package.FindObject(TableNames, 0, 0, "", "Engine", ""));
  EXPECT_EQ(package.FindObject(3, MatchObjectName, 0, "", "Body", ""), -1);
  EXPECT_EQ(package.FindExport("face", "TEXTURE"), 1);
  EXPECT_EQ(package.FindExport("face", "Palette"), -1);
}

TEST(TUTPackageTest, ReportsProgressPerTableEntry) {
  TempDir dir;
  PackageWriter w;
  for (int i = 0; i < 10; ++i) w.AddName("Name" + std::to_string(i));
  for (int i = 0; i < 3; ++i) w.AddExport({0, 0, 0, i, 0, {}, {}});
  w.Imports.resize(2);
  const auto path = Write(dir, w);
  TUTPackage package;
  std::vector<int> reported;
  package.OnProgress = [&](TUTPackage&, int percent) { reported.push_back(percent); };
  package.LoadFromFile(path);
  std::vector<int> expected = {0};
  for (int step = 1; step <= 16; ++step) expected.push_back(step * 100 / 16);
  expected.push_back(100);
  EXPECT_EQ(reported, expected);
}

TEST(TUTPackageTest, LocksAreCounted) {
  TempDir dir;
  TUTPackage package(Write(dir, SamplePackage(69)));
  EXPECT_EQ(package.LockCount(), 0);
  EXPECT_THROW(package.File(), std::logic_error);
  package.Lock();
  package.Lock();
  package.Unlock();
  EXPECT_GT(package.File().Size(), 0u);
  package.Unlock();
  EXPECT_THROW(package.File(), std::logic_error);
  package.Unlock();
  EXPECT_EQ(package.LockCount(), 0);
}

TEST(TUTPackageTest, BadFilesFailWithThePackageMessage) {
  TempDir dir;
  testsupport::WriteFile(dir / "text.u", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'});
  EXPECT_EQ(PackageErrorOf(dir / "text.u"),
            "Exception processing package " + (dir / "text.u").string() + "\r\nERROR! This isn't an Unreal package");
  EXPECT_NE(PackageErrorOf(dir / "missing.u").find("Exception processing package " + (dir / "missing.u").string()),
            std::string::npos);

  // A huge name count must fail before anything is allocated for it.
  std::vector<std::uint8_t> bytes = SamplePackage(69).Build();
  bytes[12] = 0xFF, bytes[13] = 0xFF, bytes[14] = 0xFF, bytes[15] = 0x7F;
  testsupport::WriteFile(dir / "huge.u", bytes);
  EXPECT_NE(PackageErrorOf(dir / "huge.u").find("runs past the end"), std::string::npos);

  // An export table beyond the end of the file.
  bytes = SamplePackage(69).Build();
  bytes[27] = 0x40;
  testsupport::WriteFile(dir / "far.u", bytes);
  EXPECT_NE(PackageErrorOf(dir / "far.u").find("outside the data"), std::string::npos);

  for (std::size_t size : {std::size_t{3}, std::size_t{40}, bytes.size() - 1}) {
    bytes = SamplePackage(69).Build();
    bytes.resize(size);
    testsupport::WriteFile(dir / "short.u", bytes);
    EXPECT_NE(PackageErrorOf(dir / "short.u"), "no error") << size;
  }
}

TEST(TUTPackageTest, ClassRegistryAndKnownEnumerations) {
  EXPECT_EQ(FindObjectClass("class").Name, "TUTObjectClassClass");
  EXPECT_EQ(FindObjectClass("").Name, "TUTObjectClassClass");
  EXPECT_EQ(FindObjectClass("Package").Name, "TUTObject");
  EXPECT_EQ(FindObjectClass("NoSuchClass").Name, "TUTObject");
  RegisterObjectClass("Test", ObjectClassOf<TUTObjectClassEnum>());
  RegisterObjectClass("TEST", ObjectClassOf<TUTObjectClassConst>());
  EXPECT_EQ(FindObjectClass("test").Name, "TUTObjectClassConst");

  EXPECT_EQ(GetKnownEnumValue("esheeraxis", 2), "SHEER_XZ");
  EXPECT_EQ(GetKnownEnumValue("ESheerAxis", 7), "");
  EXPECT_EQ(GetKnownEnumValue("ESheerAxis", -1), "");
  EXPECT_EQ(GetKnownEnumValue("ESparkType", 28), "SPARK_Sprinkler");
  EXPECT_EQ(GetKnownEnumValue("EDropType", 19), "DROP_DrippyTap");
  EXPECT_EQ(GetKnownEnumValue("ENothing", 0), "");
}

TEST(TUTPackageTest, EveryCorpusPackageOpens) {
  const auto packages = testsupport::CorpusPackages();
  MARBELLE_NEEDS_CORPUS(!packages.empty());
  for (const auto& path : packages) {
    SCOPED_TRACE(path.string());
    TUTPackage package(path);
    EXPECT_GE(package.Version(), 61);
    EXPECT_LE(package.Version(), 69);
    for (int i = 0; i < package.ExportCount(); ++i) {
      const auto* entry = package.GetExport(i);
      EXPECT_FALSE(entry->ObjectName().empty());
      EXPECT_FALSE(package.GetObjectPath(i + 1).empty());
    }
    for (int i = 0; i < package.ImportCount(); ++i) EXPECT_FALSE(package.GetObjectPath(-(i + 1)).empty());
  }
  TUTPackage empty(testsupport::CorpusFile("utpatches/System/Window.u"));
  EXPECT_EQ(empty.NameCount() + empty.ExportCount() + empty.ImportCount(), 0);
  TUTPackage skins(testsupport::CorpusFile("ut-server/Textures/Male1Skins.utx"));
  EXPECT_EQ(skins.Version(), 61);
  EXPECT_EQ(skins.NameCount(), 32);
  EXPECT_EQ(skins.Guids().size(), 1u);
}
