#pragma once

#include "dating/biometry.h"
#include "dating/date.h"

#include <cstdint>
#include <string_view>
#include <variant>

namespace ruvo {

// The date three lists show: their texts joined as day, space, month, space, year and read as a
// date ("6" "April" "2006" gives 6 April 2006). Fails with TypeMismatch when that names no date,
// for instance when a list has nothing selected.
Date dateFromPickers(std::string_view day, std::string_view month, std::string_view year);

// The EDD from the first day of the last menstrual period: 280 days later.
Date eddFromLmp(Date lmp);

// What a scan gives: the gestation read off it, or one fetal measurement.
struct DerivedGestation {
    double weeks;
    double days;
};
struct FetalMeasurement {
    Measurement measurement;
    double millimetres;
};
using ScanData = std::variant<DerivedGestation, FetalMeasurement>;

// Dating by a scan. The gestation on the day of the scan and the days from it to the EDD follow
// from the scan data alone, so the day of the scan is needed only once they are known.
class ScanDating {
  public:
    // Fails with FloatingPoint when a formula does (see biometry.h), and with Overflow when the
    // days to the EDD leave -32768..32767.
    explicit ScanDating(const ScanData&);

    // The gestation on the day of the scan, in days, unrounded.
    double gestationDays() const { return m_gestationDays; }
    // 280 minus the whole days of the gestation.
    std::int16_t daysToEdd() const { return m_daysToEdd; }
    // The day of the scan plus the days to the EDD (earlier for a negative count). Fails with
    // InvalidArgument when that leaves the calendar.
    Date edd(Date scan) const;

  private:
    double m_gestationDays;
    std::int16_t m_daysToEdd;
};

} // namespace ruvo
