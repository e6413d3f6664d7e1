// Reading a 100,000-row result through the data access layer (Query::Open, a text reading of
// every field, Next) side by side with the engine's own C interface doing the same work: step,
// take each value as text, copy it into a string. Wall time is the best of five runs.
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Udl.h"
#include "files/TemplateDatabase.h"
#include "text/FileAccess.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kRepeats = 5;
constexpr const char* kSelect = "SELECT id, name, price, born FROM people";

double BestSeconds(const std::function<std::size_t()>& run, std::size_t& checksum) {
  double best = 1e300;
  for (int i = 0; i < kRepeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    checksum = run();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

void Fill(tarnwick::Connection& connection) {
  tarnwick::Query query(connection);
  query.SetSql("CREATE TABLE people (id INTEGER, name TEXT(40), price DOUBLE, born DATETIME)");
  query.ExecSql();
  query.SetSql(
      "INSERT INTO people WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
      "100000) SELECT i, 'person number ' || i, i * 1.25, '2020-01-01 10:00:00' FROM n");
  query.ExecSql();
}

std::size_t ReadThroughLayer(tarnwick::Connection& connection) {
  tarnwick::Query query(connection);
  query.SetSql(kSelect);
  query.Open();
  std::size_t bytes = 0;
  for (; !query.Eof(); query.Next()) {
    for (int i = 0; i < query.FieldCount(); ++i) bytes += query.FieldAt(i).AsString().size();
  }
  return bytes;
}

std::size_t ReadThroughEngine(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
  std::size_t bytes = 0;
  const int columns = sqlite3_column_count(stmt);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i) {
      const unsigned char* text = sqlite3_column_text(stmt, i);
      bytes += std::string(reinterpret_cast<const char*>(text),
                           static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)))
                   .size();
    }
  }
  sqlite3_finalize(stmt);
  return bytes;
}

}  // namespace

int main() {
  const auto dir =
      std::filesystem::temp_directory_path() / ("tarnwick-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string database = (dir / "bench.mdb").string();
  const std::string descriptor = (dir / "bench.udl").string();
  tarnwick::WriteWholeFile(database, tarnwick::TemplateDatabase());
  tarnwick::WriteUdlFile(descriptor, database);

  tarnwick::Connection connection;
  connection.SetConnectionString("FILE NAME=" + descriptor);
  Fill(connection);

  std::size_t layerBytes = 0;
  std::size_t engineBytes = 0;
  const double layer = BestSeconds([&] { return ReadThroughLayer(connection); }, layerBytes);
  const double engine =
      BestSeconds([&] { return ReadThroughEngine(connection.Handle()); }, engineBytes);
  connection.Close();
  std::filesystem::remove_all(dir);

  std::printf("%-34s %10s\n", "100,000 rows x 4 fields as text", "seconds");
  std::printf("%-34s %10.4f\n", "data access layer", layer);
  std::printf("%-34s %10.4f\n", "engine C interface", engine);
  std::printf("%-34s %10.2f  (target <= 2.00)\n", "ratio", layer / engine);
  if (layerBytes == 0 || engineBytes == 0) {
    std::fprintf(stderr, "no rows were read\n");
    return 1;
  }
  return layer / engine <= 2.0 ? 0 : 1;
}
