#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/FieldKind.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;

TEST(FieldKindTest, DeclaredTypeNamesGiveTheirKinds) {
  const std::pair<const char*, TFieldType> cases[] = {
      {"COUNTER", ftAutoInc},
      {"AUTOINCREMENT", ftAutoInc},
      {"INTEGER", ftInteger},
      {"INT", ftInteger},
      {"LONG INT", ftInteger},
      {"SMALLINT", ftSmallint},
      {"SHORT", ftSmallint},
      {"BYTE", ftWord},
      {"TINYINT", ftWord},
      {"YESNO", ftBoolean},
      {"BIT", ftBoolean},
      {"LOGICAL", ftBoolean},
      {"BOOLEAN", ftBoolean},
      {"REAL", ftFloat},
      {"SINGLE", ftFloat},
      {"FLOAT", ftFloat},
      {"DOUBLE PRECISION", ftFloat},
      {"MONEY", ftBCD},
      {"CURRENCY", ftBCD},
      {"DECIMAL", ftBCD},
      {"NUMERIC", ftBCD},
      {"DATETIME TEXT", ftDateTime},
      {"DATE", ftDateTime},
      {"TIME", ftDateTime},
      {"TIMESTAMP", ftDateTime},
      {"TEXT(50)", ftWideString},
      {"CHAR(10)", ftWideString},
      {"VARCHAR(255)", ftWideString},
      {"NVARCHAR", ftWideString},
      {"CHARACTER", ftWideString},
      {"STRING TEXT(50)", ftWideString},
      {"MEMO TEXT", ftMemo},
      {"LONGTEXT", ftMemo},
      {"LONGCHAR", ftMemo},
      {"NOTE", ftMemo},
      {"BINARY BLOB", ftBytes},
      {"VARBINARY(20)", ftVarBytes},
      {"LONGBINARY", ftBlob},
      {"OLEOBJECT", ftBlob},
      {"IMAGE", ftBlob},
      {"BLOB", ftBlob},
      {"GUID", ftGuid},
      {"BIGINT", ftLargeint},
      {"  memo  text", ftMemo},
      {"Integer", ftInteger},
  };
  for (const auto& [declared, kind] : cases) {
    EXPECT_EQ(KindFromDeclaredType(declared), kind) << declared;
  }
}

TEST(FieldKindTest, SmallWholeDecimalsAreIntegers) {
  EXPECT_EQ(KindFromDeclaredType("NUMERIC(8)"), ftInteger);
  EXPECT_EQ(KindFromDeclaredType("NUMERIC(9,0)"), ftInteger);
  EXPECT_EQ(KindFromDeclaredType("decimal ( 5 , 0 )"), ftInteger);
  EXPECT_EQ(KindFromDeclaredType("NUMERIC(10,0)"), ftBCD);
  EXPECT_EQ(KindFromDeclaredType("NUMERIC(8,2)"), ftBCD);
  EXPECT_EQ(KindFromDeclaredType("DECIMAL(18)"), ftBCD);
}

TEST(FieldKindTest, UnknownTypesFollowTheEngineAffinity) {
  EXPECT_EQ(KindFromDeclaredType("UNSIGNED BIG INT"), ftInteger);
  EXPECT_EQ(KindFromDeclaredType("NATIONAL CHARACTER(20)"), ftWideString);
  EXPECT_EQ(KindFromDeclaredType("VARYING CLOB"), ftWideString);
  EXPECT_EQ(KindFromDeclaredType("MYBLOB"), ftBlob);
  EXPECT_EQ(KindFromDeclaredType("FLOATING POINT"), ftInteger);  // "POINT" holds "INT" first
  EXPECT_EQ(KindFromDeclaredType("MY DOUB"), ftFloat);
  EXPECT_EQ(KindFromDeclaredType("WHATEVER"), ftBCD);
}

std::vector<TFieldType> Kinds(TestDatabase& db, std::string_view utf8Sql) {
  Query query(db.Db());
  query.SetSql(Sjis(utf8Sql));
  query.Open();
  std::vector<TFieldType> kinds;
  for (int i = 0; i < query.FieldCount(); ++i) kinds.push_back(query.FieldAt(i).Kind());
  return kinds;
}

TEST(FieldKindTest, TableColumnsTakeTheKindOfTheirDeclaredType) {
  TestDatabase db;
  db.Exec(
      "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, n NUMERIC(8,0), m MONEY,"
      " d DATETIME, memo MEMO, yes YESNO, bin VARBINARY(8), any_thing)");
  db.Exec("CREATE TABLE k (id INTEGER PRIMARY KEY, name TEXT)");
  db.Exec("INSERT INTO t (any_thing) VALUES (2.5)");

  const std::vector<TFieldType> expected = {ftAutoInc, ftInteger, ftBCD,      ftDateTime,
                                            ftMemo,    ftBoolean, ftVarBytes, ftFloat};
  EXPECT_EQ(Kinds(db, "SELECT * FROM t"), expected);
  EXPECT_EQ(Kinds(db, "SELECT id, name FROM k"),
            (std::vector<TFieldType>{ftInteger, ftWideString}));
  // Through a view and with a table alias the column keeps its kind.
  db.Exec("CREATE VIEW v AS SELECT id, memo FROM t");
  EXPECT_EQ(Kinds(db, "SELECT x.id, x.memo FROM v AS x"),
            (std::vector<TFieldType>{ftAutoInc, ftMemo}));
}

TEST(FieldKindTest, ExpressionsTakeTheKindOfTheirFirstValue) {
  TestDatabase db;
  const std::vector<TFieldType> expected = {ftInteger, ftFloat, ftWideString, ftBlob, ftWideString};
  EXPECT_EQ(Kinds(db, "SELECT 1, 1.5, 'x', x'00ff', NULL"), expected);
  EXPECT_EQ(Kinds(db, "SELECT 1, 'x' WHERE 0"),
            (std::vector<TFieldType>{ftWideString, ftWideString}));
}

TEST(FieldKindTest, ACounterColumnNumbersItsRowsAndReadsAsAutoIncrement) {
  TestDatabase db;
  db.Exec("CREATE TABLE members (id COUNTER PRIMARY KEY, name TEXT(20))");
  for (const char* name : {"a", "b", "c"}) {
    db.Exec(std::string("INSERT INTO members (name) VALUES ('") + name + "')");
  }
  Query query(db.Db());
  query.SetSql("SELECT id, name FROM members ORDER BY id");
  query.Open();
  EXPECT_EQ(query.FieldAt(0).Kind(), ftAutoInc);
  EXPECT_EQ(query.FieldAt(1).Kind(), ftWideString);
  for (std::int64_t expected = 1; expected <= 3; ++expected, query.Next()) {
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldAt(0).AsInteger(), expected);
  }
  EXPECT_TRUE(query.Eof());
}

}  // namespace
}  // namespace tarnwick
