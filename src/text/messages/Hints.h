#pragma once
// Hints for common mistakes, each a sentence or two that says what to do. A Message carries
// one as its second line (Message::WithHint).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::msg::hint {

// A misspelt name: the existing name closest to it.
std::string DidYouMean(std::string_view closest);
// No name close enough: where the learner can look the names up with the console's "?".
std::string ListColumnsOf(std::string_view table);
std::string ListTables();
// A misspelt name with the names it may have meant: the closest one, or where to look.
std::string ForMisspeltColumn(std::string_view typed, const std::vector<std::string>& columns,
                              std::string_view table);
std::string ForMisspeltTable(std::string_view typed, const std::vector<std::string>& tables);

// Reading the statement.
std::string MissingComma(std::string_view left, std::string_view right);
std::string MissingFrom(std::string_view left, std::string_view right);
std::string ReservedWordAsName(std::string_view word);
std::string ExtraComma(std::string_view keyword);  // a comma just before FROM, WHERE, ...
std::string MissingBy(std::string_view keyword, std::string_view next);  // ORDER 氏名
std::string MisspeltKeyword(std::string_view typed, std::string_view keyword);
std::string UnclosedParenthesis();
std::string UnclosedText(std::string_view quote);
std::string UnclosedName();
std::string DoubleQuotedName(std::string_view text);
std::string DateWithoutHashes(std::string_view typed);  // typed: what was written, or empty
// A word that a date written in Japanese goes on with after its number: 年, 月 or 日.
bool StartsWithDateUnit(std::string_view word);

// Jet's own checks.
// An alias of the select list used in WHERE or GROUP BY, and the expression it stands for.
std::string AliasOutOfReach(std::string_view alias, std::string_view expression);
std::string GroupOrAggregate(std::string_view expression);  // a column neither grouped nor summed
std::string ShowWhatIsSorted(std::string_view expression);  // ORDER BY beside DISTINCT
std::string ParameterWithoutValue(std::string_view name);
std::string UpdateFromSummary();  // SET from a subquery that aggregates
std::string CounterNotUpdatable(std::string_view column);
std::string NestedJoins();   // a JOIN b ON ... JOIN c ON ... without parentheses
std::string JetTypeNames();  // a type name Jet does not know
std::string TypeAfterName(std::string_view column);  // a column without its type

// SQL that Jet does not have: how Jet writes it ("LIMIT", "||", "CASE", ...); nothing when
// there is no hint for the word.
std::optional<std::string> JetFormOf(std::string_view word);

}  // namespace tarnwick::msg::hint
