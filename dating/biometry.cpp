#include "dating/biometry.h"

#include "dating/finite_steps.h"
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
    const FiniteSteps finite("derived gestation");
    return finite(finite(finite(weeks) * daysPerWeek) + finite(days));
}

double crownRumpLengthGestationDays(double crownRumpLengthMm) {
    const FiniteSteps finite("crown rump length formula");
    const double root = finite(std::sqrt(finite(crownRumpLengthMm)));
    return finite(root * 8.052 + 23.75);
}

double biparietalDiameterGestationDays(double biparietalDiameterMm) {
    const FiniteSteps finite("biparietal diameter formula");
    return finite(finite(biparietalDiameterMm) * 1.99 + 44.17);
}

double headCircumferenceGestationDays(double headCircumferenceMm) {
    const FiniteSteps finite("head circumference formula");
    const double hc = finite(headCircumferenceMm);
    // The logarithm of the gestation in weeks is a cubic in HC.
    const double a = finite(hc * 0.010611);
    const double b = finite(a - finite(std::pow(hc, 2.0)) * 0.000030321);
    const double c = finite(finite(std::pow(hc, 3.0)) * 0.000000043498 + b);
    const double d = finite(c + 1.848);
    const double weeks = finite(std::exp(d));
    return finite(weeks * daysPerWeek);
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
