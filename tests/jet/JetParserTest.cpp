// The parser by construct: Jet's precedence, literals, statement forms, what it leaves to the
// engine, and where it reports a statement it cannot read.
#include <gtest/gtest.h>

#include "SyntaxText.h"
#include "jet/JetDateLiteral.h"
#include "jet/JetMessages.h"
#include "jet/JetParser.h"
#include "support/Hinted.h"
#include "text/Cp932.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {
using test::Hinted;
using test::Summary;
using test::TreeOf;
namespace {

TEST(JetParserTest, OperatorsBindAsJetsPrecedenceSays) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      // ^ above unary minus; both sides of ^ take their own sign.
      {"-2 ^ 2", "(- (^ 2 2))"},
      {"2 ^ -1", "(^ 2 (- 1))"},
      {"2 ^ 3 ^ 2", "(^ (^ 2 3) 2)"},
      // * / above \ above Mod above + -.
      {"1 + 2 * 3", "(+ 1 (* 2 3))"},
      {"7 \\ 2 * 3", "(\\ 7 (* 2 3))"},
      {"7 Mod 2 \\ 3", "(Mod 7 (\\ 2 3))"},
      {"1 + 7 mod 3 - 1", "(- (+ 1 (Mod 7 3)) 1)"},
      {"8 / 2 / 2", "(/ (/ 8 2) 2)"},
      // & below + -, above the comparisons.
      {"'a' & 1 + 2", "(& 'a' (+ 1 2))"},
      {"a & b = c", "(= (& a b) c)"},
      {"a = b & c", "(= a (& b c))"},
      // Not below the comparisons, above And, Or, Xor, Eqv, Imp in that order.
      {"Not a = b", "(Not (= a b))"},
      {"Not Not a", "(Not (Not a))"},
      {"a Or b And c", "(Or a (And b c))"},
      {"Not a And b", "(And (Not a) b)"},
      {"a Xor b Or c", "(Xor a (Or b c))"},
      {"a Eqv b Xor c", "(Eqv a (Xor b c))"},
      {"a Imp b Eqv c", "(Imp a (Eqv b c))"},
      // The predicates: Between's And is its own; a Not before Like, Between or In is theirs.
      {"a Between 1 And 2 And b", "(And (Between a 1 2) b)"},
      {"a Not Between 1 + 1 And 3", "(NotBetween a (+ 1 1) 3)"},
      {"a Not Like 'x%'", "(NotLike a 'x%')"},
      {"Not a Like 'x%'", "(Not (Like a 'x%'))"},
      {"x In (1, 2) Or y Is Not Null", "(Or (In x 1 2) (IsNotNull y))"},
      {"x Not In (SELECT 1)", "(NotIn x (SELECT))"},
      {"x In ((SELECT 1), 2)", "(In x (SELECT) 2)"},
      {"1 + Not 0 + 1", "(+ 1 (Not (+ 0 1)))"},
      {"a Is Null = b", "(= (IsNull a) b)"},
      {"a <> b < c", "(< (<> a b) c)"},
      // Any, Some and All take the comparison's left side and a subquery.
      {"a > All (SELECT 1) And b", "(And (>All a (SELECT)) b)"},
      {"a + 1 = Some (SELECT 1)", "(=Any (+ a 1) (SELECT))"},
      {"a < any (SELECT 1 UNION SELECT 2)", "(<Any a (SELECT))"},
      {"a = [Any]", "(= a Any)"},
      // Names, calls (Left and Right are keywords of joins) and subqueries.
      {"Left(s, 2) & [a b].[c]", "(& Left(s 2) a b.c)"},
      {"t!c + Right(s, 1)", "(+ t.c Right(s 1))"},
      {"Count(*)", "Count(*)"},
      {"Now()", "Now()"},
      {"(SELECT 1) + 1", "(+ (SELECT) 1)"},
      {"Not Exists (SELECT 1)", "(Not (Exists (SELECT)))"},
  };
  for (const auto& [expression, tree] : cases) {
    EXPECT_EQ(TreeOf(expression), tree) << expression;
  }
}

TEST(JetParserTest, LiteralsOfBothQuoteKindsDatesNumbersAndConstants) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"'it''s'", "'it's'"},
      {"\"say \"\"hi\"\"\"", "'say \"hi\"'"},
      {"'日本語'", "'日本語'"},
      {"''", "''"},
      {"#2024/04/01#", "#2024-04-01 00:00:00#"},
      {"#4/1/2024 13:30#", "#2024-04-01 13:30:00#"},
      {".5", ".5"},
      {"1e-3", "1e-3"},
      {"NULL", "Null"},
      {"true", "true"},  // a name until the binder finds no column of that name
      {"[a b]", "a b"},
  };
  for (const auto& [expression, tree] : cases) {
    EXPECT_EQ(TreeOf(expression), tree) << expression;
  }
}

TEST(JetParserTest, DateLiteralsInJetsForms) {
  const std::pair<std::string_view, std::string_view> dates[] = {
      {"2024/04/01", "2024-04-01 00:00:00"},
      {"2024-4-1", "2024-04-01 00:00:00"},
      {"4/1/2024", "2024-04-01 00:00:00"},
      {"12/31/99", "1999-12-31 00:00:00"},
      {"1/2/29", "2029-01-02 00:00:00"},
      {"2024/02/29", "2024-02-29 00:00:00"},
      {"13:30", "1899-12-30 13:30:00"},
      {"1:30:00 PM", "1899-12-30 13:30:00"},
      {"12:00 am", "1899-12-30 00:00:00"},
      {"12:05PM", "1899-12-30 12:05:00"},
      {" 2024/04/01 23:59:59 ", "2024-04-01 23:59:59"},
  };
  for (const auto& [text, value] : dates) EXPECT_EQ(JetDateLiteralValue(text), value) << text;
  for (std::string_view bad :
       {"", "2023/02/29", "2100/02/29", "2024/13/01", "2024/04/31", "2024/4", "24:00", "13:60",
        "13:30 PM", "0:30 AM", "2024/04/01x", "2024/04-01", "12345/1/1", "today"}) {
    EXPECT_FALSE(JetDateLiteralValue(bad).has_value()) << bad;
  }
}

TEST(JetParserTest, StatementFormsAndThoseLeftToTheEngine) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"select a from t", "Select parts=1"},
      {"(SELECT a FROM t) UNION ALL (SELECT b FROM u UNION SELECT c FROM v) ORDER BY 1",
       "Select parts=3"},
      {"SELECT * FROM (a INNER JOIN b ON a.x = b.x) LEFT OUTER JOIN c ON b.y = c.y, d",
       "Select parts=1"},
      {"INSERT INTO t (a, b) VALUES (1, 2);", "Insert t values=2 columns=2"},
      {"INSERT INTO t SELECT * FROM u", "Insert t parts=1"},
      {"INSERT INTO t (a) (SELECT b FROM u)", "Insert t parts=1 columns=1"},
      {"UPDATE t SET a = 1, t.b = a + 1 WHERE c", "Update set=t.b"},
      {"UPDATE a INNER JOIN b ON a.x = b.x SET a.y = b.y", "Update set=a.y join"},
      {"DELETE FROM [my t] WHERE a = 1", "Delete"},
      {"DELETE * FROM t", "Delete"},
      {"DELETE t.* FROM t INNER JOIN u ON t.a = u.a WHERE u.b = 1", "Delete join of=t"},
      {"DELETE t.a, t.b FROM t", "Delete"},
      {"SELECT DISTINCTROW TOP 5 PERCENT a INTO n FROM t", "SelectInto parts=1"},
      {"CREATE TABLE t (a TEXT(10) NOT NULL, b COUNTER(1, 1) PRIMARY KEY, "
       "CONSTRAINT u UNIQUE (a), FOREIGN KEY (a) REFERENCES p (k))",
       "CreateTable t [a TEXT(10) notnull] [b COUNTER(1) key]++"},
      {"CREATE TABLE t (a LONG CONSTRAINT f REFERENCES p ON DELETE CASCADE UNIQUE)",
       "CreateTable t [a LONG constraint constraint]"},
      {"create temp table t (x double precision default -1 check (x > 0))",
       "CreateTable t [x DOUBLE PRECISION constraint]"},
      {"CREATE UNIQUE INDEX i ON t (a DESC, b)", "CreateIndex i on t a desc b"},
      {"CREATE INDEX i ON t (a) WITH IGNORE NULL", "CreateIndex i on t with a"},
      {"CREATE VIEW v (n) AS SELECT a FROM t", "CreateView v parts=1 columns=1"},
      {"DROP TABLE t", "DropTable t"},
      {"DROP INDEX i;", "DropIndex i"},
      {"DROP INDEX i ON t", "DropIndex i on t"},
      {"ALTER TABLE t ADD COLUMN c MEMO", "AlterAdd t [c MEMO]"},
      {"ALTER TABLE t DROP c", "AlterDrop t drop=c"},
      {"ALTER TABLE t ALTER COLUMN c TEXT(5)", "AlterColumn t [c TEXT(5)]"},
      {"ALTER TABLE t ADD CONSTRAINT k PRIMARY KEY (a, b)", "AddConstraint t+"},
      {"ALTER TABLE t DROP CONSTRAINT k", "DropConstraint t drop=k"},
      {"TRANSFORM Sum(a) SELECT b FROM t GROUP BY b PIVOT c IN (1, 2)", "Crosstab parts=1"},
      {"PARAMETERS [p 1] LONG, q TEXT(5); SELECT [p 1] FROM t",
       "Select parts=1 (p 1 LONG) (q TEXT(5))"},
      {"CREATE PROCEDURE p (a LONG, b DATETIME) AS DELETE FROM t WHERE c = a",
       "CreateProcedure p (a LONG) (b DATETIME) {Delete}"},
      {"CREATE PROC p AS SELECT 1", "CreateProcedure p {Select parts=1}"},
      {"EXECUTE p 1, 'x'", "Execute p args=2"},
      {"DROP PROCEDURE p", "DropProcedure p"},
      // Forms the front end leaves to the engine, unchanged.
      {"", "Passthrough"},
      {";", "Passthrough"},
      {"-- a comment", "Passthrough"},
      {"PRAGMA table_info(t)", "Passthrough"},
      {"BEGIN", "Passthrough"},
      {"CREATE TRIGGER g AFTER INSERT ON t BEGIN SELECT 1; END", "Passthrough"},
      {"ALTER TABLE t RENAME TO u", "Passthrough"},
      {"SELECT name FROM pragma_table_info('t') WHERE pk > 0", "Passthrough"},
  };
  for (const auto& [sql, summary] : cases) {
    const JetParse parse = ParseJetStatement(sql);
    EXPECT_EQ(Summary(*parse.statement), summary) << sql;
    EXPECT_FALSE(parse.moreStatements) << sql;
  }
  EXPECT_TRUE(ParseJetStatement("SELECT 1; SELECT 2").moreStatements);
  EXPECT_TRUE(ParseJetStatement("DELETE FROM t;;x").moreStatements);
  EXPECT_FALSE(ParseJetStatement("DELETE FROM t; ; -- done").moreStatements);
  // PARAMETERS' own ';' does not end the statement.
  EXPECT_FALSE(ParseJetStatement("PARAMETERS a LONG; SELECT a;").moreStatements);
  EXPECT_TRUE(ParseJetStatement("PARAMETERS a LONG; SELECT a; SELECT 2").moreStatements);
}

TEST(JetParserTest, AStatementItCannotReadIsReportedInItsClauseWhereItStopsMakingSense) {
  struct Case {
    std::string_view sql;
    std::string message;  // with the hint's line, when there is one
    std::size_t offset;
  };
  const std::string selectWords =
      "SELECT ステートメントには、予約語、引数名、または句読点のスペルミスがあるか、欠けている"
      "ものがあります";
  const std::string parenthesis = "開きかっこ ( の数だけ閉じかっこ ) が必要です。";
  const Case cases[] = {
      // Each clause as Jet names it, with the word where the statement stops making sense.
      {"SELECT a, FROM t",
       Hinted(selectWords + " ('FROM' の付近)。",
              "FROM の前のコンマ (,) を取ってください。最後のフィールドの後にコンマは付けません。"),
       10},
      {"SELECT a FROM t x y", "FROM 句の構文エラーです ('y' の付近)。", 18},
      {"DELETE t.* t FROM t", "DELETE ステートメントの構文エラーです ('t' の付近)。", 11},
      {"SELECT a FROM t WHERE b = = 1", "WHERE 句の構文エラーです ('=' の付近)。", 26},
      {"CREATE TABLE t (a TEXT(x))", "フィールド定義の構文エラーです ('x' の付近)。", 23},
      {"SELECT a FROM t GROUP a",
       Hinted("GROUP BY 句の構文エラーです ('a' の付近)。",
              "GROUP の後には BY を書きます: GROUP BY a"),
       22},
      {"SELECT a FROM", "FROM 句の構文エラーです (文が途中で終わっています)。", 13},
      {"SELECT a FROM t WHERE", "WHERE 句の構文エラーです (文が途中で終わっています)。", 21},
      {"INSERT INTO t (a) VALUES 1", "INSERT INTO ステートメントの構文エラーです ('1' の付近)。",
       25},
      {"UPDATE t a = 1", "UPDATE ステートメントの構文エラーです ('=' の付近)。", 11},
      {"ALTER TABLE t ADD", "フィールド定義の構文エラーです (文が途中で終わっています)。", 17},
      // Two operands side by side: Jet's missing operator, with the expression.
      {"SELECT 氏名 給与 FROM 社員",
       Hinted("クエリ式 '氏名 給与' の構文エラー: 演算子がありません。",
              "フィールドとフィールドの間にはコンマが必要です: 氏名, 給与。別名を付けるときは 氏名 "
              "AS 給与 と書きます。"),
       14},
      {"SELECT 氏名, 給与 社員",
       Hinted(
           "クエリ式 '給与 社員' の構文エラー: 演算子がありません。",
           "FROM がありません。フィールドの一覧の後に FROM とテーブル名を書きます: 給与 FROM 社員"),
       22},
      {"SELECT a FROM t WHERE b = 1 c = 2", "クエリ式 'b = 1 c' の構文エラー: 演算子がありません。",
       28},
      {"SELECT a FROM t WHERE d > 2024年4月1日",
       Hinted("クエリ式 'd > 2024年4月1日' の構文エラー: 演算子がありません。",
              "日付は #2024/04/01# のように # で囲んで書きます。"),
       30},
      {"UPDATE t SET a 1", "クエリ式 'a 1' の構文エラー: 演算子がありません。", 15},
      // A misspelt keyword, a reserved word as a name.
      {"SELECT * FORM t",
       Hinted(selectWords + " ('FORM' の付近)。", "FORM は FROM の書き間違いではありませんか。"),
       9},
      {"SELECT a FROM t WHERE a = 1 ODER BY a",
       Hinted("クエリ式 'a = 1 ODER' の構文エラー: 演算子がありません。",
              "ODER は ORDER の書き間違いではありませんか。"),
       28},
      {"CREATE TABLE t (Order LONG)",
       Hinted("フィールド定義の構文エラーです ('Order' の付近)。",
              "Order は SQL の予約語です。名前に使うときは [Order] のように角かっこで囲みます。"),
       16},
      {"SELECT a FROM Group",
       Hinted("FROM 句の構文エラーです ('Group' の付近)。",
              "Group は SQL の予約語です。名前に使うときは [Group] のように角かっこで囲みます。"),
       14},
      // A parenthesis left open, at the end or before the next clause.
      {"INSERT INTO t VALUES (1",
       Hinted("クエリ式 '(1' の構文エラー: 閉じかっこ ')' がありません。", parenthesis), 23},
      {"SELECT Len(氏名 FROM 社員",
       Hinted("クエリ式 'Len(氏名' の構文エラー: 閉じかっこ ')' がありません。", parenthesis), 18},
      {"SELECT a FROM t WHERE (a = 1 OR a = 2",
       Hinted("クエリ式 '(a = 1 OR a = 2' の構文エラー: 閉じかっこ ')' がありません。",
              parenthesis),
       37},
  };
  for (const Case& c : cases) {
    try {
      ParseJetStatement(c.sql);
      ADD_FAILURE() << c.sql;
    } catch (const JetError& error) {
      EXPECT_EQ(SjisToUtf8(error.what()), c.message) << c.sql;
      EXPECT_EQ(error.Offset(), c.offset) << c.sql;
    }
  }
  // Nesting deeper than any person writes is refused, not followed until the stack runs out.
  const std::string deep = "SELECT " + std::string(100000, '(') + "1" + std::string(100000, ')');
  std::string signs = "SELECT ";
  for (int i = 0; i < 50000; ++i) signs += "- Not ";
  const auto chainOf = [](int terms) {
    std::string chain = "SELECT 1 FROM t WHERE a = 0";
    for (int i = 1; i < terms; ++i) chain += " Or a = " + std::to_string(i);
    return chain;
  };
  EXPECT_NO_THROW(ParseJetStatement(chainOf(900)));  // a long list written out
  for (const std::string& sql : {deep, signs + "1", chainOf(50000)}) {
    try {
      ParseJetStatement(sql);
      ADD_FAILURE();
    } catch (const JetError& error) {
      EXPECT_EQ(SjisToUtf8(error.what()), msg::NestedTooDeeply().Utf8());
    }
  }
  const std::string textHint =
      "文字列は '山田' のように同じ引用符で囲みます。文字列の中の ' は '' と 2 つ重ねて書きます。";
  const std::pair<std::string_view, std::string> others[] = {
      {"SELECT 'abc",
       Hinted("文字列の構文エラーです。'abc で始まる文字列の引用符 ' が閉じられていません。",
              textHint)},
      {"SELECT '山田 FROM t",
       Hinted("文字列の構文エラーです。'山田 で始まる文字列の引用符 ' が閉じられていません。",
              textHint)},
      {"SELECT \"abc",
       Hinted("文字列の構文エラーです。\"abc で始まる文字列の引用符 \" が閉じられていません。",
              "文字列は \"山田\" のように同じ引用符で囲みます。文字列の中の \" は \"\" と 2 "
              "つ重ねて書きます。")},
      {"SELECT [a FROM t",
       Hinted("名前の構文エラーです。[a で始まる名前の角かっこ [ ] が閉じられていません。",
              "名前は [氏名] のように [ と ] で囲みます。")},
      {"SELECT #2024/02/30#", "日付の構文エラーです。#2024/02/30# は正しい日付ではありません。"},
      {"SELECT #2024/02/01",
       Hinted("日付の構文エラーです。#2024/02/01 で始まる日付の # が閉じられていません。",
              "日付は #2024/04/01# のように # で囲んで書きます。")},
  };
  for (const auto& [sql, message] : others) {
    try {
      ParseJetStatement(sql);
      ADD_FAILURE() << sql;
    } catch (const JetError& error) {
      EXPECT_EQ(SjisToUtf8(error.what()), message) << sql;
    }
  }
}

}  // namespace
}  // namespace tarnwick
