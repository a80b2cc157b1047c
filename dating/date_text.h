#pragma once

#include "dating/date.h"

#include <array>
#include <string>
#include <string_view>

namespace ruvo {

// The English month names in calendar order, as the month lists and the display form use them.
inline constexpr std::array<std::string_view, 12> monthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// The name of month 1 to 12.
std::string_view monthName(int month);

// The display form of a date: day without leading zero, one space, English month name, one
// space, year ("26 October 2006", "1 January 2007"). Any time of day is ignored. Fails with
// InvalidArgument for NaN, infinities and dates outside 1 January 100 to 31 December 9999.
std::string datenice(Date);

// The ISO form of a date, "2006-10-26"; any time of day is ignored. Fails as datenice does.
std::string isoDate(Date);

// Midnight of the day a text names, in the display form ("6 April 2006"; a leading zero on the
// day, any letter case in the month name and extra spaces are accepted) or in ISO form
// ("2006-04-06"). Fails with TypeMismatch for any other text, and for a day that does not exist
// or lies outside 1 January 100 to 31 December 9999 ("31 February 2006", "6 April 10000").
Date parseDate(std::string_view text);

} // namespace ruvo
