// SELECT, UNION, ORDER BY and the FROM clause with Jet's joins.
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;

msg::Diagnostic NotJetSql(std::string_view word) {
  return Refusal(MessageId::NotJetSql, {std::string(word)})
      .WithHint(HintOf(HintId::JetFormOf, {std::string(word)}));
}

}  // namespace

bool JetParser::PeekQuery() const {
  std::size_t ahead = 0;
  while (PeekPunct("(", ahead)) ++ahead;
  return PeekKeyword(JetKeyword::Select, ahead);
}

std::unique_ptr<syntax::Query> JetParser::Query() {
  const Nesting nesting(*this);
  auto query = std::make_unique<syntax::Query>();
  QueryTerm(*query);
  for (;;) {
    if (PeekKeyword(JetKeyword::Intersect) || PeekKeyword(JetKeyword::Except) ||
        PeekKeyword(JetKeyword::Minus)) {
      Refuse(NotJetSql(Peek().text), Offset());
    }
    if (!AcceptKeyword(JetKeyword::Union)) break;
    query->unionAll.push_back(AcceptKeyword(JetKeyword::All));
    QueryTerm(*query);
  }
  if (AcceptKeyword(JetKeyword::Order)) OrderBy(*query);
  if (PeekKeyword(JetKeyword::Limit) || PeekKeyword(JetKeyword::Offset) ||
      PeekKeyword(JetKeyword::Fetch)) {
    Refuse(NotJetSql(Peek().text), Offset());
  }
  return query;
}

void JetParser::OrderBy(syntax::Query& query) {
  ExpectKeyword(JetKeyword::By);
  do {
    syntax::OrderItem item;
    const std::size_t start = Offset();
    item.expr = Expression();
    item.written = TextFrom(start);
    if (!AcceptKeyword(JetKeyword::Asc)) item.descending = AcceptKeyword(JetKeyword::Desc);
    query.orderBy.push_back(std::move(item));
  } while (AcceptPunct(","));
}

// One member of a UNION: a SELECT, or a parenthesized query whose members join this one's.
void JetParser::QueryTerm(syntax::Query& query) {
  if (!PeekPunct("(")) {
    query.parts.push_back(SelectCore());
    if (query.parts.size() > 1 && query.parts.back().into) Fail();
    return;
  }
  Advance();
  const std::size_t offset = Offset();
  std::unique_ptr<syntax::Query> inner = Query();
  if (!inner->orderBy.empty()) {
    // Sorting one member of a union has no meaning of its own.
    Refuse(Refusal(MessageId::SyntaxErrorNear, {"ORDER BY"}), offset);
  }
  ExpectPunct(")");
  for (std::size_t i = 0; i < inner->parts.size(); ++i) {
    if ((i > 0 || !query.parts.empty()) && inner->parts[i].into) {
      Refuse(Refusal(MessageId::SyntaxErrorNear, {"INTO"}), offset);
    }
    if (i > 0) query.unionAll.push_back(inner->unionAll[i - 1]);
    query.parts.push_back(std::move(inner->parts[i]));
  }
}

// [ALL | DISTINCT | DISTINCTROW] [TOP n [PERCENT]]
void JetParser::SelectQuantifiers(syntax::Select& select) {
  if (AcceptKeyword(JetKeyword::Distinct)) {
    select.distinct = true;
  } else if (AcceptKeyword(JetKeyword::DistinctRow)) {
    select.distinctRow = true;
  } else {
    AcceptKeyword(JetKeyword::All);
  }
  if (!PeekKeyword(JetKeyword::Top)) return;
  const std::size_t offset = Offset();
  Advance();
  if (Peek().kind != JetTokenKind::Number) Refuse(Refusal(MessageId::InvalidTop), offset);
  syntax::Top top;
  top.count.reset(static_cast<syntax::NumberLiteral*>(Literal().release()));
  top.percent = AcceptKeyword(JetKeyword::Percent);
  select.top = std::move(top);
}

syntax::Select JetParser::SelectCore() {
  syntax::Select select;
  select.offset = Offset();
  ExpectKeyword(JetKeyword::Select);
  SelectQuantifiers(select);
  do {
    SelectItem(select);
  } while (AcceptPunct(","));
  if (AcceptKeyword(JetKeyword::Into)) select.into = ExpectName();
  if (AcceptKeyword(JetKeyword::From)) {
    do {
      select.from.push_back(SourceElement());
    } while (AcceptPunct(","));
  }
  if (AcceptKeyword(JetKeyword::Where)) select.where = Expression();
  if (AcceptKeyword(JetKeyword::Group)) {
    ExpectKeyword(JetKeyword::By);
    do {
      select.groupBy.push_back(Expression());
    } while (AcceptPunct(","));
  }
  if (AcceptKeyword(JetKeyword::Having)) select.having = Expression();
  return select;
}

void JetParser::SelectItem(syntax::Select& select) {
  syntax::SelectItem item;
  if (PeekPunct("*")) {
    item.expr = std::make_unique<syntax::StarRef>(Offset(), std::string());
    Advance();
  } else {
    const std::size_t start = Offset();
    item.expr = Expression();
    item.written = TextFrom(start);
  }
  if (AcceptKeyword(JetKeyword::As)) {
    if (IsTextToken(Peek()) && Peek().terminated) {
      item.alias = JetNameValue(Peek());
      Advance();
    } else {
      item.alias = ExpectName().text;
    }
  }
  select.items.push_back(std::move(item));
}

void JetParser::RefuseOtherJoin() const {
  for (JetKeyword word :
       {JetKeyword::Join, JetKeyword::Cross, JetKeyword::Full, JetKeyword::Natural}) {
    if (!PeekKeyword(word)) continue;
    const std::string text(Peek().text);
    Refuse(msg::Diagnostic{MessageId::SyntaxError, {text}, msg::SqlClause::Join}.WithHint(
               HintOf(HintId::JetFormOf, {text})),
           Offset());
  }
}

// A table, a derived table or a parenthesized join, followed by at most one INNER, LEFT or
// RIGHT join: Jet joins a third table only to a join in parentheses.
syntax::Source JetParser::SourceElement() {
  syntax::Source left = SourcePrimary();
  for (bool joined = false;; joined = true) {
    RefuseOtherJoin();
    const std::size_t offset = Offset();
    syntax::JoinKind kind;
    if (PeekKeyword(JetKeyword::Inner)) {
      kind = syntax::JoinKind::Inner;
    } else if (PeekKeyword(JetKeyword::Left)) {
      kind = syntax::JoinKind::Left;
    } else if (PeekKeyword(JetKeyword::Right)) {
      kind = syntax::JoinKind::Right;
    } else {
      return left;
    }
    if (joined) {
      Refuse(
          msg::Diagnostic{MessageId::SyntaxError, {std::string(Peek().text)}, msg::SqlClause::Join}
              .WithHint(HintOf(HintId::NestedJoins)),
          offset);
    }
    Advance();
    if (kind != syntax::JoinKind::Inner) AcceptKeyword(JetKeyword::Outer);
    ExpectKeyword(JetKeyword::Join);
    syntax::Source join;
    join.kind = syntax::Source::Kind::Join;
    join.offset = offset;
    join.join = kind;
    join.left = std::make_unique<syntax::Source>(std::move(left));
    join.right = std::make_unique<syntax::Source>(SourcePrimary());
    RefuseOtherJoin();
    ExpectKeyword(JetKeyword::On);
    join.on = Expression();
    left = std::move(join);
  }
}

syntax::Source JetParser::SourcePrimary() {
  const Nesting nesting(*this);
  syntax::Source source;
  source.offset = Offset();
  if (AcceptPunct("(")) {
    if (!PeekQuery()) {
      syntax::Source inner = SourceElement();
      ExpectPunct(")");
      return inner;
    }
    source.kind = syntax::Source::Kind::Derived;
    source.derived = Query();
    ExpectPunct(")");
  } else {
    source.name = ExpectName().text;
    if (PeekPunct("(")) EngineTableFunction();  // pragma_table_info('t') and the like
  }
  SourceAlias(source);
  return source;
}

// The statement is the engine's; the function's arguments are passed over, parentheses
// matched, and the reading goes on (it can only tell of more of the engine's SQL).
void JetParser::EngineTableFunction() {
  engineForm_ = true;
  int depth = 0;
  do {
    if (PeekPunct("(")) ++depth;
    if (PeekPunct(")")) --depth;
    Advance();
  } while (depth > 0 && !AtEnd());
}

void JetParser::SourceAlias(syntax::Source& source) {
  if (AcceptKeyword(JetKeyword::As) || PeekName()) source.alias = ExpectName().text;
}

}  // namespace tarnwick
