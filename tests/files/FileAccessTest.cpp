// Whole files under Japanese names with their failure messages, and the connection
// descriptor files written and read.
#include <gtest/gtest.h>

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
