#include "grader/Wire.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tarnwick::grader {
namespace {

void PutNumber(std::string& out, std::size_t value) {
  const auto number = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((number >> shift) & 0xFF);
}

void PutText(std::string& out, std::string_view text) {
  PutNumber(out, text.size());
  out.append(text);
}

void PutTexts(std::string& out, const std::vector<std::string>& texts) {
  PutNumber(out, texts.size());
  for (const std::string& text : texts) PutText(out, text);
}

void PutExcerpt(std::string& out, const RowExcerpt& excerpt) {
  PutTexts(out, excerpt.names);
  PutNumber(out, excerpt.rows.size());
  for (std::size_t i = 0; i < excerpt.rows.size(); ++i) {
    PutNumber(out, excerpt.numbers[i]);
    PutTexts(out, excerpt.rows[i]);
  }
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Number() {
    const std::string_view bytes = Take(4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
  }
  char Byte() { return Take(1)[0]; }
  std::string Text() { return std::string(Take(Number())); }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts(Count());
    for (std::string& text : texts) text = Text();
    return texts;
  }
  RowExcerpt Excerpt() {
    RowExcerpt excerpt;
    excerpt.names = Texts();
    for (std::size_t rows = Count(); rows > 0; --rows) {
      excerpt.numbers.push_back(Number());
      excerpt.rows.push_back(Texts());
    }
    return excerpt;
  }

 private:
  // A count of items, each at least four bytes long: never more than the bytes left allow.
  std::size_t Count() {
    const std::size_t count = Number();
    if (count > bytes_.size() / 4) throw std::runtime_error("record cut short");
    return count;
  }
  std::string_view Take(std::size_t count) {
    if (count > bytes_.size()) throw std::runtime_error("record cut short");
    const std::string_view taken = bytes_.substr(0, count);
    bytes_.remove_prefix(count);
    return taken;
  }
  std::string_view bytes_;
};

constexpr std::size_t kHeaderBytes = 5;

}  // namespace

std::string FrameRecord(RecordKind kind, std::string_view content) {
  std::string record(1, static_cast<char>(kind));
  PutText(record, content);
  return record;
}

std::optional<Record> TakeRecord(std::string& received) {
  if (received.size() < kHeaderBytes) return std::nullopt;
  Reader header(std::string_view(received).substr(1, 4));
  const std::size_t length = header.Number();
  if (received.size() < kHeaderBytes + length) return std::nullopt;
  Record record{static_cast<RecordKind>(received[0]), received.substr(kHeaderBytes, length)};
  received.erase(0, kHeaderBytes + length);
  return record;
}

std::string EncodeOutcome(std::size_t exercise, const ExerciseOutcome& outcome) {
  std::string out;
  PutNumber(out, exercise);
  out += static_cast<char>(outcome.mark);
  PutText(out, outcome.reason);
  PutText(out, outcome.learnerSql);
  PutText(out, outcome.failure.statement);
  PutText(out, outcome.failure.message);
  out += static_cast<char>(outcome.differ);
  PutExcerpt(out, outcome.model);
  PutExcerpt(out, outcome.learner);
  PutTexts(out, outcome.notes);
  return out;
}

ExerciseOutcome DecodeOutcome(std::string_view content, std::size_t& exercise) {
  Reader reader(content);
  exercise = reader.Number();
  ExerciseOutcome outcome;
  const char mark = reader.Byte();
  if (mark != 'o' && mark != 'x' && mark != '-') throw std::runtime_error("no mark");
  outcome.mark = static_cast<Mark>(mark);
  outcome.reason = reader.Text();
  outcome.learnerSql = reader.Text();
  outcome.failure.statement = reader.Text();
  outcome.failure.message = reader.Text();
  const auto differ = static_cast<unsigned char>(reader.Byte());
  if (differ > static_cast<unsigned char>(RowsDiffer::Order)) throw std::runtime_error("differ");
  outcome.differ = static_cast<RowsDiffer>(differ);
  outcome.model = reader.Excerpt();
  outcome.learner = reader.Excerpt();
  outcome.notes = reader.Texts();
  return outcome;
}

}  // namespace tarnwick::grader
