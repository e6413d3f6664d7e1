// Importing Jet files with what the sample files lack (dates before 1900, times alone, exact
// currency, text in code pages and in Unicode beyond Shift-JIS, counters, unique indexes),
// made by changing the stored bytes of copies; and broken, protected and locked files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "data/Dataset.h"
#include "support/JetSamples.h"
#include "support/SessionFixture.h"
#include "support/ThrownMessage.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

using test::CopyOfSample;
using test::Overwrite;
using test::ReplaceOnce;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string DoubleBytes(double value) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &value, 8);  // the machine is little-endian, as Jet files are
  return bytes;
}

std::string Int64Bytes(std::int64_t value) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &value, 8);
  return bytes;
}

struct JetEdgeFixture : test::SessionFixture {
  JetEdgeFixture() {
    session.RecreateDatabase();
    session.SetDbConnected(true);
    pane.Clear();
  }
  // A value of a current table as console text (Shift-JIS, shown here in UTF-8), and text as
  // the engine stores it (other values as shown).
  std::string Shown(const std::string& sql) {
    Query query(connection);
    query.SetSql(Sjis(sql));
    query.Open();
    return SjisToUtf8(query.FieldAt(0).AsString());
  }
  std::string Stored(const std::string& sql) {
    Query query(connection);
    query.SetSql(Sjis(sql));
    query.Open();
    const CellValue value = query.FieldAt(0).Value();
    return value.type == CellValue::Text ? std::string(value.bytes) : Shown(sql);
  }
};

TEST(JetImportValues, StoredBytesArriveAsTheValuesJetMeans) {
  REQUIRE_JET_SAMPLES();
  const struct {
    const char* sample;
    std::string from, to;
    const char* query;  // on the imported table
    const char* stored;
  } cases[] = {
      {"testV1997.mdb", DoubleBytes(27293.0), DoubleBytes(-18095.5),
       "SELECT G FROM Table1 WHERE A = 'abcdefg'", "1850-06-15 12:00:00"},
      {"testV1997.mdb", Int64Bytes(35000), Int64Bytes(-123456789),
       "SELECT H FROM Table1 WHERE A = 'abcdefg'", "-12345.6789"},
      {"testV1997.mdb", "hijklmnop", "caf\xE9\xE8\xE0!ab",  // Jet 3: the code page, 1252 here
       "SELECT B FROM Table1 WHERE A = 'abcdefg'", "caféèà!ab"},
      {"fixedTextTestV2000.mdb", Bytes({0x85, 0xE0, 0x90, 0x96, 0x5F, 0x97, 0xE3, 0x40}),
       DoubleBytes(0.75), "SELECT d_stamp_ FROM users WHERE i_user_id = 1", "1899-12-30 18:00:00"},
      // Jet 4: compressed text replaced by three UTF-16 characters, the last one outside
      // Shift-JIS.
      {"indexTestV2000.mdb",
       "\xFF\xFE"
       "foo1",
       Bytes({0x22, 0x6F, 0x57, 0x5B, 0xFC, 0x00}), "SELECT data FROM Table2 WHERE id = 1",
       "漢字ü"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    JetEdgeFixture f;
    const std::string file = CopyOfSample(f.dir, c.sample, "patched.mdb");
    ReplaceOnce(file, c.from, c.to);
    EXPECT_EQ(f.session.ImportDatabase(file), 0) << f.Pane();
    EXPECT_EQ(f.Stored(c.query), c.stored);
  }
}

TEST(JetImportValues, TextBeyondShiftJisIsKeptWholeAndOnlyShownWithTheReplacement) {
  REQUIRE_JET_SAMPLES();
  JetEdgeFixture f;
  const std::string file = CopyOfSample(f.dir, "indexTestV2000.mdb", "patched.mdb");
  ReplaceOnce(file,
              "\xFF\xFE"
              "foo1",
              Bytes({0x22, 0x6F, 0x57, 0x5B, 0xFC, 0x00}));
  ASSERT_EQ(f.session.ImportDatabase(file), 0);
  EXPECT_EQ(f.Stored("SELECT data FROM Table2 WHERE id = 1"), "\xE6\xBC\xA2\xE5\xAD\x97\xC3\xBC");
  EXPECT_EQ(f.Shown("SELECT data FROM Table2 WHERE id = 1"), "漢字?");
}

TEST(JetImportValues, TheAutoNumberCounterIsCarriedOver) {
  REQUIRE_JET_SAMPLES();
  JetEdgeFixture f;
  const std::string file = CopyOfSample(f.dir, "testV1997.mdb", "counter.mdb");
  // Table3's definition (page 50 of 2048 bytes) keeps the last number handed out at 16.
  ASSERT_EQ(ReadWholeFile(file).substr(50 * 2048 + 16, 4), std::string(4, '\0'));
  Overwrite(file, 50 * 2048 + 16, Bytes({41, 0, 0, 0}));
  ASSERT_EQ(f.session.ImportDatabase(file), 0);
  f.Exec("INSERT INTO Table3 (b) VALUES ('next')");
  EXPECT_EQ(f.Scalar("SELECT a FROM Table3"), "42");
}

TEST(JetImportValues, UniqueIndexesOtherThanTheKeyBecomeUniqueIndexes) {
  REQUIRE_JET_SAMPLES();
  JetEdgeFixture f;
  const std::string file = CopyOfSample(f.dir, "testV1997.mdb", "unique.mdb");
  // The flags of Table1's index on B (its first index entry): 0x01 makes it unique.
  constexpr std::size_t kIndexFlags = 59669;
  ASSERT_EQ(ReadWholeFile(file)[kIndexFlags], '\0');
  Overwrite(file, kIndexFlags, "\x01");
  ASSERT_EQ(f.session.ImportDatabase(file), 0) << f.Pane();
  EXPECT_EQ(
      f.EngineScalar(
          "SELECT group_concat(name || ':' || [unique], ' ') FROM pragma_index_list('Table1') "
          "WHERE origin = 'c'"),
      "Table1_B:1");
  EXPECT_EQ(f.EngineScalar("SELECT group_concat(name) FROM pragma_index_info('Table1_B')"), "B");
  Query insert(f.connection);
  insert.SetSql("INSERT INTO Table1 (A, B, I) VALUES ('other', 'b', 0)");
  EXPECT_NE(test::ThrownMessage([&] { insert.ExecSql(); }), "") << "a second 'b' is refused";
}

// A Jet file that cannot be read as it is: the message names the file and says what is
// wrong; no table is half imported; the file is never changed.
TEST(JetImportFailures, BrokenProtectedAndLockedFilesSayWhyAndLeaveNothingHalfDone) {
  REQUIRE_JET_SAMPLES();
  const struct {
    const char* name;
    const char* sample;
    std::function<void(const std::string&)> spoil;
    const char* message;
    const char* tablesLeft;
  } cases[] = {
      {"cut.mdb", "indexTestV2000.mdb",
       [](const std::string& file) { WriteWholeFile(file, ReadWholeFile(file).substr(0, 100000)); },
       "Error! cut.mdbファイルへの接続に失敗しました\r\nファイル \"%s\" は途中で切れているか"
       "壊れています (ページの大きさの倍数ではありません)。\r\n\r\n\r\n",
       ""},
      {"lost.mdb", "indexTestV2000.mdb",
       [](const std::string& file) {
         WriteWholeFile(file, ReadWholeFile(file).substr(0, 40 * 4096));
       },
       "ERROR! ファイル \"%s\" は壊れています (テーブル \"Table2\" の行が 3 行のうち 0 行しか"
       "読めません)。\r\n",
       ""},
      {"baddate.mdb", "testV1997.mdb",
       [](const std::string& file) {  // the second row's date: not a number
         ReplaceOnce(file, DoubleBytes(27293.0), std::string(8, '\xFF'));
       },
       "ERROR! ファイル \"%s\" は壊れています (テーブル \"Table1\" の列 \"G\" に読めない値があり"
       "ます)。\r\nTable2テーブルを取込みました\r\n",
       "Table2 Table3 Table4"},
      {"secret.mdb", "indexTestV2000.mdb",
       [](const std::string& file) {  // a password 'a': its first byte no longer masks to zero
         std::string bytes = ReadWholeFile(file);
         bytes[0x42] = static_cast<char>(bytes[0x42] ^ 'a');
         WriteWholeFile(file, bytes);
       },
       "Error! secret.mdbファイルへの接続に失敗しました\r\nファイル \"%s\" はパスワードで保護"
       "されているため取り込めません。Access でパスワードを解除してから取り込んでください。"
       "\r\n\r\n\r\n",
       ""},
      {"locked.accdb",
       "indexTestV2000.mdb",
       {},  // locked by the test itself below
       "Error! locked.accdbファイルへの接続に失敗しました\r\nファイル \"%s\" は他のプログラムが"
       "書き込み中のため読み込めません。そのプログラムを閉じてからやり直してください。\r\n\r\n\r\n",
       ""},
      {"garbled.accdb", "indexTestV2000.mdb",
       [](const std::string& file) {  // an .accdb header over pages the library cannot read
         std::string bytes = ReadWholeFile(file).substr(0, 10 * 4096);
         std::memcpy(bytes.data() + 4, "Standard ACE DB", 15);
         bytes[0x14] = 3;
         std::fill(bytes.begin() + 4096, bytes.end(), '\x5A');
         WriteWholeFile(file, bytes);
       },
       "Error! garbled.accdbファイルへの接続に失敗しました\r\nファイル \"%s\" は読めません (暗号化"
       "された .accdb か、Tarnwick が読めない形式か、壊れています)。\r\n\r\n\r\n",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    JetEdgeFixture f;
    const std::string file = CopyOfSample(f.dir, c.sample, c.name);
    if (c.spoil) c.spoil(file);
    const std::string before = ReadWholeFile(file);
    const int lock = open(file.c_str(), O_RDONLY);
    if (c.spoil == nullptr) {
      ASSERT_EQ(flock(lock, LOCK_EX), 0);
    }
    EXPECT_GE(f.session.ImportDatabase(file), 1);
    close(lock);
    std::string expected = c.message;
    expected.replace(expected.find("%s"), 2, file);
    EXPECT_TRUE(f.Pane().starts_with(expected)) << f.Pane();
    EXPECT_EQ(f.EngineScalar("SELECT coalesce(group_concat(name, ' '), '') FROM (SELECT name FROM "
                             "sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' AND "
                             "name NOT LIKE '\\_\\_tarnwick%' ESCAPE '\\' ORDER BY name)"),
              c.tablesLeft);
    EXPECT_FALSE(f.connection.InTransaction());
    EXPECT_EQ(ReadWholeFile(file), before);
    EXPECT_FALSE(FileExists(f.Folder() + "_TarnwickCache.udl"));
  }
}

}  // namespace
}  // namespace tarnwick
