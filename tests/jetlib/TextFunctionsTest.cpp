// Jet's text functions, called by their engine names: positions count characters, NULL
// arguments follow Jet, and bad positions are Jet's errors.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using TextFunctions = JetFunctionsTest;

TEST_F(TextFunctions, PiecesOfTextCountCharactersNotBytes) {
  ExpectAll({
      {"jet_left('東京都港区', 2)", "'東京'"},
      {"jet_left('abc', 0)", "''"},
      {"jet_left('abc', 10)", "'abc'"},
      {"jet_left('abc', 1.5)", "'ab'"},  // 1.5 rounds half to even: 2
      {"jet_left(NULL, 2)", "NULL"},
      {"jet_left('abc', -1)", kInvalidArgument},
      {"jet_left('abc', NULL)", kInvalidUseOfNull},
      {"jet_left(12345, 2)", "'12'"},
      {"jet_right('東京都港区', 2)", "'港区'"},
      {"jet_right('abc', 5)", "'abc'"},
      {"jet_right('', 1)", "''"},
      {"jet_mid('東京都港区', 3)", "'都港区'"},
      {"jet_mid('東京都港区', 3, 1)", "'都'"},
      {"jet_mid('abc', 4)", "''"},
      {"jet_mid('abc', 2, 0)", "''"},
      {"jet_mid('abc', 0)", kInvalidArgument},
      {"jet_mid('abc', 1, -1)", kInvalidArgument},
      {"jet_len('東京')", "2"},
      {"jet_len('')", "0"},
      {"jet_len(NULL)", "NULL"},
      {"jet_len(-1.5)", "4"},
  });
}

TEST_F(TextFunctions, InStrTakesAnOptionalStartAndComparison) {
  ExpectAll({
      {"jet_instr('abcabc', 'c')", "3"},
      {"jet_instr(4, 'abcabc', 'c')", "6"},
      {"jet_instr('ABC', 'b')", "2"},  // textual by default, as in queries
      {"jet_instr(1, 'ABC', 'b', 0)", "0"},
      {"jet_instr(1, 'ABC', 'B', 0)", "2"},
      {"jet_instr('東京都', '都')", "3"},
      {"jet_instr('abc', '')", "1"},
      {"jet_instr(3, 'abc', '')", "3"},
      {"jet_instr(5, 'abc', 'a')", "0"},
      {"jet_instr('abc', 'x')", "0"},
      {"jet_instr('', 'a')", "0"},
      {"jet_instr(NULL, 'a')", "NULL"},
      {"jet_instr('abc', NULL)", "NULL"},
      {"jet_instr(0, 'abc', 'a')", kInvalidArgument},
      {"jet_instr(1, 'abc', 'a', 7)", kInvalidArgument},
      {"jet_instrrev('abcabc', 'b')", "5"},
      {"jet_instrrev('abcabc', 'b', 4)", "2"},
      {"jet_instrrev('abcabc', 'B', -1, 0)", "0"},
      {"jet_instrrev('東京都東京', '東京')", "4"},
      {"jet_instrrev('abc', '', 2)", "2"},
      {"jet_instrrev('abc', 'c', 9)", "0"},
      {"jet_instrrev('abc', 'c', 0)", kInvalidArgument},
  });
}

TEST_F(TextFunctions, CaseAndBlanks) {
  ExpectAll({
      {"jet_ucase('abcＡｂｃäα')", "'ABCＡＢＣÄΑ'"},
      {"jet_lcase('ABCＡＢＣ漢字')", "'abcａｂｃ漢字'"},
      {"jet_ucase(NULL)", "NULL"},
      {"jet_trim('  a b  ')", "'a b'"},
      {"jet_trim('　全角　')", "'全角'"},
      {"jet_ltrim('  a  ')", "'a  '"},
      {"jet_rtrim('  a  ')", "'  a'"},
      {"jet_trim('   ')", "''"},
      {"jet_trim(NULL)", "NULL"},
  });
}

TEST_F(TextFunctions, MadeAndChangedText) {
  ExpectAll({
      {"jet_space(3)", "'   '"},
      {"jet_space(0)", "''"},
      {"jet_space(-1)", kInvalidArgument},
      {"jet_space(NULL)", kInvalidUseOfNull},
      {"jet_string(3, '*')", "'***'"},
      {"jet_string(2, '東京')", "'東東'"},
      {"jet_string(3, 65)", "'AAA'"},
      {"jet_string(2, 321)", "'AA'"},  // codes above 255 are taken modulo 256
      {"jet_string(2, NULL)", "NULL"},
      {"jet_string(2, '')", kInvalidArgument},
      {"jet_replace('aXbXc', 'x', '-')", "'a-b-c'"},
      {"jet_replace('aXbXc', 'x', '-', 1, -1, 0)", "'aXbXc'"},
      {"jet_replace('aXbXc', 'X', '', 3)", "'bc'"},  // the result starts at `start`
      {"jet_replace('aaaa', 'a', 'b', 1, 2)", "'bbaa'"},
      {"jet_replace('東京都', '東京', '大阪')", "'大阪都'"},
      {"jet_replace('abc', '', 'x')", "'abc'"},
      {"jet_replace(NULL, 'a', 'b')", kInvalidUseOfNull},
      {"jet_replace('abc', 'a', 'b', 0)", kInvalidArgument},
      {"jet_strreverse('abc東京')", "'京東cba'"},
      {"jet_strreverse('')", "''"},
  });
}

TEST_F(TextFunctions, ComparingAndCharacterCodes) {
  ExpectAll({
      {"jet_strcomp('abc', 'ABC')", "0"},
      {"jet_strcomp('abc', 'ABC', 0)", "1"},
      {"jet_strcomp('a', 'b')", "-1"},
      {"jet_strcomp('b', 'a', 1)", "1"},
      {"jet_strcomp(NULL, 'a')", "NULL"},
      {"jet_asc('A')", "65"},
      {"jet_asc('あ')", "-32096"},  // code page 932's 0x82A0, as a signed 16-bit number
      {"jet_asc('ｱ')", "177"},
      {"jet_asc('')", kInvalidArgument},
      {"jet_asc(NULL)", kInvalidUseOfNull},
      {"jet_chr(65)", "'A'"},
      {"jet_chr(-32096)", "'あ'"},
      {"jet_chr(33440)", "'あ'"},
      {"jet_chr(177)", "'ｱ'"},
      {"jet_chr(65536)", kInvalidArgument},
      {"jet_chr(NULL)", kInvalidUseOfNull},
  });
}

TEST_F(TextFunctions, StrConvChangesCaseWidthAndKana) {
  ExpectAll({
      {"jet_strconv('abc def', 1)", "'ABC DEF'"},
      {"jet_strconv('ABC', 2)", "'abc'"},
      {"jet_strconv('hello WORLD  x', 3)", "'Hello World  X'"},
      {"jet_strconv('Ab1 ｶﾞｷﾞﾊﾟｳﾞ', 4)", "'Ａｂ１　ガギパヴ'"},
      {"jet_strconv('Ａｂ１　ガパヴ。ー', 8)", "'Ab1 ｶﾞﾊﾟｳﾞ｡ｰ'"},
      {"jet_strconv('ひらがなゝ', 16)", "'ヒラガナヽ'"},
      {"jet_strconv('カタカナヴ', 32)", "'かたかなヴ'"},
      {"jet_strconv('ｶﾀｶﾅ', 4 + 32)", "'かたかな'"},
      {"jet_strconv('abc', 1 + 4)", "'ＡＢＣ'"},
      {"jet_strconv(NULL, 1)", "NULL"},
      {"jet_strconv('a', 12)", kInvalidArgument},
      {"jet_strconv('a', 48)", kInvalidArgument},
      {"jet_strconv('a', 64)", kInvalidArgument},
  });
}

TEST_F(TextFunctions, ValReadsTheLeadingNumberHexAndOctWriteOne) {
  ExpectAll({
      {"jet_val(' 1 2 3abc')", "123.0"},
      {"jet_val('-1.5e2x')", "-150.0"},
      {"jet_val('1,234')", "1.0"},
      {"jet_val('abc')", "0.0"},
      {"jet_val('')", "0.0"},
      {"jet_val('&HFF')", "255.0"},
      {"jet_val('&HFFFF')", "-1.0"},
      {"jet_val('&O17')", "15.0"},
      {"jet_val('12e')", "12.0"},
      {"jet_val(NULL)", kInvalidUseOfNull},
      {"jet_hex(255)", "'FF'"},
      {"jet_hex(-1)", "'FFFFFFFF'"},
      {"jet_hex(2.5)", "'2'"},
      {"jet_hex('16')", "'10'"},
      {"jet_hex(NULL)", "NULL"},
      {"jet_hex(5000000000)", kOverflow},
      {"jet_oct(8)", "'10'"},
      {"jet_oct(0)", "'0'"},
  });
}

}  // namespace
}  // namespace tarnwick
