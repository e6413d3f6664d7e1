// Taking over every table of another database file: the statements generated, the rows
// copied, every message, and the failures inside and outside the per-table step; and the
// filter of the key rowset that finds each table's key.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "data/KeyRowset.h"
#include "files/BuildCreateTableSql.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

using test::SessionFixture;
using Shown = std::vector<std::string>;

// The rows from where the rowset stands to its end, as "table.column#ordinal" (UTF-8).
Shown RowsFromHere(KeyRowset& rows) {
  Shown shown;
  for (; !rows.Eof(); rows.Next()) {
    const KeyRow& row = rows.Current();
    shown.push_back(SjisToUtf8(row.tableName + "." + row.columnName) + "#" +
                    std::to_string(row.ordinal));
  }
  return shown;
}

// The first value of a query run by the engine itself (UTF-8 both ways), for names that console
// text cannot spell.
std::string EngineScalar(Connection& connection, const std::string& utf8Sql) {
  sqlite3_stmt* statement = nullptr;
  std::string value;
  if (sqlite3_prepare_v2(connection.Handle(), utf8Sql.c_str(), -1, &statement, nullptr) ==
          SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0) != nullptr) {
    value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
  }
  sqlite3_finalize(statement);
  return value;
}

// A session on a fresh current database, connected, with the pane emptied.
struct ImportFixture : SessionFixture {
  ImportFixture() {
    session.RecreateDatabase();
    session.SetDbConnected(true);
    pane.Clear();
  }
  std::string CachePath() const { return Folder() + "_TarnwickCache.udl"; }
  // A database file beside the current one, made by the statements given (UTF-8).
  std::string Source(const std::vector<std::string>& statements) {
    return test::MakeDatabaseWith(File("other.mdb"), statements);
  }
  // Each row's value of `expression` in a current table, in row order, joined by " / ".
  std::string Rows(const std::string& expression, const std::string& table) {
    return EngineScalar("SELECT group_concat(r, ' / ') FROM (SELECT " + expression +
                        " AS r FROM [" + table + "] ORDER BY rowid)");
  }
  // The statement the import generates for a current table, through its filtered key rowset.
  std::string CreateSql(const std::string& utf8Table) {
    Table source(connection);
    source.SetTableName(Sjis(utf8Table));
    source.Open();
    KeyRowset keys = connection.PrimaryKeys();
    std::string filter = "TABLE_NAME = '";
    for (char c : utf8Table) filter += c == '\'' ? "''" : std::string(1, c);
    keys.SetFilter(Sjis(filter + "'"));
    return SjisToUtf8(BuildCreateTableSql(source, keys));
  }
};

TEST(ImportDatabase, TakesOverEveryTableWithItsColumnsRowsAndKey) {
  ImportFixture f;
  const std::string source =
      f.Source({"CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR)",
                "INSERT INTO Items (Name) VALUES ('pen')",
                "INSERT INTO Items (Name) VALUES ('ink')", "INSERT INTO Items (Name) VALUES (NULL)",
                "CREATE TABLE Lines (Qty INTEGER, Code CHAR(8) PRIMARY KEY)",
                "INSERT INTO Lines VALUES (5, 'A1')", "INSERT INTO Lines VALUES (NULL, 'B2')",
                "CREATE TABLE Pairs (A INTEGER, B INTEGER, C MONEY, PRIMARY KEY (B, A))",
                "INSERT INTO Pairs VALUES (1, 1, 2.5)", "INSERT INTO Pairs VALUES (1, 2, 3)",
                "CREATE TABLE Empty (X INTEGER)",
                "CREATE TABLE [Order Details] ([Unit Price] MONEY, [Order] INTEGER, \"a]b\" MEMO, "
                "Pic LONGBINARY)",
                "INSERT INTO [Order Details] VALUES (1.25, 7, 'x', x'0001')",
                "CREATE TABLE [O'Brien] (ID INTEGER PRIMARY KEY, 名前 CHAR)",
                "INSERT INTO [O'Brien] VALUES (3, '田中')",
                "CREATE TABLE 商品 (品名 CHAR, ｶﾅ YESNO, _x1 DATETIME)",
                "CREATE VIEW Named AS SELECT Name FROM Items WHERE Name IS NOT NULL"});
  EXPECT_EQ(f.session.ImportDatabase(source), 0);
  EXPECT_EQ(f.Pane(),
            "Itemsテーブルを取込みました\r\nLinesテーブルを取込みました\r\n"
            "Pairsテーブルを取込みました\r\nEmptyテーブルを取込みました\r\n"
            "Order Detailsテーブルを取込みました\r\nO'Brienテーブルを取込みました\r\n"
            "商品テーブルを取込みました\r\nNamedテーブルを取込みました\r\nOK\r\n\r\n");
  // Each table as the import would generate it again (plain names as written, others
  // bracketed, the key found by its column names, in key order), and its rows.
  const std::tuple<const char*, const char*, const char*, const char*> tables[] = {
      {"Items", "CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);",
       "ID || '|' || ifnull(Name, 'NULL')", "1|pen / 2|ink / 3|NULL"},
      {"Lines", "CREATE TABLE Lines (Qty INTEGER, Code CHAR Primary Key);",
       "ifnull(Qty, 'NULL') || '|' || Code", "5|A1 / NULL|B2"},
      {"Pairs", "CREATE TABLE Pairs (A INTEGER, B INTEGER, C MONEY, Primary Key (B, A));",
       "A || B || '|' || C", "11|2.5 / 12|3"},
      {"Empty", "CREATE TABLE Empty (X INTEGER);", "X", ""},
      {"Order Details",
       "CREATE TABLE [Order Details] ([Unit Price] MONEY, [Order] INTEGER, \"a]b\" MEMO, "
       "Pic LONGBINARY);",
       "[Order] || '|' || [Unit Price] || typeof(Pic) || (Pic = x'0001')", "7|1.25blob1"},
      {"O'Brien", "CREATE TABLE [O'Brien] (ID INTEGER Primary Key, 名前 CHAR);", "ID || 名前",
       "3田中"},
      {"商品", "CREATE TABLE 商品 (品名 CHAR, ｶﾅ YESNO, _x1 DATETIME);", "品名", ""},
      {"Named", "CREATE TABLE Named (Name CHAR);", "Name", "pen / ink"}};
  for (const auto& [table, sql, row, rows] : tables) {
    EXPECT_EQ(f.CreateSql(table), sql);
    EXPECT_EQ(f.Rows(row, table), rows) << table;
  }
  // A name with a "]" cannot be written in a Jet statement; the table object reads its column.
  Table details(f.connection);
  details.SetTableName("Order Details");
  details.Open();
  EXPECT_EQ(details.FieldAt(2).Name(), "a]b");
  EXPECT_EQ(details.FieldAt(2).AsString(), "x");
  EXPECT_FALSE(FileExists(f.CachePath()));
  EXPECT_EQ(f.ui.busyCalls, 2);  // the recreate of the fixture and the import
  EXPECT_EQ(f.ui.busyDepth, 0);
  EXPECT_EQ(f.session.MdbName, "default.mdb");
  EXPECT_FALSE(f.connection.InTransaction());
}

TEST(ImportDatabase, ANumberedTableGoesOnFromTheSourcesCounter) {
  ImportFixture f;
  const std::string source = f.Source(
      {"CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR)",
       "INSERT INTO Items (Name) VALUES ('pen')", "INSERT INTO Items (Name) VALUES ('ink')",
       "INSERT INTO Items (Name) VALUES ('cap')", "INSERT INTO Items (Name) VALUES ('nib')",
       "DELETE FROM Items WHERE ID > 2",  // numbers 3 and 4 have been handed out all the same
       "CREATE TABLE Tags (ID COUNTER Primary Key, Tag CHAR)",
       "INSERT INTO Tags (Tag) VALUES ('red')",
       "CREATE TABLE Fresh (ID COUNTER Primary Key, Name CHAR)",  // no number handed out yet
       "CREATE TABLE Plain (ID INTEGER Primary Key, Name CHAR)",
       "INSERT INTO Plain VALUES (7, 'x')"});
  EXPECT_EQ(f.session.ImportDatabase(source), 0);
  for (const char* table : {"Items", "Tags", "Fresh"}) {
    f.Exec(std::string("INSERT INTO ") + table + " VALUES (NULL, 'new')");
  }
  EXPECT_EQ(f.Rows("ID || Name", "Items"), "1pen / 2ink / 5new");
  EXPECT_EQ(f.Rows("ID || Tag", "Tags"), "1red / 2new");
  EXPECT_EQ(f.Rows("ID || Name", "Fresh"), "1new");
  EXPECT_EQ(f.Rows("ID || Name", "Plain"), "7x");
  EXPECT_EQ(f.EngineScalar("SELECT group_concat(\"table\" || \"next\", ' ') FROM "
                           "(SELECT * FROM __tarnwick_counters ORDER BY 1)"),
            "Fresh2 Items6 Tags3");
}

TEST(ImportDatabase, AFailingRowOrATableThatExistsIsReportedAndTheOtherTablesTakenOver) {
  ImportFixture f;
  f.Exec("CREATE TABLE Items (ID INTEGER)");
  f.Exec("INSERT INTO Items VALUES (42)");
  // A database made by another program may hold a NULL in a text key; the imported key
  // refuses it, so the third row fails. Items exists already.
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(f.File("other.mdb").c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw,
                         "CREATE TABLE Nums (Code TEXT PRIMARY KEY, V TEXT);"
                         "INSERT INTO Nums VALUES ('a', 1), ('b', 2), (NULL, 3), ('d', 4);"
                         "CREATE TABLE Items (ID INTEGER); INSERT INTO Items VALUES (1), (2);"
                         "CREATE TABLE After (ID INTEGER); INSERT INTO After VALUES (1);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  EXPECT_EQ(f.session.ImportDatabase(f.File("other.mdb")), 2);
  const std::string pane = f.Pane();
  EXPECT_TRUE(pane.starts_with("ERROR! ")) << pane;
  EXPECT_NE(pane.find("\r\nERROR! テーブル 'Items' は既に存在します。\r\nヒント: "),
            std::string::npos)
      << pane;
  EXPECT_TRUE(pane.ends_with("\r\nAfterテーブルを取込みました\r\nOK\r\n\r\n")) << pane;
  EXPECT_EQ(f.Rows("ID", "Items"), "42");
  EXPECT_EQ(f.Rows("ID", "After"), "1");
  EXPECT_FALSE(f.connection.InTransaction());
  // The rows before the failure are committed: another connection sees them.
  Connection other;
  other.SetConnectionString(f.session.ConnectionString());
  other.SetDialect(SqlDialect::Engine);
  Query count(other);
  count.SetSql("SELECT group_concat(Code) FROM Nums");
  count.Open();
  EXPECT_EQ(count.FieldAt(0).AsString(), "a,b");

  // Inside a transaction the user began, the rows join it.
  ImportFixture g;
  const std::string source = g.Source({"CREATE TABLE T (ID INTEGER)", "INSERT INTO T VALUES (1)"});
  g.Exec("BEGIN TRANSACTION");
  g.session.ImportDatabase(source);
  EXPECT_EQ(g.Pane(), "Tテーブルを取込みました\r\nOK\r\n\r\n");
  EXPECT_TRUE(g.connection.InTransaction());
  g.Exec("ROLLBACK");
  EXPECT_TRUE(g.connection.TableNames().empty());
}

TEST(ImportDatabase, ARowRefusedPartWayThroughALargeTableKeepsTheRowsBeforeIt) {
  // The whole table is copied by one statement of the engine; when that fails, the outcome is
  // still the one of rows stored one by one. Row `refused` of 3000 holds a NULL key.
  for (const int refused : {1, 1500, 3000}) {
    ImportFixture f;
    const std::string path = f.File("other.mdb");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    const std::string make =
        "CREATE TABLE Big (Code TEXT PRIMARY KEY, N INTEGER);"
        "INSERT INTO Big WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
        "WHERE i < 3000) SELECT CASE WHEN i = " +
        std::to_string(refused) +
        " THEN NULL ELSE 'c' || i END, i FROM n;"
        "CREATE TABLE Next (ID INTEGER); INSERT INTO Next VALUES (7);";
    ASSERT_EQ(sqlite3_exec(raw, make.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    EXPECT_EQ(f.session.ImportDatabase(path), 1) << refused;
    // The engine's message for the refused row, as when every row is stored one by one.
    const std::string pane = f.Pane();
    EXPECT_TRUE(pane.starts_with("ERROR! フィールド 'Big.Code' には Null 値を入力できません。"))
        << pane;
    EXPECT_TRUE(pane.ends_with("\r\nNextテーブルを取込みました\r\nOK\r\n\r\n")) << pane;
    const std::string kept = std::to_string(refused - 1);
    EXPECT_EQ(EngineScalar(f.connection, "SELECT count(*) || ' ' || ifnull(max(N), 0) FROM Big"),
              kept + " " + kept);
    EXPECT_EQ(f.Rows("ID", "Next"), "7");
    // The source is let go again.
    EXPECT_EQ(
        EngineScalar(f.connection,
                     "SELECT group_concat(name) FROM pragma_database_list WHERE name <> 'temp'"),
        "main");
    EXPECT_FALSE(f.connection.InTransaction());
  }
}

TEST(ImportDatabase, AFileThatCannotBeConnectedIsOneErrorLineAndItsReason) {
  ImportFixture f;
  WriteWholeFile(f.File("junk.mdb"), "this is no database, only text");
  const std::pair<const char*, std::string> cases[] = {
      {"junk.mdb", "ファイル \"" + f.File("junk.mdb") +
                       "\" はデータベースではありません。\r\nヒント: Tarnwick のデータベースファイ"
                       "ルを選んでください。Access のファイルは取り込んで使います。"},
      {"missing.mdb", "データベースファイル \"" + f.File("missing.mdb") +
                          "\" が見つかりません。\r\nヒント: ファイル名とフォルダ名が正しいか確かめ"
                          "てください。"},
  };
  for (const auto& [name, reason] : cases) {
    f.pane.Clear();
    EXPECT_EQ(f.session.ImportDatabase(f.File(name)), 1);
    EXPECT_EQ(f.Pane(), "Error! " + std::string(name) + "ファイルへの接続に失敗しました\r\n" +
                            reason + "\r\n\r\n\r\n");
    EXPECT_FALSE(FileExists(f.CachePath()));
    EXPECT_EQ(f.ui.busyDepth, 0);
  }
  EXPECT_FALSE(FileExists(f.File("missing.mdb")));
  EXPECT_TRUE(f.connection.TableNames().empty());
}

TEST(ImportDatabase, AFailureOutsideTheTableStepEndsTheImportAfterCleaningUp) {
  ImportFixture f;
  // A view whose table is gone cannot be opened as a source table.
  const std::string source =
      f.Source({"CREATE TABLE First (ID INTEGER)", "INSERT INTO First VALUES (1)",
                "CREATE TABLE Gone (ID INTEGER)", "CREATE VIEW Broken AS SELECT * FROM Gone",
                "DROP TABLE Gone", "CREATE TABLE Last (ID INTEGER)"});
  EXPECT_THROW(f.session.ImportDatabase(source), TarnwickError);
  EXPECT_EQ(f.Pane(), "Firstテーブルを取込みました\r\n");  // no "OK"
  EXPECT_EQ(f.Rows("ID", "First"), "1");
  EXPECT_FALSE(FileExists(f.CachePath()));
  EXPECT_EQ(f.ui.busyDepth, 0);
}

// Every table comes over under its own name, also one that Shift-JIS cannot spell (the pane
// shows '?' for what it cannot); BIGINT and GUID columns keep their types; and no file under
// the cache descriptor's old name is written or followed.
TEST(ImportDatabase, EveryNameEveryStorableKindAndNoCacheFile) {
  ImportFixture f;
  // Made by the engine itself: console text could not carry these names.
  const std::string source = f.Source({});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(source.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(
          db,
          "CREATE TABLE \"a😀\" (ID INTEGER PRIMARY KEY, G GUID, B BIGINT);"
          "INSERT INTO \"a😀\" VALUES (1, X'FF1996F6868B11D0B42D00C04FC964FF', 9007199254740993);"
          "CREATE TABLE \"波〜\" (V TEXT); INSERT INTO \"波〜\" VALUES ('w');"
          "CREATE TABLE Later (V TEXT); INSERT INTO Later VALUES ('x');",
          nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);
  WriteWholeFile(f.File("victim.txt"), "keep");
  std::filesystem::create_symlink(f.File("victim.txt"), f.CachePath());
  EXPECT_EQ(f.session.ImportDatabase(source), 0);
  EXPECT_EQ(f.Pane(),
            "a?テーブルを取込みました\r\n波～テーブルを取込みました\r\n"
            "Laterテーブルを取込みました\r\nOK\r\n\r\n");
  EXPECT_EQ(EngineScalar(f.connection,
                         "SELECT group_concat(name, ' ') FROM sqlite_master WHERE type = 'table'"),
            "a😀 波〜 Later");
  const std::string created =
      EngineScalar(f.connection, "SELECT sql FROM sqlite_master WHERE name = 'a😀'");
  EXPECT_NE(created.find("G\" GUID"), std::string::npos) << created;
  EXPECT_NE(created.find("B\" BIGINT"), std::string::npos) << created;
  EXPECT_EQ(EngineScalar(f.connection, "SELECT hex(G) || ' ' || B FROM \"a😀\""),
            "FF1996F6868B11D0B42D00C04FC964FF 9007199254740993");
  EXPECT_EQ(f.CreateSql("Later"), "CREATE TABLE Later (V CHAR);");
  EXPECT_EQ(EngineScalar(f.connection, "SELECT V FROM \"波〜\""), "w");
  EXPECT_EQ(ReadWholeFile(f.File("victim.txt")), "keep");
  EXPECT_TRUE(std::filesystem::is_symlink(f.CachePath()));
}

// The source is only read: a file of another program, in the engine's rollback journal mode,
// keeps every byte (its journal mode too) and gets no side files.
TEST(ImportDatabase, TheSourceFileStaysAsItWas) {
  ImportFixture f;
  const std::string source = f.File("foreign.db");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(source.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "PRAGMA journal_mode=DELETE; CREATE TABLE T (ID INTEGER PRIMARY KEY, V "
                         "TEXT); INSERT INTO T VALUES (1, 'a'), (2, 'b');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const std::string before = ReadWholeFile(source);
  EXPECT_EQ(f.session.ImportDatabase(source), 0);
  EXPECT_EQ(f.Rows("V", "T"), "a / b");
  const std::string after = ReadWholeFile(source);
  EXPECT_TRUE(after == before) << "the source's bytes changed";
  EXPECT_EQ(after.substr(18, 2), std::string("\x01\x01"));  // the rollback journal's versions
  for (const char* side : {"-wal", "-shm", "-journal"}) {
    EXPECT_FALSE(std::filesystem::exists(source + side)) << side;
  }
}

// The import shows the filter at work on ordinary tables; these are its edges.
TEST(KeyRowsetTest, AFilterShowsOneTableInKeyOrderComparingItsNameExactly) {
  const auto key = [](std::string table, std::string column, int ordinal) {
    return KeyRow{"", "", Sjis(table), Sjis(column), "", 0, ordinal, "PrimaryKey"};
  };
  KeyRowset rowset({key("Orders", "OrderID", 1), key("Lines", "OrderID", 1),
                    key("Lines", "LineNo", 2), key("O'Brien", "ID", 1), key("顧客", "番号", 1),
                    key("orders", "x", 1)});
  const std::pair<const char*, Shown> cases[] = {
      {"TABLE_NAME = 'Lines'", {"Lines.OrderID#1", "Lines.LineNo#2"}},
      {"",
       {"Orders.OrderID#1", "Lines.OrderID#1", "Lines.LineNo#2", "O'Brien.ID#1", "顧客.番号#1",
        "orders.x#1"}},
      // Spacing and the keyword's case are free; an apostrophe in the name is written twice.
      {"table_name='O''Brien'", {"O'Brien.ID#1"}},
      {"  Table_Name   =   'Orders'  ", {"Orders.OrderID#1"}},
      {"TABLE_NAME = '顧客'", {"顧客.番号#1"}},
      {"TABLE_NAME = 'orders'", {"orders.x#1"}},
      {"TABLE_NAME = 'Nothing'", {}},
  };
  for (const auto& [filter, shown] : cases) {
    SCOPED_TRACE(filter);
    rowset.SetFilter(Sjis(filter));
    EXPECT_EQ(rowset.RecordCount(), static_cast<int>(shown.size()));
    EXPECT_EQ(RowsFromHere(rowset), shown);  // the filter stands on its first row
    rowset.Next();                           // past the end stays at the end
    EXPECT_TRUE(rowset.Eof());
  }
  EXPECT_FALSE(test::ThrownMessage([&] { rowset.Current(); }).empty());

  // Other forms are refused and keep the previous filter.
  rowset.SetFilter("TABLE_NAME = 'Lines'");
  for (const char* bad :
       {"TABLE_NAME = 'Lines", "TABLE_NAME 'Lines'", "COLUMN_NAME = 'ID'", "TABLE_NAME = 'a' AND 1",
        "TABLE_NAME = Lines", "TABLE_NAMES = 'x'", "TABLE_NAME = 'O'Brien'"}) {
    EXPECT_EQ(test::ThrownMessage([&] { rowset.SetFilter(bad); }),
              Sjis("フィルタ \"") + bad + Sjis("\" は正しくありません。"))
        << bad;
  }
  EXPECT_EQ(rowset.RecordCount(), 2);
  rowset.First();
  EXPECT_EQ(RowsFromHere(rowset), (Shown{"Lines.OrderID#1", "Lines.LineNo#2"}));
}

}  // namespace
}  // namespace tarnwick
