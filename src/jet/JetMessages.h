#pragma once
// Every message of the front end, each in one function here: the texts themselves are the
// catalogue's (text/messages/StatementMessages.h). The texts are UTF-8 (a hint, when the
// message has one, on its last line); JetError carries them to the console as its own
// Shift-JIS text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/TarnwickError.h"
#include "text/messages/Message.h"

namespace tarnwick {

// A statement the front end refuses. `offset` is where in the statement's text (UTF-8 bytes)
// the refusal arises.
class JetError : public TarnwickError {
 public:
  JetError(std::string_view utf8Message, std::size_t offset);
  JetError(const msg::Message& message, std::size_t offset);
  std::size_t Offset() const { return offset_; }

 private:
  std::size_t offset_;
};

namespace jet_message {

// Reading the statement.
std::string SyntaxErrorNear(std::string_view word);  // the word where it stops making sense
std::string InvalidDate(std::string_view literal);
std::string NestedTooDeeply();

// SQL that Jet does not have: what it is, then a line "ヒント: " with the Jet form.
std::string NotJetSql(std::string_view word);       // LIMIT, OFFSET, ||, !=, CASE, WITH, ...
std::string NotJetFunction(std::string_view name);  // COALESCE, CAST, Substr, any unknown
std::string CountDistinct();
std::string NotJetJoin(std::string_view word);            // JOIN alone, CROSS, FULL, NATURAL
std::string JoinNeedsParentheses(std::string_view word);  // a JOIN b ON ... JOIN c ON ...
std::string MultiRowValues();
std::string CreateTableAsSelect();
std::string NotJetAutoIncrement(std::string_view written);  // AUTO_INCREMENT, ...
std::string UnknownTypeName(std::string_view name);         // VARCHAR2, FOO, ...
std::string MissingTypeName(std::string_view column);

// Names.
std::string UnknownTable(std::string_view name);
std::string UnknownColumn(std::string_view name);
std::string MissingParameter(std::string_view name);  // a declared parameter without a value
std::string TableExists(std::string_view name);
std::string UnknownProcedure(std::string_view name);
std::string ProcedureExists(std::string_view name);
std::string UnknownIndex(std::string_view index);
std::string UnknownConstraint(std::string_view name, std::string_view table);
std::string AmbiguousColumn(std::string_view name);
std::string UnknownSourceOfStar(std::string_view qualifier);
std::string DuplicateSourceName(std::string_view name);

// Shape.
std::string WrongArgumentCount(std::string_view function);
std::string StarOutsideCount();
std::string AggregateInWhere(std::string_view function);
std::string SubqueryColumnCount();
std::string UnionColumnCount();
std::string InsertValueCount();
std::string ViewColumnCount();
std::string InsertColumnTwice(std::string_view column);  // also a SELECT INTO's column
std::string OrderByPosition(std::string_view position);
std::string NotGrouped(std::string_view expression);
std::string DistinctOrderBy(std::string_view expression);
std::string NotUpdatable();
std::string UpdateFromSummary();  // SET from a subquery that aggregates
std::string ColumnNotUpdatable(std::string_view column);
std::string UpdateOfTwoTables();
std::string DeleteNeedsTable();
std::string BadTop();
std::string CrosstabNeedsAggregate();
std::string CrosstabNeedsGroupBy();
std::string TooManyCrosstabColumns(std::size_t count);
std::string ExecuteArgumentCount(std::string_view procedure);
std::string ProcedureStatement();
std::string ParameterTwice(std::string_view name);

// Definitions.
std::string TwoCounters();
std::string TwoPrimaryKeys();
std::string ReferenceWithoutKey(std::string_view table);
std::string ReferenceColumnCount();
std::string TableInRelationship(std::string_view table, const std::vector<std::string>& children);
std::string ChangeReferencedTableInTransaction(std::string_view table);
std::string IndexDisallowsNull(std::string_view table, std::string_view column);
std::string DefinitionNotChangeable(std::string_view table);
std::string RowsBreakRelationship(std::string_view table);

}  // namespace jet_message
}  // namespace tarnwick
