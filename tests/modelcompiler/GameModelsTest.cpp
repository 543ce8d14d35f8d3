#include <gtest/gtest.h>

#include "model/ModelCatalogue.h"
#include "model/TextureNames.h"
#include "modelcompiler/GameModels.h"
#include "support/MeshPackage.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using modelcompiler::GameModel;
using testsupport::MeshSpec;

MeshSpec PlayerMesh(const std::string& name) {
  MeshSpec mesh;
  mesh.Name = name;
  mesh.Frames = {{{0, 0, 0}, {40, 0, 0}, {0, 0, 90}, {40, 0, 90}}, {{0, 0, 1}, {40, 0, 1}, {0, 0, 91}, {40, 0, 91}}};
  mesh.Wedges = {{0, 0, 0}, {1, 255, 0}, {2, 0, 255}, {3, 255, 255}};
  mesh.Materials = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
  mesh.Faces = {{{0, 1, 2}, 0}, {{1, 3, 2}, 1}, {{0, 3, 1}, 2}, {{0, 2, 3}, 3}};
  mesh.Textures = {0, 0, 0, 0};
  mesh.Sequences = {{"Breath1", 0, 2, 10.0f}};
  return mesh;
}

// The stock models' layout: meshes and classes in Botpack.u, a Botpack.int
// declaring them, skins in Textures/*Skins.utx. Beside it, a .int whose
// package is missing and a package that is not one.
struct BotpackGame {
  BotpackGame() {
    std::filesystem::create_directories(game / "System");
    std::filesystem::create_directories(game / "Textures");
    std::filesystem::create_directories(home);
    testsupport::MeshPackage botpack("Botpack");
    const std::int32_t commando = botpack.AddLodMesh(PlayerMesh("Commando"));
    const std::int32_t soldier = botpack.AddLodMesh(PlayerMesh("Soldier"));
    botpack.AddPlayerClass({.Name = "TournamentPlayer", .Extends = "Engine.PlayerPawn", .Listed = false,
                            .MultiSkinned = true});
    const auto player = [&](const char* name, std::int32_t mesh, const char* skin, const char* description) {
      botpack.AddPlayerClass({.Name = name, .Extends = "TournamentPlayer", .Mesh = mesh, .FaceSkin = 3,
                              .FixedSkin = 2, .TeamSkin1 = 0, .TeamSkin2 = 1, .DefaultSkinName = skin,
                              .Description = description});
    };
    player("TMale1", commando, "CommandoSkins.cmdo", "Male Commando");
    player("TMale2", soldier, "SoldierSkins.blkt", "Male Soldier");
    player("TMaleTwin", commando, "CommandoSkins.cmdo", "Commando Twin");
    botpack.Write(game / "System");

    testsupport::MeshPackage skins("CommandoSkins");
    for (const char* texture : {"cmdo1", "cmdo2", "cmdo3", "cmdo3T_0", "cmdo4", "cmdo4Blake"}) skins.AddTexture(texture);
    skins.Write(game / "Textures");
    std::filesystem::rename(game / "Textures/CommandoSkins.u", game / "Textures/CommandoSkins.utx");

    testsupport::WriteFile(game / "System/Gone.int",
                           Bytes("[Public]\nObject=(Name=Gone.TGhost,Class=Class,MetaClass=Botpack.TournamentPlayer,"
                                 "Description=\"Ghost\")\n"));
    testsupport::WriteFile(game / "System/broken.U", Bytes("not a package"));
    testsupport::WriteFile(game / "System/Broken.int",
                           Bytes("[Public]\nObject=(Name=Broken.TWreck,Class=Class,MetaClass=Botpack.TournamentPlayer,"
                                 "Description=\"Wreck\")\n"));
  }

  const GameModel& Find(const std::string& caption, const modelcompiler::GameModelFinder& finder) const {
    for (const GameModel& model : finder.Models())
      if (model.Caption == caption) return model;
    throw std::runtime_error("no model " + caption);
  }

  testsupport::TempDir root;
  const std::filesystem::path game = root / "UT";
  const std::filesystem::path home = root / "home";
};

}  // namespace

TEST(GameModelsTest, EveryDeclaredPlayerClassBecomesAModelOnceAndTheUnreadableOnesSayWhy) {
  BotpackGame setup;
  modelcompiler::GameModelFinder finder(setup.game, setup.home, model::ScanModelCatalogue(setup.home));
  ASSERT_EQ(finder.Models().size(), 5u);
  EXPECT_EQ(finder.Count(GameModel::State::New), 2u);
  const GameModel& twin = setup.Find("Commando Twin", finder);
  EXPECT_EQ(twin.Status, GameModel::State::New) << "the first of two classes on one mesh, by caption, takes it";
  EXPECT_EQ(setup.Find("Male Commando", finder).Status, GameModel::State::SameMesh);
  EXPECT_NE(setup.Find("Ghost", finder).Detail.find("Gone.u is not in"), std::string::npos);
  EXPECT_EQ(setup.Find("Wreck", finder).Status, GameModel::State::Unreadable);

  const auto outcomes = modelcompiler::WriteGameModels(finder, false);
  const auto lines = modelcompiler::DescribeGameModels(outcomes);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("Added \"Commando Twin\" (Botpack.TMaleTwin): ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("Cannot add \"Ghost\" (Gone.TGhost): its package Gone.u is not in ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("Left out \"Male Commando\" (Botpack.TMale1): it wears the same mesh as \"Commando Twin\"",
                           0),
            0u);
  EXPECT_EQ(lines[3].rfind("Added \"Male Soldier\" (Botpack.TMale2): ", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("Cannot add \"Wreck\" (Broken.TWreck): ", 0), 0u) << lines[4];
  EXPECT_EQ(modelcompiler::CountPlayerModels(outcomes), 2u);

  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(setup.home);
  ASSERT_EQ(catalogue.Entries.size(), 2u);
  const model::TModelo& commando =
      catalogue.Entries[0]->Prefix == "Commando" ? *catalogue.Entries[0] : *catalogue.Entries[1];
  EXPECT_EQ(commando.Name, "Commando Twin");
  EXPECT_EQ(commando.Mesh, "Botpack.Commando");
  EXPECT_EQ(commando.DefinitionFile(), modelcompiler::GameModelsDirectory(setup.home) / "Commando.mrbe");
  // The fixed section 3 varies by team only because the skin package shows it.
  ASSERT_GE(commando.Sections.size(), 4u);
  EXPECT_NE(model::DescribeSection(commando.Sections[2].Part).find("Section 3, Textures are 256x256, Allows Teams"),
            std::string::npos)
      << model::DescribeSection(commando.Sections[2].Part);

  // Found again: what was written stands and is not replaced unless asked.
  const auto written = std::filesystem::last_write_time(commando.DefinitionFile());
  modelcompiler::GameModelFinder again(setup.game, setup.home, catalogue);
  EXPECT_EQ(again.Count(GameModel::State::New), 0u);
  EXPECT_EQ(again.Count(GameModel::State::Existing), 2u);
  const auto kept = modelcompiler::WriteGameModels(again, false);
  EXPECT_EQ(kept[0].What, modelcompiler::GameModelOutcome::Result::Kept);
  EXPECT_EQ(std::filesystem::last_write_time(commando.DefinitionFile()), written);
  EXPECT_EQ(modelcompiler::WriteGameModels(again, true)[0].What, modelcompiler::GameModelOutcome::Result::Replaced);
}

TEST(GameModelsTest, AHandMadeDefinitionOfTheSameModelIsLeftAlone) {
  BotpackGame setup;
  std::filesystem::create_directories(setup.home / "CustomModels");
  testsupport::WriteFile(setup.home / "CustomModels/Soldier.mrbe",
                         Bytes("[Model]\nName=My Soldier\nPrefix=Soldier\nSection1=Body\n"));
  modelcompiler::GameModelFinder finder(setup.game, setup.home, model::ScanModelCatalogue(setup.home));
  const GameModel& soldier = setup.Find("Male Soldier", finder);
  EXPECT_EQ(soldier.Status, GameModel::State::DefinedElsewhere);
  EXPECT_NE(soldier.Detail.find("Soldier.mrbe"), std::string::npos);
  modelcompiler::WriteGameModels(finder, true);
  EXPECT_FALSE(std::filesystem::exists(modelcompiler::GameModelsDirectory(setup.home) / "Soldier.mrbe"));
}
