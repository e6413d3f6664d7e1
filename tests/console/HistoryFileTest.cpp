// The statement history kept between runs: what the file holds, how a new run reads it back,
// and what becomes of a damaged or unreadable file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/HistoryFile.h"
#include "console/SqlHistory.h"
#include "support/TempDir.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

using test::TempDir;

std::vector<std::string> Recalled(const SqlHistory& history) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < history.Count(); ++i) entries.push_back(history.Recall(i));
  return entries;
}

TEST(HistoryFile, ANewRunStepsBackThroughTheStatementsOfEarlierRuns) {
  TempDir dir;
  const std::string path = dir.File("history.txt");
  const std::vector<std::string> statements = {"SELECT 1;", "\r\nSELECT a,\r\nb FROM t;", "",
                                               "\r\n", "SELECT '\x95\x5c';"};
  {
    SqlHistory history;
    HistoryFile file(path);
    file.Load(history);
    for (const std::string& statement : statements) history.Record(statement);
    file.Save(history);
  }
  // One statement to a line, line breaks as 01 02, after the first line.
  EXPECT_EQ(ReadWholeFile(path),
            "Tarnwick SQL history 1\nSELECT 1;\n\x01\x02SELECT a,\x01\x02"
            "b FROM t;\n\n\x01\x02\nSELECT '\x95\x5c';\n");
  SqlHistory next;
  HistoryFile file(path);
  file.Load(next);
  EXPECT_EQ(Recalled(next), statements);
  // The next run's statements go after them; saving twice writes nothing twice.
  next.Record("SELECT 2;");
  file.Save(next);
  file.Save(next);
  EXPECT_EQ(ReadHistoryFile(path).size(), statements.size() + 1);
  EXPECT_EQ(ReadHistoryFile(path).back(), "SELECT 2;");
}

TEST(HistoryFile, KeepsTheLastThousandStatementsAndLeavesOutVeryLongOnes) {
  TempDir dir;
  const std::string path = dir.File("history.txt");
  SqlHistory history;
  HistoryFile file(path);
  file.Load(history);
  history.Record(std::string(kLongestKeptStatement + 1, 'x'));
  for (int i = 0; i < 2500; ++i) {
    history.Record("SELECT " + std::to_string(i) + ";");
    if (i % 700 == 0) file.Save(history);  // saved now and then, as runs end
  }
  file.Save(history);
  // The file is cut back once it holds twice the limit, never below the limit.
  EXPECT_GE(ReadHistoryFile(path).size(), kHistoryFileEntries);
  EXPECT_LE(ReadHistoryFile(path).size(), 2 * kHistoryFileEntries);

  SqlHistory next;
  HistoryFile(path).Load(next);
  ASSERT_EQ(next.Count(), kHistoryFileEntries);
  EXPECT_EQ(next.Recall(0), "SELECT 1500;");
  EXPECT_EQ(next.Recall(kHistoryFileEntries - 1), "SELECT 2499;");
}

TEST(HistoryFile, ADamagedFileIsIgnoredAndWrittenAnew) {
  TempDir dir;
  const std::string damaged[] = {"SELECT 1;\n", std::string("Tarnwick SQL history 1\nA\0B\n", 27),
                                 "\xFF\xFE garbage"};
  for (const std::string& bytes : damaged) {
    const std::string path = dir.File("damaged.txt");
    WriteWholeFile(path, bytes);
    SqlHistory history;
    HistoryFile file(path);
    EXPECT_THROW(file.Load(history), DamagedHistoryFile);
    EXPECT_EQ(history.Count(), 0u);
    history.Record("SELECT 3;");
    file.Save(history);
    EXPECT_EQ(ReadHistoryFile(path), std::vector<std::string>{"SELECT 3;"});
  }
}

TEST(HistoryFile, AnUnreadableFileIsLeftAlone) {
  TempDir dir;
  SqlHistory history;
  // A folder in the file's place cannot be read as a file by anyone, root included.
  const std::string folder = dir.File("history.txt");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  EXPECT_THROW(HistoryFile(folder).Load(history), TarnwickError);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(history.Count(), 0);
  // A file without read permission, where the permission binds (root reads every file).
  if (geteuid() == 0) return;
  const std::string locked = dir.File("locked.txt");
  WriteWholeFile(locked, "Tarnwick SQL history 1\nSELECT 1;\n");
  chmod(locked.c_str(), 0);
  EXPECT_THROW(HistoryFile(locked).Load(history), TarnwickError);
  chmod(locked.c_str(), 0600);
  EXPECT_EQ(ReadWholeFile(locked), "Tarnwick SQL history 1\nSELECT 1;\n");
}

}  // namespace
}  // namespace tarnwick
