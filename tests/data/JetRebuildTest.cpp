// A change of a table the engine cannot make in place (a column's type, a primary key added)
// makes the table again: on tables another tool made, what the table is keeps coming from the
// engine's own catalogue, never from words found in its definition's text.
#include <gtest/gtest.h>

#include "data/Dataset.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"

namespace tarnwick {
namespace {

class JetRebuildTest : public ::testing::Test {
 protected:
  std::string Failure(std::string_view sql) {
    Query query(db_.Db());
    query.SetSql(Sjis(sql));
    return SjisToUtf8(test::ThrownMessage([&] { query.ExecSql(); }));
  }
  test::TestDatabase db_;
};

// NOT in a CHECK is no NOT NULL: the key added over the column still refuses a NULL, and the
// CHECK still holds.
TEST_F(JetRebuildTest, AKeyAddedOverAColumnWithNotInItsCheckHoldsNoNull) {
  db_.EngineExec("CREATE TABLE e (c TEXT CHECK (c NOT LIKE 'x%'), n INTEGER)");
  db_.EngineExec("INSERT INTO e VALUES ('a', 1)");
  db_.Exec("ALTER TABLE e ADD CONSTRAINT k PRIMARY KEY (c)");
  EXPECT_FALSE(Failure("INSERT INTO e (n) VALUES (2)").empty());
  EXPECT_FALSE(Failure("INSERT INTO e (c, n) VALUES ('xa', 3)").empty());
  db_.Exec("INSERT INTO e (c, n) VALUES ('b', 4)");
  EXPECT_EQ(db_.EngineScalar("SELECT group_concat(c || n) FROM e"), "a1,b4");
}

// AUTOINCREMENT numbers on from where the engine's sequence stood, past rows deleted.
TEST_F(JetRebuildTest, AnAutoIncrementTableNumbersOnWhereItsSequenceStood) {
  db_.EngineExec("CREATE TABLE q (id INTEGER PRIMARY KEY AUTOINCREMENT, t TEXT)");
  db_.EngineExec("INSERT INTO q (t) VALUES ('a'), ('b'), ('c')");
  db_.EngineExec("DELETE FROM q WHERE id = 3");
  db_.Exec("ALTER TABLE q ALTER COLUMN t TEXT(10)");
  db_.Exec("INSERT INTO q (t) VALUES ('d')");
  EXPECT_EQ(db_.EngineScalar("SELECT group_concat(id || t) FROM q"), "1a,2b,4d");
}

// WITHOUT ROWID stays, and a word of the definition's text is no reason for it.
TEST_F(JetRebuildTest, ATableWithoutRowNumbersIsMadeAgainWithoutThem) {
  db_.EngineExec("CREATE TABLE w (k TEXT PRIMARY KEY, v TEXT) WITHOUT ROWID");
  db_.EngineExec("INSERT INTO w VALUES ('a', 'x')");
  db_.Exec("ALTER TABLE w ALTER COLUMN v TEXT(5)");
  EXPECT_EQ(db_.EngineScalar("SELECT wr FROM pragma_table_list WHERE name = 'w'"), "1");
  db_.EngineExec("CREATE TABLE r (k TEXT, v TEXT CHECK (v <> 'WITHOUT ROWID'))");
  db_.EngineExec("INSERT INTO r VALUES ('a', 'x')");
  db_.Exec("ALTER TABLE r ALTER COLUMN v TEXT(5)");
  EXPECT_EQ(db_.EngineScalar("SELECT wr FROM pragma_table_list WHERE name = 'r'"), "0");
  EXPECT_EQ(db_.EngineScalar("SELECT w.k || w.v || r.k || r.v FROM w, r"), "axax");
}

}  // namespace
}  // namespace tarnwick
