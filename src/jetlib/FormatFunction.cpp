// Format(value[, pattern[, first day[, first week]]]): the pattern is compiled once per
// statement and kept with the engine's per-argument data while the pattern stays the same.
#include <memory>

#include "jetlib/DateParts.h"
#include "jetlib/FormatPattern.h"
#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

constexpr int kPatternArgument = 1;

void DeletePlan(void* plan) { delete static_cast<FormatPlan*>(plan); }

// The value as a number for a number pattern: numbers, numeric text and stored dates.
std::optional<double> NumberToFormat(Call& call) {
  switch (call.Type(0)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return call.Double(0);
    case SQLITE_TEXT: {
      const std::string_view text = call.Text(0);
      if (auto number = ParseJetNumber(text)) return number->AsDouble();
      if (auto date = ParseStoredDate(text)) return SerialOf(*date);
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

std::optional<JetDateTime> DateToFormat(Call& call) {
  switch (call.Type(0)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return DateFromSerial(call.Double(0));
    case SQLITE_TEXT:
      return ParseJetDate(call.Text(0));
    default:
      return std::nullopt;
  }
}

void WriteWithoutPattern(Call& call, std::string& out) {
  if (call.Type(0) == SQLITE_TEXT) {
    if (auto date = ParseStoredDate(call.Text(0))) return WriteGeneralDate(*date, out);
  }
  out.append(call.Text(0));
}

void Write(Call& call, const FormatPlan& plan, std::string& out) {
  switch (plan.kind) {
    case PatternKind::None:
      return WriteWithoutPattern(call, out);
    case PatternKind::GeneralNumber:
      break;
    case PatternKind::Number:
      if (auto number = NumberToFormat(call)) return FormatNumber(plan, *number, out);
      break;
    case PatternKind::Date:
      if (auto date = DateToFormat(call)) {
        return FormatDate(plan, *date, FirstDayArgument(call, 2), FirstWeekArgument(call, 3), out);
      }
      break;
    case PatternKind::Truth:
      if (auto number = NumberToFormat(call)) {
        out.append(*number != 0 ? plan.trueText : plan.falseText);
        return;
      }
      break;
    case PatternKind::Text:
      return FormatText(plan, call.Text(0), out);
  }
  out.append(call.Text(0));  // what the pattern cannot take is written as it is
}

void Format(Call& call) {
  const bool hasPattern = call.Has(kPatternArgument) && !call.IsNull(kPatternArgument);
  std::unique_ptr<FormatPlan> compiled;
  const FormatPlan* plan = nullptr;
  static const FormatPlan kNoPattern;
  if (!hasPattern) {
    plan = &kNoPattern;
  } else {
    plan = static_cast<const FormatPlan*>(sqlite3_get_auxdata(call.Context(), kPatternArgument));
    if (plan == nullptr) {
      compiled = std::make_unique<FormatPlan>(CompileFormat(call.Text(kPatternArgument)));
      plan = compiled.get();
    }
  }
  if (call.IsNull(0)) {
    // Only a number pattern's fourth section writes something for NULL.
    if (plan->kind == PatternKind::Number && plan->sections.size() == 4) {
      std::string out;
      FormatNullNumber(*plan, out);
      call.ResultText(out);
    } else {
      call.ResultNull();
    }
  } else {
    std::string out;
    Write(call, *plan, out);
    call.ResultText(out);
  }
  if (compiled)
    sqlite3_set_auxdata(call.Context(), kPatternArgument, compiled.release(), DeletePlan);
}

const LibraryEntry kEntries[] = {
    {Returns("Format", "jet_format", 1, 4, JetType::Text), Scalar<Format, NullRule::Handled>},
};

}  // namespace

std::span<const LibraryEntry> FormatFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
