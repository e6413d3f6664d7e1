// INSERT, UPDATE, DELETE, TRANSFORM, PARAMETERS and EXECUTE.
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using syntax::StatementPtr;

// A value written as a literal alone: a number with its sign, a text or a date.
bool IsLiteralAlone(std::span<const JetToken> tokens) {
  if (tokens.size() == 2 && IsPunct(tokens[0], "-")) {
    return tokens[1].kind == JetTokenKind::Number;
  }
  if (tokens.size() != 1) return false;
  const JetTokenKind kind = tokens[0].kind;
  return kind == JetTokenKind::Number || kind == JetTokenKind::Date || IsTextToken(tokens[0]);
}

}  // namespace

// INSERT INTO t [(columns)] VALUES (...) | INSERT INTO t [(columns)] SELECT ...
StatementPtr JetParser::Insert() {
  auto insert = std::make_unique<syntax::InsertStatement>();
  ExpectKeyword(JetKeyword::Into);
  insert->table = ExpectName();
  if (PeekPunct("(") && !PeekQuery()) {
    Advance();
    do {
      insert->columns.push_back(ExpectColumnName());
    } while (AcceptPunct(","));
    ExpectPunct(")");
  }
  if (PeekQuery()) {
    insert->query = Query();
    return insert;
  }
  ExpectKeyword(JetKeyword::Values);
  InsertValues(*insert);
  return insert;
}

void JetParser::InsertValues(syntax::InsertStatement& insert) {
  ExpectPunct("(");
  insert.values.reserve(8);
  insert.literalValues.reserve(8);
  do {
    const std::size_t first = position_;
    insert.values.push_back(Expression());
    const std::span<const JetToken> written(tokens_.data() + first, position_ - first);
    if (IsLiteralAlone(written)) {
      insert.literalValues.push_back(
          {written.front().offset, written.back().End(), insert.values.size() - 1});
    }
  } while (AcceptPunct(","));
  ExpectPunct(")");
  if (PeekPunct(",")) {
    Refuse(msg::Diagnostic{MessageId::SyntaxError, {","}, msg::SqlClause::InsertInto}.WithHint(
               HintOf(HintId::JetFormOf, {"VALUES"})),
           Offset());
  }
}

// UPDATE t SET c = value, ... [WHERE condition]; t may be a join: UPDATE a INNER JOIN b ON ...
StatementPtr JetParser::Update() {
  auto update = std::make_unique<syntax::UpdateStatement>();
  update->source = SourceElement();
  ExpectKeyword(JetKeyword::Set);
  do {
    syntax::Assignment assignment;
    assignment.column = ColumnReference();
    ExpectPunct("=");
    assignment.value = Expression();
    update->assignments.push_back(std::move(assignment));
  } while (AcceptPunct(","));
  if (AcceptKeyword(JetKeyword::Where)) update->where = Expression();
  return update;
}

// DELETE [* | t.* | columns] FROM source [WHERE condition]
StatementPtr JetParser::Delete() {
  auto remove = std::make_unique<syntax::DeleteStatement>();
  if (!AcceptPunct("*")) {
    // t.* names the table whose rows go; columns named alone change nothing (as in Jet).
    while (!PeekKeyword(JetKeyword::From) && !AtEnd()) {
      Name name = ExpectName();
      if (AcceptPunct(".") || AcceptPunct("!")) {
        if (AcceptPunct("*")) {
          remove->table = std::move(name);
        } else {
          ExpectName();
        }
      }
      if (!AcceptPunct(",")) break;
    }
  }
  ExpectKeyword(JetKeyword::From);
  remove->source = SourceElement();
  if (AcceptKeyword(JetKeyword::Where)) remove->where = Expression();
  return remove;
}

// TRANSFORM aggregate SELECT ... PIVOT expression [IN (value, ...)]
StatementPtr JetParser::Transform() {
  auto crosstab = std::make_unique<syntax::CrosstabStatement>();
  crosstab->value = Expression();
  if (!PeekKeyword(JetKeyword::Select)) Fail();
  crosstab->query = Query();
  ExpectKeyword(JetKeyword::Pivot);
  // Below the comparisons, so that IN begins the list of column values.
  crosstab->pivot = Concatenation();
  if (!AcceptKeyword(JetKeyword::In)) return crosstab;
  ExpectPunct("(");
  do {
    crosstab->pivotIn.push_back(Expression());
  } while (AcceptPunct(","));
  ExpectPunct(")");
  return crosstab;
}

// name type[(size)], ... as PARAMETERS and CREATE PROCEDURE declare them.
std::vector<syntax::ParameterDecl> JetParser::ParameterList(std::string* written) {
  const std::size_t start = Offset();
  std::vector<syntax::ParameterDecl> parameters;
  do {
    syntax::ParameterDecl& parameter = parameters.emplace_back();
    parameter.name = ExpectName();
    parameter.type = ColumnType(parameter.name);
  } while (AcceptPunct(","));
  if (written != nullptr) *written = TextFrom(start);
  return parameters;
}

// PARAMETERS prm type, ...; statement
StatementPtr JetParser::Parameters() {
  std::vector<syntax::ParameterDecl> declared = ParameterList(nullptr);
  ExpectPunct(";");
  StatementPtr statement = StatementForm();
  if (statement->kind == syntax::StatementKind::Passthrough) Fail();
  statement->parameters = std::move(declared);
  return statement;
}

// EXECUTE p [value, ...]
StatementPtr JetParser::Execute() {
  auto execute = std::make_unique<syntax::ExecuteStatement>();
  execute->procedure = ExpectName();
  if (AtEnd()) return execute;
  do {
    execute->arguments.push_back(Expression());
  } while (AcceptPunct(","));
  return execute;
}

}  // namespace tarnwick
