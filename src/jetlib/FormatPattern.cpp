// Compiling Format's patterns.
#include "jetlib/FormatPattern.h"

#include "jetlib/Utf8Text.h"
#include "text/AsciiCase.h"

namespace tarnwick::jetlib {

namespace {

// The named formats, as the patterns of a Japanese installation. The currency sign is the
// full-width yen, which code page 932 holds (the half-width one becomes a backslash there).
struct NamedFormat {
  std::string_view name;
  std::string_view pattern;
};
constexpr NamedFormat kNamedPatterns[] = {
    {"Currency", "￥#,##0;-￥#,##0"},
    {"Fixed", "0.00"},
    {"Standard", "#,##0.00"},
    {"Percent", "0.00%"},
    {"Scientific", "0.00E+00"},
    {"General Date", "c"},
    {"Long Date", "yyyy\"年\"m\"月\"d\"日\""},
    {"Medium Date", "yy-mm-dd"},
    {"Short Date", "yyyy/mm/dd"},
    {"Long Time", "h:nn:ss"},
    {"Medium Time", "hh:nn ampm"},
    {"Short Time", "hh:nn"},
};
struct TruthFormat {
  std::string_view name, yes, no;
};
constexpr TruthFormat kTruthFormats[] = {
    {"Yes/No", "Yes", "No"}, {"True/False", "True", "False"}, {"On/Off", "On", "Off"}};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A reader of a pattern that knows its quoted texts and '\' escapes.
class PatternReader {
 public:
  PatternReader(std::string_view pattern, FormatPlan& plan) : pattern_(pattern), plan_(plan) {}
  bool AtEnd() const { return at_ >= pattern_.size(); }
  char Peek(std::size_t ahead = 0) const {
    return at_ + ahead < pattern_.size() ? pattern_[at_ + ahead] : '\0';
  }
  void Advance(std::size_t count = 1) { at_ += count; }
  // The number of times the letter (any case) repeats from here.
  std::size_t Run(char letter) const {
    std::size_t count = 0;
    while (Lower(Peek(count)) == letter) ++count;
    return count;
  }
  bool StartsWithNoCase(std::string_view word) const {
    return StartsWithIgnoringAsciiCase(pattern_.substr(at_), word);
  }
  // A quoted text, an escaped character or any other single character, taken as text.
  Literal TakeText() {
    const std::size_t start = plan_.literals.size();
    if (Peek() == '"') {
      const std::size_t close = pattern_.find('"', at_ + 1);
      const std::size_t end = close == std::string_view::npos ? pattern_.size() : close;
      plan_.literals.append(pattern_.substr(at_ + 1, end - at_ - 1));
      at_ = end + 1;
    } else {
      if (Peek() == '\\' && at_ + 1 < pattern_.size()) ++at_;
      const std::size_t from = at_;
      NextCodePoint(pattern_, at_);
      plan_.literals.append(pattern_.substr(from, at_ - from));
    }
    return {static_cast<std::uint32_t>(start),
            static_cast<std::uint32_t>(plan_.literals.size() - start)};
  }
  Literal Keep(std::string_view text) {
    const auto start = static_cast<std::uint32_t>(plan_.literals.size());
    plan_.literals.append(text);
    return {start, static_cast<std::uint32_t>(text.size())};
  }

 private:
  std::string_view pattern_;
  std::size_t at_ = 0;
  FormatPlan& plan_;
};

// The sections of a number pattern, split at ';' outside quotes and escapes.
std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] == '"') quoted = !quoted;
    if (!quoted && pattern[at] == '\\') ++at;
    if (!quoted && at < pattern.size() && pattern[at] == ';') {
      sections.push_back(pattern.substr(start, at - start));
      start = at + 1;
    }
  }
  sections.push_back(pattern.substr(start));
  if (sections.size() > 4) sections.resize(4);
  return sections;
}

NumberSection CompileNumberSection(std::string_view pattern, FormatPlan& plan) {
  NumberSection section;
  section.empty = pattern.empty();
  PatternReader reader(pattern, plan);
  bool afterPoint = false;
  int firstZero = -1;
  while (!reader.AtEnd()) {
    const char c = reader.Peek();
    NumberItem item{NumberItem::Text, false, false, 0, {}};
    if (c == '0' || c == '#') {
      item.kind = c == '0' ? NumberItem::Zero : NumberItem::Hash;
      item.fraction = afterPoint;
      if (afterPoint) {
        ++section.fractionPlaceholders;
      } else {
        if (c == '0' && firstZero < 0) firstZero = section.integerPlaceholders;
        ++section.integerPlaceholders;
      }
      reader.Advance();
    } else if (c == '.' && !afterPoint && !section.exponent) {
      item.kind = NumberItem::Point;
      afterPoint = true;
      reader.Advance();
    } else if (c == ',' && !afterPoint) {
      reader.Advance();
      if (reader.Peek() == '0' || reader.Peek() == '#') {
        section.thousands = section.integerPlaceholders > 0 || section.thousands;
      } else if (section.integerPlaceholders > 0) {
        ++section.thousandsScale;
      }
      continue;
    } else if (c == '%') {
      item.kind = NumberItem::Percent;
      section.percent = true;
      reader.Advance();
    } else if ((c == 'E' || c == 'e') && (reader.Peek(1) == '+' || reader.Peek(1) == '-') &&
               !section.exponent) {
      item.kind = NumberItem::Exponent;
      item.exponentPlus = reader.Peek(1) == '+';
      item.text = reader.Keep(std::string_view(&c, 1));
      section.exponent = true;
      afterPoint = true;  // placeholders after E belong to the exponent
      reader.Advance(2);
      while (reader.Peek() == '0' || reader.Peek() == '#') {
        if (reader.Peek() == '0') ++item.exponentDigits;
        reader.Advance();
      }
      section.items.push_back(item);
      continue;
    } else {
      item.text = reader.TakeText();
    }
    if (section.exponent && (item.kind == NumberItem::Zero || item.kind == NumberItem::Hash)) {
      continue;  // unreachable: the exponent's digits are read with it
    }
    section.items.push_back(item);
  }
  section.integerMinimum = firstZero < 0 ? 0 : section.integerPlaceholders - firstZero;
  return section;
}

void CompileNumber(std::string_view pattern, FormatPlan& plan) {
  plan.kind = PatternKind::Number;
  for (std::string_view section : SplitSections(pattern))
    plan.sections.push_back(CompileNumberSection(section, plan));
}

// The date field a run of one letter stands for.
DateField FieldOfRun(char letter, std::size_t& run, bool afterHour) {
  switch (letter) {
    case 'y':
      if (run >= 4) return run = 4, DateField::Year4;
      if (run >= 2) return run = 2, DateField::Year2;
      return DateField::DayOfYear;
    case 'm':
      if (run >= 4) return run = 4, DateField::MonthLong;
      if (run == 3) return DateField::MonthShort;
      if (afterHour) return run == 2 ? DateField::Minute2 : DateField::Minute;
      return run == 2 ? DateField::Month2 : DateField::Month;
    case 'd':
      run = std::min<std::size_t>(run, 6);
      return run == 1   ? DateField::Day
             : run == 2 ? DateField::Day2
             : run == 3 ? DateField::WeekdayShort
             : run == 4 ? DateField::WeekdayLong
             : run == 5 ? DateField::ShortDate
                        : DateField::LongDate;
    case 'w':
      run = std::min<std::size_t>(run, 2);
      return run == 1 ? DateField::WeekdayNumber : DateField::WeekOfYear;
    case 'q':
      run = 1;
      return DateField::Quarter;
    case 'h':
      run = std::min<std::size_t>(run, 2);
      return run == 1 ? DateField::Hour : DateField::Hour2;
    case 'n':
      run = std::min<std::size_t>(run, 2);
      return run == 1 ? DateField::Minute : DateField::Minute2;
    case 's':
      run = std::min<std::size_t>(run, 2);
      return run == 1 ? DateField::Second : DateField::Second2;
    case 'c':
      run = 1;
      return DateField::GeneralDate;
    case 'g':
      run = std::min<std::size_t>(run, 3);
      return run == 1   ? DateField::EraLetter
             : run == 2 ? DateField::EraInitial
                        : DateField::EraName;
    case 'e':
      run = std::min<std::size_t>(run, 2);
      return run == 1 ? DateField::EraYear : DateField::EraYear2;
    default:
      return DateField::Text;
  }
}

// AM/PM, am/pm, A/P, a/p (written in the pattern's letter case) and AMPM (午前/午後).
bool ReadMeridiem(PatternReader& reader, DateItem& item) {
  struct Form {
    std::string_view pattern, morningUpper, afternoonUpper;
    bool keepsCase;
  };
  constexpr Form kForms[] = {
      {"am/pm", "AM", "PM", true}, {"a/p", "A", "P", true}, {"ampm", "午前", "午後", false}};
  for (const Form& form : kForms) {
    if (!reader.StartsWithNoCase(form.pattern)) continue;
    const bool lower = form.keepsCase && reader.Peek() == Lower(reader.Peek());
    std::string morning(form.morningUpper);
    std::string afternoon(form.afternoonUpper);
    if (lower) {
      for (char& c : morning) c = Lower(c);
      for (char& c : afternoon) c = Lower(c);
    }
    item.field = DateField::Meridiem;
    item.text = reader.Keep(morning);
    item.afternoon = reader.Keep(afternoon);
    reader.Advance(form.pattern.size());
    return true;
  }
  return false;
}

void CompileDate(std::string_view pattern, FormatPlan& plan) {
  plan.kind = PatternKind::Date;
  PatternReader reader(pattern, plan);
  bool afterHour = false;
  while (!reader.AtEnd()) {
    DateItem item{DateField::Text, {}, {}};
    const char letter = Lower(reader.Peek());
    std::size_t run = reader.Run(letter);
    if (letter == 'a' && ReadMeridiem(reader, item)) {
      plan.twelveHour = true;
    } else if (letter == 'a' && run >= 3) {
      item.field = run >= 4 ? DateField::WeekdayLongJapanese : DateField::WeekdayShortJapanese;
      reader.Advance(run >= 4 ? 4 : 3);
    } else if (letter == 't' && run >= 5) {
      item.field = DateField::LongTime;
      reader.Advance(5);
    } else if (DateField field = FieldOfRun(letter, run, afterHour); field != DateField::Text) {
      item.field = field;
      reader.Advance(run);
    } else {
      item.text = reader.TakeText();
      plan.dateItems.push_back(item);
      continue;
    }
    afterHour = item.field == DateField::Hour || item.field == DateField::Hour2;
    plan.dateItems.push_back(item);
  }
}

void CompileText(std::string_view pattern, FormatPlan& plan) {
  plan.kind = PatternKind::Text;
  PatternReader reader(pattern, plan);
  while (!reader.AtEnd()) {
    const char c = reader.Peek();
    if (c == '<' || c == '>') {
      plan.textCase = c == '<' ? -1 : 1;
      reader.Advance();
    } else if (c == '!') {
      plan.leftToRight = true;
      reader.Advance();
    } else if (c == '@' || c == '&') {
      plan.textItems.push_back({c == '@' ? TextItem::Required : TextItem::Optional, {}});
      reader.Advance();
    } else {
      plan.textItems.push_back({TextItem::Text, reader.TakeText()});
    }
  }
}

// What a user pattern formats, from the characters outside quotes and escapes: digit
// placeholders make a number pattern, date letters a date pattern, '@' '&' '<' '>' a text one.
PatternKind KindOfPattern(std::string_view pattern) {
  bool date = false;
  bool text = false;
  bool quoted = false;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char c = pattern[at];
    if (c == '"') quoted = !quoted;
    if (quoted || c == '"') continue;
    if (c == '\\') {
      ++at;
      continue;
    }
    if (c == '0' || c == '#') return PatternKind::Number;
    const char lower = Lower(c);
    if (lower == 'e' && at + 1 < pattern.size() &&
        (pattern[at + 1] == '+' || pattern[at + 1] == '-'))
      continue;
    if (std::string_view("ymdwqhnscgeat").find(lower) != std::string_view::npos) date = true;
    if (c == '@' || c == '&' || c == '<' || c == '>') text = true;
  }
  return date ? PatternKind::Date : text ? PatternKind::Text : PatternKind::Number;
}

}  // namespace

FormatPlan CompileFormat(std::string_view pattern) {
  FormatPlan plan;
  if (pattern.empty()) return plan;
  if (EqualsIgnoringAsciiCase(pattern, "General Number")) {
    plan.kind = PatternKind::GeneralNumber;
    return plan;
  }
  for (const TruthFormat& truth : kTruthFormats) {
    if (EqualsIgnoringAsciiCase(pattern, truth.name)) {
      plan.kind = PatternKind::Truth;
      plan.trueText = truth.yes;
      plan.falseText = truth.no;
      return plan;
    }
  }
  for (const NamedFormat& named : kNamedPatterns) {
    if (EqualsIgnoringAsciiCase(pattern, named.name)) {
      pattern = named.pattern;
      break;
    }
  }
  switch (KindOfPattern(pattern)) {
    case PatternKind::Date:
      CompileDate(pattern, plan);
      break;
    case PatternKind::Text:
      CompileText(pattern, plan);
      break;
    default:
      CompileNumber(pattern, plan);
      break;
  }
  return plan;
}

}  // namespace tarnwick::jetlib
