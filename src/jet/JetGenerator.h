#pragma once
// Writing the engine's statements for a bound Jet statement: the same meaning, computed with
// Jet's values (the function library's operators where the engine's own differ), Jet's
// conversions on INSERT and UPDATE, and NOCASE comparisons of text. This generator writes the
// SQL of our engine; it prints the bound tree and decides nothing about names or types.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "jet/JetBoundStatement.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

// A statement the engine runs before the main one. One with a refusal is a query that must
// give no row: a row means the change breaks a rule, and nothing of it stays.
struct JetEngineStep {
  struct Refusal {
    msg::Diagnostic diagnostic;
    std::size_t offset = 0;  // where in the statement's text the change that breaks it lies
  };
  std::string sql;
  std::optional<Refusal> refusedWhenRows;  // nothing: a statement that only runs
};

struct JetEngineStatements {
  std::vector<JetEngineStep> steps;  // run first, all or none with `sql`
  // The statement (UTF-8), after the steps; a query for one that gives rows. Empty when the
  // steps are all there is to run.
  std::string sql;
  // The engine cannot be made to do what the statement asks (a table whose definition it
  // cannot make again); nothing else is set then.
  std::optional<JetEngineStep::Refusal> refusal;
};

// A Passthrough statement has none: the caller runs its text.
JetEngineStatements GenerateEngineSql(const bound::Statement& statement);

// The query for the values a crosstab's PIVOT expression takes (without an IN list), each once,
// in order.
std::string GeneratePivotValuesSql(const bound::Crosstab& crosstab);

}  // namespace tarnwick
