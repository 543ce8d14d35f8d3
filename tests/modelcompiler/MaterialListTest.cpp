#include <gtest/gtest.h>

#include "modelcompiler/MaterialList.h"
#include "support/TestHelpers.h"

namespace {

using namespace modelcompiler;
using model3d::TMaterial3D;
using model3d::TObjeto3D;

// One triangle per material, in material order.
TObjeto3D ModelWith(const std::vector<std::string>& names) {
  TObjeto3D model;
  model.Frames.push_back({{0, 0, 0}});
  model.TexCoords.push_back({0, 0});
  for (std::size_t i = 0; i < names.size(); ++i) {
    model.Materials.push_back({names[i], 0});
    model.Triangles.push_back({.Material = static_cast<std::int8_t>(i)});
  }
  return model;
}

std::vector<int> TriangleMaterials(const TObjeto3D& model) {
  std::vector<int> materials;
  for (const auto& triangle : model.Triangles) materials.push_back(triangle.Material);
  return materials;
}

TEST(MaterialList, MergesBaseNamesBehindTheSkin) {
  TObjeto3D model = ModelWith({"Head.tran", "SKIN", "body", "HEAD"});
  const std::vector<MaterialListEntry> list = BuildMaterialList(model);
  EXPECT_EQ(list, (std::vector<MaterialListEntry>{{"SKIN", 0}, {"HEAD", 1}, {"BODY", 2}}));

  AdjustMaterials(model, list);
  EXPECT_EQ(model.Materials, (std::vector<TMaterial3D>{{"SKIN", 0}, {"HEAD", 3}, {"BODY", 0}}));
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{1, 0, 2, 1}));
}

TEST(MaterialList, WithoutASkinSlotZeroStaysUnusedAndUnnamed) {
  TObjeto3D model = ModelWith({"Body", "Arms.twos"});
  const std::vector<MaterialListEntry> list = BuildMaterialList(model);
  EXPECT_EQ(list, (std::vector<MaterialListEntry>{{"Unused material #0", 0}, {"BODY", 1}, {"ARMS", 2}}));

  AdjustMaterials(model, list);
  EXPECT_EQ(model.Materials, (std::vector<TMaterial3D>{{"", 0}, {"BODY", 0}, {"ARMS", 1}}));
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{1, 2}));
}

TEST(MaterialList, MovesStopAtTheEnds) {
  std::vector<MaterialListEntry> list{{"SKIN", 0}, {"A", 1}, {"B", 2}};
  EXPECT_EQ(MoveMaterialUp(list, 0), 0);
  EXPECT_EQ(MoveMaterialDown(list, 2), 2);
  EXPECT_EQ(MoveMaterialUp(list, -1), -1);
  EXPECT_EQ(MoveMaterialDown(list, 3), 3);
  EXPECT_EQ(list, (std::vector<MaterialListEntry>{{"SKIN", 0}, {"A", 1}, {"B", 2}}));
  EXPECT_EQ(MoveMaterialDown(list, 0), 1);
  EXPECT_EQ(MoveMaterialUp(list, 2), 1);
  EXPECT_EQ(list, (std::vector<MaterialListEntry>{{"A", 1}, {"B", 2}, {"SKIN", 0}}));
}

TEST(MaterialList, TheUsersOrderDecidesTheSlots) {
  // With B moved above A, A's slot lies past the slot counter when "a.mask" comes; it still joins A.
  TObjeto3D model = ModelWith({"a", "a.mask", "b", "skin0.weap"});
  std::vector<MaterialListEntry> list = BuildMaterialList(model);
  EXPECT_EQ(MoveMaterialUp(list, 2), 1);
  ASSERT_EQ(list, (std::vector<MaterialListEntry>{{"SKIN0", 0}, {"B", 2}, {"A", 1}}));

  AdjustMaterials(model, list);
  EXPECT_EQ(model.Materials, (std::vector<TMaterial3D>{{"SKIN0", 8}, {"B", 0}, {"A", 2}}));
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{2, 2, 1, 0}));
}

TEST(MaterialList, AListOfAnotherModelLeavesEveryTriangleInRange) {
  TObjeto3D model = ModelWith({"x", "y", "z"});
  model.Triangles.push_back({.Material = -1});
  AdjustMaterials(model, {{"Q", 5}, {"Z", 7}, {"R", 9}, {"S", 4}, {"T", 1}});
  EXPECT_EQ(TriangleMaterials(model), (std::vector<int>{4, 2, 3, -1}));
  EXPECT_EQ(model.Materials, (std::vector<TMaterial3D>{{"", 0}, {"", 0}, {"Y", 0}, {"Z", 0}, {"X", 0}}));

  TObjeto3D empty = ModelWith({});
  AdjustMaterials(empty, {{"Unused material #0", 0}});
  EXPECT_TRUE(empty.Materials.empty());
}

TEST(MaterialList, SlotsBeyondWhatATriangleHoldsAreRefused) {
  std::vector<std::string> names;
  for (int i = 0; i < 130; ++i) names.push_back("M" + std::to_string(i));
  TObjeto3D model = ModelWith({"M0"});
  for (std::size_t i = 1; i < names.size(); ++i) model.Materials.push_back({names[i], 0});
  std::vector<MaterialListEntry> list = BuildMaterialList(model);
  for (int at = 1; at < 129;) at = MoveMaterialDown(list, at);
  EXPECT_NE(ErrorOf([&] { AdjustMaterials(model, list); }).find("at most 128 materials"), std::string::npos);
}

TEST(MaterialList, FlagsComeFromTheFirstStyleInTheName) {
  EXPECT_EQ(MaterialFlagsFromName("skin1.Tran.weap"), 8);
  EXPECT_EQ(MaterialFlagsFromName("skin1.mask.twos"), 1);
  EXPECT_EQ(MaterialFlagsFromName("SKIN1.MASK.TRAN"), 3);
  EXPECT_EQ(MaterialFlagsFromName("x.Mask"), 2);
  EXPECT_EQ(MaterialFlagsFromName("TRANS"), 0);
}

TEST(MaterialList, StylesOfOneBaseNameCombine) {
  TObjeto3D model = ModelWith({"SKIN1.WEAP", "skin1.twos"});
  AdjustMaterials(model, BuildMaterialList(model));
  EXPECT_EQ(model.Materials.at(1), (TMaterial3D{"SKIN1", 9}));
}

}  // namespace
