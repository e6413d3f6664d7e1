// The translated statements run on a real in-memory engine: each column must store what its
// Jet type promises and report its Jet type name.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "data/JetTranslate.h"

namespace tarnwick {
namespace {

class MemoryEngine {
 public:
  MemoryEngine() { sqlite3_open(":memory:", &db_); }
  ~MemoryEngine() { sqlite3_close(db_); }
  MemoryEngine(const MemoryEngine&) = delete;
  MemoryEngine& operator=(const MemoryEngine&) = delete;

  // Runs a Jet statement through the translation; returns the engine's error, or "".
  std::string Jet(std::string_view sql) {
    char* error = nullptr;
    const std::string translated = TranslateJetSql(sql);
    if (sqlite3_exec(db_, translated.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return "";
    std::string message = error != nullptr ? error : "failed";
    sqlite3_free(error);
    return message;
  }

  // Each row of a query as "value" or "value:type" cells joined by "|".
  std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3_stmt* stmt = Prepare(sql);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::string row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        if (i > 0) row += '|';
        const unsigned char* text = sqlite3_column_text(stmt, i);
        row += text != nullptr ? reinterpret_cast<const char*>(text) : "NULL";
      }
      rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
  }

  // The declared type of each column of a query.
  std::vector<std::string> DeclaredTypes(const std::string& sql) {
    std::vector<std::string> types;
    sqlite3_stmt* stmt = Prepare(sql);
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const char* type = sqlite3_column_decltype(stmt, i);
      types.push_back(type != nullptr ? type : "");
    }
    sqlite3_finalize(stmt);
    return types;
  }

  bool IsAutoIncrement(const char* table, const char* column) {
    int autoinc = 0;
    sqlite3_table_column_metadata(db_, nullptr, table, column, nullptr, nullptr, nullptr, nullptr,
                                  &autoinc);
    return autoinc != 0;
  }

 private:
  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db_);
    return stmt;
  }

  sqlite3* db_ = nullptr;
};

TEST(JetTranslateEngineTest, TextTypesKeepLeadingZeros) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE t (m MEMO, n NOTE, s STRING(10), d DATETIME, g GUID, "
                       "l LONG, b BINARY)"),
            "");
  ASSERT_EQ(engine.Jet("INSERT INTO t VALUES ('007', '007', '007', '2024-01-02', '0012', "
                       "'007', '007')"),
            "");
  EXPECT_EQ(engine.Rows("SELECT m || ':' || typeof(m), n || ':' || typeof(n), "
                        "s || ':' || typeof(s), typeof(d), g, l || ':' || typeof(l), "
                        "typeof(b) FROM t"),
            std::vector<std::string>{"007:text|007:text|007:text|text|0012|7:integer|text"});
}

TEST(JetTranslateEngineTest, DeclaredTypesKeepTheJetNameFirst) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE t (m MEMO, s STRING(50), l LONG, y SINGLE, d DATE, "
                       "t TEXT(20), c CURRENCY)"),
            "");
  EXPECT_EQ(engine.DeclaredTypes("SELECT * FROM t"),
            (std::vector<std::string>{"MEMO TEXT", "STRING TEXT(50)", "LONG INT", "SINGLE REAL",
                                      "DATE TEXT", "TEXT(20)", "CURRENCY"}));
}

TEST(JetTranslateEngineTest, CounterNumbersRowsOneTwoThree) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);"), "");
  for (const char* name : {"a", "b", "c"}) {
    ASSERT_EQ(engine.Jet("INSERT INTO Items (Name) VALUES ('" + std::string(name) + "')"), "");
  }
  EXPECT_EQ(engine.Rows("SELECT ID, Name FROM Items ORDER BY ID"),
            (std::vector<std::string>{"1|a", "2|b", "3|c"}));
  EXPECT_TRUE(engine.IsAutoIncrement("Items", "ID"));
  // Numbers are not used again after a delete, as with Jet.
  ASSERT_EQ(engine.Jet("DELETE FROM Items WHERE ID = 3"), "");
  ASSERT_EQ(engine.Jet("INSERT INTO Items (Name) VALUES ('d')"), "");
  EXPECT_EQ(engine.Rows("SELECT max(ID) FROM Items"), std::vector<std::string>{"4"});
}

TEST(JetTranslateEngineTest, CounterNumbersWithoutOrWithATableKey) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE a (ID COUNTER(1,1), n TEXT)"), "");
  ASSERT_EQ(engine.Jet("CREATE TABLE b (ID AUTOINCREMENT, n TEXT, CONSTRAINT pk PRIMARY KEY (ID))"),
            "");
  for (const char* table : {"a", "b"}) {
    ASSERT_EQ(engine.Jet(std::string("INSERT INTO ") + table + " (n) VALUES ('x')"), "");
    ASSERT_EQ(engine.Jet(std::string("INSERT INTO ") + table + " (n) VALUES ('y')"), "");
    EXPECT_EQ(engine.Rows(std::string("SELECT ID FROM ") + table + " ORDER BY ID"),
              (std::vector<std::string>{"1", "2"}))
        << table;
    EXPECT_TRUE(engine.IsAutoIncrement(table, "ID")) << table;
  }
}

TEST(JetTranslateEngineTest, KeysRefuseNull) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE i (ID INTEGER PRIMARY KEY, n TEXT)"), "");
  ASSERT_EQ(engine.Jet("CREATE TABLE c (a TEXT, b LONG, CONSTRAINT pk PRIMARY KEY (a, b))"), "");
  ASSERT_EQ(engine.Jet("CREATE TABLE s (Code TEXT(5) PRIMARY KEY)"), "");
  EXPECT_NE(engine.Jet("INSERT INTO i (ID, n) VALUES (NULL, 'x')"), "");
  EXPECT_NE(engine.Jet("INSERT INTO i (n) VALUES ('x')"), "");
  EXPECT_NE(engine.Jet("INSERT INTO c VALUES ('x', NULL)"), "");
  EXPECT_NE(engine.Jet("INSERT INTO c VALUES (NULL, 1)"), "");
  EXPECT_NE(engine.Jet("INSERT INTO s VALUES (NULL)"), "");
  // Values that are there are taken, and a repeated key is refused.
  EXPECT_EQ(engine.Jet("INSERT INTO i VALUES (5, 'x')"), "");
  EXPECT_NE(engine.Jet("INSERT INTO i VALUES (5, 'y')"), "");
  EXPECT_EQ(engine.Jet("INSERT INTO c VALUES ('x', 1)"), "");
  EXPECT_EQ(engine.Rows("SELECT count(*) FROM i"), std::vector<std::string>{"1"});
  EXPECT_FALSE(engine.IsAutoIncrement("i", "ID"));
}

TEST(JetTranslateEngineTest, AddedColumnsStoreTheirTypes) {
  MemoryEngine engine;
  ASSERT_EQ(engine.Jet("CREATE TABLE t (k TEXT)"), "");
  ASSERT_EQ(engine.Jet("ALTER TABLE t ADD COLUMN m MEMO"), "");
  ASSERT_EQ(engine.Jet("ALTER TABLE t ADD s STRING(8)"), "");
  ASSERT_EQ(engine.Jet("ALTER TABLE t ADD COLUMN n COUNTER"), "");
  ASSERT_EQ(engine.Jet("INSERT INTO t (k, m, s) VALUES ('a', '007', '08')"), "");
  EXPECT_EQ(engine.Rows("SELECT m, s, typeof(m), typeof(s) FROM t"),
            std::vector<std::string>{"007|08|text|text"});
  EXPECT_EQ(engine.DeclaredTypes("SELECT m, s, n FROM t"),
            (std::vector<std::string>{"MEMO TEXT", "STRING TEXT(8)", "INTEGER"}));
}

}  // namespace
}  // namespace tarnwick
