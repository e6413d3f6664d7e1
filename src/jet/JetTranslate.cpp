#include "jet/JetTranslate.h"

#include <algorithm>
#include <vector>

#include "jet/JetTableDefinition.h"
#include "jet/JetTypeNames.h"
#include "jet/SourceEdits.h"

namespace tarnwick {

namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

bool KeywordAt(const JetTokens& tokens, std::size_t i, std::string_view word) {
  return i < tokens.size() && IsKeyword(tokens[i], word);
}

// The index after a table name (plain, [bracketed] or "quoted", optionally with a schema
// before a dot), or kNotFound when no name stands at i.
std::size_t AfterTableName(const JetTokens& tokens, std::size_t i) {
  if (i >= tokens.size() || !IsNameToken(tokens[i])) return kNotFound;
  ++i;
  while (i + 1 < tokens.size() && IsPunct(tokens[i], ".") && IsNameToken(tokens[i + 1])) i += 2;
  return i;
}

// Edits that turn one column's Jet type into what the engine needs.
class ColumnTypeEditor {
 public:
  ColumnTypeEditor(const JetTokens& tokens, std::vector<SourceEdit>& edits)
      : tokens_(tokens), edits_(edits) {}

  // The type's words as one name, single spaces between them.
  std::string TypeName(const JetColumnDefinition& column) const {
    std::string name;
    for (std::size_t i = column.typeBegin; i < column.typeWordsEnd; ++i) {
      if (!name.empty()) name += ' ';
      name += tokens_[i].text;
    }
    return name;
  }

  bool IsAutoNumber(const JetColumnDefinition& column) const {
    return column.TypeWordCount() == 1 && IsAutoNumberType(TypeName(column));
  }

  // Declared exactly INTEGER: as the only key column the engine would make it the row number.
  bool IsExactlyInteger(const JetColumnDefinition& column) const {
    return column.TypeWordCount() == 1 && !column.HasSize() &&
           IsKeyword(tokens_[column.typeBegin], "INTEGER");
  }

  // Replaces the whole type, size included.
  void ReplaceType(const JetColumnDefinition& column, std::string text) {
    const std::size_t offset = tokens_[column.typeBegin].offset;
    edits_.push_back({offset, tokens_[column.typeEnd - 1].End() - offset, std::move(text)});
  }

  // Keeps the Jet name as the first word (so the column still reports its kind) and adds the
  // word that gives it the engine storage its type promises: "MEMO TEXT", "STRING TEXT(50)".
  void AddAffinityWord(const JetColumnDefinition& column) {
    if (column.TypeWordCount() == 0) return;
    const std::string_view word = AffinityWordFor(TypeName(column));
    if (!word.empty()) InsertAfter(column.typeWordsEnd - 1, " " + std::string(word));
  }

  void InsertAfter(std::size_t token, std::string text) {
    edits_.push_back({tokens_[token].End(), 0, std::move(text)});
  }

 private:
  const JetTokens& tokens_;
  std::vector<SourceEdit>& edits_;
};

// CREATE TABLE: types, auto-numbering and keys that refuse NULL as Jet's do.
class CreateTableTranslator {
 public:
  CreateTableTranslator(const JetTokens& tokens, const JetTableDefinition& table,
                        std::vector<SourceEdit>& edits)
      : table_(table), editor_(tokens, edits) {
    columnKeyCount_ = static_cast<std::size_t>(
        std::count_if(table.columns.begin(), table.columns.end(),
                      [](const JetColumnDefinition& column) { return column.primaryKey; }));
    tableHasKey_ = table.key.present || columnKeyCount_ > 0;
  }

  void Translate() {
    for (const JetColumnDefinition& column : table_.columns) TranslateColumn(column);
  }

 private:
  void TranslateColumn(const JetColumnDefinition& column) {
    bool autoNumbered =
        column.autoincrementWritten || (IsTheTableKey(column) && table_.key.autoincrementWritten);
    if (editor_.IsAutoNumber(column)) {
      autoNumbered = MakeAutoNumber(column);
    } else if (editor_.IsExactlyInteger(column) && IsSoleKeyColumn(column) && !autoNumbered) {
      // "INT" has the same storage but does not make the key the row number, which would
      // turn an inserted NULL into a new number instead of refusing it.
      editor_.ReplaceType(column, "INT");
    } else {
      editor_.AddAffinityWord(column);
    }
    if (IsKeyColumn(column) && !column.notNull && !autoNumbered) {
      editor_.InsertAfter(column.end - 1, " NOT NULL");
    }
  }

  // COUNTER and AUTOINCREMENT: the engine numbers rows only through an INTEGER PRIMARY KEY
  // with AUTOINCREMENT, so the column becomes one where the table's key allows it. Returns
  // whether the column is numbered.
  bool MakeAutoNumber(const JetColumnDefinition& column) {
    std::string type = "INTEGER";
    bool numbered = false;
    if (table_.withoutRowid) {
      // A table without row numbers cannot number rows: a plain INTEGER.
    } else if (column.primaryKey) {
      // PRIMARY KEY DESC is not the row number; AUTOINCREMENT would be refused there.
      numbered = !column.descendingKey;
      if (numbered && !column.autoincrementWritten) {
        editor_.InsertAfter(column.primaryKeyEnd - 1, " AUTOINCREMENT");
      }
    } else if (!tableHasKey_) {
      type += " PRIMARY KEY AUTOINCREMENT";
      tableHasKey_ = true;
      numbered = true;
    } else if (IsTheTableKey(column)) {
      numbered = true;
      if (!table_.key.autoincrementWritten) {
        editor_.InsertAfter(table_.key.closeParen - 1, " AUTOINCREMENT");
      }
    }
    // Otherwise other columns hold the key: the engine cannot number this one, and it
    // stays a plain INTEGER.
    editor_.ReplaceType(column, type);
    return numbered;
  }

  bool InTableKey(const JetColumnDefinition& column) const {
    return std::any_of(table_.key.columns.begin(), table_.key.columns.end(),
                       [&](const std::string& name) { return SameJetName(name, column.name); });
  }

  // The table constraint PRIMARY KEY names this column alone.
  bool IsTheTableKey(const JetColumnDefinition& column) const {
    return columnKeyCount_ == 0 && table_.key.columns.size() == 1 && InTableKey(column);
  }

  bool IsSoleKeyColumn(const JetColumnDefinition& column) const {
    return (column.primaryKey && columnKeyCount_ == 1 && !table_.key.present) ||
           IsTheTableKey(column);
  }

  bool IsKeyColumn(const JetColumnDefinition& column) const {
    return column.primaryKey || InTableKey(column);
  }

  const JetTableDefinition& table_;
  ColumnTypeEditor editor_;
  std::size_t columnKeyCount_ = 0;
  bool tableHasKey_ = false;
};

// CREATE [TEMP|TEMPORARY] TABLE [IF NOT EXISTS] name ( ... ). CREATE TABLE ... AS SELECT
// and other forms are left alone.
void TranslateCreateTable(const JetTokens& tokens, std::vector<SourceEdit>& edits) {
  std::size_t i = 1;
  if (KeywordAt(tokens, i, "TEMP") || KeywordAt(tokens, i, "TEMPORARY")) ++i;
  if (!KeywordAt(tokens, i++, "TABLE")) return;
  if (KeywordAt(tokens, i, "IF") && KeywordAt(tokens, i + 1, "NOT") &&
      KeywordAt(tokens, i + 2, "EXISTS")) {
    i += 3;
  }
  i = AfterTableName(tokens, i);
  if (i >= tokens.size() || !IsPunct(tokens[i], "(")) return;
  const std::optional<JetTableDefinition> table = ParseJetTableBody(tokens, i);
  if (table) CreateTableTranslator(tokens, *table, edits).Translate();
}

// ALTER TABLE name ADD [COLUMN] definition. An added column cannot become the table's key,
// so COUNTER there is a plain INTEGER that the engine does not number.
void TranslateAlterTableAdd(const JetTokens& tokens, std::vector<SourceEdit>& edits) {
  if (!KeywordAt(tokens, 1, "TABLE")) return;
  std::size_t i = AfterTableName(tokens, 2);
  if (!KeywordAt(tokens, i, "ADD")) return;
  ++i;
  if (KeywordAt(tokens, i, "COLUMN")) ++i;
  if (i >= tokens.size() || IsTableConstraint(tokens, i) || !IsNameToken(tokens[i])) return;
  const JetColumnDefinition column = ParseJetColumn(tokens, i, ElementEnd(tokens, i));
  ColumnTypeEditor editor(tokens, edits);
  if (editor.IsAutoNumber(column)) {
    editor.ReplaceType(column, "INTEGER");
  } else {
    editor.AddAffinityWord(column);
  }
}

}  // namespace

std::string TranslateJetSql(std::string_view utf8Sql) {
  const JetTokens tokens = SignificantTokens(utf8Sql);
  std::vector<SourceEdit> edits;
  if (KeywordAt(tokens, 0, "CREATE")) {
    TranslateCreateTable(tokens, edits);
  } else if (KeywordAt(tokens, 0, "ALTER")) {
    TranslateAlterTableAdd(tokens, edits);
  }
  if (edits.empty()) return std::string(utf8Sql);
  return ApplySourceEdits(utf8Sql, std::move(edits));
}

}  // namespace tarnwick
