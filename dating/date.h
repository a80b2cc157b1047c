#pragma once

#include <cstdint>
#include <optional>

namespace ruvo {

// A date counts days from 30 December 1899 (day 0; day 1 is 31 December 1899), as an OLE
// Automation DATE does, so a Windows host's DATE passes through unchanged. The whole part is the
// day, the fraction the time of day. Before the epoch the fraction still counts forward from
// midnight: -1.25 is 29 December 1899 at 06:00. Every date this control makes is a midnight.
using Date = double;

// A day of the Gregorian calendar.
struct CivilDate {
    int year = 0;  // 100 to 9999
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The range a DATE can hold: 1 January 100 to 31 December 9999.
inline constexpr std::int32_t firstSupportedDay = -657434;
inline constexpr std::int32_t lastSupportedDay = 2958465;

// Midnight of the given day, or nothing when the day does not exist or lies outside the range.
std::optional<Date> tryDateFromCivil(CivilDate);
// Midnight of the given day; fails with InvalidArgument where tryDateFromCivil gives nothing.
Date dateFromCivil(CivilDate);

// The day, month and year of a date, any time of day ignored. Fails with InvalidArgument for
// NaN, infinities and dates outside the range.
CivilDate civilFromDate(Date);

// The date that many calendar days later (earlier for a negative count), keeping any time of
// day. Fails with InvalidArgument when the result leaves the range.
Date addDays(Date, std::int32_t days);

} // namespace ruvo
