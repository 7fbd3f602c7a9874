// Calendar arithmetic on the proleptic Gregorian calendar, for the
// simulated clock and for anything that compares local date-times.
#pragma once

#include <cstdint>

namespace vel::platform {

// Days since 1970-01-01 for a civil date, and back.
std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);

}  // namespace vel::platform
