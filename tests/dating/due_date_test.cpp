#include "dating/due_date.h"

#include "dating/biometry.h"
#include "dating/date_text.h"
#include "dating/numbers.h"
#include "host/runtime_error.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

TEST(DateFromPickers, JoinsDayMonthAndYear) {
    EXPECT_EQ(dateFromPickers("6", "April", "2006"), dateFromCivil({2006, 4, 6}));
    EXPECT_EQ(dateFromPickers("29", "February", "2008"), dateFromCivil({2008, 2, 29}));
}

TEST(DateFromPickers, FailsWithATypeMismatchWhenTheListsNameNoDate) {
    for (auto [day, month, year] : {std::tuple{"", "April", "2006"},
                                    {"6", "", "2006"},
                                    {"6", "April", ""},
                                    {"31", "February", "2006"}}) {
        try {
            dateFromPickers(day, month, year);
            ADD_FAILURE() << day << ' ' << month << ' ' << year << " was read as a date";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
        }
    }
}

TEST(DueDate, FromTheLastMenstrualPeriod) {
    EXPECT_EQ(datenice(eddFromLmp(dateFromPickers("1", "January", "2006"))), "8 October 2006");
    EXPECT_EQ(datenice(eddFromLmp(dateFromPickers("1", "June", "2006"))), "8 March 2007");
    // Across 29 February 2008 the same 280 days land one calendar day earlier.
    EXPECT_EQ(datenice(eddFromLmp(dateFromPickers("1", "June", "2007"))), "7 March 2008");
}

std::string scanEdd(const ScanData& data) {
    return datenice(ScanDating(data).edd(dateFromPickers("6", "April", "2006")));
}

TEST(DueDate, FromAScan) {
    EXPECT_EQ(scanEdd(FetalMeasurement{Measurement::CrownRumpLength, 45}), "26 October 2006");
    EXPECT_EQ(scanEdd(FetalMeasurement{Measurement::CrownRumpLength, 80}), "8 October 2006");
    EXPECT_EQ(scanEdd(FetalMeasurement{Measurement::BiparietalDiameter, 40}), "10 September 2006");
    EXPECT_EQ(scanEdd(FetalMeasurement{Measurement::HeadCircumference, 150}), "6 September 2006");
    EXPECT_EQ(scanEdd(DerivedGestation{12, 3}), "16 October 2006");
}

TEST(DueDate, AScanGivesItsGestationAndDaysToTheEddBeforeItsDate) {
    const ScanDating crl(FetalMeasurement{Measurement::CrownRumpLength, 45});
    EXPECT_EQ(crl.gestationDays(), 77.76445806448493);
    EXPECT_EQ(crl.daysToEdd(), 203);
    const ScanDating derived(DerivedGestation{12, 3});
    EXPECT_EQ(derived.gestationDays(), 87.0);
    EXPECT_EQ(derived.daysToEdd(), 193);
}

TEST(DueDate, AGestationBeyondTermCountsBackInTime) {
    const ScanDating late(DerivedGestation{42, 6});
    EXPECT_EQ(late.daysToEdd(), -20);
    EXPECT_EQ(late.edd(dateFromCivil({2006, 4, 6})), dateFromCivil({2006, 3, 17}));
}

TEST(DueDate, AGestationWhoseDaysToTheEddOverflowIsRefused) {
    try {
        ScanDating(DerivedGestation{-5000, 0});
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
}

TEST(DueDate, TheDisplayedEddReadsBackAsTheSameMidnight) {
    const Date edd = eddFromLmp(dateFromCivil({2006, 1, 1}));
    EXPECT_EQ(parseDate(datenice(edd)), edd);
}

} // namespace
} // namespace ruvo
