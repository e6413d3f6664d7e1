// INSERT ... VALUES as a script's rows share one compiled statement: which values become its
// parameters (a literal alone, a number with its sign), what each is bound as, and the
// statements that get no template (the statement itself then says why it fails).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "jet/JetValuesTemplate.h"

namespace tarnwick {
namespace {

// "text | int 1 | real 2.5 | text a": the template and its values; "none" without one.
std::string TemplateOf(std::string_view sql) {
  const std::optional<JetValuesTemplate> values = JetInsertValuesTemplate(sql);
  if (!values) return "none";
  std::ostringstream out;
  out << values->text;
  for (const JetLiteralValue& value : values->values) {
    switch (value.kind) {
      case JetLiteralValue::Kind::Integer:
        out << " | int " << value.integer;
        break;
      case JetLiteralValue::Kind::Real:
        out << " | real " << value.real;
        break;
      case JetLiteralValue::Kind::Text:
        out << " | text " << value.text;
        break;
    }
  }
  return out.str();
}

TEST(JetValuesTemplate, LiteralValuesAloneBecomeParameters) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"INSERT INTO t VALUES (1, 2.5, 'a', \"b\", #2024/1/2 10:20:30#)",
       "INSERT INTO t VALUES (?, ?, ?, ?, ?) | int 1 | real 2.5 | text a | text b | text "
       "2024-01-02 10:20:30"},
      {"INSERT INTO t VALUES (-1, - 2.5e3, .5, 'it''s', '')",
       "INSERT INTO t VALUES (?, ?, ?, ?, ?) | int -1 | real -2500 | real 0.5 | text it's | text "},
      {"insert into t (a, b) values (007, 'x') -- after",
       "insert into t (a, b) values (?, ?) -- after | int 7 | text x"},
      {"INSERT INTO t VALUES (1 /* one */, 'x');",
       "INSERT INTO t VALUES (? /* one */, ?); | int 1 | text x"},
      // A whole number beyond 64 bits is a real, as the engine reads it.
      {"INSERT INTO t VALUES (9223372036854775808)", "INSERT INTO t VALUES (?) | real 9.22337e+18"},
      {"INSERT INTO t VALUES (-9223372036854775808)",
       "INSERT INTO t VALUES (?) | real -9.22337e+18"},
      // Other values stay in the text: expressions, names, Null, True, +1, bytes, a value in
      // parentheses, a number beyond any double.
      {"INSERT INTO t VALUES (1 + 1, n, Null, True, +1, x'0A', (2), 1e400, 3)",
       "INSERT INTO t VALUES (1 + 1, n, Null, True, +1, x'0A', (2), 1e400, ?) | int 3"},
      {"INSERT INTO t VALUES (?, 'p')", "INSERT INTO t VALUES (?, ?) | text p"},
  };
  for (const auto& [sql, expected] : cases) EXPECT_EQ(TemplateOf(sql), expected) << sql;
}

TEST(JetValuesTemplate, StatementsWithoutSharedValuesGetNone) {
  for (std::string_view sql : {
           "INSERT INTO t VALUES (Null, n)",                       // nothing to share
           "INSERT INTO t SELECT 1, 'a'",                          // no VALUES
           "INSERT INTO t (a) SELECT a FROM u WHERE a IN (1, 2)",  // values of a query
           "SELECT 1",
           "UPDATE t SET a = 1",
           "INSERT INTO t VALUES (1, 'a'), (2, 'b')",  // refused: one row at a time
           "INSERT INTO t VALUES (1); SELECT 2",       // two statements
           "INSERT INTO t VALUES (#2023/2/29#)",       // no such date
           "INSERT INTO t VALUES ('open)",
           "INSERT INTO t VALUES (1 2)",
           "INSERT t VALUES (1)",
           "",
       }) {
    EXPECT_EQ(TemplateOf(sql), "none") << sql;
  }
}

}  // namespace
}  // namespace tarnwick
