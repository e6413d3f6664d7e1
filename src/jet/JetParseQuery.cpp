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
  for (;;) {
    if (PeekKeyword("INTERSECT") || PeekKeyword("EXCEPT") || PeekKeyword("MINUS")) {
      throw JetError(jet_message::NotJetSql(Peek().text), Offset());
    }
    if (!AcceptKeyword("UNION")) break;
    query->unionAll.push_back(AcceptKeyword("ALL"));
    QueryTerm(*query);
  }
  if (AcceptKeyword("ORDER")) {
    ExpectKeyword("BY");
    do {
      JetOrderItem item;
      const std::size_t start = Offset();
      item.expr = Expression();
      item.written = TextFrom(start);
      if (!AcceptKeyword("ASC")) item.descending = AcceptKeyword("DESC");
      query->orderBy.push_back(std::move(item));
    } while (AcceptPunct(","));
  }
  if (PeekKeyword("LIMIT") || PeekKeyword("OFFSET") || PeekKeyword("FETCH")) {
    throw JetError(jet_message::NotJetSql(Peek().text), Offset());
  }
  return query;
}

// One member of a UNION: a SELECT, or a parenthesized query whose members join this one's.
void JetParser::QueryTerm(JetQuery& query) {
  if (!PeekPunct("(")) {
    query.parts.push_back(SelectCore());
    if (query.parts.size() > 1 && !query.parts.back().into.empty()) Fail();
    return;
  }
  Advance();
  const std::size_t offset = Offset();
  std::unique_ptr<JetQuery> inner = Query();
  if (!inner->orderBy.empty()) {
    // Sorting one member of a union has no meaning of its own.
    throw JetError(jet_message::SyntaxErrorNear("ORDER BY"), offset);
  }
  ExpectPunct(")");
  for (std::size_t i = 0; i < inner->parts.size(); ++i) {
    if (i > 0 || !query.parts.empty()) {
      if (!inner->parts[i].into.empty())
        throw JetError(jet_message::SyntaxErrorNear("INTO"), offset);
    }
    if (i > 0) query.unionAll.push_back(inner->unionAll[i - 1]);
    query.parts.push_back(std::move(inner->parts[i]));
  }
}

// [ALL | DISTINCT | DISTINCTROW] [TOP n [PERCENT]]
void JetParser::SelectQuantifiers(JetSelect& select) {
  if (AcceptKeyword("DISTINCT")) {
    select.distinct = true;
  } else if (AcceptKeyword("DISTINCTROW")) {
    select.distinctRow = true;
  } else {
    AcceptKeyword("ALL");
  }
  if (!PeekKeyword("TOP")) return;
  const std::size_t offset = Offset();
  Advance();
  if (Peek().kind != JetTokenKind::Number) throw JetError(jet_message::BadTop(), offset);
  select.top = std::make_unique<JetExpr>(JetExprKind::Number, Offset());
  select.top->text = std::string(Peek().text);
  Advance();
  select.topPercent = AcceptKeyword("PERCENT");
}

JetSelect JetParser::SelectCore() {
  JetSelect select;
  select.offset = Offset();
  ExpectKeyword("SELECT");
  SelectQuantifiers(select);
  do {
    SelectItem(select);
  } while (AcceptPunct(","));
  if (AcceptKeyword("INTO")) select.into = ExpectName();
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
    const std::size_t start = Offset();
    item.expr = Expression();
    item.written = TextFrom(start);
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

void JetParser::RefuseOtherJoin() const {
  for (std::string_view word : {"JOIN", "CROSS", "FULL", "NATURAL"}) {
    if (PeekKeyword(word)) throw JetError(jet_message::NotJetJoin(Peek().text), Offset());
  }
}

// A table, a derived table or a parenthesized join, followed by at most one INNER, LEFT or
// RIGHT join: Jet joins a third table only to a join in parentheses.
JetSource JetParser::SourceElement() {
  JetSource left = SourcePrimary();
  for (bool joined = false;; joined = true) {
    RefuseOtherJoin();
    const std::size_t offset = Offset();
    JetJoinKind kind;
    if (PeekKeyword("INNER")) {
      kind = JetJoinKind::Inner;
    } else if (PeekKeyword("LEFT")) {
      kind = JetJoinKind::Left;
    } else if (PeekKeyword("RIGHT")) {
      kind = JetJoinKind::Right;
    } else {
      return left;
    }
    if (joined) throw JetError(jet_message::JoinNeedsParentheses(Peek().text), offset);
    Advance();
    if (kind != JetJoinKind::Inner) AcceptKeyword("OUTER");
    ExpectKeyword("JOIN");
    JetSource join;
    join.kind = JetSource::Kind::Join;
    join.offset = offset;
    join.join = kind;
    join.left = std::make_unique<JetSource>(std::move(left));
    join.right = std::make_unique<JetSource>(SourcePrimary());
    RefuseOtherJoin();
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
