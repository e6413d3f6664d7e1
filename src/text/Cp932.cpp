#include "text/Cp932.h"

#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>

namespace tarnwick {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr char kSjisReplacement = '?';

// One conversion direction, opened once per thread and reused for every call.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~IconvConverter() { iconv_close(cd_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  // Converts all of input. At a sequence iconv rejects, skip(rest) says how many bytes form
  // the rejected character and the replacement is written in its place.
  template <typename SkipLength>
  std::string Convert(std::string_view input, std::string_view replacement, SkipLength skip) const {
    std::string out;
    out.resize(input.size() * 3 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      std::size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      used = out.size() - outLeft;
      if (result != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ (not convertible) or EINVAL (cut off at the end): mark it and go on.
      std::size_t length = skip(std::string_view(in, inLeft));
      if (length == 0 || length > inLeft) length = inLeft;
      in += length;
      inLeft -= length;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
      out.replace(used, replacement.size(), replacement);
      used += replacement.size();
    }
    out.resize(used);
    return out;
  }

  // Where the first sequence iconv rejects begins; nothing when it converts all of input. The
  // converted text is not kept: it goes through a small buffer again and again.
  std::optional<std::size_t> FirstRejected(std::string_view input) const {
    char buffer[16384];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    for (;;) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      if (iconv(cd_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
      if (errno != E2BIG) return input.size() - inLeft;
    }
    return std::nullopt;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::size_t Utf8CharacterLength(std::string_view text) {
  unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t expected = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 1;
  std::size_t length = 1;
  while (length < expected && length < text.size() &&
         IsUtf8Continuation(static_cast<unsigned char>(text[length]))) {
    ++length;
  }
  return length;
}

namespace {

bool IsSjisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The number of bytes of the Shift-JIS character that starts text: two for a lead byte with a
// trail byte, one otherwise (so a following ASCII byte such as a quote is never swallowed).
std::size_t SjisCharacterLength(std::string_view text) {
  if (text.size() >= 2 && IsSjisLeadByte(static_cast<unsigned char>(text[0])) &&
      IsSjisTrail(static_cast<unsigned char>(text[1]))) {
    return 2;
  }
  return 1;
}

const IconvConverter& Utf8ToSjisConverter() {
  thread_local IconvConverter converter("CP932", "UTF-8");
  return converter;
}

const IconvConverter& SjisToUtf8Converter() {
  thread_local IconvConverter converter("UTF-8", "CP932");
  return converter;
}

// Decodes well-formed UTF-8 (as iconv produces it) into UTF-16 code units.
std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = Utf8CharacterLength(utf8.substr(i));
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
    char32_t cp = 0xFFFD;
    if (length == 1 && byte(0) < 0x80) {
      cp = byte(0);
    } else if (length == 2 && byte(0) >= 0xC0) {
      cp = ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    } else if (length == 3) {
      cp = ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    } else if (length == 4) {
      cp = ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
           (byte(3) & 0x3F);
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += length;
  }
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  if (IsAscii(bytes)) return std::string(bytes);
  thread_local std::map<unsigned, std::unique_ptr<IconvConverter>> converters;
  std::unique_ptr<IconvConverter>& converter = converters[codePage];
  if (!converter) {
    try {
      converter =
          std::make_unique<IconvConverter>("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    } catch (const std::runtime_error&) {
      converters.erase(codePage);
      return std::nullopt;
    }
  }
  return converter->Convert(bytes, kUtf8Replacement, [](std::string_view) { return 1; });
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string Utf8ToSjis(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Utf8ToSjisConverter().Convert(utf8, std::string_view(&kSjisReplacement, 1),
                                       Utf8CharacterLength);
}

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  return SjisToUtf8Converter().Convert(sjis, kUtf8Replacement, SjisCharacterLength);
}

std::optional<std::string> Utf8ToSjisExactly(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  bool failed = false;
  std::string sjis = Utf8ToSjisConverter().Convert(utf8, std::string_view(&kSjisReplacement, 1),
                                                   [&](std::string_view rest) {
                                                     failed = true;
                                                     return Utf8CharacterLength(rest);
                                                   });
  if (failed) return std::nullopt;
  return sjis;
}

std::optional<std::string> SjisToUtf8Exactly(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  bool failed = false;
  std::string utf8 =
      SjisToUtf8Converter().Convert(sjis, kUtf8Replacement, [&](std::string_view rest) {
        failed = true;
        return SjisCharacterLength(rest);
      });
  if (failed) return std::nullopt;
  return utf8;
}

std::optional<std::size_t> FirstInvalidSjis(std::string_view sjis) {
  if (IsAscii(sjis)) return std::nullopt;
  return SjisToUtf8Converter().FirstRejected(sjis);
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // no overlong forms
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
      return false;
    }
    if (i + length > text.size() || byte(1) < low || byte(1) > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (!IsUtf8Continuation(byte(k))) return false;
    }
    i += length;
  }
  return true;
}

std::u16string SjisToUtf16(std::string_view sjis) {
  if (IsAscii(sjis)) return std::u16string(sjis.begin(), sjis.end());
  return Utf8ToUtf16(SjisToUtf8(sjis));
}

std::string Utf16ToSjis(std::u16string_view utf16) {
  bool ascii = true;
  for (char16_t unit : utf16) ascii = ascii && unit < 0x80;
  if (ascii) return std::string(utf16.begin(), utf16.end());
  return Utf8ToSjis(Utf16ToUtf8(utf16));
}

}  // namespace tarnwick
