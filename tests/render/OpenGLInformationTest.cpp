#include <gtest/gtest.h>

#include <map>

#include "render/OpenGLInformation.h"

TEST(OpenGLInformationTest, ARealContextTellsItsVendorVersionBuffersAndLimits) {
  const auto rows = render::QueryOpenGLInformation();
  std::map<std::string, std::string> values(rows.begin(), rows.end());
  for (const char* caption : {"Vendor", "Renderer", "Version", "Shading language", "Colour buffer", "Depth buffer",
                              "Stencil buffer", "Maximum texture size", "Maximum viewport", "Texture units",
                              "Vertex attributes"}) {
    ASSERT_TRUE(values.count(caption)) << caption;
    EXPECT_FALSE(values[caption].empty()) << caption;
  }
  EXPECT_NE(values["Version"], "(not reported)");
  EXPECT_GE(std::stoi(values["Maximum texture size"]), 1024);
  EXPECT_NE(values["Maximum viewport"].find(" x "), std::string::npos);
}
