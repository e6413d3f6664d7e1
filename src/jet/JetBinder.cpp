#include "jet/JetBinder.h"

#include <algorithm>
#include <iterator>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"

namespace tarnwick {

using msg::MessageId;
using syntax::StatementKind;

const JetSchemaColumn* FindColumn(const JetSchemaTable& table, std::string_view name) {
  const auto found =
      std::find_if(table.columns.begin(), table.columns.end(),
                   [&](const JetSchemaColumn& column) { return SameJetName(column.name, name); });
  return found == table.columns.end() ? nullptr : &*found;
}

std::string JetBinder::ColumnOf(const JetSchemaTable& table, const syntax::Name& name) const {
  const JetSchemaColumn* column = FindColumn(table, name.text);
  if (column == nullptr) {
    throw JetError(Refusal(MessageId::UnknownColumn, {name.text})
                       .WithHint(MisspeltColumnHint(name.text, table)),
                   name.offset);
  }
  return column->name;
}

const JetSchemaTable& JetBinder::Table(const std::string& name, std::size_t offset) {
  const JetSchemaTable* table = catalogue_.FindTable(name);
  if (table == nullptr) {
    throw JetError(
        Refusal(MessageId::UnknownTable, {name}).WithHint(MisspeltTableHint(name, catalogue_)),
        offset);
  }
  return *table;
}

const JetBinder::InScope& JetBinder::Keep(InScope source) {
  sources_.push_back(std::make_unique<InScope>(std::move(source)));
  return *sources_.back();
}

std::unique_ptr<bound::Statement> BindJetStatement(const syntax::Statement& statement,
                                                   JetSchema& catalogue) {
  return JetBinder(catalogue).Statement(statement);
}

std::unique_ptr<bound::Statement> JetBinder::SelectStatement(const syntax::QueryStatement& select) {
  auto result = std::make_unique<bound::QueryStatement>(StatementKind::Select);
  result->query = Query(*select.query, nullptr);
  return result;
}

std::unique_ptr<bound::Statement> JetBinder::DropView(const syntax::DropStatement& drop) {
  auto result = std::make_unique<bound::Drop>(StatementKind::DropView);
  result->name = drop.name.text;
  result->ifExists = drop.ifExists;
  return result;
}

std::unique_ptr<bound::Statement> JetBinder::Passthrough(const syntax::Statement&) {
  return std::make_unique<bound::Statement>(StatementKind::Passthrough);
}

std::unique_ptr<bound::Statement> JetBinder::Statement(const syntax::Statement& statement) {
  struct Form {
    StatementKind kind;
    Binding bind;
  };
  static constexpr Form kForms[] = {
      {StatementKind::Select, &Bind<syntax::QueryStatement, &JetBinder::SelectStatement>},
      {StatementKind::SelectInto, &Bind<syntax::QueryStatement, &JetBinder::SelectInto>},
      {StatementKind::Crosstab, &Bind<syntax::CrosstabStatement, &JetBinder::Crosstab>},
      {StatementKind::Insert, &Bind<syntax::InsertStatement, &JetBinder::Insert>},
      {StatementKind::Update, &Bind<syntax::UpdateStatement, &JetBinder::Update>},
      {StatementKind::Delete, &Bind<syntax::DeleteStatement, &JetBinder::Delete>},
      {StatementKind::CreateTable, &Bind<syntax::TableStatement, &JetBinder::CreateTable>},
      {StatementKind::AlterTableAdd, &Bind<syntax::TableStatement, &JetBinder::AlterTable>},
      {StatementKind::AlterTableDrop, &Bind<syntax::TableStatement, &JetBinder::AlterTable>},
      {StatementKind::AlterColumn, &Bind<syntax::TableStatement, &JetBinder::AlterTable>},
      {StatementKind::AddConstraint, &Bind<syntax::TableStatement, &JetBinder::AlterTable>},
      {StatementKind::DropConstraint, &Bind<syntax::TableStatement, &JetBinder::DropConstraint>},
      {StatementKind::DropTable, &Bind<syntax::DropStatement, &JetBinder::DropTable>},
      {StatementKind::CreateIndex, &Bind<syntax::CreateIndexStatement, &JetBinder::CreateIndex>},
      {StatementKind::DropIndex, &Bind<syntax::DropStatement, &JetBinder::DropIndex>},
      {StatementKind::CreateView, &Bind<syntax::CreateViewStatement, &JetBinder::CreateView>},
      {StatementKind::DropView, &Bind<syntax::DropStatement, &JetBinder::DropView>},
      {StatementKind::CreateProcedure,
       &Bind<syntax::CreateProcedureStatement, &JetBinder::CreateProcedure>},
      {StatementKind::DropProcedure, &Bind<syntax::DropStatement, &JetBinder::DropProcedure>},
      {StatementKind::Execute, &Bind<syntax::ExecuteStatement, &JetBinder::Execute>},
      {StatementKind::Passthrough, &Bind<syntax::Statement, &JetBinder::Passthrough>},
  };
  static_assert(std::size(kForms) == static_cast<std::size_t>(StatementKind::Passthrough) + 1);
  Parameters(statement);
  const Form& form = kForms[static_cast<std::size_t>(statement.kind)];
  std::unique_ptr<bound::Statement> result = form.bind(*this, statement);
  for (Parameter& parameter : parameters_) {
    if (parameter.value) result->parameterValues.push_back(std::move(parameter.value));
  }
  return result;
}

}  // namespace tarnwick
