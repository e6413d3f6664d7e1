#include "jet/JetStatementHints.h"

#include <algorithm>
#include <vector>

#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

// The tables the statement names, as the catalogue has them.
std::vector<const JetSchemaTable*> NamedTables(const std::vector<JetToken>& tokens,
                                               JetSchema& catalogue) {
  std::vector<const JetSchemaTable*> tables;
  for (const JetToken& token : tokens) {
    if (token.kind != JetTokenKind::Word && token.kind != JetTokenKind::BracketName) continue;
    if (const JetSchemaTable* table = catalogue.FindTable(JetNameValue(token))) {
      tables.push_back(table);
    }
  }
  return tables;
}

bool NamesSomething(const std::string& text, const std::vector<const JetSchemaTable*>& tables,
                    JetSchema& catalogue) {
  if (catalogue.FindTable(text) != nullptr) return true;
  return std::any_of(tables.begin(), tables.end(), [&](const JetSchemaTable* table) {
    return std::any_of(
        table->columns.begin(), table->columns.end(),
        [&](const JetSchemaColumn& column) { return SameJetName(column.name, text); });
  });
}

// Three numbers joined by two '/' (or two '-'): 2024/04/01.
std::string_view DateLike(const std::vector<JetToken>& tokens, std::size_t i) {
  if (i + 4 >= tokens.size()) return {};
  const JetToken& first = tokens[i];
  const std::string_view separator = tokens[i + 1].text;
  if (separator != "/" && separator != "-") return {};
  if (first.kind != JetTokenKind::Number || tokens[i + 2].kind != JetTokenKind::Number ||
      tokens[i + 3].text != separator || tokens[i + 4].kind != JetTokenKind::Number ||
      first.text.size() != 4) {
    return {};
  }
  const char* begin = first.text.data();
  const char* end = tokens[i + 4].text.data() + tokens[i + 4].text.size();
  return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

msg::Hint JetStatementHint(std::string_view utf8Sql, JetSchema& catalogue) {
  std::vector<JetToken> tokens = TokenizeJet(utf8Sql);
  std::erase_if(tokens, [](const JetToken& token) { return IsTrivia(token); });
  const std::vector<const JetSchemaTable*> tables = NamedTables(tokens, catalogue);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const JetToken& token = tokens[i];
    if (token.kind == JetTokenKind::DoubleQuoted && token.terminated) {
      const std::string text = JetNameValue(token);
      if (NamesSomething(text, tables, catalogue)) return {msg::HintId::DoubleQuotedName, {text}};
    }
    if (const std::string_view date = DateLike(tokens, i); !date.empty()) {
      return {msg::HintId::DateWithoutHashes, {std::string(date)}};
    }
  }
  return {};
}

}  // namespace tarnwick
