#pragma once
// Messages about Jet's statement forms beyond the plain query: TOP, crosstabs, procedures and
// their parameters, changes through a join, and table definitions (keys, counters,
// relationships, a table rebuilt by ALTER TABLE).
#include <cstddef>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// Queries.
Message InvalidTop();
Message CrosstabNeedsAggregate();
Message CrosstabNeedsGroupBy();
Message TooManyCrosstabColumns(std::size_t count);

// Changing rows.
Message FieldNotUpdatable(std::string_view column);
Message UpdateOfTwoTables();
Message DeleteNeedsTable();

// Procedures and parameters.
Message ExecuteArgumentCount(std::string_view procedure);
Message ProcedureStatement();
Message ParameterTwice(std::string_view name);

// Definitions.
Message UnknownConstraint(std::string_view name, std::string_view table);
Message TwoCounters();
Message PrimaryKeyExists();
Message ReferenceWithoutKey(std::string_view table);
Message ReferenceColumnCount();
Message ChangeReferencedTableInTransaction(std::string_view table);
Message DefinitionNotChangeable(std::string_view table);
Message RowsBreakRelationship(std::string_view table);

}  // namespace tarnwick::msg
