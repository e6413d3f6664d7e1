#include "grader/OrderKeys.h"

#include <charconv>
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
    if (depth == 0 && afterOrder && IsKeyword(token, "BY")) return true;
    afterOrder = depth == 0 && IsKeyword(token, "ORDER");
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

// The result column an ORDER BY term sorts by, when it is one.
std::optional<std::size_t> KeyColumn(const JetOrderItem& term, const JetSelect& select,
                                     const std::vector<std::string>& names) {
  const JetExpr& expr = *term.expr;
  if (expr.kind == JetExprKind::Number) {
    std::size_t position = 0;
    const auto [end, error] =
        std::from_chars(expr.text.data(), expr.text.data() + expr.text.size(), position);
    if (error != std::errc() || end != expr.text.data() + expr.text.size()) return std::nullopt;
    if (position >= 1 && position <= names.size()) return position - 1;
    return std::nullopt;
  }
  // The select list's own items stand at their places only when no * widens it.
  bool star = false;
  for (const JetSelectItem& item : select.items)
    star = star || item.expr->kind == JetExprKind::Star;
  if (!star && select.items.size() == names.size()) {
    for (std::size_t i = 0; i < select.items.size(); ++i) {
      const JetSelectItem& item = select.items[i];
      const bool sameName =
          expr.kind == JetExprKind::Name &&
          ((item.alias && SameJetName(*item.alias, expr.text)) ||
           (item.expr->kind == JetExprKind::Name && SameJetName(item.expr->text, expr.text) &&
            (expr.qualifier.empty() || item.expr->qualifier.empty() ||
             SameJetName(item.expr->qualifier, expr.qualifier))));
      if (sameName || SameJetName(item.written, term.written)) return i;
    }
  }
  if (expr.kind == JetExprKind::Name) return ColumnNamed(names, expr.text);
  return std::nullopt;
}

}  // namespace

RowOrder OrderOfQuery(std::string_view sjisStatement, const std::vector<std::string>& columnNames) {
  const std::string utf8 = SjisToUtf8(sjisStatement);
  RowOrder order;
  const JetQuery* query = nullptr;
  JetParse parse;
  try {
    parse = ParseJetStatement(utf8);
    query = parse.statement.query.get();
  } catch (const std::exception&) {
    // It ran, so the engine read it; the front end did not.
  }
  if (query == nullptr || query->parts.empty()) {
    order.ordered = OrderedByTokens(utf8);
    return order;
  }
  if (query->orderBy.empty()) return order;
  order.ordered = true;
  for (const JetOrderItem& term : query->orderBy) {
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
