// Binding expressions: names to columns, constants or select-list items; calls to the
// function library; every expression's Jet type.
#include <algorithm>
#include <charconv>
#include <iterator>

#include "jet/JetBinder.h"
#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"
#include "jet/JetTypeRules.h"
#include "jet/functions/JetFunctions.h"
#include "text/messages/Hints.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

struct NamedConstant {
  std::string_view name;
  bool value;
};
// Jet's constants, where no column has the name.
constexpr NamedConstant kConstants[] = {{"True", true}, {"False", false}, {"Yes", true},
                                        {"No", false},  {"On", true},     {"Off", false}};

JetTypeInfo TypeOnly(JetType type) {
  JetTypeInfo result;
  result.type = type;
  return result;
}

// An integer literal fits LONG; a larger one, or one with a fraction or exponent, is DOUBLE.
JetType NumberType(const std::string& text) {
  if (text.find_first_of(".eE") != std::string::npos) return JetType::Double;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value > 2147483647) return JetType::Double;
  return JetType::Long;
}

std::string QualifiedName(const JetExpr& expr) {
  return expr.qualifier.empty() ? expr.text : expr.qualifier + "." + expr.text;
}

// The arguments of IIf, Switch and Choose that can be the result.
std::vector<JetType> ChoiceTypes(const JetExpr& call) {
  std::vector<JetType> types;
  const auto add = [&](std::size_t i) {
    if (i < call.args.size()) types.push_back(call.args[i]->type.type);
  };
  if (SameJetName(call.function->name, "IIf")) {
    add(1);
    add(2);
  } else if (SameJetName(call.function->name, "Switch")) {
    for (std::size_t i = 1; i < call.args.size(); i += 2) add(i);
  } else {
    for (std::size_t i = 1; i < call.args.size(); ++i) add(i);
  }
  return types;
}

}  // namespace

void JetBinder::Expr(JetExpr& expr, const Context& context) {
  switch (expr.kind) {
    case JetExprKind::Number:
      expr.type = TypeOnly(NumberType(expr.text));
      return;
    case JetExprKind::Text:
      expr.type = TypeOnly(JetType::Text);
      return;
    case JetExprKind::Date:
      expr.type = TypeOnly(JetType::DateTime);
      return;
    case JetExprKind::Null:
      expr.type = TypeOnly(JetType::Null);
      return;
    case JetExprKind::Blob:
      expr.type = TypeOnly(JetType::LongBinary);
      return;
    case JetExprKind::Parameter:
      expr.type = TypeOnly(JetType::Variant);
      return;
    case JetExprKind::Name:
      Name(expr, context);
      return;
    case JetExprKind::Star:
      throw JetError(jet_message::StarOutsideCount(), expr.offset);
    case JetExprKind::Call:
      Call(expr, context);
      return;
    case JetExprKind::Subquery:
    case JetExprKind::Exists:
    case JetExprKind::InQuery:
    case JetExprKind::Quantified:
      Subquery(expr, context);
      return;
    default:
      break;
  }
  for (JetExprPtr& arg : expr.args) Expr(*arg, context);
  switch (expr.kind) {
    case JetExprKind::Unary:
      expr.type = TypeOnly(UnaryResultType(expr.op, expr.args[0]->type.type));
      return;
    case JetExprKind::Binary:
      expr.type =
          TypeOnly(BinaryResultType(expr.op, expr.args[0]->type.type, expr.args[1]->type.type));
      return;
    default:
      expr.type = TypeOnly(JetType::Boolean);  // Like, Between, In, Is Null
      return;
  }
}

void JetBinder::Name(JetExpr& expr, const Context& context) {
  for (const Scope* scope = context.scope; scope != nullptr; scope = scope->outer) {
    if (NameInScope(expr, *scope)) return;
  }
  if (expr.qualifier.empty() && context.items != nullptr) {
    const std::vector<JetSelectItem>& items = *context.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].alias && SameJetName(*items[i].alias, expr.text)) {
        expr.binding = JetNameBinding::Alias;
        expr.aliasIndex = i;
        expr.type = items[i].expr->type;
        return;
      }
    }
  }
  if (expr.qualifier.empty() && NameOfParameter(expr)) return;
  if (expr.qualifier.empty()) {
    for (const NamedConstant& constant : kConstants) {
      if (SameJetName(constant.name, expr.text)) {
        expr.binding = JetNameBinding::Constant;
        expr.boolValue = constant.value;
        expr.type = TypeOnly(JetType::Boolean);
        return;
      }
    }
  }
  if (expr.qualifier.empty() && context.aliasesOutOfReach != nullptr) {
    for (const JetSelectItem& item : *context.aliasesOutOfReach) {
      if (item.alias && SameJetName(*item.alias, expr.text)) {
        throw JetError(msg::UnknownColumn(expr.text).WithHint(
                           msg::hint::AliasOutOfReach(expr.text, item.written)),
                       expr.offset);
      }
    }
  }
  std::vector<const JetSource*> sources;
  for (const Scope* scope = context.scope; scope != nullptr; scope = scope->outer) {
    sources.insert(sources.end(), scope->sources.begin(), scope->sources.end());
  }
  throw JetError(
      msg::UnknownColumn(QualifiedName(expr)).WithHint(MisspeltColumnHint(expr.text, sources)),
      expr.offset);
}

// A parameter the statement declares; without a value it is Jet's missing-parameter error,
// unless the statement is only being stored.
bool JetBinder::NameOfParameter(JetExpr& expr) {
  if (parameters_ == nullptr) return false;
  for (std::size_t i = 0; i < parameters_->size(); ++i) {
    JetParameter& parameter = (*parameters_)[i];
    if (!SameJetName(parameter.name, expr.text)) continue;
    if (!parameter.value && !storingOnly_) {
      throw JetError(jet_message::MissingParameter(parameter.name), expr.offset);
    }
    expr.binding = JetNameBinding::Parameter;
    expr.aliasIndex = i;
    expr.type = parameter.type;
    expr.type.jetDeclared = false;
    return true;
  }
  return false;
}

// Looks the name up among the scope's own sources. A qualified name must name a source there;
// an unqualified one must be a column of exactly one of them.
bool JetBinder::NameInScope(JetExpr& expr, const Scope& scope) {
  JetSource* found = nullptr;
  const JetSchemaColumn* column = nullptr;
  for (JetSource* source : scope.sources) {
    if (!expr.qualifier.empty() && !SameJetName(source->boundAlias, expr.qualifier)) continue;
    const auto match = std::find_if(
        source->columns.begin(), source->columns.end(),
        [&](const JetSchemaColumn& info) { return SameJetName(info.name, expr.text); });
    if (match == source->columns.end()) {
      if (!expr.qualifier.empty()) {
        throw JetError(msg::UnknownColumn(QualifiedName(expr))
                           .WithHint(MisspeltColumnHint(expr.text, {source})),
                       expr.offset);
      }
      continue;
    }
    if (found != nullptr) throw JetError(jet_message::AmbiguousColumn(expr.text), expr.offset);
    found = source;
    column = &*match;
  }
  if (found == nullptr) return false;
  expr.binding = JetNameBinding::Column;
  expr.sourceAlias = found->boundAlias;
  expr.columnName = column->name;
  expr.type = column->type;
  return true;
}

void JetBinder::Call(JetExpr& expr, const Context& context) {
  expr.function = FindJetFunction(expr.text);
  const JetFunction* function = expr.function;
  const bool star = expr.args.size() == 1 && expr.args[0]->kind == JetExprKind::Star;
  if (function != nullptr) {
    const int count = static_cast<int>(expr.args.size());
    if (count < function->minArguments ||
        (function->maxArguments >= 0 && count > function->maxArguments) ||
        (star && !SameJetName(function->name, "Count"))) {
      throw JetError(jet_message::WrongArgumentCount(expr.text), expr.offset);
    }
    expr.aggregate = function->aggregate;
    if (expr.aggregate && !context.aggregatesAllowed) {
      throw JetError(jet_message::AggregateInWhere(expr.text), expr.offset);
    }
  }
  if (function == nullptr) throw JetError(jet_message::NotJetFunction(expr.text), expr.offset);
  if (!star) {
    for (JetExprPtr& arg : expr.args) Expr(*arg, context);
  }
  CallType(expr);
}

void JetBinder::CallType(JetExpr& expr) {
  const JetFunction& function = *expr.function;
  JetType type = function.result;
  const auto argumentType = [&](int i) {
    return i < static_cast<int>(expr.args.size()) && expr.args[0]->kind != JetExprKind::Star
               ? expr.args[static_cast<std::size_t>(i)]->type.type
               : JetType::Variant;
  };
  switch (function.rule) {
    case JetResultRule::Fixed:
      // Avg of currency is currency.
      if (function.aggregate && SameJetName(function.name, "Avg") &&
          argumentType(0) == JetType::Currency) {
        type = JetType::Currency;
      }
      break;
    case JetResultRule::SameAsArgument:
      type = argumentType(function.argument);
      // Sum of YESNO counts the True values (as negative numbers).
      if (function.aggregate && SameJetName(function.name, "Sum") && type == JetType::Boolean) {
        type = JetType::Long;
      }
      // Abs, Int, Fix, Round of a date give the library's number of days.
      if (!function.aggregate && type == JetType::DateTime) type = JetType::Double;
      break;
    case JetResultRule::CommonOfChoices: {
      const std::vector<JetType> choices = ChoiceTypes(expr);
      type = CommonType(choices);
      break;
    }
  }
  expr.type = TypeOnly(type);
  // A column's text size stays with Min, Max, First and Last.
  if (function.rule == JetResultRule::SameAsArgument && !expr.args.empty() &&
      expr.args[0]->type.type == type) {
    expr.type.size = expr.args[0]->type.size;
    expr.type.scale = expr.args[0]->type.scale;
  }
}

void JetBinder::Subquery(JetExpr& expr, const Context& context) {
  for (JetExprPtr& arg : expr.args) Expr(*arg, context);
  Query(*expr.query, context.scope);
  if (expr.kind == JetExprKind::Exists) {
    expr.type = TypeOnly(JetType::Boolean);
    return;
  }
  if (expr.query->columns.size() != 1) {
    throw JetError(jet_message::SubqueryColumnCount(), expr.offset);
  }
  expr.type = expr.kind == JetExprKind::Subquery ? TypeOnly(expr.query->columns[0].type.type)
                                                 : TypeOnly(JetType::Boolean);
}

}  // namespace tarnwick
