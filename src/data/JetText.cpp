#include "data/JetText.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

constexpr std::string_view kCompressedMark = "\xFF\xFE";

void AppendUnit(std::u16string& units, unsigned char low, unsigned char high) {
  units.push_back(static_cast<char16_t>(low | (high << 8)));
}

std::u16string Uncompressed(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  bool oneByte = true;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0) {
      oneByte = !oneByte;
      ++i;
    } else if (oneByte) {
      AppendUnit(units, byte, 0);
      ++i;
    } else if (i + 1 < bytes.size()) {
      AppendUnit(units, byte, static_cast<unsigned char>(bytes[i + 1]));
      i += 2;
    } else {
      units.push_back(u'\uFFFD');  // half a character at the end
      ++i;
    }
  }
  return units;
}

std::u16string LittleEndianUnits(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    AppendUnit(units, static_cast<unsigned char>(bytes[i]),
               static_cast<unsigned char>(bytes[i + 1]));
  }
  if (bytes.size() % 2 != 0) units.push_back(u'\uFFFD');
  return units;
}

}  // namespace

std::string JetTextToUtf8(std::string_view stored, const JetTextEncoding& encoding) {
  if (!encoding.unicode) {
    if (auto text = CodePageToUtf8(stored, encoding.codePage)) return std::move(*text);
    // A code page the system does not know: the common Western one keeps the letters readable.
    return CodePageToUtf8(stored, 1252).value_or(std::string(stored));
  }
  if (stored.starts_with(kCompressedMark)) {
    return Utf16ToUtf8(Uncompressed(stored.substr(kCompressedMark.size())));
  }
  return Utf16ToUtf8(LittleEndianUnits(stored));
}

}  // namespace tarnwick
