#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/ThrownMessage.h"
#include "data/Udl.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using test::TempDir;
using test::ThrownMessage;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(UdlTest, WrittenDescriptorHasTheExactLayout) {
  TempDir dir;
  const std::string udl = dir.File("a.udl");
  WriteUdlFile(udl, "C:\\db\\a.mdb");  // 11 characters
  const std::string bytes = ReadWholeFile(udl);
  ASSERT_EQ(bytes.size(), 330u);
  EXPECT_EQ(
      bytes.substr(0, 20),
      std::string(
          "\xFF\xFE\x5B\x00\x6F\x00\x6C\x00\x65\x00\x64\x00\x62\x00\x5D\x00\x0D\x00\x0A\x00", 20));
  EXPECT_EQ(bytes,
            "\xFF\xFE" + Utf16Le(u"[oledb]\r\n"
                                 u"; Everything after this line is an OLE DB initstring\r\n"
                                 u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\db\\a.mdb"
                                 u";Mode=ReadWrite;Persist Security Info=False\r\n"));
  EXPECT_EQ(ReadUdlProvider(udl), kJetProvider);
  EXPECT_EQ(ReadUdlDataSource(udl), "C:\\db\\a.mdb");
}

TEST(UdlTest, JapanesePathIsWrittenAsUtf16AndReadsBack) {
  TempDir dir;
  const std::string udl = dir.File("j.udl");
  const std::string path = Sjis("/home/学習/ﾃｽﾄ.mdb");
  WriteUdlFile(udl, path);
  const std::string bytes = ReadWholeFile(udl);
  EXPECT_EQ(bytes.size(), 2 + 2 * (153 + std::u16string(u"/home/学習/ﾃｽﾄ.mdb").size()));
  EXPECT_NE(bytes.find(Utf16Le(u"Data Source=/home/学習/ﾃｽﾄ.mdb;")), std::string::npos);
  EXPECT_EQ(ReadUdlDataSource(udl), path);
}

TEST(UdlTest, PathIsCutAtItsFirstSemicolon) {
  TempDir dir;
  const std::string udl = dir.File("s.udl");
  WriteUdlFile(udl, "a;b.mdb");
  EXPECT_EQ(ReadUdlDataSource(udl), "a");
  EXPECT_EQ(ReadUdlProvider(udl), kJetProvider);
}

TEST(UdlTest, OverwritingALongerDescriptorLeavesNothingOfIt) {
  TempDir dir;
  const std::string udl = dir.File("o.udl");
  WriteUdlFile(udl, std::string(200, 'x') + ".mdb");
  WriteUdlFile(udl, "b.mdb");
  EXPECT_EQ(ReadWholeFile(udl).size(), 2 + 2 * (153 + 5u));
  EXPECT_EQ(ReadUdlDataSource(udl), "b.mdb");
}

TEST(UdlTest, ReadersFollowTheTextNotTheLayout) {
  TempDir dir;
  const std::string udl = dir.File("r.udl");
  // No byte-order mark needed, key found mid-line, first occurrence wins, odd byte ignored.
  WriteWholeFile(udl, Utf16Le(u"xProvider=P1;Provider=P2;Data Source=d;") + "Z");
  EXPECT_EQ(ReadUdlProvider(udl), "P1");
  EXPECT_EQ(ReadUdlDataSource(udl), "d");
  // A provider without a ';' after it reads back empty.
  WriteWholeFile(udl, "\xFF\xFE" + Utf16Le(u"Provider=Microsoft.Jet.OLEDB.4.0\r\n"));
  EXPECT_EQ(ReadUdlProvider(udl), "");
  // Keys compare with letter case; a zero unit ends the text.
  WriteWholeFile(
      udl, Utf16Le(u"provider=a;Data Source=") + std::string(2, '\0') + Utf16Le(u"b;Provider=c;"));
  EXPECT_EQ(ReadUdlProvider(udl), "");
  EXPECT_EQ(ReadUdlDataSource(udl), "");
}

TEST(UdlTest, EightBitDescriptorReadsBackEmpty) {
  TempDir dir;
  const std::string udl = dir.File("8.udl");
  WriteWholeFile(udl,
                 "[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                 "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;Mode=ReadWrite\r\n");
  EXPECT_EQ(ReadUdlProvider(udl), "");
  EXPECT_EQ(ReadUdlDataSource(udl), "");
  WriteWholeFile(udl, "");
  EXPECT_EQ(ReadUdlProvider(udl), "");
}

TEST(UdlTest, FileFailuresCarryTheFileMessages) {
  TempDir dir;
  const std::string missing = dir.File("missing.udl");
  EXPECT_EQ(ThrownMessage([&] { ReadUdlProvider(missing); }), FileOpenMessage(missing, ENOENT));
  EXPECT_EQ(ThrownMessage([&] { ReadUdlDataSource(missing); }), FileOpenMessage(missing, ENOENT));
  const std::string uncreatable = dir.File("none/x.udl");
  EXPECT_EQ(ThrownMessage([&] { WriteUdlFile(uncreatable, "a.mdb"); }),
            FileCreateMessage(uncreatable, ENOENT));
}

}  // namespace
}  // namespace tarnwick
