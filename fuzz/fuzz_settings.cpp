// The settings file from any bytes: decoded, parsed and its values looked up and expanded as
// start-up does it, without a crash or an endless loop.
#include <cstdint>
#include <string>

#include "files/IniFile.h"
#include "files/Settings.h"
#include "text/TarnwickError.h"
#include "text/TextDecoding.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const IniFile ini(DecodeText(bytes, "Tarnwick.ini", TextTarget::Utf8));
    for (const char* key : {"SAVEPATH", "UDLFILE", "MDBFILE"}) {
      if (auto value = ini.ReadString("SYSTEM", key)) ExpandEnvironment(*value);
    }
    ini.ReadInteger("GUI", "FONTSIZE", 9);
    ini.ReadSwitch("GUI", "CLEARTEXT");
    ini.ReadSwitch("GUI", "WORDWRAP");
  } catch (const TarnwickError&) {
  }
  return 0;
}
