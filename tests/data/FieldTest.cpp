// A column's kind, and its value read as text, number, truth or date.
#include <gtest/gtest.h>

#include "data/Dataset.h"
#include "data/Field.h"
#include "data/FieldKind.h"
#include "data/ValueText.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"

namespace tarnwick {
namespace {

using test::ThrownMessage;
using Kinds = std::vector<TFieldType>;

// One value, read through a query's field.
class FieldTest : public ::testing::Test {
 protected:
  FieldTest() : query_(db_.Db()) {}
  const Field& Select(std::string_view utf8Expression) {
    query_.SetSql(Sjis("SELECT " + std::string(utf8Expression) + " AS v"));
    query_.Open();
    return query_.FieldAt(0);
  }
  Kinds KindsOf(std::string_view utf8Sql) {
    query_.SetSql(Sjis(utf8Sql));
    query_.Open();
    Kinds kinds;
    for (int i = 0; i < query_.FieldCount(); ++i) kinds.push_back(query_.FieldAt(i).Kind());
    return kinds;
  }
  test::TestDatabase db_;
  Query query_;
};

TEST_F(FieldTest, ValuesReadAsTextNumbersAndTruth) {
  const std::pair<const char*, std::string> texts[] = {
      {"-42", "-42"},
      {"9223372036854775807", "9223372036854775807"},
      {"0.1", "0.1"},
      {"2.0", "2"},
      {"1e300 * 10", "1e+301"},
      {"'日本語 text'", Sjis("日本語 text")},
      {"x'00410042'", std::string("\0A\0B", 4)},
      {"NULL", ""}};
  for (const auto& [sql, text] : texts) EXPECT_EQ(Select(sql).AsString(), text) << sql;
  EXPECT_TRUE(Select("NULL").IsNull());
  const std::pair<const char*, std::int64_t> integers[] = {{"42", 42}, {"' 42 '", 42}, {"'+7'", 7},
                                                           {"2.7", 3}, {"'-2.7'", -3}, {"NULL", 0}};
  for (const auto& [sql, value] : integers) EXPECT_EQ(Select(sql).AsInteger(), value) << sql;
  const std::pair<const char*, double> floats[] = {
      {"3", 3.0}, {"'3.25'", 3.25}, {"'1e3'", 1000.0}, {"NULL", 0.0}};
  for (const auto& [sql, value] : floats) EXPECT_DOUBLE_EQ(Select(sql).AsFloat(), value) << sql;
  const std::pair<const char*, bool> truths[] = {{"-1", true},     {"1", true},       {"0.5", true},
                                                 {"'True'", true}, {"'-1'", true},    {"0", false},
                                                 {"NULL", false},  {"'false'", false}};
  for (const auto& [sql, truth] : truths) EXPECT_EQ(Select(sql).AsBoolean(), truth) << sql;
}

TEST_F(FieldTest, StoredDateTextReadsAsDateTime) {
  const std::pair<const char*, DateTime> dates[] = {
      {"'2023-04-05'", {2023, 4, 5, 0, 0, 0}},
      {"'2023-04-05 07:08'", {2023, 4, 5, 7, 8, 0}},
      {"'2023-04-05 17:08:09'", {2023, 4, 5, 17, 8, 9}},
      {"'2023/4/5T7:08:09.250'", {2023, 4, 5, 7, 8, 9}},
      {"'2024-02-29'", {2024, 2, 29, 0, 0, 0}},
      {"'2024-02-29 23:59:59'", {2024, 2, 29, 23, 59, 59}},
      {"'0001-01-01 00:00:00'", {1, 1, 1, 0, 0, 0}},
      {"'12:30:00'", {1899, 12, 30, 12, 30, 0}},
      {"NULL", {}}};
  for (const auto& [sql, date] : dates) EXPECT_EQ(Select(sql).AsDateTime(), date) << sql;
  for (const char* bad : {"2023-13-01", "2023-00-10", "2023-04-31", "2100-02-29", "0000-01-01",
                          "2023-04-05 24:00", "2023-04-05 10:60", "2023-04-05 10:00:60",
                          "2023-04-05T", "2023-04/05", "23-04-05", "2023-04-05 10", "2023-04-05x",
                          // The stored form, which is read at its fixed places, checks the same.
                          "2023-02-29 10:00:00", "2023-04-05 24:00:00", "2023-04-05 10:60:00",
                          "2023-04-05 10:00:60", "0000-01-01 00:00:00", "2023-04-05 1a:00:00",
                          "2023-0a-05 10:00:00", "2023-04-05 10:00-00"}) {
    EXPECT_FALSE(ParseDateText(bad).has_value()) << bad;
  }
  EXPECT_TRUE(ParseDateText("2000-02-29").has_value());
  EXPECT_TRUE(ParseDateText(" 2023-04-05 23:59:59 ").has_value());
}

TEST_F(FieldTest, AValueThatIsNotOfTheKindReadNamesTheColumnAndTheValue) {
  using Read = void (*)(const Field&);
  const Read integer = [](const Field& f) { f.AsInteger(); };
  const Read real = [](const Field& f) { f.AsFloat(); };
  const Read truth = [](const Field& f) { f.AsBoolean(); };
  const Read date = [](const Field& f) { f.AsDateTime(); };
  const std::tuple<const char*, Read, const char*> cases[] = {
      {"'abc'", integer, "'abc' は数値ではありません。"},
      {"'12円'", real, "'12円' は数値ではありません。"},
      {"'inf'", real, "'inf' は数値ではありません。"},
      {"''", integer, "'' は数値ではありません。"},
      {"1e30", integer, "'1e+30' は整数の範囲を超えています。"},
      {"'yes'", truth, "'yes' は真偽値ではありません。"},
      {"'abc'", date, "'abc' は日付ではありません。"},
      {"'2023-02-30'", date, "'2023-02-30' は日付ではありません。"},
      {"45000", date, "'45000' は日付ではありません。"}};
  for (const auto& [expression, read, message] : cases) {
    EXPECT_EQ(ThrownMessage([&] { read(Select(expression)); }),
              Sjis(std::string("フィールド 'v' の値 ") + message))
        << expression;
  }
}

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
      {ftBytes, {"BINARY BLOB", "VARBINARY(20)"}},
      {ftBlob, {"LONGBINARY", "OLEOBJECT", "IMAGE", "BLOB", "MYBLOB"}},
      {ftGuid, {"GUID"}},
      {ftLargeint, {"BIGINT"}}};
  for (const auto& [kind, declaredTypes] : cases) {
    for (const char* declared : declaredTypes) {
      EXPECT_EQ(KindFromDeclaredType(declared), kind) << declared;
    }
  }
}

TEST_F(FieldTest, ColumnsTakeTheKindOfTheirDeclaredTypeAndExpressionsOfTheirJetType) {
  // A counter as earlier versions made it, and a column without a type (another tool's).
  db_.EngineExec(
      "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, n NUMERIC(8,0), m MONEY,"
      " d DATETIME, memo MEMO, yes YESNO, bin VARBINARY(8), any_thing)");
  db_.Exec("CREATE TABLE k (id INTEGER PRIMARY KEY, name TEXT)");
  db_.Exec("INSERT INTO t (any_thing) VALUES (2.5)");
  db_.Exec("CREATE VIEW v AS SELECT id, memo FROM t");
  // A column without a type shows its values as text, whatever they are.
  EXPECT_EQ(KindsOf("SELECT * FROM t"), (Kinds{ftAutoInc, ftInteger, ftBCD, ftDateTime, ftMemo,
                                               ftBoolean, ftBytes, ftWideString}));
  EXPECT_EQ(KindsOf("SELECT id, name FROM k"), (Kinds{ftInteger, ftWideString}));
  // Through a view and with a table alias the column keeps its kind.
  EXPECT_EQ(KindsOf("SELECT x.id, x.memo FROM v AS x"), (Kinds{ftAutoInc, ftMemo}));
  EXPECT_EQ(KindsOf("SELECT 1, 1.5, 'x', x'00ff', NULL"),
            (Kinds{ftInteger, ftFloat, ftWideString, ftBlob, ftWideString}));
  // Without rows an expression keeps its kind: it never depends on a row's value.
  EXPECT_EQ(KindsOf("SELECT 1, 'x' WHERE 0"), (Kinds{ftInteger, ftWideString}));
}

}  // namespace
}  // namespace tarnwick
