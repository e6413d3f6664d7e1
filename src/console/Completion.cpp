#include "console/Completion.h"

#include <algorithm>
#include <map>

#include "jet/JetLexer.h"
#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

bool IsWordStart(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  return c >= 0x80 || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The word being typed at the caret: its token's place and how it is written.
struct TypedWord {
  TextRange range;
  std::string prefix;
  bool offersNothing = false;  // the caret stands in a text, a #date#, a number or a comment
};

TypedWord WordAt(const std::vector<JetToken>& tokens, std::size_t caret) {
  for (const JetToken& token : tokens) {
    if (token.offset >= caret || token.End() < caret) continue;
    // A line comment runs up to its line break: a caret at its end is still in it.
    const bool inside =
        caret < token.End() || !token.terminated || token.kind == JetTokenKind::LineComment;
    switch (token.kind) {
      case JetTokenKind::Word:
        return {{token.offset, token.End()},
                std::string(token.text.substr(0, caret - token.offset))};
      case JetTokenKind::BracketName:
        if (!inside) break;
        return {{token.offset, token.End()},
                std::string(token.text.substr(1, caret - token.offset - 1))};
      case JetTokenKind::Number:
      case JetTokenKind::String:
      case JetTokenKind::DoubleQuoted:
      case JetTokenKind::Date:
      case JetTokenKind::Blob:
      case JetTokenKind::LineComment:
      case JetTokenKind::BlockComment:
        if (inside || token.kind == JetTokenKind::Number) return {{caret, caret}, {}, true};
        break;
      default:
        break;
    }
  }
  return {{caret, caret}, {}};
}

// The index of the token that ends where `position` is, skipping none.
std::ptrdiff_t TokenEndingAt(const std::vector<JetToken>& tokens, std::size_t position) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].End() == position) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

bool IsQualifierName(const JetToken& token) {
  return token.kind == JetTokenKind::Word ||
         (token.kind == JetTokenKind::BracketName && token.terminated);
}

// The name before "name." that stands right before the typed word; empty when none does.
std::string Qualifier(const std::vector<JetToken>& tokens, std::size_t wordBegin) {
  const std::ptrdiff_t dot = TokenEndingAt(tokens, wordBegin);
  if (dot < 1 || !IsPunct(tokens[dot], ".")) return {};
  const JetToken& name = tokens[dot - 1];
  return IsQualifierName(name) ? JetNameValue(name) : std::string();
}

bool IsKeywordIn(const CompletionVocabulary& vocabulary, std::string_view word) {
  return std::ranges::any_of(vocabulary.keywords, [&](std::string_view keyword) {
    return EqualsIgnoringAsciiCase(keyword, word);
  });
}

// The next token after i that carries meaning; tokens.size() when none does.
std::size_t NextMeaningful(const std::vector<JetToken>& tokens, std::size_t i) {
  while (++i < tokens.size() && IsTrivia(tokens[i])) {
  }
  return i;
}

// The tables the statement names (the word being typed left out), and the aliases it gives
// them: "社員 AS s", "社員 s".
struct NamedTables {
  std::vector<const OutlineTable*> tables;
  std::map<std::string, const OutlineTable*> aliases;  // keyed by the alias in upper case
  std::map<const OutlineTable*, std::string> aliasOf;  // the first alias a table is given
};

NamedTables TablesNamed(const std::vector<JetToken>& tokens, const TextRange& typed,
                        const SchemaOutline& schema, const CompletionVocabulary& vocabulary) {
  NamedTables named;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (!IsQualifierName(tokens[i]) || tokens[i].offset == typed.begin) continue;
    const OutlineTable* table = schema.Find(JetNameValue(tokens[i]));
    if (table == nullptr) continue;
    if (std::ranges::find(named.tables, table) == named.tables.end()) named.tables.push_back(table);
    std::size_t next = NextMeaningful(tokens, i);
    if (next < tokens.size() && IsKeyword(tokens[next], JetKeyword::As))
      next = NextMeaningful(tokens, next);
    if (next < tokens.size() && IsQualifierName(tokens[next]) &&
        !IsKeywordIn(vocabulary, tokens[next].text) && tokens[next].offset != typed.begin) {
      named.aliases.emplace(UpperAscii(JetNameValue(tokens[next])), table);
      named.aliasOf.emplace(table, JetNameValue(tokens[next]));
    }
  }
  return named;
}

void AddColumns(const OutlineTable& table, std::vector<CompletionItem>& items) {
  for (const OutlineColumn& column : table.columns) {
    std::string detail = column.type.empty() ? table.name : column.type + " " + table.name;
    items.push_back({column.name, column.name, WrittenName(column.name), std::move(detail),
                     CompletionKind::Column});
  }
}

bool InSeveralTables(const std::vector<const OutlineTable*>& tables, const std::string& column) {
  int holding = 0;
  for (const OutlineTable* table : tables) {
    holding += std::ranges::any_of(table->columns, [&](const OutlineColumn& other) {
      return SameJetName(other.name, column);
    });
  }
  return holding > 1;
}

// The columns of the statement's tables. A column that more than one of them has is written
// with its table's alias or name, as Jet wants it.
void AddStatementColumns(const NamedTables& named, std::vector<CompletionItem>& items) {
  for (const OutlineTable* table : named.tables) {
    const auto alias = named.aliasOf.find(table);
    const std::string qualifier = alias != named.aliasOf.end() ? alias->second : table->name;
    const std::size_t first = items.size();
    AddColumns(*table, items);
    for (std::size_t i = first; i < items.size(); ++i) {
      if (InSeveralTables(named.tables, items[i].match)) {
        items[i].insert = WrittenName(qualifier) + "." + items[i].insert;
      }
    }
  }
}

void AddGeneralWords(const SchemaOutline& schema, const CompletionVocabulary& vocabulary,
                     std::vector<CompletionItem>& items) {
  for (const OutlineTable& table : schema.tables) {
    items.push_back({table.name, table.name, WrittenName(table.name),
                     table.view ? "ビュー" : "テーブル",
                     table.view ? CompletionKind::View : CompletionKind::Table});
  }
  for (const FunctionSignature& function : vocabulary.functions) {
    const std::string name(function.name);
    items.push_back({name, name + "(" + std::string(function.arguments) + ")", name + "(", "関数",
                     CompletionKind::Function});
  }
  for (std::string_view keyword : vocabulary.keywords) {
    const std::string word(keyword);
    items.push_back({word, word, word, "キーワード", CompletionKind::Keyword});
  }
}

// Columns first, then tables and views, functions and keywords. Columns, tables and views
// keep the database's order (the order they were made in); functions and keywords go in
// alphabetical order.
void Arrange(std::vector<CompletionItem>& items, std::string_view prefix) {
  std::erase_if(items, [&](const CompletionItem& item) {
    return !StartsWithIgnoringAsciiCase(item.match, prefix);
  });
  auto rank = [](CompletionKind kind) {
    return kind == CompletionKind::View ? 1 : static_cast<int>(kind);
  };
  std::ranges::stable_sort(items, [&](const CompletionItem& a, const CompletionItem& b) {
    if (rank(a.kind) != rank(b.kind)) return rank(a.kind) < rank(b.kind);
    const bool words = a.kind == CompletionKind::Function || a.kind == CompletionKind::Keyword;
    return words && UpperAscii(a.match) < UpperAscii(b.match);
  });
}

}  // namespace

std::string WrittenName(std::string_view name) {
  const std::vector<JetToken> tokens = TokenizeJet(name);
  const bool plain =
      tokens.size() == 1 && tokens[0].kind == JetTokenKind::Word && IsWordStart(name.front());
  return plain ? std::string(name) : "[" + std::string(name) + "]";
}

Completion CompleteAt(std::string_view statement, std::size_t caret, const SchemaOutline& schema,
                      const CompletionVocabulary& vocabulary) {
  caret = std::min(caret, statement.size());
  const std::vector<JetToken> tokens = TokenizeJet(statement);
  const TypedWord word = WordAt(tokens, caret);
  Completion completion{word.range, word.prefix, false, {}};
  if (word.offersNothing) return completion;
  const NamedTables named = TablesNamed(tokens, word.range, schema, vocabulary);
  if (const std::string qualifier = Qualifier(tokens, word.range.begin); !qualifier.empty()) {
    completion.qualified = true;
    const OutlineTable* table = schema.Find(qualifier);
    if (table == nullptr) {
      const auto alias = named.aliases.find(UpperAscii(qualifier));
      if (alias != named.aliases.end()) table = alias->second;
    }
    if (table != nullptr) AddColumns(*table, completion.items);
  } else {
    AddStatementColumns(named, completion.items);
    AddGeneralWords(schema, vocabulary, completion.items);
  }
  Arrange(completion.items, completion.prefix);
  return completion;
}

}  // namespace tarnwick
