// The generator by construct: each Jet statement and the engine's statement it becomes. The
// engine-side names are the function library's (jet_concat, jet_store, ...); jet_store takes
// the column's type by its code (JetType: 4 LONG, 11 TEXT, ...).
#include <gtest/gtest.h>

#include "FrontEndFixture.h"

namespace tarnwick::test {
namespace {

using Cases = std::vector<std::pair<std::string_view, std::string_view>>;

void ExpectEngineSql(const Cases& cases) {
  for (const auto& [sql, engine] : cases) EXPECT_EQ(EngineSqlOf(sql), engine) << sql;
}

TEST(JetGeneratorTest, OperatorsComputeJetsValues) {
  ExpectEngineSql({
      // & joins text forms; + of two texts joins them; NULL rules are the library's.
      {"SELECT 氏名 & '様' FROM 社員",
       R"(SELECT jet_concat("社員"."氏名", '様') AS "Expr1000" FROM "社員")"},
      {"SELECT 氏名 + 氏名 FROM 社員",
       R"(SELECT ("社員"."氏名" || "社員"."氏名") AS "Expr1000" FROM "社員")"},
      // Numbers of known types use the engine's + - *; / is always floating point; \ Mod ^
      // and + on a text and a number are the library's.
      {"SELECT 部署ID + 1, 部署ID / 2, 部署ID \\ 2, 部署ID Mod 2, 2 ^ 3 FROM 社員",
       R"(SELECT ("社員"."部署ID" + 1) AS "Expr1000", jet_div("社員"."部署ID", 2) AS "Expr1001", )"
       R"(jet_idiv("社員"."部署ID", 2) AS "Expr1002", jet_mod("社員"."部署ID", 2) AS "Expr1003", )"
       R"(jet_pow(2, 3) AS "Expr1004" FROM "社員")"},
      {"SELECT 1 + '2', -'x'",
       R"(SELECT jet_add(1, '2') AS "Expr1000", jet_neg('x') AS "Expr1001")"},
      // Currency is rounded to four places after + - *.
      {"SELECT 給与 * 3 FROM 社員",
       R"(SELECT jet_cur(("社員"."給与" * 3)) AS "Expr1000" FROM "社員")"},
      // Dates: plus days, minus a date, compared by their time.
      {"SELECT 入社日 + 1, 入社日 - 入社日, 入社日 - 1 FROM 社員",
       R"(SELECT jet_date_plus("社員"."入社日", 1) AS "Expr1000", )"
       R"(jet_date_minus("社員"."入社日", "社員"."入社日") AS "Expr1001", )"
       R"(jet_sub("社員"."入社日", 1) AS "Expr1002" FROM "社員")"},
  });
}

TEST(JetGeneratorTest, TruthValuesAreMinusOneAsValuesAndTheEnginesInConditions) {
  // A YESNO column is read as a truth value: older files hold True as 1.
  ExpectEngineSql({
      {"SELECT True, False, 1 = 1, Not 在籍 FROM 社員",
       R"(SELECT -1 AS "Expr1000", 0 AS "Expr1001", (- (1 = 1)) AS "Expr1002", )"
       R"((- (NOT ("社員"."在籍" <> 0))) AS "Expr1003" FROM "社員")"},
      {"SELECT 氏名 FROM 社員 WHERE 在籍 And Not 部署ID = 1",
       R"(SELECT "社員"."氏名" AS "氏名" FROM "社員" WHERE (("社員"."在籍" <> 0) AND (NOT ("社員"."部署ID" )"
       R"(= 1))))"},
      // On integers And, Or and Not work bit by bit; Xor, Eqv, Imp are the library's.
      {"SELECT 部署ID And 3, Not 部署ID, 在籍 Xor True FROM 社員",
       R"(SELECT jet_and("社員"."部署ID", 3) AS "Expr1000", jet_not("社員"."部署ID") AS "Expr1001", )"
       R"(jet_xor((- ("社員"."在籍" <> 0)), -1) AS "Expr1002" FROM "社員")"},
      {"SELECT 氏名 Is Null, Exists (SELECT 1) FROM 社員",
       R"(SELECT (- ("社員"."氏名" IS NULL)) AS "Expr1000", (- (EXISTS (SELECT 1 AS "Expr1000"))) AS )"
       R"("Expr1001" FROM "社員")"},
  });
}

TEST(JetGeneratorTest, TextComparesWithoutCaseAndDatesByTheirTime) {
  ExpectEngineSql({
      {"SELECT 氏名 FROM 社員 WHERE 氏名 = 'a' OR 入社日 >= #2024/04/01#",
       R"(SELECT "社員"."氏名" AS "氏名" FROM "社員" WHERE (("社員"."氏名" = 'a' COLLATE NOCASE) OR )"
       R"((jet_date_key("社員"."入社日") >= jet_date_key('2024-04-01 00:00:00'))))"},
      {"SELECT 1 FROM 社員 WHERE 氏名 Between 'a' And 'c' AND 入社日 In (#1/1/2024#, '2024/1/2')",
       R"(SELECT 1 AS "Expr1000" FROM "社員" WHERE (("社員"."氏名" COLLATE NOCASE BETWEEN 'a' AND 'c') AND )"
       R"((jet_date_key("社員"."入社日") IN (jet_date_key('2024-01-01 00:00:00'), jet_date_key('2024/1/2')))))"},
      // Like: the engine's where it matches as Jet does, the library's for [ ] classes.
      {"SELECT 1 FROM 社員 WHERE 氏名 Like 'a%' AND 氏名 Not Like '[!a-c]_' AND 備考 Like 氏名",
       R"(SELECT 1 AS "Expr1000" FROM "社員" WHERE (("社員"."氏名" LIKE 'a%') AND (NOT jet_like()"
       R"("社員"."氏名", '[!a-c]_')) AND jet_like("社員"."備考", "社員"."氏名")))"},
      // ORDER BY, GROUP BY, DISTINCT and UNION ignore case; Min and Max of text too.
      {"SELECT DISTINCT 氏名, 入社日 FROM 社員 ORDER BY 氏名, 入社日 DESC",
       R"(SELECT DISTINCT "社員"."氏名" COLLATE NOCASE AS "氏名", "社員"."入社日" AS "入社日" FROM "社員" )"
       R"(ORDER BY "社員"."氏名" COLLATE NOCASE, jet_date_key("社員"."入社日") DESC)"},
      {"SELECT 氏名, Max(氏名) FROM 社員 GROUP BY 氏名",
       R"(SELECT "社員"."氏名" AS "氏名", max("社員"."氏名" COLLATE NOCASE) AS "Expr1000" FROM "社員" )"
       R"(GROUP BY "社員"."氏名" COLLATE NOCASE)"},
      {"SELECT 氏名 FROM 社員 UNION SELECT 部署名 FROM 部署 ORDER BY 氏名 DESC",
       R"(SELECT "社員"."氏名" COLLATE NOCASE AS "氏名" FROM "社員" UNION SELECT "部署"."部署名" )"
       R"(COLLATE NOCASE AS "氏名" FROM "部署" ORDER BY 1 COLLATE NOCASE DESC)"},
  });
}

TEST(JetGeneratorTest, NothingTheEngineWouldReadOtherwise) {
  ExpectEngineSql({
      // Two minus signs in a row would begin a comment.
      {"SELECT -True, -(-1)", R"(SELECT (- -1) AS "Expr1000", (- (- 1)) AS "Expr1001")"},
      // A chain of Or (or And) is one flat list: the engine's parser nests only so deep.
      {"SELECT 1 FROM 部署 WHERE 部署ID = 1 Or 部署ID = 2 Or 部署ID = 3 And 部署ID > 0",
       R"(SELECT 1 AS "Expr1000" FROM "部署" WHERE (("部署"."部署ID" = 1) OR ("部署"."部署ID" = 2) OR )"
       R"((("部署"."部署ID" = 3) AND ("部署"."部署ID" > 0))))"},
      // Chains of + - and of * are the engine's own flat ones (left to right, as Jet); & is
      // joined in a balanced tree of calls.
      {"SELECT 1 - 2 + 3 * 4 * 5 - (6 - 7), 'a' & 'b' & 'c' & 'd' & 'e'",
       R"(SELECT (1 - 2 + (3 * 4 * 5) - (6 - 7)) AS "Expr1000", jet_concat(jet_concat(jet_concat()"
       R"('a', 'b'), 'c'), jet_concat('d', 'e')) AS "Expr1001")"},
      // A whole number in GROUP BY or ORDER BY would be a column's position to the engine.
      {"SELECT 5, Count(*) FROM 部署 GROUP BY 5, -True ORDER BY 1",
       R"(SELECT 5 AS "Expr1000", count(*) AS "Expr1001" FROM "部署" GROUP BY NULL, NULL ORDER BY NULL)"},
  });
}

TEST(JetGeneratorTest, AggregatesJoinsAndSubqueries) {
  ExpectEngineSql({
      {"SELECT Count(*), Sum(給与), Avg(給与), Sum(単価), First(氏名) FROM 社員",
       R"(SELECT count(*) AS "Expr1000", jet_cur_sum("社員"."給与") AS "Expr1001", )"
       R"(jet_cur(jet_avg("社員"."給与")) AS "Expr1002", jet_sum("社員"."単価") AS "Expr1003", )"
       R"(jet_first("社員"."氏名") AS "Expr1004" FROM "社員")"},
      {"SELECT s.氏名 FROM (社員 AS s LEFT JOIN 部署 ON s.部署ID = 部署.部署ID) "
       "RIGHT JOIN 部署 AS b ON b.部署ID = s.部署ID",
       R"(SELECT "s"."氏名" AS "氏名" FROM ("社員" AS "s" LEFT JOIN "部署" ON ("s"."部署ID" = )"
       R"("部署"."部署ID")) RIGHT JOIN "部署" AS "b" ON ("b"."部署ID" = "s"."部署ID"))"},
      {"SELECT n FROM (SELECT 氏名 AS n FROM 社員)",
       R"(SELECT "__jet_derived1"."n" AS "n" FROM (SELECT "社員"."氏名" AS "n" FROM "社員") AS )"
       R"("__jet_derived1")"},
  });
}

TEST(JetGeneratorTest, StoredValuesAreConvertedToTheirColumnsType) {
  ExpectEngineSql({
      // Literals that need no conversion go as they are; others through jet_store, which names
      // the column in the message of a value that does not convert. A YESNO
      // column left out without a default of its table's is False.
      {"INSERT INTO 社員 (氏名, 部署ID, 年齢, 給与, 入社日) VALUES ('山田', -5, 7, 1.25, "
       "#2024/4/1#)",
       R"(INSERT INTO "社員" ("氏名", "部署ID", "年齢", "給与", "入社日", "在籍") VALUES ('山田', (- 5), 7, 1.25, )"
       R"('2024-04-01 00:00:00', 0))"},
      {"INSERT INTO 社員 (氏名, 部署ID, 年齢, 給与, 入社日, 在籍) "
       "VALUES ('あいうえおかきくけこさ', '12', 256, 1.23456, '2024/4/1', NULL)",
       R"(INSERT INTO "社員" ("氏名", "部署ID", "年齢", "給与", "入社日", "在籍") VALUES )"
       R"((jet_store('あいうえおかきくけこさ', 11, 10, '氏名'), jet_store('12', 4, 0, '部署ID'), )"
       R"(jet_store(256, 2, 0, '年齢'), jet_store(1.23456, 6, 0, '給与'), jet_store('2024/4/1', 10, 0, '入社日'), )"
       R"(jet_store(NULL, 1, 0, '在籍')))"},
      {"INSERT INTO 番号 VALUES (1, True)", R"(INSERT INTO "番号" ("No", "可") VALUES (1, -1))"},
      {"INSERT INTO 部署 SELECT 部署ID, 氏名 FROM 社員 UNION SELECT 1, 'x'",
       R"(INSERT INTO "部署" ("部署ID", "部署名") SELECT jet_store("__jet_rows"."1", 4, 0, '部署ID'), )"
       R"(jet_store("__jet_rows"."2", 11, 20, '部署名') FROM (SELECT "社員"."部署ID" AS "1", "社員"."氏名" )"
       R"(COLLATE NOCASE AS "2" FROM "社員" UNION SELECT 1 AS "1", 'x' COLLATE NOCASE AS "2") AS )"
       R"("__jet_rows")"},
      {"UPDATE 社員 SET 給与 = 給与 * 1.1, 在籍 = 部署ID > 1 WHERE 氏名 = 'a'",
       R"(UPDATE "社員" SET "給与" = jet_store(("社員"."給与" * 1.1), 6, 0, '給与'), "在籍" = )"
       R"(jet_store((- ("社員"."部署ID" > 1)), 1, 0, '在籍') WHERE ("社員"."氏名" = 'a' COLLATE NOCASE))"},
      {"DELETE FROM 社員 WHERE 入社日 < #2000/1/1#",
       R"(DELETE FROM "社員" WHERE (jet_date_key("社員"."入社日") < jet_date_key('2000-01-01 00:00:00')))"},
  });
}

TEST(JetGeneratorTest, DefinitionsKeepTheJetTypeNameFirstAndTheStorageItPromises) {
  ExpectEngineSql({
      // Storage words after the names the engine would misread; NOCASE on text; YESNO False.
      {"CREATE TABLE t (a MEMO, b STRING(50), c LONG, d DATETIME, e YESNO, f BINARY(16), g TEXT)",
       R"(CREATE TABLE "t" ("a" MEMO TEXT COLLATE NOCASE, "b" STRING TEXT(50) COLLATE NOCASE, )"
       R"("c" LONG INT, "d" DATETIME TEXT, "e" YESNO DEFAULT 0, "f" BINARY BLOB(16), "g" TEXT COLLATE NOCASE))"},
      // Key columns refuse NULL; a sole INTEGER key is no row number (a NULL is refused, not
      // numbered). Every key and constraint follows the columns, with its name.
      {"CREATE TABLE t (ID INTEGER, a LONG NOT NULL, b SHORT, PRIMARY KEY (a, b))",
       R"(CREATE TABLE "t" ("ID" INTEGER, "a" LONG INT NOT NULL, "b" SHORT INT NOT NULL, )"
       R"(PRIMARY KEY ("a", "b")))"},
      {"CREATE TABLE t (ID INTEGER CONSTRAINT k PRIMARY KEY DESC, n TEXT(9))",
       R"(CREATE TABLE "t" ("ID" INT NOT NULL, "n" TEXT(9) COLLATE NOCASE, )"
       R"(CONSTRAINT "k" PRIMARY KEY ("ID" DESC)))"},
      // Defaults are converted as stored values; constraints keep their names.
      {"CREATE TEMP TABLE IF NOT EXISTS t (a LONG DEFAULT '7' CHECK (a > 0), b YESNO DEFAULT True "
       "UNIQUE, c LONG REFERENCES 部署 (部署id) ON DELETE SET NULL, CONSTRAINT f FOREIGN KEY (c) "
       "REFERENCES 部署 ON UPDATE CASCADE ON DELETE NO ACTION)",
       R"(CREATE TEMP TABLE IF NOT EXISTS "t" ("a" LONG INT DEFAULT (jet_store('7', 4)), )"
       R"("b" YESNO DEFAULT (-1), "c" LONG INT, CHECK (("a" > 0)), UNIQUE ("b"), FOREIGN KEY )"
       R"(("c") REFERENCES "部署" ("部署ID") ON DELETE SET NULL, CONSTRAINT "f" FOREIGN KEY ("c") )"
       R"(REFERENCES "部署" ("部署ID") ON UPDATE CASCADE ON DELETE NO ACTION))"},
      {"ALTER TABLE 部署 ADD 有効 YESNO",
       R"(ALTER TABLE "部署" ADD COLUMN "有効" YESNO DEFAULT 0)"},
      {"ALTER TABLE 部署 DROP 部署名", R"(ALTER TABLE "部署" DROP COLUMN "部署名")"},
      {"ALTER TABLE 部署 ADD CONSTRAINT u UNIQUE (部署名)",
       R"(CREATE UNIQUE INDEX "u" ON "部署" ("部署名"))"},
      {"CREATE UNIQUE INDEX i ON 部署 (部署名 DESC, 部署id)",
       R"(CREATE UNIQUE INDEX "i" ON "部署" ("部署名" DESC, "部署ID"))"},
      {"CREATE INDEX i ON 部署 (部署名) WITH IGNORE NULL",
       R"(CREATE INDEX "i" ON "部署" ("部署名") WHERE "部署名" IS NOT NULL)"},
      {R"(DROP TABLE IF EXISTS [a"b])", R"(DROP TABLE IF EXISTS "a""b")"},
      {"DROP INDEX i", R"(DROP INDEX "i")"},
      // A view records its columns' Jet types in its own definition.
      {"CREATE VIEW v AS SELECT ID, 氏名, 給与 * 2 AS 倍, 備考 & '' FROM 社員",
       R"(CREATE VIEW "v" /*jet-types:COUNTER;TEXT(10);CURRENCY;TEXT*/ AS SELECT "社員"."ID" AS "ID", )"
       R"("社員"."氏名" AS "氏名", jet_cur(("社員"."給与" * 2)) AS "倍", jet_concat("社員"."備考", '') )"
       R"(AS "Expr1000" FROM "社員")"},
  });
}

}  // namespace
}  // namespace tarnwick::test
