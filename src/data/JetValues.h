#pragma once
// The values of a Jet file's columns, turned from their stored bytes into the form our engine
// stores for the same Jet type. Each reading works on the bytes alone, so it is exact and
// checked: a stored value that no Jet program could have written is refused, never guessed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// A date-time stored as days since 1899-12-30 (the fraction is the time of day; for a date
// before that day the fraction counts forward from its midnight, as Jet counts it), as
// "YYYY-MM-DD HH:MM:SS" to the nearest second. A time without a date lies on 1899-12-30.
// Nothing for a value outside Jet's years 100 to 9999, or not a number.
std::optional<std::string> JetDateTimeText(double days);

// A currency value stored as a 64-bit count of ten-thousandths, as an exact decimal
// ("-12.3456", "3.5", "0").
std::string CurrencyText(std::int64_t tenThousandths);

// A Decimal/Numeric value: a sign byte (non-zero for a negative value) and a 128-bit magnitude
// stored as four 32-bit little-endian words, the most significant first; `scale` digits after
// the point. Nothing when the magnitude has more than 28 digits or the scale is out of range.
std::optional<std::string> DecimalText(std::string_view seventeenBytes, int scale);

// A Replication ID (16 bytes, the first three groups little-endian) as
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
std::string GuidText(std::string_view sixteenBytes);

// A Single as the double that prints as the Single prints: 1.1f gives 1.1, not 1.100000023...
double SingleAsDouble(float value);

// The integers of a stored value, little-endian, at the start of `bytes` (which must be long
// enough).
std::int16_t LittleEndian16(std::string_view bytes);
std::int32_t LittleEndian32(std::string_view bytes);
std::int64_t LittleEndian64(std::string_view bytes);
double LittleEndianDouble(std::string_view bytes);
float LittleEndianFloat(std::string_view bytes);

}  // namespace tarnwick
