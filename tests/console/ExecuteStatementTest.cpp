// What one statement does: the grid for a statement that gives rows, the engine for the rest,
// and the console's own "?" command, which lists the catalogue or describes tables.
#include <gtest/gtest.h>

#include "ConsoleSession.h"

namespace tarnwick::test {
namespace {

const Statements kTableOfA = {"CREATE TABLE t (a INTEGER)", "INSERT INTO t VALUES (5)"};
const std::string kGridOfA = "a|\r\n-+\r\n5|\r\nOK\r\n";
const std::string kListing = "テーブル名の一覧\r\n----------------\r\n";

TEST(ExecuteStatement, AStatementThatGivesRowsGoesToTheGridWhateverItsFirstWord) {
  ExpectPanes({
      {kTableOfA, "select a from t;Select a FROM t;\r\n  SELECT a FROM t;SELECT\r\na FROM t;",
       "select a from t;\r\n" + kGridOfA + "Select a FROM t;\r\n" + kGridOfA +
           "SELECT a FROM t;\r\n" + kGridOfA + "SELECT\r\na FROM t;\r\n" + kGridOfA},
      // Glued to '*' or behind '(' it is a query all the same; a statement that gives no rows
      // is answered OK, one the front end refuses with its message.
      {kTableOfA, "SELECT*FROM t;", "SELECT*FROM t;\r\n" + kGridOfA},
      {kTableOfA, "(SELECT a FROM t);", "(SELECT a FROM t);\r\n" + kGridOfA},
      {kTableOfA, "PARAMETERS p LONG; SELECT a FROM t;",
       "PARAMETERS p LONG; SELECT a FROM t;\r\n" + kGridOfA},
      {kTableOfA, "DELETE FROM t WHERE a = 0;", "DELETE FROM t WHERE a = 0;\r\nOK\r\n\r\n"},
      {kTableOfA,
       "SELECT a FROM t LIMIT 1;",
       "SELECT a FROM t LIMIT 1;\r\nERROR! %\r\n\r\n",
       {"SELECT a FROM t LIMIT 1;"}},
  });
}

TEST(ExecuteStatement, QuestionMarkFormsAtTheStartOfAStatement) {
  ExpectPanes({
      // The lines after a "?" line in the same statement are neither described nor run.
      {kTableOfA, "?  \r\nSELECT a FROM t",
       "?  \r\nSELECT a FROM t\r\n" + kListing + "t\r\nOK\r\n\r\n"},
      // Names are taken literally: the ';' stays part of the name, so no table is found.
      {kTableOfA, "?;", "?;\r\n; テーブルは見つかりません\r\nOK\r\n\r\n"},
      {kTableOfA, "? t;", "? t;\r\nt; テーブルは見つかりません\r\nOK\r\n\r\n"},
      // After a line break the '?' goes to the engine.
      {kTableOfA,
       "SELECT a FROM t;\r\n? t",
       "SELECT a FROM t;\r\n" + kGridOfA + "? t\r\nERROR! %\r\n\r\n",
       {"? t"}},
  });
}

TEST(ExecuteStatement, ListingAndDescriptionLayout) {
  ExpectPanes({
      {{}, "?", "?\r\n" + kListing + "\r\nOK\r\n\r\n"},
      // Tables and views in the order they were made; the program's own tables, the
      // engine's, indexes and triggers are not listed.
      {{"CREATE TABLE zeta (a INTEGER)", "CREATE TABLE __tarnwick_state (a INTEGER)",
        "CREATE TABLE alpha (a COUNTER PRIMARY KEY)", "CREATE INDEX ix ON alpha (a)",
        "CREATE VIEW 見る AS SELECT a FROM alpha",
        "CREATE TRIGGER never AFTER INSERT ON zeta BEGIN SELECT 1; END"},
       "?",
       "?\r\n" + kListing + "zeta\r\nalpha\r\n見る\r\nOK\r\n\r\n"},
      // Names are found ignoring ASCII letter case and shown as typed; blanks between names.
      {{"CREATE TABLE Customers (ID INTEGER, G GUID, 名前 TEXT)",
        "INSERT INTO Customers (ID) VALUES (1)", "INSERT INTO Customers (ID) VALUES (2)",
        "CREATE TABLE b (x INTEGER)"},
       "? customers  b Customer",
       "? customers  b Customer\r\n"
       "customers テーブルの項目\r\n------------------------\r\n"
       "INTEGER 型     ID\r\nGUID 型        G\r\nCHAR 型        名前\r\n"
       "---\r\nデータ数は 2 です\r\nOK\r\n\r\n"
       "b テーブルの項目\r\n----------------\r\nINTEGER 型     x\r\n---\r\nデータ数は 0 です\r\n"
       "OK\r\n\r\n"
       "Customer テーブルは見つかりません\r\nOK\r\n\r\n"},
      // Double-byte names and views; only ASCII letters ignore case: "ア" (83 41) is not
      // "ヂ" (83 61).
      {{"CREATE TABLE 商品 (単価 MONEY)", "CREATE VIEW 高い AS SELECT 単価 FROM 商品",
        "CREATE TABLE ア (x INTEGER)"},
       "? 商品 高い ヂ",
       "? 商品 高い ヂ\r\n"
       "商品 テーブルの項目\r\n-------------------\r\nMONEY 型       単価\r\n"
       "---\r\nデータ数は 0 です\r\nOK\r\n\r\n"
       "高い テーブルの項目\r\n-------------------\r\nMONEY 型       単価\r\n"
       "---\r\nデータ数は 0 です\r\nOK\r\n\r\n"
       "ヂ テーブルは見つかりません\r\nOK\r\n\r\n"},
  });
}

}  // namespace
}  // namespace tarnwick::test
