#include "dating/due_date.h"

#include "dating/biometry.h"
#include "dating/date_text.h"

#include <string>

namespace ruvo {

Date dateFromPickers(std::string_view day, std::string_view month, std::string_view year) {
    std::string text;
    text.reserve(day.size() + month.size() + year.size() + 2);
    text.append(day).append(" ").append(month).append(" ").append(year);
    return parseDate(text);
}

Date eddFromLmp(Date lmp) {
    return addDays(lmp, termDays);
}

Date eddFromScan(Date scan, std::int16_t daysToEdd) {
    return addDays(scan, daysToEdd);
}

} // namespace ruvo
