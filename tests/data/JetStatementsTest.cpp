// Jet statements on a real database: values are stored converted as Jet converts them, or the
// statement is refused and nothing changes; text compares without case; dates by their time,
// also in files written by older versions or other tools; the front end follows definitions
// that change, also those another connection changes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "data/Dataset.h"
#include "jetlib/JetFunctions.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/messages/EngineMessages.h"

namespace tarnwick {
namespace {

using test::TestDatabase;

class JetStatementsTest : public ::testing::Test {
 protected:
  std::string Failure(std::string_view sql) {
    Query query(db_.Db());
    query.SetSql(Sjis(sql));
    return SjisToUtf8(test::ThrownMessage([&] { query.ExecSql(); }));
  }
  // Every row of the table, each value as "type:value", rows separated by " / " (the engine's
  // own expression of the column, as stored).
  std::string Rows(const std::string& table, const std::string& column = "v") {
    return db_.EngineScalar("SELECT group_concat(x, ' / ') FROM (SELECT typeof(" + column +
                            ") || ':' || ifnull(" + column + ", '') AS x FROM " + table +
                            " ORDER BY rowid)");
  }
  // Writes with the engine alone, as another tool would.
  void Raw(const std::string& sql) {
    ASSERT_EQ(sqlite3_exec(db_.Db().Handle(), sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sql;
  }
  TestDatabase db_;
};

TEST_F(JetStatementsTest, StoredValuesAreConvertedAsJetConvertsThem) {
  struct Case {
    std::string_view type;
    std::string_view value;
    std::string_view stored;
  };
  const Case cases[] = {
      {"LONG", "'123'", "integer:123"},
      {"LONG", "1.5", "integer:2"},
      {"LONG", "2.5", "integer:2"},
      {"LONG", "-2.5", "integer:-2"},
      {"BYTE", "' 255 '", "integer:255"},
      {"SHORT", "True", "integer:-1"},
      {"DOUBLE", "'1e3'", "real:1000.0"},
      {"CURRENCY", "1.23456", "real:1.2346"},
      {"DATETIME", "'2024/4/1'", "text:2024-04-01 00:00:00"},
      {"DATETIME", "#4/1/2024 1:30 PM#", "text:2024-04-01 13:30:00"},
      {"YESNO", "True", "integer:-1"},
      {"YESNO", "5", "integer:-1"},
      {"YESNO", "NULL", "integer:0"},
      {"TEXT(3)", "12", "text:12"},
      {"TEXT(3)", "'日本語'", "text:日本語"},
      {"MEMO", "NULL", "null:"},
  };
  for (const Case& c : cases) {
    const std::string type(c.type);
    SCOPED_TRACE(type + " " + std::string(c.value));
    // A value that stands alone in VALUES goes through the prepared template of its shape;
    // one in an expression, and every UPDATE, through the statement's own conversion.
    db_.Exec("CREATE TABLE a (k LONG, v " + type + ")");
    db_.Exec("INSERT INTO a (k, v) VALUES (1, " + std::string(c.value) + ")");
    db_.Exec("INSERT INTO a (k, v) VALUES (2, IIf(True, " + std::string(c.value) + ", NULL))");
    db_.Exec("UPDATE a SET v = " + std::string(c.value) + " WHERE k = 2");
    const std::string stored(c.stored);
    EXPECT_EQ(Rows("a"), stored + " / " + stored);
    db_.Exec("DROP TABLE a");
  }
}

TEST_F(JetStatementsTest, AValueThatDoesNotConvertIsRefusedAndNothingChanges) {
  // Jet's message, naming the column and the value, and what the column takes.
  const auto mismatch = [](std::string_view type, std::string_view value) {
    return msg::TypeMismatchStoring("v", type, value).Utf8();
  };
  const auto overflow = [](std::string_view type, std::string_view value) {
    return msg::OverflowStoring("v", type, value).Utf8();
  };
  const std::string tooSmall = msg::FieldTooSmallStoring("v", 3).Utf8();
  const std::tuple<std::string_view, std::string_view, std::string> cases[] = {
      {"LONG", "'xyz'", mismatch("LONG", "xyz")},
      {"LONG", "'12円'", mismatch("LONG", "12円")},
      {"DATETIME", "'2012-02-30'", mismatch("DATETIME", "2012-02-30")},
      {"DATETIME", "'25:00'", mismatch("DATETIME", "25:00")},
      {"BYTE", "256", overflow("BYTE", "256")},
      {"BYTE", "-1", overflow("BYTE", "-1")},
      {"SHORT", "32768", overflow("SHORT", "32768")},
      {"LONG", "2147483648", overflow("LONG", "2147483648")},
      {"TEXT(3)", "'abcd'", tooSmall},
      {"TEXT(3)", "'あいうえ'", tooSmall},
  };
  for (const auto& [type, value, message] : cases) {
    SCOPED_TRACE(std::string(type) + " " + std::string(value));
    db_.Exec("CREATE TABLE r (k LONG, v " + std::string(type) + ")");
    db_.Exec("INSERT INTO r (k) VALUES (1)");
    EXPECT_EQ(Failure("INSERT INTO r VALUES (2, " + std::string(value) + ")"), message);
    EXPECT_EQ(Failure("INSERT INTO r SELECT 2, " + std::string(value)), message);
    EXPECT_EQ(Failure("UPDATE r SET v = " + std::string(value)), message);
    EXPECT_EQ(Rows("r", "k || '=' || IIf(v Is Null, 'null', v)"), "text:1=null");
    db_.Exec("DROP TABLE r");
  }
  // A type Jet does not know is read as the type closest to the engine's own for it, and
  // takes only what reads as that type.
  Raw("CREATE TABLE g (k LONG, v WHATEVER, w UNSIGNED BIG INT)");
  EXPECT_EQ(Failure("INSERT INTO g VALUES (1, 'abc', 1)"), mismatch("DOUBLE", "abc"));
  EXPECT_EQ(Failure("INSERT INTO g VALUES (1, 1, 'abc')"),
            msg::TypeMismatchStoring("w", "BIGINT", "abc").Utf8());
  db_.Exec("INSERT INTO g VALUES (1, '2.5', 9000000000)");
  EXPECT_EQ(Rows("g", "v || '|' || w"), "text:2.5|9000000000");
  // An UPDATE whose last row fails changes no row at all.
  db_.Exec("CREATE TABLE n (v BYTE)");
  db_.EngineExec("INSERT INTO n VALUES (1), (2), (200)");
  EXPECT_EQ(Failure("UPDATE n SET v = v * 2"), overflow("BYTE", "400"));
  EXPECT_EQ(Rows("n"), "integer:1 / integer:2 / integer:200");
}

TEST_F(JetStatementsTest, AYesNoColumnIsNeverNull) {
  db_.Exec("CREATE TABLE y (k LONG, v YESNO)");
  // A table another tool made, without the default.
  Raw("CREATE TABLE z (k LONG INT, v YESNO)");
  for (const std::string table : {"y", "z"}) {
    db_.Exec("INSERT INTO " + table + " (k) VALUES (1)");
    db_.Exec("INSERT INTO " + table + " VALUES (2, NULL)");
    db_.Exec("INSERT INTO " + table + " (k) SELECT 3");
    EXPECT_EQ(Rows(table), "integer:0 / integer:0 / integer:0") << table;
    EXPECT_EQ(db_.Scalar("SELECT Count(*) FROM " + table + " WHERE v = False"), "3");
  }
}

TEST_F(JetStatementsTest, TrueFromAnOlderVersionIsTrue) {
  // Older versions stored True as 1.
  Raw("CREATE TABLE o (k INTEGER, v YESNO); INSERT INTO o VALUES (1, 1), (2, 0), (3, -1)");
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT Count(*) FROM o WHERE v = True", "2"},
      {"SELECT Sum(v) FROM o", "-2"},
      {"SELECT Count(*) FROM (SELECT DISTINCT v FROM o)", "2"},
      {"SELECT Count(*) FROM o WHERE Not v", "1"},
  };
  for (const auto& [sql, value] : cases) EXPECT_EQ(db_.Scalar(sql), value) << sql;
}

TEST_F(JetStatementsTest, TextComparesWithoutRegardToCase) {
  db_.Exec("CREATE TABLE t (k TEXT(5) PRIMARY KEY, n LONG)");
  db_.EngineExec("INSERT INTO t VALUES ('abc', 1), ('B', 2), ('c', 3)");
  EXPECT_NE(Failure("INSERT INTO t VALUES ('ABC', 4)"), "");  // the key ignores case
  // A table from an older version or another tool compares the same way.
  Raw("CREATE TABLE old (k TEXT, n INTEGER); INSERT INTO old VALUES ('a', 1), ('A', 2), ('b', 3)");
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT n FROM t WHERE k = 'ABC'", "1"},
      {"SELECT Count(*) FROM t WHERE k In ('b', 'C') AND k Between 'A' And 'CC'", "2"},
      {"SELECT Count(*) FROM t WHERE k Like 'A%'", "1"},
      {"SELECT Count(*) FROM t WHERE k Like '[A-B]*'", "0"},  // * is an ordinary character
      {"SELECT Count(*) FROM t WHERE k Like '[!A]'", "2"},
      {"SELECT Count(*) FROM (SELECT DISTINCT k FROM old)", "2"},
      {"SELECT Count(*) FROM (SELECT k FROM old GROUP BY k)", "2"},
      {"SELECT Count(*) FROM (SELECT k FROM old UNION SELECT 'B')", "2"},
      {"SELECT Sum(n) FROM old WHERE k = 'A'", "3"},
      {"SELECT Max(k) FROM t", "c"},
  };
  for (const auto& [sql, value] : cases) EXPECT_EQ(db_.Scalar(sql), value) << sql;
  Query sorted(db_.Db());
  sorted.SetSql("SELECT k FROM old ORDER BY k DESC, n");
  sorted.Open();
  EXPECT_EQ(sorted.FieldAt(0).AsString(), "b");
}

TEST_F(JetStatementsTest, DatesCompareByTheirTimeWhateverTheStoredForm) {
  // Dates stored by older versions: date alone, without seconds, a time alone.
  Raw("CREATE TABLE d (k INTEGER, v DATETIME TEXT); INSERT INTO d VALUES (1, '2024-04-01'), "
      "(2, '2024-04-01 13:00'), (3, '2024-03-31 23:59:59'), (4, '12:30:00')");
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT Count(*) FROM d WHERE v >= #2024/04/01#", "2"},
      {"SELECT Count(*) FROM d WHERE v = #2024/4/1#", "1"},
      {"SELECT Count(*) FROM d WHERE v Between #3/31/2024# And #2024/04/01 12:00#", "2"},
      {"SELECT k FROM d WHERE v = #12:30#", "4"},
      {"SELECT Max(v) FROM d", "2024-04-01 13:00"},
      {"SELECT First(k) FROM (SELECT k FROM d ORDER BY v DESC)", "2"},
      {"SELECT v + 1 FROM d WHERE k = 3", "2024-04-01 23:59:59"},
      // As Jet subtracts the two dates' numbers of days.
      {"SELECT v - #2024/03/31# FROM d WHERE k = 2", "1.5416666666642413"},
  };
  for (const auto& [sql, value] : cases) EXPECT_EQ(db_.Scalar(sql), value) << sql;
}

TEST_F(JetStatementsTest, CurrencyIsExactToFourPlaces) {
  db_.Exec("CREATE TABLE m (v CURRENCY)");
  db_.EngineExec("INSERT INTO m VALUES (0.1), (0.2)");
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT Sum(v) FROM m", "0.3"},
      {"SELECT First(v) + Last(v) FROM m", "0.3"},
      {"SELECT Sum(v) * 3 FROM m", "0.9"},
      {"SELECT Avg(v) FROM m", "0.15"},
  };
  for (const auto& [sql, value] : cases) EXPECT_EQ(db_.Scalar(sql), value) << sql;
}

// The result kinds of one query.
std::vector<TFieldType> KindsOf(Connection& connection, const std::string& sql) {
  Query query(connection);
  query.SetSql(Sjis(sql));
  query.Open();
  std::vector<TFieldType> kinds;
  for (int i = 0; i < query.FieldCount(); ++i) kinds.push_back(query.FieldAt(i).Kind());
  return kinds;
}

TEST_F(JetStatementsTest, AViewKeepsItsColumnsKindsAcrossConnections) {
  db_.Exec("CREATE TABLE s (id COUNTER PRIMARY KEY, price CURRENCY, d DATETIME)");
  db_.Exec(
      "CREATE VIEW v AS SELECT id, price * 2 AS p, Max(d) AS m, d + 1 FROM s GROUP BY id, d, "
      "price");
  const std::vector<TFieldType> kinds = {ftAutoInc, ftBCD, ftDateTime, ftDateTime};
  EXPECT_EQ(KindsOf(db_.Db(), "SELECT * FROM v"), kinds);
  db_.Db().Close();
  EXPECT_EQ(KindsOf(db_.Db(), "SELECT * FROM v"), kinds);
  // A view made by another tool: its columns take their tables' types, or text.
  Raw("CREATE VIEW w AS SELECT price, price * 2 FROM s");
  EXPECT_EQ(KindsOf(db_.Db(), "SELECT * FROM w"), (std::vector<TFieldType>{ftBCD, ftWideString}));
}

TEST_F(JetStatementsTest, TheFrontEndFollowsDefinitionsThatChange) {
  // The same INSERT after the table was made again with another type: the template prepared
  // for the first table does not convert for the second.
  db_.Exec("CREATE TABLE c (v LONG)");
  db_.Exec("INSERT INTO c VALUES ('007')");
  db_.Exec("DROP TABLE c");
  db_.Exec("CREATE TABLE c (v TEXT(5))");
  db_.Exec("INSERT INTO c VALUES ('007')");
  EXPECT_EQ(Rows("c"), "text:007");

  // Another connection changes the table between two statements of this one.
  Connection other;
  other.SetConnectionString(db_.Db().ConnectionString());
  test::Exec(other, "DROP TABLE c");
  test::Exec(other, "CREATE TABLE c (v LONG, w DATETIME)");
  db_.Exec("INSERT INTO c VALUES ('007', '2024/1/2')");
  EXPECT_EQ(Rows("c"), "integer:7");
  EXPECT_EQ(KindsOf(db_.Db(), "SELECT * FROM c"), (std::vector<TFieldType>{ftInteger, ftDateTime}));
  test::Exec(other, "ALTER TABLE c ADD COLUMN x YESNO");
  EXPECT_EQ(KindsOf(db_.Db(), "SELECT * FROM c"),
            (std::vector<TFieldType>{ftInteger, ftDateTime, ftBoolean}));
  test::Exec(other, "DROP TABLE c");
  test::Exec(other, "CREATE TABLE c (v DATETIME)");
  EXPECT_EQ(Failure("INSERT INTO c VALUES ('007')"),
            msg::TypeMismatchStoring("v", "DATETIME", "007").Utf8());
  other.Close();
}

}  // namespace
}  // namespace tarnwick
