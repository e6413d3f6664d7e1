// Writing dates by a compiled date pattern, and text by a text pattern.
#include "jetlib/DateNames.h"
#include "jetlib/DateParts.h"
#include "jetlib/FormatPattern.h"
#include "jetlib/LetterCase.h"
#include "jetlib/Utf8Text.h"

namespace tarnwick::jetlib {

namespace {

void AppendNumber(std::string& out, int value, int width = 1) {
  char digits[16];
  const std::size_t count = WriteJetInteger(value, digits);
  if (static_cast<int>(count) < width) out.append(width - count, '0');
  out.append(digits, count);
}

void WriteShortDate(const CivilDate& civil, std::string& out) {
  AppendNumber(out, civil.year, 4);
  out.push_back('/');
  AppendNumber(out, civil.month, 2);
  out.push_back('/');
  AppendNumber(out, civil.day, 2);
}

void WriteLongDate(const CivilDate& civil, std::string& out) {
  AppendNumber(out, civil.year);
  out += "年";
  AppendNumber(out, civil.month);
  out += "月";
  AppendNumber(out, civil.day);
  out += "日";
}

void WriteLongTime(int second, std::string& out) {
  AppendNumber(out, second / 3600);
  out.push_back(':');
  AppendNumber(out, second / 60 % 60, 2);
  out.push_back(':');
  AppendNumber(out, second % 60, 2);
}

}  // namespace

void WriteGeneralDate(const JetDateTime& date, std::string& out) {
  if (date.day != 0) WriteShortDate(CivilFromDay(date.day), out);
  if (date.second != 0 || date.day == 0) {
    if (date.day != 0) out.push_back(' ');
    WriteLongTime(date.second, out);
  }
}

void FormatDate(const FormatPlan& plan, const JetDateTime& date, int firstDay, int firstWeek,
                std::string& out) {
  const CivilDate civil = CivilFromDay(date.day);
  const int hour = date.second / 3600;
  const int clockHour = plan.twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
  const int minute = date.second / 60 % 60;
  const int second = date.second % 60;
  const int weekday = WeekdayOf(date.day) - 1;  // 0 = Sunday
  for (const DateItem& item : plan.dateItems) {
    switch (item.field) {
      case DateField::Text:
        out.append(plan.Of(item.text));
        break;
      case DateField::Year4:
        AppendNumber(out, civil.year, 4);
        break;
      case DateField::Year2:
        AppendNumber(out, civil.year % 100, 2);
        break;
      case DateField::DayOfYear:
        AppendNumber(out, DayOfYear(date.day));
        break;
      case DateField::Month:
      case DateField::Month2:
        AppendNumber(out, civil.month, item.field == DateField::Month2 ? 2 : 1);
        break;
      case DateField::MonthShort:
        out.append(kEnglishMonthsShort[civil.month - 1]);
        break;
      case DateField::MonthLong:
        out.append(kEnglishMonths[civil.month - 1]);
        break;
      case DateField::Day:
      case DateField::Day2:
        AppendNumber(out, civil.day, item.field == DateField::Day2 ? 2 : 1);
        break;
      case DateField::WeekdayShort:
        out.append(kEnglishWeekdaysShort[weekday]);
        break;
      case DateField::WeekdayLong:
        out.append(kEnglishWeekdays[weekday]);
        break;
      case DateField::WeekdayShortJapanese:
        out.append(kJapaneseWeekdaysShort[weekday]);
        break;
      case DateField::WeekdayLongJapanese:
        out.append(kJapaneseWeekdays[weekday]);
        break;
      case DateField::ShortDate:
        WriteShortDate(civil, out);
        break;
      case DateField::LongDate:
        WriteLongDate(civil, out);
        break;
      case DateField::WeekdayNumber:
        AppendNumber(out, RelativeWeekday(date.day, firstDay));
        break;
      case DateField::WeekOfYear:
        AppendNumber(out, WeekOfYear(date.day, firstDay, firstWeek));
        break;
      case DateField::Quarter:
        AppendNumber(out, (civil.month - 1) / 3 + 1);
        break;
      case DateField::Hour:
      case DateField::Hour2:
        AppendNumber(out, clockHour, item.field == DateField::Hour2 ? 2 : 1);
        break;
      case DateField::Minute:
      case DateField::Minute2:
        AppendNumber(out, minute, item.field == DateField::Minute2 ? 2 : 1);
        break;
      case DateField::Second:
      case DateField::Second2:
        AppendNumber(out, second, item.field == DateField::Second2 ? 2 : 1);
        break;
      case DateField::LongTime:
        WriteLongTime(date.second, out);
        break;
      case DateField::GeneralDate:
        WriteGeneralDate(date, out);
        break;
      case DateField::Meridiem:
        out.append(plan.Of(hour < 12 ? item.text : item.afternoon));
        break;
      case DateField::EraLetter:
        out.push_back(EraOf(date.day).letter);
        break;
      case DateField::EraInitial:
        out.append(EraOf(date.day).initial);
        break;
      case DateField::EraName:
        out.append(EraOf(date.day).name);
        break;
      case DateField::EraYear:
      case DateField::EraYear2:
        AppendNumber(out, civil.year - EraOf(date.day).year + 1,
                     item.field == DateField::EraYear2 ? 2 : 1);
        break;
    }
  }
}

void FormatText(const FormatPlan& plan, std::string_view text, std::string& out) {
  std::string cased = plan.textCase < 0 ? ToLower(text) : ToUpper(text);
  if (plan.textCase == 0) cased = text;
  int placeholders = 0;
  for (const TextItem& item : plan.textItems) placeholders += item.kind != TextItem::Text;
  if (placeholders == 0) {
    out += cased;
    for (const TextItem& item : plan.textItems) out.append(plan.Of(item.text));
    return;
  }
  // Characters fill the placeholders from the right ('!': from the left); characters beyond
  // them go with the first placeholder (the last one, from the left).
  const int characters = static_cast<int>(CharacterCount(cased));
  int seen = 0;
  for (const TextItem& item : plan.textItems) {
    if (item.kind == TextItem::Text) {
      out.append(plan.Of(item.text));
      continue;
    }
    int first = 0;
    int last = 0;
    if (plan.leftToRight) {
      first = seen;
      last = seen == placeholders - 1 ? characters - 1 : std::min(seen, characters - 1);
    } else {
      last = characters - placeholders + seen;
      first = seen == 0 ? 0 : last;
    }
    ++seen;
    if (last < first || last < 0) {
      if (item.kind == TextItem::Required) out.push_back(' ');
      continue;
    }
    const std::size_t from = ByteOffsetOfCharacter(cased, first);
    const std::size_t to = ByteOffsetOfCharacter(cased, last + 1);
    out.append(cased, from, to - from);
  }
}

}  // namespace tarnwick::jetlib
