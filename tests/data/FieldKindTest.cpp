#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/FieldKind.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;
using Kinds = std::vector<TFieldType>;

TEST(FieldKindTest, DeclaredTypesGiveTheirKinds) {
  // The first word names the type, in any letter case; small whole decimals are integers;
  // unknown types follow the engine's affinity ("POINT" holds "INT" first).
  const std::pair<TFieldType, std::vector<const char*>> cases[] = {
      {ftAutoInc, {"COUNTER", "AUTOINCREMENT"}},
      {ftInteger,
       {"INTEGER", "INT", "LONG INT", "Integer", "NUMERIC(8)", "NUMERIC(9,0)", "decimal ( 5 , 0 )",
        "UNSIGNED BIG INT", "FLOATING POINT"}},
      {ftSmallint, {"SMALLINT", "SHORT"}},
      {ftWord, {"BYTE", "TINYINT"}},
      {ftBoolean, {"YESNO", "BIT", "LOGICAL", "BOOLEAN"}},
      {ftFloat, {"REAL", "SINGLE", "FLOAT", "DOUBLE PRECISION", "MY DOUB"}},
      {ftBCD,
       {"MONEY", "CURRENCY", "DECIMAL", "NUMERIC", "NUMERIC(10,0)", "NUMERIC(8,2)", "DECIMAL(18)",
        "WHATEVER"}},
      {ftDateTime, {"DATETIME TEXT", "DATE", "TIME", "TIMESTAMP"}},
      {ftWideString,
       {"TEXT(50)", "CHAR(10)", "VARCHAR(255)", "NVARCHAR", "CHARACTER", "STRING TEXT(50)",
        "NATIONAL CHARACTER(20)", "VARYING CLOB"}},
      {ftMemo, {"MEMO TEXT", "LONGTEXT", "LONGCHAR", "NOTE", "  memo  text"}},
      {ftBytes, {"BINARY BLOB"}},
      {ftVarBytes, {"VARBINARY(20)"}},
      {ftBlob, {"LONGBINARY", "OLEOBJECT", "IMAGE", "BLOB", "MYBLOB"}},
      {ftGuid, {"GUID"}},
      {ftLargeint, {"BIGINT"}}};
  for (const auto& [kind, declaredTypes] : cases) {
    for (const char* declared : declaredTypes) {
      EXPECT_EQ(KindFromDeclaredType(declared), kind) << declared;
    }
  }
}

Kinds KindsOf(TestDatabase& db, std::string_view utf8Sql) {
  Query query(db.Db());
  query.SetSql(Sjis(utf8Sql));
  query.Open();
  Kinds kinds;
  for (int i = 0; i < query.FieldCount(); ++i) kinds.push_back(query.FieldAt(i).Kind());
  return kinds;
}

TEST(FieldKindTest, ColumnsTakeTheKindOfTheirDeclaredTypeAndExpressionsOfTheirFirstValue) {
  TestDatabase db;
  db.Exec(
      "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, n NUMERIC(8,0), m MONEY,"
      " d DATETIME, memo MEMO, yes YESNO, bin VARBINARY(8), any_thing)");
  db.Exec("CREATE TABLE k (id INTEGER PRIMARY KEY, name TEXT)");
  db.Exec("INSERT INTO t (any_thing) VALUES (2.5)");
  db.Exec("CREATE VIEW v AS SELECT id, memo FROM t");
  EXPECT_EQ(KindsOf(db, "SELECT * FROM t"), (Kinds{ftAutoInc, ftInteger, ftBCD, ftDateTime, ftMemo,
                                                   ftBoolean, ftVarBytes, ftFloat}));
  EXPECT_EQ(KindsOf(db, "SELECT id, name FROM k"), (Kinds{ftInteger, ftWideString}));
  // Through a view and with a table alias the column keeps its kind.
  EXPECT_EQ(KindsOf(db, "SELECT x.id, x.memo FROM v AS x"), (Kinds{ftAutoInc, ftMemo}));
  EXPECT_EQ(KindsOf(db, "SELECT 1, 1.5, 'x', x'00ff', NULL"),
            (Kinds{ftInteger, ftFloat, ftWideString, ftBlob, ftWideString}));
  EXPECT_EQ(KindsOf(db, "SELECT 1, 'x' WHERE 0"), (Kinds{ftWideString, ftWideString}));
}

}  // namespace
}  // namespace tarnwick
