#pragma once
// The Jet SQL front end: one statement as a learner writes it for Jet, read (JetParser.h),
// bound against the open database's catalogue (JetBinder.h) and written as the engine's
// statements with the same meaning (JetGenerator.h).
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetBound.h"
#include "jet/JetGenerator.h"
#include "jet/JetSchema.h"

namespace tarnwick {

// A result column as the statement delivers it: its name (empty: nameless) and Jet type.
using JetResultColumn = bound::ResultColumn;

struct JetCompiled {
  // A form the front end does not read: the engine runs the text as it is.
  bool passthrough = true;
  // Run before engineSql, all or none (a table made again, a counter's triggers...).
  std::vector<JetEngineStep> steps;
  std::string engineSql;  // the statement to run (UTF-8), unless passthrough; may be empty
                          // when there are steps
  // The steps make again a table that other tables' foreign keys refer to. They check those
  // rows themselves and must run with the engine's enforcement off (its implicit deletes
  // would cascade), which the engine allows only outside a transaction.
  std::string rebuildsReferencedTable;
  bool returnsRows = false;
  // It may change the database's definitions: CREATE, ALTER, DROP, or a passthrough.
  bool changesDefinitions = true;
  // For a query: each result column's name (empty: nameless) and Jet type.
  std::vector<JetResultColumn> columns;
  // Another statement follows the first one's ';'.
  bool moreStatements = false;
};

// False for a statement that surely gives no rows (INSERT, UPDATE, DELETE, CREATE, DROP,
// ALTER), told from its first word alone; true for every other, which must be compiled to
// know.
bool JetMayReturnRows(std::string_view utf8Sql);

// Throws JetError when the statement cannot be read, names what is not there, or is not
// well formed in another way the front end sees.
JetCompiled CompileJet(std::string_view utf8Sql, JetSchema& catalogue);

}  // namespace tarnwick
