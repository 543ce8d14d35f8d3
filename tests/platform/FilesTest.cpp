#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "support/TestHelpers.h"
#include "platform/FileContents.h"
#include "platform/FileTime.h"
#include "support/TestFiles.h"

namespace {

void SetModificationTime(const std::filesystem::path& path, std::int64_t seconds, long nanoseconds) {
  const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(FilesTest, ReadsEveryByteAndTellsMissingFromUnreadable) {
  testsupport::TempDir dir;
  const std::vector<std::uint8_t> bytes{'a', 0, 0xFF, '\r', '\n'};
  testsupport::WriteFile(dir / "a.bin", bytes);
  EXPECT_EQ(platform::ReadFileContents(dir / "a.bin"), std::string("a\0\xFF\r\n", 5));
  EXPECT_EQ(platform::ReadFileContents(dir / "missing"), std::nullopt);
  EXPECT_EQ(platform::ReadFileContents(dir / "a.bin" / "below"), std::nullopt);
  EXPECT_NE(ErrorOf([&] { platform::ReadFileContents(dir.Path()); }).find(dir.Path().string()), std::string::npos);
}

TEST(FilesTest, ModificationTimeHasNanosecondsAndMinusOneForMissingFiles) {
  testsupport::TempDir dir;
  const auto path = dir / "skin.bmp";
  EXPECT_EQ(platform::FileModificationTime(path), -1);
  testsupport::WriteFile(path, {1});
  SetModificationTime(path, 1'700'000'000, 100);
  EXPECT_EQ(platform::FileModificationTime(path), 1'700'000'000'000'000'100);
  SetModificationTime(path, 1'700'000'000, 200);
  EXPECT_EQ(platform::FileModificationTime(path), 1'700'000'000'000'000'200);
}
