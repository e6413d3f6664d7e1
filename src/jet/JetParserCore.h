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
  JetExprPtr CaseExpression();
  JetExprPtr Parenthesized();
  // One comparison, Like, Between, In or Is after `left`, which it takes; nullptr (and `left`
  // untouched) when none follows.
  JetExprPtr Predicate(JetExprPtr& left);

  // Queries.
  bool PeekQuery() const;  // SELECT, or "(" before one
  std::unique_ptr<JetQuery> Query();
  void QueryTerm(JetQuery& query);
  JetSelect SelectCore();
  void SelectItem(JetSelect& select);
  JetSource SourceElement();
  JetSource SourcePrimary();
  void SourceAlias(JetSource& source);

  // Statements.
  void StatementForm(JetStatement& statement);
  void Insert(JetStatement& statement);
  void Update(JetStatement& statement);
  void Delete(JetStatement& statement);
  void Create(JetStatement& statement);
  void CreateTable(JetStatement& statement);
  void CreateIndex(JetStatement& statement);
  void CreateView(JetStatement& statement);
  void Drop(JetStatement& statement);
  void Alter(JetStatement& statement);
  JetColumnDef ColumnDefinition();
  void ColumnConstraint(JetColumnDef& column);
  bool PeekTableConstraint() const;
  JetTableConstraint TableConstraint();
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
