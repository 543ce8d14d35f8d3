// Tests that draw need a GUI application. Its platform comes from
// QT_QPA_PLATFORM, offscreen when unset, so listing the tests needs no display.
#include <gtest/gtest.h>

#include <QApplication>

#include "unrealpkg/ObjectClassRegistry.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  unrealpkg::RegisterAllObjectClasses();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
