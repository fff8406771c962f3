#include "framework/rtl/Files.h"

#include "framework/classes/Streams.h"
#include "framework/rtl/Exceptions.h"
#include "tests/TempPath.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = TempPath("lum_replace_file");
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override {
    fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(Dir);
  }
  static void Write(const fs::path& APath, const String& AText) {
    ReplaceFileContents(
        APath.string(),
        std::span(reinterpret_cast<const std::uint8_t*>(AText.data()), AText.size()));
  }
  static String Read(const fs::path& APath) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(APath.string());
    return String(bytes.begin(), bytes.end());
  }
  static mode_t Mode(const fs::path& APath) {
    struct stat status {};
    EXPECT_EQ(stat(APath.c_str(), &status), 0);
    return status.st_mode & 07777;
  }
  // Nothing but the named files: no temporary file was left behind.
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(Dir), {}));
  }

  fs::path Dir;
};

} // namespace

TEST_F(ReplaceFile, KeepsThePermissionsOfTheReplacedFile) {
  const fs::path secret = Dir / "secret";
  Write(secret, "old");
  ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
  Write(secret, "new");
  EXPECT_EQ(Mode(secret), 0600u);
  ASSERT_EQ(chmod(secret.c_str(), 0640), 0);
  Write(secret, "newer");
  EXPECT_EQ(Mode(secret), 0640u);
  EXPECT_EQ(Read(secret), "newer");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplaceFile, WritesThroughSymbolicLinksToTheirTarget) {
  fs::create_directories(Dir / "real");
  const fs::path target = Dir / "real" / "form.lfm";
  Write(target, "old");
  fs::create_symlink("real/form.lfm", Dir / "link");
  fs::create_symlink(Dir / "link", Dir / "link2");
  Write(Dir / "link2", "new");
  EXPECT_TRUE(fs::is_symlink(Dir / "link"));
  EXPECT_TRUE(fs::is_symlink(Dir / "link2"));
  EXPECT_EQ(Read(target), "new");
  // A link to a file not made yet creates it.
  fs::create_symlink("real/later.lfm", Dir / "dangling");
  Write(Dir / "dangling", "made");
  EXPECT_TRUE(fs::is_symlink(Dir / "dangling"));
  EXPECT_EQ(Read(Dir / "real" / "later.lfm"), "made");
  fs::create_symlink("loop", Dir / "loop");
  EXPECT_THROW(Write(Dir / "loop", "x"), EFCreateError);
}

TEST_F(ReplaceFile, RefusesReadOnlyFilesAndLeavesThemAsTheyWere) {
  const fs::path locked = Dir / "locked";
  Write(locked, "keep me");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  ExpectErrorContaining<EFCreateError>([&] { Write(locked, "lost"); }, locked.string());
  TMemoryStream stream;
  stream.WriteBuffer("lost", 4);
  EXPECT_THROW(stream.SaveToFile(locked.string()), EFCreateError);
  EXPECT_EQ(Read(locked), "keep me");
  EXPECT_EQ(Mode(locked), 0444u);
  EXPECT_EQ(FileCount(), 1u);
}
