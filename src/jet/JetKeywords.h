#pragma once
// Jet SQL's keywords, in one table: the lexer marks every word that is one, and the parser,
// its syntax-error guesses, the SQL pane's colours, the engine-failure messages and the table
// definitions all ask the table what a word is.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/messages/StatementMessages.h"

namespace tarnwick {

// Every keyword, in the table's order (JetKeywords.cpp). None: a word that is no keyword.
enum class JetKeyword : unsigned char {
  None,
  // The keywords a misspelt word may have meant, in the order a tie is decided, then the
  // other statement words.
  Select,
  From,
  Where,
  Group,
  Order,
  Having,
  Insert,
  Into,
  Values,
  Update,
  Set,
  Delete,
  Create,
  Table,
  Drop,
  Alter,
  Join,
  Inner,
  Left,
  Right,
  Union,
  Distinct,
  Between,
  Like,
  Transform,
  Parameters,
  Procedure,
  Execute,
  // The others, in alphabetical order.
  Action,
  Add,
  All,
  And,
  Any,
  As,
  Asc,
  AutoIncrement,
  AutoIncrementWithUnderscore,  // AUTO_INCREMENT
  Binary,
  Bit,
  Boolean,
  By,
  Byte,
  Cascade,
  Case,
  Char,
  Character,
  Check,
  Collate,
  Column,
  Commit,
  Constraint,
  Counter,
  Cross,
  Currency,
  Database,
  DateTime,
  Decimal,
  Default,
  Desc,
  Disallow,
  DistinctRow,
  Double,
  Else,
  End,
  Eqv,
  Except,
  Exec,
  Exists,
  False,
  Fetch,
  Float,
  Foreign,
  Full,
  Generated,
  Guid,
  Identity,
  If,
  Ignore,
  Imp,
  In,
  Index,
  Int,
  Integer,
  Intersect,
  Is,
  Key,
  Limit,
  Long,
  LongBinary,
  LongText,
  Memo,
  Minus,
  Mod,
  Money,
  Natural,
  No,
  Not,
  Null,
  Numeric,
  Offset,
  On,
  Option,
  Or,
  Outer,
  OwnerAccess,
  Percent,
  Pivot,
  Primary,
  Proc,
  Real,
  References,
  Replace,
  Restrict,
  Rollback,
  Serial,
  Short,
  Single,
  SmallInt,
  Some,
  Temp,
  Temporary,
  Text,
  Then,
  Top,
  Transaction,
  True,
  Unique,
  VarChar,
  View,
  When,
  With,
  Xor,
  YesNo,
};

// What a keyword is to the program's readers of SQL.
enum JetKeywordRole : std::uint32_t {
  kReserved = 1u << 0,            // never a bare name, never an alias without AS
  kColoured = 1u << 1,            // coloured as a keyword in the SQL pane
  kAlsoFunction = 1u << 2,        // followed by '(' it is a function (LEFT, RIGHT)
  kBeforeTableName = 1u << 3,     // a table's name follows, maybe with its columns in '('
  kStatementWord = 1u << 4,       // begins a statement Jet knows (for a misspelt first word)
  kMeantKeyword = 1u << 5,        // what a misspelt word in a statement most likely meant
  kOperatorWord = 1u << 6,        // joins or qualifies operands rather than naming anything
  kEndsList = 1u << 7,            // begins the clause after a list (FROM, WHERE, ...)
  kStartsItem = 1u << 8,          // an operand run or list item begins after it
  kChangesRows = 1u << 9,         // a statement it begins gives no rows (INSERT, DROP, ...)
  kTableConstraint = 1u << 10,    // begins a table's constraint rather than a column
  kEndsColumnType = 1u << 11,     // ends a column's type words: a column constraint begins
  kOtherAutoNumber = 1u << 12,    // another dialect's way of numbering rows (AUTO_INCREMENT)
  kBeginsExpressions = 1u << 13,  // expressions stand after it
  kBeginsNames = 1u << 14,        // names stand after it
};

struct JetKeywordEntry {
  JetKeyword keyword;
  std::string_view spelling;  // upper case
  std::uint32_t roles;
  // The clause of a query it begins (SELECT, FROM, JOIN, ON, WHERE, ...), as syntax errors
  // name it; Statement for none.
  msg::SqlClause clause = msg::SqlClause::Statement;
  // The statement a statement beginning with it is, as syntax errors name it (CREATE's is
  // decided by its second word); Statement for none.
  msg::SqlClause statement = msg::SqlClause::Statement;
};

// The keyword a word is, compared without regard to ASCII letter case; None for another word.
JetKeyword FindJetKeyword(std::string_view word);

const JetKeywordEntry& JetKeywordOf(JetKeyword keyword);

inline bool HasRole(JetKeyword keyword, JetKeywordRole role) {
  return keyword != JetKeyword::None && (JetKeywordOf(keyword).roles & role) != 0;
}

// The spellings of the keywords with the role, in the table's order.
std::vector<std::string> JetKeywordSpellings(JetKeywordRole role);

// Reserved words: never a bare name, never an alias without AS.
bool IsJetReservedWord(std::string_view word);

}  // namespace tarnwick
