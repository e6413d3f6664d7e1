#pragma once
// What is checked of a Jet file before the library reads it: that it can be read, is not being
// written by another program, holds whole pages and is not protected by a password.
#include <cstdint>
#include <string_view>

#include "data/JetFile.h"

namespace tarnwick {

struct JetFileLayout {
  JetFileFormat format = JetFileFormat::NotJet;
  std::int64_t pageSize = 0;
  std::int64_t pageCount = 0;
};

// Throws JetFileUnreadable (or TarnwickError with the system's reason) naming the file when it
// cannot be read as it is; returns its format and size in pages otherwise.
JetFileLayout CheckJetFile(std::string_view sjisPath);

// True when the password field of the first page (masked as Jet masks it) holds a password.
// `firstPage` is at least the first 0x80 bytes of the file.
bool HasDatabasePassword(std::string_view firstPage, JetFileFormat format);

}  // namespace tarnwick
