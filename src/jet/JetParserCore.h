#pragma once
// The recursive-descent parser behind ParseJetStatement, one class whose parts live in
// JetParseExpression.cpp, JetParseQuery.cpp and JetParseStatement.cpp.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "jet/JetLexer.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

class JetParser {
 public:
  // Thrown inside the parser on a form of the engine's own that only the engine reads (a
  // table-valued function in FROM): the statement goes to the engine unchanged.
  struct EngineForm {};

  explicit JetParser(std::string_view sql);

  JetStatement Statement();
  bool MoreStatements() const;

 private:
  // Tokens.
  const JetToken& Peek(std::size_t ahead = 0) const;
  bool AtEnd(std::size_t ahead = 0) const { return position_ + ahead >= end_; }
  std::size_t Offset() const;
  void Advance() { ++position_; }
  bool PeekKeyword(std::string_view word, std::size_t ahead = 0) const;
  bool AcceptKeyword(std::string_view word);
  void ExpectKeyword(std::string_view word);
  bool PeekPunct(std::string_view punct, std::size_t ahead = 0) const;
  bool AcceptPunct(std::string_view punct);
  void ExpectPunct(std::string_view punct);
  // A name: a word that is no reserved word, a [name] or a "name".
  bool PeekName(std::size_t ahead = 0) const;
  std::string ExpectName();
  // A name as a dotted pair may write it (t.c); the last part.
  std::string ExpectColumnName();
  int ExpectCount();  // an unsigned whole number, as in TEXT(50)
  // The statement's text from `start` up to the current token, blanks at its end left out.
  std::string TextFrom(std::size_t start) const;
  [[noreturn]] void Fail() const;

  // Expressions, lowest precedence first.
  JetExprPtr Expression();
  JetExprPtr BinaryLevel(JetExprPtr (JetParser::*operand)(),
                         std::initializer_list<std::pair<std::string_view, JetOp>> operators);
  JetExprPtr Eqv();
  JetExprPtr Xor();
  JetExprPtr Or();
  JetExprPtr And();
  JetExprPtr NotLevel();
  JetExprPtr Comparison();
  JetExprPtr Concatenation();
  JetExprPtr Additive();
  JetExprPtr ModLevel();
  JetExprPtr IntDivision();
  JetExprPtr Multiplicative();
  JetExprPtr UnaryLevel();
  JetExprPtr Power();
  JetExprPtr PowerOperand();
  JetExprPtr Primary();
  JetExprPtr Literal();
  JetExprPtr NameOrCall();
  JetExprPtr Call(std::string name, std::size_t offset);
  JetExprPtr Parenthesized();
  // Any, Some or All and a subquery after a comparison operator; nullptr when none follows.
  JetExprPtr Quantified(JetOp op, std::size_t offset, JetExprPtr& left);
  // A column as UPDATE's SET names it: c or t.c.
  JetExprPtr ColumnReference();
  // One comparison, Like, Between, In or Is after `left`, which it takes; nullptr (and `left`
  // untouched) when none follows.
  JetExprPtr Predicate(JetExprPtr& left);

  // Queries.
  bool PeekQuery() const;  // SELECT, or "(" before one
  std::unique_ptr<JetQuery> Query();
  void QueryTerm(JetQuery& query);
  JetSelect SelectCore();
  void SelectQuantifiers(JetSelect& select);
  void SelectItem(JetSelect& select);
  JetSource SourceElement();
  JetSource SourcePrimary();
  void SourceAlias(JetSource& source);
  // Refuses a join that Jet does not write (JOIN alone, CROSS, FULL, NATURAL) at this token.
  void RefuseOtherJoin() const;

  // Statements.
  void StatementForm(JetStatement& statement);
  void Insert(JetStatement& statement);
  void Update(JetStatement& statement);
  void Delete(JetStatement& statement);
  void Create(JetStatement& statement);
  void CreateTable(JetStatement& statement);
  void CreateIndex(JetStatement& statement);
  void CreateView(JetStatement& statement);
  void CreateProcedure(JetStatement& statement);
  void Drop(JetStatement& statement);
  void Alter(JetStatement& statement);
  void Transform(JetStatement& statement);
  void Parameters(JetStatement& statement);
  void Execute(JetStatement& statement);
  // name type, ... up to `end` (AS, or the ';' after PARAMETERS)
  void ParameterList(JetStatement& statement);
  JetColumnDef ColumnDefinition();
  // The type's words and size; refuses a type Jet does not know.
  void ColumnType(JetColumnDef& column);
  void ColumnConstraint(JetColumnDef& column);
  bool PeekTableConstraint() const;
  JetTableConstraint TableConstraint();
  // PRIMARY KEY, UNIQUE, REFERENCES ... or CHECK (...), after any CONSTRAINT name.
  void ConstraintBody(JetTableConstraint& constraint, bool ofColumn);
  std::vector<std::string> NameList();  // ( a, b, ... )
  std::string ReferenceActions();       // [ON UPDATE action] [ON DELETE action]
  JetExprPtr DefaultValue();

  // Counts the levels of nesting being read, and refuses a statement nested deeper than any
  // person writes (which would otherwise run the program out of stack).
  // An operator chain (a Or b Or c ...) counts one level for each operator: the tree it makes
  // is that deep.
  class Nesting {
   public:
    explicit Nesting(JetParser& parser) : parser_(parser) { Deeper(); }
    ~Nesting() { parser_.depth_ -= levels_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    void Deeper();

   private:
    JetParser& parser_;
    int levels_ = 0;
  };

  std::string_view sql_;
  std::vector<JetToken> tokens_;  // without whitespace and comments
  int depth_ = 0;
  std::size_t position_ = 0;
  std::size_t end_ = 0;  // the first token after the statement's ';' or the text's end
};

// Reserved words: never a bare name, never an alias without AS.
bool IsJetReservedWord(std::string_view word);

}  // namespace tarnwick
