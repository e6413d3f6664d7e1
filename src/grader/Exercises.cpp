#include "grader/Exercises.h"

#include <set>

#include "console/RunScript.h"
#include "console/SplitScript.h"
#include "text/Cp932.h"
#include "text/TextBytes.h"

namespace tarnwick::grader {
namespace {

constexpr std::string_view kFullWidthSpace = "\x81\x40";  // U+3000 in Shift-JIS

// The text without leading blanks: blank bytes and full-width spaces.
std::string_view SkipBlanks(std::string_view text) {
  for (;;) {
    if (!text.empty() && IsBlankByte(text.front())) {
      text.remove_prefix(1);
    } else if (text.starts_with(kFullWidthSpace)) {
      text.remove_prefix(kFullWidthSpace.size());
    } else {
      return text;
    }
  }
}

// The text without trailing blanks. A full-width space is cut only where it begins on a
// character boundary, which a scan from the start finds (its bytes may end a two-byte
// character).
std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = IsSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    const std::string_view character = text.substr(i, length);
    if (!(length == 1 && IsBlankByte(character[0])) && character != kFullWidthSpace) {
      end = i + character.size();
    }
    i += length;
  }
  return text.substr(0, end);
}

// The exercise's name when the line is a marker line.
std::optional<std::string> MarkerName(std::string_view line) {
  line = SkipBlanks(line);
  if (!line.starts_with("--")) return std::nullopt;
  line = SkipBlanks(line.substr(2));
  if (!line.starts_with('@')) return std::nullopt;
  const std::string_view name = TrimTrailingBlanks(SkipBlanks(line.substr(1)));
  if (name.empty()) return std::nullopt;
  return SjisToUtf8(name);
}

// True when the text holds a statement, not only comments and blanks.
bool HoldsStatement(std::string_view sjisScript) {
  bool found = false;
  SplitScript(sjisScript, {}, [&](std::string_view statement) {
    std::string text(statement);
    StripComments(text);
    found = !TrimBlanks(text).empty() && TrimBlanks(text) != ";";
    return !found;
  });
  return found;
}

}  // namespace

ExerciseFile CutExercises(std::string_view sjisScript) {
  ExerciseFile file;
  std::size_t preambleEnd = sjisScript.size();
  int lineNumber = 0;
  for (std::size_t start = 0; start < sjisScript.size();) {
    std::size_t end = sjisScript.find("\r\n", start);
    if (end == std::string_view::npos) end = sjisScript.size();
    const std::string_view line = sjisScript.substr(start, end - start);
    const std::size_t next = std::min(end + 2, sjisScript.size());
    ++lineNumber;
    if (std::optional<std::string> name = MarkerName(line)) {
      if (file.exercises.empty()) preambleEnd = start;
      file.exercises.push_back({std::move(*name), {}, lineNumber});
    } else if (!file.exercises.empty()) {
      file.exercises.back().script.append(sjisScript.substr(start, next - start));
    }
    start = next;
  }
  file.statementsBeforeFirst = HoldsStatement(sjisScript.substr(0, preambleEnd));
  return file;
}

std::string ExerciseKey(std::string_view utf8Name) {
  std::string key;
  for (std::size_t i = 0; i < utf8Name.size();) {
    const std::size_t length = Utf8CharacterLength(utf8Name.substr(i));
    const std::string_view character = utf8Name.substr(i, length);
    i += length;
    // U+FF01 to U+FF5E: EF BC 81 to EF BC BF, then EF BD 80 to EF BD 9E.
    if (length == 3 && character[0] == '\xEF' &&
        (character[1] == '\xBC' || character[1] == '\xBD')) {
      const int offset =
          (character[1] == '\xBC' ? 0 : 64) + (static_cast<unsigned char>(character[2]) - 0x80);
      if (offset >= 1 && offset <= 0x5E) {
        key += static_cast<char>(0x20 + offset);
        continue;
      }
    }
    if (character == " " || character == "\t" || character == "\xE3\x80\x80") continue;
    key.append(character);
  }
  for (char& byte : key) {
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
  }
  return key;
}

const Exercise* FindExercise(const ExerciseFile& file, std::string_view utf8Name) {
  const std::string key = ExerciseKey(utf8Name);
  for (auto exercise = file.exercises.rbegin(); exercise != file.exercises.rend(); ++exercise) {
    if (ExerciseKey(exercise->name) == key) return &*exercise;
  }
  return nullptr;
}

std::optional<std::string> RepeatedExercise(const ExerciseFile& file) {
  std::set<std::string> seen;
  for (const Exercise& exercise : file.exercises) {
    if (!seen.insert(ExerciseKey(exercise.name)).second) return exercise.name;
  }
  return std::nullopt;
}

}  // namespace tarnwick::grader
