// Decoding the text of a script or settings file from any bytes: either a refusal, or a text
// without NUL that is valid in its target encoding.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/TextDecoding.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const std::string sjis = DecodeText(bytes, "f", TextTarget::ConsoleText);
    if (sjis.find('\0') != std::string::npos || !SjisToUtf8Exactly(sjis)) std::abort();
  } catch (const TarnwickError&) {
  }
  try {
    const std::string utf8 = DecodeText(bytes, "f", TextTarget::Utf8);
    if (utf8.find('\0') != std::string::npos || !IsValidUtf8(utf8)) std::abort();
  } catch (const TarnwickError&) {
  }
  return 0;
}
