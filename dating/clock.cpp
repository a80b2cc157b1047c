#include "dating/clock.h"

#include <cmath>
#include <ctime>

namespace ruvo {

Date SystemClock::today() const {
    const std::time_t now = std::time(nullptr);
    // Handlers run on one thread, and nothing else here calls localtime.
    const std::tm* local = std::localtime(&now);
    return dateFromCivil({local->tm_year + 1900, local->tm_mon + 1, local->tm_mday});
}

FixedClock::FixedClock(Date today) : m_today(std::trunc(today)) {}

void FixedClock::setToday(Date today) {
    m_today = std::trunc(today);
}

} // namespace ruvo
