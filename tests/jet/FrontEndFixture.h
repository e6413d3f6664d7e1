#pragma once
// The front end against a catalogue of made-up tables: what it makes of a statement, and what
// it reports when it refuses one.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "jet/JetFrontEnd.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSchema.h"
#include "jetlib/JetTypeNames.h"
#include "support/Hinted.h"
#include "text/Cp932.h"

namespace tarnwick::test {

class TestCatalogue : public JetSchema {
 public:
  // Columns as name and declared type; a column whose type ends in " DEFAULT" has a default.
  TestCatalogue& Table(std::string name, std::vector<std::pair<std::string, std::string>> columns,
                       bool view = false) {
    JetSchemaTable& table = tables_[name];
    table.name = name;
    table.isView = view;
    for (auto& [column, declared] : columns) {
      const bool hasDefault = declared.ends_with(" DEFAULT");
      if (hasDefault) declared.resize(declared.size() - 8);
      JetTypeInfo type = JetTypeInfoOfDeclaration(declared);
      if (type.autoNumber) table.counterColumn = column;
      table.columns.push_back({column, type, hasDefault, false});
    }
    return *this;
  }
  // The table's primary key; a COUNTER among its columns is numbered by the program.
  TestCatalogue& Key(const std::string& table, std::vector<std::string> columns) {
    tables_[table].indexes.push_back({{}, true, true, std::move(columns)});
    return *this;
  }
  TestCatalogue& Refers(const std::string& child, const std::string& parent) {
    referring_.emplace(parent, child);
    return *this;
  }
  TestCatalogue& Procedure(std::string name, std::string parameters, std::string statement) {
    procedures_.push_back({std::move(name), std::move(parameters), std::move(statement)});
    return *this;
  }
  // What a crosstab's query of its pivot values gives.
  TestCatalogue& PivotValues(std::vector<JetValue> values) {
    values_ = std::move(values);
    return *this;
  }

  const JetSchemaTable* FindTable(std::string_view name) override {
    for (const auto& [key, table] : tables_) {
      if (SameJetName(key, name)) return &table;
    }
    return nullptr;
  }
  std::vector<std::string> ReferringTables(std::string_view name) override {
    std::vector<std::string> tables;
    for (const auto& [parent, child] : referring_) {
      if (SameJetName(parent, name)) tables.push_back(child);
    }
    return tables;
  }
  std::optional<JetProcedure> FindProcedure(std::string_view name) override {
    for (const JetProcedure& procedure : procedures_) {
      if (SameJetName(procedure.name, name)) return procedure;
    }
    return std::nullopt;
  }
  std::vector<JetValue> ColumnValues(std::string_view engineSql) override {
    valuesSql = engineSql;
    return values_;
  }

  std::string valuesSql;  // the last query of ColumnValues
  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    for (const auto& [key, table] : tables_) names.push_back(table.name);
    return names;
  }

 private:
  std::map<std::string, JetSchemaTable, std::less<>> tables_;
  std::multimap<std::string, std::string> referring_;
  std::vector<JetProcedure> procedures_;
  std::vector<JetValue> values_;
};

// 社員 and 部署 as a textbook has them, a table with a column named No, and a view.
inline TestCatalogue Textbook() {
  TestCatalogue catalogue;
  catalogue
      .Table("社員", {{"ID", "COUNTER"},
                      {"氏名", "TEXT(10)"},
                      {"部署ID", "LONG"},
                      {"入社日", "DATETIME"},
                      {"在籍", "YESNO"},
                      {"給与", "CURRENCY"},
                      {"年齢", "BYTE"},
                      {"内線", "SHORT"},
                      {"単価", "DOUBLE"},
                      {"備考", "MEMO"}})
      .Table("部署", {{"部署ID", "LONG"}, {"部署名", "TEXT(20)"}})
      .Table("番号", {{"No", "LONG"}, {"可", "YESNO DEFAULT"}})
      .Table("名簿", {{"氏名", "TEXT(10)"}, {"年数", ""}}, true)
      .Key("社員", {"ID"})
      .Key("部署", {"部署ID"});
  return catalogue;
}

inline JetCompiled Compiled(std::string_view sql) {
  TestCatalogue catalogue = Textbook();
  return CompileJet(sql, catalogue);
}

// The engine's statements for a Jet statement, in the order they run, one to a line.
inline std::string EngineSqlOf(std::string_view sql) {
  const JetCompiled compiled = Compiled(sql);
  std::string text;
  for (const JetEngineStep& step : compiled.steps) {
    text += step.sql + (step.refusedWhenRows ? " -- none" : "") + ";\n";
  }
  return compiled.engineSql.empty() && !text.empty() ? text.substr(0, text.size() - 2)
                                                     : text + compiled.engineSql;
}

// The front end's message for a statement it refuses, in UTF-8; empty when it takes it.
inline std::string RefusalOf(std::string_view sql) {
  try {
    Compiled(sql);
  } catch (const JetError& error) {
    return SjisToUtf8(error.what());
  }
  return {};
}

}  // namespace tarnwick::test
