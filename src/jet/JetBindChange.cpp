// Binding UPDATE and DELETE, also through a join: the table whose rows change, and the
// join's name for its row.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetBoundWalk.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSyntaxWalk.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using syntax::StatementKind;

// A subquery that aggregates, anywhere in the expression: Jet cannot update with its value.
bool HasAggregateSubquery(const syntax::Expr& expr) {
  const syntax::Query* query = nullptr;
  if (expr.kind == syntax::ExprKind::InQuery) query = expr.As<syntax::PredicateExpr>().query.get();
  if (expr.kind == syntax::ExprKind::Subquery || expr.kind == syntax::ExprKind::Exists ||
      expr.kind == syntax::ExprKind::Quantified) {
    query = expr.As<syntax::QueryExpr>().query.get();
  }
  if (query != nullptr && std::any_of(query->parts.begin(), query->parts.end(),
                                      [](const syntax::Select& part) { return IsGrouped(part); })) {
    return true;
  }
  const std::vector<const syntax::Expr*> operands = OperandsOf(expr);
  return std::any_of(operands.begin(), operands.end(),
                     [](const syntax::Expr* operand) { return HasAggregateSubquery(*operand); });
}

// Through a join, the changed table is named apart in it.
void NameJoinedRow(bound::Source& source, const syntax::Source& written,
                   const syntax::Source& target) {
  if (&written == &target) {
    source.alias = std::string(bound::kJoinedRow);
  } else if (written.kind == syntax::Source::Kind::Join) {
    NameJoinedRow(*source.left, *written.left, target);
    NameJoinedRow(*source.right, *written.right, target);
  }
}

}  // namespace

const syntax::Source* JetBinder::SourceNamed(const syntax::Source& source,
                                             std::string_view qualifier) const {
  if (source.kind == syntax::Source::Kind::Join) {
    if (const syntax::Source* found = SourceNamed(*source.left, qualifier)) return found;
    return SourceNamed(*source.right, qualifier);
  }
  return SameJetName(inScope_.at(&source)->qualifier, qualifier) ? &source : nullptr;
}

const JetSchemaTable& JetBinder::Target(const syntax::Source& source) {
  if (source.kind != syntax::Source::Kind::Table) {
    throw JetError(Refusal(MessageId::MustUseUpdatableQuery), source.offset);
  }
  return Table(inScope_.at(&source)->table, source.offset);
}

// The change's join, with the changed table named apart.
void JetBinder::Joined(bound::Change& change, bound::Source join, const syntax::Source& written,
                       const syntax::Source& target) {
  const std::string qualifier = inScope_.at(&target)->qualifier;
  change.join = std::make_unique<bound::Source>(std::move(join));
  NameJoinedRow(*change.join, written, target);
  const ColumnVisitor rename = [&](bound::Column& column) {
    if (column.source == qualifier) column.source = std::string(bound::kJoinedRow);
  };
  ForEachColumn(*change.join, rename);
  for (bound::Assignment& assignment : change.assignments) ForEachColumn(*assignment.value, rename);
  if (change.where) ForEachColumn(*change.where, rename);
}

// UPDATE t SET ... or UPDATE a INNER JOIN b ON ... SET a.x = b.y: the table whose columns are
// set is the one changed.
std::unique_ptr<bound::Statement> JetBinder::Update(const syntax::UpdateStatement& update) {
  Scope scope;
  bound::Source source = Sources(update.source, scope);
  const Context rows{&scope, false};
  const syntax::Source* target = nullptr;
  std::vector<std::pair<std::string, ExprPtr>> values;
  for (const syntax::Assignment& assignment : update.assignments) {
    const syntax::NameRef& column = *assignment.column;
    const ExprPtr bound = Expr(column, rows);
    const auto resolution = resolutions_.find(&column);
    if (resolution == resolutions_.end() ||
        resolution->second.kind != JetNameResolution::Kind::Column) {
      throw JetError(Refusal(MessageId::UnknownColumn, {column.name}), column.offset);
    }
    const syntax::Source* named = SourceNamed(update.source, resolution->second.source);
    if (target != nullptr && named != target) {
      throw JetError(Refusal(MessageId::UpdateOfTwoTables), column.offset);
    }
    target = named;
    const std::string& name = resolution->second.column;
    if (bound->type.autoNumber) {
      throw JetError(Refusal(MessageId::FieldNotUpdatable, {name})
                         .WithHint(HintOf(HintId::CounterNotUpdatable, {name})),
                     column.offset);
    }
    ExprPtr value = Expr(*assignment.value, rows);
    if (HasAggregateSubquery(*assignment.value)) {
      throw JetError(
          Refusal(MessageId::MustUseUpdatableQuery).WithHint(HintOf(HintId::UpdateFromSummary)),
          assignment.value->offset);
    }
    values.emplace_back(name, std::move(value));
  }
  const JetSchemaTable& table = Target(*target);
  auto result = std::make_unique<bound::Change>(StatementKind::Update);
  result->table = table.name;
  for (std::size_t i = 0; i < values.size(); ++i) {
    auto& [name, value] = values[i];
    result->assignments.push_back({name, Stored(std::move(value), update.assignments[i].value.get(),
                                                FindColumn(table, name)->type, name)});
  }
  if (update.where) result->where = Expr(*update.where, rows);
  if (update.source.kind == syntax::Source::Kind::Join) {
    Joined(*result, std::move(source), update.source, *target);
  } else {
    result->alias = update.source.alias;
  }
  return result;
}

// DELETE FROM t, DELETE * FROM t, DELETE t.* FROM t INNER JOIN u ON ...
std::unique_ptr<bound::Statement> JetBinder::Delete(const syntax::DeleteStatement& remove) {
  Scope scope;
  bound::Source source = Sources(remove.source, scope);
  const syntax::Source* target = &remove.source;
  if (remove.table) {
    target = SourceNamed(remove.source, remove.table->text);
    if (target == nullptr) {
      throw JetError(Refusal(MessageId::UnknownSourceOfStar, {remove.table->text}),
                     remove.table->offset);
    }
  } else if (remove.source.kind == syntax::Source::Kind::Join) {
    throw JetError(Refusal(MessageId::DeleteNeedsTable), remove.source.offset);
  }
  const JetSchemaTable& table = Target(*target);
  auto result = std::make_unique<bound::Change>(StatementKind::Delete);
  result->table = table.name;
  if (remove.where) result->where = Expr(*remove.where, Context{&scope, false});
  if (remove.source.kind == syntax::Source::Kind::Join) {
    Joined(*result, std::move(source), remove.source, *target);
  } else {
    result->alias = remove.source.alias;
  }
  return result;
}

}  // namespace tarnwick
