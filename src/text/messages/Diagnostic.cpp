#include "text/messages/Diagnostic.h"

#include <iterator>
#include <optional>
#include <type_traits>

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

// A message or hint that takes nothing but words: said with as many of them as it takes.
template <auto say, typename Of>
auto Said(const Of& of) {
  using Say = decltype(say);
  if constexpr (std::is_invocable_v<Say>) {
    return say();
  } else if constexpr (std::is_invocable_v<Say, std::string_view>) {
    return say(Word(of.words, 0));
  } else {
    return say(Word(of.words, 0), Word(of.words, 1));
  }
}
template <auto say>
constexpr MessageOf kSaid = &Said<say, Diagnostic>;
template <auto say>
constexpr HintOf kHinted = &Said<say, Hint>;

// Each message of the catalogue with its words, in the order of MessageId.
constexpr MessageOf kMessages[] = {
    [](const Diagnostic& d) { return SyntaxError(d.clause, Word(d.words, 0)); },
    [](const Diagnostic& d) { return SyntaxErrorAtEnd(d.clause); },
    kSaid<SyntaxErrorNear>,
    kSaid<MissingOperator>,
    kSaid<MissingClosingParenthesis>,
    kSaid<Unterminated>,
    kSaid<InvalidDate>,
    kSaid<NestedTooDeeply>,
    kSaid<NotJetSql>,
    kSaid<UnknownFunction>,
    kSaid<UnknownTable>,
    kSaid<UnknownColumn>,
    [](const Diagnostic& d) { return TooFewParameters(static_cast<int>(d.number)); },
    kSaid<TableExists>,
    kSaid<ObjectExists>,
    kSaid<UnknownIndex>,
    kSaid<UnknownConstraint>,
    kSaid<AmbiguousColumn>,
    kSaid<UnknownSourceOfStar>,
    kSaid<DuplicateSourceName>,
    kSaid<WrongArgumentCount>,
    kSaid<StarOutsideCount>,
    kSaid<AggregateInWhere>,
    kSaid<SubqueryColumnCount>,
    kSaid<UnionColumnCount>,
    kSaid<InsertValueCount>,
    kSaid<ViewColumnCount>,
    kSaid<InsertColumnTwice>,
    kSaid<OrderByPosition>,
    kSaid<NotPartOfAggregate>,
    kSaid<OrderByConflictsWithDistinct>,
    kSaid<MustUseUpdatableQuery>,
    kSaid<FieldNotUpdatable>,
    kSaid<UpdateOfTwoTables>,
    kSaid<DeleteNeedsTable>,
    kSaid<InvalidTop>,
    kSaid<CrosstabNeedsAggregate>,
    kSaid<CrosstabNeedsGroupBy>,
    [](const Diagnostic& d) { return TooManyCrosstabColumns(static_cast<std::size_t>(d.number)); },
    kSaid<ExecuteArgumentCount>,
    kSaid<ProcedureStatement>,
    kSaid<ParameterTwice>,
    kSaid<TwoCounters>,
    kSaid<PrimaryKeyExists>,
    kSaid<ReferenceWithoutKey>,
    kSaid<ReferenceColumnCount>,
    [](const Diagnostic& d) { return TableInRelationship(Word(d.words, 0), d.names); },
    kSaid<ChangeReferencedTableInTransaction>,
    kSaid<NullNotAllowed>,
    kSaid<DefinitionNotChangeable>,
    kSaid<RowsBreakRelationship>,
};
static_assert(std::size(kMessages) ==
                  static_cast<std::size_t>(MessageId::RowsBreakRelationship) + 1,
              "kMessages has one entry for each MessageId");

// Each hint of the catalogue with its words, in the order of HintId.
constexpr HintOf kHints[] = {
    [](const Hint&) { return std::string(); },
    [](const Hint& h) { return hint::JetFormOf(Word(h.words, 0)).value_or(std::string()); },
    [](const Hint& h) { return hint::JetFormOf(Word(h.words, 0)).value_or(hint::JetTypeNames()); },
    [](const Hint& h) { return JetFormOrClosest(Word(h.words, 0), h.names); },
    [](const Hint& h) {
      return hint::ForMisspeltColumn(Word(h.words, 0), h.names, Word(h.words, 1));
    },
    [](const Hint& h) { return hint::ForMisspeltTable(Word(h.words, 0), h.names); },
    kHinted<hint::MisspeltKeyword>,
    kHinted<hint::DateWithoutHashes>,
    kHinted<hint::MissingComma>,
    kHinted<hint::MissingFrom>,
    kHinted<hint::ExtraComma>,
    kHinted<hint::MissingBy>,
    kHinted<hint::ReservedWordAsName>,
    kHinted<hint::UnclosedParenthesis>,
    kHinted<hint::UnclosedText>,
    kHinted<hint::UnclosedName>,
    kHinted<hint::NestedJoins>,
    kHinted<hint::TypeAfterName>,
    kHinted<hint::ParameterWithoutValue>,
    kHinted<hint::AliasOutOfReach>,
    kHinted<hint::GroupOrAggregate>,
    kHinted<hint::ShowWhatIsSorted>,
    kHinted<hint::UpdateFromSummary>,
    kHinted<hint::CounterNotUpdatable>,
    kHinted<hint::DoubleQuotedName>,
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
