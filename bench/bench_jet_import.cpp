// Importing Jet (Access) files with tarnwick-run --import, side by side with mdbtools' own way
// into SQLite: mdb-schema's and mdb-export's SQLite statements piped into the sqlite3 shell, in
// one transaction. Two files: the largest sample file, and a 200,000-row table made from a
// sample by adding data pages (rows like the sample's, each with its own key, login and date).
// Best of three runs each; target: within 1.5 times the pipe's time.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ChildTiming.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::bench::Measure;
using tarnwick::bench::Measurement;
using tarnwick::bench::PrintRow;

constexpr int kGeneratedRows = 200'000;
constexpr std::size_t kPage = 4096;  // Jet 4
constexpr std::size_t kDataPageHeader = 14;
// fixedTextTestV2000.mdb: the definition of the table "users" lies on page 21.
constexpr const char* kGeneratorSample = "fixedTextTestV2000.mdb";
constexpr std::uint32_t kUsersDefinition = 21;
constexpr const char* kLargestSample = "indexTestV2000.mdb";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Get32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);  // little-endian, as Jet files are
  return value;
}
std::uint16_t Get16(const std::string& bytes, std::size_t at) {
  std::uint16_t value = 0;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}
void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}
void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
  std::memcpy(bytes.data() + at, &value, 2);
}

// Row `row` of the page at `page`: [start, end) in the file.
std::pair<std::size_t, std::size_t> RowBounds(const std::string& file, std::size_t page,
                                              unsigned row) {
  const std::size_t base = page * kPage;
  const std::size_t start = Get16(file, base + kDataPageHeader + 2 * row) & 0x1FFF;
  const std::size_t end =
      row == 0 ? kPage : Get16(file, base + kDataPageHeader + 2 * (row - 1)) & 0x1FFF;
  return {base + start, base + end};
}

void ReplaceIn(std::string& row, std::string_view from, std::string_view to) {
  const std::size_t at = row.find(from);
  if (at != std::string::npos) row.replace(at, from.size(), to);
}

std::string Utf16(std::string_view ascii) {
  std::string units;
  for (char c : ascii) units += std::string{c, '\0'};
  return units;
}

// Text of the same length, stored compressed (a byte a character) or as UTF-16.
void ReplaceText(std::string& row, std::string_view from, std::string_view to) {
  ReplaceIn(row, from, to);
  ReplaceIn(row, Utf16(from), Utf16(to));
}

// The sample with `rows` more rows in users: copies of its first row, each with its own key,
// login and date, on data pages appended to the file. The table's usage map becomes a
// reference map to a bitmap page (also appended) naming its old and new data pages, and its
// row count is set.
bool MakeGeneratedFile(const fs::path& sample, const fs::path& out, int rows) {
  std::string file = ReadFile(sample);
  if (file.size() % kPage != 0 || file[kUsersDefinition * kPage] != 2) return false;
  std::vector<std::size_t> dataPages;
  for (std::size_t page = 1; page < file.size() / kPage; ++page) {
    if (file[page * kPage] == 1 && Get32(file, page * kPage + 4) == kUsersDefinition) {
      dataPages.push_back(page);
    }
  }
  if (dataPages.empty()) return false;
  const auto [start, end] = RowBounds(file, dataPages.front(), 0);
  const std::string model = file.substr(start, end - start);
  const std::string date = "\x85\xE0\x90\x96\x5F\x97\xE3\x40";  // 2009-11-05 23:41:28
  const std::size_t perPage = (kPage - kDataPageHeader) / (model.size() + 2);
  std::size_t page = file.size() / kPage;
  for (int made = 0; made < rows; ++page) {
    std::string data(kPage, '\0');
    data[0] = 1;
    data[1] = 1;
    Put32(data, 4, kUsersDefinition);
    std::size_t count = 0;
    for (; count < perPage && made < rows; ++count, ++made) {
      std::string row = model;
      Put32(row, 2, static_cast<std::uint32_t>(1000 + made));  // i_user_id, the key
      char login[10];
      std::snprintf(login, sizeof login, "U%08d", made);
      ReplaceText(row, "CORE USER", login);
      double stamp = 40000.5 + made * 0.001;
      ReplaceIn(row, date, std::string(reinterpret_cast<const char*>(&stamp), 8));
      const std::size_t at = kPage - (count + 1) * row.size();
      data.replace(at, row.size(), row);
      Put16(data, kDataPageHeader + 2 * count, static_cast<std::uint16_t>(at));
    }
    Put16(data, 12, static_cast<std::uint16_t>(count));
    Put16(data, 2,
          static_cast<std::uint16_t>(kPage - kDataPageHeader - count * (model.size() + 2)));
    file += data;
    dataPages.push_back(page);
  }
  // The bitmap page: bit n names page n.
  std::string bitmap(kPage, '\0');
  bitmap[0] = 5;
  bitmap[1] = 1;
  for (std::size_t dataPage : dataPages) {
    if (dataPage >= (kPage - 4) * 8) return false;
    bitmap[4 + dataPage / 8] = static_cast<char>(bitmap[4 + dataPage / 8] | (1 << (dataPage % 8)));
  }
  const auto bitmapPage = static_cast<std::uint32_t>(file.size() / kPage);
  file += bitmap;
  const std::uint32_t mapRow = Get32(file, kUsersDefinition * kPage + 55);
  const auto [mapStart, mapEnd] = RowBounds(file, mapRow >> 8, mapRow & 0xFF);
  if (mapEnd - mapStart < 5) return false;
  std::fill(file.begin() + static_cast<long>(mapStart), file.begin() + static_cast<long>(mapEnd),
            '\0');
  file[mapStart] = 1;
  Put32(file, mapStart + 1, bitmapPage);
  Put32(file, kUsersDefinition * kPage + 16, Get32(file, kUsersDefinition * kPage + 16) + rows);
  std::ofstream(out, std::ios::binary) << file;
  return true;
}

// mdbtools' way into SQLite: the schema, then every table's rows in one transaction.
std::string ShellPipe(const fs::path& jet, const fs::path& db) {
  const std::string file = "'" + jet.string() + "'";
  return "{ mdb-schema " + file + " sqlite; echo 'BEGIN;'; for t in $(mdb-tables -1 " + file +
         "); do mdb-export -I sqlite " + file + " \"$t\"; done; echo 'COMMIT;'; } | sqlite3 '" +
         db.string() + "'";
}

void RemoveDatabase(const fs::path& db) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal", ".udl"})
    fs::remove(db.string() + suffix);
}

struct Comparison {
  Measurement ours;
  Measurement pipe;
  long oursRows = -1;  // the rows of users in each result, checked after the runs
  long pipeRows = -1;
};

// The number of rows of a table of an SQLite file, through the sqlite3 shell.
long CountRows(const fs::path& db, const char* table) {
  const std::string command = "sqlite3 '" + db.string() + "' 'SELECT count(*) FROM " + table + "'";
  FILE* out = popen(command.c_str(), "r");
  if (out == nullptr) return -1;
  long rows = -1;
  if (std::fscanf(out, "%ld", &rows) != 1) rows = -1;
  pclose(out);
  return rows;
}

Comparison Compare(const fs::path& jet, const fs::path& dir, const char* table) {
  const fs::path ourDb = dir / "ours.mdb";
  const fs::path shellDb = dir / "shell.db";
  Comparison result;
  result.ours = Measure({TARNWICK_RUN_PATH, "--db", ourDb, "--new", "--import", jet}, {},
                        [&] { RemoveDatabase(ourDb); });
  result.pipe =
      Measure({"sh", "-c", ShellPipe(jet, shellDb)}, {}, [&] { RemoveDatabase(shellDb); });
  result.oursRows = CountRows(ourDb, table);
  result.pipeRows = CountRows(shellDb, table);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path samples = argc > 1 ? fs::path(argv[1]) : fs::path(TARNWICK_JET_SAMPLES);
  if (samples.empty() || !fs::is_directory(samples)) {
    std::fprintf(stderr, "the Jet sample files are missing: name their folder as the argument\n");
    return 2;
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarnwick-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path dir = pattern;

  const fs::path generated = dir / "generated.mdb";
  if (!MakeGeneratedFile(samples / kGeneratorSample, generated, kGeneratedRows)) {
    std::fprintf(stderr, "could not make the generated Jet file from %s\n", kGeneratorSample);
    return 2;
  }
  const Comparison largest = Compare(samples / kLargestSample, dir, "Table1");
  const Comparison big = Compare(generated, dir, "users");

  std::printf("%-42s %12s %10s %8s %7s\n", "", "tarnwick-run", "mdb-export", "ratio", "target");
  PrintRow("largest sample (indexTestV2000.mdb), s", largest.ours.seconds, largest.pipe.seconds,
           1.5);
  PrintRow("200,000-row generated table, s", big.ours.seconds, big.pipe.seconds, 1.5);
  std::printf(
      "\nPeak memory, MB: tarnwick-run %.1f, sqlite3 pipe (its shell) %.1f; generated file "
      "%.1f MB.\n",
      big.ours.peakKb / 1024.0, big.pipe.peakKb / 1024.0,
      static_cast<double>(fs::file_size(generated)) / (1 << 20));
  std::printf("Rows of users: tarnwick-run %ld, sqlite3 pipe %ld (of %d made and 2 sampled).\n",
              big.oursRows, big.pipeRows, kGeneratedRows);
  fs::remove_all(dir);
  const bool failed = largest.ours.failed || largest.pipe.failed || big.ours.failed ||
                      big.pipe.failed || big.oursRows != kGeneratedRows + 2 ||
                      big.pipeRows != big.oursRows || largest.oursRows != largest.pipeRows;
  return failed ? 1 : 0;
}
