// libFuzzer harness of the Jet reading path: each input is taken as a Jet file and read as the
// import reads one (catalogue, keys, indexes, relationships, saved queries, every row of every
// table). A broken file must end in a TarnwickError, never in a crash, a hang or a leak.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/mdb/JetDatabase.h"
#include "text/TarnwickError.h"

namespace {

// The input as a file without touching the disk.
class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : fd_(memfd_create("jet", MFD_CLOEXEC)) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < size) {
      const ssize_t written = write(fd_, data + done, size - done);
      if (written <= 0) break;
      done += static_cast<std::size_t>(written);
    }
  }
  ~MemoryFile() {
    if (fd_ >= 0) close(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }
  bool Valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

void ReadEverything(tarnwick::JetDatabase& database) {
  database.PrimaryKeyRows();
  database.UniqueIndexes();
  database.Relationships();
  database.SavedQueries();
  for (const std::string& name : database.TableNames()) {
    try {
      database.AutoNumberCounter(name);
      const std::unique_ptr<tarnwick::RowSource> rows = database.OpenTable(name);
      rows->Rewind();
      std::size_t bytes = 0;
      while (rows->Fetch()) {
        for (const tarnwick::HeldValue& cell : rows->Cells()) bytes += cell.bytes.size();
      }
      (void)bytes;
    } catch (const tarnwick::TarnwickError&) {
      // A damaged table: the import reports it and goes on with the next.
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const MemoryFile file(data, size);
  if (!file.Valid()) return 0;
  try {
    const std::unique_ptr<tarnwick::JetDatabase> database =
        tarnwick::JetDatabase::Open(file.Path());
    ReadEverything(*database);
  } catch (const tarnwick::TarnwickError&) {
    // A file that cannot be read is reported with a message: what the reader must do.
  }
  return 0;
}
