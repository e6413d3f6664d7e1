// Writing numbers by a compiled number pattern: placeholders, grouping, percent, exponent.
// Format rounds half away from zero on the decimal digits, unlike Round.
#include <cmath>

#include "jetlib/FormatPattern.h"
#include "jetlib/JetNumber.h"

namespace tarnwick::jetlib {

namespace {

// The digits to show: the integer digits (without leading zeros) and the fraction digits.
struct ShownDigits {
  std::string integer;
  std::string fraction;
  int exponent = 0;  // for scientific sections
};

ShownDigits SplitDigits(const DecimalDigits& number, int fractionPlaces) {
  ShownDigits shown;
  for (int k = 0; k < number.exponent; ++k)
    shown.integer.push_back(k < number.count ? number.digits[k] : '0');
  for (int k = 0; k < fractionPlaces; ++k) {
    const int index = number.exponent + k;
    shown.fraction.push_back(index >= 0 && index < number.count ? number.digits[index] : '0');
  }
  return shown;
}

ShownDigits Digits(const NumberSection& section, double value) {
  if (section.percent) value *= 100;
  for (int k = 0; k < section.thousandsScale; ++k) value /= 1000;
  DecimalDigits number = ToDecimalDigits(value);
  number.negative = false;
  if (!section.exponent) {
    RoundDecimalDigits(number, section.fractionPlaceholders, false);
    return SplitDigits(number, section.fractionPlaceholders);
  }
  const int integerPlaces = std::max(section.integerPlaceholders, 1);
  int exponent = number.count == 0 ? 0 : number.exponent - integerPlaces;
  number.exponent -= exponent;
  RoundDecimalDigits(number, section.fractionPlaceholders, false);
  if (number.count > 0 && number.exponent > integerPlaces) {  // 9.99 rounded up to 10.0
    number.exponent -= 1;
    exponent += 1;
  }
  ShownDigits shown = SplitDigits(number, section.fractionPlaceholders);
  shown.exponent = exponent;
  return shown;
}

void WriteSection(const FormatPlan& plan, const NumberSection& section, double value,
                  std::string& out) {
  ShownDigits shown = Digits(section, value);
  std::string& integer = shown.integer;
  if (static_cast<int>(integer.size()) < section.integerMinimum)
    integer.insert(0, section.integerMinimum - integer.size(), '0');
  const int length = static_cast<int>(integer.size());
  const std::size_t lastNonZero = shown.fraction.find_last_not_of('0');
  const int lastSignificant = lastNonZero == std::string::npos ? -1 : static_cast<int>(lastNonZero);
  int integerSeen = 0;
  int fractionSeen = 0;
  const auto writeDigit = [&](int index) {
    out.push_back(integer[index]);
    const int fromRight = length - 1 - index;
    if (section.thousands && fromRight > 0 && fromRight % 3 == 0) out.push_back(',');
  };
  for (const NumberItem& item : section.items) {
    switch (item.kind) {
      case NumberItem::Zero:
      case NumberItem::Hash:
        if (item.fraction) {
          const int k = fractionSeen++;
          if (item.kind == NumberItem::Zero || k <= lastSignificant)
            out.push_back(shown.fraction[k]);
        } else {
          // Placeholders take digits from the right; the first also takes every extra digit.
          const int fromRight = section.integerPlaceholders - 1 - integerSeen;
          const int first = integerSeen == 0 ? 0 : length - 1 - fromRight;
          const int last = length - 1 - fromRight;
          for (int index = std::max(first, 0); index <= last; ++index) writeDigit(index);
          ++integerSeen;
        }
        break;
      case NumberItem::Point:
        if (section.integerPlaceholders == 0) {  // ".00": the integer digits go before it
          for (int index = 0; index < length; ++index) writeDigit(index);
        }
        out.push_back('.');
        break;
      case NumberItem::Percent:
        out.push_back('%');
        break;
      case NumberItem::Exponent: {
        out.append(plan.Of(item.text));
        if (shown.exponent < 0) {
          out.push_back('-');
        } else if (item.exponentPlus) {
          out.push_back('+');
        }
        char digits[32];
        const std::size_t count = WriteJetInteger(std::abs(shown.exponent), digits);
        if (static_cast<int>(count) < item.exponentDigits)
          out.append(item.exponentDigits - count, '0');
        out.append(digits, count);
        break;
      }
      case NumberItem::Text:
        out.append(plan.Of(item.text));
        break;
    }
  }
}

}  // namespace

void FormatNumber(const FormatPlan& plan, double value, std::string& out) {
  const std::vector<NumberSection>& sections = plan.sections;
  const NumberSection* section = &sections[0];
  bool sign = value < 0;
  if (value < 0 && sections.size() >= 2 && !sections[1].empty) {
    section = &sections[1];
    sign = false;
  } else if (value == 0 && sections.size() >= 3 && !sections[2].empty) {
    section = &sections[2];
  }
  if (sign) out.push_back('-');
  WriteSection(plan, *section, std::fabs(value), out);
}

void FormatNullNumber(const FormatPlan& plan, std::string& out) {
  WriteSection(plan, plan.sections[3], 0, out);
}

}  // namespace tarnwick::jetlib
