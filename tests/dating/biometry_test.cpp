#include "dating/biometry.h"

#include "host/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace ruvo {
namespace {

struct WorkedExample {
    const char* input;
    double gestation;
    std::int16_t daysToEdd;
};

// The gestations are compared as doubles, bit for bit.
TEST(Biometry, GivesEveryWorkedExampleExactly) {
    const WorkedExample examples[] = {
        {"CRL 10", 49.21265971967579, 231},
        {"CRL 33", 70.00521842992421, 210},
        {"CRL 45", 77.76445806448493, 203},
        {"CRL 80", 95.76927741931323, 185},
        {"BPD 20", 83.97, 197},
        {"BPD 40", 123.77, 157},
        {"BPD 55", 153.62, 127},
        {"HC 75", 84.56582648985996, 196},
        {"HC 100", 99.01765316687515, 181},
        {"HC 150", 127.75870901070218, 153},
        {"HC 195", 153.33596394107525, 127},
    };
    for (const auto& example : examples) {
        const std::string input = example.input;
        const double millimetres = std::stod(input.substr(input.find(' ') + 1));
        const Measurement measurement = input.starts_with("CRL")   ? Measurement::CrownRumpLength
                                        : input.starts_with("BPD") ? Measurement::BiparietalDiameter
                                                                   : Measurement::HeadCircumference;
        const double gestation = measurementGestationDays(measurement, millimetres);
        EXPECT_EQ(gestation, example.gestation) << input;
        EXPECT_EQ(daysToEdd(gestation), example.daysToEdd) << input;
    }
}

TEST(Biometry, DerivedGestationIsWeeksTimesSevenPlusDays) {
    EXPECT_EQ(derivedGestationDays(12, 3), 87.0);
    EXPECT_EQ(daysToEdd(87.0), 193);
    EXPECT_EQ(derivedGestationDays(7, 0), 49.0);
    EXPECT_EQ(daysToEdd(49.0), 231);
    EXPECT_EQ(derivedGestationDays(22, 6), 160.0);
    EXPECT_EQ(daysToEdd(160.0), 120);
}

TEST(Biometry, WholeDaysAreNeverRoundedUp) {
    EXPECT_EQ(daysToEdd(95.76927741931323), 185); // not 184
    EXPECT_EQ(daysToEdd(70.00521842992421), 210);
    EXPECT_EQ(daysToEdd(83.97), 197);
    EXPECT_EQ(daysToEdd(280.0), 0);
    EXPECT_EQ(daysToEdd(300.5), -20);
}

TEST(Biometry, DaysToEddOverflowsOutsideSixteenBits) {
    EXPECT_EQ(daysToEdd(-32487.0), 32767);
    EXPECT_THROW(daysToEdd(-32488.0), RuntimeError);
    EXPECT_THROW(daysToEdd(1e6), RuntimeError);
    EXPECT_THROW(daysToEdd(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
}

TEST(Biometry, FormulasThatGiveNoFiniteGestationRaiseAFloatingPointError) {
    auto expectFloatingPointError = [](auto formula, const char* what) {
        try {
            formula();
            ADD_FAILURE() << what << " gave a gestation";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::FloatingPoint) << what;
        }
    };
    expectFloatingPointError([] { return crownRumpLengthGestationDays(-1); }, "CRL -1");
    expectFloatingPointError([] { return headCircumferenceGestationDays(1e200); }, "HC 1e200");
    // The overflow of HC³ ends in exp(-inf), which is 0: the step before it tells.
    expectFloatingPointError([] { return headCircumferenceGestationDays(-1e120); }, "HC -1e120");
    expectFloatingPointError([] { return derivedGestationDays(1e308, 0); }, "1e308 weeks");
    expectFloatingPointError(
        [] { return biparietalDiameterGestationDays(std::numeric_limits<double>::quiet_NaN()); },
        "BPD NaN");
}

TEST(Biometry, AnEarlierFloatingPointExceptionDoesNotFailALaterFormula) {
    volatile double zero = 0;
    volatile double quotient = 1 / zero; // raises division by zero
    (void)quotient;
    EXPECT_EQ(crownRumpLengthGestationDays(45), 77.76445806448493);
}

TEST(Biometry, ListRangesOfferTheControlsValues) {
    const auto crl = itemsOf(measurementRange(Measurement::CrownRumpLength));
    EXPECT_EQ(crl.size(), 71u);
    EXPECT_EQ(crl.front(), "10");
    EXPECT_EQ(crl.back(), "80");
    EXPECT_EQ(itemsOf(measurementRange(Measurement::BiparietalDiameter)).size(), 36u);
    const auto hc = itemsOf(measurementRange(Measurement::HeadCircumference));
    EXPECT_EQ(hc.size(), 25u);
    EXPECT_EQ(hc.front(), "75");
    EXPECT_EQ(hc[1], "80");
    EXPECT_EQ(hc.back(), "195");
    EXPECT_EQ(std::count(hc.begin(), hc.end(), "77"), 0);
    EXPECT_EQ(itemsOf(scanWeeksRange).size(), 16u);
    EXPECT_EQ(itemsOf(scanDaysRange),
              (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
}

} // namespace
} // namespace ruvo
