#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/TarnwickError.h"
#include "output/SaveResultLog.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using test::TempDir;

std::string BytesOnDisk(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The message SaveResultLog throws, or an empty text when it throws none.
std::string SaveError(const std::string& path, std::string_view log) {
  try {
    SaveResultLog(path, log);
  } catch (const TarnwickError& error) {
    return error.what();
  }
  return {};
}

// The folder's entries, to see that nothing was left behind.
std::size_t EntryCount(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

// Limits the size of the files the process may write, for the life of the object, so that a
// write fails midway as it would on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previousHandler_;
};

TEST(SaveResultLog, WritesThePaneBytesExactlyUnderTheNameAsGiven) {
  TempDir folder;
  const std::string log = "select * from t\r\n" + Sjis("名前") + "\r\n----\r\nOK\r\n\r\nedited";
  SaveResultLog(folder.File("result"), log);
  EXPECT_EQ(BytesOnDisk(folder.File("result")), log);
  EXPECT_EQ(EntryCount(folder.Path()), 1u);  // no "result.txt", nothing else

  SaveResultLog(folder.File("empty.txt"), "");
  EXPECT_TRUE(std::filesystem::exists(folder.File("empty.txt")));
  EXPECT_EQ(std::filesystem::file_size(folder.File("empty.txt")), 0u);
}

TEST(SaveResultLog, ReplacesAnExistingFileKeepingItsPermissionsAndLinks) {
  TempDir folder;
  const std::string path = folder.File("log.txt");
  std::ofstream(path, std::ios::binary) << std::string(1000, 'x');
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  SaveResultLog(path, "short\r\n");
  EXPECT_EQ(BytesOnDisk(path), "short\r\n");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(folder.Path()), 1u);

  // Saving through a symbolic link writes the file it points to and keeps the link.
  const std::string link = folder.File("link.txt");
  std::filesystem::create_symlink(path, link);
  SaveResultLog(link, "through the link\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(BytesOnDisk(path), "through the link\r\n");
}

TEST(SaveResultLog, AFileThatCannotBeCreatedIsReportedWithItsPathAndReason) {
  TempDir folder;
  const std::string inMissingFolder = folder.File("missing/log.txt");
  EXPECT_EQ(SaveError(inMissingFolder, "OK\r\n"), FileCreateMessage(inMissingFolder, ENOENT));
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));

  const std::string aFolder = folder.File("sub");
  std::filesystem::create_directory(aFolder);
  EXPECT_EQ(SaveError(aFolder, "OK\r\n"), FileCreateMessage(aFolder, EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(aFolder));

  const std::string japanese = folder.File("none") + Sjis("/結果.txt");
  EXPECT_NE(SaveError(japanese, "OK\r\n").find(Sjis("結果.txt\". ")), std::string::npos);
}

TEST(SaveResultLog, AWriteFailingMidwayLeavesNoNewFileAndTheOldFileAsItWas) {
  TempDir folder;
  const std::string existing = folder.File("old.txt");
  std::ofstream(existing, std::ios::binary) << "old\r\n";
  const std::string fresh = folder.File("new.txt");
  const std::string longLog(100, 'a');
  std::string existingError;
  std::string freshError;
  {
    FileSizeLimit limit(10);
    existingError = SaveError(existing, longLog);
    freshError = SaveError(fresh, longLog);
  }
  EXPECT_EQ(existingError, FileCreateMessage(existing, EFBIG));
  EXPECT_EQ(BytesOnDisk(existing), "old\r\n");
  EXPECT_EQ(freshError, FileCreateMessage(fresh, EFBIG));
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(EntryCount(folder.Path()), 1u);  // no temporary file left either
}

TEST(SaveResultLog, AFullDeviceIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(SaveError("/dev/full", "OK\r\n"), FileCreateMessage("/dev/full", ENOSPC));
}

}  // namespace
}  // namespace tarnwick
