#pragma once
// The time in the header of each printed page.
#include <ctime>
#include <string>

namespace tarnwick {

// A local date and time as "yyyy/mm/dd hh:nn": four-digit year, then two-digit month, day,
// hour (24-hour clock) and minute, each with a leading zero.
std::string FormatHeaderTime(const std::tm& localTime);

// The current local date and time in that form.
std::string CurrentHeaderTime();

}  // namespace tarnwick
