#pragma once
// The parser's syntax tree written out for tests: an expression as a prefix tree, a statement
// as its kind with what its own class holds.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetParser.h"
#include "jet/JetSyntaxWalk.h"

namespace tarnwick::test {

// An expression as a prefix tree: (op a b), f(a b), 'text', #date#.
inline std::string Tree(const syntax::Expr& expr) {
  std::string args;
  for (const syntax::Expr* operand : OperandsOf(expr)) args += " " + Tree(*operand);
  const auto negation = [&] { return expr.As<syntax::PredicateExpr>().negated ? "Not" : ""; };
  switch (expr.kind) {
    case syntax::ExprKind::Text:
      return "'" + expr.As<syntax::ValueLiteral>().value + "'";
    case syntax::ExprKind::Date:
      return "#" + expr.As<syntax::ValueLiteral>().value + "#";
    case syntax::ExprKind::Null:
      return "Null";
    case syntax::ExprKind::Parameter:
      return "?";
    case syntax::ExprKind::Name: {
      const auto& name = expr.As<syntax::NameRef>();
      return name.qualifier.empty() ? name.name : name.qualifier + "." + name.name;
    }
    case syntax::ExprKind::Star: {
      const std::string& qualifier = expr.As<syntax::StarRef>().qualifier;
      return qualifier.empty() ? "*" : qualifier + ".*";
    }
    case syntax::ExprKind::Unary:
      return "(" + std::string(JetOperatorText(expr.As<syntax::UnaryExpr>().op)) + args + ")";
    case syntax::ExprKind::Binary:
      return "(" + std::string(JetOperatorText(expr.As<syntax::BinaryExpr>().op)) + args + ")";
    case syntax::ExprKind::Like:
      return "(" + std::string(negation()) + "Like" + args + ")";
    case syntax::ExprKind::Between:
      return "(" + std::string(negation()) + "Between" + args + ")";
    case syntax::ExprKind::InList:
    case syntax::ExprKind::InQuery:
      return "(" + std::string(negation()) + "In" + args +
             (expr.kind == syntax::ExprKind::InQuery ? " (SELECT)" : "") + ")";
    case syntax::ExprKind::IsNull:
      return "(Is" + std::string(negation()) + "Null" + args + ")";
    case syntax::ExprKind::Call: {
      const auto& call = expr.As<syntax::CallExpr>();
      if (call.star) args = " *";
      return call.name + "(" + (args.empty() ? "" : args.substr(1)) + ")";
    }
    case syntax::ExprKind::Subquery:
      return "(SELECT)";
    case syntax::ExprKind::Exists:
      return "(Exists (SELECT))";
    case syntax::ExprKind::Quantified: {
      const auto& quantified = expr.As<syntax::QueryExpr>();
      return "(" + std::string(JetOperatorText(quantified.op)) + (quantified.all ? "All" : "Any") +
             args + " (SELECT))";
    }
    default:
      return TermText(expr);
  }
}

inline std::string TreeOf(std::string_view expression) {
  const JetParse parse = ParseJetStatement("SELECT " + std::string(expression));
  return Tree(*parse.statement->As<syntax::QueryStatement>().query->parts[0].items[0].expr);
}

inline std::string TypeText(const syntax::TypeName& type) {
  std::string text(JetTypeWordText(type.word));
  if (type.size) {
    text += "(" + std::to_string(*type.size);
    if (type.scale) text += "," + std::to_string(*type.scale);
    text += ")";
  }
  return text;
}

inline std::string Parameters(const std::vector<syntax::ParameterDecl>& parameters) {
  std::string summary;
  for (const syntax::ParameterDecl& parameter : parameters) {
    summary += " (" + parameter.name.text + " " + TypeText(parameter.type) + ")";
  }
  return summary;
}

inline std::string Columns(const syntax::TableStatement& table) {
  std::string summary;
  for (const syntax::ColumnDef& column : table.columns) {
    summary += " [" + column.name.text + " " + std::string(JetTypeWordText(column.type.word));
    if (column.type.size) summary += "(" + std::to_string(*column.type.size) + ")";
    for (const syntax::Constraint& constraint : column.constraints) {
      summary += constraint.kind == syntax::Constraint::Kind::PrimaryKey ? " key" : " constraint";
    }
    if (column.notNull) summary += " notnull";
    summary += "]";
  }
  summary += std::string(table.constraints.size(), '+');
  if (!table.dropName.text.empty()) summary += " drop=" + table.dropName.text;
  return summary;
}

inline std::string Parts(const std::unique_ptr<syntax::Query>& query) {
  return query ? " parts=" + std::to_string(query->parts.size()) : "";
}

inline std::string Count(std::string_view what, std::size_t count) {
  return count == 0 ? "" : " " + std::string(what) + "=" + std::to_string(count);
}

// What the statement's own class holds: its names, parts and counts.
inline std::string Details(const syntax::Statement& statement);

inline std::string Summary(const syntax::Statement& statement) {
  static constexpr std::string_view kKinds[] = {
      "Select",        "SelectInto",     "Crosstab",        "Insert",        "Update",
      "Delete",        "CreateTable",    "AlterAdd",        "AlterDrop",     "AlterColumn",
      "AddConstraint", "DropConstraint", "DropTable",       "CreateIndex",   "DropIndex",
      "CreateView",    "DropView",       "CreateProcedure", "DropProcedure", "Execute",
      "Passthrough"};
  return std::string(kKinds[static_cast<int>(statement.kind)]) + Details(statement) +
         Parameters(statement.parameters);
}

inline std::string Details(const syntax::Statement& statement) {
  using Kind = syntax::StatementKind;
  switch (statement.kind) {
    case Kind::Select:
    case Kind::SelectInto:
      return Parts(statement.As<syntax::QueryStatement>().query);
    case Kind::Crosstab:
      return Parts(statement.As<syntax::CrosstabStatement>().query);
    case Kind::Insert: {
      const auto& insert = statement.As<syntax::InsertStatement>();
      return " " + insert.table.text + Parts(insert.query) + Count("values", insert.values.size()) +
             Count("columns", insert.columns.size());
    }
    case Kind::Update: {
      const auto& update = statement.As<syntax::UpdateStatement>();
      const syntax::NameRef& column = *update.assignments.back().column;
      return " set=" + (column.qualifier.empty() ? "" : column.qualifier + ".") + column.name +
             (update.source.kind == syntax::Source::Kind::Join ? " join" : "");
    }
    case Kind::Delete: {
      const auto& remove = statement.As<syntax::DeleteStatement>();
      return std::string(remove.source.kind == syntax::Source::Kind::Join ? " join" : "") +
             (remove.table ? " of=" + remove.table->text : "");
    }
    case Kind::CreateTable:
    case Kind::AlterTableAdd:
    case Kind::AlterTableDrop:
    case Kind::AlterColumn:
    case Kind::AddConstraint:
    case Kind::DropConstraint: {
      const auto& table = statement.As<syntax::TableStatement>();
      return " " + table.table.text + Columns(table);
    }
    case Kind::CreateIndex: {
      const auto& index = statement.As<syntax::CreateIndexStatement>();
      std::string summary = " " + index.index.text + " on " + index.table.text;
      if (index.option != syntax::CreateIndexStatement::Option::None) summary += " with";
      for (const auto& column : index.columns) {
        summary += " " + column.name.text + (column.descending ? " desc" : "");
      }
      return summary;
    }
    case Kind::DropTable:
    case Kind::DropIndex:
    case Kind::DropView:
    case Kind::DropProcedure: {
      const auto& drop = statement.As<syntax::DropStatement>();
      return " " + drop.name.text + (drop.table ? " on " + drop.table->text : "");
    }
    case Kind::CreateView: {
      const auto& view = statement.As<syntax::CreateViewStatement>();
      return " " + view.name.text + Parts(view.query) + Count("columns", view.columns.size());
    }
    case Kind::CreateProcedure: {
      const auto& procedure = statement.As<syntax::CreateProcedureStatement>();
      return " " + procedure.name.text + Parameters(procedure.declared) + " {" +
             Summary(*procedure.body) + "}";
    }
    case Kind::Execute: {
      const auto& execute = statement.As<syntax::ExecuteStatement>();
      return " " + execute.procedure.text + Count("args", execute.arguments.size());
    }
    case Kind::Passthrough:
      break;
  }
  return {};
}

}  // namespace tarnwick::test
