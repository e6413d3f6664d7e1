#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/ThrownMessage.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using test::TempDir;
using test::ThrownMessage;

TEST(FileAccessTest, WritesAndReadsBackExactBytes) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  const std::string bytes = std::string("\xFF\xFE\0\r\nabc", 8);
  WriteWholeFile(path, bytes);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadWholeFile(path), bytes);

  WriteWholeFile(path, "x");  // replaces the whole file
  EXPECT_EQ(ReadWholeFile(path), "x");
  WriteWholeFile(path, "");
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(FileAccessTest, JapanesePathsAreFileSystemNamesInUtf8) {
  TempDir dir;
  const std::string sjisPath = dir.File("") + Sjis("売上データ.txt");
  WriteWholeFile(sjisPath, "1");
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "売上データ.txt"));
  EXPECT_TRUE(FileExists(sjisPath));
  EXPECT_EQ(ReadWholeFile(sjisPath), "1");
  EXPECT_TRUE(DeleteFile(sjisPath));
  EXPECT_FALSE(FileExists(sjisPath));
  EXPECT_FALSE(DeleteFile(sjisPath));
  EXPECT_EQ(errno, ENOENT);
}

TEST(FileAccessTest, FileExistsIsFalseForFoldersAndMissingFiles) {
  TempDir dir;
  EXPECT_FALSE(FileExists(dir.Path().string()));
  EXPECT_FALSE(FileExists(dir.File("none.udl")));
}

TEST(FileAccessTest, MissingFileGivesTheOpenMessageInJapanese) {
  TempDir dir;
  const std::string path = dir.File("missing.udl");
  EXPECT_EQ(ThrownMessage([&] { ReadWholeFile(path); }),
            Sjis("ファイル \"") + path +
                Sjis("\". 指定されたファイルまたはディレクトリが見つかりません は開けません"));
}

TEST(FileAccessTest, UncreatableFileGivesTheCreateMessageInJapanese) {
  TempDir dir;
  const std::string inMissingFolder = dir.File("no-such-folder/a.udl");
  EXPECT_EQ(ThrownMessage([&] { WriteWholeFile(inMissingFolder, "x"); }),
            Sjis("ファイル \"") + inMissingFolder +
                Sjis("\". 指定されたファイルまたはディレクトリが見つかりません を作成できません"));
  const std::string folder = dir.Path().string();
  EXPECT_EQ(
      ThrownMessage([&] { WriteWholeFile(folder, "x"); }),
      Sjis("ファイル \"") + folder + Sjis("\". 指定されたパスはディレクトリです を作成できません"));
}

TEST(FileAccessTest, ReadingAFolderFails) {
  TempDir dir;
  const std::string folder = dir.Path().string();
  EXPECT_EQ(
      ThrownMessage([&] { ReadWholeFile(folder); }),
      Sjis("ファイル \"") + folder + Sjis("\". 指定されたパスはディレクトリです は開けません"));
}

TEST(FileAccessTest, UnreadableFileIsReportedAsAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempDir dir;
  const std::string path = dir.File("locked.udl");
  WriteWholeFile(path, "x");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  EXPECT_EQ(ThrownMessage([&] { ReadWholeFile(path); }),
            Sjis("ファイル \"") + path + Sjis("\". アクセスが拒否されました は開けません"));
  EXPECT_EQ(ThrownMessage([&] { WriteWholeFile(path, "y"); }),
            Sjis("ファイル \"") + path + Sjis("\". アクセスが拒否されました を作成できません"));
}

TEST(FileAccessTest, AWriteThatCannotFinishIsAFailure) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(ThrownMessage([] { WriteWholeFile("/dev/full", "abc"); }),
            Sjis("ファイル \"/dev/full\". ディスクに十分な空き領域がありません を作成できません"));
}

TEST(FileAccessTest, MessagesNameThePathAsGivenAndFallBackToTheSystemText) {
  const std::string path = Sjis("C:\\データ\\a.udl");
  EXPECT_EQ(FileOpenMessage(path, EACCES),
            Sjis("ファイル \"") + path + Sjis("\". アクセスが拒否されました は開けません"));
  EXPECT_EQ(FileCreateMessage("a", EROFS),
            Sjis("ファイル \"a\". 読み取り専用のファイルシステムです を作成できません"));
  EXPECT_EQ(FileCreateMessage("a", EIO),
            Sjis("ファイル \"a\". ") + Utf8ToSjis(std::strerror(EIO)) + Sjis(" を作成できません"));
}

}  // namespace
}  // namespace tarnwick
