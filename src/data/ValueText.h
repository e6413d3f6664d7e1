#pragma once
// Reading numbers and dates out of stored text, and writing numbers as text. The engine keeps
// whatever a statement stored, so every reading checks the text and reports what it is not.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/Field.h"

namespace tarnwick {

// A whole decimal number, optional sign, blanks around it allowed.
std::optional<std::int64_t> ParseIntegerText(std::string_view text);
// A decimal number with optional fraction and exponent, blanks around it allowed.
std::optional<double> ParseFloatText(std::string_view text);
// The nearest whole number, when it lies within the 64-bit range.
std::optional<std::int64_t> RoundToInteger(double value);

// "YYYY-MM-DD", optionally followed by ' ' or 'T' and "HH:MM" or "HH:MM:SS" (a fraction of a
// second is ignored); '/' may separate the date parts. A time alone lies on the zero date.
// Impossible dates and times (2023-02-30, 24:00) are no dates.
std::optional<DateTime> ParseDateText(std::string_view text);

// The shortest text that reads back as the same number, with '.' as separator.
std::string FormatFloat(double value);
std::string FormatInteger(std::int64_t value);

}  // namespace tarnwick
