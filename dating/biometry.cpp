#include "dating/biometry.h"

#include "dating/floating_point_status.h"
#include "dating/numbers.h"

#include <cmath>

namespace ruvo {

ValueRange measurementRange(Measurement measurement) {
    switch (measurement) {
    case Measurement::CrownRumpLength:
        return {10, 80, 1};
    case Measurement::BiparietalDiameter:
        return {20, 55, 1};
    case Measurement::HeadCircumference:
        return {75, 195, 5};
    }
    return {0, 0, 1};
}

std::vector<std::string> itemsOf(ValueRange range) {
    std::vector<std::string> items;
    for (int value = range.first; value <= range.last; value += range.step)
        items.push_back(integerText(value));
    return items;
}

double derivedGestationDays(double weeks, double days) {
    FloatingPointStatus status;
    const double gestation = weeks * daysPerWeek + days;
    status.check("derived gestation", gestation);
    return gestation;
}

double crownRumpLengthGestationDays(double crownRumpLengthMm) {
    FloatingPointStatus status;
    const double root = std::sqrt(crownRumpLengthMm);
    const double gestation = root * 8.052 + 23.75;
    status.check("crown rump length formula", gestation);
    return gestation;
}

double biparietalDiameterGestationDays(double biparietalDiameterMm) {
    FloatingPointStatus status;
    const double gestation = biparietalDiameterMm * 1.99 + 44.17;
    status.check("biparietal diameter formula", gestation);
    return gestation;
}

double headCircumferenceGestationDays(double headCircumferenceMm) {
    const double hc = headCircumferenceMm;
    FloatingPointStatus status;
    // The logarithm of the gestation in weeks is a cubic in HC.
    const double a = hc * 0.010611;
    const double b = a - std::pow(hc, 2.0) * 0.000030321;
    const double c = std::pow(hc, 3.0) * 0.000000043498 + b;
    const double d = c + 1.848;
    const double weeks = std::exp(d);
    const double gestation = weeks * daysPerWeek;
    status.check("head circumference formula", gestation);
    return gestation;
}

double measurementGestationDays(Measurement measurement, double millimetres) {
    switch (measurement) {
    case Measurement::CrownRumpLength:
        return crownRumpLengthGestationDays(millimetres);
    case Measurement::BiparietalDiameter:
        return biparietalDiameterGestationDays(millimetres);
    case Measurement::HeadCircumference:
        break;
    }
    return headCircumferenceGestationDays(millimetres);
}

std::int16_t daysToEdd(double scanGestationDays) {
    return toInt16(termDays - floorOf(scanGestationDays));
}

} // namespace ruvo
