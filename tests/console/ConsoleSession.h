#pragma once
// A console on a fresh test database: the pane is a StringPane, and pending-event calls are
// counted. Texts go in and come out as UTF-8 so that expectations read as written.
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/ResultPane.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/TarnwickError.h"
#include "support/TestDatabase.h"

namespace tarnwick::test {

struct ConsoleSession {
  TestDatabase database;
  Query query{database.Db()};
  Table table{database.Db()};
  SqlHistory history;
  StringPane pane;
  int eventPumps = 0;
  ConsoleContext context{pane, database.Db(), query, table, history, [this] { ++eventPumps; }};

  // Runs a script written in UTF-8, as the Run command would.
  void Run(std::string_view utf8Script) { RunScript(context, Sjis(utf8Script)); }
  // The pane's whole text, in UTF-8.
  std::string Pane() const { return SjisToUtf8(pane.Text()); }
  // Every recorded statement as it ran, line breaks restored, in UTF-8.
  std::vector<std::string> Executed() const {
    std::vector<std::string> statements;
    for (std::size_t i = 0; i < history.Count(); ++i) {
      statements.push_back(SjisToUtf8(history.Recall(i)));
    }
    return statements;
  }
  // The engine's message for a statement that fails, as the console shows it (UTF-8).
  std::string FailureOf(std::string_view utf8Sql) {
    Query probe(database.Db());
    probe.SetSql(Sjis(utf8Sql));
    try {
      probe.ExecSql();
    } catch (const TarnwickError& error) {
      return SjisToUtf8(error.what());
    }
    return "(no failure)";
  }
  // Makes every later use of the connection fail: closed, and its descriptor missing.
  void BreakConnection() {
    database.Db().Close();
    database.Db().SetConnectionString("FILE NAME=" + database.Dir().File("missing.udl"));
  }
};

}  // namespace tarnwick::test
