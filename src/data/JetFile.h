#pragma once
// Jet (Microsoft Access) database files, told from our engine's files by their first page, and
// the messages that name them. Nothing here writes to such a file.
#include <string>
#include <string_view>

#include "text/TarnwickError.h"

namespace tarnwick {

enum class JetFileFormat { NotJet, Jet3, Jet4, Ace };

// The format named by a file's first bytes: 00 01 00 00, then "Standard Jet DB" or
// "Standard ACE DB" and a zero byte, the version at offset 0x14 (0 for Jet 3, 1 for Jet 4,
// more for the .accdb formats). Fewer bytes than that are no Jet file.
JetFileFormat JetFormatOfHeader(std::string_view firstBytes);

// The format of the file at a console-text path; NotJet when it cannot be read.
JetFileFormat JetFormatOfFile(std::string_view sjisPath);

inline bool IsJetFile(std::string_view sjisPath) {
  return JetFormatOfFile(sjisPath) != JetFileFormat::NotJet;
}

// A Jet file given where a database of ours is expected (opening, connecting): the file is
// left as it is, and the message says how to bring it in.
class JetFileRefused : public TarnwickError {
 public:
  explicit JetFileRefused(std::string sjisPath);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A Jet file that cannot be read (damaged, protected, locked, of a format we cannot read).
class JetFileUnreadable : public TarnwickError {
 public:
  using TarnwickError::TarnwickError;
};

// "ファイル "<path>" は<what>" as a JetFileUnreadable.
JetFileUnreadable JetFileProblem(std::string_view sjisPath, std::string_view utf8What);

}  // namespace tarnwick
