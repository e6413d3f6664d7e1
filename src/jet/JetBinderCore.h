#pragma once
// The binder behind BindJetStatement: expressions in JetBindExpression.cpp (operators in
// JetBindOperators.cpp, calls in JetBindCall.cpp), queries in JetBindQuery.cpp, the other
// statements in JetBindStatement.cpp and JetBindChange.cpp, the definitions in
// JetBindDefinition.cpp; Jet's checks of grouping and DISTINCT in JetBindChecks.cpp.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "jet/JetBound.h"
#include "jet/JetBoundStatement.h"
#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

// The table's column of that name; nullptr when it has none.
const JetSchemaColumn* FindColumn(const JetSchemaTable& table, std::string_view name);

// What a name of the syntax tree stands for, once bound; the checks of grouping and DISTINCT
// compare expressions by it.
struct JetNameResolution {
  enum class Kind : unsigned char { Column, Alias, Constant, Parameter } kind;
  std::string source;     // Column: the qualifier of its source (the alias, or the table's name)
  std::string column;     // Column: as the catalogue has it
  std::size_t index = 0;  // Alias: the select item; Parameter: its position
  bool truth = false;     // Constant
};

// left op right as Jet compares: dates by their time, texts without case.
bound::ExprPtr BoundComparison(JetOp op, bound::ExprPtr left, bound::ExprPtr right);
// The operands as Jet compares them: dates through their key; true where texts compare
// without regard to case.
bool ComparedOperands(std::vector<bound::ExprPtr>& operands);

class JetBinder {
 public:
  explicit JetBinder(JetSchema& catalogue) : catalogue_(catalogue) {}
  std::unique_ptr<bound::Statement> Statement(const syntax::Statement& statement);

 private:
  using ExprPtr = bound::ExprPtr;

  // A table or derived table whose columns an expression can name.
  struct InScope {
    const syntax::Source* source = nullptr;
    std::string qualifier;  // the alias, or the table's name
    std::string table;      // a table's name as the catalogue has it; empty for a derived one
    std::string written;    // a table's name as written
    std::vector<JetSchemaColumn> columns;
  };
  // A select item after * is spelt out: the expression, its AS name, its text as written.
  struct ItemRef {
    const syntax::Expr* expr;
    std::optional<std::string> alias;
    std::string written;
  };
  // The sources an expression can name; inner first.
  struct Scope {
    std::vector<const InScope*> sources;
    const Scope* outer = nullptr;
  };
  struct Context {
    const Scope* scope = nullptr;
    bool aggregatesAllowed = true;
    // ORDER BY of a single SELECT: its items, which a name or a position may stand for.
    const std::vector<ItemRef>* items = nullptr;
    const std::vector<bound::Item>* boundItems = nullptr;
    // WHERE and GROUP BY: the select list, whose aliases they cannot use.
    const std::vector<ItemRef>* aliasesOutOfReach = nullptr;
  };
  // The parameters the statement declares, bound, and their values.
  struct Parameter {
    const syntax::ParameterDecl* declared;
    JetTypeInfo type;
    ExprPtr value;  // converted to the parameter's type; nullptr: none given
  };

  // Queries.
  std::unique_ptr<bound::Query> Query(const syntax::Query& query, const Scope* outer);
  bound::Select Select(const syntax::Select& select, Scope& scope,
                       std::vector<bound::ResultColumn>& columns);
  // The items with * and t.* spelt out as one item for each column, in the sources' order.
  std::vector<ItemRef> ExpandStars(const syntax::Select& select, const Scope& scope);
  void Items(const std::vector<ItemRef>& items, const Scope& scope, bound::Select& bound,
             std::vector<bound::ResultColumn>& columns);
  // DISTINCTROW: the sources whose rows the result keeps apart.
  std::vector<std::string> DistinctRows(const syntax::Select& select) const;
  bound::Source Source(const syntax::Source& source, Scope& scope);
  void JoinConditions(bound::Source& bound, const syntax::Source& source, const Context& context);
  // One FROM element bound into `scope`, its join conditions too.
  bound::Source Sources(const syntax::Source& source, Scope& scope);
  void OrderBy(const syntax::Query& query, bound::Query& bound, Scope& firstScope);
  void CheckTop(const syntax::Select& select);
  const JetSchemaTable& Table(const std::string& name, std::size_t offset);
  const InScope& Keep(InScope source);

  // Expressions.
  ExprPtr Expr(const syntax::Expr& expr, const Context& context);
  ExprPtr Literal(const syntax::Expr& expr);
  ExprPtr Name(const syntax::NameRef& name, const Context& context);
  ExprPtr NameInScope(const syntax::NameRef& name, const Scope& scope);
  ExprPtr NameOfParameter(const syntax::NameRef& name);
  // A column's value as an expression reads it: a YESNO column as a truth value.
  static ExprPtr ReadColumn(JetTypeInfo type, std::string source, std::string name);
  [[noreturn]] void UnknownName(const syntax::NameRef& name, const Context& context);
  ExprPtr Unary(const syntax::UnaryExpr& expr, const Context& context);
  ExprPtr Binary(const syntax::BinaryExpr& expr, const Context& context);
  ExprPtr Operation(JetOp op, ExprPtr left, ExprPtr right);
  ExprPtr Predicate(const syntax::PredicateExpr& expr, const Context& context);
  ExprPtr Call(const syntax::CallExpr& expr, const Context& context);
  ExprPtr QueryValue(const syntax::QueryExpr& expr, const Context& context);

  // A value on its way into a column of that type: converted as Jet converts it, unless the
  // conversion would give it back unchanged; `column` names the column in the message.
  ExprPtr Stored(ExprPtr value, const syntax::Expr* written, const JetTypeInfo& type,
                 std::optional<std::string> column = std::nullopt);

  // Jet's checks: every column of a grouped query grouped or inside an aggregate; ORDER BY of
  // SELECT DISTINCT within its select list. `extra`: a crosstab's value, checked with the
  // select list.
  void CheckGrouping(const syntax::Select& select, const syntax::Query* query, const Scope& scope,
                     const syntax::Expr* extra = nullptr) const;
  void CheckDistinctOrder(const syntax::Query& query) const;
  bool SameExpr(const syntax::Expr& a, const syntax::Expr& b) const;
  bool IsAliasReference(const syntax::Expr& expr) const;

  // Statements: each form bound by its function, from the statement of its class.
  using Binding = std::unique_ptr<bound::Statement> (*)(JetBinder&, const syntax::Statement&);
  template <typename Form, std::unique_ptr<bound::Statement> (JetBinder::*Of)(const Form&)>
  static std::unique_ptr<bound::Statement> Bind(JetBinder& binder,
                                                const syntax::Statement& statement) {
    return (binder.*Of)(statement.As<Form>());
  }
  std::unique_ptr<bound::Statement> SelectStatement(const syntax::QueryStatement& select);
  std::unique_ptr<bound::Statement> DropView(const syntax::DropStatement& drop);
  std::unique_ptr<bound::Statement> Passthrough(const syntax::Statement& statement);
  void Parameters(const syntax::Statement& statement);
  static JetTypeInfo ParameterType(const syntax::ParameterDecl& declared);
  bool StoresUnchanged(const syntax::Expr* written, const JetTypeInfo& column) const;
  std::unique_ptr<bound::Statement> Insert(const syntax::InsertStatement& insert);
  std::unique_ptr<bound::Statement> Update(const syntax::UpdateStatement& update);
  std::unique_ptr<bound::Statement> Delete(const syntax::DeleteStatement& remove);
  std::unique_ptr<bound::Statement> SelectInto(const syntax::QueryStatement& statement);
  std::unique_ptr<bound::Statement> Crosstab(const syntax::CrosstabStatement& crosstab);
  std::unique_ptr<bound::Statement> CreateView(const syntax::CreateViewStatement& view);
  std::unique_ptr<bound::Statement> CreateProcedure(const syntax::CreateProcedureStatement& create);
  std::unique_ptr<bound::Statement> Execute(const syntax::ExecuteStatement& execute);
  std::unique_ptr<bound::Statement> DropProcedure(const syntax::DropStatement& drop);
  // The rows an INSERT ... SELECT or SELECT ... INTO copies, each converted for its column.
  std::vector<ExprPtr> CopiedRows(const bound::Query& query,
                                  const std::vector<std::string>& columns,
                                  const std::vector<JetTypeInfo>& types);
  // UPDATE's and DELETE's table or join: the source of that name in it; the table it changes.
  const syntax::Source* SourceNamed(const syntax::Source& source, std::string_view qualifier) const;
  const JetSchemaTable& Target(const syntax::Source& source);
  void Joined(bound::Change& change, bound::Source join, const syntax::Source& written,
              const syntax::Source& target);

  // Definitions.
  std::unique_ptr<bound::Statement> CreateTable(const syntax::TableStatement& create);
  std::unique_ptr<bound::Statement> AlterTable(const syntax::TableStatement& alter);
  std::unique_ptr<bound::Statement> CreateIndex(const syntax::CreateIndexStatement& create);
  std::unique_ptr<bound::Statement> DropIndex(const syntax::DropStatement& drop);
  std::unique_ptr<bound::Statement> DropTable(const syntax::DropStatement& drop);
  std::unique_ptr<bound::Statement> DropConstraint(const syntax::TableStatement& alter);
  // The columns and constraints of a table being made or changed; `table` gets them.
  void Definitions(const syntax::TableStatement& statement, JetSchemaTable& table,
                   bound::TableDefinition& bound);
  bound::ColumnDef ColumnDefinition(const syntax::ColumnDef& column);
  bound::Constraint Constraint(const syntax::Constraint& constraint, const JetSchemaTable& table,
                               const Scope& scope);
  // A foreign key refers to the primary key or a unique index of its table.
  void ForeignKey(bound::Constraint& constraint, const syntax::Constraint& written,
                  const JetSchemaTable& table);
  bound::Rebuild RebuildOf(const syntax::TableStatement& alter, const JetSchemaTable& table);
  std::string ColumnOf(const JetSchemaTable& table, const syntax::Name& name) const;

  JetSchema& catalogue_;
  int derivedTables_ = 0;
  std::vector<std::unique_ptr<InScope>> sources_;
  std::unordered_map<const syntax::Source*, const InScope*> inScope_;
  std::unordered_map<const syntax::Expr*, JetNameResolution> resolutions_;
  // Each SELECT's items with * spelt out, and the names made for them.
  std::unordered_map<const syntax::Select*, std::vector<ItemRef>> items_;
  std::vector<std::unique_ptr<syntax::NameRef>> spelt_;
  // The statement's declared parameters (PARAMETERS, a procedure's); a reference to one
  // without a value is Jet's missing-parameter error unless the statement is only being
  // stored (CREATE PROCEDURE).
  std::vector<Parameter> parameters_;
  bool storingOnly_ = false;
  // EXECUTE's values for the procedure's parameters, in order, converted to their types.
  std::vector<ExprPtr> argumentValues_;
  // CREATE PROCEDURE: the parameters it declares for its statement.
  const std::vector<syntax::ParameterDecl>* extraParameters_ = nullptr;
  // The SELECT of SELECT ... INTO; INTO elsewhere is refused.
  const syntax::Select* intoSelect_ = nullptr;
};

}  // namespace tarnwick
