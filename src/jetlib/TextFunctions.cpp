// Jet's text functions. Positions and lengths count characters.
#include <string>

#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"
#include "jetlib/KanaWidth.h"
#include "jetlib/LetterCase.h"
#include "jetlib/TextSearch.h"
#include "jetlib/Utf8Text.h"
#include "text/Cp932.h"

namespace tarnwick::jetlib {

namespace {

constexpr std::int64_t kMaxLength = 0x7FFFFFFF;

// A length or position argument: Jet refuses negative ones.
std::int64_t Count(Call& call, int i, std::int64_t min = 0) {
  const std::int64_t value = call.Whole(i, INT64_MIN, INT64_MAX);
  if (value < min || value > kMaxLength) Fail(JetRuntimeError::InvalidArgument);
  return value;
}

void Left(Call& call) {
  const std::string_view text = call.Text(0);
  call.ResultText(text.substr(0, ByteOffsetOfCharacter(text, Count(call, 1))));
}

void Right(Call& call) {
  const std::string_view text = call.Text(0);
  const auto length = static_cast<std::size_t>(Count(call, 1));
  const std::size_t characters = CharacterCount(text);
  if (length >= characters) return call.ResultText(text);
  call.ResultText(text.substr(ByteOffsetOfCharacter(text, characters - length)));
}

void Mid(Call& call) {
  const std::string_view text = call.Text(0);
  const auto start = static_cast<std::size_t>(Count(call, 1, 1));
  const std::size_t from = ByteOffsetOfCharacter(text, start - 1);
  std::string_view rest = text.substr(from);
  if (call.Has(2)) rest = rest.substr(0, ByteOffsetOfCharacter(rest, Count(call, 2)));
  call.ResultText(rest);
}

void Len(Call& call) { call.ResultWhole(static_cast<std::int64_t>(CharacterCount(call.Text(0)))); }

// InStr([start, ]text, part[, compare])
void InStr(Call& call) {
  const int first = call.Count() >= 3 ? 1 : 0;
  if (call.IsNull(first) || call.IsNull(first + 1)) {
    if (first == 1) Count(call, 0, 1);  // a NULL start is still refused
    return call.ResultNull();
  }
  const std::size_t start = first == 1 ? static_cast<std::size_t>(Count(call, 0, 1)) : 1;
  const bool ignoreCase = IgnoresCase(call, 3);
  const SearchText text(call.Text(first), ignoreCase);
  const SearchText part(call.Text(first + 1), ignoreCase);
  if (start > CharacterCount(text.View())) return call.ResultWhole(0);
  if (part.View().empty()) return call.ResultWhole(static_cast<std::int64_t>(start));
  call.ResultWhole(static_cast<std::int64_t>(FindForward(text.View(), part.View(), start)));
}

// InStrRev(text, part[, start[, compare]])
void InStrRev(Call& call) {
  if (call.IsNull(0) || call.IsNull(1)) return call.ResultNull();
  const std::int64_t start = call.OptionalWhole(2, -1);
  if (start == 0 || start < -1) Fail(JetRuntimeError::InvalidArgument);
  const bool ignoreCase = IgnoresCase(call, 3);
  const SearchText text(call.Text(0), ignoreCase);
  const SearchText part(call.Text(1), ignoreCase);
  const std::size_t length = CharacterCount(text.View());
  const std::size_t end = start == -1 ? length : static_cast<std::size_t>(start);
  if (end > length) return call.ResultWhole(0);
  if (part.View().empty()) return call.ResultWhole(static_cast<std::int64_t>(end));
  call.ResultWhole(static_cast<std::int64_t>(FindBackward(text.View(), part.View(), end)));
}

void UCase(Call& call) { call.ResultText(ToUpper(call.Text(0))); }
void LCase(Call& call) { call.ResultText(ToLower(call.Text(0))); }

// Trim's blanks: half-width and full-width (U+3000, three bytes) spaces.
constexpr std::string_view kWideSpace = "\xE3\x80\x80";
std::string_view TrimStart(std::string_view text) {
  while (true) {
    if (text.starts_with(' ')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kWideSpace)) {
      text.remove_prefix(kWideSpace.size());
    } else {
      return text;
    }
  }
}
std::string_view TrimEnd(std::string_view text) {
  while (true) {
    if (text.ends_with(' ')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kWideSpace)) {
      text.remove_suffix(kWideSpace.size());
    } else {
      return text;
    }
  }
}

void Trim(Call& call) { call.ResultText(TrimEnd(TrimStart(call.Text(0)))); }
void LTrim(Call& call) { call.ResultText(TrimStart(call.Text(0))); }
void RTrim(Call& call) { call.ResultText(TrimEnd(call.Text(0))); }

// The text a character code stands for in code page 932 (Chr, String).
std::string CharacterOfCode(std::int64_t code) {
  if (code < -32768 || code > 65535) Fail(JetRuntimeError::InvalidArgument);
  if (code < 0) code += 65536;
  if (code < 0x80) return std::string(1, static_cast<char>(code));
  char bytes[2];
  std::size_t length = 0;
  if (code > 0xFF) bytes[length++] = static_cast<char>(code >> 8);
  bytes[length++] = static_cast<char>(code & 0xFF);
  return SjisToUtf8(std::string_view(bytes, length));
}

std::int64_t LimitedLength(Call& call, std::int64_t length) {
  const int limit =
      sqlite3_limit(sqlite3_context_db_handle(call.Context()), SQLITE_LIMIT_LENGTH, -1);
  if (length > limit) Fail(JetRuntimeError::InvalidArgument);
  return length;
}

void Space(Call& call) {
  call.ResultText(std::string(static_cast<std::size_t>(LimitedLength(call, Count(call, 0))), ' '));
}

// String(count, character): a character as text (its first) or as a character code.
void String(Call& call) {
  if (call.IsNull(1)) {
    Count(call, 0);
    return call.ResultNull();
  }
  const std::int64_t count = Count(call, 0);
  std::string character;
  if (call.Type(1) == SQLITE_TEXT) {
    const std::string_view text = call.Text(1);
    if (text.empty()) Fail(JetRuntimeError::InvalidArgument);
    character = text.substr(0, ByteOffsetOfCharacter(text, 1));
  } else {
    const std::int64_t code = call.Whole(1, INT64_MIN, INT64_MAX);
    character = CharacterOfCode(((code % 256) + 256) % 256);
  }
  LimitedLength(call, count * static_cast<std::int64_t>(character.size()));
  std::string out;
  out.reserve(static_cast<std::size_t>(count) * character.size());
  for (std::int64_t k = 0; k < count; ++k) out += character;
  call.ResultText(out);
}

// Replace(text, find, replacement[, start[, count[, compare]]]): the text from `start` on,
// with up to `count` matches replaced (-1: all).
void Replace(Call& call) {
  const std::string_view text = call.Text(0);
  const std::string_view find = call.Text(1);
  const std::string_view replacement = call.Text(2);
  const std::int64_t start = call.OptionalWhole(3, 1);
  const std::int64_t count = call.OptionalWhole(4, -1);
  if (start < 1 || count < -1) Fail(JetRuntimeError::InvalidArgument);
  const bool ignoreCase = IgnoresCase(call, 5);
  const std::string_view rest = text.substr(ByteOffsetOfCharacter(text, start - 1));
  if (find.empty() || count == 0) return call.ResultText(rest);
  const SearchText searched(rest, ignoreCase);
  const SearchText part(find, ignoreCase);
  std::string out;
  std::size_t done = 0;
  std::int64_t replaced = 0;
  while (count == -1 || replaced < count) {
    const std::size_t found = searched.View().find(part.View(), done);
    if (found == std::string_view::npos) break;
    out.append(rest.substr(done, found - done));
    out.append(replacement);
    done = found + part.View().size();
    ++replaced;
  }
  out.append(rest.substr(done));
  call.ResultText(out);
}

void StrReverse(Call& call) {
  const std::string_view text = call.Text(0);
  std::string out;
  out.reserve(text.size());
  for (std::size_t end = text.size(); end > 0;) {
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    out.append(text.substr(start, end - start));
    end = start;
  }
  call.ResultText(out);
}

void StrComp(Call& call) {
  if (call.IsNull(0) || call.IsNull(1)) return call.ResultNull();
  const bool ignoreCase = IgnoresCase(call, 2);
  const SearchText left(call.Text(0), ignoreCase);
  const SearchText right(call.Text(1), ignoreCase);
  const int order = left.View().compare(right.View());
  call.ResultWhole(order < 0 ? -1 : order > 0 ? 1 : 0);
}

// Asc: the code page 932 code of the first character, as a 16-bit signed number.
void Asc(Call& call) {
  const std::string_view text = call.Text(0);
  if (text.empty()) Fail(JetRuntimeError::InvalidArgument);
  const std::string sjis = Utf8ToSjis(text.substr(0, ByteOffsetOfCharacter(text, 1)));
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(sjis[k]); };
  if (sjis.size() == 1) return call.ResultWhole(byte(0));
  call.ResultWhole(static_cast<std::int16_t>((byte(0) << 8) | byte(1)));
}

void Chr(Call& call) { call.ResultText(CharacterOfCode(call.Whole(0, INT64_MIN, INT64_MAX))); }

// StrConv(text, conversion[, locale]): 1 upper, 2 lower, 3 proper case; 4 wide, 8 narrow;
// 16 katakana, 32 hiragana; one of each group may be combined.
void StrConv(Call& call) {
  if (call.IsNull(1)) Fail(JetRuntimeError::InvalidUseOfNull);
  const std::int64_t conversion = call.Whole(1);
  const std::int64_t letterCase = conversion & 3;
  const std::int64_t width = conversion & 12;
  const std::int64_t kana = conversion & 48;
  if ((conversion & ~std::int64_t{63}) != 0 || width == 12 || kana == 48)
    Fail(JetRuntimeError::InvalidArgument);
  std::string text(call.Text(0));
  if (letterCase == 1) text = ToUpper(text);
  if (letterCase == 2) text = ToLower(text);
  if (letterCase == 3) text = ToProperCase(text);
  if (width == 4) text = ToWide(text);
  if (kana == 16) text = ToKatakana(text);
  if (kana == 32) text = ToHiragana(text);
  if (width == 8) text = ToNarrow(text);
  call.ResultText(text);
}

void Val(Call& call) { call.ResultDouble(LeadingNumber(call.Text(0))); }

// Hex and Oct of a whole number; negative numbers in 32-bit two's complement.
void WriteInRadix(Call& call, unsigned radix) {
  const std::int64_t value = call.Whole(0);
  auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
  char digits[16];
  std::size_t length = 0;
  do {
    digits[length++] = "0123456789ABCDEF"[bits % radix];
    bits /= radix;
  } while (bits != 0);
  std::string out(digits, length);
  call.ResultText(std::string(out.rbegin(), out.rend()));
}
void Hex(Call& call) { WriteInRadix(call, 16); }
void Oct(Call& call) { WriteInRadix(call, 8); }

// A NULL first argument gives NULL; a NULL elsewhere fails where the body reads it.
template <ScalarBody Body>
void FirstGivesNull(Call& call) {
  if (call.IsNull(0)) return call.ResultNull();
  Body(call);
}

constexpr auto kText = JetType::Text;
constexpr auto kLong = JetType::Long;
constexpr auto kShort = JetType::Short;
constexpr NullRule kHandled = NullRule::Handled;
constexpr NullRule kRefused = NullRule::Refused;

const LibraryEntry kEntries[] = {
    {Returns("Left", "jet_left", 2, 2, kText), Scalar<FirstGivesNull<Left>, kHandled>},
    {Returns("Right", "jet_right", 2, 2, kText), Scalar<FirstGivesNull<Right>, kHandled>},
    {Returns("Mid", "jet_mid", 2, 3, kText), Scalar<FirstGivesNull<Mid>, kHandled>},
    {Returns("Len", "jet_len", 1, 1, kLong), Scalar<Len>},
    {Returns("InStr", "jet_instr", 2, 4, kLong), Scalar<InStr, kHandled>},
    {Returns("InStrRev", "jet_instrrev", 2, 4, kLong), Scalar<InStrRev, kHandled>},
    {Returns("UCase", "jet_ucase", 1, 1, kText), Scalar<UCase>},
    {Returns("LCase", "jet_lcase", 1, 1, kText), Scalar<LCase>},
    {Returns("Trim", "jet_trim", 1, 1, kText), Scalar<Trim>},
    {Returns("LTrim", "jet_ltrim", 1, 1, kText), Scalar<LTrim>},
    {Returns("RTrim", "jet_rtrim", 1, 1, kText), Scalar<RTrim>},
    {Returns("Space", "jet_space", 1, 1, kText), Scalar<Space, kRefused>},
    {Returns("String", "jet_string", 2, 2, kText), Scalar<String, kHandled>},
    {Returns("Replace", "jet_replace", 3, 6, kText), Scalar<Replace, kRefused>},
    {Returns("StrReverse", "jet_strreverse", 1, 1, kText), Scalar<StrReverse, kRefused>},
    {Returns("StrComp", "jet_strcomp", 2, 3, kShort), Scalar<StrComp, kHandled>},
    {Returns("Asc", "jet_asc", 1, 1, kShort), Scalar<Asc, kRefused>},
    {Returns("Chr", "jet_chr", 1, 1, kText), Scalar<Chr, kRefused>},
    {Returns("StrConv", "jet_strconv", 2, 3, kText), Scalar<FirstGivesNull<StrConv>, kHandled>},
    {Returns("Val", "jet_val", 1, 1, JetType::Double), Scalar<Val, kRefused>},
    {Returns("Hex", "jet_hex", 1, 1, kText), Scalar<Hex>},
    {Returns("Oct", "jet_oct", 1, 1, kText), Scalar<Oct>},
};

}  // namespace

std::span<const LibraryEntry> TextFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
