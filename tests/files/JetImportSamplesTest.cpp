// Importing the Jet sample files, checked against what mdbtools' own programs print for the
// same files: every table, every column's type, the keys, the relationships, every row and
// value; the saved select queries as views, the others listed.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "data/Dataset.h"
#include "support/JetSamples.h"
#include "support/SessionFixture.h"

namespace tarnwick {
namespace {

using test::ExportedRows;
using test::JetSample;
using test::ProgramOutput;

constexpr const char* kSamples[] = {
    "testV1997.mdb",          "compIndexTestV1997.mdb", "compIndexTestV2000.mdb",
    "indexTestV2000.mdb",     "queryTestV2000.mdb",     "fixedNumericTestV2000.mdb",
    "fixedTextTestV2000.mdb", "delColTestV2000.mdb",
};

// A session on a fresh current database, connected, with the pane emptied.
struct JetImportFixture : test::SessionFixture {
  JetImportFixture() {
    session.RecreateDatabase();
    session.SetDbConnected(true);
    pane.Clear();
  }

  // The rows of a current table (rowid order), each value as the engine returns it as text
  // (NULL as kNullCell).
  std::vector<std::vector<std::string>> Rows(const std::string& table) {
    const test::EngineDialectWhile engine(connection);
    Query query(connection);
    query.SetSql(Sjis("SELECT * FROM [" + table + "] ORDER BY rowid"));
    query.Open();
    std::vector<std::vector<std::string>> rows;
    for (; !query.Eof(); query.Next()) {
      std::vector<std::string>& row = rows.emplace_back();
      for (int i = 0; i < query.FieldCount(); ++i) {
        const CellValue value = query.FieldAt(i).Value();
        row.push_back(value.type == CellValue::Null    ? std::string(test::kNullCell)
                      : value.type == CellValue::Text  ? std::string(value.bytes)
                      : value.type == CellValue::Float ? FloatText(value.real)
                                                       : SjisToUtf8(query.FieldAt(i).AsString()));
      }
    }
    return rows;
  }

  static std::string FloatText(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
  }

  // "name TYPE" per column as the current table declares it, and its key columns in order.
  std::vector<std::string> Columns(const std::string& table) {
    return Split(EngineScalar(
        "SELECT group_concat(name || ' ' || type, '|') FROM pragma_table_info('" + table + "')"));
  }
  std::vector<std::string> KeyColumns(const std::string& table) {
    return Split(
        EngineScalar("SELECT group_concat(name, '|') FROM (SELECT name FROM pragma_table_info('" +
                     table + "') WHERE pk > 0 ORDER BY pk)"));
  }
  static std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, '|');) parts.push_back(part);
    return parts;
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// mdb-schema's words for a column type, and ours for the same type.
std::string OurTypeName(const std::string& theirs) {
  static const std::map<std::string, std::string> names = {
      {"Text", "TEXT"},      {"Memo/Hyperlink", "MEMO"}, {"Byte", "BYTE"},
      {"Integer", "SHORT"},  {"Long Integer", "LONG"},   {"Single", "SINGLE"},
      {"Double", "DOUBLE"},  {"DateTime", "DATETIME"},   {"Currency", "CURRENCY"},
      {"Boolean", "YESNO"},  {"Replication ID", "GUID"}, {"Numeric", "DECIMAL"},
      {"OLE", "LONGBINARY"},
  };
  const auto found = names.find(theirs);
  return found == names.end() ? "?" + theirs : found->second;
}

// "column TYPE(size)" per column of each table, from mdb-schema's Access DDL.
std::map<std::string, std::vector<std::string>> SchemaColumns(const std::string& file) {
  std::map<std::string, std::vector<std::string>> tables;
  std::string table;
  static const std::regex tableLine(R"re(CREATE TABLE \[(.+)\])re");
  static const std::regex columnLine(
      R"re(^\s*\[(.+)\]\s+([A-Za-z/ ]+?)\s*(\(([0-9, ]+)\))?( NOT NULL)?,?\s*$)re");
  for (const std::string& line : Lines(ProgramOutput({"/usr/bin/mdb-schema", file, "access"}))) {
    std::smatch match;
    if (std::regex_search(line, match, tableLine)) {
      table = match[1];
    } else if (std::regex_match(line, match, columnLine)) {
      std::string size = match[4];
      size.erase(std::remove(size.begin(), size.end(), ' '), size.end());
      std::string type = OurTypeName(match[2]);
      if (!size.empty() && type != "MEMO") type += "(" + size + ")";
      tables[table].push_back(std::string(match[1]) + " " + type);
    }
  }
  return tables;
}

// The primary key columns of each table, from mdb-schema's PostgreSQL DDL (names in lower case).
std::map<std::string, std::string> SchemaKeys(const std::string& file) {
  std::map<std::string, std::string> keys;
  static const std::regex keyLine(
      R"re(ALTER TABLE "(.+)" ADD CONSTRAINT ".+" PRIMARY KEY \((.+)\);)re");
  for (const std::string& line : Lines(ProgramOutput({"/usr/bin/mdb-schema", file, "postgres"}))) {
    std::smatch match;
    if (std::regex_search(line, match, keyLine)) keys[match[1]] = match[2];
  }
  return keys;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return text;
}

// A value of ours and the same value as mdb-export prints it.
void ExpectSameValue(const std::string& ours, const std::string& theirs, const std::string& type,
                     const std::string& where) {
  if (theirs == test::kNullCell || ours == test::kNullCell) {
    EXPECT_EQ(ours, theirs) << where;
  } else if (type.starts_with("YESNO")) {
    EXPECT_EQ(ours, theirs == "1" ? "-1" : "0") << where;  // Jet's True is -1
  } else if (type.starts_with("CURRENCY") || type.starts_with("DECIMAL") ||
             type.starts_with("DOUBLE") || type.starts_with("SINGLE")) {
    EXPECT_DOUBLE_EQ(std::stod(ours), std::stod(theirs)) << where;
  } else {
    EXPECT_EQ(ours, theirs) << where;
  }
}

class JetSampleImport : public testing::TestWithParam<const char*> {};

TEST_P(JetSampleImport, EveryTableTypeKeyRowAndValueArrivesAsMdbToolsReadsIt) {
  REQUIRE_JET_SAMPLES();
  const std::string file = JetSample(GetParam());
  JetImportFixture f;
  EXPECT_EQ(f.session.ImportDatabase(file), 0) << f.Pane();

  const std::vector<std::string> tables = Lines(ProgramOutput({"/usr/bin/mdb-tables", "-1", file}));
  ASSERT_FALSE(tables.empty());
  std::vector<std::string> ours = f.Split(f.EngineScalar(
      "SELECT group_concat(name, '|') FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
      "'sqlite%' AND name NOT LIKE '\\_\\_tarnwick%' ESCAPE '\\'"));
  std::vector<std::string> theirs = tables;
  std::sort(ours.begin(), ours.end());
  std::sort(theirs.begin(), theirs.end());
  EXPECT_EQ(ours, theirs);

  const auto schema = SchemaColumns(file);
  const auto keys = SchemaKeys(file);
  for (const std::string& table : tables) {
    SCOPED_TRACE(table);
    EXPECT_NE(f.Pane().find(table + "テーブルを取込みました"), std::string::npos);
    // Types: ours are the Jet type followed by the word that gives our engine its storage.
    const std::vector<std::string> columns = f.Columns(table);
    ASSERT_EQ(columns.size(), schema.at(table).size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string& expected = schema.at(table)[i];
      const bool counter = columns[i].ends_with(" COUNTER INT") && expected.ends_with(" LONG");
      EXPECT_TRUE(columns[i].starts_with(expected) || counter) << columns[i] << " / " << expected;
    }
    std::string key;
    for (const std::string& column : f.KeyColumns(table)) {
      key += (key.empty() ? "\"" : ", \"") + Lower(column) + "\"";
    }
    const auto theirKey = keys.find(Lower(table));
    EXPECT_EQ(key, theirKey == keys.end() ? "" : theirKey->second);
    // Rows and values.
    const auto exported = ExportedRows(file, table);
    const auto imported = f.Rows(table);
    ASSERT_EQ(imported.size(), exported.size());
    for (std::size_t r = 0; r < imported.size(); ++r) {
      ASSERT_EQ(imported[r].size(), exported[r].size());
      for (std::size_t c = 0; c < imported[r].size(); ++c) {
        const std::string type = columns[c].substr(columns[c].find(' ') + 1);
        ExpectSameValue(imported[r][c], exported[r][c], type,
                        columns[c] + " row " + std::to_string(r + 1));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(JetSamples, JetSampleImport, testing::ValuesIn(kSamples),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

TEST(JetImport, EnforcedRelationshipsBecomeForeignKeysWithTheReferencedTablesImportedFirst) {
  REQUIRE_JET_SAMPLES();
  const std::string file = JetSample("indexTestV2000.mdb");
  JetImportFixture f;
  ASSERT_EQ(f.session.ImportDatabase(file), 0);
  // The catalogue lists Table1 first; it refers to Table2 and Table3, which come before it.
  EXPECT_EQ(f.Pane(),
            "Table2テーブルを取込みました\r\nTable3テーブルを取込みました\r\n"
            "Table1テーブルを取込みました\r\nOK\r\n\r\n");
  // What mdb-export prints of the relationships between user tables (grbit 0x1000: cascading
  // deletions, 0x100: cascading updates).
  std::vector<std::string> expected;
  for (const auto& row : ExportedRows(file, "MSysRelationships")) {
    if (row[4].starts_with("MSys")) continue;
    const int flags = std::stoi(row[1]);
    expected.push_back(row[4] + "." + row[5] + " -> " + row[6] + "." + row[7] +
                       ((flags & 0x100) ? " update cascade" : "") +
                       ((flags & 0x1000) ? " delete cascade" : ""));
  }
  const std::string ours = f.EngineScalar(
      "SELECT group_concat(x, '|') FROM (SELECT 'Table1.' || \"from\" || ' -> ' || \"table\" || "
      "'.' || \"to\" || iif(on_update = 'CASCADE', ' update cascade', '') || iif(on_delete = "
      "'CASCADE', ' delete cascade', '') AS x FROM pragma_foreign_key_list('Table1') ORDER BY "
      "\"table\")");
  std::sort(expected.begin(), expected.end());
  std::string joined;
  for (const std::string& line : expected) joined += (joined.empty() ? "" : "|") + line;
  EXPECT_EQ(ours, joined);
  // They hold: deleting a referenced row takes the referring rows with it.
  f.Exec("DELETE FROM Table2 WHERE id = 1");
  EXPECT_EQ(f.Scalar("SELECT count(*) FROM Table1"), "2");
  EXPECT_EQ(f.EngineScalar("SELECT count(*) FROM pragma_foreign_key_check"), "0");
}

// Each row of an engine query as its values joined by '|'.
std::vector<std::string> EngineRows(sqlite3* db, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3_stmt* stmt = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sql;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    std::string row;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const auto* text = sqlite3_column_text(stmt, i);
      row += (i == 0 ? "" : "|") + (text == nullptr
                                        ? std::string("NULL")
                                        : std::string(reinterpret_cast<const char*>(text)));
    }
    rows.push_back(row);
  }
  sqlite3_finalize(stmt);
  return rows;
}

TEST(JetImport, SavedSelectQueriesBecomeViewsAndTheOthersAreListedWithTheReason) {
  REQUIRE_JET_SAMPLES();
  JetImportFixture f;
  ASSERT_EQ(f.session.ImportDatabase(JetSample("queryTestV2000.mdb")), 0);
  const std::string action = "アクションクエリはビューにできません)\r\n";
  // The union's parts read columns without a FROM clause: the front end refuses it, and
  // says why; the import goes on.
  EXPECT_EQ(
      f.Pane(),
      "Table1テーブルを取込みました\r\nTable2テーブルを取込みました\r\n"
      "Table3テーブルを取込みました\r\n"
      "クエリ 'SelectQuery' をビューとして取込みました\r\n"
      "クエリ 'UpdateQuery' は取り込めません (更新クエリ: " +
          action + "クエリ 'AppendQuery' は取り込めません (追加クエリ: " + action +
          "クエリ 'DeleteQuery' は取り込めません (削除クエリ: " + action +
          "クエリ 'MakeTableQuery' は取り込めません (テーブル作成クエリ: " + action +
          "クエリ 'CrosstabQuery' は取り込めません (クロス集計クエリはビューにできません)\r\n"
          "クエリ 'UnionQuery' は取り込めません (フィールド 'Table1.col1' が見つかりません。)\r\n"
          "クエリ 'PassthroughQuery' は取り込めません (パススルークエリは他のデータベースで"
          "実行するため、ビューにできません)\r\n"
          "クエリ 'DataDefinitionQuery' は取り込めません (データ定義クエリはビューにできません)\r\n"
          "OK\r\n\r\n");
  EXPECT_EQ(f.EngineScalar("SELECT count(*) FROM sqlite_master WHERE type = 'view'"), "1");

  // The view gives what the saved query gives: Table1 LEFT JOIN Table3, that joined to
  // Table2 on two conditions, distinct rows, filtered and ordered.
  sqlite3* db = f.connection.Handle();
  ASSERT_EQ(
      sqlite3_exec(db,
                   "INSERT INTO Table1 VALUES ('foo','a','x'),('foo','a','x'),('buzz','b','y'),"
                   "('3','c','z');"
                   "INSERT INTO Table3 VALUES ('foo','p','q'),('buzz','r','s');"
                   "INSERT INTO Table2 VALUES ('foo','foo','t'),('buzz','buzz','u'),"
                   "('bazz','bazz','v'),('foo','1','w');",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  const std::vector<std::string> expected = EngineRows(
      db,
      "SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3 "
      "FROM (Table1 LEFT JOIN Table3 ON Table1.col1 = Table3.col1) "
      "JOIN Table2 ON Table3.col1 = Table2.col1 AND Table3.col1 = Table2.col2 "
      "WHERE Table2.col2 = 'foo' OR Table2.col2 IN ('buzz', 'bazz') ORDER BY Table2.col1");
  EXPECT_EQ(expected.size(), 2u);
  EXPECT_EQ(EngineRows(db, "SELECT * FROM SelectQuery"), expected);
}

}  // namespace
}  // namespace tarnwick
