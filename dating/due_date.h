#pragma once

#include "dating/date.h"

#include <cstdint>
#include <string_view>

namespace ruvo {

// The date three lists show: their texts joined as day, space, month, space, year and read as a
// date ("6" "April" "2006" gives 6 April 2006). Fails with TypeMismatch when that names no date,
// for instance when a list has nothing selected.
Date dateFromPickers(std::string_view day, std::string_view month, std::string_view year);

// The EDD from the first day of the last menstrual period: 280 days later.
Date eddFromLmp(Date lmp);

// The EDD from the day of a scan and the days from the scan to the EDD.
Date eddFromScan(Date scan, std::int16_t daysToEdd);

} // namespace ruvo
