#include <gtest/gtest.h>

#include <memory>

#include "support/TestHelpers.h"
#include "support/ScriptFixtures.h"
#include "support/TestFiles.h"
#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/NativeFunctions.h"
#include "unrealpkg/PropertyObjects.h"
#include "unrealpkg/ScriptObjects.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;
using unrealpkg::PropertyTagWriter;
using testsupport::ScriptFixtures;
using testsupport::TempDir;

namespace {

class ScriptFixture {
public:
  explicit ScriptFixture(std::uint16_t version = 69) : script(w) {
    w.Version = version;
    core = w.AddImport("Core", "Package", 0, "Core");
  }

  std::int32_t CoreClass(const std::string& name) {
    for (std::size_t i = 0; i < w.Imports.size(); ++i)
      if (w.Names[w.Imports[i].ObjectName].Text == name) return -static_cast<std::int32_t>(i + 1);
    return w.AddImport("Core", "Class", core, name);
  }

  std::int32_t Add(const std::string& className, const std::string& name, std::vector<std::uint8_t> data,
                   std::int32_t packageRef = 0) {
    return w.AddExport({className.empty() ? 0 : CoreClass(className), 0, packageRef, w.AddName(name), 0,
                        std::move(data), {}});
  }

  std::int32_t AddFunction(const std::string& name, const std::vector<std::uint8_t>& bytecode, std::int32_t size,
                           std::uint32_t flags = 0) {
    return Add("Function", name, script.Function(bytecode, size, flags));
  }

  TUTPackage& Open() {
    const auto path = dir / "Script.u";
    testsupport::WriteFile(path, w.Build());
    package = std::make_unique<TUTPackage>(path);
    return *package;
  }

  template <class Reader>
  Reader& Read(std::int32_t reference) {
    auto* reader = dynamic_cast<Reader*>(&package->GetExport(reference - 1)->Object());
    if (!reader) throw std::logic_error("wrong reader class");
    reader->ReadObject();
    return *reader;
  }

  PackageWriter w;
  ScriptFixtures script;
  std::int32_t core = 0;
  TempDir dir;
  std::unique_ptr<TUTPackage> package;
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (const int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

}  // namespace

TEST(ScriptObjectsTest, WalkerCountsMemoryBytesNotFileBytes) {
  ScriptFixture f;
  const std::int32_t none = f.w.AddName("None");
  const std::int32_t a = f.w.AddName("A");
  const std::int32_t b = f.w.AddName("B");
  const std::int32_t empty = f.AddFunction("Empty", {}, 0, 0x11);
  const std::int32_t local = f.AddFunction("Local", Bytes({0x00, 0x05}), 5, 0x22);
  const std::int32_t text = f.AddFunction("Text", Bytes({0x1F, 'a', 'b', 'c', 0}), 5, 0x33);
  const std::int32_t native = f.AddFunction("Native", Bytes({0x61, 0x2C, 0x16}), 3, 0x88);
  const std::int32_t labels =
      f.AddFunction("Labels", Bytes({0x0C, a, 1, 0, 0, 0, b, 2, 0, 0, 0, none, 0xFF, 0xFF, 0, 0}), 25, 0x99);
  const std::int32_t infix = f.AddFunction("Infix", Bytes({0x90, 0x25, 0x26, 0x16}), 4, 0x1000);
  const std::int32_t net = f.AddFunction("Net", {}, 0, 0x40);
  f.Open();
  for (const auto& [reference, flags] : std::vector<std::pair<std::int32_t, std::uint32_t>>{
           {empty, 0x11}, {local, 0x22}, {text, 0x33}, {native, 0x88}, {labels, 0x99}, {infix, 0x1000}}) {
    const auto& function = f.Read<TUTObjectClassFunction>(reference);
    EXPECT_EQ(function.ScriptError(), "") << reference;
    EXPECT_EQ(function.FunctionFlags(), flags) << reference;
    EXPECT_EQ(function.RepOffset(), 0xFFFF);
    EXPECT_EQ(function.ParsedSize(), function.Data().size()) << reference;
  }
  EXPECT_EQ(f.Read<TUTObjectClassFunction>(net).RepOffset(), 3);
  EXPECT_EQ(FindNativeFunction(300)->Name, "MirrorVectorByNormal");
  EXPECT_EQ(NativeFunctionCount(), 232);
}

TEST(ScriptObjectsTest, WideStringConstantsKeepEveryCharacter) {
  ScriptFixture f;
  // A UTF-16 string constant: "é€☺" and its terminator.
  const std::int32_t wide = f.AddFunction("Wide", Bytes({0x34, 0xE9, 0, 0xAC, 0x20, 0x3A, 0x26, 0, 0}), 9);
  TUTPackage& package = f.Open();
  std::vector<std::string> quoted;
  package.OnQuoteWideString = [&quoted](const std::string& text) {
    quoted.push_back(text);
    return text;
  };
  EXPECT_EQ(f.Read<TUTObjectClassFunction>(wide).ScriptError(), "");
  EXPECT_EQ(quoted, std::vector<std::string>{"\xE9\x80\\u263A"});
}

TEST(ScriptObjectsTest, BadBytecodeIsReported) {
  ScriptFixture f;
  const std::int32_t invalid = f.AddFunction("Invalid", Bytes({0x60, 0x10, 0x16}), 3);
  const std::int32_t unknown = f.AddFunction("Unknown", Bytes({0x5A, 0x0B}), 2);
  const std::int32_t cut = f.AddFunction("Cut", Bytes({0x1D, 1, 2}), 5);
  std::vector<std::uint8_t> deep(5000, 0x0E);
  deep.push_back(0x0B);
  const std::int32_t nested = f.AddFunction("Nested", deep, 5001);
  const std::int32_t brokenClass =
      f.Add("", "Broken", f.script.Class(0, 0, [](PropertyTagWriter& t) { t.Str("MenuName", "Never"); }, Bytes({0x35, 0x0B}), 2));
  f.Open();
  EXPECT_EQ(f.Read<TUTObjectClassFunction>(invalid).ScriptError(), "Invalid native function index 0x10");
  EXPECT_EQ(f.Read<TUTObjectClassFunction>(unknown).ScriptError(), "Unknown OpCode 0x5A. Will try to continue.");
  EXPECT_NE(f.Read<TUTObjectClassFunction>(cut).ScriptError(), "");
  EXPECT_EQ(f.Read<TUTObjectClassFunction>(nested).ScriptError(), "Script tokens nested too deeply");
  TUTObject& broken = f.package->GetExport(brokenClass - 1)->Object();
  try {
    TUTObjectUse use(broken);
    FAIL() << "a class with bad bytecode gave defaults";
  } catch (const ReadError& e) {
    EXPECT_STREQ(e.what(), "Unknown OpCode 0x35. Will try to continue.");
  }
}

TEST(ScriptObjectsTest, LayoutsFollowThePackageVersion) {
  for (const std::uint16_t version : {61, 62, 63, 64, 69}) {
    SCOPED_TRACE(version);
    ScriptFixture f(version);
    const std::int32_t function = f.AddFunction("Old", Bytes({0x04, 0x0B}), 2, 0x40);
    // Version 61 scripts may open with a byte list introduced by token 20.
    const std::vector<std::uint8_t> script = version == 61 ? Bytes({0x14, 5, 6, 0, 0x0B}) : Bytes({0x0B});
    const std::int32_t cls = f.Add("", "Player", f.script.Class(0, 0, [](PropertyTagWriter& t) {
      t.Str("MenuName", "Mannequin").Int("FaceSkin", 3);
    }, script, static_cast<std::int32_t>(script.size())));
    f.Open();
    const auto& fn = f.Read<TUTObjectClassFunction>(function);
    EXPECT_EQ(fn.ScriptError(), "");
    EXPECT_EQ(fn.RepOffset(), 3);
    EXPECT_EQ(fn.ParsedSize(), fn.Data().size());
    const auto& player = f.Read<TUTObjectClassClass>(cls);
    EXPECT_EQ(player.ParsedSize(), player.Data().size());
    EXPECT_EQ(player.Properties().GetValueDef("MenuName", TUTValue("")), TUTValue("Mannequin"));
    EXPECT_EQ(player.Properties().GetValueDef("FaceSkin", TUTValue(0)).ToInteger(), 3);
  }
}

TEST(ScriptObjectsTest, PropertyDeclarationsAndTypeTexts) {
  ScriptFixture f;
  const std::int32_t actor = f.w.AddImport("Core", "Class", f.w.AddImport("Core", "Package", 0, "Engine"), "Actor");
  const std::int32_t objectClass = f.w.AddImport("Core", "Class", f.core, "Object");
  const std::int32_t classClass = f.CoreClass("Class");
  const std::int32_t enumeration = f.Add("Enum", "EMode", f.script.Enum({"M_First", "M_Second"}));
  const std::int32_t vector = f.Add("Struct", "Vector", f.script.Struct(0));
  const std::int32_t plain = f.Add("IntProperty", "Count", f.script.Property(0, 0));
  const std::int32_t replicated = f.Add("IntProperty", "Health", f.script.Property(0, 0x20));
  const std::int32_t mode = f.Add("ByteProperty", "Mode", f.script.Property(0, 0, {enumeration}));
  const std::int32_t raw = f.Add("ByteProperty", "Raw", f.script.Property(0, 0, {0}));
  const std::int32_t anyClass = f.Add("ClassProperty", "AnyClass", f.script.Property(0, 0, {classClass, objectClass}));
  const std::int32_t actorClass = f.Add("ClassProperty", "ActorClass", f.script.Property(0, 0, {classClass, actor}));
  const std::int32_t target = f.Add("ObjectProperty", "Target", f.script.Property(0, 0, {actor}));
  const std::int32_t list = f.Add("ArrayProperty", "List", f.script.Property(0, 0, {plain}));
  const std::int32_t nested = f.Add("ArrayProperty", "Nested", f.script.Property(0, 0, {list}));
  const std::int32_t fixed = f.Add("FixedArrayProperty", "Fixed", f.script.Property(0, 0, {plain, 4}));
  const std::int32_t where = f.Add("StructProperty", "Where", f.script.Property(0, 0, {vector}));
  const std::int32_t map = f.Add("MapProperty", "Lookup", f.script.Property(0, 0, {plain, target}));
  // An array property whose element is itself must not recurse forever.
  const std::int32_t loop = f.Add("ArrayProperty", "Loop", f.script.Property(0, 0, {0}));
  f.w.Exports[static_cast<std::size_t>(loop - 1)].Data = f.script.Property(0, 0, {loop});
  f.Open();
  EXPECT_EQ(f.Read<TUTObjectClassProperty>(plain).RepOffset(), -1);
  EXPECT_EQ(f.Read<TUTObjectClassProperty>(replicated).RepOffset(), 7);
  EXPECT_EQ(f.Read<TUTObjectClassEnum>(enumeration).GetEnumValueName(1), "M_Second");
  EXPECT_EQ(f.Read<TUTObjectClassEnum>(enumeration).GetEnumValueName(2), "");
  EXPECT_EQ(f.Read<TUTObjectClassEnum>(enumeration).GetEnumValueName(-1), "");
  const std::vector<std::pair<std::int32_t, std::string>> texts = {
      {plain, "int"},          {mode, "EMode"},     {raw, "byte"},           {anyClass, "Class"},
      {actorClass, "Class<Actor>"}, {target, "Actor"}, {list, "array<int>"}, {nested, "array<array<int>>"},
      {fixed, "Count[4]"},     {where, "Vector"},   {map, "map"}};
  for (const auto& [reference, text] : texts) {
    auto& property = f.Read<TUTObjectClassProperty>(reference);
    EXPECT_EQ(property.TypeText(), text);
    EXPECT_EQ(property.ParsedSize(), property.Data().size()) << text;
  }
  EXPECT_EQ(f.Read<TUTObjectClassProperty>(loop).TypeText().substr(0, 12), "array<array<");
}

TEST(ScriptObjectsTest, CorpusScriptReadsToTheEndOfEveryObject) {
  const auto packages = testsupport::CorpusPackages();
  MARBELLE_NEEDS_CORPUS(!packages.empty());
  int checked = 0;
  for (const auto& path : packages) {
    TUTPackage package(path);
    TUTPackageLock lock(package);
    for (int i = 0; i < package.ExportCount(); ++i) {
      TUTObject& object = package.GetExport(i)->Object();
      if (!dynamic_cast<TUTObjectClassField*>(&object)) continue;
      SCOPED_TRACE(path.string() + " " + object.FullPath());
      TUTObjectUse use(object);
      EXPECT_EQ(object.ParsedSize(), object.Data().size());
      if (const auto* function = dynamic_cast<TUTObjectClassFunction*>(&object)) {
        EXPECT_EQ(function->ScriptError(), "");
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 8000);
}

TEST(ScriptObjectsTest, CorpusPlayerClassDefaults) {
  const auto path = testsupport::CorpusFile("utpatches/System/MultiMesh.u");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(path));
  TUTPackage package(path);
  const int skaarj = package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "", "TSkaarj", "");
  ASSERT_GE(skaarj, 0);
  TUTObject& cls = package.GetExport(skaarj)->Object();
  TUTObjectUse use(cls);
  const TUTPropertyList& defaults = cls.Properties();
  EXPECT_EQ(defaults.GetValueDef("MenuName", TUTValue("")), TUTValue("Skaarj Hybrid"));
  EXPECT_EQ(DescribeValue(*defaults.FindProperty("Mesh")).ValueText, "LodMesh'EpicCustomModels.TSkM'");
  EXPECT_EQ(defaults.GetValueDef("FaceSkin", TUTValue(7)).ToInteger(), 7);
  EXPECT_EQ(DescribeValue(*defaults.FindProperty("Deaths[3]")).ValueText, "None");
  EXPECT_EQ(DescribeValue(*defaults.FindProperty("LODBias")).ValueText, "0.720000");

  const int cow = package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "", "tcow", "");
  TUTObject& cowClass = package.GetExport(cow)->Object();
  TUTObjectUse cowUse(cowClass);
  EXPECT_EQ(DescribeValue(*cowClass.Properties().FindProperty("MultiSkins[2]")).ValueText,
            "Texture'EpicCustomModels.TCowMeshSkins.cowpack'");
  EXPECT_EQ(cowClass.Properties().GetValueDef("bIsMultiSkinned", TUTValue(true)), TUTValue(false));
}
