#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/ThrownMessage.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using test::TempDir;
using test::ThrownMessage;

TEST(FileAccessTest, WritesReadsAndDeletesExactBytesUnderJapaneseNames) {
  TempDir dir;
  const std::string path = dir.File("") + Sjis("売上データ.txt");  // console text
  const std::string bytes = std::string("\xFF\xFE\0\r\nabc", 8);
  WriteWholeFile(path, bytes);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "売上データ.txt"));  // named in UTF-8
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadWholeFile(path), bytes);
  WriteWholeFile(path, "x");  // replaces the whole file
  EXPECT_EQ(ReadWholeFile(path), "x");
  WriteWholeFile(path, "");
  EXPECT_EQ(std::filesystem::file_size(dir.Path() / "売上データ.txt"), 0u);

  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(DeleteFile(path));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(FileExists(dir.Path().string()));  // a folder is no file
}

TEST(FileAccessTest, FailuresCarryTheFileMessagesInJapanese) {
  TempDir dir;
  const std::string missing = dir.File("missing.udl");
  const std::string inMissingFolder = dir.File("no-such-folder/a.udl");
  const std::string folder = dir.Path().string();
  const auto message = [](const std::string& path, const char* utf8Tail) {
    return Sjis("ファイル \"") + path + Sjis(utf8Tail);
  };
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[&] { ReadWholeFile(missing); },
       message(missing, "\". 指定されたファイルまたはディレクトリが見つかりません は開けません")},
      {[&] { WriteWholeFile(inMissingFolder, "x"); },
       message(inMissingFolder,
               "\". 指定されたファイルまたはディレクトリが見つかりません を作成できません")},
      {[&] { WriteWholeFile(folder, "x"); },
       message(folder, "\". 指定されたパスはディレクトリです を作成できません")},
      {[&] { ReadWholeFile(folder); },
       message(folder, "\". 指定されたパスはディレクトリです は開けません")},
      {[] { WriteWholeFile("/dev/full", "abc"); },  // a write that cannot finish
       message("/dev/full", "\". ディスクに十分な空き領域がありません を作成できません")},
  };
  for (const auto& [call, expected] : cases) {
    SCOPED_TRACE(SjisToUtf8(expected));
    EXPECT_EQ(ThrownMessage(call), expected);
  }
  // The path as given; a reason without words of its own falls back to the system's text.
  const std::string path = Sjis("C:\\データ\\a.udl");
  EXPECT_EQ(FileOpenMessage(path, EACCES),
            message(path, "\". アクセスが拒否されました は開けません"));
  EXPECT_EQ(FileCreateMessage("a", EROFS),
            message("a", "\". 読み取り専用のファイルシステムです を作成できません"));
  EXPECT_EQ(FileCreateMessage("a", EIO),
            Sjis("ファイル \"a\". ") + Utf8ToSjis(std::strerror(EIO)) + Sjis(" を作成できません"));
}

}  // namespace
}  // namespace tarnwick
