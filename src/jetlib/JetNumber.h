#pragma once
// Numbers as Jet reads and writes them: the text forms a conversion accepts, the text a number
// turns into, and rounding on the decimal digits a person sees rather than on binary fractions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick::jetlib {

// A number as the engine hands it over: whole numbers stay whole.
struct JetNumber {
  bool whole = true;
  std::int64_t integer = 0;
  double real = 0;

  static JetNumber Whole(std::int64_t value) { return {true, value, 0}; }
  static JetNumber Real(double value) { return {false, 0, value}; }
  double AsDouble() const { return whole ? static_cast<double>(integer) : real; }
};

// Text that converts to a number: blanks around it, a sign, digits with ',' between groups, a
// fraction and an exponent (E or D), or &H / &O followed by hexadecimal or octal digits.
std::optional<JetNumber> ParseJetNumber(std::string_view text);

// Val: the number at the start of the text, blanks anywhere ignored, 0 when there is none.
double LeadingNumber(std::string_view text);

// The text of a number as Jet writes it: whole numbers in full, others with up to 15
// significant digits ("0.3", "1.5E+20", "1E-05"). `out` must hold 32 bytes; returns the length.
std::size_t WriteJetNumber(double value, char* out);
std::size_t WriteJetInteger(std::int64_t value, char* out);
std::size_t WriteJetNumber(const JetNumber& value, char* out);

// The digits of a number as a person reads them (at most 15 significant): value =
// 0.d1d2d3... x 10^exponent. Zero has no digits.
struct DecimalDigits {
  char digits[24] = {};
  int count = 0;
  int exponent = 0;
  bool negative = false;
};
DecimalDigits ToDecimalDigits(double value);

// Rounds to `decimals` places after the point (negative: before it); half to even, or half
// away from zero as Format does.
void RoundDecimalDigits(DecimalDigits& number, int decimals, bool halfToEven);
double DecimalDigitsValue(const DecimalDigits& number);

// Round(value, decimals) as Jet does it: half to even on the decimal digits.
double RoundHalfToEven(double value, int decimals);

// The whole number nearest to value, half to even; nullopt outside the 64-bit range.
std::optional<std::int64_t> RoundToWhole(double value);

// A Single (CSng, a SINGLE column): the value with the 7 significant digits a Single keeps;
// nullopt beyond the Single's range.
std::optional<double> SingleValue(double value);

// A currency value: the number of ten-thousandths, half to even; nullopt outside Jet's
// currency range (+-922,337,203,685,477.5807).
std::optional<std::int64_t> CurrencyUnits(double value);
inline double CurrencyValue(std::int64_t units) { return static_cast<double>(units) / 10000.0; }

}  // namespace tarnwick::jetlib
