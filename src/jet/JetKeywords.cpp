#include "jet/JetKeywords.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

using K = JetKeyword;
using C = msg::SqlClause;

// In the order of JetKeyword; the ordered roles (kStatementWord, kMeantKeyword) list their
// words in the order in which a tie between two of them is decided.
constexpr JetKeywordEntry kKeywords[] = {
    {K::None, "", 0},
    {K::Select, "SELECT",
     kReserved | kColoured | kStatementWord | kMeantKeyword | kStartsItem | kBeginsExpressions,
     C::Select, C::Select},
    {K::From, "FROM", kReserved | kColoured | kMeantKeyword | kEndsList | kBeginsNames, C::From},
    {K::Where, "WHERE",
     kReserved | kColoured | kMeantKeyword | kEndsList | kStartsItem | kBeginsExpressions,
     C::Where},
    {K::Group, "GROUP", kReserved | kColoured | kMeantKeyword, C::GroupBy},
    {K::Order, "ORDER", kReserved | kColoured | kMeantKeyword, C::OrderBy},
    {K::Having, "HAVING",
     kReserved | kColoured | kMeantKeyword | kEndsList | kStartsItem | kBeginsExpressions,
     C::Having},
    {K::Insert, "INSERT", kColoured | kStatementWord | kMeantKeyword | kChangesRows, C::Statement,
     C::InsertInto},
    {K::Into, "INTO",
     kReserved | kColoured | kBeforeTableName | kMeantKeyword | kEndsList | kBeginsNames},
    {K::Values, "VALUES",
     kReserved | kColoured | kMeantKeyword | kEndsList | kStartsItem | kBeginsExpressions},
    {K::Update, "UPDATE", kColoured | kStatementWord | kMeantKeyword | kChangesRows | kBeginsNames,
     C::Statement, C::Update},
    {K::Set, "SET",
     kReserved | kColoured | kMeantKeyword | kEndsList | kStartsItem | kBeginsExpressions},
    {K::Delete, "DELETE", kColoured | kStatementWord | kMeantKeyword | kChangesRows | kBeginsNames,
     C::Statement, C::Delete},
    {K::Create, "CREATE", kColoured | kStatementWord | kMeantKeyword | kChangesRows},
    {K::Table, "TABLE", kColoured | kBeforeTableName | kMeantKeyword | kBeginsNames},
    {K::Drop, "DROP", kColoured | kStatementWord | kMeantKeyword | kChangesRows, C::Statement,
     C::Drop},
    {K::Alter, "ALTER", kColoured | kStatementWord | kMeantKeyword | kChangesRows, C::Statement,
     C::AlterTable},
    {K::Join, "JOIN", kReserved | kColoured | kMeantKeyword | kBeginsNames, C::Join},
    {K::Inner, "INNER", kReserved | kColoured | kMeantKeyword},
    {K::Left, "LEFT", kReserved | kColoured | kAlsoFunction | kMeantKeyword},
    {K::Right, "RIGHT", kReserved | kColoured | kAlsoFunction | kMeantKeyword},
    {K::Union, "UNION", kReserved | kColoured | kMeantKeyword | kEndsList},
    {K::Distinct, "DISTINCT", kReserved | kColoured | kMeantKeyword | kStartsItem},
    {K::Between, "BETWEEN", kReserved | kColoured | kMeantKeyword | kOperatorWord},
    {K::Like, "LIKE", kReserved | kColoured | kMeantKeyword | kOperatorWord},
    {K::Transform, "TRANSFORM", kReserved | kColoured | kStatementWord, C::Statement, C::Transform},
    {K::Parameters, "PARAMETERS", kColoured | kStatementWord, C::Statement, C::Parameters},
    {K::Procedure, "PROCEDURE", kColoured | kBeforeTableName | kStatementWord, C::Statement,
     C::Procedure},
    {K::Execute, "EXECUTE", kStatementWord, C::Statement, C::Procedure},
    {K::Action, "ACTION", 0},
    {K::Add, "ADD", kColoured},
    {K::All, "ALL", kReserved | kColoured | kOperatorWord},
    {K::And, "AND", kReserved | kColoured | kOperatorWord | kStartsItem},
    {K::Any, "ANY", kColoured},
    {K::As, "AS", kReserved | kColoured | kOperatorWord},
    {K::Asc, "ASC", kReserved | kColoured | kOperatorWord},
    {K::AutoIncrement, "AUTOINCREMENT", kColoured | kOtherAutoNumber},
    {K::AutoIncrementWithUnderscore, "AUTO_INCREMENT", kOtherAutoNumber},
    {K::Binary, "BINARY", kColoured},
    {K::Bit, "BIT", kColoured},
    {K::Boolean, "BOOLEAN", kColoured},
    {K::By, "BY", kReserved | kColoured | kOperatorWord | kStartsItem | kBeginsExpressions},
    {K::Byte, "BYTE", kColoured},
    {K::Cascade, "CASCADE", 0},
    {K::Case, "CASE", kReserved},
    {K::Char, "CHAR", kColoured},
    {K::Character, "CHARACTER", kColoured},
    {K::Check, "CHECK", kColoured | kTableConstraint | kEndsColumnType},
    {K::Collate, "COLLATE", kEndsColumnType},
    {K::Column, "COLUMN", kColoured},
    {K::Commit, "COMMIT", kColoured},
    {K::Constraint, "CONSTRAINT", kColoured | kTableConstraint | kEndsColumnType, C::Constraint},
    {K::Counter, "COUNTER", kColoured},
    {K::Cross, "CROSS", kReserved},
    {K::Currency, "CURRENCY", kColoured},
    {K::Database, "DATABASE", kColoured},
    {K::DateTime, "DATETIME", kColoured},
    {K::Decimal, "DECIMAL", kColoured},
    {K::Default, "DEFAULT", kColoured | kEndsColumnType},
    {K::Desc, "DESC", kReserved | kColoured | kOperatorWord},
    {K::Disallow, "DISALLOW", kColoured},
    {K::DistinctRow, "DISTINCTROW", kReserved | kColoured | kStartsItem},
    {K::Double, "DOUBLE", kColoured},
    {K::Else, "ELSE", kReserved},
    {K::End, "END", kReserved},
    {K::Eqv, "EQV", kReserved | kColoured | kOperatorWord},
    {K::Except, "EXCEPT", kReserved},
    {K::Exec, "EXEC", 0, C::Statement, C::Procedure},
    {K::Exists, "EXISTS", kReserved | kColoured | kOperatorWord},
    {K::False, "FALSE", kColoured},
    {K::Fetch, "FETCH", 0},
    {K::Float, "FLOAT", kColoured},
    {K::Foreign, "FOREIGN", kColoured | kTableConstraint},
    {K::Full, "FULL", kReserved},
    {K::Generated, "GENERATED", kOtherAutoNumber},
    {K::Guid, "GUID", kColoured},
    {K::Identity, "IDENTITY", kOtherAutoNumber},
    {K::If, "IF", 0},
    {K::Ignore, "IGNORE", kColoured},
    {K::Imp, "IMP", kReserved | kColoured | kOperatorWord},
    {K::In, "IN", kReserved | kColoured | kOperatorWord},
    {K::Index, "INDEX", kColoured},
    {K::Int, "INT", kColoured},
    {K::Integer, "INTEGER", kColoured},
    {K::Intersect, "INTERSECT", kReserved},
    {K::Is, "IS", kReserved | kColoured | kOperatorWord},
    {K::Key, "KEY", kColoured},
    {K::Limit, "LIMIT", kReserved},
    {K::Long, "LONG", kColoured},
    {K::LongBinary, "LONGBINARY", kColoured},
    {K::LongText, "LONGTEXT", kColoured},
    {K::Memo, "MEMO", kColoured},
    {K::Minus, "MINUS", 0},
    {K::Mod, "MOD", kReserved | kColoured | kOperatorWord},
    {K::Money, "MONEY", kColoured},
    {K::Natural, "NATURAL", 0},
    {K::No, "NO", 0},
    {K::Not, "NOT", kReserved | kColoured | kOperatorWord | kStartsItem | kEndsColumnType},
    {K::Null, "NULL", kReserved | kColoured | kOperatorWord | kEndsColumnType},
    {K::Numeric, "NUMERIC", kColoured},
    {K::Offset, "OFFSET", kReserved},
    {K::On, "ON",
     kReserved | kColoured | kBeforeTableName | kOperatorWord | kStartsItem | kBeginsExpressions,
     C::Join},
    {K::Option, "OPTION", kColoured},
    {K::Or, "OR", kReserved | kColoured | kOperatorWord | kStartsItem},
    {K::Outer, "OUTER", kReserved | kColoured},
    {K::OwnerAccess, "OWNERACCESS", kColoured},
    {K::Percent, "PERCENT", kColoured},
    {K::Pivot, "PIVOT", kReserved | kColoured},
    {K::Primary, "PRIMARY", kColoured | kTableConstraint | kEndsColumnType},
    {K::Proc, "PROC", 0},
    {K::Real, "REAL", kColoured},
    {K::References, "REFERENCES", kColoured | kBeforeTableName | kEndsColumnType},
    {K::Replace, "REPLACE", 0},
    {K::Restrict, "RESTRICT", 0},
    {K::Rollback, "ROLLBACK", kColoured},
    {K::Serial, "SERIAL", kOtherAutoNumber},
    {K::Short, "SHORT", kColoured},
    {K::Single, "SINGLE", kColoured},
    {K::SmallInt, "SMALLINT", kColoured},
    {K::Some, "SOME", kColoured},
    {K::Temp, "TEMP", 0},
    {K::Temporary, "TEMPORARY", 0},
    {K::Text, "TEXT", kColoured},
    {K::Then, "THEN", kReserved},
    {K::Top, "TOP", kReserved | kColoured},
    {K::Transaction, "TRANSACTION", kColoured},
    {K::True, "TRUE", kColoured},
    {K::Unique, "UNIQUE", kColoured | kTableConstraint | kEndsColumnType},
    {K::VarChar, "VARCHAR", kColoured},
    {K::View, "VIEW", kColoured | kBeforeTableName},
    {K::When, "WHEN", kReserved},
    {K::With, "WITH", kColoured},
    {K::Xor, "XOR", kReserved | kOperatorWord},
    {K::YesNo, "YESNO", kColoured},
};

constexpr bool InKeywordOrder() {
  for (std::size_t i = 0; i < std::size(kKeywords); ++i) {
    if (static_cast<std::size_t>(kKeywords[i].keyword) != i) return false;
  }
  return true;
}
static_assert(InKeywordOrder(), "kKeywords lists the keywords in the order of JetKeyword");

// The look-up below relies on it: spellings in upper case, each beginning with a letter.
constexpr bool SpelledInUpperCase() {
  for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
    const std::string_view spelling = kKeywords[i].spelling;
    if (spelling.empty() || spelling[0] < 'A' || spelling[0] > 'Z') return false;
    for (char c : spelling) {
      if (c >= 'a' && c <= 'z') return false;
    }
  }
  return true;
}
static_assert(SpelledInUpperCase(), "keywords are spelt in upper case from a letter on");

constexpr std::size_t kLongestKeyword = [] {
  std::size_t longest = 0;
  for (const JetKeywordEntry& entry : kKeywords) longest = std::max(longest, entry.spelling.size());
  return longest;
}();

// The keywords by initial letter and length, for the lexer's look-up of every word: a word
// is compared with the one or two keywords of its letter and length at most.
struct SpellingIndex {
  static constexpr std::size_t kBuckets = 26 * (kLongestKeyword + 1);
  static std::size_t BucketOf(char initial, std::size_t length) {
    return static_cast<std::size_t>(initial - 'A') * (kLongestKeyword + 1) + length;
  }
  std::array<const JetKeywordEntry*, std::size(kKeywords) - 1> entries{};
  std::array<std::size_t, kBuckets + 1> start{};  // bucket b: entries [start[b], start[b + 1])
};

const SpellingIndex& BySpelling() {
  static const SpellingIndex index = [] {
    SpellingIndex built;
    std::array<std::size_t, SpellingIndex::kBuckets> counts{};
    for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
      ++counts[SpellingIndex::BucketOf(kKeywords[i].spelling[0], kKeywords[i].spelling.size())];
    }
    for (std::size_t b = 0; b < counts.size(); ++b) built.start[b + 1] = built.start[b] + counts[b];
    std::array<std::size_t, SpellingIndex::kBuckets> filled{};
    for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
      const std::size_t b =
          SpellingIndex::BucketOf(kKeywords[i].spelling[0], kKeywords[i].spelling.size());
      built.entries[built.start[b] + filled[b]++] = &kKeywords[i];
    }
    return built;
  }();
  return index;
}

bool SpelledAs(std::string_view word, std::string_view spelling) {
  for (std::size_t i = 1; i < word.size(); ++i) {
    if (UpperAscii(word[i]) != spelling[i]) return false;
  }
  return true;
}

}  // namespace

JetKeyword FindJetKeyword(std::string_view word) {
  if (word.empty() || word.size() > kLongestKeyword) return JetKeyword::None;
  const char initial = UpperAscii(word[0]);
  if (initial < 'A' || initial > 'Z') return JetKeyword::None;
  const SpellingIndex& index = BySpelling();
  const std::size_t bucket = SpellingIndex::BucketOf(initial, word.size());
  for (std::size_t i = index.start[bucket]; i < index.start[bucket + 1]; ++i) {
    if (SpelledAs(word, index.entries[i]->spelling)) return index.entries[i]->keyword;
  }
  return JetKeyword::None;
}

const JetKeywordEntry& JetKeywordOf(JetKeyword keyword) {
  return kKeywords[static_cast<std::size_t>(keyword)];
}

std::vector<std::string> JetKeywordSpellings(JetKeywordRole role) {
  std::vector<std::string> spellings;
  for (const JetKeywordEntry& entry : kKeywords) {
    if ((entry.roles & role) != 0) spellings.emplace_back(entry.spelling);
  }
  return spellings;
}

bool IsJetReservedWord(std::string_view word) { return HasRole(FindJetKeyword(word), kReserved); }

}  // namespace tarnwick
