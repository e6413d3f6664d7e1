// Format: named formats as a Japanese installation writes them, number patterns, date
// patterns with the Japanese forms and eras, text patterns, and values the pattern cannot take.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using FormatFunction = JetFunctionsTest;

TEST_F(FormatFunction, NumberPatterns) {
  ExpectAll({
      {"jet_format(5040000, '#,##0')", "'5,040,000'"},
      {"jet_format(0, '#,##0')", "'0'"},
      {"jet_format(-1234.5, '#,##0')", "'-1,235'"},
      {"jet_format(5, '0,000')", "'0,005'"},
      {"jet_format(3.14159, '0.00')", "'3.14'"},
      {"jet_format(2.5, '0')", "'3'"},  // half away from zero, unlike Round
      {"jet_format(0.125, '0.00')", "'0.13'"},
      {"jet_format(0.5, '#.##')", "'.5'"},
      {"jet_format(1, '0.##')", "'1.'"},
      {"jet_format(1.5, '0.0#')", "'1.5'"},
      {"jet_format(12.5, '.00')", "'12.50'"},
      {"jet_format(0.256, '0%')", "'26%'"},
      {"jet_format(0.256, '0.0%')", "'25.6%'"},
      {"jet_format(12345, '0.00E+00')", "'1.23E+04'"},
      {"jet_format(0.00012, '0.0E-0')", "'1.2E-4'"},
      {"jet_format(99999, '0.0E+00')", "'1.0E+05'"},
      {"jet_format(1234567, '000-0000')", "'123-4567'"},
      {"jet_format(1500, '#,##0\"円\"')", "'1,500円'"},
      {"jet_format(1500, '\\\\#,##0')", "'\\1,500'"},
      {"jet_format(1234567, '#,##0,')", "'1,235'"},
      {"jet_format(-5, '0;(0)')", "'(5)'"},
      {"jet_format(0, '0;(0);\"ゼロ\"')", "'ゼロ'"},
      {"jet_format(-5, '0;;\"ゼロ\"')", "'-5'"},
      {"jet_format(NULL, '0;(0);\"ゼロ\";\"なし\"')", "'なし'"},
      {"jet_format(NULL, '0.00')", "NULL"},
      {"jet_format('1234.5', '#,##0.00')", "'1,234.50'"},
      {"jet_format('abc', '0.00')", "'abc'"},
      {"jet_format('2024-04-01', '0')", "'45383'"},
  });
}

TEST_F(FormatFunction, NamedNumberFormats) {
  ExpectAll({
      {"jet_format(1234.5, 'Currency')", "'￥1,235'"},
      {"jet_format(-1234, 'currency')", "'-￥1,234'"},
      {"jet_format(1234.5, 'Fixed')", "'1234.50'"},
      {"jet_format(1234.5, 'Standard')", "'1,234.50'"},
      {"jet_format(0.125, 'Percent')", "'12.50%'"},
      {"jet_format(1234.5, 'Scientific')", "'1.23E+03'"},
      {"jet_format(1234.5, 'General Number')", "'1234.5'"},
      {"jet_format(-1, 'Yes/No')", "'Yes'"},
      {"jet_format(0, 'True/False')", "'False'"},
      {"jet_format(5, 'On/Off')", "'On'"},
      {"jet_format(0.1 + 0.2)", "'0.3'"},
      {"jet_format(42)", "'42'"},
      {"jet_format('abc')", "'abc'"},
  });
}

TEST_F(FormatFunction, NamedDateFormats) {
  ExpectAll({
      {"jet_format('2024-04-01 09:05:03', 'General Date')", "'2024/04/01 9:05:03'"},
      {"jet_format('2024-04-01', 'General Date')", "'2024/04/01'"},
      {"jet_format('2024-04-01 00:00:00')", "'2024/04/01'"},
      {"jet_format('1899-12-30 13:30:00')", "'13:30:00'"},
      {"jet_format('2024-04-01', 'Long Date')", "'2024年4月1日'"},
      {"jet_format('2024-04-01', 'Medium Date')", "'24-04-01'"},
      {"jet_format('2024-04-01', 'Short Date')", "'2024/04/01'"},
      {"jet_format('2024-04-01 09:05:03', 'Long Time')", "'9:05:03'"},
      {"jet_format('2024-04-01 14:05:03', 'Medium Time')", "'02:05 午後'"},
      {"jet_format('2024-04-01 09:05:03', 'Medium Time')", "'09:05 午前'"},
      {"jet_format('2024-04-01 14:05:03', 'Short Time')", "'14:05'"},
      {"jet_format(45383.5, 'Short Date')", "'2024/04/01'"},
  });
}

TEST_F(FormatFunction, DatePatterns) {
  ExpectAll({
      {"jet_format('2024-04-01', 'yyyy/mm/dd')", "'2024/04/01'"},
      {"jet_format('2024-04-01', 'yyyy年m月d日')", "'2024年4月1日'"},
      {"jet_format('2024-04-01', 'yy m d')", "'24 4 1'"},
      {"jet_format('2024-04-01', 'mmm mmmm ddd dddd')", "'Apr April Mon Monday'"},
      {"jet_format('2024-04-01', 'aaa')", "'月'"},
      {"jet_format('2024-04-01', 'aaaa')", "'月曜日'"},
      {"jet_format('2024-04-01', 'm/d(aaa)')", "'4/1(月)'"},
      {"jet_format('2024-04-01', 'ggge年m月d日')", "'令和6年4月1日'"},
      {"jet_format('2019-04-30', 'ggge年')", "'平成31年'"},
      {"jet_format('2019-05-01', 'gge')", "'令1'"},
      {"jet_format('1989-01-07', 'gee')", "'S64'"},
      {"jet_format('1926-12-25', 'ggg')", "'昭和'"},
      {"jet_format('1912-07-29', 'ggge')", "'明治45'"},
      {"jet_format('1912-07-30', 'ggge')", "'大正1'"},
      {"jet_format('2024-04-01 13:05:09', 'h:nn:ss')", "'13:05:09'"},
      {"jet_format('2024-04-01 13:05:09', 'hh:mm')", "'13:05'"},  // m after h is minutes
      {"jet_format('2024-04-01 13:05:09', 'h AM/PM')", "'1 PM'"},
      {"jet_format('2024-04-01 00:05:09', 'h am/pm')", "'12 am'"},
      {"jet_format('2024-04-01 13:05:09', 'h A/P')", "'1 P'"},
      {"jet_format('2024-08-15', 'q y w ww')", "'3 228 5 33'"},
      {"jet_format('2024-04-01', 'w', 2)", "'1'"},
      {"jet_format('2024-04-01', 'dddddd')", "'2024年4月1日'"},
      {"jet_format('2024-04-01', '\"day\" d \\y')", "'day 1 y'"},
      {"jet_format('2024/4/1', 'yyyy')", "'2024'"},
      {"jet_format('abc', 'yyyy')", "'abc'"},
      {"jet_format(NULL, 'yyyy')", "NULL"},
  });
}

TEST_F(FormatFunction, TextPatterns) {
  ExpectAll({
      {"jet_format('abc', '>')", "'ABC'"},
      {"jet_format('ABC', '<')", "'abc'"},
      {"jet_format('1012043', '@@@-@@@@')", "'101-2043'"},
      {"jet_format('ab', '@@@@')", "'  ab'"},
      {"jet_format('ab', '!@@@@')", "'ab  '"},
      {"jet_format('ab', '&&&&')", "'ab'"},
  });
}

TEST_F(FormatFunction, APatternIsCompiledOncePerStatementAndEachPatternApartFromOthers) {
  Exec("CREATE TABLE t (n, p)");
  Exec("INSERT INTO t VALUES (1.5, '0.00'), (2.5, '#,##0'), (3.25, '0.0')");
  EXPECT_EQ(Query("SELECT group_concat(jet_format(n, p), '|') FROM t"), "'1.50|3|3.3'");
  EXPECT_EQ(Query("SELECT group_concat(jet_format(n, '0.000'), '|') FROM t"),
            "'1.500|2.500|3.250'");
}

}  // namespace
}  // namespace tarnwick
