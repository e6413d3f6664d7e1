// What tarnwick-run runs: -c texts, script files and standard input, on one session.
#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

TEST(RunnerInputs, EveryKindRunsInCommandLineOrderOnOneConnection) {
  RunnerFolder f;
  // A Shift-JIS script with LF line ends, as an editor may save it. Its temporary table lives
  // only as long as the connection that made it.
  const std::string script = f.dir.File("create.sql");
  WriteWholeFile(script, Sjis("-- 表を作る\nCREATE TEMP TABLE 品 (名 CHAR(8));\n"
                              "INSERT INTO 品 VALUES ('みかん');\n"));
  const ProcessResult result = f.Run({"--new", script, "-", "-c", "SELECT count(*) AS n FROM 品;"},
                                     Sjis("SELECT 名 FROM 品;"));
  EXPECT_EQ(result.out,
            // The file's lines each end in CR LF: the last ';' leaves an empty remainder.
            "-- 表を作る\nCREATE TEMP TABLE 品 (名 CHAR(8));\nOK\n\n"
            "INSERT INTO 品 VALUES ('みかん');\nOK\n\n"
            "\n"
            // Standard input is read like a file, so its last line gains a line break too.
            "SELECT 名 FROM 品;\n名    |\n------+\nみかん|\nOK\n"
            "\n"
            "SELECT count(*) AS n FROM 品;\nn|\n-+\n1|\nOK\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitStatus, 0);

  // Standard input is the script when none is named.
  const ProcessResult input = f.Run({}, "SELECT 7 AS n;\r\nSELECT 8 AS m");
  EXPECT_EQ(input.out, "SELECT 7 AS n;\nn|\n-+\n7|\nOK\nSELECT 8 AS m\nm|\n-+\n8|\nOK\n");
  EXPECT_EQ(input.exitStatus, 0);
}

TEST(RunnerInputs, FailureThatEndsARunIsReportedAndTheNextInputStillRuns) {
  RunnerFolder f;
  // Describing a view whose table is gone fails past the console; the rest of that -c text
  // does not run, the next -c does.
  const ProcessResult result = f.Run(
      {"--new", "-c", "CREATE TABLE t (a INTEGER); CREATE VIEW v AS SELECT a FROM t; DROP TABLE t;",
       "-c", "? v ; SELECT 2 AS never;", "-c", "SELECT 3 AS n;"});
  EXPECT_EQ(result.out.find("never|"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("SELECT 3 AS n;\nn|\n-+\n3|\nOK\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.err.rfind("tarnwick-run: ", 0), 0u) << result.err;
  EXPECT_EQ(result.exitStatus, 1);
}

}  // namespace
}  // namespace tarnwick::test
