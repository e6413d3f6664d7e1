// Binding expressions: literals, names (to columns, select-list items, parameters or Jet's
// constants), predicates and subqueries. Operators are in JetBindOperators.cpp, calls in
// JetBindCall.cpp.
#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"
#include "jet/JetSyntaxWalk.h"
#include "jetlib/OperatorRules.h"

namespace tarnwick {

namespace {

using bound::Literal;
using msg::HintId;
using msg::MessageId;
using syntax::ExprKind;

struct NamedConstant {
  std::string_view name;
  bool value;
};
// Jet's constants, where no column has the name.
constexpr NamedConstant kConstants[] = {{"True", true}, {"False", false}, {"Yes", true},
                                        {"No", false},  {"On", true},     {"Off", false}};

std::string QualifiedName(const syntax::NameRef& name) {
  return name.qualifier.empty() ? name.name : name.qualifier + "." + name.name;
}

// An integer literal fits LONG; a larger one, or one with a fraction or exponent, is DOUBLE.
JetType NumberType(const syntax::NumberLiteral& number) {
  return number.integer && *number.integer <= 2147483647 ? JetType::Long : JetType::Double;
}

}  // namespace

bound::ExprPtr JetBinder::Expr(const syntax::Expr& expr, const Context& context) {
  switch (expr.kind) {
    case ExprKind::Number:
    case ExprKind::Text:
    case ExprKind::Date:
    case ExprKind::Null:
    case ExprKind::Blob:
    case ExprKind::Parameter:
      return Literal(expr);
    case ExprKind::Name:
      return Name(expr.As<syntax::NameRef>(), context);
    case ExprKind::Star:
      throw JetError(Refusal(MessageId::StarOutsideCount), expr.offset);
    case ExprKind::Unary:
      return Unary(expr.As<syntax::UnaryExpr>(), context);
    case ExprKind::Binary:
      return Binary(expr.As<syntax::BinaryExpr>(), context);
    case ExprKind::Like:
    case ExprKind::Between:
    case ExprKind::InList:
    case ExprKind::InQuery:
    case ExprKind::IsNull:
      return Predicate(expr.As<syntax::PredicateExpr>(), context);
    case ExprKind::Call:
      return Call(expr.As<syntax::CallExpr>(), context);
    case ExprKind::Subquery:
    case ExprKind::Exists:
    case ExprKind::Quantified:
      return QueryValue(expr.As<syntax::QueryExpr>(), context);
  }
  throw JetError(Refusal(MessageId::SyntaxErrorNear, {TermText(expr)}), expr.offset);
}

bound::ExprPtr JetBinder::Literal(const syntax::Expr& expr) {
  switch (expr.kind) {
    case ExprKind::Number: {
      const auto& number = expr.As<syntax::NumberLiteral>();
      auto literal = std::make_unique<bound::Literal>(Literal::Form::Number,
                                                      TypeOnly(NumberType(number)), number.written);
      literal->whole = number.whole;
      return literal;
    }
    case ExprKind::Text:
      return std::make_unique<bound::Literal>(Literal::Form::Text, TypeOnly(JetType::Text),
                                              expr.As<syntax::ValueLiteral>().value);
    case ExprKind::Date:
      return std::make_unique<bound::Literal>(Literal::Form::Date, TypeOnly(JetType::DateTime),
                                              expr.As<syntax::ValueLiteral>().value);
    case ExprKind::Blob:
      return std::make_unique<bound::Literal>(Literal::Form::Blob, TypeOnly(JetType::LongBinary),
                                              expr.As<syntax::ValueLiteral>().value);
    case ExprKind::Parameter:
      return std::make_unique<bound::Literal>(Literal::Form::Parameter, TypeOnly(JetType::Variant),
                                              "?");
    default:
      return std::make_unique<bound::Literal>(Literal::Form::Null, TypeOnly(JetType::Null), "NULL");
  }
}

bound::ExprPtr JetBinder::ReadColumn(JetTypeInfo type, std::string source, std::string name) {
  auto column = std::make_unique<bound::Column>(type, std::move(source), std::move(name));
  if (type.type != JetType::Boolean) return column;
  return std::make_unique<bound::Convert>(bound::Convert::To::Truth, type, std::move(column));
}

bound::ExprPtr JetBinder::Name(const syntax::NameRef& name, const Context& context) {
  for (const Scope* scope = context.scope; scope != nullptr; scope = scope->outer) {
    if (ExprPtr column = NameInScope(name, *scope)) return column;
  }
  const bool bare = name.qualifier.empty();
  if (bare && context.items != nullptr) {
    const std::vector<ItemRef>& items = *context.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i].alias || !SameJetName(*items[i].alias, name.name)) continue;
      resolutions_[&name] = {JetNameResolution::Kind::Alias, {}, {}, i};
      const bound::Expr* item = (*context.boundItems)[i].expr.get();
      return std::make_unique<bound::ValueOf>(item->type, item, true);
    }
  }
  if (bare) {
    if (ExprPtr parameter = NameOfParameter(name)) return parameter;
    for (const NamedConstant& constant : kConstants) {
      if (!SameJetName(constant.name, name.name)) continue;
      resolutions_[&name] = {JetNameResolution::Kind::Constant, {}, {}, 0, constant.value};
      return std::make_unique<bound::Literal>(Literal::Form::Truth, TypeOnly(JetType::Boolean),
                                              constant.value ? "-1" : "0");
    }
  }
  UnknownName(name, context);
}

[[noreturn]] void JetBinder::UnknownName(const syntax::NameRef& name, const Context& context) {
  if (name.qualifier.empty() && context.aliasesOutOfReach != nullptr) {
    for (const ItemRef& item : *context.aliasesOutOfReach) {
      if (item.alias && SameJetName(*item.alias, name.name)) {
        throw JetError(Refusal(MessageId::UnknownColumn, {name.name})
                           .WithHint(HintOf(HintId::AliasOutOfReach, {name.name, item.written})),
                       name.offset);
      }
    }
  }
  std::vector<JetNamedColumns> sources;
  for (const Scope* scope = context.scope; scope != nullptr; scope = scope->outer) {
    for (const InScope* source : scope->sources)
      sources.push_back({&source->columns, source->written});
  }
  throw JetError(Refusal(MessageId::UnknownColumn, {QualifiedName(name)})
                     .WithHint(MisspeltColumnHint(name.name, sources)),
                 name.offset);
}

// A parameter the statement declares; without a value it is Jet's missing-parameter error,
// unless the statement is only being stored.
bound::ExprPtr JetBinder::NameOfParameter(const syntax::NameRef& name) {
  for (std::size_t i = 0; i < parameters_.size(); ++i) {
    const Parameter& parameter = parameters_[i];
    if (!SameJetName(parameter.declared->name.text, name.name)) continue;
    if (!parameter.value && !storingOnly_) {
      throw JetError(
          msg::Diagnostic{MessageId::TooFewParameters, {}, msg::SqlClause::Statement, 1}.WithHint(
              HintOf(HintId::ParameterWithoutValue, {parameter.declared->name.text})),
          name.offset);
    }
    resolutions_[&name] = {JetNameResolution::Kind::Parameter, {}, {}, i};
    JetTypeInfo type = parameter.type;
    type.jetDeclared = false;
    return std::make_unique<bound::ValueOf>(type, parameter.value.get());
  }
  return nullptr;
}

// Looks the name up among the scope's own sources. A qualified name must name a source there;
// an unqualified one must be a column of exactly one of them.
bound::ExprPtr JetBinder::NameInScope(const syntax::NameRef& name, const Scope& scope) {
  const InScope* found = nullptr;
  const JetSchemaColumn* column = nullptr;
  for (const InScope* source : scope.sources) {
    if (!name.qualifier.empty() && !SameJetName(source->qualifier, name.qualifier)) continue;
    const JetSchemaColumn* match = nullptr;
    for (const JetSchemaColumn& each : source->columns) {
      if (SameJetName(each.name, name.name)) {
        match = &each;
        break;
      }
    }
    if (match == nullptr) {
      if (!name.qualifier.empty()) {
        throw JetError(Refusal(MessageId::UnknownColumn, {QualifiedName(name)})
                           .WithHint(MisspeltColumnHint(
                               name.name, {JetNamedColumns{&source->columns, source->written}})),
                       name.offset);
      }
      continue;
    }
    if (found != nullptr) {
      throw JetError(Refusal(MessageId::AmbiguousColumn, {name.name}), name.offset);
    }
    found = source;
    column = match;
  }
  if (found == nullptr) return nullptr;
  resolutions_[&name] = {JetNameResolution::Kind::Column, found->qualifier, column->name};
  return ReadColumn(column->type, found->qualifier, column->name);
}

bound::ExprPtr JetBinder::Predicate(const syntax::PredicateExpr& expr, const Context& context) {
  std::vector<ExprPtr> operands;
  for (const syntax::ExprPtr& operand : expr.operands) operands.push_back(Expr(*operand, context));
  if (expr.kind == ExprKind::IsNull) {
    auto test = std::make_unique<bound::IsNullTest>();
    test->negated = expr.negated;
    test->operands = std::move(operands);
    return test;
  }
  if (expr.kind == ExprKind::Like) {
    auto like = std::make_unique<bound::LikeMatch>(TypeOnly(JetType::Boolean));
    const syntax::Expr& pattern = *expr.operands[1];
    like->engines = pattern.kind == ExprKind::Text &&
                    EngineLikeMatchesJet(pattern.As<syntax::ValueLiteral>().value);
    like->negated = expr.negated;
    like->operands = std::move(operands);
    return like;
  }
  auto compared = std::make_unique<bound::Compared>(
      expr.kind == ExprKind::Between ? bound::ExprKind::Between : bound::ExprKind::In);
  compared->negated = expr.negated;
  if (expr.kind == ExprKind::InQuery) {
    compared->query = Query(*expr.query, context.scope);
    if (compared->query->columns.size() != 1) {
      throw JetError(Refusal(MessageId::SubqueryColumnCount), expr.offset);
    }
  }
  compared->ignoringCase = ComparedOperands(operands);
  compared->operands = std::move(operands);
  return compared;
}

bound::ExprPtr JetBinder::QueryValue(const syntax::QueryExpr& expr, const Context& context) {
  ExprPtr left = expr.left ? Expr(*expr.left, context) : nullptr;
  std::unique_ptr<bound::Query> query = Query(*expr.query, context.scope);
  if (expr.kind == ExprKind::Exists) {
    auto exists =
        std::make_unique<bound::QueryValue>(bound::ExprKind::Exists, TypeOnly(JetType::Boolean));
    exists->query = std::move(query);
    return exists;
  }
  if (query->columns.size() != 1) {
    throw JetError(Refusal(MessageId::SubqueryColumnCount), expr.offset);
  }
  if (expr.kind == ExprKind::Subquery) {
    auto value = std::make_unique<bound::QueryValue>(bound::ExprKind::Subquery,
                                                     TypeOnly(query->columns[0].type.type));
    value->query = std::move(query);
    return value;
  }
  // x op Any (q) holds when the comparison holds for some row of q, x op All (q) when it holds
  // for every row; each row's value is read from the rows of q.
  auto quantified =
      std::make_unique<bound::QueryValue>(bound::ExprKind::Quantified, TypeOnly(JetType::Boolean));
  quantified->all = expr.all;
  quantified->comparison =
      BoundComparison(expr.op, std::move(left),
                      ReadColumn(query->columns[0].type, std::string(bound::kRows),
                                 std::string(bound::kQuantifiedValue)));
  quantified->query = std::move(query);
  return quantified;
}

}  // namespace tarnwick
