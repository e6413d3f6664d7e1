#pragma once
// The statement history kept between runs: a text file in the per-user data folder that holds
// the last kHistoryFileEntries statements, so that stepping back (F3) after a restart reaches
// the statements of earlier runs.
//
// The file is console text (Shift-JIS): a first line that names it, then one statement to a
// line as the history stores it (each CR LF as the bytes 01 02; a CR or LF on its own is
// kept as 01 02 too), every line ended by LF. New statements are appended at the end; once the
// file holds twice the limit it is written anew with the last kHistoryFileEntries.
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

class SqlHistory;

inline constexpr std::size_t kHistoryFileEntries = 1000;
// A statement longer than this (a generated script's INSERT of a whole table, say) is not
// kept in the file.
inline constexpr std::size_t kLongestKeptStatement = 64 * 1024;

// The file's name in the per-user data folder.
inline constexpr std::string_view kHistoryFileName = "history.txt";

// What a history file holds: its statements, oldest first, as the history stores them.
// Throws TarnwickError(FileOpenMessage) when it cannot be read, and DamagedHistoryFile when
// it is no history file (another first line, a NUL byte); a missing file holds none.
std::vector<std::string> ReadHistoryFile(std::string_view sjisPath);

// A history file's bytes for these statements (as the history stores them).
std::string HistoryFileBytes(const std::vector<std::string>& entries);

class DamagedHistoryFile : public std::exception {
 public:
  const char* what() const noexcept override { return "damaged history file"; }
};

// Keeps one history in step with one file.
class HistoryFile {
 public:
  explicit HistoryFile(std::string sjisPath) : path_(std::move(sjisPath)) {}
  const std::string& Path() const { return path_; }

  // Puts the file's last kHistoryFileEntries statements into the (empty) history. Throws as
  // ReadHistoryFile does; after a damaged file the next Save writes the file anew.
  void Load(SqlHistory& history);
  // Writes the statements the history recorded since the last Load or Save. Throws
  // TarnwickError(FileCreateMessage) when the file cannot be written.
  void Save(const SqlHistory& history);

 private:
  void WriteAnew(const std::vector<std::string>& entries);

  std::string path_;
  std::size_t saved_ = 0;        // the history's entries before this one are in the file
  std::size_t fileEntries_ = 0;  // the statements the file holds
  bool rewrite_ = false;         // the file is damaged: the next Save replaces it
};

}  // namespace tarnwick
