#pragma once
// A console on a fresh test database: the pane is a StringPane, and pending-event calls are
// counted. Texts go in and come out as UTF-8 so that expectations read as written.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick::test {

using Statements = std::vector<std::string>;

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
  Statements Executed() const {
    Statements statements;
    for (std::size_t i = 0; i < history.Count(); ++i) {
      statements.push_back(SjisToUtf8(history.Recall(i)));
    }
    return statements;
  }
  // The engine's message for a statement that fails, as the console shows it (UTF-8); empty
  // when it does not fail.
  std::string FailureOf(std::string_view utf8Sql) {
    Query probe(database.Db());
    probe.SetSql(Sjis(utf8Sql));
    return SjisToUtf8(ThrownMessage([&] { probe.ExecSql(); }));
  }
  // Makes every later use of the connection fail: closed, and its descriptor missing.
  void BreakConnection() {
    database.Db().Close();
    database.Db().SetConnectionString("FILE NAME=" + database.Dir().File("missing.udl"));
  }
};

// A script run on a fresh console after the setup statements, and the pane it must leave.
// Each '%' in the pane stands for the engine's message for the next of the failing statements.
struct PaneCase {
  Statements setup;
  std::string script;
  std::string pane;
  Statements failing = {};
};

// Runs every case; besides the pane, each failure must have been counted as an error report,
// and the query and table objects must be left closed.
inline void ExpectPanes(const std::vector<PaneCase>& cases) {
  for (const PaneCase& c : cases) {
    SCOPED_TRACE(c.script);
    ConsoleSession console;
    for (const std::string& sql : c.setup) console.database.Exec(sql);
    console.Run(c.script);
    std::string expected = c.pane;
    for (const std::string& sql : c.failing) {
      expected.replace(expected.find('%'), 1, console.FailureOf(sql));
    }
    EXPECT_EQ(console.Pane(), expected);
    EXPECT_EQ(console.context.errorsReported, static_cast<int>(c.failing.size()));
    EXPECT_FALSE(console.query.Active());
    EXPECT_FALSE(console.table.Active());
  }
}

}  // namespace tarnwick::test
