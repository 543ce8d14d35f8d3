#include <gtest/gtest.h>

#include <set>

#include "CliRunner.h"
#include "SkinPackageRoundTrip.h"
#include "model/ModelCatalogue.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::string Text(const std::filesystem::path& path) {
  const auto bytes = testsupport::ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

std::set<std::string> TextureNames(const std::filesystem::path& file) {
  unrealpkg::TUTPackage package(file);
  std::set<std::string> names;
  for (int i = 0; i < package.ExportCount(); ++i)
    if (package.GetExport(i)->ClassName() == "Texture")
      names.insert(platform::ToLowerAscii(package.GetExport(i)->ObjectName()));
  return names;
}

// What the game's skin and face menus list from a .int: the textures it
// describes. A multi-skinned model's described name of up to five characters
// lists the skin of its first four, a longer one a face of that skin; a
// single-skin model's lists a skin by its whole name.
std::set<std::string> MenuEntries(const std::string& intText, bool multiSkinned) {
  std::set<std::string> entries;
  std::size_t at = 0;
  while ((at = intText.find("Object=(Name=", at)) != std::string::npos) {
    const std::size_t end = intText.find('\n', at);
    const std::string line = intText.substr(at, end - at);
    at = end;
    if (line.find("Description=") == std::string::npos) continue;
    const std::size_t dot = line.find('.');
    const std::string name = platform::ToLowerAscii(line.substr(dot + 1, line.find(',') - dot - 1));
    if (!multiSkinned)
      entries.insert("skin " + name);
    else if (name.size() <= 5)
      entries.insert("skin " + name.substr(0, 4));
    else
      entries.insert("face " + name.substr(0, 4) + " " + name.substr(5));
  }
  return entries;
}

struct BonusPackModel {
  const char* Name;
  const char* Prefix;
  const char* SkinPackage;
  bool MultiSkinned;
};

void PrintTo(const BonusPackModel& model, std::ostream* out) { *out << model.Name; }

// The Bonus Pack's models as a user's game holds them: the classes' package,
// the meshes' package and their .int in System, the skin packages in
// Textures beside it, and no Botpack.u anywhere.
class BonusPackTest : public testing::TestWithParam<BonusPackModel> {
protected:
  void SetUp() override {
    MARBELLE_NEEDS_CORPUS(std::filesystem::exists(corpus / "utpatches/System/MultiMesh.u") &&
                          std::filesystem::exists(corpus / "ut-server/Textures/tcowmeshskins.utx"));
    std::filesystem::create_directories(home);
    testsupport::InstallBonusPackGame(game);
    std::filesystem::copy_file(corpus / "utpatches/System/Core.u", game / "System/Core.u");
  }

  Outcome CompileModel(const char* name) {
    return Marbelle({"compile-model", Path(game / "System/multimesh.int"), "--model", name, "--home",
                     Path(home), "--force"});
  }

  const std::filesystem::path corpus = testsupport::CorpusDir();
  testsupport::TempDir root;
  const std::filesystem::path game = root / "UnrealTournament";
  const std::filesystem::path home = root / "home";
};

// A project rebuilt from the textures of the model's real skin package,
// imported by their names, compiles to the names the game loads and to a
// .int whose menus list the same skins and faces as the real one.
TEST_P(BonusPackTest, ARebuiltSkinPackageHoldsTheRealNames) {
  const BonusPackModel& model = GetParam();
  const Outcome compiled = CompileModel(model.Name);
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_NE(compiled.out.find(model.MultiSkinned ? "Skins are named by a code and a section digit"
                                                 : "Skins are named by their whole name"),
            std::string::npos)
      << compiled.out;

  const std::filesystem::path real = game / "Textures" / (std::string(model.SkinPackage) + ".utx");
  const std::filesystem::path pictures = root / "pictures";
  ASSERT_EQ(Marbelle({"export-textures", Path(real), Path(pictures)}).status, 0);
  const std::filesystem::path project = home / (std::string(model.Prefix) + "SkinsRebuilt.mrb");
  ASSERT_EQ(Marbelle({"project", "create", "--model", model.Prefix, Path(project), "--home", Path(home)}).status, 0);
  QStringList import{"project", "import", Path(project), "--home", Path(home)};
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) import << Path(entry.path());
  const Outcome imported = Marbelle(import);
  ASSERT_EQ(imported.status, 0) << imported.err;
  ASSERT_EQ(Marbelle({"compile", Path(project), "--home", Path(home)}).status, 0);

  const std::filesystem::path ours = std::filesystem::path(project).replace_extension(".utx");
  EXPECT_EQ(TextureNames(ours), TextureNames(real));
  unrealpkg::TUTPackage written(ours);
  EXPECT_TRUE(unrealpkg::CheckPackage(written).Failures.empty());
  const std::string realInt = Text(corpus / "utpatches/SystemLocalized/int" / (std::string(model.SkinPackage) + ".int"));
  const std::string ourInt = Text(std::filesystem::path(project).replace_extension(".int"));
  EXPECT_EQ(MenuEntries(ourInt, model.MultiSkinned), MenuEntries(realInt, model.MultiSkinned)) << ourInt;
}

// Opened as a project and compiled again, the Skaarj's real skins come back
// under the same names with the same pixels; the three stored compressed come
// back in true colour, and the report says what compiling makes of them.
TEST_F(BonusPackTest, TheSkaarjSkinPackageRoundTrips) {
  ASSERT_EQ(CompileModel("Skaarj Hybrid").status, 0);
  const std::filesystem::path real = game / "Textures/tskmskins.utx";
  const RoundTrip trip = OpenAndCompile(real, home / "TSkMSkinsOpened.mrb", home,
                                        {"--int", (corpus / "utpatches/SystemLocalized/int/tskmskins.int").string()});
  ASSERT_EQ(trip.status, 0) << trip.error;
  EXPECT_EQ(PackageDifferences(real, trip.compiled), std::vector<std::string>{});
  std::vector<std::string> compressed;
  for (const std::string& line : trip.report)
    if (line.find("is compressed (S3TC)") != std::string::npos) compressed.push_back(line.substr(0, line.find(' ')));
  EXPECT_EQ(compressed, (std::vector<std::string>{"warr1", "warr2", "warr2Dominator"}));
  EXPECT_TRUE(std::filesystem::exists(home / "TSkMSkinsOpened/warr1.png"));
  EXPECT_TRUE(std::filesystem::exists(home / "TSkMSkinsOpened/warr3T_0.bmp"));
}

INSTANTIATE_TEST_SUITE_P(Models, BonusPackTest,
                         testing::Values(BonusPackModel{"Skaarj Hybrid", "TSkM", "tskmskins", true},
                                         BonusPackModel{"Nali", "tnalimesh", "tnalimeshskins", false},
                                         BonusPackModel{"Nali WarCow", "TCowMesh", "tcowmeshskins", false}),
                         [](const auto& model) { return std::string(model.param.Prefix); });

// Without the skin packages the class chain alone decides: the Skaarj's
// scripts load sections 1 to 5 and name team textures by code and section,
// the Nali's class says it wears one skin.
TEST_F(BonusPackTest, WithoutSkinPackagesTheClassChainDecides) {
  std::filesystem::remove_all(game / "Textures");
  const Outcome skaarjCompiled = CompileModel("Skaarj Hybrid");
  ASSERT_EQ(skaarjCompiled.status, 0) << skaarjCompiled.err;
  EXPECT_NE(skaarjCompiled.err.find("bIsMultiSkinned is taken as True, as the default skin package TSkMSkins.utx is "
                                    "not in the game's Textures folder"),
            std::string::npos)
      << skaarjCompiled.err;
  EXPECT_NE(skaarjCompiled.err.find("FixedSkin takes 0"), std::string::npos) << skaarjCompiled.err;
  // The class's MenuName finds the cow too.
  ASSERT_EQ(CompileModel("Nali Cow").status, 0);

  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  const auto skaarj = catalogue.FindByPrefix("TSkM");
  ASSERT_TRUE(skaarj);
  EXPECT_FALSE(skaarj->SingleSkin);
  std::vector<int> numbers;
  for (const model::TModeloSection& section : skaarj->Sections) numbers.push_back(section.Part.Number());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(model::MakeTextureName(*skaarj, "warr", 3, "t_0"), "warr3T_0");
  EXPECT_EQ(model::MakeTextureName(*skaarj, "warr", 2, "berserker"), "warr2berserker");
  EXPECT_EQ(model::MakeTextureName(*skaarj, "warr", 5, "berserker"), "warr5berserker");

  const auto nali = catalogue.FindByPrefix("TCowMesh");
  ASSERT_TRUE(nali);
  EXPECT_TRUE(nali->SingleSkin);
  EXPECT_EQ(nali->Name, "Nali WarCow");
  EXPECT_EQ(model::MakeTextureName(*nali, "WarCow", 2, ""), "WarCow");
  EXPECT_EQ(model::MakeTextureName(*nali, "WarCow", 2, "t_1"), "T_cow_1");
  EXPECT_EQ(model::MakeTextureName(*nali, "WarCow", 5, ""), "WarCowFace");
}

}  // namespace
