// Jet's operators as engine functions: joining text, arithmetic that widens, integer
// division on rounded operands, three-valued logic, Like, dates and currency.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using OperatorFunctions = JetFunctionsTest;

TEST_F(OperatorFunctions, JoiningAndAdding) {
  ExpectAll({
      {"jet_concat('氏名', '様')", "'氏名様'"},
      {"jet_concat('a', NULL)", "'a'"},
      {"jet_concat(NULL, 1.5)", "'1.5'"},
      {"jet_concat(NULL, NULL)", "NULL"},
      {"jet_concat(1, 2)", "'12'"},
      {"jet_add(1, 2)", "3"},
      {"jet_add('a', 'b')", "'ab'"},
      {"jet_add('1', '2')", "'12'"},
      {"jet_add('1', 2)", "3"},
      {"jet_add('a', NULL)", "NULL"},
      {"jet_add('x', 1)", kTypeMismatch},
      {"jet_add(9223372036854775807, 1)", "9223372036854775808.0"},
      {"jet_add(0.1, 0.2) = 0.1 + 0.2", "1"},
      {"jet_add('2024-04-01', 1)", "'2024-04-02 00:00:00'"},
      {"jet_sub('2024-04-01', 1.5)", "'2024-03-30 12:00:00'"},
      {"jet_sub('2024-04-02 12:00:00', '2024-04-01')", "1.5"},
      {"jet_sub(5, 7)", "-2"},
      {"jet_mul(3, 4)", "12"},
      {"jet_mul(4294967296, 4294967296)", "18446744073709551616.0"},
      {"jet_neg(-5)", "5"},
      {"jet_neg('2.5')", "-2.5"},
  });
}

TEST_F(OperatorFunctions, DivisionPowerAndModulo) {
  ExpectAll({
      {"jet_div(7, 2)", "3.5"},
      {"jet_div(6, 3)", "2.0"},
      {"jet_div(1, 0)", kDivisionByZero},
      {"jet_div(0, 0)", kOverflow},
      {"jet_idiv(7, 2)", "3"},
      {"jet_idiv(-7, 2)", "-3"},
      {"jet_idiv(7.5, 2.5)", "4"},  // 8 \ 2: both rounded half to even first
      {"jet_idiv(6.5, 2)", "3"},
      {"jet_idiv(1, 0.4)", kDivisionByZero},
      {"jet_mod(7, 3)", "1"},
      {"jet_mod(-7, 3)", "-1"},
      {"jet_mod(7, -3)", "1"},
      {"jet_mod(7.5, 3)", "2"},
      {"jet_mod(5, 0)", kDivisionByZero},
      {"jet_mod(NULL, 3)", "NULL"},
      {"jet_pow(2, 10)", "1024.0"},
      {"jet_pow(2, -1)", "0.5"},
      {"jet_pow(0, -1)", kDivisionByZero},
      {"jet_pow(-8, 0.5)", kInvalidArgument},
      {"jet_pow(10, 400)", kOverflow},
  });
}

TEST_F(OperatorFunctions, LogicIsBitwiseAndThreeValued) {
  ExpectAll({
      {"jet_not(-1)", "0"},
      {"jet_not(0)", "-1"},
      {"jet_not(NULL)", "NULL"},
      {"jet_not(5)", "-6"},
      {"jet_and(-1, -1)", "-1"},
      {"jet_and(-1, 0)", "0"},
      {"jet_and(12, 10)", "8"},
      {"jet_and(NULL, 0)", "0"},
      {"jet_and(NULL, -1)", "NULL"},
      {"jet_or(NULL, -1)", "-1"},
      {"jet_or(0, NULL)", "NULL"},
      {"jet_or(12, 10)", "14"},
      {"jet_xor(-1, 0)", "-1"},
      {"jet_xor(-1, NULL)", "NULL"},
      {"jet_eqv(-1, -1)", "-1"},
      {"jet_eqv(0, -1)", "0"},
      {"jet_imp(-1, 0)", "0"},
      {"jet_imp(0, NULL)", "-1"},
      {"jet_imp(NULL, -1)", "-1"},
      {"jet_imp(NULL, 0)", "NULL"},
      {"jet_imp(-1, NULL)", "NULL"},
      {"jet_and('True', -1)", "-1"},
      {"jet_and('abc', -1)", kTypeMismatch},
  });
}

TEST_F(OperatorFunctions, LikeTakesTheStandardWildcards) {
  ExpectAll({
      {"jet_like('山田太郎', '山田%')", "-1"},
      {"jet_like('山田太郎', '%太%')", "-1"},
      {"jet_like('山田', '山_')", "-1"},
      {"jet_like('山田太郎', '山_')", "0"},
      {"jet_like('ABC', 'abc')", "-1"},
      {"jet_like('b1', '[abc]_')", "-1"},
      {"jet_like('d1', '[a-c]1')", "0"},
      {"jet_like('D1', '[a-e]1')", "-1"},
      {"jet_like('d1', '[!abc]1')", "-1"},
      {"jet_like('a1', '[!abc]1')", "0"},
      {"jet_like('a*', 'a*')", "-1"},
      {"jet_like('ab', 'a*')", "0"},
      {"jet_like('a?', 'a_')", "-1"},
      {"jet_like('', '%')", "-1"},
      {"jet_like('', '_')", "0"},
      {"jet_like('abcabd', '%ab_')", "-1"},
      {"jet_like('aaa', '%a%a%a%')", "-1"},
      {"jet_like('aa', '%a%a%a%')", "0"},
      {"jet_like('a[b', 'a[b')", "-1"},
      {"jet_like(NULL, '%')", "NULL"},
      {"jet_like(12, '1%')", "-1"},
  });
}

TEST_F(OperatorFunctions, DatesAndCurrency) {
  ExpectAll({
      {"jet_date_plus('2024-02-28', 1)", "'2024-02-29 00:00:00'"},
      {"jet_date_plus('2024/3/1', -1)", "'2024-02-29 00:00:00'"},
      {"jet_date_plus('2024-04-01', 0.25)", "'2024-04-01 06:00:00'"},
      {"jet_date_plus(NULL, 1)", "NULL"},
      {"jet_date_plus('9999-12-31', 1)", kInvalidArgument},
      {"jet_date_minus('2024-03-01', '2024-02-01')", "29.0"},
      {"jet_date_key('2024/04/01') = jet_date_key('2024-04-01 00:00:00')", "1"},
      {"jet_date_key('2024-04-01 12:00') > jet_date_key('2024-04-01')", "1"},
      {"jet_date_key('1899-12-29 06:00:00')", "-0.75"},
      {"jet_date_key('x')", kTypeMismatch},
      {"jet_cur(0.1 + 0.2)", "0.3"},
      {"jet_cur(2.00005)", "2.0"},
      {"jet_cur(-2.00015)", "-2.0002"},
      {"jet_cur(1e18)", kOverflow},
  });
}

}  // namespace
}  // namespace tarnwick
