#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "output/SaveResultLog.h"
#include "support/TempDir.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

using test::TempDir;

// The message SaveResultLog throws, or an empty text when it throws none.
std::string SaveError(const std::string& path, std::string_view log) {
  return test::ThrownMessage([&] { SaveResultLog(path, log); });
}

// The folder's entries, to see that nothing was left behind.
std::size_t EntryCount(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

// Runs `save` with the size of the files the process may write limited, so that a write
// fails midway as it would on a full disk.
template <typename Save>
void WithFileSizeLimit(rlim_t bytes, Save save) {
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const sighandler_t previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit limit = previous;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
  save();
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, previousHandler);
}

TEST(SaveResultLog, WritesThePaneBytesExactlyAndReplacesAFileKeepingItsPermissionsAndLinks) {
  TempDir folder;
  const std::string log = "select * from t\r\n" + Sjis("名前") + "\r\n----\r\nOK\r\n\r\nedited";
  const std::string path = folder.File("result");
  SaveResultLog(path, log);
  EXPECT_EQ(ReadWholeFile(path), log);
  EXPECT_EQ(EntryCount(folder.Path()), 1u);  // no "result.txt", nothing else
  SaveResultLog(folder.File("empty.txt"), "");
  EXPECT_EQ(ReadWholeFile(folder.File("empty.txt")), "");

  // Saving again through a symbolic link: the shorter text replaces the file it points to,
  // which keeps its permissions; the link stays.
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const std::string link = folder.File("link.txt");
  std::filesystem::create_symlink(path, link);
  SaveResultLog(link, "short\r\n");
  EXPECT_EQ(ReadWholeFile(path), "short\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(folder.Path()), 3u);  // no temporary file left
}

TEST(SaveResultLog, AFileThatCannotBeWrittenIsReportedWithItsPathAndReasonAndLeftAsItWas) {
  TempDir folder;
  std::filesystem::create_directory(folder.File("sub"));
  const std::string existing = folder.File("old.txt");
  WriteWholeFile(existing, "old\r\n");
  const struct {
    std::string path;
    int error;
  } cases[] = {{folder.File("missing") + Sjis("/結果.txt"), ENOENT},
               {folder.File("sub"), EISDIR},
               {"/dev/full", ENOSPC}};
  for (const auto& test : cases) {
    if (!std::filesystem::exists(test.path) && test.error == ENOSPC) continue;  // no /dev/full
    EXPECT_EQ(SaveError(test.path, "OK\r\n"), FileCreateMessage(test.path, test.error));
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("sub")));

  // A write failing midway leaves no new file and the old file as it was.
  const std::string fresh = folder.File("new.txt");
  std::string existingError;
  std::string freshError;
  WithFileSizeLimit(10, [&] {
    existingError = SaveError(existing, std::string(100, 'a'));
    freshError = SaveError(fresh, std::string(100, 'a'));
  });
  EXPECT_EQ(existingError, FileCreateMessage(existing, EFBIG));
  EXPECT_EQ(ReadWholeFile(existing), "old\r\n");
  EXPECT_EQ(freshError, FileCreateMessage(fresh, EFBIG));
  EXPECT_EQ(EntryCount(folder.Path()), 2u);  // "sub" and "old.txt": no new or temporary file
}

TEST(SaveResultLog, AFileWeMayNotWriteIsRefusedAndAHardLinkedOneWrittenInPlace) {
  TempDir folder;
  // Marked read-only, by its owner or by nobody's write permission: refused even where the
  // system would let us write (the tests may run as the administrator).
  const std::string readOnly = folder.File("graded.txt");
  WriteWholeFile(readOnly, "kept\r\n");
  for (const mode_t mode : {0444, 0400, 0000}) {
    ASSERT_EQ(chmod(readOnly.c_str(), mode), 0);
    EXPECT_EQ(SaveError(readOnly, "new\r\n"), FileCreateMessage(readOnly, EACCES));
    ASSERT_EQ(chmod(readOnly.c_str(), 0644), 0);
    EXPECT_EQ(ReadWholeFile(readOnly), "kept\r\n");
  }

  // A file with a second name: both names show the saved log, shorter or longer than before.
  const std::string original = folder.File("original.txt");
  const std::string second = folder.File("second.txt");
  WriteWholeFile(original, "a longer old log\r\n");
  std::filesystem::create_hard_link(original, second);
  for (const std::string& log : {std::string("short\r\n"), std::string(100000, 'x')}) {
    SaveResultLog(second, log);
    EXPECT_EQ(ReadWholeFile(original), log);
    EXPECT_EQ(std::filesystem::hard_link_count(original), 2u);
  }
  EXPECT_EQ(EntryCount(folder.Path()), 3u);

  // A new file appears whole or not at all: a failure leaves neither it nor a temporary file.
  const std::string fresh = folder.File("fresh.txt");
  SaveResultLog(fresh, "whole\r\n");
  EXPECT_EQ(ReadWholeFile(fresh), "whole\r\n");
  struct stat info {};
  ASSERT_EQ(stat(fresh.c_str(), &info), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);  // as a file the user creates
  EXPECT_EQ(EntryCount(folder.Path()), 4u);
}

}  // namespace
}  // namespace tarnwick
