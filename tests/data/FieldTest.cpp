#include <gtest/gtest.h>

#include "ThrownMessage.h"
#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/Field.h"
#include "data/ValueText.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;
using test::ThrownMessage;

// One row of values, read through a query's fields.
class FieldTest : public ::testing::Test {
 protected:
  FieldTest() : query_(db_.Db()) {}
  const Field& Select(std::string_view utf8Expression) {
    query_.SetSql(Sjis(std::string("SELECT ") + std::string(utf8Expression) + " AS v"));
    query_.Open();
    return query_.FieldAt(0);
  }
  std::string Message(std::string_view utf8Value, std::string_view utf8What) {
    return Sjis(std::string("列 \"v\" の値 \"") + std::string(utf8Value) + "\" " +
                std::string(utf8What));
  }
  TestDatabase db_;
  Query query_;
};

TEST_F(FieldTest, ValuesReadAsText) {
  EXPECT_EQ(Select("-42").AsString(), "-42");
  EXPECT_EQ(Select("9223372036854775807").AsString(), "9223372036854775807");
  EXPECT_EQ(Select("0.1").AsString(), "0.1");
  EXPECT_EQ(Select("2.0").AsString(), "2");
  EXPECT_EQ(Select("1e300 * 10").AsString(), "1e+301");
  EXPECT_EQ(Select("'日本語 text'").AsString(), Sjis("日本語 text"));
  EXPECT_EQ(Select("x'00410042'").AsString(), std::string("\0A\0B", 4));
  EXPECT_EQ(Select("NULL").AsString(), "");
  EXPECT_TRUE(Select("NULL").IsNull());

  const CellValue text = Select("'abc'").Value();
  EXPECT_EQ(text.type, CellValue::Text);
  EXPECT_EQ(text.bytes, "abc");
}

TEST_F(FieldTest, NumbersAndNumericTextReadAsNumbers) {
  EXPECT_EQ(Select("42").AsInteger(), 42);
  EXPECT_EQ(Select("' 42 '").AsInteger(), 42);
  EXPECT_EQ(Select("'+7'").AsInteger(), 7);
  EXPECT_EQ(Select("2.7").AsInteger(), 3);
  EXPECT_EQ(Select("'-2.7'").AsInteger(), -3);
  EXPECT_EQ(Select("NULL").AsInteger(), 0);
  EXPECT_DOUBLE_EQ(Select("3").AsFloat(), 3.0);
  EXPECT_DOUBLE_EQ(Select("'3.25'").AsFloat(), 3.25);
  EXPECT_DOUBLE_EQ(Select("'1e3'").AsFloat(), 1000.0);
  EXPECT_DOUBLE_EQ(Select("NULL").AsFloat(), 0.0);

  EXPECT_EQ(ThrownMessage([&] { Select("'abc'").AsInteger(); }),
            Message("abc", "は数値ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("'12円'").AsFloat(); }),
            Message("12円", "は数値ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("'inf'").AsFloat(); }),
            Message("inf", "は数値ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("''").AsInteger(); }), Message("", "は数値ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("1e30").AsInteger(); }),
            Message("1e+30", "は整数の範囲を超えています"));
}

TEST_F(FieldTest, TruthIsAnyNonZeroValue) {
  EXPECT_TRUE(Select("-1").AsBoolean());
  EXPECT_TRUE(Select("1").AsBoolean());
  EXPECT_FALSE(Select("0").AsBoolean());
  EXPECT_TRUE(Select("0.5").AsBoolean());
  EXPECT_FALSE(Select("NULL").AsBoolean());
  EXPECT_TRUE(Select("'True'").AsBoolean());
  EXPECT_FALSE(Select("'false'").AsBoolean());
  EXPECT_TRUE(Select("'-1'").AsBoolean());
  EXPECT_EQ(ThrownMessage([&] { Select("'yes'").AsBoolean(); }),
            Message("yes", "は真偽値ではありません"));
}

TEST_F(FieldTest, StoredDateTextReadsAsDateTime) {
  EXPECT_EQ(Select("'2023-04-05'").AsDateTime(), (DateTime{2023, 4, 5, 0, 0, 0}));
  EXPECT_EQ(Select("'2023-04-05 07:08'").AsDateTime(), (DateTime{2023, 4, 5, 7, 8, 0}));
  EXPECT_EQ(Select("'2023-04-05 17:08:09'").AsDateTime(), (DateTime{2023, 4, 5, 17, 8, 9}));
  EXPECT_EQ(Select("'2023/4/5T7:08:09.250'").AsDateTime(), (DateTime{2023, 4, 5, 7, 8, 9}));
  EXPECT_EQ(Select("'2024-02-29'").AsDateTime(), (DateTime{2024, 2, 29, 0, 0, 0}));
  EXPECT_EQ(Select("'12:30:00'").AsDateTime(), (DateTime{1899, 12, 30, 12, 30, 0}));
  EXPECT_EQ(Select("NULL").AsDateTime(), DateTime{});

  EXPECT_EQ(ThrownMessage([&] { Select("'abc'").AsDateTime(); }),
            Message("abc", "は日付ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("'2023-02-30'").AsDateTime(); }),
            Message("2023-02-30", "は日付ではありません"));
  EXPECT_EQ(ThrownMessage([&] { Select("45000").AsDateTime(); }),
            Message("45000", "は日付ではありません"));
}

TEST(DateTextTest, OnlyPossibleDatesAndTimesAreDates) {
  for (const char* bad :
       {"2023-13-01", "2023-00-10", "2023-04-31", "2100-02-29", "0000-01-01", "2023-04-05 24:00",
        "2023-04-05 10:60", "2023-04-05 10:00:60", "2023-04-05T", "2023-04/05", "23-04-05",
        "2023-04-05 10", "2023-04-05x"}) {
    EXPECT_FALSE(ParseDateText(bad).has_value()) << bad;
  }
  EXPECT_TRUE(ParseDateText("2000-02-29").has_value());
  EXPECT_TRUE(ParseDateText(" 2023-04-05 23:59:59 ").has_value());
}

}  // namespace
}  // namespace tarnwick
