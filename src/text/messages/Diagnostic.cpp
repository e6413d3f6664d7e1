#include "text/messages/Diagnostic.h"

#include <iterator>
#include <optional>

#include "text/ClosestName.h"
#include "text/messages/EngineMessages.h"
#include "text/messages/FormMessages.h"
#include "text/messages/Hints.h"

namespace tarnwick::msg {

namespace {

// The word at `i`; nothing when there are fewer.
std::string_view Word(const std::vector<std::string>& words, std::size_t i) {
  return i < words.size() ? std::string_view(words[i]) : std::string_view();
}

std::string JetFormOrClosest(std::string_view word, const std::vector<std::string>& names) {
  if (std::optional<std::string> form = hint::JetFormOf(word)) return *form;
  const std::optional<std::string> meant = ClosestName(word, names);
  return meant ? hint::DidYouMean(*meant) : std::string();
}

using MessageOf = Message (*)(const Diagnostic&);
using HintOf = std::string (*)(const Hint&);

// Each message of the catalogue with its words, in the order of MessageId.
constexpr MessageOf kMessages[] = {
    [](const Diagnostic& d) { return SyntaxError(d.clause, Word(d.words, 0)); },  // SyntaxError
    [](const Diagnostic& d) { return SyntaxErrorAtEnd(d.clause); },         // SyntaxErrorAtEnd
    [](const Diagnostic& d) { return SyntaxErrorNear(Word(d.words, 0)); },  // SyntaxErrorNear
    [](const Diagnostic& d) { return MissingOperator(Word(d.words, 0)); },  // MissingOperator
    [](const Diagnostic& d) {
      return MissingClosingParenthesis(Word(d.words, 0));
    },  // MissingClosingParenthesis
    [](const Diagnostic& d) {
      return Unterminated(Word(d.words, 0), Word(d.words, 1));
    },                                                                      // Unterminated
    [](const Diagnostic& d) { return InvalidDate(Word(d.words, 0)); },      // InvalidDate
    [](const Diagnostic&) { return NestedTooDeeply(); },                    // NestedTooDeeply
    [](const Diagnostic& d) { return NotJetSql(Word(d.words, 0)); },        // NotJetSql
    [](const Diagnostic& d) { return UnknownFunction(Word(d.words, 0)); },  // UnknownFunction
    [](const Diagnostic& d) { return UnknownTable(Word(d.words, 0)); },     // UnknownTable
    [](const Diagnostic& d) { return UnknownColumn(Word(d.words, 0)); },    // UnknownColumn
    [](const Diagnostic& d) {
      return TooFewParameters(static_cast<int>(d.number));
    },                                                                   // TooFewParameters
    [](const Diagnostic& d) { return TableExists(Word(d.words, 0)); },   // TableExists
    [](const Diagnostic& d) { return ObjectExists(Word(d.words, 0)); },  // ObjectExists
    [](const Diagnostic& d) { return UnknownIndex(Word(d.words, 0)); },  // UnknownIndex
    [](const Diagnostic& d) {
      return UnknownConstraint(Word(d.words, 0), Word(d.words, 1));
    },                                                                      // UnknownConstraint
    [](const Diagnostic& d) { return AmbiguousColumn(Word(d.words, 0)); },  // AmbiguousColumn
    [](const Diagnostic& d) {
      return UnknownSourceOfStar(Word(d.words, 0));
    },  // UnknownSourceOfStar
    [](const Diagnostic& d) {
      return DuplicateSourceName(Word(d.words, 0));
    },  // DuplicateSourceName
    [](const Diagnostic& d) { return WrongArgumentCount(Word(d.words, 0)); },  // WrongArgumentCount
    [](const Diagnostic&) { return StarOutsideCount(); },                      // StarOutsideCount
    [](const Diagnostic& d) { return AggregateInWhere(Word(d.words, 0)); },    // AggregateInWhere
    [](const Diagnostic&) { return SubqueryColumnCount(); },                  // SubqueryColumnCount
    [](const Diagnostic&) { return UnionColumnCount(); },                     // UnionColumnCount
    [](const Diagnostic&) { return InsertValueCount(); },                     // InsertValueCount
    [](const Diagnostic&) { return ViewColumnCount(); },                      // ViewColumnCount
    [](const Diagnostic& d) { return InsertColumnTwice(Word(d.words, 0)); },  // InsertColumnTwice
    [](const Diagnostic& d) { return OrderByPosition(Word(d.words, 0)); },    // OrderByPosition
    [](const Diagnostic& d) { return NotPartOfAggregate(Word(d.words, 0)); },  // NotPartOfAggregate
    [](const Diagnostic& d) {
      return OrderByConflictsWithDistinct(Word(d.words, 0));
    },                                                          // OrderByConflictsWithDistinct
    [](const Diagnostic&) { return MustUseUpdatableQuery(); },  // MustUseUpdatableQuery
    [](const Diagnostic& d) { return FieldNotUpdatable(Word(d.words, 0)); },  // FieldNotUpdatable
    [](const Diagnostic&) { return UpdateOfTwoTables(); },                    // UpdateOfTwoTables
    [](const Diagnostic&) { return DeleteNeedsTable(); },                     // DeleteNeedsTable
    [](const Diagnostic&) { return InvalidTop(); },                           // InvalidTop
    [](const Diagnostic&) { return CrosstabNeedsAggregate(); },  // CrosstabNeedsAggregate
    [](const Diagnostic&) { return CrosstabNeedsGroupBy(); },    // CrosstabNeedsGroupBy
    [](const Diagnostic& d) {
      return TooManyCrosstabColumns(static_cast<std::size_t>(d.number));
    },  // TooManyCrosstabColumns
    [](const Diagnostic& d) {
      return ExecuteArgumentCount(Word(d.words, 0));
    },                                                                     // ExecuteArgumentCount
    [](const Diagnostic&) { return ProcedureStatement(); },                // ProcedureStatement
    [](const Diagnostic& d) { return ParameterTwice(Word(d.words, 0)); },  // ParameterTwice
    [](const Diagnostic&) { return TwoCounters(); },                       // TwoCounters
    [](const Diagnostic&) { return PrimaryKeyExists(); },                  // PrimaryKeyExists
    [](const Diagnostic& d) {
      return ReferenceWithoutKey(Word(d.words, 0));
    },                                                         // ReferenceWithoutKey
    [](const Diagnostic&) { return ReferenceColumnCount(); },  // ReferenceColumnCount
    [](const Diagnostic& d) {
      return TableInRelationship(Word(d.words, 0), d.names);
    },  // TableInRelationship
    [](const Diagnostic& d) {
      return ChangeReferencedTableInTransaction(Word(d.words, 0));
    },  // ChangeReferencedTableInTransaction
    [](const Diagnostic& d) {
      return NullNotAllowed(Word(d.words, 0), Word(d.words, 1));
    },  // NullNotAllowed
    [](const Diagnostic& d) {
      return DefinitionNotChangeable(Word(d.words, 0));
    },  // DefinitionNotChangeable
    [](const Diagnostic& d) {
      return RowsBreakRelationship(Word(d.words, 0));
    },  // RowsBreakRelationship
};
static_assert(std::size(kMessages) ==
                  static_cast<std::size_t>(MessageId::RowsBreakRelationship) + 1,
              "kMessages has one entry for each MessageId");

// Each hint of the catalogue with its words, in the order of HintId.
constexpr HintOf kHints[] = {
    [](const Hint&) -> std::string { return {}; },  // None
    [](const Hint& h) -> std::string {
      return hint::JetFormOf(Word(h.words, 0)).value_or(std::string());
    },  // JetFormOf
    [](const Hint& h) -> std::string {
      return hint::JetFormOf(Word(h.words, 0)).value_or(hint::JetTypeNames());
    },  // JetFormOrTypeNames
    [](const Hint& h) -> std::string {
      return JetFormOrClosest(Word(h.words, 0), h.names);
    },  // JetFormOrClosest
    [](const Hint& h) -> std::string {
      return hint::ForMisspeltColumn(Word(h.words, 0), h.names, Word(h.words, 1));
    },  // ForMisspeltColumn
    [](const Hint& h) -> std::string {
      return hint::ForMisspeltTable(Word(h.words, 0), h.names);
    },  // ForMisspeltTable
    [](const Hint& h) -> std::string {
      return hint::MisspeltKeyword(Word(h.words, 0), Word(h.words, 1));
    },  // MisspeltKeyword
    [](const Hint& h) -> std::string {
      return hint::DateWithoutHashes(Word(h.words, 0));
    },  // DateWithoutHashes
    [](const Hint& h) -> std::string {
      return hint::MissingComma(Word(h.words, 0), Word(h.words, 1));
    },  // MissingComma
    [](const Hint& h) -> std::string {
      return hint::MissingFrom(Word(h.words, 0), Word(h.words, 1));
    },                                                                                // MissingFrom
    [](const Hint& h) -> std::string { return hint::ExtraComma(Word(h.words, 0)); },  // ExtraComma
    [](const Hint& h) -> std::string {
      return hint::MissingBy(Word(h.words, 0), Word(h.words, 1));
    },  // MissingBy
    [](const Hint& h) -> std::string {
      return hint::ReservedWordAsName(Word(h.words, 0));
    },                                                                       // ReservedWordAsName
    [](const Hint&) -> std::string { return hint::UnclosedParenthesis(); },  // UnclosedParenthesis
    [](const Hint& h) -> std::string {
      return hint::UnclosedText(Word(h.words, 0));
    },                                                                // UnclosedText
    [](const Hint&) -> std::string { return hint::UnclosedName(); },  // UnclosedName
    [](const Hint&) -> std::string { return hint::NestedJoins(); },   // NestedJoins
    [](const Hint& h) -> std::string {
      return hint::TypeAfterName(Word(h.words, 0));
    },  // TypeAfterName
    [](const Hint& h) -> std::string {
      return hint::ParameterWithoutValue(Word(h.words, 0));
    },  // ParameterWithoutValue
    [](const Hint& h) -> std::string {
      return hint::AliasOutOfReach(Word(h.words, 0), Word(h.words, 1));
    },  // AliasOutOfReach
    [](const Hint& h) -> std::string {
      return hint::GroupOrAggregate(Word(h.words, 0));
    },  // GroupOrAggregate
    [](const Hint& h) -> std::string {
      return hint::ShowWhatIsSorted(Word(h.words, 0));
    },                                                                     // ShowWhatIsSorted
    [](const Hint&) -> std::string { return hint::UpdateFromSummary(); },  // UpdateFromSummary
    [](const Hint& h) -> std::string {
      return hint::CounterNotUpdatable(Word(h.words, 0));
    },  // CounterNotUpdatable
    [](const Hint& h) -> std::string {
      return hint::DoubleQuotedName(Word(h.words, 0));
    },  // DoubleQuotedName
};
static_assert(std::size(kHints) == static_cast<std::size_t>(HintId::DoubleQuotedName) + 1,
              "kHints has one entry for each HintId");

}  // namespace

std::string RenderHint(const Hint& hint) { return kHints[static_cast<std::size_t>(hint.id)](hint); }

Message Render(const Diagnostic& diagnostic) {
  return kMessages[static_cast<std::size_t>(diagnostic.id)](diagnostic)
      .WithHint(RenderHint(diagnostic.hint));
}

}  // namespace tarnwick::msg
