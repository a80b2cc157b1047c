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

// The handler's order: the scan value first, then the date lists, then the addition.
std::string scanEdd(Measurement measurement, const char* value) {
    const std::int16_t days = daysToEdd(measurementGestationDays(measurement, parseNumber(value)));
    return datenice(eddFromScan(dateFromPickers("6", "April", "2006"), days));
}

TEST(DueDate, FromAScan) {
    EXPECT_EQ(scanEdd(Measurement::CrownRumpLength, "45"), "26 October 2006");
    EXPECT_EQ(scanEdd(Measurement::CrownRumpLength, "80"), "8 October 2006");
    EXPECT_EQ(scanEdd(Measurement::BiparietalDiameter, "40"), "10 September 2006");
    EXPECT_EQ(scanEdd(Measurement::HeadCircumference, "150"), "6 September 2006");
    const std::int16_t days = daysToEdd(derivedGestationDays(parseNumber("12"), parseNumber("3")));
    EXPECT_EQ(days, 193);
    EXPECT_EQ(datenice(eddFromScan(dateFromPickers("6", "April", "2006"), days)),
              "16 October 2006");
}

TEST(DueDate, ANegativeCountGoesBackInTime) {
    EXPECT_EQ(eddFromScan(dateFromCivil({2006, 4, 6}), -20), dateFromCivil({2006, 3, 17}));
}

TEST(DueDate, TheDisplayedEddReadsBackAsTheSameMidnight) {
    const Date edd = eddFromLmp(dateFromCivil({2006, 1, 1}));
    EXPECT_EQ(parseDate(datenice(edd)), edd);
}

} // namespace
} // namespace ruvo
