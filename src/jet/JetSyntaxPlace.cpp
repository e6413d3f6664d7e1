#include "jet/JetSyntaxPlace.h"

namespace tarnwick {

namespace {

using msg::SqlClause;

// The clause of a statement as a whole, from its first words.
SqlClause StatementClause(std::span<const JetToken> tokens) {
  if (tokens.empty()) return SqlClause::Statement;
  if (IsPunct(tokens[0], "(")) return SqlClause::Select;
  if (!IsKeyword(tokens[0], JetKeyword::Create)) return JetKeywordOf(tokens[0].keyword).statement;
  const JetKeyword second = tokens.size() > 1 ? tokens[1].keyword : JetKeyword::None;
  if (second == JetKeyword::Table) return SqlClause::CreateTable;
  if (second == JetKeyword::View) return SqlClause::CreateView;
  if (second == JetKeyword::Index || second == JetKeyword::Unique) return SqlClause::CreateIndex;
  return SqlClause::Statement;
}

}  // namespace

void JetSyntaxPlace::Begin(std::span<const JetToken> statement) {
  statement_ = StatementClause(statement);
  levels_.assign(1, {statement_, false});
}

void JetSyntaxPlace::Passed(const JetToken& token) {
  if (token.kind != JetTokenKind::Punct && token.keyword == JetKeyword::None) return;
  if (IsPunct(token, "(")) {
    // The column list of CREATE TABLE, and of ALTER TABLE ... ADD.
    const bool outermost = levels_.size() == 1;
    const bool definitions = (statement_ == SqlClause::CreateTable && outermost) ||
                             levels_.back().clause == SqlClause::FieldDefinition;
    const Level inner{definitions && outermost ? SqlClause::FieldDefinition : levels_.back().clause,
                      levels_.back().expressions};
    levels_.push_back(inner);
    return;
  }
  if (IsPunct(token, ")")) {
    if (levels_.size() > 1) levels_.pop_back();
    return;
  }
  const JetKeyword keyword = token.keyword;
  if (HasRole(keyword, kBeginsExpressions)) levels_.back().expressions = true;
  if (HasRole(keyword, kBeginsNames)) levels_.back().expressions = false;
  const SqlClause clause = JetKeywordOf(keyword).clause;
  if (keyword != JetKeyword::None && clause != SqlClause::Statement) {
    levels_.back().clause = clause;
  } else if (keyword == JetKeyword::Add && statement_ == SqlClause::AlterTable) {
    levels_.back().clause = SqlClause::FieldDefinition;
  } else if (keyword == JetKeyword::Values && statement_ == SqlClause::InsertInto) {
    levels_.back().clause = SqlClause::InsertInto;
  } else if (keyword == JetKeyword::Set && statement_ == SqlClause::Update) {
    levels_.back().clause = SqlClause::Update;
  }
}

}  // namespace tarnwick
