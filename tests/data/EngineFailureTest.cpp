// The engine's failures as the learner reads them: every result code the engine's header
// defines, and the messages the engine really writes, through the mapping to Japanese.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/EngineFailure.h"
#include "text/FileAccess.h"
#include "text/messages/EngineMessages.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {
namespace {

// Every SQLITE_* result code and extended result code of the engine's header, with its value.
std::vector<std::pair<std::string, int>> HeaderResultCodes() {
  const std::string header = ReadWholeFile(TARNWICK_SQLITE_HEADER);
  std::map<std::string, int> primary;
  std::vector<std::pair<std::string, int>> codes;
  const std::size_t first = header.find("#define SQLITE_OK ");
  const std::size_t last = header.find("#define SQLITE_DONE", first);
  const std::regex plain(R"(#define (SQLITE_[A-Z]+) +(\d+))");
  const std::string primaries = header.substr(first, header.find('\n', last) - first);
  for (std::sregex_iterator m(primaries.begin(), primaries.end(), plain), end; m != end; ++m) {
    primary[(*m)[1]] = std::stoi((*m)[2]);
    codes.emplace_back((*m)[1], std::stoi((*m)[2]));
  }
  const std::regex extended(
      R"(#define (SQLITE_[A-Z0-9_]+) +\((SQLITE_[A-Z]+) *\| *\((\d+)<<8\)\))");
  for (std::sregex_iterator m(header.begin(), header.end(), extended), end; m != end; ++m) {
    codes.emplace_back((*m)[1], primary.at((*m)[2]) | (std::stoi((*m)[3]) << 8));
  }
  return codes;
}

// The words of ASCII letters in a text.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : std::string(text) + " ") {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The only words of ASCII letters a message may hold: SQL's keywords (upper case), Jet's and
// the program's names, and the names the learner typed (here: none, the path is Japanese).
bool MayStand(const std::string& word) {
  static const std::set<std::string> names = {"Null",     "Jet",      "Microsoft", "Access",
                                              "Tarnwick", "tarnwick", "run"};
  const bool upper = std::all_of(
      word.begin(), word.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)); });
  return upper || names.count(word) > 0;
}

TEST(EngineFailure, EveryResultCodeOfTheEngineReadsInJapaneseWithoutTheEnginesWords) {
  const std::vector<std::pair<std::string, int>> codes = HeaderResultCodes();
  // The header of SQLite 3.40 defines 31 result codes and 74 extended ones.
  ASSERT_GE(codes.size(), 100u);
  std::set<int> general;
  for (const auto& [name, code] : codes) {
    SCOPED_TRACE(name);
    EngineFailure failure;
    failure.code = code;
    failure.text = sqlite3_errstr(code);
    failure.file = "/データ/名簿";
    const std::string shown = EngineFailureMessage(failure).Utf8();
    EXPECT_FALSE(shown.empty());
    for (const std::string& word : Words(shown)) {
      EXPECT_TRUE(MayStand(word)) << word << " in " << shown;
    }
    for (const std::string& word : Words(failure.text)) {
      if (word.size() < 3 || MayStand(word)) continue;
      EXPECT_EQ(Lower(shown).find(Lower(word)), std::string::npos) << word << " in " << shown;
    }
    if (shown.find("エラー コード") != std::string::npos) general.insert(code & 0xFF);
  }
  // Only codes that no statement of a learner meets fall to the general message, which names
  // the code: the engine's internal ones, misuse by the program, codes that are no failure,
  // and an SQL error whose text says nothing more than "SQL logic error".
  EXPECT_EQ(general, (std::set<int>{SQLITE_OK, SQLITE_ERROR, SQLITE_INTERNAL, SQLITE_NOTFOUND,
                                    SQLITE_EMPTY, SQLITE_MISUSE, SQLITE_FORMAT, SQLITE_NOTICE,
                                    SQLITE_WARNING, SQLITE_ROW, SQLITE_DONE}));
}

// The engine's own message for a statement on a small database: its extended code and text.
EngineFailure Failure(sqlite3* db, const std::string& sql) {
  EngineFailure failure;
  char* error = nullptr;
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  sqlite3_free(error);
  failure.code = sqlite3_extended_errcode(db);
  failure.text = sqlite3_errmsg(db);
  failure.statement = sql;
  return failure;
}

TEST(EngineFailure, TheEnginesOwnMessagesNameWhatTheyFailedOn) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db,
                   "CREATE TABLE t (a INTEGER PRIMARY KEY, b TEXT NOT NULL CHECK (b <> 'x'));"
                   "CREATE TABLE u (a, b); CREATE INDEX i ON u (a); CREATE VIEW v AS SELECT 2;"
                   "INSERT INTO t VALUES "
                   "(1, 'b');",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  const std::pair<std::string, msg::Message> cases[] = {
      {"SELEC a FROM t", msg::SyntaxError(msg::SqlClause::Statement, "SELEC")
                             .WithHint("SELEC は SELECT の書き間違いではありませんか。")},
      {"SELECT a FROM t WHERE", msg::SyntaxErrorAtEnd()},
      {"SELECT a FROM t WHERE a = = 1", msg::SyntaxErrorNear("=")},
      {"SELECT 'abc", msg::SyntaxErrorNear("'abc")},
      {"SELECT * FROM nosuch",
       msg::UnknownTable("nosuch").WithHint("テーブルの一覧は ? で確かめられます。")},
      {"SELECT nosuch FROM t", msg::UnknownColumn("nosuch")},
      {"SELECT Lenn(b) FROM t",
       msg::UnknownFunction("Lenn").WithHint("'Len' の書き間違いではありませんか。")},
      {"DROP INDEX nosuch", msg::UnknownIndex("nosuch")},
      {"CREATE TABLE t (c)", msg::TableExists("t")},
      {"CREATE INDEX i ON t (b)", msg::IndexExists("i")},
      {"CREATE VIEW t AS SELECT 1", msg::TableExists("t")},
      {"CREATE VIEW v AS SELECT 1", msg::ObjectExists("v")},
      {"CREATE TABLE d (c, c)", msg::DuplicateFieldDefinition("c")},
      {"INSERT INTO t (c) VALUES (1)", msg::UnknownFieldInInsert("c")},
      {"INSERT INTO t VALUES (1, 2, 3)", msg::InsertValueCount()},
      {"INSERT INTO t (a, b) VALUES (1)", msg::InsertValueCount()},
      {"SELECT a FROM t, u", msg::AmbiguousColumn("a")},
      {"SELECT substr()", msg::WrongArgumentCount("substr")},
      {"SELECT a FROM t WHERE count(*) > 1", msg::AggregateInWhere("count")},
      {"SELECT (SELECT 1, 2)", msg::SubqueryColumnCount()},
      {"SELECT 1 UNION SELECT 1, 2", msg::UnionColumnCount()},
      {"SELECT a FROM t ORDER BY 5", msg::OrderByPosition("1")},
      {"SELECT *", msg::NoTablesInSelect()},
      {"DROP TABLE sqlite_master", msg::SystemTable("sqlite_master")},
      {"CREATE TABLE sqlite_mine (c)", msg::SystemTable("sqlite_mine")},
      {"COMMIT", msg::NoTransaction()},
      {"INSERT INTO t VALUES (1, 'c')", msg::DuplicateValues("t", {"a"})},
      {"INSERT INTO t (a) VALUES (2)", msg::NullNotAllowed("t", "b")},
      {"INSERT INTO t VALUES (3, 'x')", msg::ValidationRuleViolated("b <> 'x'")},
      {"ALTER TABLE t ADD COLUMN c NOT NULL", msg::AlterTableNotPossible("t")},
  };
  for (const auto& [sql, expected] : cases) {
    const EngineFailure failure = Failure(db, sql);
    EXPECT_EQ(EngineFailureMessage(failure).Utf8(), expected.Utf8()) << sql << ": " << failure.text;
  }
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  EXPECT_EQ(EngineFailureMessage(Failure(db, "BEGIN")).Utf8(),
            msg::TransactionAlreadyStarted().Utf8());
  sqlite3_close(db);
}

TEST(EngineFailure, AStatementsTargetIsReadFromItsFirstWords) {
  using Verb = StatementTarget::Verb;
  const std::tuple<std::string_view, Verb, std::string_view> cases[] = {
      {R"(INSERT INTO "社員" ("氏名") VALUES (1))", Verb::Insert, "社員"},
      {"insert or replace into main.t select 1", Verb::Insert, "t"},
      {R"(UPDATE "a ""b""" SET x = 1)", Verb::Update, "a \"b\""},
      {"UPDATE OR IGNORE [部署] SET x = 1", Verb::Update, "部署"},
      {"DELETE FROM `t` WHERE 1", Verb::Delete, "t"},
      {"DELETE FROM main.`t x.y` WHERE 1", Verb::Delete, "t x.y"},
      {"REPLACE /* all */ INTO -- its rows\n[社 員] VALUES (1)", Verb::Insert, "社 員"},
      {"DROP TABLE IF EXISTS 部署", Verb::Drop, "部署"},
      {"DROP TABLE \"main\".\"部署\"", Verb::Drop, "部署"},
      {"ALTER TABLE 社員 ADD COLUMN c LONG", Verb::Alter, "社員"},
      {"DROP INDEX i", Verb::Other, ""},
      {"SELECT 1", Verb::Other, ""},
      {"", Verb::Other, ""},
  };
  for (const auto& [sql, verb, table] : cases) {
    const StatementTarget target = TargetOf(sql);
    EXPECT_EQ(target.verb, verb) << sql;
    EXPECT_EQ(target.table, table) << sql;
  }
}

}  // namespace
}  // namespace tarnwick
