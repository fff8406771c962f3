#include "tests/TempPath.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class FileSystemTest : public ::testing::Test {
protected:
  std::filesystem::path Root = TempPath("lum-filesystem");
  String Dir = Root.string();

  void SetUp() override {
    std::filesystem::remove_all(Root);
    std::filesystem::create_directories(Root);
  }
  void TearDown() override { std::filesystem::remove_all(Root); }
  String Write(const String& Name, const String& Text) {
    const String path = Dir + "/" + Name;
    std::ofstream(path) << Text;
    return path;
  }
  static String Contents(const String& Path) {
    std::ifstream in(Path);
    return String(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(FileSystemTest, FilesAndDirectoriesAreToldApart) {
  const String file = Write("a.txt", "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(Dir));
  EXPECT_FALSE(FileExists(Dir));
  EXPECT_FALSE(FileExists(Dir + "/missing"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST_F(FileSystemTest, RenameNeverReplacesAnExistingFile) {
  const String a = Write("a.txt", "first"), b = Write("b.txt", "second");
  EXPECT_FALSE(RenameFile(a, b));
  EXPECT_EQ(Contents(b), "second");
  EXPECT_TRUE(RenameFile(a, Dir + "/c.txt"));
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(Contents(Dir + "/c.txt"), "first");
  EXPECT_FALSE(RenameFile(Dir + "/missing", Dir + "/d.txt"));
}

TEST_F(FileSystemTest, DeleteFileRemovesFilesButNoDirectory) {
  const String file = Write("a.txt", "x");
  CreateDir(Dir + "/sub");
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
  EXPECT_FALSE(DeleteFile(Dir + "/sub"));
  EXPECT_TRUE(DirectoryExists(Dir + "/sub"));
}

TEST_F(FileSystemTest, CreateDirMakesOneLevelAndForceDirectoriesAll) {
  EXPECT_FALSE(CreateDir(Dir + "/x/y"));
  EXPECT_TRUE(CreateDir(Dir + "/x"));
  EXPECT_FALSE(CreateDir(Dir + "/x")); // exists already
  EXPECT_TRUE(ForceDirectories(Dir + "/p/q/r/"));
  EXPECT_TRUE(DirectoryExists(Dir + "/p/q/r"));
  EXPECT_TRUE(ForceDirectories(Dir + "/p/q")); // nothing to do
  const String file = Write("plain", "x");
  EXPECT_FALSE(ForceDirectories(file + "/below"));
  EXPECT_THROW(ForceDirectories(""), EInOutError);
}

TEST_F(FileSystemTest, TheCurrentDirectoryChangesOnlyToAnExistingOne) {
  const String before = GetCurrentDir();
  EXPECT_TRUE(SetCurrentDir(Dir));
  EXPECT_EQ(GetCurrentDir(), std::filesystem::canonical(Root).string());
  EXPECT_FALSE(SetCurrentDir(Dir + "/missing"));
  EXPECT_EQ(ExpandFileName("sub/../a.txt"), std::filesystem::canonical(Root).string() + "/a.txt");
  EXPECT_TRUE(SetCurrentDir(before));
}

TEST(FileNames, PartsOfANameFollowTheLastDelimiterAndPoint) {
  EXPECT_EQ(ExtractFilePath("/home/user/notes.txt"), "/home/user/");
  EXPECT_EQ(ExtractFileDir("/home/user/notes.txt"), "/home/user");
  EXPECT_EQ(ExtractFileDir("/notes.txt"), "/");
  EXPECT_EQ(ExtractFileName("/home/user/notes.txt"), "notes.txt");
  EXPECT_EQ(ExtractFilePath("notes.txt"), "");
  EXPECT_EQ(ExtractFileExt("/home/user/notes.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/home/user.d/notes"), ""); // a point of the folder is no extension
  EXPECT_EQ(ExtractFileExt("/home/.profile"), ".profile");
  EXPECT_EQ(ChangeFileExt("/a/b.txt", ".bak"), "/a/b.bak");
  EXPECT_EQ(ChangeFileExt("/a.d/b", ".bak"), "/a.d/b.bak");
  EXPECT_EQ(ChangeFileExt("/a/b.txt", ""), "/a/b");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileNames, ExpandFileNameResolvesLevelsInTheText) {
  EXPECT_EQ(ExpandFileName("/a/./b//c/../d"), "/a/b/d");
  EXPECT_EQ(ExpandFileName("/../.."), "/");
  EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
}

} // namespace
