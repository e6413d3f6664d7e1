#pragma once
// A refusal of the Jet front end as data: which message, with the learner's words and names it
// quotes, and which hint; Render turns it into the catalogue's Japanese where it is shown. The
// front end itself holds no wording.
#include <string>
#include <vector>

#include "text/messages/Message.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick::msg {

// The messages, each one function of the catalogue (StatementMessages.h, FormMessages.h,
// EngineMessages.h); the words each takes, in order, after it.
enum class MessageId : unsigned char {
  SyntaxError,                         // clause; word
  SyntaxErrorAtEnd,                    // clause
  SyntaxErrorNear,                     // word
  MissingOperator,                     // expression
  MissingClosingParenthesis,           // expression
  Unterminated,                        // opening, start
  InvalidDate,                         // literal
  NestedTooDeeply,                     //
  NotJetSql,                           // word
  UnknownFunction,                     // name
  UnknownTable,                        // name
  UnknownColumn,                       // name
  TooFewParameters,                    // number: how many
  TableExists,                         // name
  ObjectExists,                        // name
  UnknownIndex,                        // name
  UnknownConstraint,                   // name, table
  AmbiguousColumn,                     // name
  UnknownSourceOfStar,                 // qualifier
  DuplicateSourceName,                 // name
  WrongArgumentCount,                  // function
  StarOutsideCount,                    //
  AggregateInWhere,                    // function
  SubqueryColumnCount,                 //
  UnionColumnCount,                    //
  InsertValueCount,                    //
  ViewColumnCount,                     //
  InsertColumnTwice,                   // column
  OrderByPosition,                     // position
  NotPartOfAggregate,                  // expression
  OrderByConflictsWithDistinct,        // expression
  MustUseUpdatableQuery,               //
  FieldNotUpdatable,                   // column
  UpdateOfTwoTables,                   //
  DeleteNeedsTable,                    //
  InvalidTop,                          //
  CrosstabNeedsAggregate,              //
  CrosstabNeedsGroupBy,                //
  TooManyCrosstabColumns,              // number: the columns
  ExecuteArgumentCount,                // procedure
  ProcedureStatement,                  //
  ParameterTwice,                      // name
  TwoCounters,                         //
  PrimaryKeyExists,                    //
  ReferenceWithoutKey,                 // table
  ReferenceColumnCount,                //
  TableInRelationship,                 // table; names: the tables that refer to it
  ChangeReferencedTableInTransaction,  // table
  NullNotAllowed,                      // table, column
  DefinitionNotChangeable,             // table
  RowsBreakRelationship,               // table
};

// The hints, each one of Hints.h; the words each takes, in order, after it.
enum class HintId : unsigned char {
  None,
  JetFormOf,              // word: Jet's way to write another dialect's word, if it has one
  JetFormOrTypeNames,     // word: Jet's form of a type name, else Jet's type names
  JetFormOrClosest,       // word; names: Jet's form of a function, else the closest name
  ForMisspeltColumn,      // typed, table; names: the columns it may have meant
  ForMisspeltTable,       // typed; names: the tables
  MisspeltKeyword,        // typed, keyword
  DateWithoutHashes,      // what was written, or nothing
  MissingComma,           // left, right
  MissingFrom,            // left, right
  ExtraComma,             // keyword
  MissingBy,              // keyword, next
  ReservedWordAsName,     // word
  UnclosedParenthesis,    //
  UnclosedText,           // quote
  UnclosedName,           //
  NestedJoins,            //
  TypeAfterName,          // column
  ParameterWithoutValue,  // name
  AliasOutOfReach,        // alias, expression
  GroupOrAggregate,       // expression
  ShowWhatIsSorted,       // expression
  UpdateFromSummary,      //
  CounterNotUpdatable,    // column
  DoubleQuotedName,       // text
};

struct Hint {
  Hint(HintId i = HintId::None, std::vector<std::string> w = {}, std::vector<std::string> n = {})
      : id(i), words(std::move(w)), names(std::move(n)) {}

  HintId id;
  std::vector<std::string> words;
  std::vector<std::string> names;  // candidates for a misspelt name

  bool operator==(const Hint&) const = default;
};

struct Diagnostic {
  Diagnostic(MessageId i, std::vector<std::string> w = {}, SqlClause c = SqlClause::Statement,
             long long n = 0)
      : id(i), words(std::move(w)), clause(c), number(n) {}

  MessageId id;
  std::vector<std::string> words;
  SqlClause clause;
  long long number;
  std::vector<std::string> names;  // a list the message itself names
  Hint hint;

  // The same diagnostic with this hint.
  Diagnostic WithHint(Hint other) const {
    Diagnostic diagnostic = *this;
    diagnostic.hint = std::move(other);
    return diagnostic;
  }
  bool operator==(const Diagnostic&) const = default;
};

// The message and its hint as the learner reads them.
Message Render(const Diagnostic& diagnostic);

// The hint's text; empty for none, or for a hint with nothing to say about its words.
std::string RenderHint(const Hint& hint);

}  // namespace tarnwick::msg
