#include <gtest/gtest.h>

#include <clocale>
#include <memory>

#include "unrealpkg/PropertyTagWriter.h"
#include "support/DeclaredSizeReader.h"
#include "support/ScriptFixtures.h"
#include "support/TestFiles.h"
#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;
using unrealpkg::PropertyTagWriter;
using testsupport::TempDir;

namespace {

// A package whose exports are objects of class Engine.Actor carrying tagged properties.
class TagFixture {
public:
  TagFixture() {
    const std::int32_t engine = w.AddImport("Core", "Package", 0, "Engine");
    actorClass = w.AddImport("Core", "Class", engine, "Actor");
    textureClass = w.AddImport("Core", "Class", engine, "Texture");
    texture = w.AddImport("Engine", "Texture", w.AddImport("Core", "Package", 0, "Skins"), "Face");
  }

  std::int32_t AddObject(const std::string& name, const std::function<void(PropertyTagWriter&)>& write, bool end = true) {
    ByteWriter out;
    PropertyTagWriter tags(w, out);
    write(tags);
    if (end) tags.End();
    return w.AddExport({actorClass, 0, 0, w.AddName(name), 0, out.Bytes(), {}});
  }

  TUTPackage& Open() {
    const auto path = dir / "Tags.u";
    testsupport::WriteFile(path, w.Build());
    package = std::make_unique<TUTPackage>(path);
    return *package;
  }

  TUTObject& Read(int exportIndex) {
    TUTObject& object = package->GetExport(exportIndex)->Object();
    object.ReadObject();
    return object;
  }

  PackageWriter w;
  std::int32_t actorClass = 0, textureClass = 0, texture = 0;
  TempDir dir;
  std::unique_ptr<TUTPackage> package;
};

std::string ValueText(const TUTObject& object, std::string_view name) {
  const TUTProperty* property = object.Properties().FindProperty(name);
  return property ? DescribeValue(*property).ValueText : "<missing>";
}

std::vector<std::uint8_t> Floats(std::initializer_list<float> values) {
  ByteWriter out;
  for (const float v : values) out.WriteFloat(v);
  return out.Bytes();
}

}  // namespace

TEST(PropertyTagsTest, EndMarkerAlone) {
  TagFixture f;
  f.AddObject("Empty", [](PropertyTagWriter&) {});
  f.Open();
  const TUTObject& object = f.Read(0);
  ASSERT_EQ(object.Properties().Count(), 1);
  EXPECT_EQ(object.Properties().Items(0)->PropType, PropEnd);
  EXPECT_EQ(object.ParsedSize(), object.Data().size());
}

TEST(PropertyTagsTest, BooleansCarryTheirValueInTheInfoByte) {
  TagFixture f;
  f.AddObject("Flags", [](PropertyTagWriter& t) {
    t.Raw("bOn", 0x93, {}).Raw("bOff", 0x13, {}).Raw("bZeroSize", 0xD3, {0x00}).Int("After", 7);
  });
  f.Open();
  const TUTObject& object = f.Read(0);
  const TUTProperty* on = object.Properties().FindProperty("bOn");
  ASSERT_NE(on, nullptr);
  EXPECT_EQ(on->Data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(on->ArrayIndex, -1);
  EXPECT_EQ(ValueText(object, "bOff"), "False");
  EXPECT_EQ(ValueText(object, "bZeroSize"), "True");
  EXPECT_EQ(ValueText(object, "After"), "7");
  EXPECT_TRUE(object.Properties().GetValue("bOn").ToBoolean());
}

TEST(PropertyTagsTest, ArrayElementIndexes) {
  TagFixture f;
  f.AddObject("Arrays", [&f](PropertyTagWriter& t) {
    t.Raw("Small", 0xA2, {0x05, 1, 0, 0, 0})
        .Raw("Medium", 0xA2, {0x81, 0x02, 2, 0, 0, 0})
        .Raw("Large", 0xA2, {0xC0, 0x01, 0x00, 0x00, 3, 0, 0, 0})
        .Object("MultiSkins", f.texture)
        .Int("Single", 4)
        .Int("Deaths", 5)
        .Int("Deaths", 6, 1);
  });
  f.Open();
  const TUTObject& object = f.Read(0);
  EXPECT_EQ(object.Properties().FindProperty("Small[5]")->Data[0], 1);
  EXPECT_EQ(object.Properties().FindProperty("medium[258]")->Data[0], 2);
  EXPECT_EQ(object.Properties().FindProperty("LARGE[65536]")->Data[0], 3);
  // The first element of a static array is stored without the array flag.
  EXPECT_NE(object.Properties().FindProperty("multiskins[0]"), nullptr);
  EXPECT_EQ(object.Properties().FindProperty("MultiSkins"), nullptr);
  EXPECT_NE(object.Properties().FindProperty("Deaths[0]"), nullptr);
  EXPECT_NE(object.Properties().FindProperty("Single"), nullptr);
  EXPECT_EQ(object.Properties().FindProperty("Single[x]"), nullptr);
  EXPECT_EQ(object.Properties().GetValueDef("ChangesWithTeam[1]", TUTValue(true)), TUTValue(true));
  EXPECT_EQ(object.Properties().GetValue("Missing"), TUTValue(0));
}

TEST(PropertyTagsTest, ValuesOfEveryKind) {
  TagFixture f;
  f.AddObject("Values", [&f](PropertyTagWriter& t) {
    t.Str("MenuName", "Skaarj Hybrid")
        .Float("Scale", 1.5f)
        .Object("Skin", f.texture)
        .Object("Nothing", 0)
        .Name("Tag", "SomeTag")
        .Byte("Fatness", 128)
        .Struct("Tint", "Color", {10, 20, 30, 40})
        .Struct("Location", "Vector", Floats({1, 2, 3}))
        .Struct("Turn", "Rotator", {0, 0x40, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})
        .Struct("DrawScale3D", "Scale", [] {
          auto bytes = Floats({1, 2, 3, 0.5f});
          bytes.push_back(2);
          return bytes;
        }())
        .Struct("Edge", "Plane", Floats({1, 0, 0, 4}))
        .Struct("Drip", "ADrop", {17, 1, 2, 3, 4, 5, 6, 7});
  });
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  f.Open();
  const TUTObject& object = f.Read(0);
  const TUTProperty* name = object.Properties().FindProperty("MenuName");
  EXPECT_EQ(name->Data.size(), 14u);
  EXPECT_EQ(DescribeValue(*name).Value, TUTValue("Skaarj Hybrid"));
  EXPECT_EQ(ValueText(object, "MenuName"), "\"Skaarj Hybrid\"");
  EXPECT_EQ(ValueText(object, "Scale"), "1.500000");
  EXPECT_EQ(ValueText(object, "Skin"), "Texture'Skins.Face'");
  EXPECT_EQ(ValueText(object, "Nothing"), "None");
  EXPECT_EQ(ValueText(object, "Tag"), "SomeTag");
  EXPECT_EQ(ValueText(object, "Fatness"), "128");
  EXPECT_EQ(ValueText(object, "Tint"), "(R=10,G=20,B=30,A=40)");
  EXPECT_EQ(ValueText(object, "Location"), "(X=1.000000,Y=2.000000,Z=3.000000)");
  EXPECT_EQ(ValueText(object, "Turn"), "(Pitch=16384,Yaw=1,Roll=-1)");
  EXPECT_EQ(ValueText(object, "DrawScale3D"),
            "(X=1.000000, Y=2.000000, Z=3.000000, SheerRate=0.500000, SheerAxis=SHEER_XZ)");
  EXPECT_EQ(ValueText(object, "Edge"), "(X=1.000000, Y=0.000000, Z=0.000000, W=4.000000)");
  EXPECT_EQ(ValueText(object, "Drip"),
            "(Type=DROP_AreaClamp, Heat=1, X=2, Y=3, XSpeed=4, YSpeed=5, Age=6, ExpTime=7)");
  EXPECT_EQ(object.Properties().GetValue("Skin"), TUTValue(f.texture));
  std::setlocale(LC_NUMERIC, "C");
}

TEST(PropertyTagsTest, UnknownTagKindStopsTheScan) {
  TagFixture f;
  f.AddObject("Stops", [](PropertyTagWriter& t) {
    t.Int("Before", 1).Raw("List", 0x29, {1, 2, 3, 4, 5, 6}).Int("After", 2);
  }, false);
  // Zone reference, leaf and zone number: compact index, int32, compact index.
  f.AddObject("Region", [](PropertyTagWriter& t) { t.Struct("Region", "PointRegion", {0, 5, 0, 0, 0, 2}).Int("Next", 3); });
  f.Open();
  const TUTObject& object = f.Read(0);
  ASSERT_EQ(object.Properties().Count(), 2);
  const TUTProperty* error = object.Properties().Items(1);
  EXPECT_EQ(error->PropType, PropError);
  EXPECT_EQ(error->StructName, "Unknown type 0x09, scan stopped");
  EXPECT_EQ(DescribeValue(*error).Type, PropError);
  EXPECT_EQ(object.ParsedSize(), 12u);

  const TUTObject& region = f.Read(1);
  EXPECT_EQ(region.Properties().FindProperty("Region")->Data.size(), 12u);
  EXPECT_EQ(ValueText(region, "Region"), "(Zone=None, iLeaf=5, ZoneNumber=2)");
  EXPECT_EQ(ValueText(region, "Next"), "3");
}

TEST(PropertyTagsTest, EveryWrittenTagDeclaresTheBytesThatFollowIt) {
  TagFixture f;
  f.AddObject("Honest", [](PropertyTagWriter& t) {
    t.Object("Palette", 2).Object("Far", 300).Object("Import", -70).Name("Tag", "SomeTag")
        .Str("Long", std::string(300, 'x')).Int("Many", 7, 200).Int("Lots", 8, 20000).Int("InternalTime", 5, 1)
        .Struct("Tint", "Color", {1, 2, 3, 4}).Bool("bOn", true);
  });
  // What the texture writer once wrote: int32 values behind a 1-byte size code,
  // and a two-byte object reference behind another.
  f.AddObject("Lying", [](PropertyTagWriter& t) {
    t.Raw("USize", 0x02, {0, 1, 0, 0}).Raw("Palette", 0x05, {0x41, 0x01}).Raw("UBits", 0x01, {8});
  });
  TUTPackage& package = f.Open();

  const TUTObject& honest = f.Read(0);
  EXPECT_EQ(honest.Properties().FindProperty("Lots[20000]")->Data, (std::vector<std::uint8_t>{8, 0, 0, 0}));
  EXPECT_EQ(honest.Properties().GetValue("Far").ToInteger(), 300);
  EXPECT_EQ(honest.Properties().GetValue("Import").ToInteger(), -70);
  const PackageCheckResult check = CheckPackage(package);
  EXPECT_TRUE(check.Failures.empty());
  ASSERT_EQ(check.Notes.size(), 1u);
  EXPECT_EQ(check.Notes[0].ObjectPath, "Lying");
  EXPECT_EQ(check.Notes[0].Message,
            "tag sizes differ from their values: USize declares 1 bytes and holds 4, Palette declares 1 bytes and holds 2");
  // A reader that trusts declared sizes reads the honest object as we do, and not the other.
  const std::vector<std::string> disagreements = testsupport::DeclaredSizeDisagreements(package);
  ASSERT_FALSE(disagreements.empty());
  for (const std::string& line : disagreements) EXPECT_EQ(line.rfind("Lying", 0), 0u) << line;
}

TEST(PropertyTagsTest, Utf16StringsReadAsTheRestOfTheText) {
  TagFixture f;
  // A str tag of 9 bytes: length -4 (three characters and the terminator) in UTF-16LE.
  f.AddObject("Wide", [](PropertyTagWriter& t) {
    t.Raw("Greeting", 0x5D, {9, 0x84, 'h', 0, 'i', 0, 0x19, 0x20, 0, 0}).Int("After", 3);
  });
  f.Open();
  const TUTObject& object = f.Read(0);
  EXPECT_EQ(object.Properties().GetValue("Greeting"), TUTValue("hi\x92"));
  EXPECT_EQ(ValueText(object, "Greeting"), "\"hi\x92\"");
  EXPECT_EQ(ValueText(object, "After"), "3");
  EXPECT_EQ(object.Properties().FindProperty("Greeting")->StoredSize, 9);
}

TEST(PropertyTagsTest, DamagedTagsNameTheProperty) {
  TagFixture f;
  f.AddObject("Short", [](PropertyTagWriter& t) { t.Raw("Cut", 0x02, {1, 2}); }, false);
  f.w.AddExport({f.actorClass, 0, 0, f.w.AddName("BadName"), 0, {0x3F}, {}});
  f.Open();
  TUTObject& cut = f.package->GetExport(0)->Object();
  try {
    cut.ReadObject();
    FAIL() << "no error";
  } catch (const ReadError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Exception reading property Cut\r\n", 0), 0u) << e.what();
  }
  EXPECT_TRUE(cut.IsLoaded());
  EXPECT_FALSE(cut.IsParsed());
  EXPECT_EQ(cut.UseCount(), 1);
  cut.Release();
  EXPECT_FALSE(cut.IsLoaded());
  TUTObject& bad = f.package->GetExport(1)->Object();
  EXPECT_THROW(TUTObjectUse use(bad), ReadError);
  EXPECT_EQ(bad.UseCount(), 0);
  try {
    TUTObjectUse use(bad);
  } catch (const ReadError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Exception reading property 63\r\n", 0), 0u) << e.what();
  }
}

TEST(PropertyTagsTest, ObjectsAreReadOnceAndReleasedByCount) {
  TagFixture f;
  f.AddObject("Counted", [](PropertyTagWriter& t) { t.Int("A", 1); });
  f.Open();
  TUTObject& object = f.package->GetExport(0)->Object();
  EXPECT_EQ(&object, &f.package->GetExport(0)->Object());
  object.ReadObject(false);
  EXPECT_TRUE(object.IsLoaded());
  EXPECT_FALSE(object.IsParsed());
  object.ReadObject(true);
  EXPECT_TRUE(object.IsParsed());
  object.Release();
  EXPECT_TRUE(object.IsParsed());
  object.Release();
  EXPECT_FALSE(object.IsLoaded());
  EXPECT_EQ(object.Properties().Count(), 0);
}
