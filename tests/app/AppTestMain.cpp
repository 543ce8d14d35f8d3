#include <gtest/gtest.h>

#include <QApplication>

#include "unrealpkg/ObjectClassRegistry.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  unrealpkg::RegisterAllObjectClasses();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
