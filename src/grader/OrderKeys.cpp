#include "grader/OrderKeys.h"

#include <exception>
#include <optional>

#include "jet/JetLexer.h"
#include "jet/JetParser.h"
#include "text/Cp932.h"

namespace tarnwick::grader {
namespace {

// True when ORDER BY stands outside every parenthesis: a form the front end leaves to the
// engine.
bool OrderedByTokens(std::string_view utf8Sql) {
  int depth = 0;
  bool afterOrder = false;
  for (const JetToken& token : TokenizeJet(utf8Sql)) {
    if (IsTrivia(token)) continue;
    if (IsPunct(token, "(")) ++depth;
    if (IsPunct(token, ")")) --depth;
    if (depth == 0 && afterOrder && IsKeyword(token, JetKeyword::By)) return true;
    afterOrder = depth == 0 && IsKeyword(token, JetKeyword::Order);
  }
  return false;
}

std::optional<std::size_t> ColumnNamed(const std::vector<std::string>& names,
                                       std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameJetName(names[i], name)) return i;
  }
  return std::nullopt;
}

// The name a term is (c, t.c), when it is one.
const syntax::NameRef* NameOf(const syntax::Expr& expr) {
  return expr.kind == syntax::ExprKind::Name ? &expr.As<syntax::NameRef>() : nullptr;
}

// The select item a name names, by its AS name or as the same column.
bool NamesItem(const syntax::NameRef& name, const syntax::SelectItem& item) {
  if (item.alias && SameJetName(*item.alias, name.name)) return true;
  const syntax::NameRef* column = NameOf(*item.expr);
  return column != nullptr && SameJetName(column->name, name.name) &&
         (name.qualifier.empty() || column->qualifier.empty() ||
          SameJetName(column->qualifier, name.qualifier));
}

// The result column an ORDER BY term sorts by, when it is one.
std::optional<std::size_t> KeyColumn(const syntax::OrderItem& term, const syntax::Select& select,
                                     const std::vector<std::string>& names) {
  const syntax::Expr& expr = *term.expr;
  if (expr.kind == syntax::ExprKind::Number) {
    const auto& number = expr.As<syntax::NumberLiteral>();
    if (!number.integer) return std::nullopt;
    const std::int64_t position = *number.integer;
    if (position >= 1 && static_cast<std::size_t>(position) <= names.size()) {
      return static_cast<std::size_t>(position) - 1;
    }
    return std::nullopt;
  }
  // The select list's own items stand at their places only when no * widens it.
  bool star = false;
  for (const syntax::SelectItem& item : select.items)
    star = star || item.expr->kind == syntax::ExprKind::Star;
  const syntax::NameRef* name = NameOf(expr);
  if (!star && select.items.size() == names.size()) {
    for (std::size_t i = 0; i < select.items.size(); ++i) {
      const syntax::SelectItem& item = select.items[i];
      if ((name != nullptr && NamesItem(*name, item)) || SameJetName(item.written, term.written)) {
        return i;
      }
    }
  }
  if (name != nullptr) return ColumnNamed(names, name->name);
  return std::nullopt;
}

// The query of a statement that has one.
const syntax::Query* QueryOf(const syntax::Statement& statement) {
  switch (statement.kind) {
    case syntax::StatementKind::Select:
    case syntax::StatementKind::SelectInto:
      return statement.As<syntax::QueryStatement>().query.get();
    case syntax::StatementKind::Crosstab:
      return statement.As<syntax::CrosstabStatement>().query.get();
    case syntax::StatementKind::Insert:
      return statement.As<syntax::InsertStatement>().query.get();
    case syntax::StatementKind::CreateView:
      return statement.As<syntax::CreateViewStatement>().query.get();
    default:
      return nullptr;
  }
}

}  // namespace

RowOrder OrderOfQuery(std::string_view sjisStatement, const std::vector<std::string>& columnNames) {
  const std::string utf8 = SjisToUtf8(sjisStatement);
  RowOrder order;
  const syntax::Query* query = nullptr;
  JetParse parse;
  try {
    parse = ParseJetStatement(utf8);
    query = QueryOf(*parse.statement);
  } catch (const std::exception&) {
    // It ran, so the engine read it; the front end did not.
  }
  if (query == nullptr || query->parts.empty()) {
    order.ordered = OrderedByTokens(utf8);
    return order;
  }
  if (query->orderBy.empty()) return order;
  order.ordered = true;
  for (const syntax::OrderItem& term : query->orderBy) {
    const std::optional<std::size_t> column = KeyColumn(term, query->parts.front(), columnNames);
    if (!column) {
      order.keyColumns.clear();
      return order;
    }
    order.keyColumns.push_back(*column);
  }
  return order;
}

}  // namespace tarnwick::grader
