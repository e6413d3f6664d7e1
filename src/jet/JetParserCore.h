#pragma once
// The recursive-descent parser behind ParseJetStatement, one class whose parts live in
// JetParseExpression.cpp, JetParseQuery.cpp, JetParseStatement.cpp and
// JetParseDefinition.cpp. Where it cannot go on it reports the statement's clause and word
// there (JetSyntaxPlace.h follows the clause as the parser reads).
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "jet/JetLexer.h"
#include "jet/JetSyntax.h"
#include "jet/JetSyntaxPlace.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

class JetParser {
 public:
  explicit JetParser(std::string_view sql);

  syntax::StatementPtr Statement();
  bool MoreStatements() const;
  // The statement uses a form of the engine's own that only the engine reads (a table-valued
  // function in FROM): it goes to the engine unchanged.
  bool UsesEngineForm() const { return engineForm_; }

 private:
  using ExprPtr = syntax::ExprPtr;
  using Name = syntax::Name;

  // Tokens.
  const JetToken& Peek(std::size_t ahead = 0) const;
  bool AtEnd(std::size_t ahead = 0) const { return position_ + ahead >= end_; }
  std::size_t Offset() const;
  void Advance();
  bool PeekKeyword(JetKeyword keyword, std::size_t ahead = 0) const;
  bool AcceptKeyword(JetKeyword keyword);
  void ExpectKeyword(JetKeyword keyword);
  bool PeekPunct(std::string_view punct, std::size_t ahead = 0) const;
  bool AcceptPunct(std::string_view punct);
  void ExpectPunct(std::string_view punct);
  // A name: a word that is no reserved word, a [name] or a "name".
  bool PeekName(std::size_t ahead = 0) const;
  Name ExpectName();
  // A name as a dotted pair may write it (t.c); the last part.
  Name ExpectColumnName();
  int ExpectCount();  // an unsigned whole number, as in TEXT(50)
  // The statement's text from `start` up to the current token, blanks at its end left out.
  std::string TextFrom(std::size_t start) const;
  // The statement cannot be read on from the current token.
  [[noreturn]] void Fail() const;
  [[noreturn]] void Refuse(msg::Diagnostic diagnostic, std::size_t offset) const;

  // Expressions, lowest precedence first.
  struct BinaryOperator {
    JetKeyword keyword;      // a keyword (Or, Mod, ...), or None
    std::string_view punct;  // else its punctuation (+, &, ...)
    JetOp op;
  };
  ExprPtr Expression();
  // The next token is a literal or name that makes a whole expression.
  bool LoneOperand() const;
  ExprPtr BinaryLevel(ExprPtr (JetParser::*operand)(),
                      std::initializer_list<BinaryOperator> operators);
  ExprPtr Eqv();
  ExprPtr Xor();
  ExprPtr Or();
  ExprPtr And();
  ExprPtr NotLevel();
  ExprPtr Comparison();
  ExprPtr Concatenation();
  ExprPtr Additive();
  ExprPtr ModLevel();
  ExprPtr IntDivision();
  ExprPtr Multiplicative();
  ExprPtr UnaryLevel();
  ExprPtr Power();
  ExprPtr PowerOperand();
  ExprPtr Primary();
  ExprPtr Literal();
  ExprPtr NameOrCall();
  ExprPtr Call(std::string name, std::size_t offset);
  ExprPtr Parenthesized();
  ExprPtr Exists(std::size_t offset);
  // Any, Some or All and a subquery after a comparison operator; nullptr when none follows.
  ExprPtr Quantified(JetOp op, std::size_t offset, ExprPtr& left);
  // One comparison, Like, Between, In or Is after `left`, which it takes; nullptr (and `left`
  // untouched) when none follows.
  ExprPtr Predicate(ExprPtr& left);
  ExprPtr InPredicate(ExprPtr& left, std::size_t offset, bool negated);
  // A column as UPDATE's SET names it: c or t.c.
  std::unique_ptr<syntax::NameRef> ColumnReference();

  // Queries.
  bool PeekQuery() const;  // SELECT, or "(" before one
  std::unique_ptr<syntax::Query> Query();
  void QueryTerm(syntax::Query& query);
  void OrderBy(syntax::Query& query);
  syntax::Select SelectCore();
  void SelectQuantifiers(syntax::Select& select);
  void SelectItem(syntax::Select& select);
  syntax::Source SourceElement();
  syntax::Source SourcePrimary();
  void SourceAlias(syntax::Source& source);
  // Refuses a join that Jet does not write (JOIN alone, CROSS, FULL, NATURAL) at this token.
  void RefuseOtherJoin() const;
  // A table-valued function of the engine's: its arguments are passed over.
  void EngineTableFunction();

  // Statements.
  syntax::StatementPtr StatementForm();
  syntax::StatementPtr Insert();
  void InsertValues(syntax::InsertStatement& insert);
  syntax::StatementPtr Update();
  syntax::StatementPtr Delete();
  syntax::StatementPtr Transform();
  syntax::StatementPtr Parameters();
  syntax::StatementPtr Execute();
  // name type, ... as PARAMETERS and CREATE PROCEDURE declare them; the text as written.
  std::vector<syntax::ParameterDecl> ParameterList(std::string* written);

  // Definitions.
  syntax::StatementPtr Create();
  syntax::StatementPtr CreateTable();
  syntax::StatementPtr CreateIndex();
  syntax::StatementPtr CreateView();
  syntax::StatementPtr CreateProcedure();
  syntax::StatementPtr Drop();
  syntax::StatementPtr Alter();
  void AlterAction(syntax::TableStatement& alter);
  syntax::ColumnDef ColumnDefinition();
  // The type's words and size; refuses a type Jet does not know.
  syntax::TypeName ColumnType(const Name& column);
  void ColumnConstraint(syntax::ColumnDef& column);
  bool PeekTableConstraint() const;
  syntax::Constraint TableConstraint();
  // PRIMARY KEY, UNIQUE, REFERENCES ... or CHECK (...), after any CONSTRAINT name.
  void ConstraintBody(syntax::Constraint& constraint, bool ofColumn);
  std::vector<Name> NameList();  // ( a, b, ... )
  std::vector<syntax::ReferenceAction> ReferenceActions();
  ExprPtr DefaultValue();
  [[noreturn]] void RefuseOtherAutoNumber() const;
  void RefuseOtherAutoNumberHere() const;

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
  JetSyntaxPlace place_;
  bool engineForm_ = false;
};

// The token look-ups are asked of every token many times over: inline.

inline const JetToken& JetParser::Peek(std::size_t ahead) const {
  static constexpr JetToken kEnd{JetTokenKind::Whitespace, 0, {}, true};
  return position_ + ahead < end_ ? tokens_[position_ + ahead] : kEnd;
}

inline std::size_t JetParser::Offset() const {
  return position_ < end_ ? tokens_[position_].offset : sql_.size();
}

inline void JetParser::Advance() {
  if (position_ < end_) place_.Passed(tokens_[position_]);
  ++position_;
}

inline bool JetParser::PeekKeyword(JetKeyword keyword, std::size_t ahead) const {
  return position_ + ahead < end_ && IsKeyword(tokens_[position_ + ahead], keyword);
}

inline bool JetParser::AcceptKeyword(JetKeyword keyword) {
  if (!PeekKeyword(keyword)) return false;
  Advance();
  return true;
}

inline bool JetParser::PeekPunct(std::string_view punct, std::size_t ahead) const {
  return position_ + ahead < end_ && IsPunct(tokens_[position_ + ahead], punct);
}

inline bool JetParser::AcceptPunct(std::string_view punct) {
  if (!PeekPunct(punct)) return false;
  Advance();
  return true;
}

}  // namespace tarnwick
