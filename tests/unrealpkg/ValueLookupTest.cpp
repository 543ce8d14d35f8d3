#include <gtest/gtest.h>

#include <memory>

#include "support/ScriptFixtures.h"
#include "support/TestFiles.h"
#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;
using unrealpkg::PropertyTagWriter;
using testsupport::ScriptFixtures;
using testsupport::TempDir;

namespace {

// Game.u: class Base declares byte property Mode of enumeration EMode and
// struct Pair; class Derived extends Base; Thing is a Derived; Drop has only an
// enumeration EDrop to go by.
PackageWriter GamePackage() {
  PackageWriter w;
  ScriptFixtures script(w);
  const std::int32_t core = w.AddImport("Core", "Package", 0, "Core");
  auto coreClass = [&](const char* name) { return w.AddImport("Core", "Class", core, name); };
  const std::int32_t enumClass = coreClass("Enum"), byteClass = coreClass("ByteProperty");
  const std::int32_t structClass = coreClass("Struct"), intClass = coreClass("IntProperty");
  const std::int32_t floatClass = coreClass("FloatProperty"), boolClass = coreClass("BoolProperty");
  const std::int32_t strClass = coreClass("StrProperty"), objectClass = coreClass("ObjectProperty");
  const std::int32_t base = 1;  // the first export
  w.AddExport({0, 0, 0, w.AddName("Base"), 0, {}, {}});
  const std::int32_t modes = w.AddExport({enumClass, 0, base, w.AddName("EMode"), 0, script.Enum({"M_A", "M_B"}), {}});
  const std::int32_t mode =
      w.AddExport({byteClass, 0, base, w.AddName("Mode"), 0, script.Property(0, 0, {modes}), {}});
  const std::int32_t e = w.AddExport({byteClass, 0, 0, w.AddName("E"), 0, script.Property(0, 0, {0}), {}});
  const std::int32_t d = w.AddExport({strClass, 0, 0, w.AddName("D"), 0, script.Property(e, 0), {}});
  const std::int32_t c = w.AddExport({boolClass, 0, 0, w.AddName("C"), 0, script.Property(d, 0), {}});
  const std::int32_t b = w.AddExport({floatClass, 0, 0, w.AddName("B"), 0, script.Property(c, 0), {}});
  const std::int32_t o = w.AddExport({objectClass, 0, 0, w.AddName("O"), 0, script.Property(b, 0, {base}), {}});
  const std::int32_t a = w.AddExport({intClass, 0, 0, w.AddName("A"), 0, script.Property(o, 0, {}, 2), {}});
  w.AddExport({structClass, 0, 0, w.AddName("Pair"), 0, script.Struct(a), {}});
  w.AddExport({enumClass, 0, 0, w.AddName("EDrop"), 0, script.Enum({"D_None", "D_Some"}), {}});
  w.Exports[0].Data = script.Class(0, mode, [](PropertyTagWriter& t) { t.Byte("Mode", 1); });
  const std::int32_t derived = w.AddExport({0, base, 0, w.AddName("Derived"), 0, {}, {}});
  w.Exports[static_cast<std::size_t>(derived - 1)].Data = script.Class(base, 0, [](PropertyTagWriter& t) { t.Byte("Mode", 0); });
  ByteWriter thing;
  PropertyTagWriter tags(w, thing);
  ByteWriter pair;
  pair.WriteInt32(1);
  pair.WriteInt32(2);
  pair.WriteIndex(base);
  pair.WriteFloat(2.5f);
  pair.WriteByte(1);
  pair.WriteSizedText("hi");
  pair.WriteByte(9);
  tags.Byte("Mode", 1).Byte("Drop", 1).Struct("P", "Pair", pair.Bytes()).Struct("Q", "Missing", {1, 2});
  tags.End();
  w.AddExport({derived, 0, 0, w.AddName("Thing"), 0, thing.Bytes(), {}});
  return w;
}

// Mod.u: class Child extends Game.Base, and an object of it using Game's struct.
PackageWriter ModPackage() {
  PackageWriter w;
  ScriptFixtures script(w);
  const std::int32_t core = w.AddImport("Core", "Package", 0, "Core");
  const std::int32_t game = w.AddImport("Core", "Package", 0, "Game");
  const std::int32_t base = w.AddImport("Core", "Class", game, "Base");
  w.AddImport("Core", "Struct", game, "Pair");
  w.AddImport("Core", "Class", core, "Class");
  const std::int32_t child = w.AddExport({0, base, 0, w.AddName("Child"), 0, {}, {}});
  w.Exports[0].Data = script.Class(base, 0, [](PropertyTagWriter&) {});
  ByteWriter object;
  PropertyTagWriter tags(w, object);
  ByteWriter pair;
  for (int i = 0; i < 2; ++i) pair.WriteInt32(i);
  pair.WriteIndex(0);
  pair.WriteFloat(0);
  pair.WriteByte(0);
  // A string member in UTF-16: "ok€" and the terminator.
  pair.WriteIndex(-4);
  for (const std::uint16_t unit : {u'o', u'k', u'\u20AC', u'\0'}) pair.WriteWord(unit);
  pair.WriteByte(0);
  tags.Byte("Mode", 1).Struct("P", "Pair", pair.Bytes());
  tags.End();
  w.AddExport({child, 0, 0, w.AddName("Instance"), 0, object.Bytes(), {}});
  return w;
}

std::string Value(TUTPackage& package, const std::string& objectName, const std::string& property) {
  TUTObject& object = package.GetExport(package.FindObject(TableExports, MatchObjectName, 0, "", objectName, ""))->Object();
  TUTObjectUse use(object);
  return DescribeValue(*object.Properties().FindProperty(property)).ValueText;
}

}  // namespace

TEST(ValueLookupTest, EnumerationsAndStructsOfTheOwnPackage) {
  TempDir dir;
  testsupport::WriteFile(dir / "Game.u", GamePackage().Build());
  TUTPackage game(dir / "Game.u");
  EXPECT_EQ(Value(game, "Base", "Mode"), "M_B");
  EXPECT_EQ(Value(game, "Derived", "Mode"), "M_A");
  EXPECT_EQ(Value(game, "Thing", "Mode"), "M_B");
  EXPECT_EQ(Value(game, "Thing", "Drop"), "D_Some");
  EXPECT_EQ(Value(game, "Thing", "P"), "(A[0]=1, A[1]=2, O=Class'Base', B=2.500000, C=True, D=\"hi\", E=9)");

  TUTObject& thing = game.GetExport(game.FindExport("Thing", "Derived"))->Object();
  TUTObjectUse use(thing);
  const TUTValueDescription missing = DescribeValue(*thing.Properties().FindProperty("Q"));
  EXPECT_EQ(missing.Name, "unknown");
  EXPECT_EQ(missing.Type, PropError);
  EXPECT_EQ(missing.ValueText, "0");
  EXPECT_EQ(missing.Value, TUTValue(0));
}

TEST(ValueLookupTest, DefinitionsInSiblingPackages) {
  TempDir dir;
  testsupport::WriteFile(dir / "Game.u", GamePackage().Build());
  testsupport::WriteFile(dir / "Mod.u", ModPackage().Build());
  TUTPackage mod(dir / "Mod.u");
  EXPECT_EQ(Value(mod, "Instance", "Mode"), "M_B");
  EXPECT_EQ(Value(mod, "Instance", "P"), "(A[0]=0, A[1]=1, O=None, B=0.000000, C=False, D=\"ok\x80\", E=0)");

  TUTPackage alone(dir / "Mod.u");
  alone.SearchOtherPackages = false;
  EXPECT_EQ(Value(alone, "Instance", "Mode"), "1");
  TUTObject& instance = alone.GetExport(1)->Object();
  TUTObjectUse use(instance);
  EXPECT_EQ(DescribeValue(*instance.Properties().FindProperty("P")).Name, "unknown");

  // Sibling files are found without regard to letter case, as the game writes names its own way.
  std::filesystem::rename(dir / "Game.u", dir / "GAME.U");
  TUTPackage renamed(dir / "Mod.u");
  EXPECT_EQ(Value(renamed, "Instance", "Mode"), "M_B");
}
