#include "dating/due_date.h"

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

namespace {

double gestationDaysOf(const ScanData& data) {
    if (const auto* derived = std::get_if<DerivedGestation>(&data))
        return derivedGestationDays(derived->weeks, derived->days);
    const auto& fetal = std::get<FetalMeasurement>(data);
    return measurementGestationDays(fetal.measurement, fetal.millimetres);
}

} // namespace

ScanDating::ScanDating(const ScanData& data)
    : m_gestationDays(gestationDaysOf(data)), m_daysToEdd(ruvo::daysToEdd(m_gestationDays)) {}

Date ScanDating::edd(Date scan) const {
    return addDays(scan, m_daysToEdd);
}

} // namespace ruvo
