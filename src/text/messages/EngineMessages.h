#pragma once
// Messages for what the database engine refuses while it runs a statement, and for a value on
// its way into a column: Jet's messages for the same refusals, naming the table, column or
// file, each with a hint for the learner's common mistakes.
#include <string>
#include <string_view>
#include <vector>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// Keys and relationships.
Message DuplicateValues(std::string_view table, const std::vector<std::string>& columns);
Message NullNotAllowed(std::string_view table, std::string_view column);
// Whether the text (UTF-8) is NullNotAllowed's, as an index's own trigger raises it.
bool IsNullNotAllowed(std::string_view utf8);
// A row whose parent is missing: the tables it refers to (the first is named, the others in
// the hint).
Message RelatedRecordRequired(const std::vector<std::string>& parents);
// A parent row that rows of other tables refer to.
Message HasRelatedRecords(const std::vector<std::string>& children);
// A table that others refer to, on its way to being dropped.
Message TableInRelationship(std::string_view table, const std::vector<std::string>& children);
Message RelationshipViolated();  // when the engine does not say which
Message RelationshipMismatch(std::string_view child, std::string_view parent);
Message ValidationRuleViolated(std::string_view rule);
Message ConstraintViolated();  // a rule of the database the engine does not name
Message TriggerRefused(std::string_view reason);

// Jet's runtime messages, for a function or operator that cannot compute its value.
Message TypeMismatch();
Message Overflow();
Message InvalidArgument();
Message DivisionByZero();
Message FieldTooSmall();
Message InvalidUseOfNull();

// A value on its way into a column (INSERT, UPDATE). `jetType` is the column's Jet type name
// ("LONG", "DATETIME", "TEXT", ...); `value` the value as text.
Message TypeMismatchStoring(std::string_view column, std::string_view jetType,
                            std::string_view value);
Message OverflowStoring(std::string_view column, std::string_view jetType, std::string_view value);
Message FieldTooSmallStoring(std::string_view column, long long size);

// The database file (`file`: its path, UTF-8; may be empty when the engine does not say).
Message DatabaseLocked(std::string_view file);
Message TableLocked();
Message DatabaseReadOnly(std::string_view file);
Message DiskIoError(std::string_view file);
Message DiskFull(std::string_view file);
Message DatabaseCorrupt(std::string_view file);
Message NotADatabase(std::string_view file);
Message CannotOpenDatabase(std::string_view file);
Message DatabaseIsFolder(std::string_view file);
Message TooLargeFile(std::string_view file);

// The engine's state.
Message OutOfMemory();
Message Interrupted();
Message TooBig();
Message DefinitionsChanged();
Message AccessDenied();
Message NotAuthorized();
Message TooManyValues();
Message Aborted();
// Changes to a table's definition the engine cannot make.
Message AlterTableNotPossible(std::string_view table);
Message ConstraintIndex();  // the index of a primary key or UNIQUE, which DROP INDEX cannot drop
Message DefaultNotConstant(std::string_view column);
// Anything else, with the engine's result code so that it can be looked up.
Message EngineFailure(int code);

}  // namespace tarnwick::msg
