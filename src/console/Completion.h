#pragma once
// What completion offers for the word at the caret of a statement: the columns of the tables
// the statement names (or, after "name.", of that table or alias), the tables and views, Jet's
// functions with their arguments and Jet's keywords. Texts are UTF-8; offsets count bytes.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/FunctionSignatures.h"
#include "console/SchemaOutline.h"
#include "console/StatementAtCaret.h"

namespace tarnwick {

// The words completion offers besides the database's names.
struct CompletionVocabulary {
  std::span<const std::string_view> keywords;  // upper case
  std::vector<FunctionSignature> functions;
};

enum class CompletionKind { Column, Table, View, Function, Keyword };

struct CompletionItem {
  std::string match;   // what the typed word is compared with: the bare name or word
  std::string label;   // what the list shows: "DateAdd(interval, number, date)"
  std::string insert;  // what taking it writes: "DateAdd(", "[order details]", "氏名"
  std::string detail;  // a column's type and table, "テーブル", "ビュー", "関数", "キーワード"
  CompletionKind kind;
  bool operator==(const CompletionItem&) const = default;
};

struct Completion {
  TextRange replaced;      // the word the choice replaces; empty at the caret when none is typed
  std::string prefix;      // what is typed of it, up to the caret
  bool qualified = false;  // the word follows "name.": only a table's columns are offered
  // The offers whose match begins with the prefix (ASCII letters in either case): columns,
  // then tables and views, functions, keywords, each kind in alphabetical order. Empty inside
  // a text, a #date#, a number or a comment.
  std::vector<CompletionItem> items;
};

// Completion for the caret at byte offset `caret` of a statement's UTF-8 text.
Completion CompleteAt(std::string_view statement, std::size_t caret, const SchemaOutline& schema,
                      const CompletionVocabulary& vocabulary);

// A name as a statement writes it: as it is when it is a plain word, else in brackets.
std::string WrittenName(std::string_view name);

}  // namespace tarnwick
