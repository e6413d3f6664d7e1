#include "console/HistoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/SqlHistory.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

constexpr std::string_view kFirstLine = "Tarnwick SQL history 1\n";

// One statement as a line of the file: every line break as 01 02.
std::string FileLine(std::string_view stored) {
  std::string line;
  line.reserve(stored.size() + 1);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const char byte = stored[i];
    if (byte == '\r' || byte == '\n') {
      line += "\x01\x02";
      if (byte == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
    } else {
      line += byte;
    }
  }
  line += '\n';
  return line;
}

bool Kept(std::string_view stored) { return stored.size() <= kLongestKeptStatement; }

// Appends bytes at the end of the file, creating it (with its first line) when missing.
void AppendToFile(const std::string& sjisPath, const std::string& lines) {
  const std::string native = NativePath(sjisPath);
  const int fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw TarnwickError(FileCreateMessage(sjisPath, errno));
  std::string bytes = ::lseek(fd, 0, SEEK_END) == 0 ? std::string(kFirstLine) : std::string();
  bytes += lines;
  std::size_t written = 0;
  int error = 0;
  while (written < bytes.size() && error == 0) {
    const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) error = count < 0 ? errno : ENOSPC;
    if (count > 0) written += static_cast<std::size_t>(count);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) throw TarnwickError(FileCreateMessage(sjisPath, error));
}

}  // namespace

std::vector<std::string> ReadHistoryFile(std::string_view sjisPath) {
  // Only a missing file is an empty history; anything else in its place (a folder, a file
  // that cannot be read) is refused when it is read.
  struct stat info {};
  if (::stat(NativePath(sjisPath).c_str(), &info) != 0 && errno == ENOENT) return {};
  const std::string bytes = ReadWholeFile(sjisPath);
  if (!bytes.starts_with(kFirstLine) || bytes.find('\0') != std::string::npos) {
    throw DamagedHistoryFile();
  }
  std::vector<std::string> entries;
  std::size_t begin = kFirstLine.size();
  while (begin < bytes.size()) {
    std::size_t end = bytes.find('\n', begin);
    if (end == std::string::npos) end = bytes.size();  // a last line cut short counts too
    std::string_view line(bytes.data() + begin, end - begin);
    if (line.ends_with('\r')) line.remove_suffix(1);
    entries.emplace_back(line);
    begin = end + 1;
  }
  return entries;
}

std::string HistoryFileBytes(const std::vector<std::string>& entries) {
  std::string bytes(kFirstLine);
  for (const std::string& entry : entries) {
    if (Kept(entry)) bytes += FileLine(entry);
  }
  return bytes;
}

void HistoryFile::Load(SqlHistory& history) {
  std::vector<std::string> entries;
  try {
    entries = ReadHistoryFile(path_);
  } catch (const DamagedHistoryFile&) {
    rewrite_ = true;
    saved_ = history.Count();
    throw;
  }
  const std::size_t first =
      entries.size() > kHistoryFileEntries ? entries.size() - kHistoryFileEntries : 0;
  for (std::size_t i = first; i < entries.size(); ++i) history.RecordStored(entries[i]);
  fileEntries_ = entries.size();
  saved_ = history.Count();
}

void HistoryFile::WriteAnew(const std::vector<std::string>& entries) {
  const std::size_t first =
      entries.size() > kHistoryFileEntries ? entries.size() - kHistoryFileEntries : 0;
  const std::vector<std::string> kept(entries.begin() + static_cast<std::ptrdiff_t>(first),
                                      entries.end());
  // Written beside the file and renamed over it, so that the file is whole at every moment.
  const std::string temporary = path_ + ".new";
  WriteWholeFile(temporary, HistoryFileBytes(kept));
  if (std::rename(NativePath(temporary).c_str(), NativePath(path_).c_str()) != 0) {
    const int error = errno;
    DeleteFile(temporary);
    throw TarnwickError(FileCreateMessage(path_, error));
  }
  fileEntries_ = kept.size();
}

void HistoryFile::Save(const SqlHistory& history) {
  const std::size_t count = history.Count();
  if (count == saved_ && !rewrite_) return;
  std::size_t first = saved_;
  if (count - first > kHistoryFileEntries) first = count - kHistoryFileEntries;
  if (rewrite_) {
    std::vector<std::string> entries;
    for (std::size_t i = first; i < count; ++i) entries.emplace_back(history.StoredEntry(i));
    WriteAnew(entries);
    rewrite_ = false;
  } else {
    std::string lines;
    std::size_t added = 0;
    for (std::size_t i = first; i < count; ++i) {
      if (!Kept(history.StoredEntry(i))) continue;
      lines += FileLine(history.StoredEntry(i));
      ++added;
    }
    if (!lines.empty()) AppendToFile(path_, lines);
    fileEntries_ += added;
    // Another window may have added its own statements meanwhile: they stay, and the file is
    // cut back to the last ones now and then.
    if (fileEntries_ > 2 * kHistoryFileEntries) WriteAnew(ReadHistoryFile(path_));
  }
  saved_ = count;
}

}  // namespace tarnwick
