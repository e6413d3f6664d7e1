// Descriptor reading from any bytes, and the descriptor written for any database path read
// back: the path exactly, whatever quotes, semicolons and blanks it holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/Udl.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ParseUdlBytes(bytes);

  // The same bytes as a database path (console text); only a path that converts exactly
  // can name a file at all.
  if (!SjisToUtf8Exactly(bytes)) return 0;
  std::string descriptor;
  try {
    descriptor = UdlFileBytes(bytes);
  } catch (const TarnwickError&) {
    return 0;  // a control character: refused before anything is written
  }
  const UdlContents contents = ParseUdlBytes(descriptor);
  // Compared as characters: code page 932 spells a few characters in two ways.
  if (contents.provider != kJetProvider || SjisToUtf16(contents.dataSource) != SjisToUtf16(bytes)) {
    std::abort();
  }
  return 0;
}
