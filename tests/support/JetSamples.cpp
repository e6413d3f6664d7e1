#include "support/JetSamples.h"

#include <filesystem>

#include "support/ChildProcess.h"
#include "text/FileAccess.h"

namespace tarnwick::test {

namespace {

constexpr char kCellSeparator = '\x1f';
constexpr char kRowSeparator = '\x1e';

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
       start = end + 1) {
    parts.emplace_back(text.substr(start, end - start));
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

}  // namespace

std::string JetSamplesFolder() {
  const std::string folder = TARNWICK_JET_SAMPLES;
  return !folder.empty() && std::filesystem::is_directory(folder) ? folder : std::string();
}

std::string JetSample(std::string_view name) {
  return JetSamplesFolder() + "/" + std::string(name);
}

std::string CopyOfSample(const TempDir& dir, std::string_view sample, std::string_view name) {
  const std::string copy = dir.File(std::string(name));
  WriteWholeFile(copy, ReadWholeFile(JetSample(sample)));
  return copy;
}

void ReplaceOnce(const std::string& path, std::string_view from, std::string_view to) {
  std::string bytes = ReadWholeFile(path);
  const std::size_t at = bytes.find(from);
  ASSERT_NE(at, std::string::npos) << "not in " << path;
  ASSERT_EQ(bytes.find(from, at + 1), std::string::npos) << "more than once in " << path;
  ASSERT_EQ(from.size(), to.size());
  bytes.replace(at, from.size(), to);
  WriteWholeFile(path, bytes);
}

void Overwrite(const std::string& path, std::size_t offset, std::string_view bytes) {
  std::string contents = ReadWholeFile(path);
  ASSERT_LE(offset + bytes.size(), contents.size());
  contents.replace(offset, bytes.size(), bytes);
  WriteWholeFile(path, contents);
}

std::string ProgramOutput(const std::vector<std::string>& arguments) {
  const ProcessResult result = RunProcess(arguments);
  EXPECT_EQ(result.exitStatus, 0) << arguments.front() << ": " << result.err;
  return result.out;
}

std::vector<std::vector<std::string>> ExportedRows(const std::string& file,
                                                   const std::string& table) {
  const std::string out =
      ProgramOutput({"/usr/bin/mdb-export", "-H", "-Q", "-d", std::string(1, kCellSeparator), "-R",
                     std::string(1, kRowSeparator), "-0", std::string(kNullCell), "-T",
                     "%Y-%m-%d %H:%M:%S", "-b", "hex", file, table});
  std::vector<std::vector<std::string>> rows;
  for (const std::string& row : Split(out, kRowSeparator)) {
    if (!row.empty()) rows.push_back(Split(row, kCellSeparator));
  }
  return rows;
}

}  // namespace tarnwick::test
