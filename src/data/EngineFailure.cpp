#include "data/EngineFailure.h"

#include <sqlite3.h>

#include <optional>
#include <string_view>

#include "jet/JetLexer.h"
#include "jetlib/JetFunctions.h"
#include "text/ClosestName.h"
#include "text/messages/EngineMessages.h"
#include "text/messages/Hints.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

using msg::Message;

std::optional<std::string_view> After(std::string_view text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return std::nullopt;
  return text.substr(prefix.size());
}

// The text between `prefix` and `suffix`, when the text has both around it.
std::optional<std::string_view> Between(std::string_view text, std::string_view prefix,
                                        std::string_view suffix) {
  if (!text.starts_with(prefix) || !text.ends_with(suffix) ||
      text.size() < prefix.size() + suffix.size()) {
    return std::nullopt;
  }
  return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
}

// A name as the engine's message writes it: without quotes or brackets around it, and
// without the name of the main database before it.
std::string Unquoted(std::string_view name) {
  if (name.size() >= 2) {
    const char first = name.front();
    const char last = name.back();
    if ((first == '"' && last == '"') || (first == '\'' && last == '\'') ||
        (first == '[' && last == ']') || (first == '`' && last == '`')) {
      name = name.substr(1, name.size() - 2);
    }
  }
  if (const auto rest = After(name, "main.")) name = *rest;
  return std::string(name);
}

std::string_view UpTo(std::string_view text, char end) { return text.substr(0, text.find(end)); }

// The engine could not read the statement: at its first word, Jet's message for a statement
// it does not know, with the statement word it may have meant.
Message SyntaxError(const EngineFailure& failure, std::string_view word) {
  const std::string_view statement = failure.statement;
  const std::size_t start = statement.find_first_not_of(" \t\r\n(");
  if (start == std::string_view::npos || statement.substr(start, word.size()) != word) {
    return msg::SyntaxErrorNear(word);
  }
  static const std::vector<std::string> keywords = JetKeywordSpellings(kStatementWord);
  const std::optional<std::string> meant = ClosestName(word, keywords);
  return msg::SyntaxError(msg::SqlClause::Statement, word)
      .WithHint(meant ? msg::hint::MisspeltKeyword(word, *meant) : std::string());
}

// "already exists" for each kind of object the engine names.
std::optional<Message> AlreadyExists(std::string_view text) {
  const auto what = Between(text, "", " already exists");
  if (!what) return std::nullopt;
  const std::size_t space = what->find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const std::string_view kind = what->substr(0, space);
  const std::string name = Unquoted(what->substr(space + 1));
  if (kind == "table") return msg::TableExists(name);
  if (kind == "index") return msg::IndexExists(name);
  return msg::ObjectExists(name);
}

// The names the statement uses: one that is not there, one that is already, one that is
// not what it is used as.
std::optional<Message> NameError(const EngineFailure& failure) {
  const std::string_view text = failure.text;
  if (const auto name = After(text, "no such table: ")) {
    const std::string table = Unquoted(*name);
    return msg::UnknownTable(table).WithHint(msg::hint::ForMisspeltTable(table, failure.tables));
  }
  if (const auto name = After(text, "no such view: ")) return msg::UnknownTable(Unquoted(*name));
  if (const auto name = After(text, "no such column: ")) return msg::UnknownColumn(*name);
  if (const auto name = After(text, "no such index: ")) return msg::UnknownIndex(Unquoted(*name));
  if (const auto name = After(text, "no such function: ")) {
    const std::optional<std::string> meant = ClosestName(*name, JetFunctionNames());
    return msg::UnknownFunction(*name).WithHint(meant ? msg::hint::DidYouMean(*meant)
                                                      : std::string());
  }
  if (auto exists = AlreadyExists(text)) return *exists;
  if (const auto name = After(text, "there is already another table or index with this name: ")) {
    return msg::ObjectExists(Unquoted(*name));
  }
  if (const auto name = After(text, "duplicate column name: ")) {
    return msg::DuplicateFieldDefinition(*name);
  }
  if (const auto rest = After(text, "table ")) {
    const std::size_t named = rest->find(" has no column named ");
    if (named != std::string_view::npos) {
      return msg::UnknownFieldInInsert(rest->substr(named + sizeof(" has no column named ") - 1));
    }
    if (rest->ends_with(" values were supplied")) return msg::InsertValueCount();
    if (rest->ends_with(" may not be dropped") || rest->ends_with(" may not be altered") ||
        rest->ends_with(" may not be modified")) {
      return msg::SystemTable(Unquoted(UpTo(*rest, ' ')));
    }
  }
  if (text.ends_with(" columns") && text.find(" values for ") != std::string_view::npos) {
    return msg::InsertValueCount();
  }
  if (const auto name = After(text, "object name reserved for internal use: ")) {
    return msg::SystemTable(*name);
  }
  if (const auto name = After(text, "ambiguous column name: ")) return msg::AmbiguousColumn(*name);
  if (const auto name = Between(text, "wrong number of arguments to function ", "()")) {
    return msg::WrongArgumentCount(*name);
  }
  for (std::string_view misuse :
       {"misuse of aggregate: ", "misuse of aggregate function ", "misuse of window function "}) {
    if (const auto name = Between(text, misuse, "()")) return msg::AggregateInWhere(*name);
  }
  return std::nullopt;
}

// The statement's shape, transactions and the engine's limits.
std::optional<Message> ShapeError(const EngineFailure& failure) {
  const std::string_view text = failure.text;
  if (text == "cannot start a transaction within a transaction") {
    return msg::TransactionAlreadyStarted();
  }
  if (text.starts_with("cannot commit - no transaction is active") ||
      text.starts_with("cannot rollback - no transaction is active")) {
    return msg::NoTransaction();
  }
  if (text.starts_with("cannot commit transaction - SQL statements in progress")) {
    return msg::StatementsStillRunning();
  }
  if (text.starts_with("sub-select returns ") || text == "row value misused") {
    return msg::SubqueryColumnCount();
  }
  if (text.starts_with("SELECTs to the left and right of ")) return msg::UnionColumnCount();
  if (text.find(" ORDER BY term out of range") != std::string_view::npos ||
      text.find(" GROUP BY term out of range") != std::string_view::npos) {
    const std::string_view ordinal = text.substr(0, text.find_first_not_of("0123456789"));
    return msg::OrderByPosition(ordinal);
  }
  if (text == "no tables specified") return msg::NoTablesInSelect();
  if (text.starts_with("too many columns")) return msg::TooManyColumns();
  if (text.starts_with("Expression tree is too large") || text == "parser stack overflow" ||
      text.starts_with("too many terms in compound SELECT") ||
      text.starts_with("too many FROM clause terms")) {
    return msg::NestedTooDeeply();
  }
  if (text == "too many SQL variables") return msg::TooManyValues();
  if (const auto tables = After(text, "foreign key mismatch - ")) {
    const std::size_t referencing = tables->find(" referencing ");
    if (referencing != std::string_view::npos) {
      return msg::RelationshipMismatch(Unquoted(tables->substr(0, referencing)),
                                       Unquoted(tables->substr(referencing + 13)));
    }
  }
  if (text.starts_with(
          "index associated with UNIQUE or PRIMARY KEY constraint cannot be dropped")) {
    return msg::ConstraintIndex();
  }
  if (const auto column = Between(text, "default value of column [", "] is not constant")) {
    return msg::DefaultNotConstant(*column);
  }
  if (text.starts_with("Cannot add a ") || text.starts_with("cannot add a ") ||
      text.starts_with("cannot drop ") || text.starts_with("error in table ") ||
      text.starts_with("cannot alter ")) {
    return msg::AlterTableNotPossible(TargetOf(failure.statement).table);
  }
  return std::nullopt;
}

// The engine's SQL errors: the statement's words and names, its shape, transactions.
Message GeneralError(const EngineFailure& failure) {
  const std::string_view text = failure.text;
  if (IsJetRuntimeMessage(text)) return Message::Parse(text);
  if (const auto word = Between(text, "near \"", "\": syntax error")) {
    return SyntaxError(failure, *word);
  }
  if (const auto token = Between(text, "unrecognized token: \"", "\"")) {
    return msg::SyntaxErrorNear(*token);
  }
  if (text == "incomplete input") return msg::SyntaxErrorAtEnd();
  if (std::optional<Message> message = NameError(failure)) return *message;
  if (std::optional<Message> message = ShapeError(failure)) return *message;
  return msg::EngineFailure(failure.code);
}

// The names after "... constraint failed: ": "社員.社員ID, 社員.部署ID".
void ReadColumns(std::string_view names, std::string& table, std::vector<std::string>& columns) {
  while (!names.empty()) {
    const std::size_t comma = names.find(", ");
    std::string_view name = names.substr(0, comma);
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
      table = std::string(name.substr(0, dot));
      name = name.substr(dot + 1);
    }
    columns.emplace_back(Unquoted(name));
    names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 2);
  }
}

Message DuplicateValues(const EngineFailure& failure, std::string_view names) {
  std::string table = TargetOf(failure.statement).table;
  std::vector<std::string> columns;
  if (const auto index = Between(names, "index '", "'")) {
    columns.emplace_back(*index);
  } else {
    ReadColumns(names, table, columns);
  }
  return msg::DuplicateValues(table, columns);
}

Message RelationshipFailure(const EngineFailure& failure) {
  const StatementTarget target = TargetOf(failure.statement);
  switch (target.verb) {
    case StatementTarget::Verb::Insert:
      return msg::RelatedRecordRequired(failure.parents);
    case StatementTarget::Verb::Update:
      if (!failure.parents.empty() || failure.children.empty()) {
        return msg::RelatedRecordRequired(failure.parents);
      }
      return msg::HasRelatedRecords(failure.children);
    case StatementTarget::Verb::Delete:
      return msg::HasRelatedRecords(failure.children);
    case StatementTarget::Verb::Drop:
      return msg::TableInRelationship(target.table, failure.children);
    case StatementTarget::Verb::Alter:
    case StatementTarget::Verb::Other:
      break;
  }
  return msg::RelationshipViolated();
}

// What the engine's message says after "...: ", the names it failed on; nothing when it says
// only its general text for the code.
std::string_view NamesIn(std::string_view text) {
  const std::size_t colon = text.find(": ");
  return colon == std::string_view::npos ? std::string_view() : text.substr(colon + 2);
}

Message ConstraintFailure(const EngineFailure& failure) {
  const std::string_view text = failure.text;
  const std::string_view names = NamesIn(text);
  switch (failure.code) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
      return DuplicateValues(failure, names);
    case SQLITE_CONSTRAINT_NOTNULL: {
      std::string table;
      std::vector<std::string> columns;
      ReadColumns(names, table, columns);
      if (columns.empty()) return msg::ConstraintViolated();
      return msg::NullNotAllowed(table, columns.front());
    }
    case SQLITE_CONSTRAINT_FOREIGNKEY:
      return RelationshipFailure(failure);
    case SQLITE_CONSTRAINT_CHECK:
      return names.empty() ? msg::ConstraintViolated() : msg::ValidationRuleViolated(names);
    case SQLITE_CONSTRAINT_DATATYPE:
      return msg::TypeMismatch();
    case SQLITE_CONSTRAINT_TRIGGER:
      // The reason a trigger of the learner's own gave (RAISE(ABORT, '...')).
      if (text == sqlite3_errstr(failure.code)) return msg::ConstraintViolated();
      // An index WITH DISALLOW NULL refuses a row through a trigger with the whole message.
      if (msg::IsNullNotAllowed(text)) return Message::Parse(text);
      return msg::TriggerRefused(text);
    default:
      return msg::ConstraintViolated();
  }
}

}  // namespace

msg::Message EngineFailureMessage(const EngineFailure& failure) {
  const std::string& file = failure.file;
  switch (failure.code & 0xFF) {
    case SQLITE_ERROR:
      return GeneralError(failure);
    case SQLITE_CONSTRAINT:
      return ConstraintFailure(failure);
    case SQLITE_PERM:
      return msg::AccessDenied();
    case SQLITE_ABORT:
      return msg::Aborted();
    case SQLITE_BUSY:
    case SQLITE_PROTOCOL:
      return msg::DatabaseLocked(file);
    case SQLITE_LOCKED:
      return msg::TableLocked();
    case SQLITE_NOMEM:
      return msg::OutOfMemory();
    case SQLITE_READONLY:
      return msg::DatabaseReadOnly(file);
    case SQLITE_INTERRUPT:
      return msg::Interrupted();
    case SQLITE_IOERR:
      if (failure.code == SQLITE_IOERR_NOMEM) return msg::OutOfMemory();
      return msg::DiskIoError(file);
    case SQLITE_CORRUPT:
      return msg::DatabaseCorrupt(file);
    case SQLITE_FULL:
      return msg::DiskFull(file);
    case SQLITE_CANTOPEN:
      if (failure.code == SQLITE_CANTOPEN_ISDIR) return msg::DatabaseIsFolder(file);
      return msg::CannotOpenDatabase(file);
    case SQLITE_SCHEMA:
      return msg::DefinitionsChanged();
    case SQLITE_TOOBIG:
      return msg::TooBig();
    case SQLITE_MISMATCH:
      return msg::TypeMismatch();
    case SQLITE_NOLFS:
      return msg::TooLargeFile(file);
    case SQLITE_AUTH:
      return msg::NotAuthorized();
    case SQLITE_NOTADB:
      return msg::NotADatabase(file);
    case SQLITE_RANGE:
      return msg::TooManyValues();
    default:
      return msg::EngineFailure(failure.code);
  }
}

namespace {

// Reads the statement's words one at a time, as the Jet lexer cuts it: words, quoted or
// bracketed names (the engine's `names` too), punctuation.
class Words {
 public:
  explicit Words(std::string_view sql) : sql_(sql) {
    for (const JetToken& token : TokenizeJet(sql)) {
      if (!IsTrivia(token)) tokens_.push_back(token);
    }
  }

  // The next word, a name after its database's name (main.t) the table's own; the keyword it
  // is in `keyword`.
  std::string Next() {
    keyword = JetKeyword::None;
    if (next_ >= tokens_.size()) return {};
    const JetToken& token = tokens_[next_++];
    std::string word;
    if (IsPunct(token, "`")) {
      const std::size_t close = sql_.find('`', token.offset + 1);
      const std::size_t end = close == std::string_view::npos ? sql_.size() : close;
      word = std::string(sql_.substr(token.offset + 1, end - token.offset - 1));
      while (next_ < tokens_.size() && tokens_[next_].offset <= end) ++next_;
    } else {
      word = IsNameToken(token) ? JetNameValue(token) : std::string(token.text);
      keyword = token.keyword;
    }
    if (next_ < tokens_.size() && IsPunct(tokens_[next_], ".")) {
      ++next_;
      return Next();
    }
    return word;
  }

  JetKeyword keyword = JetKeyword::None;

 private:
  std::string_view sql_;
  std::vector<JetToken> tokens_;
  std::size_t next_ = 0;
};

}  // namespace

StatementTarget TargetOf(std::string_view utf8Sql) {
  Words words(utf8Sql);
  StatementTarget target;
  std::string word = words.Next();
  const auto is = [&](JetKeyword keyword) { return words.keyword == keyword; };
  if (is(JetKeyword::Insert) || is(JetKeyword::Replace)) {
    target.verb = StatementTarget::Verb::Insert;
    while (!word.empty() && !is(JetKeyword::Into)) word = words.Next();
  } else if (is(JetKeyword::Update)) {
    target.verb = StatementTarget::Verb::Update;
    word = words.Next();
    if (!is(JetKeyword::Or)) {
      target.table = word;
      return target;
    }
    words.Next();
  } else if (is(JetKeyword::Delete)) {
    target.verb = StatementTarget::Verb::Delete;
    while (!word.empty() && !is(JetKeyword::From)) word = words.Next();
  } else if (is(JetKeyword::Alter)) {
    words.Next();
    if (!is(JetKeyword::Table)) return {};
    target.verb = StatementTarget::Verb::Alter;
  } else if (is(JetKeyword::Drop)) {
    words.Next();
    if (!is(JetKeyword::Table)) return {};
    target.verb = StatementTarget::Verb::Drop;
    target.table = words.Next();
    if (is(JetKeyword::If)) {
      words.Next();
      target.table = words.Next();
    }
    return target;
  } else {
    return {};
  }
  target.table = words.Next();
  return target;
}

}  // namespace tarnwick
