#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "platform/AtomicFile.h"
#include "support/TestFiles.h"

namespace {

std::size_t EntriesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Makes writes past `bytes` fail as on a full disk, for the life of the object.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

}  // namespace

TEST(AtomicFileTest, ReplacesTheWholeFileOrNothing) {
  testsupport::TempDir dir;
  const auto path = dir / "project.mrb";
  platform::WriteFileAtomically(path, std::vector<std::uint8_t>{1, 2, 3});
  platform::WriteFileAtomically(path, std::vector<std::uint8_t>{4, 5});
  EXPECT_EQ(testsupport::ReadFile(path), (std::vector<std::uint8_t>{4, 5}));
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);

  {
    FileSizeLimit full(16);
    try {
      platform::WriteFileAtomically(path, std::vector<std::uint8_t>(4096, 7));
      ADD_FAILURE() << "a write past the disk's end succeeded";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(testsupport::ReadFile(path), (std::vector<std::uint8_t>{4, 5}));
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFileTest, FailuresNameTheFileAndLeaveNothingBehind) {
  testsupport::TempDir dir;
  const auto missing = dir / "no-such-folder" / "a.bin";
  try {
    platform::WriteFileAtomically(missing, std::vector<std::uint8_t>{1});
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos) << e.what();
  }
  std::filesystem::create_directories(dir / "taken" / "inside");
  EXPECT_THROW(platform::WriteFileAtomically(dir / "taken", std::vector<std::uint8_t>{1}), std::runtime_error);
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFileTest, AReplacedFileKeepsItsPermissions) {
  testsupport::TempDir dir;
  const auto path = dir / "shared.mrb";
  platform::WriteFileAtomically(path, std::vector<std::uint8_t>{1});
  std::filesystem::permissions(path, std::filesystem::perms(0664));
  platform::WriteFileAtomically(path, std::vector<std::uint8_t>{2});
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0664));
}

TEST(AtomicFileTest, StagedFilesReplaceTheirTargetsTogetherOrNotAtAll) {
  testsupport::TempDir dir;
  platform::WriteFileAtomically(dir / "a.utx", std::vector<std::uint8_t>{1});
  {
    platform::StagedFiles files;
    files.Stage(dir / "a.utx", std::vector<std::uint8_t>{2});
    files.Stage(dir / "a.int", std::vector<std::uint8_t>{3});
    EXPECT_EQ(testsupport::ReadFile(dir / "a.utx"), std::vector<std::uint8_t>{1});
  }
  // Never committed: the old file stays, and nothing else is left behind.
  EXPECT_EQ(testsupport::ReadFile(dir / "a.utx"), std::vector<std::uint8_t>{1});
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
  platform::StagedFiles files;
  files.Stage(dir / "a.utx", std::vector<std::uint8_t>{2});
  files.Stage(dir / "a.int", std::vector<std::uint8_t>{3});
  files.Commit();
  EXPECT_EQ(testsupport::ReadFile(dir / "a.utx"), std::vector<std::uint8_t>{2});
  EXPECT_EQ(testsupport::ReadFile(dir / "a.int"), std::vector<std::uint8_t>{3});
  EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}
