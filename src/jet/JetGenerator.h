#pragma once
// Writing the engine's statements for a bound Jet statement: the same meaning, computed with
// Jet's values (the function library's operators where the engine's own differ), Jet's
// conversions on INSERT and UPDATE, and NOCASE comparisons of text.
#include <string>
#include <vector>

#include "jet/JetSyntax.h"

namespace tarnwick {

// A statement the engine runs before the main one. One with a failure text is a query that
// must give no row: a row means the change breaks a rule, and nothing of it stays.
struct JetEngineStep {
  std::string sql;
  std::string failureWhenRows;  // UTF-8; empty: a statement that only runs
};

struct JetEngineStatements {
  std::vector<JetEngineStep> steps;  // run first, all or none with `sql`
  // The statement (UTF-8), after the steps; a query for one that gives rows. Empty when the
  // steps are all there is to run.
  std::string sql;
};

// A Passthrough statement has none: the caller runs its text.
JetEngineStatements GenerateEngineSql(const JetStatement& statement);

// The query for the values a crosstab's PIVOT expression takes (without an IN list), each once,
// in order.
std::string GeneratePivotValuesSql(const JetStatement& crosstab);

}  // namespace tarnwick
