#include "dating/date.h"

#include "host/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ruvo {
namespace {

TEST(Date, CountsDaysFromTheOleAutomationEpoch) {
    EXPECT_EQ(dateFromCivil({1899, 12, 30}), 0.0);
    EXPECT_EQ(dateFromCivil({1899, 12, 31}), 1.0);
    EXPECT_EQ(dateFromCivil({1899, 12, 29}), -1.0);
    EXPECT_EQ(dateFromCivil({1970, 1, 1}), 25569.0);
    EXPECT_EQ(dateFromCivil({2006, 10, 26}), 39016.0);
    EXPECT_EQ(dateFromCivil({100, 1, 1}), firstSupportedDay);
    EXPECT_EQ(dateFromCivil({9999, 12, 31}), lastSupportedDay);
}

TEST(Date, RefusesDaysThatDoNotExistOrLieOutsideTheRange) {
    EXPECT_FALSE(tryDateFromCivil({2006, 2, 29}));
    EXPECT_TRUE(tryDateFromCivil({2008, 2, 29}));
    EXPECT_FALSE(tryDateFromCivil({1900, 2, 29})); // a century that is no leap year
    EXPECT_TRUE(tryDateFromCivil({2000, 2, 29}));
    EXPECT_FALSE(tryDateFromCivil({2006, 4, 31}));
    EXPECT_FALSE(tryDateFromCivil({2006, 13, 1}));
    EXPECT_FALSE(tryDateFromCivil({2006, 0, 1}));
    EXPECT_FALSE(tryDateFromCivil({2006, 1, 0}));
    EXPECT_FALSE(tryDateFromCivil({99, 12, 31}));
    EXPECT_FALSE(tryDateFromCivil({10000, 1, 1}));
    try {
        dateFromCivil({2006, 2, 29});
        FAIL() << "29 February 2006 was accepted";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::InvalidArgument);
    }
}

TEST(Date, CivilDateIgnoresTheTimeOfDay) {
    EXPECT_EQ(civilFromDate(39016.75), (CivilDate{2006, 10, 26}));
    EXPECT_EQ(civilFromDate(39016.0), (CivilDate{2006, 10, 26}));
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(civilFromDate(-1.25), (CivilDate{1899, 12, 29}));
    EXPECT_EQ(civilFromDate(-0.5), (CivilDate{1899, 12, 30}));
    EXPECT_EQ(civilFromDate(lastSupportedDay + 0.999), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(civilFromDate(firstSupportedDay - 0.999), (CivilDate{100, 1, 1}));
}

TEST(Date, CivilDateRefusesWhatNamesNoSupportedDay) {
    for (double date :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), double{lastSupportedDay} + 1,
          double{firstSupportedDay} - 1, 1e300}) {
        EXPECT_THROW(civilFromDate(date), RuntimeError) << date;
    }
}

TEST(Date, AddDaysCountsCalendarDaysAcrossLeapDays) {
    EXPECT_EQ(addDays(dateFromCivil({2007, 6, 1}), 280), dateFromCivil({2008, 3, 7}));
    EXPECT_EQ(addDays(dateFromCivil({2006, 6, 1}), 280), dateFromCivil({2007, 3, 8}));
    EXPECT_EQ(addDays(dateFromCivil({2008, 2, 28}), 1), dateFromCivil({2008, 2, 29}));
    EXPECT_EQ(addDays(dateFromCivil({2006, 2, 28}), 1), dateFromCivil({2006, 3, 1}));
    EXPECT_EQ(addDays(dateFromCivil({2006, 4, 6}), -120), dateFromCivil({2005, 12, 7}));
    EXPECT_EQ(addDays(dateFromCivil({2006, 4, 6}), 0), dateFromCivil({2006, 4, 6}));
}

TEST(Date, AddDaysKeepsTheTimeOfDayOnEitherSideOfTheEpoch) {
    EXPECT_EQ(addDays(39016.25, 1), 39017.25);
    EXPECT_EQ(addDays(-1.25, 2), 1.25);
    EXPECT_EQ(addDays(1.25, -3), -2.25);
}

TEST(Date, AddDaysRefusesToLeaveTheRange) {
    EXPECT_EQ(addDays(lastSupportedDay - 1, 1), lastSupportedDay);
    EXPECT_THROW(addDays(lastSupportedDay, 1), RuntimeError);
    EXPECT_THROW(addDays(firstSupportedDay, -1), RuntimeError);
    EXPECT_THROW(addDays(std::numeric_limits<double>::quiet_NaN(), 1), RuntimeError);
}

} // namespace
} // namespace ruvo
