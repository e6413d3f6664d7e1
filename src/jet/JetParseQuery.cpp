// SELECT, UNION, ORDER BY and the FROM clause with Jet's joins.
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"

namespace tarnwick {

bool JetParser::PeekQuery() const {
  std::size_t ahead = 0;
  while (PeekPunct("(", ahead)) ++ahead;
  return PeekKeyword("SELECT", ahead);
}

std::unique_ptr<JetQuery> JetParser::Query() {
  const Nesting nesting(*this);
  auto query = std::make_unique<JetQuery>();
  QueryTerm(*query);
  while (AcceptKeyword("UNION")) {
    query->unionAll.push_back(AcceptKeyword("ALL"));
    QueryTerm(*query);
  }
  if (AcceptKeyword("ORDER")) {
    ExpectKeyword("BY");
    do {
      JetOrderItem item;
      item.expr = Expression();
      if (!AcceptKeyword("ASC")) item.descending = AcceptKeyword("DESC");
      query->orderBy.push_back(std::move(item));
    } while (AcceptPunct(","));
  }
  if (AcceptKeyword("LIMIT")) {
    query->limit = Expression();
    if (AcceptKeyword("OFFSET")) query->offset = Expression();
  }
  return query;
}

// One member of a UNION: a SELECT, or a parenthesized query whose members join this one's.
void JetParser::QueryTerm(JetQuery& query) {
  if (!PeekPunct("(")) {
    query.parts.push_back(SelectCore());
    return;
  }
  Advance();
  const std::size_t offset = Offset();
  std::unique_ptr<JetQuery> inner = Query();
  if (!inner->orderBy.empty() || inner->limit) {
    // Sorting one member of a union has no meaning of its own.
    throw JetError(jet_message::SyntaxErrorNear("ORDER BY"), offset);
  }
  ExpectPunct(")");
  for (std::size_t i = 0; i < inner->parts.size(); ++i) {
    if (i > 0) query.unionAll.push_back(inner->unionAll[i - 1]);
    query.parts.push_back(std::move(inner->parts[i]));
  }
}

JetSelect JetParser::SelectCore() {
  JetSelect select;
  select.offset = Offset();
  ExpectKeyword("SELECT");
  if (!AcceptKeyword("DISTINCT"))
    AcceptKeyword("ALL");
  else
    select.distinct = true;
  do {
    SelectItem(select);
  } while (AcceptPunct(","));
  if (AcceptKeyword("FROM")) {
    do {
      select.from.push_back(SourceElement());
    } while (AcceptPunct(","));
  }
  if (AcceptKeyword("WHERE")) select.where = Expression();
  if (AcceptKeyword("GROUP")) {
    ExpectKeyword("BY");
    do {
      select.groupBy.push_back(Expression());
    } while (AcceptPunct(","));
  }
  if (AcceptKeyword("HAVING")) select.having = Expression();
  return select;
}

void JetParser::SelectItem(JetSelect& select) {
  JetSelectItem item;
  if (PeekPunct("*")) {
    item.expr = std::make_unique<JetExpr>(JetExprKind::Star, Offset());
    Advance();
  } else {
    item.expr = Expression();
  }
  if (AcceptKeyword("AS")) {
    if (IsTextToken(Peek()) && Peek().terminated) {
      item.alias = JetNameValue(Peek());
      Advance();
    } else {
      item.alias = ExpectName();
    }
  }
  select.items.push_back(std::move(item));
}

// A table, a derived table or a parenthesized join, followed by INNER, LEFT or RIGHT joins.
JetSource JetParser::SourceElement() {
  JetSource left = SourcePrimary();
  for (;;) {
    const std::size_t offset = Offset();
    JetJoinKind kind;
    if (AcceptKeyword("INNER")) {
      kind = JetJoinKind::Inner;
    } else if (AcceptKeyword("LEFT")) {
      AcceptKeyword("OUTER");
      kind = JetJoinKind::Left;
    } else if (AcceptKeyword("RIGHT")) {
      AcceptKeyword("OUTER");
      kind = JetJoinKind::Right;
    } else {
      return left;
    }
    ExpectKeyword("JOIN");
    JetSource join;
    join.kind = JetSource::Kind::Join;
    join.offset = offset;
    join.join = kind;
    join.left = std::make_unique<JetSource>(std::move(left));
    join.right = std::make_unique<JetSource>(SourcePrimary());
    ExpectKeyword("ON");
    join.on = Expression();
    left = std::move(join);
  }
}

JetSource JetParser::SourcePrimary() {
  const Nesting nesting(*this);
  JetSource source;
  source.offset = Offset();
  if (AcceptPunct("(")) {
    if (!PeekQuery()) {
      JetSource inner = SourceElement();
      ExpectPunct(")");
      return inner;
    }
    source.kind = JetSource::Kind::Derived;
    source.derived = Query();
    ExpectPunct(")");
  } else {
    source.name = ExpectName();
    if (PeekPunct("(")) throw EngineForm{};  // pragma_table_info('t') and the like
  }
  SourceAlias(source);
  return source;
}

void JetParser::SourceAlias(JetSource& source) {
  if (AcceptKeyword("AS") || PeekName()) source.alias = ExpectName();
}

}  // namespace tarnwick
