#include "jet/JetTableDefinition.h"

#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

JetDefinitionItem MakeItem(std::string_view sql, const std::vector<JetToken>& tokens) {
  JetDefinitionItem item;
  item.text =
      std::string(sql.substr(tokens.front().offset, tokens.back().End() - tokens.front().offset));
  item.isColumn = !HasRole(tokens.front().keyword, kTableConstraint);
  if (item.isColumn) {
    item.name = JetNameValue(tokens.front());
    return item;
  }
  const bool named = IsKeyword(tokens.front(), JetKeyword::Constraint) && tokens.size() > 1;
  if (named) item.name = JetNameValue(tokens[1]);
  const std::size_t kind = named ? 2 : 0;
  item.primaryKey = kind < tokens.size() && IsKeyword(tokens[kind], JetKeyword::Primary);
  return item;
}

}  // namespace

std::optional<JetTableDefinition> SplitTableDefinition(std::string_view createSql) {
  std::vector<JetToken> tokens;
  for (const JetToken& token : TokenizeJet(createSql)) {
    if (!IsTrivia(token)) tokens.push_back(token);
  }
  std::size_t i = 0;
  while (i < tokens.size() && !IsPunct(tokens[i], "(")) ++i;
  if (i == tokens.size()) return std::nullopt;
  JetTableDefinition definition;
  std::vector<JetToken> item;
  int depth = 0;
  for (++i; i < tokens.size(); ++i) {
    const JetToken& token = tokens[i];
    if (depth == 0 && (IsPunct(token, ",") || IsPunct(token, ")"))) {
      if (item.empty()) return std::nullopt;
      definition.items.push_back(MakeItem(createSql, item));
      item.clear();
      if (IsPunct(token, ")")) {
        definition.tail = std::string(createSql.substr(token.End()));
        return definition;
      }
      continue;
    }
    if (IsPunct(token, "(")) ++depth;
    if (IsPunct(token, ")")) --depth;
    item.push_back(token);
  }
  return std::nullopt;
}

const JetDefinitionItem* FindDefinitionItem(const JetTableDefinition& definition,
                                            std::string_view name, bool column) {
  for (const JetDefinitionItem& item : definition.items) {
    if (item.isColumn == column && !item.name.empty() && SameJetName(item.name, name)) {
      return &item;
    }
  }
  return nullptr;
}

}  // namespace tarnwick
