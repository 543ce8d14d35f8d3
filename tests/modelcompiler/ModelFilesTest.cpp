#include <gtest/gtest.h>

#include "modelcompiler/ModelFiles.h"

namespace {

TEST(ModelFiles, OutputsAreNamedAfterTheModelsFilePart) {
  EXPECT_EQ(modelcompiler::OutputBaseName("Soldier"), "Soldier");
  EXPECT_EQ(modelcompiler::OutputBaseName("/models/v1.2/Robot.3ds"), "Robot");
  EXPECT_EQ(modelcompiler::OutputBaseName("C:\\models\\Robot.final.ms3d"), "Robot.final");
}

}  // namespace
