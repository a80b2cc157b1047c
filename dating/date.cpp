#include "dating/date.h"

#include "host/runtime_error.h"

#include <chrono>
#include <cmath>
#include <string>

namespace ruvo {

namespace {

using namespace std::chrono;

// 1 January 1970, the epoch of sys_days, is day 25569.
constexpr std::int32_t unixEpochDay = 25569;

bool isSupportedDay(double day) {
    return day >= firstSupportedDay && day <= lastSupportedDay;
}

// The day number of a date: its whole part, toward zero, since the fraction always counts forward.
std::int32_t dayNumberOf(Date date) {
    const double day = std::trunc(date);
    if (!isSupportedDay(day)) {
        throw RuntimeError(ErrorKind::InvalidArgument,
                           "the date lies outside 1 January 100 to 31 December 9999");
    }
    return static_cast<std::int32_t>(day);
}

} // namespace

std::optional<Date> tryDateFromCivil(CivilDate civil) {
    if (civil.year < 100 || civil.year > 9999 || civil.month < 1 || civil.month > 12 ||
        civil.day < 1 || civil.day > 31)
        return std::nullopt;
    const year_month_day date{year{civil.year}, month{static_cast<unsigned>(civil.month)},
                              day{static_cast<unsigned>(civil.day)}};
    if (!date.ok())
        return std::nullopt;
    return sys_days{date}.time_since_epoch().count() + unixEpochDay;
}

Date dateFromCivil(CivilDate civil) {
    if (auto date = tryDateFromCivil(civil))
        return *date;
    throw RuntimeError(ErrorKind::InvalidArgument, std::to_string(civil.year) + "-" +
                                                       std::to_string(civil.month) + "-" +
                                                       std::to_string(civil.day) +
                                                       " is not a day from 1 January 100 to 31 "
                                                       "December 9999");
}

CivilDate civilFromDate(Date date) {
    const year_month_day civil{sys_days{days{dayNumberOf(date) - unixEpochDay}}};
    return {static_cast<int>(civil.year()), static_cast<int>(static_cast<unsigned>(civil.month())),
            static_cast<int>(static_cast<unsigned>(civil.day()))};
}

Date addDays(Date date, std::int32_t count) {
    const std::int32_t day = dayNumberOf(date);
    const double timeOfDay = std::fabs(date - day);
    const double result = static_cast<double>(day) + static_cast<double>(count);
    if (!isSupportedDay(result)) {
        throw RuntimeError(ErrorKind::InvalidArgument,
                           "adding " + std::to_string(count) +
                               " days leaves 1 January 100 to 31 December 9999");
    }
    return result < 0 ? result - timeOfDay : result + timeOfDay;
}

} // namespace ruvo
