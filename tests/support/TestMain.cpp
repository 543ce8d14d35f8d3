#include <gtest/gtest.h>

#include "unrealpkg/ObjectClassRegistry.h"

int main(int argc, char** argv) {
  unrealpkg::RegisterAllObjectClasses();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
