// What the Jet front end makes of each statement of a script, run in order on a fresh
// database: the engine's statements, the result columns with their Jet types, or the refusal
// with its offset; then the statement's own outcome when it runs. Two builds' dumps of the
// same scripts compared line by line show every change of the front end's behaviour
// (scripts/jet-differential.sh).
//
// Usage: jet-compile-dump DATABASE-FOLDER SCRIPT...
// A script holds one statement per line; a line that ends in '\' goes on on the next line;
// lines that begin with "--" and empty lines are skipped.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/EngineCatalogue.h"
#include "jet/JetFrontEnd.h"
#include "jet/JetMessages.h"
#include "jet/JetValuesTemplate.h"
#include "support/TestDatabase.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"

namespace {

using namespace tarnwick;

std::string Printable(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c == '\r') continue;
    out += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return out;
}

// jet_store's type arguments as codes: builds that wrote them as names ('LONG') then read the
// same as builds that write codes.
std::string StoreTypesAsCodes(std::string sql) {
  static const char* const kNames[] = {
      "NULL",   "YESNO",   "BYTE",     "SHORT", "LONG", "BIGINT", "CURRENCY",   "SINGLE",
      "DOUBLE", "DECIMAL", "DATETIME", "TEXT",  "MEMO", "BINARY", "LONGBINARY", "GUID"};
  const std::string call = "jet_store(";
  for (std::size_t at = sql.find(call); at != std::string::npos; at = sql.find(call, at + 1)) {
    // The comma after the first argument, past quotes and parentheses.
    int depth = 0;
    char quote = 0;
    std::size_t i = at + call.size();
    for (; i < sql.size(); ++i) {
      const char c = sql[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')') {
        --depth;
      } else if (c == ',' && depth == 0) {
        break;
      }
    }
    for (int code = 0; code < 16; ++code) {
      const std::string name = std::string(", '") + kNames[code] + "'";
      if (sql.compare(i, name.size(), name) == 0) {
        sql.replace(i, name.size(), ", " + std::to_string(code));
        break;
      }
    }
  }
  return sql;
}

std::string TypeText(const JetTypeInfo& type) {
  return std::to_string(static_cast<int>(type.type)) + "(" + std::to_string(type.size) + "," +
         std::to_string(type.scale) + (type.autoNumber ? ",auto" : "") +
         (type.jetDeclared ? ",declared" : "") + ")";
}

// A step's refusal as the learner reads it (the front end's steps have carried it as text,
// then as a diagnostic with its offset).
template <typename Step>
std::string RefusalOf(const Step& step) {
  if constexpr (requires { step.failureWhenRows.empty(); }) {
    return step.failureWhenRows;
  } else {
    if (!step.refusedWhenRows) return {};
    return Render(step.refusedWhenRows->diagnostic).Utf8();
  }
}

void DumpCompile(Connection& connection, const std::string& sql) {
  try {
    EngineCatalogue& catalogue = connection.Catalogue();
    catalogue.Refresh();
    const JetCompiled compiled = CompileJet(sql, catalogue);
    if (compiled.passthrough) {
      std::cout << "  passthrough" << (compiled.moreStatements ? " more" : "") << "\n";
      return;
    }
    for (const JetEngineStep& step : compiled.steps) {
      std::cout << "  step " << Printable(StoreTypesAsCodes(step.sql));
      const std::string refusal = RefusalOf(step);
      if (!refusal.empty()) std::cout << " FAILS " << Printable(refusal);
      std::cout << "\n";
    }
    std::cout << "  sql " << Printable(StoreTypesAsCodes(compiled.engineSql)) << "\n";
    std::cout << "  rows=" << compiled.returnsRows << " defs=" << compiled.changesDefinitions
              << " rebuilds=" << compiled.rebuildsReferencedTable << "\n";
    for (const JetResultColumn& column : compiled.columns) {
      std::cout << "  column " << column.name << " " << TypeText(column.type) << "\n";
    }
  } catch (const JetError& error) {
    std::cout << "  refused@" << error.Offset() << " " << Printable(SjisToUtf8(error.what()))
              << "\n";
  } catch (const TarnwickError& error) {
    std::cout << "  failed " << Printable(SjisToUtf8(error.what())) << "\n";
  }
}

// INSERT ... VALUES as a script's statements share it: the text with its parameters and the
// values bound to them.
void DumpValuesTemplate(const std::string& sql) {
  const std::optional<JetValuesTemplate> values = JetInsertValuesTemplate(sql);
  if (!values) return;
  std::cout << "  template " << Printable(values->text);
  for (const JetLiteralValue& value : values->values) {
    switch (value.kind) {
      case JetLiteralValue::Kind::Integer:
        std::cout << " | int " << value.integer;
        break;
      case JetLiteralValue::Kind::Real:
        std::cout << " | real " << std::hexfloat << value.real << std::defaultfloat;
        break;
      case JetLiteralValue::Kind::Text:
        std::cout << " | text " << Printable(value.text);
        break;
    }
  }
  std::cout << "\n";
}

void DumpRun(Connection& connection, const std::string& sql) {
  Query query(connection);
  query.SetSql(Utf8ToSjis(sql));
  try {
    query.ExecSql();
    std::cout << "  ran\n";
  } catch (const TarnwickError& error) {
    std::cout << "  error " << Printable(SjisToUtf8(error.what())) << "\n";
  }
}

std::vector<std::string> Statements(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> statements;
  std::string line;
  std::string pending;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (pending.empty() && (line.empty() || line.starts_with("--"))) continue;
    if (!line.empty() && line.back() == '\\') {
      pending += line.substr(0, line.size() - 1) + "\n";
      continue;
    }
    statements.push_back(pending + line);
    pending.clear();
  }
  return statements;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: jet-compile-dump DATABASE-FOLDER SCRIPT...\n";
    return 2;
  }
  const std::string folder = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string database = folder + "/dump" + std::to_string(i) + ".mdb";
    std::remove(database.c_str());
    Connection connection;
    connection.SetConnectionString(
        test::MakeDatabase(database, folder + "/dump" + std::to_string(i) + ".udl"));
    connection.Open();
    std::cout << "=== " << argv[i] << "\n";
    for (const std::string& sql : Statements(argv[i])) {
      std::cout << ">>> " << Printable(sql) << "\n";
      DumpCompile(connection, sql);
      DumpValuesTemplate(sql);
      DumpRun(connection, sql);
    }
    connection.Close();
  }
  return 0;
}
