// Translated statements run on the engine through a query: each column must store what its
// Jet type promises.
#include <gtest/gtest.h>

#include "ThrownMessage.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

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
  // Values that are there are taken; the sole integer key does not number rows itself.
  db.Exec("INSERT INTO i VALUES (5, 'x')");
  db.Exec("INSERT INTO c VALUES ('x', 1)");
  EXPECT_EQ(db.Scalar("SELECT count(*) FROM i"), "1");
  Query query(db.Db());
  query.SetSql("SELECT ID FROM i");
  query.Open();
  EXPECT_EQ(query.FieldAt(0).Kind(), ftInteger);
}

}  // namespace
}  // namespace tarnwick
