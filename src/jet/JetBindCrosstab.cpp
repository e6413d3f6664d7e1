// Binding TRANSFORM ... PIVOT: the row headings' query, the cells' aggregate, and a column for
// each value the pivot takes.
#include <cstdio>

#include "jet/JetBinder.h"
#include "jet/JetBinderCore.h"
#include "jet/JetMessages.h"
#include "jet/JetSyntaxWalk.h"

namespace tarnwick {

namespace {

using bound::Literal;
using msg::MessageId;

// Jet's limit on the columns of one result.
constexpr std::size_t kMostColumns = 255;

// A pivot value the rows hold, as a literal of the pivot's type.
bound::ExprPtr PivotLiteral(const JetValue& value, JetType pivot) {
  switch (value.kind) {
    case JetValue::Kind::Null:
      return std::make_unique<Literal>(Literal::Form::Null, TypeOnly(JetType::Null), "NULL");
    case JetValue::Kind::Integer:
      return std::make_unique<Literal>(Literal::Form::Number, TypeOnly(JetType::Long),
                                       std::to_string(value.integer));
    case JetValue::Kind::Real: {
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", value.real);
      return std::make_unique<Literal>(Literal::Form::Number, TypeOnly(JetType::Double), text);
    }
    case JetValue::Kind::Text:
      break;
  }
  if (pivot == JetType::DateTime) {
    return std::make_unique<Literal>(Literal::Form::Date, TypeOnly(JetType::DateTime), value.text);
  }
  return std::make_unique<Literal>(Literal::Form::Text, TypeOnly(JetType::Text), value.text);
}

// A pivot value's column is named by the value as the grid shows it; NULL's is "<>".
std::string PivotColumnName(const bound::Expr& value, std::size_t index) {
  if (value.kind == bound::ExprKind::Literal) {
    const auto& literal = value.As<Literal>();
    switch (literal.form) {
      case Literal::Form::Null:
        return "<>";
      case Literal::Form::Number:
      case Literal::Form::Text:
      case Literal::Form::Truth:  // True, False: the grid's -1 and 0, as the rows' values show
        return literal.text;
      case Literal::Form::Date: {
        std::string text = literal.text;  // "YYYY-MM-DD HH:MM:SS"
        for (char& c : text) {
          if (c == '-') c = '/';
        }
        if (text.ends_with(" 00:00:00")) text.resize(text.size() - 9);
        return text;
      }
      default:
        break;
    }
  }
  if (value.kind == bound::ExprKind::Negate) {  // -5
    const bound::Expr& operand = *value.As<bound::Operation>().operands[0];
    if (operand.kind == bound::ExprKind::Literal &&
        operand.As<Literal>().form == Literal::Form::Number) {
      return "-" + operand.As<Literal>().text;
    }
  }
  return "Expr" + std::to_string(1000 + index);
}

// The rows of a pivot value: the pivot equals it (Jet's comparison of texts and dates); NULL
// pivot values make a column of their own.
bound::ExprPtr PivotCondition(const bound::Expr& pivot, bound::ExprPtr value) {
  auto reads = std::make_unique<bound::ValueOf>(pivot.type, &pivot);
  const bool null =
      value->kind == bound::ExprKind::Literal && value->As<Literal>().form == Literal::Form::Null;
  if (!null) return BoundComparison(JetOp::Equal, std::move(reads), std::move(value));
  auto test = std::make_unique<bound::IsNullTest>();
  test->operands.push_back(std::move(reads));
  return test;
}

}  // namespace

// TRANSFORM value SELECT ... GROUP BY ... PIVOT p: the value is aggregated per group and pivot
// value; the pivot is a value of each row.
std::unique_ptr<bound::Statement> JetBinder::Crosstab(const syntax::CrosstabStatement& crosstab) {
  const syntax::Query& query = *crosstab.query;
  const syntax::Select& select = query.parts[0];
  if (query.parts.size() != 1 || select.groupBy.empty()) {
    throw JetError(Refusal(MessageId::CrosstabNeedsGroupBy), select.offset);
  }
  auto result = std::make_unique<bound::Crosstab>();
  result->query = std::make_unique<bound::Query>();
  Scope scope;
  result->query->parts.push_back(Select(select, scope, result->query->columns));
  for (bound::Item& item : result->query->parts[0].items) {
    item.ignoringCase = select.distinct && IsTextType(item.expr->type.type);
  }
  result->value = Expr(*crosstab.value, Context{&scope, true});
  if (!ContainsAggregate(*crosstab.value)) {
    throw JetError(Refusal(MessageId::CrosstabNeedsAggregate), crosstab.value->offset);
  }
  result->pivot = Expr(*crosstab.pivot, Context{&scope, false});
  result->pivotIgnoringCase = IsTextType(result->pivot->type.type);
  for (const syntax::ExprPtr& value : crosstab.pivotIn) {
    result->cells.push_back({Expr(*value, Context{}), {}});
  }
  result->pivotOffset = crosstab.pivot->offset;
  OrderBy(query, *result->query, scope);
  result->ordered = !query.orderBy.empty();
  if (select.distinctRow) result->query->parts[0].distinctRows = DistinctRows(select);
  // The cell's value too shows only what is grouped or aggregated.
  CheckGrouping(select, &query, scope, crosstab.value.get());
  return result;
}

void BindPivotColumns(bound::Crosstab& crosstab, const std::vector<JetValue>& values) {
  std::vector<bound::ExprPtr> pivotValues;
  if (crosstab.cells.empty()) {
    for (const JetValue& value : values) {
      pivotValues.push_back(PivotLiteral(value, crosstab.pivot->type.type));
    }
  } else {
    for (bound::Crosstab::Cell& cell : crosstab.cells)
      pivotValues.push_back(std::move(cell.condition));
  }
  std::vector<bound::ResultColumn>& columns = crosstab.query->columns;
  if (columns.size() + pivotValues.size() > kMostColumns) {
    throw JetError(msg::Diagnostic{MessageId::TooManyCrosstabColumns,
                                   {},
                                   msg::SqlClause::Statement,
                                   static_cast<long long>(columns.size() + pivotValues.size())},
                   crosstab.pivotOffset);
  }
  crosstab.cells.clear();
  for (std::size_t i = 0; i < pivotValues.size(); ++i) {
    std::string name = PivotColumnName(*pivotValues[i], i);
    columns.push_back({name, crosstab.value->type});
    crosstab.cells.push_back({PivotCondition(*crosstab.pivot, std::move(pivotValues[i])), name});
  }
}

}  // namespace tarnwick
