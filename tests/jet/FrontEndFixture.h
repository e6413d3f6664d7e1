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
#include "jet/JetTypeNames.h"
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
      if (type.autoNumber) type.type = JetType::Long;
      table.columns.push_back({column, type, hasDefault});
    }
    return *this;
  }
  const JetSchemaTable* FindTable(std::string_view name) override {
    for (const auto& [key, table] : tables_) {
      if (SameJetName(key, name)) return &table;
    }
    return nullptr;
  }
  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    for (const auto& [key, table] : tables_) names.push_back(table.name);
    return names;
  }

 private:
  std::map<std::string, JetSchemaTable, std::less<>> tables_;
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
      .Table("名簿", {{"氏名", "TEXT(10)"}, {"年数", ""}}, true);
  return catalogue;
}

inline JetCompiled Compiled(std::string_view sql) {
  TestCatalogue catalogue = Textbook();
  return CompileJet(sql, catalogue);
}

// The engine's statement for a Jet statement.
inline std::string EngineSqlOf(std::string_view sql) { return Compiled(sql).engineSql; }

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
