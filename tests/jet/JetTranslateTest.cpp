// The Jet translation: each statement and what it becomes (which shows the lexer under it),
// and the translated statements run on the engine through a query, where each column must
// store what its Jet type promises.
#include <gtest/gtest.h>

#include "data/Dataset.h"
#include "jet/JetTranslate.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"

namespace tarnwick {
namespace {

TEST(JetTranslateTest, OtherStatementsAndTheEnginesOwnTypesComeBackByteForByte) {
  // Other statements, unfinished ones, types the engine reads right and its own
  // auto-numbered key.
  for (std::string_view sql :
       {"", "   ", "CREATE", "CREATE TABLE", "CREATE TABLE t", "DROP TABLE t", "CREATE TABLE t ()",
        "ALTER TABLE t ADD", "CREATE INDEX ix ON t (a)", "CREATE VIEW v AS SELECT 1",
        "ALTER TABLE t DROP COLUMN m", "CREATE TABLE [open (a MEMO"}) {
    EXPECT_EQ(TranslateJetSql(sql), sql);
  }
  for (std::string_view sql :
       {"SELECT * FROM Items WHERE Name = 'CREATE TABLE x (a MEMO)'",
        "  insert into t values ('MEMO', \"LONG\") ;  -- COUNTER\r\n",
        "CREATE TABLE Copy AS SELECT * FROM Items",
        "ALTER TABLE t ADD CONSTRAINT pk PRIMARY KEY (a)", "CREATE TABLE t (a MEMO",
        "CREATE TABLE t (a MEMO DEFAULT 'x)", "CREATE TABLE t (a, b TEXT, c INTEGER, d)",
        "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT, n TEXT)",
        "CREATE TABLE t (ID INTEGER, PRIMARY KEY (ID AUTOINCREMENT))",
        "CREATE TABLE t (Code TEXT NOT NULL PRIMARY KEY)", "ALTER TABLE t ADD COLUMN i INTEGER"}) {
    EXPECT_EQ(TranslateJetSql(sql), sql);
  }
  const std::string_view types =
      "CREATE TABLE t (a TEXT, b TEXT(50), c CHAR, d VARCHAR(10), e NVARCHAR, f CHARACTER, "
      "g LONGTEXT, h LONGCHAR, i INTEGER, j INT, k SMALLINT, l TINYINT, m BIGINT, n REAL, "
      "o FLOAT, p DOUBLE, q MONEY, r CURRENCY, s DECIMAL(10,2), t NUMERIC, u YESNO, v BIT, "
      "w LOGICAL, x BOOLEAN, y BLOB, z double precision, zz UNKNOWNTYPE)";
  EXPECT_EQ(TranslateJetSql(types), types);
}

TEST(JetTranslateTest, JetTypesCountersAndKeysBecomeTheEnginesForms) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      // Types the engine would misread get their storage word after the name.
      {"CREATE TABLE t (a MEMO, b NOTE, c STRING(50), d GUID)",
       "CREATE TABLE t (a MEMO TEXT, b NOTE TEXT, c STRING TEXT(50), d GUID TEXT)"},
      {"CREATE TABLE t (a SHORT, b BYTE, c LONG, d SINGLE)",
       "CREATE TABLE t (a SHORT INT, b BYTE INT, c LONG INT, d SINGLE REAL)"},
      {"CREATE TABLE t (a DATETIME, b DATE, c TIME, d TIMESTAMP)",
       "CREATE TABLE t (a DATETIME TEXT, b DATE TEXT, c TIME TEXT, d TIMESTAMP TEXT)"},
      {"CREATE TABLE t (a BINARY(16), b VARBINARY, c LONGBINARY, d OLEOBJECT, e IMAGE)",
       "CREATE TABLE t (a BINARY BLOB(16), b VARBINARY BLOB, c LONGBINARY BLOB, "
       "d OLEOBJECT BLOB, e IMAGE BLOB)"},
      // Letter case, spacing, names, literals and comments of the user's text stay.
      {"create table t(a memo not null,b String ( 20 ))",
       "create table t(a memo TEXT not null,b String TEXT ( 20 ))"},
      {"CREATE TABLE [商品 一覧] (\r\n"
       "  [商品 名] MEMO DEFAULT 'MEMO' /* LONG */ ,  -- SHORT, x\r\n"
       "  \"a\"\"b\" LONG CHECK (\"a\"\"b\" > 0 AND 'x' <> 'LONG'),\r\n"
       "  顧客名 STRING(20) NOT NULL\r\n);",
       "CREATE TABLE [商品 一覧] (\r\n"
       "  [商品 名] MEMO TEXT DEFAULT 'MEMO' /* LONG */ ,  -- SHORT, x\r\n"
       "  \"a\"\"b\" LONG INT CHECK (\"a\"\"b\" > 0 AND 'x' <> 'LONG'),\r\n"
       "  顧客名 STRING TEXT(20) NOT NULL\r\n);"},
      {"CREATE TABLE t (d DATE DEFAULT #2020/1/2#, m MEMO)",
       "CREATE TABLE t (d DATE TEXT DEFAULT #2020/1/2#, m MEMO TEXT)"},
      {"CREATE TEMP TABLE IF NOT EXISTS main.t (a MEMO) WITHOUT ROWID",
       "CREATE TEMP TABLE IF NOT EXISTS main.t (a MEMO TEXT) WITHOUT ROWID"},
      // A counter becomes the auto-numbered key.
      {"CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);",
       "CREATE TABLE Items (ID INTEGER Primary Key AUTOINCREMENT, Name CHAR);"},
      {"CREATE TABLE t (ID COUNTER(1, 1), Name TEXT)",
       "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT)"},
      {"CREATE TABLE t (ID AUTOINCREMENT CONSTRAINT pk PRIMARY KEY)",
       "CREATE TABLE t (ID INTEGER CONSTRAINT pk PRIMARY KEY AUTOINCREMENT)"},
      {"CREATE TABLE t (ID COUNTER PRIMARY KEY ON CONFLICT FAIL, n TEXT)",
       "CREATE TABLE t (ID INTEGER PRIMARY KEY ON CONFLICT FAIL AUTOINCREMENT, n TEXT)"},
      {"CREATE TABLE t (ID COUNTER, n TEXT, CONSTRAINT pk PRIMARY KEY ([ID]))",
       "CREATE TABLE t (ID INTEGER, n TEXT, CONSTRAINT pk PRIMARY KEY ([ID] AUTOINCREMENT))"},
      {"CREATE TABLE t (ID COUNTER PRIMARY KEY AUTOINCREMENT)",
       "CREATE TABLE t (ID INTEGER PRIMARY KEY AUTOINCREMENT)"},
      // A counter beside another key is a plain integer.
      {"CREATE TABLE t (ID COUNTER, Code TEXT(5) PRIMARY KEY)",
       "CREATE TABLE t (ID INTEGER, Code TEXT(5) PRIMARY KEY NOT NULL)"},
      {"CREATE TABLE t (A COUNTER, B COUNTER)",
       "CREATE TABLE t (A INTEGER PRIMARY KEY AUTOINCREMENT, B INTEGER)"},
      {"CREATE TABLE t (A COUNTER, B LONG, PRIMARY KEY (A, B))",
       "CREATE TABLE t (A INTEGER NOT NULL, B LONG INT NOT NULL, PRIMARY KEY (A, B))"},
      {"CREATE TABLE t (A COUNTER) WITHOUT ROWID", "CREATE TABLE t (A INTEGER) WITHOUT ROWID"},
      // Key columns refuse NULL; a NOT NULL inside a CHECK is not the column's own.
      {"CREATE TABLE t (Code TEXT(10) PRIMARY KEY, n MEMO)",
       "CREATE TABLE t (Code TEXT(10) PRIMARY KEY NOT NULL, n MEMO TEXT)"},
      {"CREATE TABLE t ([a b] MEMO, b LONG -- key\n, CONSTRAINT pk PRIMARY KEY ([A B], \"B\"))",
       "CREATE TABLE t ([a b] MEMO TEXT NOT NULL, b LONG INT NOT NULL -- key\n, "
       "CONSTRAINT pk PRIMARY KEY ([A B], \"B\"))"},
      {"CREATE TABLE t (k TEXT PRIMARY KEY CHECK (k IS NOT NULL))",
       "CREATE TABLE t (k TEXT PRIMARY KEY CHECK (k IS NOT NULL) NOT NULL)"},
      // A sole integer key is not the row number; in a composite key it only needs NOT NULL.
      {"CREATE TABLE t (ID INTEGER PRIMARY KEY, n TEXT)",
       "CREATE TABLE t (ID INT PRIMARY KEY NOT NULL, n TEXT)"},
      {"CREATE TABLE t (ID integer, CONSTRAINT pk PRIMARY KEY (id))",
       "CREATE TABLE t (ID INT NOT NULL, CONSTRAINT pk PRIMARY KEY (id))"},
      {"CREATE TABLE t (a INTEGER, b INTEGER, PRIMARY KEY (a, b))",
       "CREATE TABLE t (a INTEGER NOT NULL, b INTEGER NOT NULL, PRIMARY KEY (a, b))"},
      // ALTER TABLE ... ADD translates the new column's type.
      {"ALTER TABLE t ADD COLUMN m MEMO", "ALTER TABLE t ADD COLUMN m MEMO TEXT"},
      {"alter table [my t] add [名前] STRING(20) NOT NULL;",
       "alter table [my t] add [名前] STRING TEXT(20) NOT NULL;"},
      {"ALTER TABLE t ADD COLUMN n COUNTER", "ALTER TABLE t ADD COLUMN n INTEGER"},
  };
  for (const auto& [sql, translated] : cases) {
    SCOPED_TRACE(sql);
    EXPECT_EQ(TranslateJetSql(sql), translated);
  }
}

using test::TestDatabase;

std::string Failure(TestDatabase& db, const std::string& sql) {
  Query query(db.Db());
  query.SetSql(sql);
  return test::ThrownMessage([&] { query.ExecSql(); });
}

TEST(JetTranslateEngineTest, TextTypesKeepLeadingZeros) {
  TestDatabase db;
  db.Exec("CREATE TABLE t (m MEMO, n NOTE, s STRING(10), d DATETIME, g GUID, l LONG, b BINARY)");
  db.Exec("ALTER TABLE t ADD COLUMN am MEMO");
  db.Exec("ALTER TABLE t ADD s2 STRING(8)");
  db.Exec(
      "INSERT INTO t VALUES ('007', '007', '007', '2024-01-02', '0012', '007', '007', '007',"
      " '08')");
  EXPECT_EQ(db.Scalar("SELECT m || ':' || typeof(m) || '|' || n || ':' || typeof(n) || '|' || "
                      "s || ':' || typeof(s) || '|' || typeof(d) || '|' || g || '|' || "
                      "l || ':' || typeof(l) || '|' || typeof(b) || '|' || am || ':' || "
                      "typeof(am) || '|' || s2 || ':' || typeof(s2) FROM t"),
            "007:text|007:text|007:text|text|0012|7:integer|text|007:text|08:text");
}

TEST(JetTranslateEngineTest, CounterNumbersRowsOneTwoThree) {
  TestDatabase db;
  db.Exec("CREATE TABLE a (ID COUNTER Primary Key, n CHAR);");
  db.Exec("CREATE TABLE b (ID COUNTER(1,1), n TEXT)");
  db.Exec("CREATE TABLE c (ID AUTOINCREMENT, n TEXT, CONSTRAINT pk PRIMARY KEY (ID))");
  for (const std::string table : {"a", "b", "c"}) {
    SCOPED_TRACE(table);
    for (const char* name : {"x", "y", "z"}) {
      db.Exec("INSERT INTO " + table + " (n) VALUES ('" + name + "')");
    }
    EXPECT_EQ(db.Scalar("SELECT group_concat(ID || n, ' ') FROM (SELECT * FROM " + table +
                        " ORDER BY ID)"),
              "1x 2y 3z");
    Query query(db.Db());
    query.SetSql("SELECT ID FROM " + table);
    query.Open();
    EXPECT_EQ(query.FieldAt(0).Kind(), ftAutoInc);
  }
  // Numbers are not used again after a delete, as with Jet.
  db.Exec("DELETE FROM a WHERE ID = 3");
  db.Exec("INSERT INTO a (n) VALUES ('d')");
  EXPECT_EQ(db.Scalar("SELECT max(ID) FROM a"), "4");
}

TEST(JetTranslateEngineTest, KeysRefuseNull) {
  TestDatabase db;
  db.Exec("CREATE TABLE i (ID INTEGER PRIMARY KEY, n TEXT)");
  db.Exec("CREATE TABLE c (a TEXT, b LONG, CONSTRAINT pk PRIMARY KEY (a, b))");
  db.Exec("CREATE TABLE s (Code TEXT(5) PRIMARY KEY)");
  for (const char* refused :
       {"INSERT INTO i (ID, n) VALUES (NULL, 'x')", "INSERT INTO i (n) VALUES ('x')",
        "INSERT INTO c VALUES ('x', NULL)", "INSERT INTO c VALUES (NULL, 1)",
        "INSERT INTO s VALUES (NULL)", "INSERT INTO i VALUES (5, 'x'), (5, 'y')"}) {
    EXPECT_NE(Failure(db, refused), "") << refused;
  }
  // Values that are there are taken.
  db.Exec("INSERT INTO i VALUES (5, 'x')");
  db.Exec("INSERT INTO c VALUES ('x', 1)");
  EXPECT_EQ(db.Scalar("SELECT count(*) FROM i"), "1");
}

}  // namespace
}  // namespace tarnwick
