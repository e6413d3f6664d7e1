#include "jet/JetMessages.h"

#include <optional>

#include "jet/functions/JetFunctions.h"
#include "text/ClosestName.h"
#include "text/Cp932.h"
#include "text/messages/EngineMessages.h"
#include "text/messages/FormMessages.h"
#include "text/messages/Hints.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

JetError::JetError(std::string_view utf8Message, std::size_t offset)
    : TarnwickError(Utf8ToSjis(utf8Message)), offset_(offset) {}

JetError::JetError(const msg::Message& message, std::size_t offset)
    : TarnwickError(message), offset_(offset) {}

namespace jet_message {

namespace {

// The message with Jet's way to write the word as its hint, when there is one.
std::string WithJetForm(const msg::Message& message, std::string_view word) {
  return message.WithHint(msg::hint::JetFormOf(word).value_or(std::string())).Utf8();
}

}  // namespace

std::string SyntaxErrorNear(std::string_view word) { return msg::SyntaxErrorNear(word).Utf8(); }

std::string InvalidDate(std::string_view literal) { return msg::InvalidDate(literal).Utf8(); }

std::string NestedTooDeeply() { return msg::NestedTooDeeply().Utf8(); }

std::string NotJetSql(std::string_view word) { return WithJetForm(msg::NotJetSql(word), word); }

// A function Jet does not have: Jet's form of another dialect's function, or the closest name
// of Jet's own.
std::string NotJetFunction(std::string_view name) {
  const msg::Message message = msg::UnknownFunction(name);
  if (msg::hint::JetFormOf(name)) return WithJetForm(message, name);
  const std::optional<std::string> meant = ClosestName(name, JetFunctionNames());
  return message.WithHint(meant ? msg::hint::DidYouMean(*meant) : std::string()).Utf8();
}

std::string CountDistinct() {
  return WithJetForm(msg::NotJetSql("Count(DISTINCT ...)"), "COUNT(DISTINCT");
}

std::string NotJetJoin(std::string_view word) {
  return WithJetForm(msg::SyntaxError(msg::SqlClause::Join, word), word);
}

std::string JoinNeedsParentheses(std::string_view word) {
  return msg::SyntaxError(msg::SqlClause::Join, word).WithHint(msg::hint::NestedJoins()).Utf8();
}

std::string MultiRowValues() {
  return WithJetForm(msg::SyntaxError(msg::SqlClause::InsertInto, ","), "VALUES");
}

std::string CreateTableAsSelect() {
  return WithJetForm(msg::SyntaxError(msg::SqlClause::CreateTable, "AS"), "CREATE TABLE AS");
}

// AUTO_INCREMENT, or the engine's PRIMARY KEY AUTOINCREMENT: a COUNTER column in Jet.
std::string NotJetAutoIncrement(std::string_view written) {
  return WithJetForm(msg::SyntaxError(msg::SqlClause::FieldDefinition, written), "AUTOINCREMENT");
}

std::string UnknownTypeName(std::string_view name) {
  const msg::Message message = msg::SyntaxError(msg::SqlClause::FieldDefinition, name);
  if (msg::hint::JetFormOf(name)) return WithJetForm(message, name);
  return message.WithHint(msg::hint::JetTypeNames()).Utf8();
}

std::string MissingTypeName(std::string_view column) {
  return msg::SyntaxError(msg::SqlClause::FieldDefinition, column)
      .WithHint(msg::hint::TypeAfterName(column))
      .Utf8();
}

std::string UnknownTable(std::string_view name) { return msg::UnknownTable(name).Utf8(); }

std::string UnknownColumn(std::string_view name) { return msg::UnknownColumn(name).Utf8(); }

std::string MissingParameter(std::string_view name) {
  return msg::TooFewParameters(1).WithHint(msg::hint::ParameterWithoutValue(name)).Utf8();
}

std::string TableExists(std::string_view name) { return msg::TableExists(name).Utf8(); }

// Jet keeps procedures among its queries, and names them as it names a query.
std::string UnknownProcedure(std::string_view name) { return msg::UnknownTable(name).Utf8(); }

std::string ProcedureExists(std::string_view name) { return msg::ObjectExists(name).Utf8(); }

std::string UnknownIndex(std::string_view index) { return msg::UnknownIndex(index).Utf8(); }

std::string UnknownConstraint(std::string_view name, std::string_view table) {
  return msg::UnknownConstraint(name, table).Utf8();
}

std::string AmbiguousColumn(std::string_view name) { return msg::AmbiguousColumn(name).Utf8(); }

std::string UnknownSourceOfStar(std::string_view qualifier) {
  return msg::UnknownSourceOfStar(qualifier).Utf8();
}

std::string DuplicateSourceName(std::string_view name) {
  return msg::DuplicateSourceName(name).Utf8();
}

std::string WrongArgumentCount(std::string_view function) {
  return msg::WrongArgumentCount(function).Utf8();
}

std::string StarOutsideCount() { return msg::StarOutsideCount().Utf8(); }

std::string AggregateInWhere(std::string_view function) {
  return msg::AggregateInWhere(function).Utf8();
}

std::string SubqueryColumnCount() { return msg::SubqueryColumnCount().Utf8(); }

std::string UnionColumnCount() { return msg::UnionColumnCount().Utf8(); }

std::string InsertValueCount() { return msg::InsertValueCount().Utf8(); }

std::string ViewColumnCount() { return msg::ViewColumnCount().Utf8(); }

std::string InsertColumnTwice(std::string_view column) {
  return msg::InsertColumnTwice(column).Utf8();
}

std::string OrderByPosition(std::string_view position) {
  return msg::OrderByPosition(position).Utf8();
}

std::string NotGrouped(std::string_view expression) {
  return msg::NotPartOfAggregate(expression)
      .WithHint(msg::hint::GroupOrAggregate(expression))
      .Utf8();
}

std::string DistinctOrderBy(std::string_view expression) {
  return msg::OrderByConflictsWithDistinct(expression)
      .WithHint(msg::hint::ShowWhatIsSorted(expression))
      .Utf8();
}

std::string NotUpdatable() { return msg::MustUseUpdatableQuery().Utf8(); }

std::string UpdateFromSummary() {
  return msg::MustUseUpdatableQuery().WithHint(msg::hint::UpdateFromSummary()).Utf8();
}

std::string ColumnNotUpdatable(std::string_view column) {
  return msg::FieldNotUpdatable(column).WithHint(msg::hint::CounterNotUpdatable(column)).Utf8();
}

std::string UpdateOfTwoTables() { return msg::UpdateOfTwoTables().Utf8(); }

std::string DeleteNeedsTable() { return msg::DeleteNeedsTable().Utf8(); }

std::string BadTop() { return msg::InvalidTop().Utf8(); }

std::string CrosstabNeedsAggregate() { return msg::CrosstabNeedsAggregate().Utf8(); }

std::string CrosstabNeedsGroupBy() { return msg::CrosstabNeedsGroupBy().Utf8(); }

std::string TooManyCrosstabColumns(std::size_t count) {
  return msg::TooManyCrosstabColumns(count).Utf8();
}

std::string ExecuteArgumentCount(std::string_view procedure) {
  return msg::ExecuteArgumentCount(procedure).Utf8();
}

std::string ProcedureStatement() { return msg::ProcedureStatement().Utf8(); }

std::string ParameterTwice(std::string_view name) { return msg::ParameterTwice(name).Utf8(); }

std::string TwoCounters() { return msg::TwoCounters().Utf8(); }

std::string TwoPrimaryKeys() { return msg::PrimaryKeyExists().Utf8(); }

std::string ReferenceWithoutKey(std::string_view table) {
  return msg::ReferenceWithoutKey(table).Utf8();
}

std::string ReferenceColumnCount() { return msg::ReferenceColumnCount().Utf8(); }

std::string TableInRelationship(std::string_view table, const std::vector<std::string>& children) {
  return msg::TableInRelationship(table, children).Utf8();
}

std::string ChangeReferencedTableInTransaction(std::string_view table) {
  return msg::ChangeReferencedTableInTransaction(table).Utf8();
}

std::string IndexDisallowsNull(std::string_view table, std::string_view column) {
  return msg::NullNotAllowed(table, column).Utf8();
}

std::string DefinitionNotChangeable(std::string_view table) {
  return msg::DefinitionNotChangeable(table).Utf8();
}

std::string RowsBreakRelationship(std::string_view table) {
  return msg::RowsBreakRelationship(table).Utf8();
}

}  // namespace jet_message
}  // namespace tarnwick
