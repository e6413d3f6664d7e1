// Where each refusal places the mistake: at the token at fault (the name that is not there,
// the second declaration, the value too many), so that the learner is shown the place.
#include <gtest/gtest.h>

#include "FrontEndFixture.h"

namespace tarnwick::test {
namespace {

// The textbook's tables with a procedure of each kind.
TestCatalogue WithProcedures() {
  TestCatalogue catalogue = Textbook();
  catalogue.Procedure("全員", "", "SELECT * FROM 社員")
      .Procedure("給与以上", "最低 CURRENCY", "SELECT * FROM 社員 WHERE 給与 >= 最低");
  return catalogue;
}

// The statement's text from where the refusal places its fault; "(taken)" when none.
std::string PlaceOfRefusal(std::string_view sql) {
  TestCatalogue catalogue = WithProcedures();
  try {
    CompileJet(sql, catalogue);
  } catch (const JetError& error) {
    if (error.Offset() > sql.size()) return "(past the end)";
    return std::string(sql.substr(error.Offset()));
  }
  return "(taken)";
}

TEST(JetRefusalPlace, EachRefusalPointsAtTheTokenAtFault) {
  // The statement, and the text the place of its mistake begins with.
  const std::pair<std::string_view, std::string_view> cases[] = {
      // Names that are not there.
      {"DROP TABLE nothing", "nothing"},
      {"DROP TABLE [a\"b]", "[a\"b]"},
      {"ALTER TABLE nothing ADD x LONG", "nothing ADD"},
      {"ALTER TABLE 部署 DROP nothing", "nothing"},
      {"ALTER TABLE 部署 ALTER COLUMN nothing LONG", "nothing LONG"},
      {"ALTER TABLE 部署 DROP CONSTRAINT nothing", "nothing"},
      {"CREATE INDEX i ON nothing (a)", "nothing (a)"},
      {"CREATE INDEX i ON 部署 (部署名, nothing)", "nothing)"},
      {"DROP INDEX nothing ON 部署", "nothing ON"},
      {"CREATE TABLE t (a LONG REFERENCES nothing)", "nothing)"},
      {"CREATE TABLE t (a LONG, PRIMARY KEY (b))", "b))"},
      {"CREATE TABLE t (a LONG, UNIQUE (a, b))", "b))"},
      {"INSERT INTO nothing VALUES (1)", "nothing VALUES"},
      {"INSERT INTO 社員 (氏名, nothing) VALUES ('x', 1)", "nothing)"},
      {"DELETE x.* FROM 社員", "x.* FROM"},
      {"PARAMETERS a LONG; DROP TABLE x", "x"},
      {"EXECUTE nothing", "nothing"},
      {"DROP PROCEDURE nothing", "nothing"},
      // What is there twice, or already.
      {"CREATE TABLE t (a LONG PRIMARY KEY, b LONG PRIMARY KEY)", "PRIMARY KEY)"},
      {"ALTER TABLE 部署 ADD CONSTRAINT k PRIMARY KEY (部署名)", "CONSTRAINT k"},
      {"ALTER TABLE 部署 ADD PRIMARY KEY (部署名)", "PRIMARY KEY (部署名)"},
      {"CREATE INDEX i ON 部署 (部署名) WITH PRIMARY", "WITH PRIMARY"},
      {"INSERT INTO 社員 (氏名, 氏名) VALUES ('x', 'y')", "氏名) VALUES"},
      {"SELECT 氏名, 氏名 INTO 重複 FROM 社員", "氏名 INTO"},
      {"SELECT 氏名 INTO 部署 FROM 社員", "部署 FROM"},
      {"PARAMETERS a LONG, a TEXT; SELECT 1", "a TEXT"},
      {"CREATE PROCEDURE 社員 AS SELECT 1", "社員 AS"},
      {"CREATE PROCEDURE p (a LONG, a LONG) AS SELECT a", "a LONG) AS"},
      // Keys and references that do not fit.
      {"CREATE TABLE t (a LONG REFERENCES 番号)", "番号)"},
      {"CREATE TABLE t (a LONG, b LONG, FOREIGN KEY (a, b) REFERENCES 部署 (部署ID))",
       "FOREIGN KEY"},
      // Counts that do not fit.
      {"CREATE VIEW v (x) AS SELECT 氏名, 給与 FROM 社員", "x) AS"},
      {"INSERT INTO 部署 SELECT 部署ID FROM 部署", "SELECT 部署ID"},
      {"EXECUTE 給与以上 1, 2", "2"},
      {"EXECUTE 全員 1", "1"},
      {"EXECUTE 給与以上", "給与以上"},
      // A source that cannot be changed.
      {"UPDATE (SELECT * FROM 社員) SET 給与 = 1", "(SELECT"},
  };
  for (const auto& [sql, at] : cases) {
    EXPECT_TRUE(PlaceOfRefusal(sql).starts_with(at))
        << sql << "\n  placed at: " << PlaceOfRefusal(sql);
  }
}

// A mistake inside a stored procedure's text is the procedure's: EXECUTE shows its name.
TEST(JetRefusalPlace, AMistakeInAProceduresStatementIsPlacedAtItsName) {
  TestCatalogue catalogue = WithProcedures();
  catalogue.Procedure("壊れた", "", "SELECT nothing FROM 社員");
  const std::string_view sql = "EXECUTE 壊れた";
  try {
    CompileJet(sql, catalogue);
    ADD_FAILURE() << "taken";
  } catch (const JetError& error) {
    EXPECT_EQ(sql.substr(error.Offset()), "壊れた");
  }
}

}  // namespace
}  // namespace tarnwick::test
