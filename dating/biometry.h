#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ruvo {

// The length of a pregnancy: the EDD is day 280 (40 weeks 0 days) from the first day of the LMP.
inline constexpr int termDays = 280;
inline constexpr int daysPerWeek = 7;

enum class Measurement { CrownRumpLength, BiparietalDiameter, HeadCircumference };

// The whole numbers a list offers for one scan input, ascending from first to last by step.
struct ValueRange {
    int first;
    int last;
    int step;
};

ValueRange measurementRange(Measurement); // millimetres
inline constexpr ValueRange scanWeeksRange{7, 22, 1};
inline constexpr ValueRange scanDaysRange{0, 6, 1};

// The list items of a range, each in decimal: "10", "11", ... "80".
std::vector<std::string> itemsOf(ValueRange);

// The gestation on the day of the scan, in days, unrounded. Each formula is evaluated operation by
// operation in double precision as written, and fails with FloatingPoint when a value passed in or
// any step is not finite: an invalid operation, a division by zero or an overflow (none can, for
// the values the lists offer).

// weeks × 7 + days.
double derivedGestationDays(double weeks, double days);
// √CRL × 8.052 + 23.75.
double crownRumpLengthGestationDays(double crownRumpLengthMm);
// BPD × 1.99 + 44.17.
double biparietalDiameterGestationDays(double biparietalDiameterMm);
// 7 × exp(1.848 + 0.010611·HC − 0.000030321·HC² + 0.000000043498·HC³).
double headCircumferenceGestationDays(double headCircumferenceMm);
double measurementGestationDays(Measurement, double millimetres);

// Days from the scan to the EDD: 280 minus the whole days of the gestation, never rounded up
// (95.77 days count as 95). Fails with Overflow outside -32768..32767.
std::int16_t daysToEdd(double scanGestationDays);

} // namespace ruvo
