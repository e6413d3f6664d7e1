// Jet's numeric, conversion, test and choice functions: rounding half to even, ranges of the
// integer types, conversions of text, and NULLs as Jet treats them.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using NumberFunctions = JetFunctionsTest;

TEST_F(NumberFunctions, SignsAndWholeParts) {
  ExpectAll({
      {"jet_abs(-3)", "3"},
      {"jet_abs(-2.5)", "2.5"},
      {"jet_abs('-4')", "4"},
      {"jet_abs(NULL)", "NULL"},
      {"jet_abs('x')", kTypeMismatch},
      {"jet_sgn(-0.1)", "-1"},
      {"jet_sgn(0)", "0"},
      {"jet_sgn(7)", "1"},
      {"jet_int(-2.5)", "-3.0"},
      {"jet_int(2.9)", "2.0"},
      {"jet_int(-7)", "-7"},
      {"jet_fix(-2.5)", "-2.0"},
      {"jet_fix(2.9)", "2.0"},
      {"jet_int(NULL)", "NULL"},
  });
}

TEST_F(NumberFunctions, RoundIsHalfToEvenOnTheDecimalDigits) {
  ExpectAll({
      {"jet_round(2.5)", "2.0"},
      {"jet_round(3.5)", "4.0"},
      {"jet_round(-2.5)", "-2.0"},
      {"jet_round(0.5)", "0.0"},
      {"jet_round(1.5)", "2.0"},
      {"jet_round(2.51)", "3.0"},
      {"jet_round(0.125, 2)", "0.12"},
      {"jet_round(0.135, 2)", "0.14"},
      {"jet_round(2.675, 2)", "2.68"},  // as written, not as the binary fraction lies
      {"jet_round(1234.5678, 2)", "1234.57"},
      {"jet_round(99.95, 1)", "100.0"},
      {"jet_round(7)", "7"},
      {"jet_round(1.5, -1)", kInvalidArgument},
      {"jet_round(NULL)", "NULL"},
  });
}

TEST_F(NumberFunctions, MathematicalFunctions) {
  ExpectAll({
      {"jet_sqr(16)", "4.0"},
      {"jet_sqr(-1)", kInvalidArgument},
      {"jet_sqr(NULL)", kInvalidUseOfNull},
      {"jet_exp(0)", "1.0"},
      {"jet_exp(1000)", kOverflow},
      {"jet_log(1)", "0.0"},
      {"jet_log(0)", kInvalidArgument},
      {"jet_sin(0)", "0.0"},
      {"jet_cos(0)", "1.0"},
      {"jet_tan(0)", "0.0"},
      {"jet_atn(1) * 4 BETWEEN 3.14159 AND 3.1416", "1"},
  });
}

TEST_F(NumberFunctions, RndFollowsVbasSequence) {
  // A negative argument starts the sequence anew; 0 repeats the last value.
  const std::string first = Eval("jet_rnd(-1)");
  EXPECT_EQ(Eval("jet_rnd(0)"), first);
  EXPECT_EQ(Eval("jet_rnd(-1)"), first);
  const std::string next = Eval("jet_rnd()");
  EXPECT_NE(next, first);
  EXPECT_EQ(Eval("jet_rnd() >= 0 AND jet_rnd() < 1"), "1");
}

TEST_F(NumberFunctions, ConversionsRoundHalfToEvenAndCheckRanges) {
  ExpectAll({
      {"jet_cint(2.5)", "2"},
      {"jet_cint(3.5)", "4"},
      {"jet_cint(-2.5)", "-2"},
      {"jet_cint('12')", "12"},
      {"jet_cint(' 1,234 ')", "1234"},
      {"jet_cint(32767)", "32767"},
      {"jet_cint(32768)", kOverflow},
      {"jet_cint(-32768.5)", "-32768"},
      {"jet_cint('abc')", kTypeMismatch},
      {"jet_cint('')", kTypeMismatch},
      {"jet_cint(NULL)", kInvalidUseOfNull},
      {"jet_clng(2147483647)", "2147483647"},
      {"jet_clng(2147483648)", kOverflow},
      {"jet_clng('2024-04-01')", "45383"},  // a stored date is its serial number
      {"jet_clng('&H10')", "16"},
      {"jet_cbyte(255)", "255"},
      {"jet_cbyte(-1)", kOverflow},
      {"jet_csng(0.1)", "0.1"},
      {"jet_csng(1.23456789)", "1.234568"},
      {"jet_csng(1e39)", kOverflow},
      {"jet_cdbl('1.5e3')", "1500.0"},
      {"jet_ccur(0.1 + 0.2)", "0.3"},
      {"jet_ccur(1.00005)", "1.0"},
      {"jet_ccur(1.00015)", "1.0002"},
      {"jet_ccur(1e16)", kOverflow},
      {"jet_cdec('12.5')", "12.5"},
      {"jet_cstr(1.5)", "'1.5'"},
      {"jet_cstr(0.1 + 0.2)", "'0.3'"},
      {"jet_cstr(1e20)", "'1E+20'"},
      {"jet_cstr(0.00001)", "'1E-05'"},
      {"jet_cstr(100.0)", "'100'"},
      {"jet_cstr(-7)", "'-7'"},
      {"jet_cstr(NULL)", kInvalidUseOfNull},
      {"jet_cbool(5)", "-1"},
      {"jet_cbool(0)", "0"},
      {"jet_cbool('true')", "-1"},
      {"jet_cbool('False')", "0"},
      {"jet_cbool('yes')", kTypeMismatch},
      {"jet_cvar(NULL)", "NULL"},
      {"jet_cvar('a')", "'a'"},
  });
}

TEST_F(NumberFunctions, DateConversions) {
  ExpectAll({
      {"jet_cdate('2024/4/1')", "'2024-04-01 00:00:00'"},
      {"jet_cdate('4/1/2024 1:30 PM')", "'2024-04-01 13:30:00'"},
      {"jet_cdate('令和6年4月1日')", "'2024-04-01 00:00:00'"},
      {"jet_cdate('平成元年1月8日')", "'1989-01-08 00:00:00'"},
      {"jet_cdate('2024年4月1日 午後3:05')", "'2024-04-01 15:05:00'"},
      {"jet_cdate('13:30')", "'1899-12-30 13:30:00'"},
      {"jet_cdate(45383.5)", "'2024-04-01 12:00:00'"},
      {"jet_cdate(-1.25)", "'1899-12-29 06:00:00'"},
      {"jet_cdate('24/4/1')", "'2024-04-01 00:00:00'"},
      {"jet_cdate('2024/2/29')", "'2024-02-29 00:00:00'"},
      {"jet_cdate('2023/2/29')", kTypeMismatch},
      {"jet_cdate('2012-02-30')", kTypeMismatch},
      {"jet_cdate('25:00')", kTypeMismatch},
      {"jet_cdate('abc')", kTypeMismatch},
      {"jet_cdate(3000000)", kOverflow},
  });
}

TEST_F(NumberFunctions, TestsOfValues) {
  ExpectAll({
      {"jet_isnull(NULL)", "-1"},
      {"jet_isnull('')", "0"},
      {"jet_isnumeric('12.5')", "-1"},
      {"jet_isnumeric(' -1,000 ')", "-1"},
      {"jet_isnumeric('1e3')", "-1"},
      {"jet_isnumeric('12a')", "0"},
      {"jet_isnumeric('')", "0"},
      {"jet_isnumeric(NULL)", "0"},
      {"jet_isnumeric(3)", "-1"},
      {"jet_isdate('2024/04/01')", "-1"},
      {"jet_isdate('2024/02/30')", "0"},
      {"jet_isdate(45000)", "0"},
      {"jet_isdate(NULL)", "0"},
      {"jet_isempty(NULL)", "0"},
  });
}

TEST_F(NumberFunctions, ChoicesPickAnArgument) {
  ExpectAll({
      {"jet_iif(1 = 1, 'yes', 'no')", "'yes'"},
      {"jet_iif(NULL, 'yes', 'no')", "'no'"},
      {"jet_iif(-1, NULL, 2)", "NULL"},
      {"jet_iif(0, 1, NULL)", "NULL"},
      {"jet_iif('abc', 1, 2)", kTypeMismatch},
      {"jet_switch(0, 'a', NULL, 'b', 1, 'c')", "'c'"},
      {"jet_switch(0, 'a')", "NULL"},
      {"jet_switch(1, 'a', 0)", kInvalidArgument},
      {"jet_choose(2, 'a', 'b', 'c')", "'b'"},
      {"jet_choose(2.5, 'a', 'b', 'c')", "'b'"},
      {"jet_choose(4, 'a', 'b', 'c')", "NULL"},
      {"jet_choose(0, 'a')", "NULL"},
      {"jet_choose(NULL, 'a')", "NULL"},
  });
}

}  // namespace
}  // namespace tarnwick
