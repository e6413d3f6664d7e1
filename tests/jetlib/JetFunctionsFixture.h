#pragma once
// A connection in memory with Jet's function library, and a rendering of one SELECT's value
// that shows its engine type: NULL, 12 (integer), 2.5 / 2.0 (real), 'text', or the error.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "jetlib/JetFunctions.h"

namespace tarnwick {

// One expression and what it must give.
struct JetCase {
  std::string_view expression;
  std::string_view expected;
};

inline std::string ErrorText(JetRuntimeError error) {
  return "ERROR: " + std::string(JetRuntimeMessage(error));
}
inline const std::string kTypeMismatch = ErrorText(JetRuntimeError::TypeMismatch);
inline const std::string kOverflow = ErrorText(JetRuntimeError::Overflow);
inline const std::string kInvalidArgument = ErrorText(JetRuntimeError::InvalidArgument);
inline const std::string kDivisionByZero = ErrorText(JetRuntimeError::DivisionByZero);
inline const std::string kFieldTooSmall = ErrorText(JetRuntimeError::FieldTooSmall);
inline const std::string kInvalidUseOfNull = ErrorText(JetRuntimeError::InvalidUseOfNull);

class JetFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    RegisterJetFunctions(db_);
  }
  void TearDown() override { sqlite3_close(db_); }

  // The value of "SELECT <expression>" (of its first row), rendered as above.
  std::string Eval(std::string_view expression) {
    return Query("SELECT " + std::string(expression));
  }

  std::string Query(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
      return "PREPARE: " + std::string(sqlite3_errmsg(db_));
    std::string result = "NO ROW";
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
      result = Render(statement, 0);
    } else if (rc != SQLITE_DONE) {
      result = "ERROR: " + std::string(sqlite3_errmsg(db_));
    }
    sqlite3_finalize(statement);
    return result;
  }

  void Exec(const std::string& sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error != nullptr ? error : "") << "\n"
        << sql;
  }

  void ExpectAll(std::initializer_list<JetCase> cases) {
    for (const JetCase& c : cases) EXPECT_EQ(Eval(c.expression), c.expected) << c.expression;
  }

  static std::string Render(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
      case SQLITE_NULL:
        return "NULL";
      case SQLITE_INTEGER:
        return std::to_string(sqlite3_column_int64(statement, column));
      case SQLITE_FLOAT: {
        char text[32];
        char* end =
            std::to_chars(text, text + sizeof text, sqlite3_column_double(statement, column)).ptr;
        std::string real(text, end);
        if (real.find_first_of(".e") == std::string::npos) real += ".0";
        return real;
      }
      default:
        return "'" +
               std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column))) +
               "'";
    }
  }

  sqlite3* db_ = nullptr;
};

}  // namespace tarnwick
