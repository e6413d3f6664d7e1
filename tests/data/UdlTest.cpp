#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/Udl.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

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

  // The reader stops at the first ';': a path holding one does not read back whole.
  WriteUdlFile(udl, "a;b.mdb");
  EXPECT_EQ(ReadUdlDataSource(udl), "a");
  EXPECT_EQ(ReadUdlProvider(udl), kJetProvider);
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
