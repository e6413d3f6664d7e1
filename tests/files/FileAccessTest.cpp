// Whole files under Japanese names with their failure messages, and the connection
// descriptor files written and read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "data/Udl.h"
#include "support/TempDir.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

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

TEST(FileAccessTest, FailuresAreWholeJapaneseSentencesWithTheReasonAndWhatToDo) {
  TempDir dir;
  const std::string missing = dir.File("missing.udl");
  const std::string inMissingFolder = dir.File("no-such-folder/a.udl");
  const std::string folder = dir.Path().string();
  const auto message = [](const std::string& path, const char* utf8Tail) {
    return Sjis("ファイル \"") + path + Sjis(utf8Tail);
  };
  const std::string isFolder =
      "指定された名前はフォルダです。\r\nヒント: "
      "フォルダではなくファイルの名前を指定してください。";
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[&] { ReadWholeFile(missing); },
       message(
           missing,
           "\" は開けません。ファイルが見つかりません。\r\nヒント: ファイル名とフォルダ名が正しい"
           "か確かめてください。")},
      {[&] { WriteWholeFile(inMissingFolder, "x"); },
       message(inMissingFolder,
               "\" を作成できません。保存先のフォルダが見つかりません。\r\nヒント: フォルダ名を確"
               "かめるか、先にフォルダを作ってください。")},
      {[&] { WriteWholeFile(folder, "x"); },
       message(folder, ("\" を作成できません。" + isFolder).c_str())},
      {[&] { ReadWholeFile(folder); }, message(folder, ("\" は開けません。" + isFolder).c_str())},
      {[] { WriteWholeFile("/dev/full", "abc"); },  // a write that cannot finish
       message("/dev/full",
               "\" を作成できません。ディスクに十分な空き領域がありません。\r\nヒント: 不要なファ"
               "イルを削除して空き領域を作ってから、もう一度実行してください。")},
  };
  for (const auto& [call, expected] : cases) {
    SCOPED_TRACE(SjisToUtf8(expected));
    EXPECT_EQ(ThrownMessage(call), expected);
  }
  // The path as given.
  const std::string path = Sjis("C:\\データ\\a.udl");
  EXPECT_EQ(FileOpenMessage(path, EACCES),
            message(path,
                    "\" は開けません。アクセスが拒否されました (読み取りの許可がありません)。\r\nヒ"
                    "ント: ファイルの読み取りの許可を確かめてください。"));
  EXPECT_EQ(FileCreateMessage("a", EROFS),
            message("a",
                    "\" を作成できません。読み取り専用のファイル システムです。\r\nヒント: 読み取"
                    "り専用の場所には書き込めません。書き込めるフォルダを選んでください。"));
  EXPECT_EQ(FileCreateMessage("a", ENAMETOOLONG),
            message("a",
                    "\" を作成できません。ファイル名が長すぎます。\r\nヒント: もっと短いファイル名"
                    "かフォルダを選んでください。"));
  // Every reason the system can give is said in Japanese, never in the system's words.
  for (int error = 1; error < 134; ++error) {
    for (const std::string& text : {FileOpenMessage("a", error), FileCreateMessage("a", error)}) {
      const std::string utf8 = SjisToUtf8(text);
      EXPECT_EQ(utf8.find(std::strerror(error)), std::string::npos) << utf8;
      const std::string reason = utf8.substr(utf8.find("。") + 3);
      EXPECT_FALSE(std::any_of(reason.begin(), reason.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c));
      })) << utf8;
    }
  }
}

using test::TempDir;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(UdlTest, WrittenDescriptorHasTheExactLayoutAndReadsBack) {
  TempDir dir;
  const std::string udl = dir.File("a.udl");
  WriteUdlFile(udl, "C:\\db\\a.mdb");
  EXPECT_EQ(ReadWholeFile(udl),
            "\xFF\xFE" + Utf16Le(u"[oledb]\r\n"
                                 u"; Everything after this line is an OLE DB initstring\r\n"
                                 u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\db\\a.mdb"
                                 u";Mode=ReadWrite;Persist Security Info=False\r\n"));
  EXPECT_EQ(ReadUdlProvider(udl), kJetProvider);
  EXPECT_EQ(ReadUdlDataSource(udl), "C:\\db\\a.mdb");

  const std::string japanese = Sjis("/home/学習/ﾃｽﾄ.mdb");
  WriteUdlFile(udl, japanese);
  EXPECT_NE(ReadWholeFile(udl).find(Utf16Le(u"Data Source=/home/学習/ﾃｽﾄ.mdb;")),
            std::string::npos);
  EXPECT_EQ(ReadUdlDataSource(udl), japanese);
}

TEST(UdlTest, PathsThatNeedQuotesAreQuotedAndReadBackExactly) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"semi;colon.mdb", u"\"semi;colon.mdb\""},
      {"say \"hi\".mdb", u"\"say \"\"hi\"\".mdb\""},
      {"it's.mdb", u"\"it's.mdb\""},
      {" lead.mdb", u"\" lead.mdb\""},
      {"trail.mdb ", u"\"trail.mdb \""},
      {"\t;\";Data Source=x;\"\"", u"\"\t;\"\";Data Source=x;\"\"\"\"\""},
      {Sjis("/学習/a;b.mdb"), u"\"/学習/a;b.mdb\""},
      // Paths that need no quotes keep their bytes.
      {"in side.mdb", u"in side.mdb"},
      {"a=b,c.mdb", u"a=b,c.mdb"},
  };
  TempDir dir;
  const std::string udl = dir.File("q.udl");
  for (const auto& [path, written] : cases) {
    SCOPED_TRACE(path);
    WriteUdlFile(udl, path);
    EXPECT_NE(ReadWholeFile(udl).find(Utf16Le(u"Data Source=" + written + u";Mode=")),
              std::string::npos);
    EXPECT_EQ(ReadUdlDataSource(udl), path);
    EXPECT_EQ(ReadUdlProvider(udl), kJetProvider);
  }
  // A line break cannot be written into the descriptor: refused, and nothing is written.
  for (const std::string path : {"a\r\nb.mdb", "a\nb.mdb", "a\x01.mdb"}) {
    const std::string message = SjisToUtf8(ThrownMessage([&] { WriteUdlFile(udl, path); }));
    EXPECT_NE(message.find("制御文字"), std::string::npos) << message;
    EXPECT_EQ(ReadUdlDataSource(udl), "a=b,c.mdb") << "the last descriptor stays";
  }
}

TEST(UdlTest, ReadersFollowTheTextNotTheLayout) {
  struct Case {
    std::string bytes, provider, dataSource;
  };
  const Case cases[] = {
      // No byte-order mark needed, key found mid-line, first occurrence wins, odd byte ignored.
      {Utf16Le(u"xProvider=P1;Provider=P2;Data Source=d;") + "Z", "P1", "d"},
      // A value without a ';' after it reads back empty.
      {"\xFF\xFE" + Utf16Le(u"Provider=Microsoft.Jet.OLEDB.4.0\r\n"), "", ""},
      // Keys compare with letter case; a zero unit ends the text.
      {Utf16Le(u"provider=a;Data Source=") + std::string(2, '\0') + Utf16Le(u"b;Provider=c;"), "",
       ""},
      // An eight-bit descriptor and an empty file read back empty.
      {"[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;Mode=ReadWrite\r\n",
       "", ""},
      {"", "", ""},
      // Quoted values, in either quote, the quote doubled inside; a ';' must follow.
      {Utf16Le(u"Provider='a;b';Data Source=\"c\"\"d\";"), "a;b", "c\"d"},
      {Utf16Le(u"Provider='a''b' ;Data Source=\"open;"), "", ""},
      {Utf16Le(u"Provider=\"\";Data Source=';"), "", ""},
  };
  TempDir dir;
  const std::string udl = dir.File("r.udl");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteWholeFile(udl, c.bytes);
    EXPECT_EQ(ReadUdlProvider(udl), c.provider);
    EXPECT_EQ(ReadUdlDataSource(udl), c.dataSource);
  }
}

}  // namespace
}  // namespace tarnwick
