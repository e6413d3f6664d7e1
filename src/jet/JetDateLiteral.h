#pragma once
// Jet's date literals, #...#.
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The value of the text between the #s as "YYYY-MM-DD HH:MM:SS", the form dates are stored in;
// nothing when Jet reads no date there. Dates: year/month/day with '/' or '-' ("2024/04/01",
// "2024-4-1") or month/day/year ("4/1/2024"; a two-digit year 30 to 99 is 19xx, 00 to 29
// 20xx). Times: H:MM or H:MM:SS, optionally followed by AM or PM. A date alone is at
// midnight; a time alone lies on day 0, 1899-12-30.
std::optional<std::string> JetDateLiteralValue(std::string_view text);

}  // namespace tarnwick
