// Binding INSERT, SELECT ... INTO, TRANSFORM, CREATE VIEW, PARAMETERS and the procedures, and
// the conversion of every value on its way into a column.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetParser.h"
#include "jet/JetSyntaxWalk.h"

namespace tarnwick {

namespace {

using msg::MessageId;
using syntax::StatementKind;

// The size argument jet_store takes: TEXT(n) and BINARY(n) n, DECIMAL(p, s) p * 100 + s.
int StoreSize(const JetTypeInfo& type) {
  if (type.type == JetType::Decimal) return type.size > 0 ? type.size * 100 + type.scale : 0;
  return type.size;
}

std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// A whole number written as digits alone, its value within [low, high].
bool WholeWithin(const std::string& text, bool negative, std::int64_t low, std::int64_t high) {
  if (text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18) return false;
  const std::int64_t value = std::stoll(text) * (negative ? -1 : 1);
  return value >= low && value <= high;
}

// A number literal that converting to the column's type gives back as it is.
bool NumberStoresUnchanged(const std::string& text, bool negative, JetType column) {
  switch (column) {
    case JetType::Byte:
      return WholeWithin(text, negative, 0, 255);
    case JetType::Short:
      return WholeWithin(text, negative, -32768, 32767);
    case JetType::Long:
      return WholeWithin(text, negative, INT32_MIN, INT32_MAX);
    case JetType::BigInt:
      return WholeWithin(text, negative, INT64_MIN + 1, INT64_MAX);
    case JetType::Double:
      return true;
    case JetType::Currency: {
      // Up to four decimals and well within the range: the value the engine reads is the one
      // that rounding to four decimals gives.
      const std::size_t point = text.find('.');
      const std::string whole = text.substr(0, point);
      return text.find_first_of("eE") == std::string::npos &&
             (point == std::string::npos || text.size() - point - 1 <= 4) &&
             WholeWithin(whole.empty() ? "0" : whole, negative, -99999999999, 99999999999);
    }
    default:
      return false;
  }
}

}  // namespace

// A literal that converting to the column's type gives back as it is goes into the statement
// unchanged, which spares the engine one call for every value of a long script.
bool JetBinder::StoresUnchanged(const syntax::Expr* written, const JetTypeInfo& column) const {
  if (written == nullptr) return false;
  const bool negative = written->kind == syntax::ExprKind::Unary &&
                        written->As<syntax::UnaryExpr>().op == JetOp::Negate;
  const syntax::Expr& literal = negative ? *written->As<syntax::UnaryExpr>().operand : *written;
  switch (literal.kind) {
    case syntax::ExprKind::Null:
      return !negative && column.type != JetType::Boolean;
    case syntax::ExprKind::Text:
      return !negative && (column.type == JetType::Memo ||
                           (column.type == JetType::Text &&
                            CharacterCount(literal.As<syntax::ValueLiteral>().value) <=
                                static_cast<std::size_t>(column.size)));
    case syntax::ExprKind::Date:
      return !negative && column.type == JetType::DateTime;
    case syntax::ExprKind::Name: {
      // True and False: -1 and 0 in every type that holds them.
      const auto found = resolutions_.find(&literal);
      return !negative && found != resolutions_.end() &&
             found->second.kind == JetNameResolution::Kind::Constant &&
             (column.type == JetType::Boolean || column.type == JetType::Short ||
              column.type == JetType::Long || column.type == JetType::BigInt);
    }
    case syntax::ExprKind::Number:
      return NumberStoresUnchanged(literal.As<syntax::NumberLiteral>().written, negative,
                                   column.type);
    default:
      return false;
  }
}

bound::ExprPtr JetBinder::Stored(ExprPtr value, const syntax::Expr* written,
                                 const JetTypeInfo& type, std::optional<std::string> column) {
  const std::optional<JetType> stored = StoreTypeOf(type);
  if (!stored || StoresUnchanged(written, type)) return value;
  auto store = std::make_unique<bound::Convert>(bound::Convert::To::Stored, type, std::move(value));
  store->stored = *stored;
  store->size = StoreSize(type);
  store->column = std::move(column);
  return store;
}

// The declared parameters' types; the names the statement's expressions may use.
void JetBinder::Parameters(const syntax::Statement& statement) {
  std::vector<const syntax::ParameterDecl*> declared;
  for (const syntax::ParameterDecl& parameter : statement.parameters)
    declared.push_back(&parameter);
  if (extraParameters_ != nullptr) {
    for (const syntax::ParameterDecl& parameter : *extraParameters_) declared.push_back(&parameter);
  }
  for (std::size_t i = 0; i < declared.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (SameJetName(declared[j]->name.text, declared[i]->name.text)) {
        throw JetError(Refusal(MessageId::ParameterTwice, {declared[i]->name.text}),
                       declared[i]->name.offset);
      }
    }
    Parameter parameter{declared[i], ParameterType(*declared[i]), nullptr};
    if (i < argumentValues_.size()) parameter.value = std::move(argumentValues_[i]);
    parameters_.push_back(std::move(parameter));
  }
}

JetTypeInfo JetBinder::ParameterType(const syntax::ParameterDecl& declared) {
  JetTypeInfo type = JetTypeInfoOf(declared.type.word, declared.type.size.value_or(0),
                                   declared.type.scale.value_or(0));
  type.autoNumber = false;
  return type;
}

std::vector<bound::ExprPtr> JetBinder::CopiedRows(const bound::Query& query,
                                                  const std::vector<std::string>& columns,
                                                  const std::vector<JetTypeInfo>& types) {
  std::vector<ExprPtr> copies;
  for (std::size_t i = 0; i < types.size(); ++i) {
    ExprPtr column =
        ReadColumn(query.columns[i].type, std::string(bound::kRows), std::to_string(i + 1));
    copies.push_back(Stored(std::move(column), nullptr, types[i], columns[i]));
  }
  return copies;
}

std::unique_ptr<bound::Statement> JetBinder::Insert(const syntax::InsertStatement& insert) {
  const JetSchemaTable& target = Table(insert.table.text, insert.table.offset);
  auto result = std::make_unique<bound::Insert>(StatementKind::Insert);
  result->table = target.name;
  std::vector<syntax::Name> written = insert.columns;
  if (written.empty()) {
    for (const JetSchemaColumn& column : target.columns) written.push_back({column.name, 0});
  }
  std::vector<JetTypeInfo> types;
  for (const syntax::Name& name : written) {
    std::string column = ColumnOf(target, name);
    if (std::find(result->columns.begin(), result->columns.end(), column) !=
        result->columns.end()) {
      throw JetError(Refusal(MessageId::InsertColumnTwice, {name.text}), name.offset);
    }
    types.push_back(FindColumn(target, column)->type);
    result->columns.push_back(std::move(column));
  }
  // YESNO columns that the INSERT leaves out and whose table gives no default: they hold
  // False, as Jet's do, also in tables made before the default was declared.
  for (const JetSchemaColumn& column : target.columns) {
    if (column.type.type == JetType::Boolean && !column.hasDefault &&
        std::find(result->columns.begin(), result->columns.end(), column.name) ==
            result->columns.end()) {
      result->falseColumns.push_back(column.name);
    }
  }
  if (insert.query) {
    result->query = Query(*insert.query, nullptr);
    if (result->query->columns.size() != result->columns.size()) {
      throw JetError(Refusal(MessageId::InsertValueCount), insert.query->parts[0].offset);
    }
    result->copies = CopiedRows(*result->query, result->columns, types);
    return result;
  }
  if (insert.values.size() != result->columns.size()) {
    throw JetError(Refusal(MessageId::InsertValueCount), insert.values[0]->offset);
  }
  for (std::size_t i = 0; i < insert.values.size(); ++i) {
    const syntax::Expr& value = *insert.values[i];
    result->values.push_back(Stored(Expr(value, Context{}), &value, types[i], result->columns[i]));
  }
  return result;
}

// SELECT ... INTO t: a new table with the result's columns.
std::unique_ptr<bound::Statement> JetBinder::SelectInto(const syntax::QueryStatement& statement) {
  const syntax::Query& query = *statement.query;
  const syntax::Name& into = *query.parts[0].into;
  intoSelect_ = &query.parts[0];
  if (catalogue_.FindTable(into.text) != nullptr) {
    throw JetError(Refusal(MessageId::TableExists, {into.text}), into.offset);
  }
  auto result = std::make_unique<bound::SelectInto>();
  result->table = into.text;
  result->query = Query(query, nullptr);
  const std::vector<bound::ResultColumn>& columns = result->query->columns;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (SameJetName(columns[i].name, columns[j].name)) {
        throw JetError(Refusal(MessageId::InsertColumnTwice, {columns[i].name}),
                       items_.at(&query.parts[0])[i].expr->offset);
      }
    }
  }
  // The table's columns take the Jet types of the result (a counter's numbers become LONG
  // values).
  std::vector<JetTypeInfo> types;
  for (const bound::ResultColumn& column : columns) {
    JetTypeInfo type = column.type;
    type.autoNumber = false;
    type.jetDeclared = true;
    bound::ColumnDef& definition = result->definitions.emplace_back();
    definition.name = column.name;
    const std::string declaration = JetTypeDeclaration(type);
    definition.word = FindJetTypeWord(declaration.substr(0, declaration.find('(')));
    if (type.type == JetType::Text || type.type == JetType::Binary) definition.size = type.size;
    if (type.type == JetType::Decimal && type.size > 0) {
      definition.size = type.size;
      definition.scale = type.scale;
    }
    definition.type = definition.word ? JetTypeInfoOf(*definition.word, definition.size.value_or(0),
                                                      definition.scale.value_or(0))
                                      : JetTypeInfo{};
    definition.falseByDefault = definition.type.type == JetType::Boolean;
    definition.ignoringCase = IsTextType(definition.type.type);
    types.push_back(definition.type);
    result->columns.push_back(column.name);
  }
  result->copies = CopiedRows(*result->query, result->columns, types);
  return result;
}

std::unique_ptr<bound::Statement> JetBinder::CreateView(const syntax::CreateViewStatement& view) {
  auto result = std::make_unique<bound::QueryStatement>(StatementKind::CreateView);
  result->view = view.name.text;
  result->query = Query(*view.query, nullptr);
  if (view.columns.empty()) return result;
  if (view.columns.size() != result->query->columns.size()) {
    throw JetError(Refusal(MessageId::ViewColumnCount), view.columns[0].offset);
  }
  for (std::size_t i = 0; i < view.columns.size(); ++i) {
    result->query->columns[i].name = view.columns[i].text;
  }
  return result;
}

// The procedure's statement is bound as it would run, its parameters without values.
std::unique_ptr<bound::Statement> JetBinder::CreateProcedure(
    const syntax::CreateProcedureStatement& create) {
  const std::string& name = create.name.text;
  if (catalogue_.FindProcedure(name) || catalogue_.FindTable(name)) {
    throw JetError(Refusal(MessageId::ObjectExists, {name}), create.name.offset);
  }
  JetBinder inner(catalogue_);
  inner.storingOnly_ = true;
  inner.extraParameters_ = &create.declared;
  inner.Statement(*create.body);
  auto result = std::make_unique<bound::Procedure>(StatementKind::CreateProcedure);
  result->name = name;
  result->parameters = create.parametersText;
  result->statement = create.bodyText;
  return result;
}

std::unique_ptr<bound::Statement> JetBinder::DropProcedure(const syntax::DropStatement& drop) {
  if (!drop.ifExists && !catalogue_.FindProcedure(drop.name.text)) {
    throw JetError(Refusal(MessageId::UnknownTable, {drop.name.text}), drop.name.offset);
  }
  auto result = std::make_unique<bound::Procedure>(StatementKind::DropProcedure);
  result->name = drop.name.text;
  return result;
}

// EXECUTE p v1, v2: the procedure's statement with its parameters taking the values in order.
// What is wrong in the stored statement is reported at the procedure's name.
std::unique_ptr<bound::Statement> JetBinder::Execute(const syntax::ExecuteStatement& execute) {
  const syntax::Name& name = execute.procedure;
  const std::optional<JetProcedure> procedure = catalogue_.FindProcedure(name.text);
  if (!procedure) throw JetError(Refusal(MessageId::UnknownTable, {name.text}), name.offset);
  const std::string text = procedure->parameters.empty() ? procedure->statement
                                                         : "PARAMETERS " + procedure->parameters +
                                                               ";\n" + procedure->statement;
  JetParse body;
  try {
    body = ParseJetStatement(text);
  } catch (const JetError& error) {
    throw JetError(error.Diagnostic(), name.offset);
  }
  const std::vector<syntax::ParameterDecl>& declared = body.statement->parameters;
  if (execute.arguments.size() > declared.size()) {
    throw JetError(Refusal(MessageId::ExecuteArgumentCount, {name.text}),
                   execute.arguments[declared.size()]->offset);
  }
  JetBinder inner(catalogue_);
  for (std::size_t i = 0; i < execute.arguments.size(); ++i) {
    const syntax::Expr& argument = *execute.arguments[i];
    inner.argumentValues_.push_back(
        Stored(Expr(argument, Context{}), &argument, ParameterType(declared[i])));
  }
  try {
    return inner.Statement(*body.statement);
  } catch (const JetError& error) {
    throw JetError(error.Diagnostic(), name.offset);
  }
}

}  // namespace tarnwick
