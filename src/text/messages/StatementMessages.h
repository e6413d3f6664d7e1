#pragma once
// Messages about a statement: one that cannot be read (syntax errors, named by the clause as
// Jet names them, with the word where the statement stops making sense), names that are not
// there, a statement of the wrong shape, and Jet's own refusals. The front end and the
// engine's errors for a statement both speak through these.
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// The part of a statement in which a syntax error arises, as Jet's messages name it.
enum class SqlClause {
  Statement,  // the first word is no statement Jet knows
  Select,     // the SELECT list
  From,
  Join,
  Where,
  GroupBy,
  Having,
  OrderBy,
  InsertInto,
  Update,
  Delete,
  CreateTable,
  FieldDefinition,  // a column of CREATE TABLE or ALTER TABLE ... ADD
  Constraint,
  CreateIndex,
  CreateView,
  AlterTable,
  Drop,
  Transform,
  Procedure,
  Parameters,
};

// Reading the statement.
Message SyntaxError(SqlClause clause, std::string_view word);  // the word where it stops
Message SyntaxErrorAtEnd(SqlClause clause);                    // the statement ends too soon
Message SyntaxErrorNear(std::string_view word);                // clause unknown
Message SyntaxErrorAtEnd();
Message MissingOperator(std::string_view expression);  // two operands with nothing between
Message MissingClosingParenthesis(std::string_view expression);
// An unclosed '...', "...", [...] or #...#: `opening` is its first character, `start` the
// statement's text from there to the next blank.
Message Unterminated(std::string_view opening, std::string_view start);
Message InvalidDate(std::string_view literal);
Message NestedTooDeeply();
Message NoStatement();
Message MoreThanOneStatement();

// Names.
Message UnknownTable(std::string_view name);
Message UnknownColumn(std::string_view name);
Message UnknownFunction(std::string_view name);
Message UnknownIndex(std::string_view name);
Message UnknownFieldInInsert(std::string_view name);
Message AmbiguousColumn(std::string_view name);
Message UnknownSourceOfStar(std::string_view qualifier);
Message DuplicateSourceName(std::string_view name);
Message TableExists(std::string_view name);
Message IndexExists(std::string_view name);
Message ObjectExists(std::string_view name);  // a view, trigger or other object
Message DuplicateFieldDefinition(std::string_view name);
Message SystemTable(std::string_view name);

// Shape.
Message WrongArgumentCount(std::string_view function);
Message StarOutsideCount();
Message AggregateInWhere(std::string_view function);
Message SubqueryColumnCount();
Message UnionColumnCount();
Message InsertValueCount();
Message ViewColumnCount();
Message InsertColumnTwice(std::string_view column);
Message OrderByPosition(std::string_view position);
Message NoTablesInSelect();
Message TooManyColumns();

// Jet's own checks.
Message TooFewParameters(int missing);                    // a parameter without a value
Message NotPartOfAggregate(std::string_view expression);  // a column neither grouped nor summed
Message OrderByConflictsWithDistinct(std::string_view expression);
Message MustUseUpdatableQuery();
Message NotJetSql(std::string_view word);  // SQL Jet does not have; Hints.h has the Jet form

// Transactions a statement begins or ends.
Message TransactionAlreadyStarted();
Message NoTransaction();
Message StatementsStillRunning();

}  // namespace tarnwick::msg
